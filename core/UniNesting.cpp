// Grouping closed contours by nesting, one nesting level per pass.
//
// Every containment question goes first to a box index of the contours' envelopes: a
// contour can only contain a point inside its envelope (the exact test answers false
// outside it), so the index leaves the answers unchanged and each pass costs
// n log n instead of n^2 point-in-polygon tests.
#include "core/UniNesting.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPlineIndex.h"
#include "core/UniText.h"
#include "core/UniWalk.h"

void ObjTestPt(TObjHeader* Obj, Osy& P) {
    if (!Obj) return;
    switch (Obj->Type) {
        case ObjPline:
            if (PlineSegCount(Obj) > 0)
                SegMidPt(AsPline(Obj)->S, PlineSegs(Obj)[0].E, PlineSegs(Obj)[0].Alfa, P);
            else
                P = AsPline(Obj)->S;
            break;
        case ObjPoint:
            P = AsPline(Obj)->S;
            break;
        case ObjPline3D:
            P = {AsPline3D(Obj)->S.x, AsPline3D(Obj)->S.y};
            break;
        case ObjText:
            P = AsText(Obj)->Base;
            break;
        case ObjGroup:
            if (AsGroup(Obj)->First) ObjTestPt(AsGroup(Obj)->First, P);
            break;
        default:
            break;
    }
}

namespace {

TIdxBox PtBox(const Osy& P) {
    const double m = 4 * double(CoordTol) + std::fabs(double(P.x)) * 1e-15 + std::fabs(double(P.y)) * 1e-15;
    return {double(P.x) - m, double(P.y) - m, double(P.x) + m, double(P.y) + m};
}

// Box index over the envelopes of the polylines among Recs (others never contain).
class TContainIndex {
public:
    explicit TContainIndex(const std::vector<TObjHeader*>& Recs) {
        std::vector<TIdxBox> boxes;
        for (size_t k = 0; k < Recs.size(); ++k) {
            if (Recs[k]->Type != ObjPline) continue;
            Osy mn, mx;
            EnPline.Envelope(Recs[k], mn, mx);
            const double m = 4 * double(CoordTol);
            auto lo = [&](Extended v) { return double(v) - m - std::fabs(double(v)) * 1e-15; };
            auto hi = [&](Extended v) { return double(v) + m + std::fabs(double(v)) * 1e-15; };
            boxes.push_back({lo(mn.x), lo(mn.y), hi(mx.x), hi(mx.y)});
            Ids.push_back(int32_t(k));
        }
        Idx.Build(std::move(boxes));
    }
    // Positions (ascending) of the polylines whose envelope may hold P.
    void Candidates(const Osy& P, std::vector<int32_t>& Out) const {
        Out.clear();
        Idx.Query(PtBox(P), Out);
        for (int32_t& k : Out) k = Ids[size_t(k)];
        std::sort(Out.begin(), Out.end());
    }

private:
    TSegBoxIndex Idx;
    std::vector<int32_t> Ids;
};

}  // namespace

void GroupByNesting(TObjHeader*& StartAdr, TObjHeader*& EndAdr, uint8_t Layer) {
    for (TObjHeader* p = StartAdr; p; p = p->Next)
        if (p->Type == ObjPline) EnPline.FindDir(p);
    TObjHeader *gs = nullptr, *ge = nullptr;  // the groups of all passes
    std::vector<int32_t> cand;
    while (StartAdr) {
        ClearSelection(StartAdr);
        std::vector<TObjHeader*> recs;
        for (TObjHeader* p = StartAdr; p; p = p->Next) recs.push_back(p);
        const size_t n = recs.size();
        std::vector<Osy> pt(n);
        for (size_t k = 0; k < n; ++k) ObjTestPt(recs[k], pt[k]);

        // Outer contours: inside no other contour of the list.
        const TContainIndex all(recs);
        bool anyOuter = false;
        for (size_t b = 0; b < n; ++b) {
            all.Candidates(pt[b], cand);
            bool outer = true;
            for (int32_t c : cand)
                if (size_t(c) != b && EnPline.PointInside(recs[size_t(c)], pt[b])) {
                    outer = false;
                    break;
                }
            if (outer) {
                recs[b]->Flags = 3;
                anyOuter = true;
            }
        }
        // Duplicate or touching contours can hold each other's test points, so that
        // none is outer; the first one then counts as outer and the walk goes on.
        if (!anyOuter) recs[0]->Flags = 3;

        // A new group for each outer contour, in list order.
        TObjHeader *ps = nullptr, *pe = nullptr;  // this pass's groups
        std::vector<TObjHeader*> groups;
        std::vector<TObjHeader*> outers;
        std::vector<bool> left(n, true);  // still in the list
        for (size_t k = 0; k < n; ++k) {
            TObjHeader* r = recs[k];
            if (!(r->Flags & FlagSelected)) continue;
            r->Flags = FlagSelected;
            UnlinkObj(r, StartAdr, EndAdr);
            left[k] = false;
            TObjHeader* g = AllocObj(GroupRecSize, ObjGroup);
            g->Layer = Layer;
            AsGroup(g)->First = AsGroup(g)->Last = r;
            AsGroup(g)->Count = 1;
            AppendObj(g, ps, pe);
            groups.push_back(g);
            outers.push_back(r);
        }

        // Each remaining contour joins the first group whose outer contour holds it.
        const TContainIndex outerIdx(outers);
        std::vector<std::vector<size_t>> joins(groups.size());
        for (size_t d = 0; d < n; ++d) {
            if (!left[d]) continue;
            outerIdx.Candidates(pt[d], cand);
            for (int32_t g : cand)
                if (EnPline.PointInside(outers[size_t(g)], pt[d])) {
                    joins[size_t(g)].push_back(d);
                    break;
                }
        }
        for (size_t g = 0; g < groups.size(); ++g) {
            TGroupRec* gr = AsGroup(groups[g]);
            for (size_t d : joins[g]) {
                UnlinkObj(recs[d], StartAdr, EndAdr);
                AppendObj(recs[d], gr->First, gr->Last);
                ++gr->Count;
            }
        }

        // Members inside another member belong to a deeper level: back to the list.
        for (size_t g = 0; g < groups.size(); ++g) {
            TGroupRec* gr = AsGroup(groups[g]);
            const std::vector<size_t>& mem = joins[g];
            if (mem.size() < 2) continue;
            std::vector<TObjHeader*> mrec;
            for (size_t d : mem) mrec.push_back(recs[d]);
            const TContainIndex memIdx(mrec);
            std::vector<bool> inGroup(mem.size(), true);
            for (size_t m = 0; m < mem.size(); ++m) {
                memIdx.Candidates(pt[mem[m]], cand);
                for (int32_t o : cand)
                    if (size_t(o) != m && inGroup[size_t(o)] && EnPline.PointInside(mrec[size_t(o)], pt[mem[m]])) {
                        inGroup[m] = false;
                        UnlinkObj(mrec[m], gr->First, gr->Last);
                        AppendObj(mrec[m], StartAdr, EndAdr);
                        --gr->Count;
                        break;
                    }
            }
        }
        // This level's groups go in front of the outer levels' groups.
        ConcatObjLists(ps, pe, gs, ge);
        gs = ps;
        ge = pe;
    }
    StartAdr = gs;
    EndAdr = ge;
}
