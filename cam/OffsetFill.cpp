#include "cam/OffsetFill.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>
#include <string>

#include "cam/PocketRegionOffset.h"
#include "core/Builder.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniNesting.h"
#include "core/UniPlineOffsetGeom.h"
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


// A region to ring (its contours' list), or a finished list to append to the output.
struct TTask {
    TObjHeader *S = nullptr, *E = nullptr;
    bool Emit = false;
};

// The groups of a list of contours as member lists; the group records are released.
// The contours come from the region offset, which has found their directions.
std::vector<TTask> Regions(TObjHeader*& S, TObjHeader*& E, uint8_t La) {
    std::vector<TTask> Res;
    if (S && S == E && S->Type == ObjPline) {
        // A lone contour is its own region; marked as the grouping marks an outer one.
        S->Flags = FlagSelected;
        Res.push_back(TTask{S, S, false});
        S = E = nullptr;
        return Res;
    }
    GroupByNesting(S, E, La);
    while (S) {
        TObjHeader* G = S;
        UnlinkObj(G, S, E);
        TTask T{G, G, false};
        if (G->Type == ObjGroup) {
            T.S = AsGroup(G)->First;
            T.E = AsGroup(G)->Last;
            FreeObjBlock(G);
        }
        Res.push_back(T);
    }
    return Res;
}

void FreeTasks(std::vector<TTask>& V) {
    for (TTask& T : V) FreeObjList(T.S, T.E);
    V.clear();
}

// One level of plain rings: every ring goes out, then each nested group is ringed.
void SimpleLevel(TTask T, uint8_t La, Extended Step, std::vector<TTask>& Stack) {
    TObjHeader *RS = nullptr, *RE = nullptr, *FS = nullptr, *FE = nullptr;
    PocketRegionOffset(true, T.S, Step, RS, RE, FS, FE, La);
    FreeObjList(FS, FE);
    FreeObjList(T.S, T.E);
    if (!RS) return;
    TTask Out;
    Out.Emit = true;
    for (TObjHeader* p = RS; p; p = p->Next) EnPline.CopyIdent(p, Out.S, Out.E);
    std::vector<TTask> Kids = Regions(RS, RE, La);
    Stack.insert(Stack.end(), Kids.rbegin(), Kids.rend());
    Stack.push_back(Out);
}

struct TBox {
    Osy Min, Max;
};
TBox BoxOf(TObjHeader* P) {
    TBox B;
    EnPline.Envelope(P, B.Min, B.Max);
    return B;
}
bool BoxIn(const TBox& In, const TBox& Out) {
    return In.Min.x >= Out.Min.x - CoordTol && In.Min.y >= Out.Min.y - CoordTol && In.Max.x <= Out.Max.x + CoordTol &&
           In.Max.y <= Out.Max.y + CoordTol;
}

// H's outer contour lies inside G's outer contour and inside none of G's islands.
bool GroupInside(const TTask& H, const TBox& HBox, const TTask& G, const TBox& GBox) {
    if (!BoxIn(HBox, GBox) || !EnPline.PlineInside(H.S, G.S)) return false;
    for (TObjHeader* I = G.S->Next; I; I = I->Next)
        if (EnPline.PlineInside(H.S, I)) return false;
    return true;
}

