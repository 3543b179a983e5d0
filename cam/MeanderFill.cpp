#include "cam/MeanderFill.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "cam/NearestIndex.h"
#include "cam/OffsetFill.h"
#include "cam/Sort.h"
#include "core/Builder.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniNesting.h"
#include "core/UniPlineIndex.h"
#include "core/UniPlineOffsetGeom.h"
#include "core/UniPline.h"

namespace {

std::string AdrText(const void* p) { return std::to_string(reinterpret_cast<uintptr_t>(p)); }

// A place on a closed contour: segment K at fraction F of its length (line) or sweep (arc).
struct TPos {
    int K = 0;
    Extended F = 0;
};
bool operator<(const TPos& a, const TPos& b) { return a.K != b.K ? a.K < b.K : a.F < b.F; }

Osy PointAt(const Osy& S, const Osy& E, Extended Alfa, Extended F) {
    if (std::fabs(Alfa) <= CoordTol) return {S.x + (E.x - S.x) * F, S.y + (E.y - S.y) * F};
    Osy C;
    Extended R;
    ArcCenter(S, E, Alfa, C, R);
    const Extended a = std::atan2(S.y - C.y, S.x - C.x) + Alfa * F;
    return {C.x + R * std::cos(a), C.y + R * std::sin(a)};
}

// Fraction of X along the segment (X lies on it).
Extended FracOf(const Osy& S, const Osy& E, Extended Alfa, const Osy& X) {
    if (std::fabs(Alfa) <= CoordTol) {
        const Extended dx = E.x - S.x, dy = E.y - S.y, L2 = dx * dx + dy * dy;
        return L2 > 0 ? std::clamp<Extended>(((X.x - S.x) * dx + (X.y - S.y) * dy) / L2, 0, 1) : 0;
    }
    Osy C;
    Extended R;
    ArcCenter(S, E, Alfa, C, R);
    Extended d = std::atan2(X.y - C.y, X.x - C.x) - std::atan2(S.y - C.y, S.x - C.x);
    if (Alfa > 0) {
        while (d < -1e-12L) d += Geom2Pi;
    } else {
        while (d > 1e-12L) d -= Geom2Pi;
    }
    return std::clamp<Extended>(d / Alfa, 0, 1);
}

// A path under construction: points and the included angle of the segment ending at each.
struct TPath {
    std::vector<Osy> P;
    std::vector<Extended> A;  // A[i] belongs to the segment P[i] -> P[i + 1]
    int SN = -1, EN = -1;     // boundary nodes at the start and the end
    void Add(const Osy& E, Extended Alfa) {
        if (!P.empty() && SamePt(P.back(), E)) return;
        P.push_back(E);
        A.push_back(Alfa);
    }
    void Append(const TPath& B) {
        for (size_t i = 1; i < B.P.size(); ++i) Add(B.P[i], B.A[i - 1]);
    }
};

struct TContour {
    TObjHeader* Obj = nullptr;
    Osy Min, Max;
    std::vector<int> Nodes;      // node ids in contour order
    std::vector<bool> PieceUsed; // piece j runs from Nodes[j] to Nodes[j + 1] (cyclic)
};

struct TNode {
    int C = 0, J = 0;  // contour and index among its nodes
    TPos Pos;
    Osy P;
    bool Blurred = false;  // at a vertex or where crossings merged: no clean tangent
};

bool InsideRegion(const std::vector<TContour>& Cont, const Osy& M) {
    if (!EnPline.PointInside(Cont[0].Obj, M)) return false;
    for (size_t i = 1; i < Cont.size(); ++i) {
        const TContour& c = Cont[i];
        if (M.x < c.Min.x - CoordTol || M.y < c.Min.y - CoordTol || M.x > c.Max.x + CoordTol ||
            M.y > c.Max.y + CoordTol)
            continue;
        if (EnPline.PointInside(c.Obj, M)) return false;
    }
    return true;
}

struct TMeander {
    std::vector<TContour> Cont;
    std::vector<TNode> Nodes;

