#include "core/UniPlineUtil.h"

#include "core/Builder.h"

namespace pline {

std::vector<Extended> PrefixLengths(const TObjHeader* Adresa) {
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    std::vector<Extended> pre(static_cast<size_t>(n) + 1);
    Extended acc = 0;
    Osy s = AsPline(Adresa)->S;
    for (int32_t i = 0; i < n; ++i) {
        pre[size_t(i)] = acc;
        acc += SegLength(s, seg[i].E, seg[i].Alfa);
        s = seg[i].E;
    }
    pre[size_t(n)] = acc;
    return pre;
}

Extended PartLength(const Osy& S, const Osy& E, Extended Alfa, const Osy& Pt) {
    if (IsLine(Alfa)) return Dist(S, Pt);
    Osy C;
    Extended R;
    ArcCenter(S, E, Alfa, C, R);
    Extended d = Angle(C, Pt) - ArcStartAngle(S, E, Alfa);
    if (std::fabs(d) < CoordTol) d = 0;
    if (Alfa > 0 && d < 0) d += Geom2Pi;
    if (Alfa < 0 && d > 0) d -= Geom2Pi;
    return R * std::fabs(d);
}

void SplitAngles(const Osy& S, const Osy& E, Extended Alfa, const Osy& X, Extended& D1, Extended& D2) {
    D1 = D2 = 0;
    if (IsLine(Alfa)) return;
    Osy C;
    Extended R;
    ArcCenter(S, E, Alfa, C, R);
    const Extended a = Angle(C, X);
    auto fix = [&](Extended d) {
        if (std::fabs(d) < CoordTol) d = 0;
        if (Alfa > 0 && d < 0) d += Geom2Pi;
        if (Alfa < 0 && d > 0) d -= Geom2Pi;
        return d;
    };
    D1 = fix(a - ArcStartAngle(S, E, Alfa));
    D2 = fix(ArcEndAngle(S, E, Alfa) - a);
}

TIdxBox SegBox(const Osy& S, const Osy& E, Extended Alfa) {
    Osy mn, mx;
    if (!IsLine(Alfa)) {
        ArcEnvelope(S, E, Alfa, mn, mx);
    } else {
        mn = {std::fmin(S.x, E.x), std::fmin(S.y, E.y)};
        mx = {std::fmax(S.x, E.x), std::fmax(S.y, E.y)};
    }
    // Ten tolerances plus the rounding of the coordinates to double.
    auto lo = [](Extended v) { return double(v) - 10 * double(CoordTol) - std::fabs(double(v)) * 1e-15; };
    auto hi = [](Extended v) { return double(v) + 10 * double(CoordTol) + std::fabs(double(v)) * 1e-15; };
    return {lo(mn.x), lo(mn.y), hi(mx.x), hi(mx.y)};
}

TObjHeader* BuildHead(const TObjHeader* Src, int32_t I, const Osy& X, uint8_t Layer,
                      TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    const TPlineSeg* seg = PlineSegs(Src);
    StartObj(AsPline(Src)->S);
    for (int32_t k = 0; k < I; ++k) AddSeg(seg[k].E, seg[k].Alfa, CoordTol);
    Extended d1, d2;
    SplitAngles(PlineSegStart(Src, I), seg[I].E, seg[I].Alfa, X, d1, d2);
    AddSeg(X, d1, CoordTol);
    return MakeObj(Layer, StartAdr, EndAdr);
}

TObjHeader* BuildTail(const TObjHeader* Src, int32_t I, const Osy& X, uint8_t Layer,
                      TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    const int32_t n = PlineSegCount(Src);
    const TPlineSeg* seg = PlineSegs(Src);
    Extended d1, d2;
    SplitAngles(PlineSegStart(Src, I), seg[I].E, seg[I].Alfa, X, d1, d2);
    StartObj(X);
    AddSeg(seg[I].E, d2, CoordTol);
    for (int32_t k = I + 1; k < n; ++k) AddSeg(seg[k].E, seg[k].Alfa, CoordTol);
    return MakeObj(Layer, StartAdr, EndAdr);
}

}  // namespace pline
