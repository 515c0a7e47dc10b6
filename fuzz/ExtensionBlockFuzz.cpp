// libFuzzer target for the extension block after section 7: the chunk reader, the JSON payloads of
// the known chunks, and writing back what was read (which must read back equal).
//   clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -Isrc fuzz/ExtensionBlockFuzz.cpp \
//     src/data/*.cpp -o build/extension-fuzz
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/ExtensionBlock.h"
#include "data/SchoolExtension.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    // Most inputs are read as a block (the mark put in front); the rest as the bytes after section 7.
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (size == 0 || data[0] != 0xFF)
        bytes = "TBX1" + bytes;
    tabrel::SchoolExtension x;
    if (!tabrel::decodeExtensionBlock(bytes, x).ok())
        return 0;
    std::string again, problem;
    if (!tabrel::appendExtensionBlock(x, again, problem))
        return 0;
    tabrel::SchoolExtension y;
    if (!tabrel::decodeExtensionBlock(again, y).ok() || !(x == y))
        std::abort(); // what was written must read back equal
    return 0;
}
