// Polylines, texts and groups of the G-code export: passes over a polyline with the
// plunge strategy its role in the machining operations and the tool ask for.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <tuple>
#include <vector>

#include "cam/CamOpList.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniText.h"
#include "output/NcClamps.h"
#include "output/NcOut.h"
#include "platform/Dialogs.h"
#include "shell/UniLang.h"
#include "tools/ToolDg.h"

namespace {

constexpr Extended DegToRad = 0.017453292519943295769L;
constexpr Extended MinLeg = 0.01L;      // a shorter partial ramp leg is dropped
constexpr Extended MaxLegs = 10000;     // more legs or loops than this: plunge vertically
constexpr Extended MaxPlungeMoves = 1e6L;  // nor when the legs or loops would take more moves

// A leg or loop count a rounding error away from a whole number is that number, so
// no partial leg of a few nanometres appears.
Extended WholeIfNear(Extended N) {
    const Extended w = std::round(N);
    return std::fabs(N - w) < 1e-9L ? w : N;
}

enum TStrategy { sNone, sVertical, sRamp, sDescent, sHelix };

struct TPlan {
    TStrategy How = sNone;
    int Kind = 1;     // 1 open, 2 closed: the plunge object of a vertical or ramp plunge
    int Obj = 2;      // the plunge object of a descent or helix
    std::string Name;  // the log name of the strategy
};

// One polyline being written: its record and the derived values of the call.
struct TPl {
    TObjHeader* A;
    bool Closed;
    int Role = 0;     // 0 free, 1 source of an operation, 2 generated path
    int OpIndex = -1;
    int32_t N;
    const TPlineSeg* Seg;
    Osy Start;
};

Extended SegLen(const Osy& S, const TPlineSeg& G) {
    if (std::fabs(G.Alfa) <= CoordTol) return Dist(S, G.E);
    Osy C;
    Extended Rad;
    ArcCenter(S, G.E, G.Alfa, C, Rad);
    return std::fabs(G.Alfa) * Rad;
}

// The point Len along segment G (from S); an arc also gives the partial angle.
Osy AlongSeg(const Osy& S, const TPlineSeg& G, Extended Len, Extended& PartAlfa) {
    PartAlfa = 0;
    if (std::fabs(G.Alfa) <= CoordTol) {
        const Extended d = Dist(S, G.E);
        if (d <= CoordTol) return S;
        return Osy{S.x + (G.E.x - S.x) * Len / d, S.y + (G.E.y - S.y) * Len / d};
    }
    Osy C;
    Extended Rad;
    ArcCenter(S, G.E, G.Alfa, C, Rad);
    PartAlfa = (G.Alfa > 0 ? 1 : -1) * Len / Rad;
    const Extended a = Angle(C, S) + PartAlfa;
    return Osy{C.x + Rad * std::cos(a), C.y + Rad * std::sin(a)};
}

// One point of a ramp path: the end of a segment piece.
struct RPMap {
    bool isArc;
    Osy Pt;
    Extended Alfa;
};

// The path from the start to length Len: entry 0 is the start point.
std::vector<RPMap> RampPath(const TPl& P, Extended Len) {
    std::vector<RPMap> m{RPMap{false, P.Start, 0}};
    Extended done = 0;
    Osy prev = P.Start;
    for (int32_t i = 0; i < P.N && done < Len - CoordTol; ++i) {
        const Extended l = SegLen(prev, P.Seg[i]);
        const bool arc = std::fabs(P.Seg[i].Alfa) > CoordTol;
        if (done + l <= Len + CoordTol) {
            m.push_back(RPMap{arc, P.Seg[i].E, P.Seg[i].Alfa});
        } else {
            Extended part;
            const Osy pt = AlongSeg(prev, P.Seg[i], Len - done, part);
            m.push_back(RPMap{arc, pt, arc ? part : P.Seg[i].Alfa});
        }
        done += l;
        prev = P.Seg[i].E;
    }
    return m;
}

Extended PieceLen(const RPMap& From, const RPMap& To) {
    return SegLen(From.Pt, TPlineSeg{To.isArc ? To.Alfa : 0, To.Pt});
}

// The ramp quantities of plunge object Kind; false when no finite ramp exists.
struct TRamp {
    Extended RL, D, N, Rem, Slope;
};
bool RampQuantities(TNcRun& R, const TPl& P, int Kind, Extended sZ, Extended eZ, bool DropShortLeg, TRamp& Q) {
    const TToolPlunge& pl = R.Tool().Material.Zapich[Kind];
    const Extended A = pl.RampAngle * DegToRad;
    const Extended L = EnPline.Length(P.A);
    if (!(pl.RampAngle > 0.001L && pl.RampAngle < 89.999L) || !(L > CoordTol) || !(sZ - eZ > CoordTol)) return false;
    Q.RL = pl.RampLength > CoordTol ? std::min(pl.RampLength, L) : L;
    Q.D = Q.RL * std::tan(A);
    Q.N = WholeIfNear((sZ - eZ) / Q.D);
    if (!std::isfinite(Q.N) || Q.N > MaxLegs || Q.N * P.N > MaxPlungeMoves) return false;
    Q.Rem = Q.RL * (Q.N - std::trunc(Q.N));
    if (DropShortLeg && Q.Rem < MinLeg) {
        Q.RL -= Q.Rem;
        Q.Rem = 0;
        Q.N = std::trunc(Q.N);
        if (Q.N < 1 || !(Q.RL > CoordTol)) return false;
        Q.D = (sZ - eZ) / Q.N;
    }
    Q.Slope = Q.D / Q.RL;
    return true;
}

Osy PathPoint(const TPl& P, Extended S) {
    Extended done = 0, part;
    Osy prev = P.Start;
    for (int32_t i = 0; i < P.N; ++i) {
        const Extended l = SegLen(prev, P.Seg[i]);
        if (done + l >= S) return AlongSeg(prev, P.Seg[i], S - done, part);
        done += l;
        prev = P.Seg[i].E;
    }
    return prev;
}

void CutAll(TNcRun& R, const TPl& P) {
    Osy prev = P.Start;
    for (int32_t i = 0; i < P.N; ++i) {
        if (std::fabs(P.Seg[i].Alfa) <= CoordTol)
            NcMoveXY(R, false, P.Seg[i].E);
        else
            NcArcXY(R, prev, P.Seg[i].E, P.Seg[i].Alfa);
        prev = P.Seg[i].E;
    }
}

// Moves from entry K to entry K-1 of a ramp path (backwards) or the other way.
void RampPiece(TNcRun& R, const std::vector<RPMap>& M, size_t K, bool Back, Extended Z0, Extended Z1) {
    const RPMap& from = Back ? M[K] : M[K - 1];
    const RPMap& to = Back ? M[K - 1] : M[K];
    const Extended alfa = Back ? -M[K].Alfa : M[K].Alfa;
    if (!Back && Z0 == Z1) {
        // A leg forward stays at its height: plain XY moves.
        if (M[K].isArc)
            NcArcXY(R, from.Pt, to.Pt, alfa);
        else
            NcMoveXY(R, false, to.Pt);
        return;
    }
    if (M[K].isArc)
        NcArcXYZ(R, Osy3D{from.Pt.x, from.Pt.y, Z0}, Osy3D{to.Pt.x, to.Pt.y, Z1}, alfa);
    else
        NcMoveXYZ(R, false, Osy3D{to.Pt.x, to.Pt.y, Z1});
}

void RampPlunge(TNcRun& R, const TPl& P, int Kind, int Pass, Extended sZ, Extended eZ, const TRamp& Q) {
    const TTool& T = R.Tool();
    NcFeed(R, false, NcPlungeFeed(T, Pass, Kind));
    Extended Z = sZ;
    if (Q.Rem >= MinLeg) {
        const std::vector<RPMap> m = RampPath(P, Q.Rem);
        for (size_t k = m.size() - 1; k >= 1; --k) {
            const Extended z0 = Z;
            Z -= Q.Slope * PieceLen(m[k - 1], m[k]);
            RampPiece(R, m, k, true, z0, Z);
        }
    }
    const std::vector<RPMap> m = RampPath(P, Q.RL);
    const long legs = long(Q.N);
    for (long l = 0; l < legs; ++l) {
        for (size_t k = 1; k < m.size(); ++k) RampPiece(R, m, k, false, Z, Z);
        for (size_t k = m.size() - 1; k >= 1; --k) {
            const Extended z0 = Z;
            Z -= Q.Slope * PieceLen(m[k - 1], m[k]);
            if (l == legs - 1 && k == 1) Z = eZ;
            RampPiece(R, m, k, true, z0, Z);
        }
    }
    NcFeed(R, false, T.Pruchod[Pass].Posuv);
    CutAll(R, P);
}

// The descent along a closed path at the spiral angle of plunge object Obj, then the
// completion of the path at the pass depth. False when no finite descent exists.
bool DescentAngle(TNcRun& R, const TPl& P, int Obj, Extended sZ, Extended eZ, Extended& Tan, long& Loops) {
    const TTool& T = R.Tool();
    const Extended L = EnPline.Length(P.A);
    Extended A2 = T.Material.Zapich[Obj].SpiralAngle;
    if (!(A2 > 0.001L && A2 < 89.999L) || !(L > CoordTol) || !(sZ - eZ > CoordTol)) return false;
    A2 *= DegToRad;
    Extended per = std::tan(A2) * L;
    if (Obj == poPocketFin && per > T.Material.Tech.Ap && T.Material.Tech.Ap > CoordTol) {
        per = T.Material.Tech.Ap;
        A2 = std::atan(per / L);
    }
    Extended loops = WholeIfNear((sZ - eZ) / per);
    if (!std::isfinite(loops) || loops > MaxLegs || loops * P.N > MaxPlungeMoves) return false;
    if (loops < 1) loops = 1;
    else if (loops > 1) loops += 1;
    Loops = long(loops);
    Tan = std::tan(A2);
    return true;
}

void Descent(TNcRun& R, const TPl& P, int Obj, int Pass, Extended sZ, Extended eZ, Extended Tan, long Loops) {
    const TTool& T = R.Tool();
    NcFeed(R, true, NcPlungeFeed(T, Pass, Obj));
    R.DescentEnd = TDescentEnd();
    Extended Z = sZ;
    for (long l = 0; l < Loops; ++l) {
        Osy prev = P.Start;
        for (int32_t i = 0; i < P.N; ++i) {
            const TPlineSeg& g = P.Seg[i];
            const bool arc = std::fabs(g.Alfa) > CoordTol;
            const Extended len = SegLen(prev, g);
            const Extended H = std::fabs(eZ - Z) / Tan;
            if (Z > eZ && H > CoordTol && len > H) {
                Extended part;
                const Osy pt = AlongSeg(prev, g, H, part);
                if (arc) {
                    NcArcXYZ(R, Osy3D{prev.x, prev.y, Z}, Osy3D{pt.x, pt.y, eZ}, part);
                    NcArcXYZ(R, Osy3D{pt.x, pt.y, eZ}, Osy3D{g.E.x, g.E.y, eZ}, g.Alfa - part);
                } else {
                    NcMoveXYZ(R, false, Osy3D{pt.x, pt.y, eZ});
                    NcFeed(R, false, T.Pruchod[Pass].Posuv);
                    NcMoveXY(R, false, g.E);
                }
                R.DescentEnd = TDescentEnd{true, pt, i, part};
                Z = eZ;
            } else {
                const Extended z1 = Z > eZ ? std::max(eZ, Z - Tan * len) : eZ;
                if (arc)
                    NcArcXYZ(R, Osy3D{prev.x, prev.y, Z}, Osy3D{g.E.x, g.E.y, z1}, g.Alfa);
                else
                    NcMoveXYZ(R, false, Osy3D{g.E.x, g.E.y, z1});
                Z = z1;
            }
            prev = g.E;
        }
    }
    NcFeed(R, false, T.Pruchod[Pass].Posuv);
}

void SpiralCompletion(TNcRun& R, const TPl& P, int Pass) {
    NcFeed(R, false, R.Tool().Pruchod[Pass].Posuv);
    Osy prev = P.Start;
    for (int32_t i = 0; i < P.N; ++i) {
        const TPlineSeg& g = P.Seg[i];
        const bool arc = std::fabs(g.Alfa) > CoordTol;
        if (R.DescentEnd.Set && R.DescentEnd.Seg == i) {
            if (arc)
                NcArcXY(R, prev, R.DescentEnd.Pt, R.DescentEnd.Alfa);
            else
                NcMoveXY(R, false, R.DescentEnd.Pt);
            return;
        }
        if (arc)
            NcArcXY(R, prev, g.E, g.Alfa);
        else
            NcMoveXY(R, false, g.E);
        prev = g.E;
    }
}

// From where the descent reached the pass depth on to the path's end, so the tool
// stands at the closed path's start again for a following pass without a retract.
void FinishFromDescentEnd(TNcRun& R, const TPl& P) {
    const TDescentEnd& d = R.DescentEnd;
    for (int32_t i = d.Seg; i < P.N; ++i) {
        const TPlineSeg& g = P.Seg[i];
        if (std::fabs(g.Alfa) <= CoordTol)
            NcMoveXY(R, false, g.E);
        else if (i == d.Seg)
            NcArcXY(R, d.Pt, g.E, g.Alfa - d.Alfa);
        else
            NcArcXY(R, PlineSegStart(P.A, i), g.E, g.Alfa);
    }
}

// Where the helix of a pocket's roughing path goes: the point of the path nearest its
// start where the whole disc the tool sweeps round the helix (helix radius + cutting
// radius at the pass depth + the roughing allowance) keeps clear of the pocket's walls,
// so the helix stays in what the roughing clears. The path starts on the roughing
// boundary, where no helix fits. False when no point of the path has room.
bool HelixPlace(const TNcRun& R, const TPl& P, Extended Rad, Extended& Along, Osy& C) {
    if (P.OpIndex < 0 || P.OpIndex >= OpList.CamCnt) return false;
    const int M = OpList.Cam[size_t(P.OpIndex)].MasterOp;
    if (M < 0 || M >= OpList.CamCnt) return false;
    const TCamOp& Master = OpList.Cam[size_t(M)];
    Extended Cut = 0;
    if (!ToolDistLa(R.CurLayer, Cut, -R.CurDepth, false)) return false;
    const Extended Need = Rad + Cut + std::max<Extended>(0, Master.MfillPridavek - Master.AllError);
    auto Clearance = [&](const Osy& Q) {
        Extended d = INFINITY;
        for (int i = 0; i < Master.ParCnt && i < int(Master.Parents.size()); ++i) {
            const TObjHeader* w = Master.Parents[size_t(i)];
            int32_t sect = 0;
            if (w && w->Type == ObjPline) d = std::min(d, EnPline.DistPoint(w, Q, sect));
        }
        return d;
    };
    const Extended L = EnPline.Length(P.A);
    // The clearance changes no faster than the point moves along the path: where it
    // falls short by x, the next x of the path cannot have room either.
    for (Extended s = 0; s <= L; ) {
        const Osy Q = PathPoint(P, s);
        const Extended d = Clearance(Q);
        if (!std::isfinite(d)) return false;
        if (d >= Need - CoordTol) {
            Along = s;
            C = Q;
            return true;
        }
        s += std::max<Extended>(Need - d, 0.01L);
    }
    return false;
}

// From the point Along the path back to its start, at the height the tool stands.
void BackAlongPath(TNcRun& R, const TPl& P, Extended Along, Extended Z) {
    const std::vector<RPMap> m = RampPath(P, Along);
    for (size_t k = m.size() - 1; k >= 1; --k) RampPiece(R, m, k, true, Z, Z);
}

// The strategy of the polyline's role, operation type, shape and plunge method.
TPlan Choose(const TNcRun& R, const TPl& P) {
    const TPlungeObjects& z = R.Tool().Material.Zapich;
    TPlan s;
    s.Kind = P.Closed ? 2 : 1;
    const std::string k = std::to_string(s.Kind);
    if (P.Role != 2) {
        const int m = z[poOpen].Method;
        const std::string sfx = " plunge";
        if (m == 0) s = TPlan{sVertical, s.Kind, 2, "Vertical" + k + sfx};
        else if (m == 2) s = TPlan{sRamp, s.Kind, 2, "Ramp" + k + sfx};
        else if (m == 3 && P.Closed) s = TPlan{sDescent, s.Kind, poContour, "Spiral2" + sfx};
        return s;
    }
    const int type = OpList.Cam[size_t(P.OpIndex)].OpType;
    int obj;
    if (type == OpTypeContour) obj = poContour;
    else if (type == OpTypePocketRough) obj = poPocketRough;
    else if (type == OpTypePocketFin) obj = poPocketFin;
    else return s;
    const int m = z[size_t(obj)].Method;
    if (m == 2) return TPlan{sRamp, s.Kind, obj, "Ramp" + k + " Pline"};
    if (m == 3 && obj == poPocketRough) return TPlan{sHelix, s.Kind, obj, "Spiral3 Pline"};
    // A descent walks round the path again and again; an open path would be fed
    // across from its end to its start through uncut material, so it plunges vertically.
    if (m == 3 && P.Closed) return TPlan{sDescent, s.Kind, obj, "Spiral" + std::to_string(obj) + " Pline"};
    return TPlan{sVertical, s.Kind, obj, "Vertical" + k + " Pline"};
}

std::string Identity(const TObjHeader* A) { return std::to_string(reinterpret_cast<uintptr_t>(A)); }

// The log lines of every polyline, put together in one buffer: a pocket has
// thousands of paths.
struct TLogText {
    std::string T;
    TLogText() { T.reserve(128); }
    TLogText& operator<<(std::string_view S) {
        T += S;
        return *this;
    }
    template <class N>
    TLogText& Num(N V) {
        char b[24];
        T.append(b, size_t(std::to_chars(b, b + sizeof b, V).ptr - b));
        return *this;
    }
};

void StrategyLog(const TNcRun& R, const TPl& P, const TPlan& S, int Pass) {
    TLogText t;
    t << "Out:" << S.Name << " (Adr:";
    t.Num(reinterpret_cast<uintptr_t>(P.A)) << ", La:";
    t.Num(int(R.CurLayer)) << ", Pass:";
    t.Num(Pass) << ", ObjType:";
    t.Num(P.Role).Num(P.OpIndex) << (R.Tool().Obrob == CelyObjekt ? ", ObjFirst)" : ", DptFirst)");
    WriteLog(t.T);
}

void Fallback(TNcRun& R, TPlan& S, const char* What) {
    R.Error("Vrstva " + std::to_string(R.CurLayer) + ": " + What + " nelze spočítat, zanořeno kolmo");
    S.How = sVertical;
    S.Name = "Vertical" + std::to_string(S.Kind) + (S.Name.find("Pline") != std::string::npos ? " Pline" : " plunge");
}

// One pass: approach, plunge, cut, retract. Continuing: the tool already stands at
// the closed path's start at the previous pass depth. KeepDown: no retract.
void PlinePass(TNcRun& R, const TPl& P, int Pass, bool Continuing, bool KeepDown) {
    TPlan s = Choose(R, P);
    // Where no strategy applies nothing is approached: an entry point would be stale.
    if (s.How == sNone) return;
    const Extended sZ = R.PrevDepth + Glob.SpolParObr.DepthToPlunge, eZ = R.CurDepth;
    TRamp q{};
    Extended tan = 0, helixAlong = 0;
    Osy helixAt = P.Start;
    long loops = 0;
    if (Continuing) {
        // The previous pass left the tool in the cut at the start: straight down from there.
        s.How = sVertical;
        s.Name = "Vertical" + std::to_string(s.Kind) + (P.Role == 2 ? " Pline" : " plunge");
    } else if (s.How == sRamp && !RampQuantities(R, P, s.Kind, sZ, eZ, true, q)) {
        Fallback(R, s, "rampa");
    } else if (s.How == sDescent && !DescentAngle(R, P, s.Obj, sZ, eZ, tan, loops)) {
        Fallback(R, s, "sestup po dráze");
    } else if (s.How == sHelix && !HelixPlace(R, P, HelixRadius(R.Tool()), helixAlong, helixAt)) {
        WriteLog("Out:No room for the helix, vertical plunge (Adr:" + Identity(P.A) + ", La:" +
                 std::to_string(R.CurLayer) + ", Pass:" + std::to_string(Pass) + ")");
        s = TPlan{sVertical, s.Kind, s.Obj, "Vertical" + std::to_string(s.Kind) + " Pline"};
    }
    if (!Continuing) {
        Osy entry = P.Start;
        if (s.How == sRamp && q.Rem >= MinLeg) entry = PathPoint(P, q.Rem);
        if (s.How == sHelix) entry = helixAt;
        TLogText t;
        t << "Out:Calculated entry point:X" << ExtToStr(entry.x) << " Y:" << ExtToStr(entry.y);
        WriteLog(t.T);
        NcRapidToStart(R, entry, sZ);
    }
    StrategyLog(R, P, s, Pass);
    switch (s.How) {
        case sVertical: NcPlineCut(R, P.A, s.Kind, Pass); break;
        case sRamp: RampPlunge(R, P, s.Kind, Pass, sZ, eZ, q); break;
        case sDescent:
            Descent(R, P, s.Obj, Pass, sZ, eZ, tan, loops);
            SpiralCompletion(R, P, Pass);
            if (KeepDown && R.DescentEnd.Set) FinishFromDescentEnd(R, P);
            break;
        case sHelix: {
            const TTool& T = R.Tool();
            // The helix must not start at whatever feed happens to be in force.
            NcFeed(R, true, NcPlungeFeed(T, Pass, s.Obj));
            NcSpiralPlunge(R, true, true, helixAt, R.PrevDepth, R.CurDepth, T.Material.Zapich[size_t(s.Obj)].SpiralPitch);
            NcFeed(R, true, NcPlungeFeed(T, Pass, s.Obj));
            NcMoveZ(R, false, eZ);
            NcFeed(R, false, T.Pruchod[Pass].Posuv);
            if (helixAlong > 0) BackAlongPath(R, P, helixAlong, eZ);
            CutAll(R, P);
            break;
        }
        default: break;
    }
    if (!KeepDown) NcMoveZ(R, true, Glob.SpolParObr.PrejezdNadMat);
    R.LastPos = P.N > 0 ? P.Seg[P.N - 1].E : P.Start;
}

// The role of Pline in the first operation that links it (nullptr: none). One pass
// over the operations' links per run: a search of every operation for every
// polyline would grow with the square of a pocket's paths.
const std::pair<int, int>* OpRoleOf(TNcRun& R, const TObjHeader* Pline) {
    if (!R.OpRolesBuilt) {
        R.OpRolesBuilt = true;
        const int ops = std::clamp<int>(OpList.CamCnt, 0, MaxCamOps);
        for (int i = 0; i < ops; ++i) {
            const TCamOp& Op = OpList.Cam[size_t(i)];
            // Sources before paths: an object that is both is a source of the operation.
            for (const auto& [Links, Cnt, Role] : {std::tuple(&Op.Parents, Op.ParCnt, 1), std::tuple(&Op.Childs, Op.ChilCnt, 2)}) {
                const int used = std::clamp<int>(Cnt, 0, int(Links->size()));
                for (int k = 0; k < used; ++k) R.OpRoles.try_emplace((*Links)[size_t(k)], Role, i);
            }
        }
    }
    const auto it = R.OpRoles.find(Pline);
    return it == R.OpRoles.end() ? nullptr : &it->second;
}

}  // namespace

