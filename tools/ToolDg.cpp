#include "tools/ToolDg.h"

#include <cmath>

#include "core/Entity.h"
#include "core/Glob.h"
#include "core/IntFont.h"
#include "core/UniLog.h"
#include "platform/Dialogs.h"
#include "shell/UniLang.h"
#include "tools/ToolLibFile.h"
#include "tools/UniRezPod.h"
#include "tools/UniTType.h"

TToolArr ToolTmp{};

namespace {

TToolArr& Tools(bool TmpCopy) { return TmpCopy ? ToolTmp : Glob.Tool; }

bool LayerInRange(int32_t La) { return La >= 1 && La <= ToolLayerCount; }

bool RowUsed(const TPruchod& P) { return P.Hloubka > -CoordTol; }

}  // namespace

bool ShpToolDistDeepest(int Layer, Extended& Dist) { return ToolDistLa(Layer, Dist, -1, false); }

int LastUsedPass(const TTool& T) {
    for (int i = MaxPruchod; i >= 1; --i)
        if (RowUsed(T.Pruchod[i])) return i;
    return 0;
}

bool ToolDistLa(int32_t Num, Extended& Dist, Extended Hloubka, bool TmpCopy) {
    if (!LayerInRange(Num)) return false;
    const TTool& T = Tools(TmpCopy)[Num];
    Extended d = Hloubka;
    if (Hloubka == -1) {
        const int last = LastUsedPass(T);
        if (!last) return false;
        d = T.Pruchod[last].Hloubka;
    }
    // A type the list does not hold enables nothing: no answer rather than a guess.
    if (T.ToolType < 0 || size_t(T.ToolType) >= Glob.MillToolType.size()) return false;
    const TToolType& Ty = Glob.MillToolType[size_t(T.ToolType)];
    const Extended Ds = Ty.GeoEnaDSpodni ? T.SpodniPrumer : 0;
    Extended Dh = Ty.GeoEnaDHorni ? T.HorniPrumer : 0;
    const Extended alpha = Ty.GeoEnaU ? T.UhelSpicky * M_PIl / 180 : 0;
    const Extended R = Ty.GeoEnaR ? T.Radius : 0;
    if (T.ToolType == 1) Dh = Ds;  // cylindrical mill: one diameter
    // beta = (pi - alpha) / 2; its sine and cosine through alpha / 2, so that a vertical
    // flank (alpha 0) gives a cosine of exactly 0 whatever the rounding of pi.
    const Extended cosB = std::sin(alpha / 2), sinB = std::cos(alpha / 2);
    const Extended Z1 = R - R * cosB;
    const Extended X1 = R * sinB + Ds / 2;
    Extended Z2;
    if (cosB == 0) {
        const Extended gap = Dh / 2 - X1;
        Z2 = std::fabs(gap) <= CoordTol ? Z1 : gap > 0 ? -INFINITY : INFINITY;
    } else {
        Z2 = Z1 + sinB * (Dh / 2 - X1) / cosB;
    }
    if (d < CoordTol)
        Dist = Ds / 2;
    else if (d - Z2 > -CoordTol)
        Dist = Dh / 2;
    else if (Z1 - d > CoordTol)
        Dist = Ds / 2 + std::sqrt(std::max<Extended>(0, R * R - (R - d) * (R - d)));
    else
        Dist = X1 + (d - Z1) * std::sin(alpha / 2) / std::cos(alpha / 2);
    return true;
}

bool MaxDepth(int32_t La, Extended& Max, bool TmpCopy) {
    Max = 0;
    if (!LayerInRange(La)) return false;
    const TTool& T = Tools(TmpCopy)[La];
    const int last = LastUsedPass(T);
    if (!last) return false;
    Max = T.Pruchod[last].Hloubka;
    return true;
}