    Osy SegS(const TContour& c, int k) const { return PlineSegStart(c.Obj, k); }

    // The contour from node a forward to node b.
    TPath Piece(int C, int j) const {
        const TContour& c = Cont[C];
        const int m = int(c.Nodes.size());
        const TNode& a = Nodes[c.Nodes[j]];
        const TNode& b = Nodes[c.Nodes[(j + 1) % m]];
        const int n = PlineSegCount(c.Obj);
        const TPlineSeg* Seg = PlineSegs(c.Obj);
        TPath Res;
        Res.P.push_back(a.P);
        TPos at = a.Pos;
        for (int guard = 0; guard <= n + 1; ++guard) {
            const int k = at.K;
            const Osy S = SegS(c, k);
            const bool Last = k == b.Pos.K && (b.Pos.F > at.F || (m == 1 && guard > 0));
            const Extended F1 = Last ? b.Pos.F : 1;
            const Osy From = PointAt(S, Seg[k].E, Seg[k].Alfa, at.F);
            const Osy To = Last ? b.P : Seg[k].E;
            if (!SamePt(From, To)) Res.Add(To, Seg[k].Alfa * (F1 - at.F));
            if (Last) break;
            at = {(k + 1) % n, 0};
        }
        Res.SN = c.Nodes[j];
        Res.EN = c.Nodes[(j + 1) % m];
        return Res;
    }

    static TPath Reversed(const TPath& p) {
        TPath r;
        for (size_t i = p.P.size(); i-- > 0;) {
            if (r.P.empty())
                r.P.push_back(p.P[i]);
            else
                r.Add(p.P[i], -p.A[i]);
        }
        r.SN = p.EN;
        r.EN = p.SN;
        return r;
    }

    // An unused boundary piece from node E to node S (in either direction of its contour).
    bool Link(int E, int S, TPath& Out) {
        if (E < 0 || S < 0 || E == S) return false;
        const TNode &ne = Nodes[E], &ns = Nodes[S];
        if (ne.C != ns.C) return false;
        TContour& c = Cont[ne.C];
        const int m = int(c.Nodes.size());
        if (m < 2) return false;
        if ((ne.J + 1) % m == ns.J && !c.PieceUsed[ne.J]) {
            c.PieceUsed[ne.J] = true;
            Out = Piece(ne.C, ne.J);
            return true;
        }
        if ((ns.J + 1) % m == ne.J && !c.PieceUsed[ns.J]) {
            c.PieceUsed[ns.J] = true;
            Out = Reversed(Piece(ns.C, ns.J));
            return true;
        }
        return false;
    }

    // Whether the straight piece from node A to node B, which no contour crosses, lies
    // in the region: read off the contours' sides where it leaves A and reaches B, or,
    // where a tangent is not clean or the two ends disagree, tested at its middle.
    bool PieceInside(int A, int B) const {
        const Osy PA = Nodes[size_t(A)].P, PB = Nodes[size_t(B)].P;
        const Extended L = Dist(PA, PB);
        const Osy D{(PB.x - PA.x) / L, (PB.y - PA.y) / L};
        const int a = RegionSide(A, D), b = RegionSide(B, {-D.x, -D.y});
        if (a >= 0 && a == b) return a == 1;
        return InsideRegion(Cont, {(PA.x + PB.x) / 2, (PA.y + PB.y) / 2});
    }
    // 1 when a piece leaving node N in direction D enters the region, 0 when it leaves
    // it, -1 when the crossing is too flat or blurred to tell.
    int RegionSide(int N, const Osy& D) const {
        const TNode& nd = Nodes[size_t(N)];
        if (nd.Blurred) return -1;
        const TContour& c = Cont[size_t(nd.C)];
        const Osy S = SegS(c, nd.Pos.K), E = PlineSegs(c.Obj)[nd.Pos.K].E;
        const Extended Alfa = PlineSegs(c.Obj)[nd.Pos.K].Alfa;
        Osy T;
        if (std::fabs(Alfa) <= CoordTol) {
            const Extended l = Dist(S, E);
            if (!(l > 0)) return -1;
            T = {(E.x - S.x) / l, (E.y - S.y) / l};
        } else {
            // The tangent square to the radius, from the vector alone: only its side matters.
            Osy C;
            Extended R;
            offs::fast::ArcCentre(S, E, Alfa, C, R);
            const Osy u = offs::fast::Sub(nd.P, C);
            const Extended r = offs::fast::Len(u);
            if (!(r > 0)) return -1;
            T = Alfa > 0 ? Osy{-u.y / r, u.x / r} : Osy{u.y / r, -u.x / r};
        }
        const Extended Cross = T.x * D.y - T.y * D.x;
        if (std::fabs(Cross) < 1e-6L) return -1;
        const bool Ccw = !(AsPline(c.Obj)->PlineFlags & PlineCW);
        const bool InContour = (Cross > 0) == Ccw;
        return (nd.C == 0 ? InContour : !InContour) ? 1 : 0;
    }

