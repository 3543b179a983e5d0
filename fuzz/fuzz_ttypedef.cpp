// libFuzzer target: the tool-type file. Any bytes read without fault, the type counts
// within their lists; written, read onto the built-in types and written again, the file
// settles after one round.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzReaders.h"
#include "tools/UniTType.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    // Of the settings record the reader touches only the type lists.
    FuzzBeginInput(0);
    Glob.LatheToolType.clear();
    const std::string path = ProgramDir + "/TTypeDef.ytf";
    FuzzWriteProgramFile("TTypeDef.ytf", std::string(reinterpret_cast<const char*>(Data), Size));
    InitToolType();
    FileToToolType(path);
    FUZZ_REQUIRE(size_t(MillTypeMax + 1) == Glob.MillToolType.size());
    std::string files[3];
    for (int i = 0; i < 3; ++i) {
        FUZZ_REQUIRE(ToolTypeToFile(path));
        FUZZ_REQUIRE(ReadFileBytes(path, files[i]));
        if (i == 2) break;  // the last file is only compared: read, it is the second again
        InitToolType();
        FileToToolType(path);
    }
    FUZZ_REQUIRE(files[1] == files[2]);
    Glob.MillToolType.clear();
    Glob.LatheToolType.clear();
    FuzzEndInput(0);
    return 0;
}
