// libFuzzer target: the G-code reader. Any bytes are read without fault into a sound
// object list of finite coordinates on tool layers or the origin layer, with the error
// list capped.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/ObjRecords.h"
#include "fuzz/FuzzReaders.h"
#include "output/GcodeRead.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput(FuzzResetDrawing);
    TObjHeader *s = nullptr, *e = nullptr;
    std::vector<std::string> errors;
    ReadNcText(std::string(reinterpret_cast<const char*>(Data), Size), s, e, errors);
    FUZZ_REQUIRE(CheckObjList(s, e).empty());
    FUZZ_REQUIRE(errors.size() <= MaxNcErrorLines + 1);
    for (const TObjHeader* p = s; p; p = p->Next) {
        FUZZ_REQUIRE(p->Layer == 68 || (p->Layer >= 1 && p->Layer <= 64));
        FUZZ_REQUIRE(std::isfinite(AsPline(p)->S.x) && std::isfinite(AsPline(p)->S.y));
        for (int32_t i = 0; i < PlineSegCount(p) && p->Type == ObjPline; ++i)
            FUZZ_REQUIRE(std::isfinite(PlineSegs(p)[i].E.x) && std::isfinite(PlineSegs(p)[i].Alfa));
    }
    FreeObjList(s, e);
    FuzzEndInput(FuzzResetDrawing);
    return 0;
}