    // Links the items into paths: from the first (or last) item, each time on to the item
    // whose start lies nearest to the path's end when a boundary piece connects the two.
    std::vector<TPath> LinkMeanderLines(bool FromFirst, std::vector<TPath> Items) {
        WriteLog("CAM:Mea join Start");
        std::vector<TPath> Out;
        std::vector<TNearestIndex::TKey> Keys;
        Keys.reserve(Items.size());
        for (size_t i = 0; i < Items.size(); ++i) Keys.push_back({Items[i].P.front(), int32_t(i)});
        TNearestIndex Index(std::move(Keys));
        // Of equally near starts the first in the list, as a scan from the front finds.
        const auto Earlier = [](const TNearestIndex::TKey& A, const TNearestIndex::TKey& B) { return A.Item < B.Item; };
        std::vector<bool> Done(Items.size(), false);
        size_t Left = Items.size(), Lo = 0, Hi = Items.size();
        auto Take = [&](size_t i) {
            Done[i] = true;
            --Left;
            Index.RemoveItem(int32_t(i));
        };
        while (Left > 0) {
            while (Done[Lo]) ++Lo;
            while (Done[Hi - 1]) --Hi;
            const size_t First = FromFirst ? Lo : Hi - 1;
            TPath Cur = std::move(Items[First]);
            Take(First);
            while (Left > 0) {
                int32_t Key = -1;
                Extended D = 0;
                if (!Index.Nearest(Cur.P.back(), Earlier, Key, D) || !(D < 1000000)) break;
                const size_t Bi = size_t(Index.At(Key).Item);
                TPath L;
                if (!Link(Cur.EN, Items[Bi].SN, L)) break;
                Cur.Append(L);
                Cur.Append(Items[Bi]);
                Cur.EN = Items[Bi].EN;
                Take(Bi);
            }
            Out.push_back(std::move(Cur));
        }
        WriteLog("CAM:Mea join End");
        return Out;
    }
};

void MakePath(const TPath& p, uint8_t La, TObjHeader*& S, TObjHeader*& E) {
    if (p.P.size() < 2) return;
    StartObj(p.P[0]);
    for (size_t i = 1; i < p.P.size(); ++i) AddSeg(p.P[i], p.A[i - 1], CoordTol);
    MakeObj(La, S, E);
}

}  // namespace

bool PointsTouch(const Osy& P1, const Osy& P2) { return Dist(P1, P2) < 0.0001L; }

