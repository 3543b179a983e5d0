// libFuzzer target: the post-processor file "Gcode.cfg". Any bytes give a configuration
// the export runs with: a drawing of a line, an arc, a circle and a point is written
// without fault, and every number of the program is finite and never "-0".
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/Builder.h"
#include "core/TextFile.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "fuzz/FuzzReaders.h"
#include "output/NcOut.h"
#include "shell/MainVars.h"
#include "tools/ToolDg.h"
#include "tools/ToolLibFile.h"
#include "tools/UniTType.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput(FuzzResetDrawing);
    FuzzWriteProgramFile("Gcode.cfg", std::string(reinterpret_cast<const char*>(Data), Size));
    // The tools are made on the first input (and after a replay test's reset): the export
    // reads them and leaves the settings record as it found it.
    if (Glob.Material.empty()) {
        InitMaterial();
        InitToolLib();
        InitTool();
        InitToolType();
    }
    for (TLayer& l : Glob.TabLayer) l.Show = true;
    TObjHeader*& s = MainVars.DataStart;
    TObjHeader*& e = MainVars.DataEnd;
    EnPline.LineAdd(Osy{0, 0}, Osy{10, 0}, 1, s, e);
    EnPline.ArcAdd(Osy{10, 0}, Osy{20, 5}, -2.5L, 1, s, e);
    EnPline.CircleAdd(Osy{5, 5}, 0.3L, 2, s, e);
    EnPoint.Add(Osy{3, 3}, 2, s, e);
    const std::string target = ProgramDir + "/out.nc";
    if (SaveNc(target, true)) {
        std::string text;
        FUZZ_REQUIRE(ReadFileBytes(target, text));
        // Lines copied from a file the configuration names (it may name itself) are the
        // user's; only the lines the writer composed are checked.
        // Words of the configuration may hold any text: a check applies only when they
        // cannot have brought it.
        const std::string cfg(reinterpret_cast<const char*>(Data), Size);
        const std::vector<std::string> own = SplitTextLines(cfg);
        auto says = [&](const char* S) { return cfg.find(S) != std::string::npos; };
        for (const std::string& line : SplitTextLines(text)) {
            if (std::find(own.begin(), own.end(), line) != own.end()) continue;
            if (!says("nan")) FUZZ_REQUIRE(line.find("nan") == std::string::npos);
            if (!says("inf")) FUZZ_REQUIRE(line.find("inf") == std::string::npos);
            // A word that ends in "-" (its closing quote follows) stands before a number.
            if (says("-0") || says("-'")) continue;
            for (size_t at = line.find("-0"); at != std::string::npos; at = line.find("-0", at + 1)) {
                const size_t end = line.find_first_not_of("0.", at + 1);
                FUZZ_REQUIRE(end != std::string::npos && line[end] >= '1' && line[end] <= '9');
            }
        }
    }
    FreeObjList(s, e);
    FuzzEndInput(FuzzResetDrawing);
    return 0;
}
