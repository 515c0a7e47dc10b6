// libFuzzer target for the JSON form reader: any text is refused with a path or built into a school,
// and a school built from it is written, read back and dumped to the same JSON.
//   scripts/fuzz.sh [SECONDS]
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cli/JsonSchedule.h"
#include "data/DataFile.h"
#include "data/DataSet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const auto json = tabrel::cli::Json::parse(reinterpret_cast<const char*>(data),
                                               reinterpret_cast<const char*>(data) + size, nullptr, false);
    if (json.is_discarded())
        return 0;
    tabrel::DataSet built;
    tabrel::cli::JsonError error;
    if (!tabrel::cli::fromJson(json, built, error))
        return 0;
    built.relinkTeacherCells();
    std::string bytes;
    if (!tabrel::encodeDataFile(built, bytes).ok())
        return 0;
    tabrel::DataSet read;
    if (!tabrel::decodeDataSections(read, bytes).ok())
        std::abort();
    read.relinkTeacherCells();
    if (tabrel::cli::toJson(built).dump() != tabrel::cli::toJson(read).dump())
        std::abort();
    return 0;
}