void PlineOut(TNcRun& R, TObjHeader* Adresa, int Pass) {
    if (Adresa->Layer != R.CurLayer) return;
    {
        TLogText t;
        t << "Out:Pline Start (Adr:";
        t.Num(reinterpret_cast<uintptr_t>(Adresa)) << ")";
        WriteLog(t.T);
    }
    const TTool& T = R.Tool();
    if (PlineUnderClamp(R.ClampStart, Adresa)) {
        WriteLog("Err:Wrong def. of tool or clamp (La:" + std::to_string(R.CurLayer) + ")");
        ShowMessage(Msg[38]);
        WriteLog("Out:Pline End");
        return;
    }
    TPl P{Adresa, !EnPline.OpenPline(Adresa), 0, -1, PlineSegCount(Adresa), PlineSegs(Adresa), AsPline(Adresa)->S};
    if (const auto role = OpRoleOf(R, Adresa)) {
        P.Role = role->first;
        P.OpIndex = role->second;
    }
    if (T.Obrob == CelyPruchod) {
        PlinePass(R, P, Pass, false, false);
    } else {
        const bool noRetract = T.BezVyjezdu && P.Closed;
        R.PassCount = NcPassCount(T);
        if (R.PassCount == 0) WriteLog("Err:No pass in layer (La:" + std::to_string(R.CurLayer) + ")");
        R.PrevDepth = -T.HloubkaRychloposuvem;
        for (int i = 1; i <= R.PassCount; ++i) {
            NcSpindle(R, T.Pruchod[i].Otacky, T.VretTime);
            NcCoolant(R, T.Chlaz, T.ChlazTime);
            R.CurDepth = -T.Pruchod[i].Hloubka;
            PlinePass(R, P, i, noRetract && i > 1, noRetract && i < R.PassCount);
            R.PrevDepth = R.CurDepth;
        }
    }
    WriteLog("Out:Pline End");
}

void TextObjOut(TNcRun& R, TObjHeader* Adresa, int Pass) {
    if (Adresa->Layer != R.CurLayer) return;
    TObjHeader *s = nullptr, *e = nullptr;
    EnText.Explode(Adresa, false, s, e);
    for (TObjHeader* p = s; p; p = p->Next)
        if (p->Type == ObjPline) PlineOut(R, p, Pass);
    FreeObjList(s, e);
}

void GroupOut(TNcRun& R, TObjHeader* Adresa, int Pass) {
    for (TObjHeader* p = AsGroup(Adresa)->First; p; p = p->Next) NcObjectOut(R, p, Pass);
}
