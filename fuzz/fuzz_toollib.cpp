// libFuzzer target: the tool and material library file. Any bytes read without fault;
// the lists then written, read onto the built-in lists and written again give the
// same file twice over.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzReaders.h"
#include "tools/ToolDg.h"
#include "tools/ToolLibFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput();
    const std::string path = ProgramDir + "/ToolLib.ylf";
    FuzzWriteProgramFile("ToolLib.ylf", std::string(reinterpret_cast<const char*>(Data), Size));
    InitMaterial();
    InitToolLib();
    FileToToolLib(path);
    InitTool();
    std::string files[3];
    for (std::string& f : files) {
        FUZZ_REQUIRE(ToolLibToFile(path));
        FUZZ_REQUIRE(ReadFileBytes(path, f));
        InitMaterial();
        InitToolLib();
        FUZZ_REQUIRE(FileToToolLib(path));
    }
    FUZZ_REQUIRE(files[1] == files[2]);
    FuzzEndInput();
    return 0;
}
