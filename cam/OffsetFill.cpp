#include "cam/OffsetFill.h"

#include <cmath>
#include <deque>
#include <string>

#include "cam/PocketRegionOffset.h"
#include "core/Builder.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniNesting.h"
#include "core/UniPline.h"

namespace {

std::string AdrText(const void* p) { return std::to_string(reinterpret_cast<uintptr_t>(p)); }

// A copy of the region's contours as one list.
void CopyRegion(TObjHeader* Group, TObjHeader*& S, TObjHeader*& E) {
    if (Group->Type == ObjGroup) {
        for (TObjHeader* p = AsGroup(Group)->First; p; p = p->Next)
            if (p->Type == ObjPline) EnPline.CopyIdent(p, S, E);
    } else if (Group->Type == ObjPline) {
        EnPline.CopyIdent(Group, S, E);
    }
}

}  // namespace

void CreateOffsetRings(TObjHeader* Group, TObjHeader*& OutStart, TObjHeader*& OutEnd, uint8_t La, Extended R,
                       Extended Step) {
    WriteLog("CAM:Creating offsets Start (La:" + std::to_string(La) + ", Adr:" + AdrText(Group) +
             ", OutAdrStart:" + AdrText(OutStart) + ", OutAdrEnd:" + AdrText(OutEnd) + ")");
    if (!(Step > 0)) {
        WriteLog("CAM:Creating offsets End");
        return;
    }
    // Rings of at least the tool radius apart would leave the corners between them
    // uncut; they are made at half the step instead.
    const bool Simple = Step < R - CoordTol;
    if (Simple) WriteLog("CAM:Simple offsets");
    const Extended D = Simple ? Step : Step / 2;
    // A work queue rather than recursion: deep pockets have hundreds of ring levels.
    std::deque<std::pair<TObjHeader*, TObjHeader*>> Work;
    {
        TObjHeader *S = nullptr, *E = nullptr;
        CopyRegion(Group, S, E);
        Work.push_back({S, E});
    }
    while (!Work.empty()) {
        auto [S, E] = Work.front();
        Work.pop_front();
        TObjHeader *RS = nullptr, *RE = nullptr, *FS = nullptr, *FE = nullptr;
        PocketRegionOffset(true, S, D, RS, RE, FS, FE, La);
        FreeObjList(FS, FE);
        FreeObjList(S, E);
        if (!RS) continue;
        for (TObjHeader* p = RS; p; p = p->Next) EnPline.CopyIdent(p, OutStart, OutEnd);
        GroupByNesting(RS, RE, La);
        while (RS) {
            TObjHeader* G = RS;
            UnlinkObj(G, RS, RE);
            TObjHeader *MS = G, *ME = G;
            if (G->Type == ObjGroup) {
                MS = AsGroup(G)->First;
                ME = AsGroup(G)->Last;
                FreeObjBlock(G);
            }
            Work.push_back({MS, ME});
        }
    }
    WriteLog("CAM:Creating offsets End");
}

TObjHeader* MergeCollinearSegs(const TObjHeader* Pl) {
    WriteLog("CAM:Filter Start");
    const int32_t n = PlineSegCount(Pl);
    const TPlineSeg* Seg = PlineSegs(Pl);
    StartObj(AsPline(Pl)->S);
    for (int32_t i = 0; i < n; ++i) {
        const Osy X = Seg[i].E;
        const int32_t b = BuildSegCount();
        if (i > 0 && b > 0 && std::fabs(Seg[i].Alfa) <= CoordTol && std::fabs(BuildSegs()[b - 1].Alfa) <= CoordTol) {
            const Osy Last = BuildSegs()[b - 1].E;
            const Osy Before = b > 1 ? BuildSegs()[b - 2].E : BuildStartPt();
            const Extended d = NormAngleOf(::Angle(Last, X) - ::Angle(Before, Last));
            if (!SamePt(Last, X) && (d <= CoordTol || d >= Geom2Pi - CoordTol)) {
                BuildSegs()[b - 1].E = X;
                continue;
            }
        }
        AddSeg(X, Seg[i].Alfa, CoordTol);
    }
    TObjHeader *S = nullptr, *E = nullptr;
    TObjHeader* Res = MakeObj(Pl->Layer, S, E);
    if (Res) {
        UnlinkObj(Res, S, E);
        EnPline.OpenPline(Res);
    }
    WriteLog("CAM:Filter End");
    return Res;
}

