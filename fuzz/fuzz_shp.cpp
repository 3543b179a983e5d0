// libFuzzer target: the ".shp" stroke-font loader and, for a font it accepts, the
// shape interpreter in all four modes, plain and distorted.
// The replay test includes this file with KESTRILON_FUZZ_ENTRY_ONLY defined.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzReaders.h"
#include "core/Glob.h"
#include "core/IntFont.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/ResetState.h"
#include "core/UniLog.h"
#include "platform/RecordingCanvas.h"

// Loads Bytes as a font; for a font it accepts, writes characters 1..255 in every mode,
// plain and distorted, each built object list sound. False when the font is refused.
inline bool FuzzShpFont(const std::string& Bytes) {
    FontFreeMem();
    if (!LoadFontBytes("Fuzz.shp", Bytes)) return false;
    Glob.ZoomMin = Osy{-100, -100};
    Glob.ZoomMax = Osy{100, 100};
    Glob.BoduNaMm = 4;
    Glob.Okno = Osy{800, 800};
    std::string all;
    for (int c = 1; c < 256; ++c) all += char(c);
    TRecordingCanvas canvas;
    for (int distorted = 0; distorted < 2; ++distorted) {
        WorkText = ParText{};
        WorkText.JmFontu = "FUZZ.SHP";
        WorkText.Text = all;
        WorkText.Vyska = 5;
        WorkText.WidthFactor = distorted ? 0.7L : 1;
        WorkText.Zkos = distorted ? 0.2L : 0;
        WorkText.MirrorY = distorted;
        for (int mode = ShpDraw; mode <= ShpBuild; ++mode) {
            TObjHeader *s = nullptr, *e = nullptr;
            canvas.Reset();
            WalkShpText(mode, Osy{-1, -1}, Osy{1, 1}, &canvas, 1, 1, s, e);
            FUZZ_REQUIRE(CheckObjList(s, e) == "");
            FreeObjList(s, e);
        }
        WalkShpTextGdi(&canvas);
    }
    return true;
}

#ifndef KESTRILON_FUZZ_ENTRY_ONLY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static const bool ready = [] {
        ResetAllState();
        return true;
    }();
    (void)ready;
    FuzzShpFont(std::string(reinterpret_cast<const char*>(Data), Size));
    // The font, the text and the direction search's memo of the built outlines given back
    // within the input: libFuzzer then finds as many frees as allocations and leaves out
    // its leak check, which costs more than the input.
    FontFreeMem();
    WorkText = ParText{};
    pline::ForgetDirs();
    ResetLog();
    return 0;
}
#endif
