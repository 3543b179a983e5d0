// Helpers of the polyline tests: records built directly, a drawing list that is freed
// after each test, and a view on a recording canvas.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "platform/RecordingCanvas.h"
#include "shell/MainVars.h"
#include "support/DrawArea.h"
#include "support/Fixture.h"

namespace pltest {

struct Seg {
    Osy E;
    Extended Alfa = 0;
};

// A polyline record (Layer 1), flags as given, not linked.
inline TObjHeader* Pline(Osy S, const std::vector<Seg>& Segs, uint8_t PlineFlags = 0) {
    TObjHeader* r = AllocObj(PlineSizeFor(int32_t(Segs.size())), ObjPline);
    r->Layer = 1;
    AsPline(r)->S = S;
    AsPline(r)->PlineFlags = PlineFlags;
    for (size_t i = 0; i < Segs.size(); ++i) PlineSegs(r)[i] = {Segs[i].Alfa, Segs[i].E};
    return r;
}

// Straight segments through the points; the direction flags computed.
inline TObjHeader* Poly(const std::vector<Osy>& Pts) {
    std::vector<Seg> segs;
    for (size_t i = 1; i < Pts.size(); ++i) segs.push_back({Pts[i]});
    TObjHeader* r = Pline(Pts[0], segs);
    EnPline.FindDir(r);
    return r;
}

inline bool Near(const Osy& a, const Osy& b, Extended tol = 1e-9L) {
    return std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol;
}

// Every field of two polyline records but the list links, compared exactly.
inline bool SameRecord(const TObjHeader* a, const TObjHeader* b) {
    if (a->Size != b->Size || a->Layer != b->Layer || a->Flags != b->Flags || a->SavedFlags != b->SavedFlags ||
        a->Type != b->Type || AsPline(a)->PlineFlags != AsPline(b)->PlineFlags ||
        AsPline(a)->S.x != AsPline(b)->S.x || AsPline(a)->S.y != AsPline(b)->S.y)
        return false;
    for (int32_t i = 0; i < PlineSegCount(a); ++i) {
        const TPlineSeg &x = PlineSegs(a)[i], &y = PlineSegs(b)[i];
        if (x.Alfa != y.Alfa || x.E.x != y.E.x || x.E.y != y.E.y) return false;
    }
    return true;
}

// A fixture owning a list (freed afterwards) and a 800 x 600 recording canvas showing
// world 0..100 x 0..75 at 8 px/mm, layers 1 and 68 shown.
class PlineTest : public KestrilonTest {
protected:
    TObjHeader *L = nullptr, *LE = nullptr;  // the test's own list
    TRecordingCanvas Canv{800, 600};

    void SetUp() override {
        KestrilonTest::SetUp();
        SetTestDrawArea();
        for (int l : {1, 2, 68}) {
            Glob.TabLayer[size_t(l)].Show = true;
            Glob.TabLayer[size_t(l)].Color = 0x000000F0u + uint32_t(l);
        }
        const uint32_t dirColors[DirKindCount] = {0x0000FF, 0x00FF00, 0x00FFFF, 0xFF00FF, 0xFFFF00};
        for (int k = 0; k < DirKindCount; ++k) Glob.Direct[size_t(k)] = {true, dirColors[k]};
        MainCanvas = &Canv;
    }
    void TearDown() override {
        MainCanvas = nullptr;
        FreeObjList(L, LE);
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
        KestrilonTest::TearDown();
    }
    TObjHeader* Add(TObjHeader* r) { return AppendObj(r, L, LE); }
    TObjHeader* AddDrawing(TObjHeader* r) { return AppendObj(r, MainVars.DataStart, MainVars.DataEnd); }
    static int32_t Count(const TObjHeader* s) { return CountObjs(s); }
};

}  // namespace pltest
