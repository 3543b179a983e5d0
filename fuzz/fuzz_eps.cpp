// libFuzzer target: the PostScript, EPS and Illustrator reader, curves as arcs or as
// lines by the input's length. The drawing it read must be sound with finite
// coordinates within the page limits.
// The replay test includes this file with KESTRILON_FUZZ_ENTRY_ONLY defined.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzReaders.h"
#include "formats/EpsInDg.h"
#include "formats/UniEPS.h"
#include "shell/MainVars.h"

// ProgramDir is set and exists.
inline void FuzzEpsFile(const std::string& Bytes) {
    FuzzWriteProgramFile("Fuzz.eps", Bytes);
    if (!EpsInputDialog) CreateEpsInputDialog();
    EpsInputDialog->RBtnToArc->Checked = Bytes.size() % 2 == 0;
    EpsInputDialog->RBtnToLine->Checked = Bytes.size() % 2 != 0;
    Osy mn, mx;
    FUZZ_REQUIRE(LoadEps(ProgramDir + "/Fuzz.eps", mn, mx));
    FUZZ_REQUIRE(CheckObjList(MainVars.DataStart, MainVars.DataEnd).empty());
    for (const TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        FUZZ_REQUIRE(p->Type == ObjPline && p->Layer == LayerOrig);
        const Osy s = AsPline(p)->S;
        FUZZ_REQUIRE(std::fabs(s.x) <= 20000 && std::fabs(s.y) <= 20000);
        for (int32_t i = 0; i < PlineSegCount(p); ++i) {
            const TPlineSeg& g = PlineSegs(p)[i];
            FUZZ_REQUIRE(std::isfinite(double(g.Alfa)));
            FUZZ_REQUIRE(std::fabs(g.E.x) <= 20000.001L && std::fabs(g.E.y) <= 20000.001L);
        }
    }
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
}

#ifndef KESTRILON_FUZZ_ENTRY_ONLY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    // The reader only reads the settings record (the error and the input filter): the
    // record (a megabyte with its layer tools) is not copied back for every input.
    FuzzBeginInput(0);
    FuzzEpsFile(std::string(reinterpret_cast<const char*>(Data), Size));
    FuzzEndInput(0);
    return 0;
}
#endif