// One level of rings a step apart with corner loops reaching out to the half-step
// contours; where a loop cannot be closed the half-step contour is the ring instead.
// The centre lines of the narrow places that end on a ring with loops go out last.
void CornerLevel(TTask T, uint8_t La, Extended R, Extended Step, std::vector<TTask>& Stack) {
    TObjHeader *AS = nullptr, *AE = nullptr, *BS = nullptr, *BE = nullptr, *FS = nullptr, *FE = nullptr;
    PocketRegionOffset(true, T.S, Step / 2, AS, AE, FS, FE, La);
    // Where nothing lies half a step deep, nothing lies a whole step deep either.
    const bool Deeper = AS || FS;
    FreeObjList(FS, FE);
    TObjHeader *CS = nullptr, *CE = nullptr, *TS = nullptr, *TE = nullptr;
    if (Deeper) PocketRegionOffset(true, T.S, Step, BS, BE, FS, FE, La, TS, TE);
    FreeObjList(T.S, T.E);
    CreateCenterLines(FS, FE, CS, CE, La, Step, Step);
    FreeObjList(FS, FE);
    // Where the region is exactly two steps wide the step offsets of both sides lie on
    // one line, which is that narrow place's centre line: without it the strip between
    // the rings either side stays wider than the tool.
    ConcatObjLists(CS, CE, TS, TE);
    std::vector<TTask> A = Regions(AS, AE, La), B = Regions(BS, BE, La);
    std::vector<TBox> BBox;
    for (const TTask& H : B) BBox.push_back(BoxOf(H.S));
    // The step groups by the left side of their boxes: a group inside G starts within
    // G's box.
    std::vector<size_t> ByLeft(B.size());
    for (size_t h = 0; h < B.size(); ++h) ByLeft[h] = h;
    std::sort(ByLeft.begin(), ByLeft.end(), [&](size_t a, size_t b) { return BBox[a].Min.x < BBox[b].Min.x; });
    std::vector<Osy> Kept;  // the vertices of the rings with loops
    std::vector<std::pair<TTask, std::vector<TTask>>> Levels;  // per G: what goes out, what is ringed next
    for (TTask& G : A) {
        const TBox GBox = BoxOf(G.S);
        TTask Loops;
        Loops.Emit = true;
        std::vector<size_t> Inner;
        bool Ok = false;
        std::vector<size_t> Cand;
        for (auto it = std::lower_bound(ByLeft.begin(), ByLeft.end(), GBox.Min.x - CoordTol,
                                        [&](size_t h, Extended x) { return BBox[h].Min.x < x; });
             it != ByLeft.end() && BBox[*it].Min.x <= GBox.Max.x + CoordTol; ++it)
            Cand.push_back(*it);
        std::sort(Cand.begin(), Cand.end());
        for (size_t h : Cand) {
            if (!B[h].S || !GroupInside(B[h], BBox[h], G, GBox)) continue;
            Ok = true;
            for (TObjHeader* c = B[h].S; c && Ok; c = c->Next) {
                TObjHeader* L = AddCornerLoops(c, G.S, R, Step, c == B[h].S, CS);
                if (L)
                    AppendObj(L, Loops.S, Loops.E);
                else
                    Ok = false;
            }
            if (!Ok) break;
            Inner.push_back(h);
        }
        std::vector<TTask> Next;
        if (Ok) {
            for (TObjHeader* p = Loops.S; p; p = p->Next) {
                Kept.push_back(AsPline(p)->S);
                for (int32_t i = 0; i < PlineSegCount(p); ++i) Kept.push_back(PlineSegs(p)[i].E);
            }
            for (size_t h : Inner) {
                Next.push_back(B[h]);
                B[h] = TTask{};
            }
            FreeObjList(G.S, G.E);
        } else {
            FreeObjList(Loops.S, Loops.E);
            for (TObjHeader* p = G.S; p; p = p->Next) EnPline.CopyIdent(p, Loops.S, Loops.E);
            Next.push_back(G);
        }
        G = TTask{};
        Levels.push_back({Loops, std::move(Next)});
    }
    FreeTasks(B);
    // Centre lines that meet a ring with loops belong to it.
    std::sort(Kept.begin(), Kept.end(), [](const Osy& a, const Osy& b) { return a.x < b.x; });
    auto OnKept = [&](const Osy& V) {
        auto it = std::lower_bound(Kept.begin(), Kept.end(), V.x - 2 * CoordTol,
                                   [](const Osy& a, Extended x) { return a.x < x; });
        for (; it != Kept.end() && it->x <= V.x + 2 * CoordTol; ++it)
            if (SamePt(*it, V)) return true;
        return false;
    };
    TTask Lines;
    Lines.Emit = true;
    while (CS) {
        TObjHeader* c = CS;
        UnlinkObj(c, CS, CE);
        if (c->Type == ObjPline && PlineSegCount(c) > 0 && (OnKept(AsPline(c)->S) || OnKept(PlineEndPt(c))))
            AppendObj(c, Lines.S, Lines.E);
        else
            FreeObjBlock(c);
    }
    if (Lines.S) Stack.push_back(Lines);
    for (auto L = Levels.rbegin(); L != Levels.rend(); ++L) {
        Stack.insert(Stack.end(), L->second.rbegin(), L->second.rend());
        if (L->first.S) Stack.push_back(L->first);
    }
}

// Whether every point of Pts lies within Limit of the polyline P. The points follow
// the polyline, so the search for each starts at the segment that served the one
// before and widens from there.
bool AllWithin(const TObjHeader* P, const std::vector<Osy>& Pts, Extended Limit) {
    const int32_t n = PlineSegCount(P);
    const TPlineSeg* Seg = PlineSegs(P);
    int32_t Hint = 0;
    for (const Osy& Q : Pts) {
        auto Within = [&](int32_t k) {
            if (k < 0 || k >= n || offs::fast::SegDist(Q, PlineSegStart(P, k), Seg[k].E, Seg[k].Alfa) > Limit)
                return false;
            Hint = k;
            return true;
        };
        bool Near = false;
        for (int32_t o = 0; o < n && !Near; ++o) Near = Within(Hint + o) || (o > 0 && Within(Hint - o));
        if (!Near) return false;
    }
    return true;
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
    const bool Simple = Step < R - CoordTol;
    if (Simple) WriteLog("CAM:Simple offsets");
    // An explicit stack rather than recursion (deep pockets have hundreds of ring
    // levels), popped in the order the rings nest: a ring, then everything inside it,
    // then its neighbour.
    std::vector<TTask> Stack;
    {
        TTask T;
        CopyRegion(Group, T.S, T.E);
        Stack.push_back(T);
    }
    while (!Stack.empty()) {
        TTask T = Stack.back();
        Stack.pop_back();
        if (T.Emit)
            ConcatObjLists(OutStart, OutEnd, T.S, T.E);
        else if (Simple)
            SimpleLevel(T, La, Step, Stack);
        else
            CornerLevel(T, La, R, Step, Stack);
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
        std::vector<Osy> Inner;
        for (int32_t i = 0; i + 1 < PlineSegCount(C); ++i) Inner.push_back(PlineSegs(C)[i].E);
        const bool Far = !AllWithin(A, Inner, MinDist) || !AllWithin(B, Inner, MinDist);
        TObjHeader* Merged = MergeCollinearSegs(C);
        if (Merged)
            ReplaceObj(C, Merged, OutStart, OutEnd);
        else
            DeleteObj(C, OutStart, OutEnd);
        if (Far) {
            if (Merged) DeleteObj(Merged, OutStart, OutEnd);
        } else if (Merged) {
            ++Kept;
        }
    }
    FreeObjList(DS, DE);
    WriteLog("CAM:Creating center line End");
    return Kept;
}
