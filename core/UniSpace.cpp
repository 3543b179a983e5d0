// The 3D polyline entity: queries, flat images, transforms, copies and reversal.
#include "core/UniSpace.h"

#include <cmath>
#include <vector>

#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniDraw.h"

TEnSpace EnSpace;

namespace {

// Above this many segments a non-proportional scaling is refused: the pieces of a
// strongly unequal scaling would not fit in memory.
constexpr int64_t MaxNpropSegs = 1000000;

Osy XY(const Osy3D& P) { return {P.x, P.y}; }

bool Straight(Extended Alfa) { return std::fabs(Alfa) <= CoordTol; }

// The point before segment i (S for the first).
const Osy3D& Seg3DStart(const TObjHeader* p, int32_t i) {
    return i == 0 ? AsPline3D(p)->S : Pline3DSegs(p)[i - 1].E;
}

bool Sloped(const Osy3D& P, const Osy3D& E) { return std::fabs(E.z - P.z) > CoordTol; }

void Widen(Osy& Min, Osy& Max, const Osy& P) {
    if (P.x < Min.x) Min.x = P.x;
    if (P.y < Min.y) Min.y = P.y;
    if (P.x > Max.x) Max.x = P.x;
    if (P.y > Max.y) Max.y = P.y;
}

// Applies F to the x and y of the start point and of every segment end.
template <class Fn>
void MapPoints(TObjHeader* Adresa, Fn F) {
    TPline3DRec* r = AsPline3D(Adresa);
    auto Map = [&](Osy3D& P) {
        Osy Q = F(XY(P));
        P.x = Q.x;
        P.y = Q.y;
    };
    Map(r->S);
    int32_t n = Pline3DSegCount(Adresa);
    TPlineSeg3D* s = Pline3DSegs(Adresa);
    for (int32_t i = 0; i < n; ++i) Map(s[i].E);
}

Osy RotatePt(const Osy& P, const Osy& Base, Extended Ang) {
    Extended a = NormAngleOf(Angle(Base, P) + Ang);
    Extended r = Dist(Base, P);
    return {Base.x + r * std::cos(a), Base.y + r * std::sin(a)};
}

Osy MirrorPt(const Osy& P, const Osy& P1, const Osy& P2) {
    Extended g = 2 * Angle(P1, P2) - Angle(P1, P);
    Extended r = Dist(P1, P);
    return {P1.x + r * std::cos(g), P1.y + r * std::sin(g)};
}

void ClearSel(TObjHeader* p) { p->Flags &= uint8_t(~FlagSelected); }

// The x-y image of a 3D polyline as a new unlinked 2D record. Built directly rather
// than through the shared object builder, so it may run while a build is being made
// (making a 3D polyline asks FindDir, which takes this image). A segment whose end
// repeats the last point taken exactly in x and y is dropped, as the builder does with
// repeat tolerance 0. Nothing taken: a point record at (S.x, S.y).
TObjHeader* FlatImage(const TObjHeader* Adresa, bool FlatOnly) {
    const TPline3DRec* r = AsPline3D(Adresa);
    const TPlineSeg3D* s = Pline3DSegs(Adresa);
    int32_t n = Pline3DSegCount(Adresa);
    std::vector<TPlineSeg> Segs;
    Segs.reserve(size_t(n));
    Osy Last = XY(r->S);
    Osy3D P = r->S;
    for (int32_t i = 0; i < n; ++i) {
        const Osy3D& E = s[i].E;
        bool Take = !FlatOnly || !Sloped(P, E);
        P = E;
        if (!Take) continue;
        Osy Q = XY(E);
        if (std::fabs(Last.x - Q.x) <= 0 && std::fabs(Last.y - Q.y) <= 0) continue;
        Segs.push_back({s[i].Alfa, Q});
        Last = Q;
    }
    if (Segs.empty()) {
        TObjHeader* pt = AllocObj(PointRecSize, ObjPoint);
        pt->Layer = Adresa->Layer;
        AsPoint(pt)->S = XY(r->S);
        return pt;
    }
    TObjHeader* pl = AllocObj(PlineSizeFor(int32_t(Segs.size())), ObjPline);
    pl->Layer = Adresa->Layer;
    AsPline(pl)->S = XY(r->S);
    TPlineSeg* d = PlineSegs(pl);
    for (size_t i = 0; i < Segs.size(); ++i) d[i] = Segs[i];
    EnPline.FindDir(pl);
    return pl;
}

// Length of a 2D point or polyline record.
Extended Length2D(const TObjHeader* p) {
    if (p->Type != ObjPline) return 0;
    return EnPline.Length(p);
}

}  // namespace