void DepthToTool(Extended Depth, int32_t La, bool TmpCopy) {
    if (!LayerInRange(La) || !(Depth > CoordTol)) return;
    TTool& Tool = Tools(TmpCopy)[La];
    const TToolTech& Tech = Tool.Material.Tech;
    const Extended ap = Tech.ApPercent ? Tool.SpodniPrumer / 100 * Tech.Ap : Tech.Ap;
    // A step that is not a positive number gives no pass table.
    if (!(ap > CoordTol) || !std::isfinite(ap)) return;
    const Extended q = Depth / ap;
    if (!(q > 0) || q > MaxPruchod) return;
    const Extended n = std::trunc(q);
    const bool remainder = q - n > CoordTol;
    auto T = Tool.Pruchod;
    int next;  // first row after the ones written
    if (q <= 1) {
        T[1].Hloubka = Depth;
        next = 2;
    } else {
        const int rows = int(n);
        for (int i = 1; i <= rows; ++i) {
            T[i].Hloubka = i * ap;
            if (i > 1 && T[i].Posuv == NoFeedValue) T[i].Posuv = T[i - 1].Posuv;
            if (i > 1 && T[i].Otacky == NoSpeedValue) T[i].Otacky = T[i - 1].Otacky;
            // A spindle limit of 0 or less means no limit, not a speed of 0.
            if (Tech.MaxN > 0 && T[i].Otacky > Tech.MaxN) T[i].Otacky = Tech.MaxN;
        }
        next = rows + 1;
        if (remainder && rows < MaxPruchod) {
            T[next] = T[rows];
            T[next].Hloubka = Depth;
            ++next;
        }
    }
    for (int i = next; i <= MaxPruchod; ++i) T[i] = TPruchod{-1, -1, NoFeedValue, NoSpeedValue};
    Tool.Pruchod = T;
}

bool CheckEdgeLength(int32_t La) {
    if (!LayerInRange(La)) return true;
    const TTool& T = ToolTmp[La];
    const int last = LastUsedPass(T);
    Extended prev = 0;
    for (int i = 1; i <= last; ++i) {
        if (T.DelkaBritu < T.Pruchod[i].Hloubka - prev) {
            WriteLog("Err:Edge length too short");
            MessageDlg(Msg[31], TMsgDlgType::mtError, mbOK);
            return false;
        }
        prev = T.Pruchod[i].Hloubka;
    }
    return true;
}

bool CompareTool(const TTool& A, const TTool& B) {
    return A.JmNastroje == B.JmNastroje && A.MatNastroje == B.MatNastroje && A.Tnum == B.Tnum &&
           A.Dnum == B.Dnum && A.ToolType == B.ToolType && A.SpodniPrumer == B.SpodniPrumer &&
           A.Radius == B.Radius && A.UhelSpicky == B.UhelSpicky && A.VyskaKuzele == B.VyskaKuzele &&
           A.HorniPrumer == B.HorniPrumer && A.DelkaBritu == B.DelkaBritu &&
           A.PocetBritu == B.PocetBritu;
}

bool ComparePlunge(const TPlungeObjects& P1, const TPlungeObjects& P2) {
    for (int i = poPoint; i <= poPocketFin; ++i) {
        const TToolPlunge &a = P1[i], &b = P2[i];
        if (a.Method != b.Method || a.SpiralRad != b.SpiralRad || a.TangAngle != b.TangAngle ||
            a.TangRad != b.TangRad || a.TangEntry != b.TangEntry || a.TangExit != b.TangExit ||
            a.TangCenter != b.TangCenter || a.TangRadPercent != b.TangRadPercent)
            return false;
    }
    return true;
}

bool CompareDepth(const TTool& A, const TTool& B) {
    auto last = [](const TTool& T) -> Extended {
        for (int i = MaxPruchod; i >= 1; --i)
            if (T.Pruchod[i].Hloubka != -1) return T.Pruchod[i].Hloubka;
        return 0;
    };
    return last(A) == last(B);
}

void InstallToolServices() {
    ToolDistLaHook = &ToolDistLa;
    ShpToolDist = &ShpToolDistDeepest;
}

void ResetToolState() {
    ToolTmp = TToolArr{};
    MillTypeMax = 0;
    LatheTypeMax = 0;
    ToolLibTmp.clear();
    MaterialTmp.clear();
    ResetRezPod();
    InstallToolServices();
}
