// libFuzzer target: the HPGL reader. The drawing it read must be sound with finite
// coordinates; written as HPGL by our writer it must read back without a complaint.
// The replay test includes this file with KESTRILON_FUZZ_ENTRY_ONLY defined.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzReaders.h"
#include "formats/HPInDg.h"
#include "formats/HPOutDg.h"
#include "formats/UniHPGL.h"
#include "platform/Files.h"
#include "shell/MainVars.h"

// Every point and segment end of the top-level drawing is finite.
inline bool FuzzHpFinite() {
    for (const TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        if (p->Type != ObjPoint && p->Type != ObjPline) continue;
        const Osy s = AsPline(p)->S;
        if (!std::isfinite(double(s.x)) || !std::isfinite(double(s.y))) return false;
        for (int32_t i = 0; p->Type == ObjPline && i < PlineSegCount(p); ++i) {
            const TPlineSeg& g = PlineSegs(p)[i];
            if (!std::isfinite(double(g.E.x)) || !std::isfinite(double(g.E.y)) || !std::isfinite(double(g.Alfa)))
                return false;
        }
    }
    return true;
}

// ProgramDir is set and exists; the dialogs are in their start-up state.
inline void FuzzHpglFile(const std::string& Bytes, int& Messages) {
    FuzzWriteProgramFile("Fuzz.plt", Bytes);
    for (int l = 1; l <= LayerCount; ++l) Glob.TabLayer[l].Show = true;
    Osy mn, mx;
    FUZZ_REQUIRE(LoadHPGL(ProgramDir + "/Fuzz.plt", mn, mx));
    FUZZ_REQUIRE(CheckObjList(MainVars.DataStart, MainVars.DataEnd).empty());
    FUZZ_REQUIRE(FuzzHpFinite());
    HPOutputDialog->BtnFillTab->Click();
    FUZZ_REQUIRE(SaveHPGL(ProgramDir + "/Again.plt", true) || !MainVars.DataStart);
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    if (!FileExists(ProgramDir + "/Again.plt")) return;
    const int before = Messages;
    FUZZ_REQUIRE(LoadHPGL(ProgramDir + "/Again.plt", mn, mx));
    FUZZ_REQUIRE(Messages == before);
    FUZZ_REQUIRE(CheckObjList(MainVars.DataStart, MainVars.DataEnd).empty());
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
}

#ifndef KESTRILON_FUZZ_ENTRY_ONLY
// The HPGL reader and writer only read their dialogs' settings: no settings block to
// read back per input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput(FuzzResetDrawing);
    // Installed over the start-up answerer, to count the messages of the second read.
    static TAnswerAllResponder* answers = new TAnswerAllResponder;
    FuzzHpglFile(std::string(reinterpret_cast<const char*>(Data), Size), answers->Messages);
    FuzzEndInput(FuzzResetDrawing);
    return 0;
}
#endif
