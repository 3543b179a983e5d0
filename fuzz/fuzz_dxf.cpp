// libFuzzer target: the DXF reader. The drawing it read must be sound with finite
// coordinates; written as DXF and read again it must give the same points and
// polylines with the same segments.
// The replay test includes this file with KESTRILON_FUZZ_ENTRY_ONLY defined.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzReaders.h"
#include "formats/UniDXF.h"
#include "shell/MainVars.h"

// Points and polylines of the drawing at any depth: kind and segment count of each,
// and whether every coordinate is finite.
inline std::vector<int32_t> FuzzDxfShapes(const TObjHeader* First, bool& Finite) {
    std::vector<int32_t> shapes;
    for (const TObjHeader* p = First; p; p = p->Next) {
        if (p->Type == ObjGroup) {
            const std::vector<int32_t> inner = FuzzDxfShapes(static_cast<const TGroupRec*>(p)->First, Finite);
            shapes.insert(shapes.end(), inner.begin(), inner.end());
        } else if (p->Type == ObjPoint || p->Type == ObjPline) {
            const int32_t n = p->Type == ObjPline ? PlineSegCount(p) : -1;
            shapes.push_back(n);
            const Osy s = AsPline(p)->S;
            Finite = Finite && std::isfinite(double(s.x)) && std::isfinite(double(s.y));
            for (int32_t i = 0; i < n; ++i) {
                const TPlineSeg& g = PlineSegs(p)[i];
                Finite = Finite && std::isfinite(double(g.E.x)) && std::isfinite(double(g.E.y)) &&
                         std::isfinite(double(g.Alfa));
            }
        }
    }
    return shapes;
}

// ProgramDir is set and exists.
inline void FuzzDxfFile(const std::string& Bytes) {
    FuzzWriteProgramFile("Fuzz.dxf", Bytes);
    for (int l = 1; l <= LayerCount; ++l) Glob.TabLayer[l].Show = true;
    Osy mn, mx;
    LoadDxf(ProgramDir + "/Fuzz.dxf", mn, mx);
    FUZZ_REQUIRE(CheckObjList(MainVars.DataStart, MainVars.DataEnd).empty());
    bool finite = true;
    const std::vector<int32_t> first = FuzzDxfShapes(MainVars.DataStart, finite);
    FUZZ_REQUIRE(finite);
    FUZZ_REQUIRE(SaveDxf(ProgramDir + "/Again.dxf", true));
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    FUZZ_REQUIRE(LoadDxf(ProgramDir + "/Again.dxf", mn, mx));
    FUZZ_REQUIRE(CheckObjList(MainVars.DataStart, MainVars.DataEnd).empty());
    FUZZ_REQUIRE(FuzzDxfShapes(MainVars.DataStart, finite) == first);
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
}

#ifndef KESTRILON_FUZZ_ENTRY_ONLY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput(FuzzResetDrawing);
    FuzzDxfFile(std::string(reinterpret_cast<const char*>(Data), Size));
    FuzzEndInput(FuzzResetDrawing);
    return 0;
}
#endif
