// libFuzzer target: the drill data reader. Every point it read has finite coordinates
// and a layer; the extents hold them all.
// The replay test includes this file with KESTRILON_FUZZ_ENTRY_ONLY defined.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzReaders.h"
#include "formats/UniDRL.h"
#include "shell/MainVars.h"

// ProgramDir is set and exists.
inline void FuzzDrlFile(const std::string& Bytes) {
    FuzzWriteProgramFile("Fuzz.drl", Bytes);
    Osy mn, mx;
    FUZZ_REQUIRE(LoadDrl(ProgramDir + "/Fuzz.drl", mn, mx));
    FUZZ_REQUIRE(CheckObjList(MainVars.DataStart, MainVars.DataEnd).empty());
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        const Osy s = AsPoint(p)->S;
        FUZZ_REQUIRE(p->Type == ObjPoint && p->Layer >= 1 && p->Layer <= LayerCount);
        FUZZ_REQUIRE(std::isfinite(double(s.x)) && std::isfinite(double(s.y)));
        FUZZ_REQUIRE(s.x >= mn.x && s.x <= mx.x && s.y >= mn.y && s.y <= mx.y);
    }
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
}

#ifndef KESTRILON_FUZZ_ENTRY_ONLY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput(FuzzResetGlob);
    FuzzDrlFile(std::string(reinterpret_cast<const char*>(Data), Size));
    FuzzEndInput(FuzzResetGlob);
    return 0;
}
#endif