// ---------------------------------------------------------------- queries

void TEnSpace::Envelope(const TObjHeader* Adresa, Osy& Min, Osy& Max) {
    Min = Max = XY(AsPline3D(Adresa)->S);
    int32_t n = Pline3DSegCount(Adresa);
    const TPlineSeg3D* s = Pline3DSegs(Adresa);
    for (int32_t i = 0; i < n; ++i) {
        Osy E = XY(s[i].E);
        if (Straight(s[i].Alfa)) {
            Widen(Min, Max, E);
        } else {
            Osy AMin, AMax;
            ArcEnvelope(XY(Seg3DStart(Adresa, i)), E, s[i].Alfa, AMin, AMax);
            Widen(Min, Max, AMin);
            Widen(Min, Max, AMax);
        }
    }
}

Extended TEnSpace::Length(const TObjHeader* Adresa) {
    TObjHeader* Img = Only2D(Adresa);
    Extended L = Length2D(Img);
    FreeObjBlock(Img);
    int32_t n = Pline3DSegCount(Adresa);
    const TPlineSeg3D* s = Pline3DSegs(Adresa);
    for (int32_t i = 0; i < n; ++i) {
        const Osy3D& P = Seg3DStart(Adresa, i);
        if (Sloped(P, s[i].E)) L += Dist3D(P, s[i].E);
    }
    return L;
}

bool TEnSpace::OpenPline(TObjHeader* Adresa) {
    TPline3DRec* r = AsPline3D(Adresa);
    int32_t n = Pline3DSegCount(Adresa);
    const Osy3D& L = n > 0 ? Pline3DSegs(Adresa)[n - 1].E : r->S;
    if (Dist3D(r->S, L) <= Glob.JoinTol) {
        r->PlineFlags |= PlineClosed;
        return false;
    }
    r->PlineFlags &= uint8_t(~PlineClosed);
    return true;
}

bool TEnSpace::FindDir(TObjHeader* Adresa) {
    if (OpenPline(Adresa)) return false;
    // Without segments there is no path whose orientation could be read.
    if (Pline3DSegCount(Adresa) == 0) return false;
    TObjHeader* Img = Only2D(Adresa);
    bool CW = Img->Type == ObjPline && EnPline.FindDir(Img);
    FreeObjBlock(Img);
    return CW;
}

TObjHeader* TEnSpace::Only2D(const TObjHeader* Adresa) { return FlatImage(Adresa, true); }

TObjHeader* TEnSpace::To2D(const TObjHeader* Adresa) { return FlatImage(Adresa, false); }

// ---------------------------------------------------------------- transforms

void TEnSpace::Move(TObjHeader* Adresa, const Osy& Rel) {
    MapPoints(Adresa, [&](const Osy& P) { return Osy{P.x + Rel.x, P.y + Rel.y}; });
    ClearSel(Adresa);
}

void TEnSpace::RawMove(TObjHeader* Adresa, const Osy& Rel) {
    MapPoints(Adresa, [&](const Osy& P) { return Osy{P.x + Rel.x, P.y + Rel.y}; });
    Draw(Adresa, MainCanvas);
}

void TEnSpace::Rotate(TObjHeader* Adresa, const Osy& Base, Extended Ang) {
    MapPoints(Adresa, [&](const Osy& P) { return RotatePt(P, Base, Ang); });
    ClearSel(Adresa);
}

