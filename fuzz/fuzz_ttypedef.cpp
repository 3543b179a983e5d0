// libFuzzer target: the tool-type file. Any bytes read without fault, the type counts
// within their lists; written, read onto the built-in types and written again, the file
// settles after one round.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/TextFile.h"
#include "fuzz/FuzzReaders.h"
#include "tools/UniTType.h"

// A file may declare up to a thousand types of some seventy lines each: writing and
// reading those back runs the same code as for a few types at a hundred times the cost,
// so the round trip is made for files of up to this many types (every file is read).
constexpr size_t FuzzTTypeRoundTripMax = 32;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    // Of the settings record the reader touches only the type lists.
    FuzzBeginInput(0);
    Glob.LatheToolType.clear();
    const std::string path = ProgramDir + "/TTypeDef.ytf";
    FuzzWriteProgramFile("TTypeDef.ytf", std::string(reinterpret_cast<const char*>(Data), Size));
    InitToolType();
    FileToToolType(path);
    FUZZ_REQUIRE(size_t(MillTypeMax + 1) == Glob.MillToolType.size());
    if (Glob.MillToolType.size() + Glob.LatheToolType.size() <= FuzzTTypeRoundTripMax) {
        // The first file brings what was read into the written form; read onto the
        // built-in types, it must give the same lines again.
        FUZZ_REQUIRE(ToolTypeToFile(path));
        std::vector<std::string> once;
        for (int round = 0; round < 2; ++round) {
            InitToolType();
            FileToToolType(path);
            if (round == 1) break;
            once = ToolTypeLines();
            FUZZ_REQUIRE(WriteTextLinesSafe(path, once));
        }
        FUZZ_REQUIRE(ToolTypeLines() == once);
    }
    Glob.MillToolType.clear();
    Glob.LatheToolType.clear();
    FuzzEndInput(0);
    return 0;
}
