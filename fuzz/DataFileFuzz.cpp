// libFuzzer target for the data file reader: any bytes either read as damage or read whole, and a
// file read whole is written, read and written again to the same bytes.
//   scripts/fuzz.sh [SECONDS]
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "data/DataFile.h"
#include "data/DataSet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tabrel::DataSet first;
    if (!tabrel::decodeDataSections(first, bytes).ok())
        return 0;
    first.relinkTeacherCells();
    std::string once;
    if (!tabrel::encodeDataFile(first, once).ok())
        return 0; // a file the writer cannot hold is refused with a message, never written half
    tabrel::DataSet second;
    if (!tabrel::decodeDataSections(second, once).ok())
        std::abort(); // what was written must read back
    second.relinkTeacherCells();
    std::string twice;
    if (!tabrel::encodeDataFile(second, twice).ok() || twice != once)
        std::abort();
    return 0;
}