void TEnSpace::RawRotate(TObjHeader* Adresa, const Osy& Base, Extended Ang) {
    MapPoints(Adresa, [&](const Osy& P) { return RotatePt(P, Base, Ang); });
    RawDraw(Adresa, MainCanvas);
}

void TEnSpace::Scale(TObjHeader* Adresa, const Osy& Base, Extended F) {
    MapPoints(Adresa, [&](const Osy& P) {
        return Osy{Base.x + F * (P.x - Base.x), Base.y + F * (P.y - Base.y)};
    });
    ClearSel(Adresa);
}

void TEnSpace::RawScale(TObjHeader* Adresa, const Osy& Base, Extended F) {
    Scale(Adresa, Base, F);
    Draw(Adresa, MainCanvas);
}

namespace {
void MirrorRec(TObjHeader* Adresa, const Osy& P1, const Osy& P2) {
    MapPoints(Adresa, [&](const Osy& P) { return MirrorPt(P, P1, P2); });
    int32_t n = Pline3DSegCount(Adresa);
    TPlineSeg3D* s = Pline3DSegs(Adresa);
    for (int32_t i = 0; i < n; ++i) s[i].Alfa = -s[i].Alfa;
}
}  // namespace

void TEnSpace::Mirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2) {
    MirrorRec(Adresa, P1, P2);
    ClearSel(Adresa);
}

void TEnSpace::RawMirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2) {
    MirrorRec(Adresa, P1, P2);
    RawDraw(Adresa, MainCanvas);
}

bool TEnSpace::NpropScale(TObjHeader* Adresa, const Osy& Base, const Osy& Sc, TObjHeader*& StartAdr,
                          TObjHeader*& EndAdr, TObjHeader*& Adr) {
    if (!(Sc.x > 0 && Sc.y > 0)) {
        WriteLog("Err:Non-proportional scale refused, factors must be positive (Adr:" +
                 std::to_string(uintptr_t(Adresa)) + ", x:" + std::to_string(double(Sc.x)) +
                 ", y:" + std::to_string(double(Sc.y)) + ")");
        return false;
    }
    // The largest arc kept whole.
    Extended Ratio = Sc.y <= Sc.x ? Sc.y / Sc.x : Sc.x / Sc.y;
    Extended F = Ratio * GeomPi / 4;
    int32_t n = Pline3DSegCount(Adresa);
    const TPlineSeg3D* s = Pline3DSegs(Adresa);

    // Pieces of each source segment (halves round to even, the default rounding mode).
    std::vector<int64_t> K(size_t(n), 1);
    int64_t Total = 0;
    for (int32_t i = 0; i < n; ++i) {
        Extended A = std::fabs(s[i].Alfa);
        if (A > F) {
            Extended k = std::nearbyint(A / F);
            K[size_t(i)] = k < 1 ? 1 : (k > Extended(MaxNpropSegs) ? MaxNpropSegs + 1 : int64_t(k));
        }
        Total += K[size_t(i)];
        if (Total > MaxNpropSegs) {
            WriteLog("Err:Non-proportional scale refused, too many arc pieces (Adr:" +
                     std::to_string(uintptr_t(Adresa)) + ")");
            return false;
        }
    }
    ClearSel(Adresa);

    // The unscaled path with the long arcs cut.
    TObjHeader* N = AllocObj(Pline3DSizeFor(int32_t(Total)), ObjPline3D);
    TPline3DRec* nr = AsPline3D(N);
    const TPline3DRec* r = AsPline3D(Adresa);
    N->Layer = Adresa->Layer;
    N->Flags = Adresa->Flags;
    N->SavedFlags = Adresa->SavedFlags;
    nr->PlineFlags = r->PlineFlags;
    nr->S = r->S;
    TPlineSeg3D* d = Pline3DSegs(N);
    int32_t j = 0;
    for (int32_t i = 0; i < n; ++i) {
        Osy P = XY(Seg3DStart(Adresa, i));
        const TPlineSeg3D& g = s[i];
        int64_t k = K[size_t(i)];
        if (k == 1 || Straight(g.Alfa)) {
            d[j++] = g;
            continue;
        }
        Osy C;
        Extended R;
        ArcCenter(P, XY(g.E), g.Alfa, C, R);
        Extended a0 = ArcStartAngle(P, XY(g.E), g.Alfa);
        Extended Step = g.Alfa / Extended(k);
        for (int64_t q = 1; q <= k; ++q) {
            Extended a = a0 + Extended(q) * Step;
            d[j++] = {Step, {C.x + R * std::cos(a), C.y + R * std::sin(a), g.E.z}};
        }
        d[j - 1].E.x = g.E.x;  // the last piece ends exactly where the arc did
        d[j - 1].E.y = g.E.y;
    }

    ReplaceObj(Adresa, N, StartAdr, EndAdr);
    Adr = N;

    // Scale in place; each arc's angle is re-fitted through its scaled middle point.
    auto Sp = [&](const Osy& P) {
        return Osy{Base.x + Sc.x * (P.x - Base.x), Base.y + Sc.y * (P.y - Base.y)};
    };
    Osy Prev0 = XY(nr->S);  // unscaled start of the current segment
    Osy Sn = Sp(Prev0);
    nr->S.x = Sn.x;
    nr->S.y = Sn.y;
    for (int32_t i = 0; i < j; ++i) {
        Osy E0 = XY(d[i].E);
        Osy S1 = Sp(Prev0), E1 = Sp(E0);
        if (!Straight(d[i].Alfa)) {
            Osy M0;
            SegMidPt(Prev0, E0, d[i].Alfa, M0);
            Osy M1 = Sp(M0);
            Extended a = Dist(S1, E1), b = Dist(S1, M1), c = Dist(M1, E1);
            if (a * b > 0) {
                Extended Cos = (a * a + b * b - c * c) / (2 * a * b);
                Cos = Cos < -1 ? -1 : (Cos > 1 ? 1 : Cos);
                Extended NewAlfa = 4 * std::acos(Cos);
                d[i].Alfa = d[i].Alfa < 0 ? -NewAlfa : NewAlfa;
            }
        }
        d[i].E.x = E1.x;
        d[i].E.y = E1.y;
        Prev0 = E0;
    }
    Draw(N, MainCanvas);
    return true;
}