void CreateMeanderLines(TObjHeader*& AreaStart, TObjHeader*& AreaEnd, TObjHeader*& OutStart, TObjHeader*& OutEnd,
                        uint8_t La, Extended Step, Extended Angle) {
    WriteLog("CAM:Creating meander path Start (La:" + std::to_string(La) + ")");
    if (!AreaStart || !(Step > 0)) {
        FreeObjList(AreaStart, AreaEnd);
        WriteLog("CAM:Creating meander path End");
        return;
    }
    TMeander M;
    for (TObjHeader* p = AreaStart; p; p = p->Next) {
        if (p->Type != ObjPline || PlineSegCount(p) == 0) continue;
        EnPline.FindDir(p);
        TContour c;
        c.Obj = p;
        EnPline.Envelope(p, c.Min, c.Max);
        M.Cont.push_back(c);
    }
    if (M.Cont.empty()) {
        FreeObjList(AreaStart, AreaEnd);
        WriteLog("CAM:Creating meander path End");
        return;
    }
    Osy Min = M.Cont[0].Min, Max = M.Cont[0].Max;
    Min = {Min.x - 1, Min.y - 1};
    Max = {Max.x + 1, Max.y + 1};
    const Extended Diag = Dist(Min, Max);
    Osy P0, P1;
    if (Angle > GeomPi2) {
        P0 = Min;
        P1 = Max;
    } else {
        P0 = {Min.x, Max.y};
        P1 = {Max.x, Min.y};
    }
    const Extended A = ::Angle(P0, P1);
    const long Count = std::lrint(std::sin(Angle - A + Geom2Pi) * Diag / Step) + 1;
    const Osy d{std::cos(Angle), std::sin(Angle)};
    const Osy n{std::cos(Angle - GeomPi2), std::sin(Angle - GeomPi2)};
    // A hair off the step grid, so that a contour edge parallel to the lines never lies on one.
    const Extended Nudge = 3.1e-6L;
    auto SOf = [&](const Osy& P) { return (P.x - P0.x) * n.x + (P.y - P0.y) * n.y - Nudge; };
    auto TOf = [&](const Osy& P) { return (P.x - P0.x) * d.x + (P.y - P0.y) * d.y; };
    auto Base = [&](long i) {
        const Extended s = Extended(i) * Step + Nudge;
        return Osy{P0.x + s * n.x, P0.y + s * n.y};
    };

    // Crossings of the contours with the lines, found per segment through the range of
    // lines its extent covers.
    struct THit {
        TPos Pos;
        Osy P;
        long Line;
    };
    std::vector<std::vector<std::pair<Extended, int>>> LineHits(size_t(std::max(0L, Count)));
    std::vector<int> Alias;  // per node: the node it stands for (itself, or the one it merged into)
    for (int ci = 0; ci < int(M.Cont.size()); ++ci) {
        TContour& c = M.Cont[ci];
        const int ns = PlineSegCount(c.Obj);
        const TPlineSeg* Seg = PlineSegs(c.Obj);
        std::vector<THit> Hits;
        for (int k = 0; k < ns; ++k) {
            const Osy S = PlineSegStart(c.Obj, k), E = Seg[k].E;
            const Extended Alfa = Seg[k].Alfa;
            Extended lo = std::min(SOf(S), SOf(E)), hi = std::max(SOf(S), SOf(E));
            const bool Arc = std::fabs(Alfa) > CoordTol;
            Osy C;
            Extended R = 0, A0 = 0;
            if (Arc) {
                offs::fast::ArcCentre(S, E, Alfa, C, R);
                A0 = std::atan2(double(S.y - C.y), double(S.x - C.x));
                lo = std::min(lo, SOf(C) - R);
                hi = std::max(hi, SOf(C) + R);
            } else if (std::fabs(SOf(S) - SOf(E)) < 1e-12L) {
                continue;  // parallel to the lines, never on one
            }
            auto Add = [&](const TPos& P, const Osy& X, long i) {
                TPos Pos = P;
                if (Pos.F >= 1 - 1e-12L) Pos = {(k + 1) % ns, 0};
                Hits.push_back({Pos, X, i});
            };
            const long i0 = std::max(0L, long(std::ceil((lo - CoordTol) / Step)));
            const long i1 = std::min(Count - 1, long(std::floor((hi + CoordTol) / Step)));
            for (long i = i0; i <= i1; ++i) {
                if (Arc) {
                    // The line's crossings with the arc's circle, kept where they lie on
                    // the arc (within the tolerance of its ends, which then take them).
                    const Extended h = SOf(C) - Extended(i) * Step;
                    if (std::fabs(h) > R + CoordTol) continue;
                    const Extended w = std::sqrt(std::max<Extended>(0, R * R - h * h));
                    const Osy F{C.x - h * n.x, C.y - h * n.y};
                    const Extended Sweep = std::fabs(Alfa), Eps = CoordTol / (R * Sweep);
                    for (const Extended s : {-w, w}) {
                        if (s > 0 && w <= 1e-9L) break;
                        Osy X{F.x + s * d.x, F.y + s * d.y};
                        Extended u = std::atan2(double(X.y - C.y), double(X.x - C.x)) - A0;
                        if (Alfa < 0) u = -u;
                        while (u < 0) u += Geom2Pi;
                        while (u >= Geom2Pi) u -= Geom2Pi;
                        Extended f = u / Sweep;
                        if (f > 1 + Eps) {
                            if ((Geom2Pi - u) / Sweep > Eps) continue;
                            f = 0;
                        }
                        if (f <= Eps) {
                            f = 0;
                            X = S;
                        } else if (f >= 1 - Eps) {
                            f = 1;
                            X = E;
                        }
                        Add({k, f}, X, i);
                    }
                    continue;
                }
                const Osy B = Base(i);
                const Osy L1{B.x - Diag * d.x, B.y - Diag * d.y}, L2{B.x + Diag * d.x, B.y + Diag * d.y};
                Osy X[2];
                const unsigned cnt = IntersSegSeg(L1, L2, S, E, 0, Alfa, X[0], X[1]);
                if (cnt == 2) continue;
                for (unsigned h = 0; h < cnt; ++h) Add({k, FracOf(S, E, Alfa, X[h])}, X[h], i);
            }
        }
        std::sort(Hits.begin(), Hits.end(), [](const THit& a, const THit& b) { return a.Pos < b.Pos; });
        for (size_t h = 0; h < Hits.size(); ++h) {
            const bool Same = !c.Nodes.empty() && SamePt(M.Nodes[c.Nodes.back()].P, Hits[h].P);
            if (!Same) {
                TNode Nd;
                Nd.C = ci;
                Nd.J = int(c.Nodes.size());
                Nd.Pos = Hits[h].Pos;
                Nd.P = Hits[h].P;
                Nd.Blurred = Nd.Pos.F < 1e-9L || Nd.Pos.F > 1 - 1e-9L;
                c.Nodes.push_back(int(M.Nodes.size()));
                M.Nodes.push_back(Nd);
                Alias.push_back(int(Alias.size()));
            } else {
                M.Nodes[size_t(c.Nodes.back())].Blurred = true;
            }
            LineHits[size_t(Hits[h].Line)].push_back({TOf(Hits[h].P), c.Nodes.back()});
        }
        // The first and the last crossing of a closed contour can be one point.
        if (c.Nodes.size() > 1 && SamePt(M.Nodes[c.Nodes.front()].P, M.Nodes[c.Nodes.back()].P)) {
            const int Dup = c.Nodes.back(), Keep = c.Nodes.front();
            c.Nodes.pop_back();
            Alias[size_t(Dup)] = Keep;
            M.Nodes[size_t(Keep)].Blurred = true;
        }
        c.PieceUsed.assign(c.Nodes.size(), false);
    }
    for (auto& LH : LineHits)
        for (auto& h : LH) h.second = Alias[size_t(h.second)];

    // The line pieces inside the region, in the meander's alternating directions.
    std::vector<TPath> Items;
    for (long i = 0; i < Count; ++i) {
        auto& H = LineHits[size_t(i)];
        std::sort(H.begin(), H.end());
        std::vector<std::pair<Extended, int>> U;
        for (const auto& h : H) {
            if (U.empty() || !SamePt(M.Nodes[U.back().second].P, M.Nodes[h.second].P))
                U.push_back(h);
            else if (h.second != U.back().second)
                M.Nodes[size_t(U.back().second)].Blurred = true;
        }
        std::vector<TPath> OnLine;
        for (size_t k = 0; k + 1 < U.size(); ++k) {
            const Osy A1 = M.Nodes[U[k].second].P, A2 = M.Nodes[U[k + 1].second].P;
            if (PointsTouch(A1, A2)) continue;
            if (!M.PieceInside(U[k].second, U[k + 1].second)) continue;
            TPath p;
            p.P = {A1, A2};
            p.A = {0};
            p.SN = U[k].second;
            p.EN = U[k + 1].second;
            OnLine.push_back(p);
        }
        // Odd lines (counted from 1) run from E2 to E1, even ones back.
        if (i % 2 == 1) {
            std::reverse(OnLine.begin(), OnLine.end());
            for (TPath& p : OnLine) p = TMeander::Reversed(p);
        }
        for (TPath& p : OnLine) Items.push_back(std::move(p));
    }
    std::vector<TPath> Paths = M.LinkMeanderLines(true, std::move(Items));
    Paths = M.LinkMeanderLines(false, std::move(Paths));
    for (const TPath& p : Paths) MakePath(p, La, OutStart, OutEnd);
    FreeObjList(AreaStart, AreaEnd);
    WriteLog("CAM:Creating meander path End");
}

