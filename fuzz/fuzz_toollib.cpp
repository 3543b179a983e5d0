// libFuzzer target: the tool and material library file. Any bytes read without fault;
// the lists then written, read onto the built-in lists and written again give the
// same file twice over, in everything the format keeps (a material's "Vf" is written
// but not read back: the calculator derives it again).
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzReaders.h"
#include "tools/ToolDg.h"
#include "tools/ToolLibFile.h"

// The file's lines without the "Vf=" lines.
inline std::vector<std::string> FuzzToolLibKept(const std::string& Bytes) {
    std::vector<std::string> kept;
    for (const std::string& l : SplitTextLines(Bytes))
        if (l.find_first_not_of(' ') == std::string::npos || l.compare(l.find_first_not_of(' '), 3, "Vf=") != 0)
            kept.push_back(l);
    return kept;
}

// A file may count hundreds of tools and materials: writing and reading those back runs
// the same code as for a few at a hundred times the cost, so the round trip is made for
// libraries of up to this many records (a material, a tool, a tool's cutting data for a
// material); every file is read.
constexpr size_t FuzzToolLibRoundTripMax = 40;

inline size_t FuzzToolLibRecords() {
    size_t n = Glob.Material.size();
    for (const TToolLib& t : Glob.ToolLib) n += 1 + t.Material.size();
    return n;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput(FuzzResetGlob);
    const std::string path = ProgramDir + "/ToolLib.ylf";
    FuzzWriteProgramFile("ToolLib.ylf", std::string(reinterpret_cast<const char*>(Data), Size));
    InitMaterial();
    InitToolLib();
    FileToToolLib(path);
    InitTool();
    if (FuzzToolLibRecords() <= FuzzToolLibRoundTripMax) {
        // The first file brings what was read into the written form; the second and the
        // third must then agree.
        std::string files[3];
        for (std::string& f : files) {
            FUZZ_REQUIRE(ToolLibToFile(path));
            FUZZ_REQUIRE(ReadFileBytes(path, f));
            if (&f == &files[2]) break;  // only compared: read, it is the second again
            InitMaterial();
            InitToolLib();
            FUZZ_REQUIRE(FileToToolLib(path));
        }
        FUZZ_REQUIRE(FuzzToolLibKept(files[1]) == FuzzToolLibKept(files[2]));
    }
    FuzzEndInput(FuzzResetGlob);
    return 0;
}
