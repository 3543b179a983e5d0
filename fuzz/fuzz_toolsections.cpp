// libFuzzer target: the tool sections of the job file and of the machining-set,
// geometry and whole-tool files (TOOLS, TECH, PLUNGES, OUTS in both forms, GEO). Any
// bytes are read without fault into the layer tools, the tool dialog's working copy
// and a library record; what is then written (of the layer tools, the first few layers
// the file names), read back and written again is the same.
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
void ReadAll(const std::string& Path, const std::vector<std::string>& Lines) {
    LoadMillsetLines(Path, Lines, false);
    LoadMillsetLines(Path, Lines, true);
    ToolFile::LoadToolTechSection(Path, false, &Lines);
    ToolFile::LoadToolPlungesSection(Path, false, &Lines);
    ToolFile::LoadToolOutsSection(Path, false, &Lines);
    LoadToolGeoSection(Path, true, 0, &Lines);
    ToolFile::LoadLibToolTech(Path, 0, -1, &Lines);
    ToolFile::LoadLibToolPlunges(Path, 0, -1, &Lines);
    ToolFile::LoadLibToolOuts(Path, 0, 0, &Lines);
}

// The layers whose round trip is checked: the first few that the file names by a key
// "T" + n. Every layer's lines go through the same code, and the writers give all 64
// layers whatever the file held: a round trip of them all would spend each input on
// the start-up tools.
constexpr size_t FuzzRoundTripLayers = 4;
TToolLayers NamedLayers(const std::vector<std::string>& Lines) {
    TToolLayers named;
    for (const std::string& l : Lines) {
        const std::string_view k = SplitSectionLine(l).Key;
        if (k.size() < 2 || k[0] != 'T' || k[1] < '1' || k[1] > '9') continue;
        int n = 0;
        for (size_t i = 1; i < k.size() && i < 4 && k[i] >= '0' && k[i] <= '9'; ++i) n = n * 10 + (k[i] - '0');
        if (n > ToolLayerCount) continue;
        named.set(size_t(n));
        if (named.count() == FuzzRoundTripLayers) break;
    }
    return named;
}

// Every section once, the layer forms for the chosen layers; the working copy's TOOLS
// section is checked on its own.
std::vector<std::string> WriteAll(bool Pack, const TToolLayers& Only) {
    std::vector<std::string> w = MillsetLines(Pack, false, &Only);
    for (const auto& part : {ToolFile::ToolTechLines(false, -1, -1, &Only),
                             ToolFile::ToolPlungesLines(false, -1, -1, &Only),
                             ToolFile::ToolOutsLines(false, -1, -1, &Only), ToolGeoLines(0),
                             ToolFile::ToolTechLines(false, 0, -1), ToolFile::ToolPlungesLines(false, 0, -1),
                             ToolFile::ToolOutsLines(false, 0, -1)})
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
    std::vector<std::string> lines;
    FUZZ_REQUIRE(ReadTextLines(path, lines));
    ReadAll(path, lines);
    const TToolLayers only = NamedLayers(lines);
    // The working copy reads the section as the live tools do.
    FUZZ_REQUIRE(MillsetLines(true, true, &only) == MillsetLines(true, false, &only));
    // One of the two forms per input (a full round of both costs twice the time).
    for (bool pack : {Size % 2 == 0}) {
        // The first round brings what was read into the form the writers give it; the
        // next two must then agree (the last is only compared: written and read, it is
        // the second again). Sections are found by their start words, so each goes to
        // the file once.
        std::vector<std::string> before;
        for (int round = 0; round < 3; ++round) {
            const std::vector<std::string> w = WriteAll(pack, only);
            if (round == 2) {
                FUZZ_REQUIRE(w == before);
                break;
            }
            before = w;
            FUZZ_REQUIRE(WriteTextLinesSafe(path, w));
            ReadAll(path, w);
        }
    }
    FuzzEndInput(0);
    FuzzRestoreToolGlob();
    return 0;
}