TObjHeader* TEnSpace::Copy(TObjHeader* Adresa, const Osy& Rel, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    ClearSel(Adresa);
    TObjHeader* N = CopyObjBlock(Adresa);
    N->SavedFlags = 0;
    AppendObj(N, StartAdr, EndAdr);
    MapPoints(N, [&](const Osy& P) { return Osy{P.x + Rel.x, P.y + Rel.y}; });
    TCanvas* Canv = MainCanvas;
    Draw(Adresa, Canv);
    Draw(N, Canv);
    return N;
}

TObjHeader* TEnSpace::CopyIdent(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    return AppendObj(CopyObjBlock(Adresa), StartAdr, EndAdr);
}

void TEnSpace::ChangeDir(TObjHeader* Adresa) {
    TPline3DRec* r = AsPline3D(Adresa);
    int32_t n = Pline3DSegCount(Adresa);
    TPlineSeg3D* s = Pline3DSegs(Adresa);
    if (n > 0) {
        // New segment j is old segment n-1-j run backwards: its angle negated, its end
        // where that old segment starts.
        std::vector<TPlineSeg3D> Rev(static_cast<size_t>(n));
        for (int32_t j = 0; j < n; ++j) {
            int32_t o = n - 1 - j;
            Rev[size_t(j)] = {-s[o].Alfa, Seg3DStart(Adresa, o)};
        }
        r->S = s[n - 1].E;
        for (int32_t j = 0; j < n; ++j) s[j] = Rev[size_t(j)];
    }
    ClearSel(Adresa);
    r->PlineFlags ^= PlineCW;
}