void CreateFills(TObjHeader* First, TObjHeader* Last, bool Meander, uint8_t La, TObjHeader*& OutStart,
                 TObjHeader*& OutEnd, Extended R, Extended Angle, Extended Step, bool CopyContours) {
    WriteLog("CAM:Creating fills Start (La:" + std::to_string(La) + " InAdrStart:" + AdrText(First) +
             ", InAdrEnd:" + AdrText(Last) + ")");
    TObjHeader *WS = nullptr, *WE = nullptr;
    for (TObjHeader* p = First; p; p = p->Next) {
        if (p->Type == ObjPline) EnPline.CopyIdent(p, WS, WE);
        if (p == Last) break;
    }
    if (WS && WS == WE) {
        // A lone contour is its own region: its direction, and the grouping's mark.
        EnPline.FindDir(WS);
        WS->Flags = FlagSelected;
    } else {
        GroupByNesting(WS, WE, La);
    }
    TObjHeader *RS = nullptr, *RE = nullptr;
    if (Meander) {
        WriteLog("CAM:Meander fill");
        for (TObjHeader* G = WS; G;) {
            TObjHeader* Next = G->Next;
            UnlinkObj(G, WS, WE);
            if (G->Type == ObjGroup) {
                TObjHeader *MS = AsGroup(G)->First, *ME = AsGroup(G)->Last;
                FreeObjBlock(G);
                CreateMeanderLines(MS, ME, RS, RE, La, Step, Angle);
            } else {
                TObjHeader *MS = G, *ME = G;
                CreateMeanderLines(MS, ME, RS, RE, La, Step, Angle);
            }
            G = Next;
        }
        SortLayer(La, RS, RE, Osy{0, 0}, TSortOptions{});
    } else {
        WriteLog("CAM:Offset fill");
        for (TObjHeader* G = WS; G; G = G->Next) CreateOffsetRings(G, RS, RE, La, R, Step);
        ReverseObjList(RS, RE);
        if (CopyContours)
            for (TObjHeader* p = First; p; p = p->Next) {
                if (p->Type == ObjPline) EnPline.CopyIdent(p, RS, RE);
                if (p == Last) break;
            }
        FreeObjList(WS, WE);
    }
    ConcatObjLists(OutStart, OutEnd, RS, RE);
    WriteLog("CAM:Creating fills End");
}

