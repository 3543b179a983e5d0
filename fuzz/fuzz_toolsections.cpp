// libFuzzer target: the tool sections of the job file and of the machining-set,
// geometry and whole-tool files (TOOLS, TECH, PLUNGES, OUTS in both forms, GEO). Any
// bytes are read without fault into the layer tools, the tool dialog's working copy
// and a library record; what is then written, read back and written again is the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/TextFile.h"
#include "fuzz/FuzzReaders.h"
#include "fuzz/FuzzTools.h"
#include "tools/MillsetFile.h"
#include "tools/ToolDg.h"
#include "tools/ToolGeoFile.h"
#include "tools/ToolLibFile.h"
#include "tools/ToolTechFile.h"

namespace {

// The file is read once; every section reader gets its lines, as the job reader hands
// them out.
void ReadAll(const std::string& Path) {
    std::vector<std::string> lines;
    if (!ReadTextLines(Path, lines)) return;
    LoadMillsetLines(Path, lines, false);
    LoadMillsetLines(Path, lines, true);
    ToolFile::LoadToolTechSection(Path, false, &lines);
    ToolFile::LoadToolPlungesSection(Path, false, &lines);
    ToolFile::LoadToolOutsSection(Path, false, &lines);
    LoadToolGeoSection(Path, true, 0, &lines);
    ToolFile::LoadLibToolTech(Path, 0, -1, &lines);
    ToolFile::LoadLibToolPlunges(Path, 0, -1, &lines);
    ToolFile::LoadLibToolOuts(Path, 0, 0, &lines);
}

// Every section once; the working copy's TOOLS section is checked on its own.
std::vector<std::string> WriteAll(bool Pack) {
    std::vector<std::string> w = MillsetLines(Pack, false);
    for (const auto& part : {ToolFile::ToolTechLines(false, -1, -1),
                             ToolFile::ToolPlungesLines(false, -1, -1), ToolFile::ToolOutsLines(false, -1, -1),
                             ToolGeoLines(0), ToolFile::ToolTechLines(false, 0, -1),
                             ToolFile::ToolPlungesLines(false, 0, -1), ToolFile::ToolOutsLines(false, 0, -1)})
        w.insert(w.end(), part.begin(), part.end());
    return w;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput(0);
    FuzzRestoreToolGlob();
    const std::string path = ProgramDir + "/in.set";
    FuzzWriteProgramFile("in.set", std::string(reinterpret_cast<const char*>(Data), Size));
    ToolLibTmp = Glob.ToolLib;
    ToolTmp = Glob.Tool;
    ReadAll(path);
    // The working copy reads the section as the live tools do.
    FUZZ_REQUIRE(MillsetLines(true, true) == MillsetLines(true, false));
    // One of the two forms per input (a full round of both costs twice the time).
    for (bool pack : {Size % 2 == 0}) {
        // The first round brings what was read into the form the writers give it; the
        // next two must then agree (the last is only compared: written and read, it is
        // the second again). Sections are found by their start words, so each goes to
        // the file once.
        std::vector<std::string> before;
        for (int round = 0; round < 3; ++round) {
            const std::vector<std::string> w = WriteAll(pack);
            if (round == 2) {
                FUZZ_REQUIRE(w == before);
                break;
            }
            before = w;
            FUZZ_REQUIRE(WriteTextLinesSafe(path, w));
            ReadAll(path);
        }
    }
    FuzzEndInput(0);
    FuzzRestoreToolGlob();
    return 0;
}
