#include "tools/UniRezPod.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "core/Glob.h"
#include "core/Global.h"
#include "platform/Colors.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "shell/SetCfg.h"

uint8_t RezPodDlg = 99;
std::array<bool, 4> RezPodPageErr{};

namespace {

// Inputs in checking order; captions are the same names with "Lab" for "Edit".
enum TIn { iD, iR, iU, iV, iDh, iB, iZ, iMaxN, iN, iVc, iVf, iFz, iFn, iAp, iAe, InCount };
const char* const InName[InCount] = {
    "EditToolDSpodni", "EditToolR",  "EditToolU",  "EditToolV",  "EditToolDHorni",
    "EditToolBrit",    "EditToolPocetBritu", "EditToolMaxSpindleSpeed", "EditToolN", "EditToolVc",
    "EditToolVf",      "EditToolFz", "EditToolFn", "EditToolAp", "EditToolAe"};

TForm* Forms[2] = {nullptr, nullptr};
std::function<void()> Repaints[2];

struct TBinding {
    TControl* Edit[InCount] = {};
    TControl* Lab[InCount] = {};
    TControl* ApUnits = nullptr;
    TControl* AeUnits = nullptr;
} Bound;

Extended Val[InCount];

void RezPodSetDlg(int Dlg) {
    Bound = TBinding{};
    RezPodDlg = uint8_t(Dlg);
    TForm* F = Dlg == 0 || Dlg == 1 ? Forms[Dlg] : nullptr;
    if (!F) return;
    for (int i = 0; i < InCount; ++i) {
        const std::string name = InName[i];
        Bound.Edit[i] = F->Find<TControl>(name);
        Bound.Lab[i] = F->Find<TControl>("Lab" + name.substr(4));
    }
    Bound.ApUnits = F->Find<TControl>("SbtnToolApUnits");
    Bound.AeUnits = F->Find<TControl>("SBtnToolAeUnits");
}

void SetCaptionColor(int I, bool Ok) {
    if (Bound.Lab[I]) Bound.Lab[I]->Font.Color = Ok ? clDefault : clRed;
}

bool Read(int I, Extended& V) {
    V = 0;
    return Bound.Edit[I] && StrToExtCalc(Bound.Edit[I]->Text, V, false) && std::isfinite(V);
}

void RezPodCheckAll() {
    for (int i = 0; i < InCount; ++i) {
        TControl* E = Bound.Edit[i];
        if (!E || !E->Enabled) continue;
        Extended v = 0;
        const bool parsed = Read(i, v);
        bool ok = false;
        switch (i) {
            case iR: case iU: case iV: ok = v >= 0; break;
            case iN: ok = v > 0 && v <= Val[iMaxN]; break;
            default: ok = v > 0; break;
        }
        ok = ok && parsed;
        if (parsed) Val[i] = v;
        if (ok && i == iVf && Glob.SpolParObr.VelUnit == MmPerSec) Val[i] *= 60;
        SetCaptionColor(i, ok);
        if (!ok) RezPodPageErr[i <= iZ ? 0 : 1] = true;
    }
}

void RezPodCheckN() {
    Extended n = 0;
    SetCaptionColor(iMaxN, Read(iN, n) && n <= Val[iMaxN]);
}

// "0.###" with the decimal separator of the system.
std::string Fmt(Extended V) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3Lf", V);
    std::string s = buf;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    const size_t dot = s.find('.');
    if (dot != std::string::npos) s[dot] = CfgDecimalSeparator();
    return s;
}

void Put(int I, const std::string& S) {
    if (Bound.Edit[I] && Bound.Edit[I]->Text != S) Bound.Edit[I]->Text = S;
}

// Vf is kept in mm/min; shown in the speed unit.
void PutVf(Extended VfMin) { Put(iVf, Fmt(Glob.SpolParObr.VelUnit == MmPerSec ? VfMin / 60 : VfMin)); }

void TextNormal(int I) {
    if (Bound.Edit[I]) Bound.Edit[I]->Font.Color = clDefault;
}

bool Percent(TControl* B) { return B && B->Caption == "[%]"; }

}  // namespace