TObjHeader* JoinPlines(TObjHeader* A, TObjHeader* B, TObjHeader*& ListStart, TObjHeader*& ListEnd) {
    WriteLog("CAM:Pline join Start");
    if (A == B) {
        WriteLog("CAM:Identical pline, exit");
        WriteLog("CAM:Pline join End");
        return A;
    }
    const int32_t na = PlineSegCount(A), nb = PlineSegCount(B);
    TObjHeader* N = AllocObj(PlineSizeFor(na + nb), ObjPline);
    N->Layer = A->Layer;
    N->Flags = A->Flags;
    AsPline(N)->PlineFlags = 0;
    AsPline(N)->S = AsPline(A)->S;
    std::copy(PlineSegs(A), PlineSegs(A) + na, PlineSegs(N));
    std::copy(PlineSegs(B), PlineSegs(B) + nb, PlineSegs(N) + na);
    DeleteObj(A, ListStart, ListEnd);
    DeleteObj(B, ListStart, ListEnd);
    WriteLog("CAM:Pline join End");
    return N;
}

void JoinFills(TObjHeader*& PathsStart, TObjHeader*& PathsEnd, TObjHeader* BoundFirst) {
    WriteLog("CAM:Joining fills Start");
    if (!PathsStart || !BoundFirst) {
        WriteLog("CAM:No fills to join, exit");
        WriteLog("CAM:Joining fills End");
        return;
    }
    // The boundary contours' boxes: a link is tested only against those it meets.
    std::vector<TObjHeader*> Bound;
    std::vector<TIdxBox> Boxes;
    for (TObjHeader* b = BoundFirst; b; b = b->Next) {
        if (b->Type != ObjPline) continue;
        Osy Min, Max;
        EnPline.Envelope(b, Min, Max);
        Bound.push_back(b);
        Boxes.push_back({double(Min.x - CoordTol), double(Min.y - CoordTol), double(Max.x + CoordTol),
                         double(Max.y + CoordTol)});
    }
    TSegBoxIndex Index;
    Index.Build(std::move(Boxes));
    std::vector<int32_t> Near;
    TObjHeader *OS = nullptr, *OE = nullptr;
    TObjHeader* Cur = PathsStart;
    UnlinkObj(Cur, PathsStart, PathsEnd);
    while (PathsStart) {
        TObjHeader* Next = PathsStart;
        UnlinkObj(Next, PathsStart, PathsEnd);
        const Osy E = PlineEndPt(Cur), S = AsPline(Next)->S;
        TObjHeader *LS = nullptr, *LE = nullptr;
        if (!SamePt(E, S)) {
            StartObj(E);
            AddSeg(S, 0, CoordTol);
            MakeObj(Cur->Layer, LS, LE);
        }
        bool Crosses = false;
        if (LS) {
            Near.clear();
            Index.QuerySorted({double(std::min(E.x, S.x)), double(std::min(E.y, S.y)), double(std::max(E.x, S.x)),
                               double(std::max(E.y, S.y))},
                              Near);
            for (size_t k = 0; k < Near.size() && !Crosses; ++k) {
                Osy X;
                Crosses = EnPline.CrossTest(LS, Bound[size_t(Near[k])], X);
            }
        }
        if (Crosses) {
            FreeObjList(LS, LE);
            AppendObj(Cur, OS, OE);
            Cur = Next;
            continue;
        }
        TObjHeader *TS = nullptr, *TE = nullptr;
        AppendObj(Cur, TS, TE);
        if (TObjHeader* Link = LS) {
            UnlinkObj(Link, LS, LE);
            AppendObj(Link, TS, TE);
            Cur = JoinPlines(Cur, Link, TS, TE);
            AppendObj(Cur, TS, TE);
        }
        AppendObj(Next, TS, TE);
        Cur = JoinPlines(Cur, Next, TS, TE);
    }
    AppendObj(Cur, OS, OE);
    PathsStart = OS;
    PathsEnd = OE;
    WriteLog("CAM:Joining fills End");
}
