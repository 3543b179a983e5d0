// libFuzzer target: the PCB reader. A file it refuses adds nothing; a file it reads
// gives a sound drawing with finite coordinates and extents that hold every track end.
// The replay test includes this file with KESTRILON_FUZZ_ENTRY_ONLY defined.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzReaders.h"
#include "formats/FormicaInDg.h"
#include "formats/UniFormica.h"
#include "shell/MainVars.h"

// ProgramDir is set and exists.
inline void FuzzFormicaFile(const std::string& Bytes) {
    FuzzWriteProgramFile("Fuzz.pcb", Bytes);
    if (!FormicaInDg) CreateFormicaInDg();
    // Odd sizes read the tracks as centre lines, even sizes outline them.
    FormicaInDg->ChBoxSingle->Checked = Bytes.size() % 2 == 1;
    Osy mn, mx;
    const bool read = LoadFormica(ProgramDir + "/Fuzz.pcb", mn, mx);
    FUZZ_REQUIRE(read || !MainVars.DataStart);
    FUZZ_REQUIRE(CheckObjList(MainVars.DataStart, MainVars.DataEnd).empty());
    FUZZ_REQUIRE(std::isfinite(double(mn.x)) && std::isfinite(double(mx.y)));
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        FUZZ_REQUIRE(p->Layer >= 1 && p->Layer <= LayerCount);
        if (p->Type != ObjPline) continue;
        const Osy s = AsPline(p)->S;
        FUZZ_REQUIRE(std::isfinite(double(s.x)) && std::isfinite(double(s.y)));
        for (int32_t i = 0; i < PlineSegCount(p); ++i) {
            const TPlineSeg& g = PlineSegs(p)[i];
            FUZZ_REQUIRE(std::isfinite(double(g.E.x)) && std::isfinite(double(g.E.y)) && std::isfinite(double(g.Alfa)));
        }
    }
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
}

#ifndef KESTRILON_FUZZ_ENTRY_ONLY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput(FuzzResetGlob);
    FuzzFormicaFile(std::string(reinterpret_cast<const char*>(Data), Size));
    FuzzEndInput(FuzzResetGlob);
    return 0;
}
#endif