void RezPodRegisterForm(int Dlg, TForm* Form, std::function<void()> Repaint) {
    if (Dlg != 0 && Dlg != 1) return;
    Forms[Dlg] = Form;
    Repaints[Dlg] = Form ? std::move(Repaint) : nullptr;
    if (RezPodDlg == Dlg) RezPodDlg = 99;
}

void RezPodRecalc(int Kind, int Dlg) {
    for (Extended& v : Val) v = 0;
    RezPodPageErr.fill(false);
    if (Dlg != RezPodDlg) RezPodSetDlg(Dlg);
    RezPodCheckAll();
    RezPodCheckN();
    const Extended D = Val[iD], z = Val[iZ];
    Extended& N = Val[iN];
    Extended &Vc = Val[iVc], &Vf = Val[iVf], &Fz = Val[iFz], &Fn = Val[iFn];
    const Extended ApMm = Kind == rpAp && Percent(Bound.ApUnits) ? D / 100 * Val[iAp] : 0;
    const Extended AeMm = Kind == rpAe && Percent(Bound.AeUnits) ? D / 100 * Val[iAe] : 0;
    switch (Kind) {
        case rpN:
            if (!(N > 0)) break;
            TextNormal(iN);
            if (!(D > 0 && z > 0)) break;
            Vc = M_PIl * D * N / 1000;
            Vf = Fz * z * N;
            Put(iVc, Fmt(Vc));
            PutVf(Vf);
            break;
        case rpVc:
            if (!(Vc > 0)) break;
            TextNormal(iVc);
            if (!(N > 0 && D > 0 && z > 0)) break;
            // Vc is shown rounded: an N that gives the shown Vc stays, or N computed back
            // from the rounded text would drift (8000 became 8001 at D 0.2) each time a
            // tool is shown.
            if (Fmt(M_PIl * D * N / 1000) != Bound.Edit[iVc]->Text) N = std::round(1000 * Vc / (M_PIl * D));
            Vf = Fz * z * N;
            Put(iN, std::to_string((long long)N));
            PutVf(Vf);
            break;
        case rpFz:
            if (!(Fz > 0)) break;
            TextNormal(iFz);
            if (!(N > 0 && D > 0 && z > 0)) break;
            Vf = Fz * z * N;
            Fn = Vf / N;
            Put(iFn, Fmt(Fn));
            PutVf(Vf);
            break;
        case rpFn:
            if (!(Fn > 0)) break;
            TextNormal(iFn);
            if (!(N > 0 && z > 0)) break;
            Fz = Fn / z;
            Vf = Fz * z * N;
            Put(iFz, Fmt(Fz));
            PutVf(Vf);
            break;
        case rpVf:
            RezPodCheckN();
            if (!(Vf > 0)) break;
            TextNormal(iVf);
            if (!(N > 0 && z > 0)) break;
            Fn = Vf / N;
            Fz = Fn / z;
            Put(iFz, Fmt(Fz));
            Put(iFn, Fmt(Fn));
            break;
        case rpAp:
            if (!(Val[iAp] > 0)) break;
            TextNormal(iAp);
            // An Ap in per cent passes above the full diameter only; one in mm never.
            if (!(D > 0 && Val[iB] > 0) || !(ApMm > D)) break;
            Put(iAp, Fmt(Val[iAp]));
            break;
        case rpAe:
            if (!(Val[iAe] > 0)) break;
            TextNormal(iAe);
            if (!(D > 0) || !(AeMm < D)) break;
            Put(iAe, Fmt(Val[iAe]));
            break;
        default:
            break;
    }
    RezPodCheckN();
    if ((Dlg == 0 || Dlg == 1) && Forms[Dlg] && Repaints[Dlg]) Repaints[Dlg]();
}

void RezPodRecalcAll(int Dlg) {
    for (int k = rpNone; k <= rpAe; ++k) RezPodRecalc(k, Dlg);
}

void ResetRezPod() {
    RezPodDlg = 99;
    RezPodPageErr.fill(false);
    Forms[0] = Forms[1] = nullptr;
    Repaints[0] = Repaints[1] = nullptr;
    Bound = TBinding{};
}
