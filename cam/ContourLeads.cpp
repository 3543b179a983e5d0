#include "cam/ContourLeads.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "commands/ComCommon.h"
#include "core/Builder.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"

namespace {

constexpr int ArcSamples = 32;  // points tested along each lead arc
constexpr int Halvings = 6;     // the smallest lead tried is 1/64 of the asked radius

Osy Polar(const Osy& C, Extended R, Extended A) { return {C.x + R * std::cos(A), C.y + R * std::sin(A)}; }

Extended DistTo(const TObjHeader* Src, const Osy& P) {
    int32_t Sect = 0;
    return EnPline.DistPoint(Src, P, Sect);
}

// The lead arcs of radius Rad at Q0, leaving in direction A, keep Dist from the source.
bool LeadsFit(const TObjHeader* Src, const Osy& Q0, Extended A, Extended Rad, Extended TgUhel, Extended s, bool TgIn,
              bool TgOut, Extended Dist) {
    const Osy T = Polar(Q0, Rad, A);
    for (int k = 1; k <= ArcSamples; ++k) {
        const Extended Turn = s * TgUhel * k / ArcSamples;
        if (TgIn && DistTo(Src, Polar(T, Rad, A - GeomPi + Turn)) < Dist - CoordTol) return false;
        if (TgOut && DistTo(Src, Polar(T, Rad, A - GeomPi - Turn)) < Dist - CoordTol) return false;
    }
    return true;
}

struct TCandidate {
    int32_t Seg;
    Extended Len;
    Osy M;       // the middle of the segment
    Extended A;  // the normal there, away from the source
};

// The middle of every segment with its normal away from the source, straight segments
// first, each kind longest first.
std::vector<TCandidate> Candidates(const TObjHeader* Src, const TObjHeader* Path, Extended Off) {
    std::vector<TCandidate> C;
    const TPlineSeg* Seg = PlineSegs(Path);
    const Extended e = std::min<Extended>(0.01L, Off / 2);
    for (int32_t i = 0, n = PlineSegCount(Path); i < n; ++i) {
        const Osy S = PlineSegStart(Path, i);
        Osy M;
        SegMidPt(S, Seg[i].E, Seg[i].Alfa, M);
        Extended Len = Dist(S, Seg[i].E), Dir = Angle(S, Seg[i].E);
        if (std::fabs(Seg[i].Alfa) > CoordTol) {
            Osy Ctr;
            Extended R = 0;
            ArcCenter(S, Seg[i].E, Seg[i].Alfa, Ctr, R);
            Len = std::fabs(Seg[i].Alfa) * R;
            Dir = Angle(Ctr, M) + GeomPi2;
        }
        if (Len <= 10 * CoordTol) continue;
        Extended A = Dir + GeomPi2;
        if (DistTo(Src, Polar(M, e, A)) < DistTo(Src, Polar(M, e, A + GeomPi))) A += GeomPi;
        C.push_back({i, Len, M, NormAngleOf(A)});
    }
    std::stable_sort(C.begin(), C.end(), [&](const TCandidate& a, const TCandidate& b) {
        const bool la = std::fabs(Seg[a.Seg].Alfa) <= CoordTol, lb = std::fabs(Seg[b.Seg].Alfa) <= CoordTol;
        return la != lb ? la : a.Len > b.Len;
    });
    return C;
}

// The closed path started at the middle of segment I.
TObjHeader* StartAtMiddle(const TObjHeader* Path, int32_t I, const Osy& M, uint8_t La) {
    const TPlineSeg* Seg = PlineSegs(Path);
    const int32_t n = PlineSegCount(Path);
    StartObj(M);
    AddSeg(Seg[I].E, Seg[I].Alfa / 2, CoordTol);
    for (int32_t k = 1; k < n; ++k) AddSeg(Seg[(I + k) % n].E, Seg[(I + k) % n].Alfa, CoordTol);
    AddSeg(M, Seg[I].Alfa / 2, CoordTol);
    TObjHeader *S = nullptr, *E = nullptr;
    TObjHeader* New = MakeObj(La, S, E);
    if (New) EnPline.OpenPline(New);
    return New;
}

}  // namespace

TLeadPlace PlaceLeads(const TObjHeader* Src, const TObjHeader* Path, bool TgIn, bool TgOut, Extended Dist,
                      Extended Rad, Extended TgUhel, Extended s, uint8_t La) {
    const Osy Q0 = AsPline(Path)->S;
    TLeadPlace Res{NormAngleOf(Angle(FirstPt(const_cast<TObjHeader*>(Src)), Q0)), Rad};
    if (!(TgIn || TgOut) || !(Rad > CoordTol) || !(Dist > CoordTol) || EnPline.OpenPline(const_cast<TObjHeader*>(Path)))
        return Res;
    if (LeadsFit(Src, Q0, Res.A, Rad, TgUhel, s, TgIn, TgOut, Dist)) return Res;
    const std::vector<TCandidate> C = Candidates(Src, Path, Dist);
    Extended R = Rad;
    for (int h = 0; h <= Halvings; ++h, R /= 2)
        for (const TCandidate& c : C) {
            if (!LeadsFit(Src, c.M, c.A, R, TgUhel, s, TgIn, TgOut, Dist)) continue;
            TObjHeader* New = StartAtMiddle(Path, c.Seg, c.M, La);
            if (!New) continue;
            WriteLog("CAM:Lead moved to X:" + GeneralNumText(c.M.x) + " Y:" + GeneralNumText(c.M.y));
            if (h > 0) WriteLog("CAM:Lead radius reduced to " + GeneralNumText(R));
            return TLeadPlace{c.A, R, New};
        }
    WriteLog("CAM:No room for the lead, left out");
    return TLeadPlace{Res.A, 0};
}