int CreateCenterLines(TObjHeader* First, TObjHeader* Last, TObjHeader*& OutStart, TObjHeader*& OutEnd, uint8_t La,
                      Extended MinDist, Extended MaxDist) {
    WriteLog("CAM:Creating center line Start (La:" + std::to_string(La) + ")");
    TObjHeader *DS = nullptr, *DE = nullptr;
    for (TObjHeader* p = First; p; p = p->Next) {
        if (p->Type == ObjPline) {
            StartObj(AsPline(p)->S);
            for (int32_t i = 0; i < PlineSegCount(p); ++i) {
                const Osy P = PlineSegStart(p, i), E = PlineSegs(p)[i].E;
                const Extended Alfa = PlineSegs(p)[i].Alfa;
                const Extended L = Dist(P, E);
                if (std::fabs(Alfa) <= CoordTol && L > 0.2L) {
                    const int m = int(std::ceil(L / 0.2L));
                    for (int o = 1; o <= m; ++o) AddSeg({P.x + (E.x - P.x) * o / m, P.y + (E.y - P.y) * o / m}, 0, CoordTol);
                } else {
                    AddSeg(E, Alfa, CoordTol);
                }
            }
            TObjHeader* c = MakeObj(p->Layer, DS, DE);
            if (c && c->Type == ObjPline) EnPline.OpenPline(c);
        }
        if (p == Last) break;
    }
    int Kept = 0;
    for (TObjHeader* A = DS; A && A->Next; A = A->Next->Next) {
        TObjHeader* B = A->Next;
        if (A->Type != ObjPline || B->Type != ObjPline || PlineSegCount(B) == 0) continue;
        Osy M;
        SegMidPt(AsPline(B)->S, PlineSegs(B)[0].E, PlineSegs(B)[0].Alfa, M);
        const bool ToRight = EnPline.PointRight(A, M);
        TObjHeader* Before = OutEnd;
        TObjHeader* LimS = B;
        TObjHeader* LimE = B;
        // The axis reads the limit list from LimS to LimE: B alone.
        TObjHeader* SavNext = B->Next;
        B->Next = nullptr;
        EnPline.Axis(A, LimS, LimE, ToRight, MaxDist, OutStart, OutEnd, La);
        B->Next = SavNext;
        if (OutEnd == Before || !OutEnd || OutEnd->Type != ObjPline) continue;
        TObjHeader* C = OutEnd;
        AsPline(C)->S = AsPline(A)->S;
        if (PlineSegCount(C) > 0) PlineSegs(C)[PlineSegCount(C) - 1].E = PlineEndPt(A);
        Extended r = -1;
        for (int32_t i = 0; i + 1 < PlineSegCount(C); ++i) {
            const Osy V = PlineSegs(C)[i].E;
            int32_t at = 0;
            r = std::max({r, EnPline.DistPoint(A, V, at), EnPline.DistPoint(B, V, at)});
        }
        TObjHeader* Merged = MergeCollinearSegs(C);
        if (Merged)
            ReplaceObj(C, Merged, OutStart, OutEnd);
        else
            DeleteObj(C, OutStart, OutEnd);
        if (r > MinDist) {
            if (Merged) DeleteObj(Merged, OutStart, OutEnd);
        } else if (Merged) {
            ++Kept;
        }
    }
    FreeObjList(DS, DE);
    WriteLog("CAM:Creating center line End");
    return Kept;
}
