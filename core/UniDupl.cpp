// Whether two polylines describe the same path.
#include <cmath>

#include "core/UniArea.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"

namespace {

// Segment by segment: the same end points and the same angles.
bool SameSegments(const TObjHeader* A, const TObjHeader* B) {
    const int32_t n = PlineSegCount(A);
    if (n != PlineSegCount(B)) return false;
    const TPlineSeg* sa = PlineSegs(A);
    const TPlineSeg* sb = PlineSegs(B);
    for (int32_t i = 0; i < n; ++i)
        if (!SamePt(sa[i].E, sb[i].E) || std::fabs(sa[i].Alfa - sb[i].Alfa) > CoordTol) return false;
    return true;
}

// The comparison proper, on a copy of Adr2 that the caller frees (Copy may be
// replaced by a rebuilt record).
bool Compare(TObjHeader* Adr1, TObjHeader* Adr2, TObjHeader*& Copy, TObjHeader*& CS, TObjHeader*& CE) {
    const Osy S = AsPline(Adr1)->S;
    if (EnPline.OpenPline(Adr1)) {
        if (!EnPline.OpenPline(Adr2)) return false;
        Copy = EnPline.CopyIdent(Adr2, CS, CE);
        if (!SamePt(AsPline(Copy)->S, S)) EnPline.ChangeDir(Copy);
        if (!SamePt(AsPline(Copy)->S, S)) return false;
        return SameSegments(Adr1, Copy);
    }
    if (EnPline.OpenPline(Adr2)) return false;
    EnPline.FindDir(Adr1);
    EnPline.FindDir(Adr2);
    const bool cross1 = AsPline(Adr1)->PlineFlags == PlineSelfCross;
    const bool cross2 = AsPline(Adr2)->PlineFlags == PlineSelfCross;
    if (cross1 != cross2) return false;
    Copy = EnPline.CopyIdent(Adr2, CS, CE);
    if ((AsPline(Adr1)->PlineFlags & PlineCW) != (AsPline(Copy)->PlineFlags & PlineCW)) EnPline.ChangeDir(Copy);
    if (!SamePt(AsPline(Copy)->S, S)) {
        const int32_t n = PlineSegCount(Copy);
        const TPlineSeg* seg = PlineSegs(Copy);
        bool found = false;
        for (int32_t i = 0; i < n && !found; ++i) found = SamePt(seg[i].E, S);
        if (!found) return false;
        const Osy d{0.001L, 0.001L};
        TObjHeader* moved = EnPline.ChangeStart(Copy, S, {S.x - d.x, S.y - d.y}, {S.x + d.x, S.y + d.y});
        if (!moved) return false;
        AppendObj(moved, CS, CE);  // freed with the copy
        return SameSegments(Adr1, moved);
    }
    return SameSegments(Adr1, Copy);
}

}  // namespace

bool Duplicity(TObjHeader* Adr1, TObjHeader* Adr2) {
    if (!Adr1 || !Adr2 || Adr1->Type != ObjPline || Adr2->Type != ObjPline) return false;
    if (Adr1->Size != Adr2->Size) return false;
    TObjHeader *copy = nullptr, *cs = nullptr, *ce = nullptr;
    const bool same = Compare(Adr1, Adr2, copy, cs, ce);
    FreeObjList(cs, ce);
    return same;
}
