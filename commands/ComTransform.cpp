#include "commands/ComTransform.h"

#include <cmath>
#include <string>

#include "commands/ComCommon.h"
#include "commands/ComRegen.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/SetDg.h"
#include "shell/UniLang.h"

namespace {

constexpr Extended Pi = 3.1415926535897932385L;

// The settings dialog's choice: transform the objects themselves (true) or copies.
bool RotateInPlace() { return SetDialog ? SetDialog->RBtnRotDel->Checked : true; }
bool MirrorInPlace() { return SetDialog ? SetDialog->RBtnMirDel->Checked : false; }

// Step 0 of the four commands.
void TransformStart(const char* StartLine) {
    WriteLog(StartLine);
    SelectStepStart();
}

// Step 1: the selection is made; asks for a point with prompt Text.
// True when the routine is done with this Enter.
bool TransformSelect(int PromptNo) {
    if (SelectStepPrevious("Usr:Select previous")) return true;
    SetPrompt(Prompt[PromptNo]);
    PointModes();
    ComRedrawView();
    return true;
}

// Step 2: the first point into SavePick; then the prompt PromptNo with the rubber band
// Band and the click meaning Down. False (and the command ended) when it did not parse.
bool TransformBase(const char* EndLine, int PromptNo, TMouseMove Band, TMouseDown Down) {
    TMainVars& V = MainVars;
    if (!StrToPt(V.Command[2], Osy{}, V.PickPoint)) {
        WrongPickPoint(V.Command[2]);
        WriteLog(EndLine);
        return false;
    }
    LogPickPoint();
    V.SavePick = V.PickPoint;
    SelEnvelope();
    SetPrompt(Prompt[PromptNo]);
    V.Mouse.NextMove = Band;
    V.Mouse.NextDown = Down;
    V.Mouse.OsnapAuto.Search = true;
    ComRedrawView();
    return true;
}

// The final step's settings: the base point back in PickPoint.
void TransformFinal() {
    MainVars.PickPoint = MainVars.SavePick;
    FinalSettings();
}

// ROTATE's and MIRROR's walk over the objects present when it starts: in place, or a
// copy (recorded for the links with Glob.CopyCamOps on); each transformed object is
// recorded as its own replacement. Then the copy sweep and the hand-off.
template <class Fn>
void TransformSelected(bool InPlace, bool Unselect, Fn Transform) {
    TMainVars& V = MainVars;
    ResetEditAdr();
    TObjHeader* Last = V.DataEnd;
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = (p == Last) ? nullptr : p->Next;
        if (p->Flags & FlagSelected) {
            if (Unselect) p->Flags &= static_cast<uint8_t>(~FlagSelected);
            TObjHeader* T = p;
            if (!InPlace) {
                T = CopyIdentObj(p, V.DataStart, V.DataEnd);
                if (T && Glob.CopyCamOps) AddEditAdr(p).New = {T};
            }
            if (T) {
                Transform(T);
                AddEditAdr(T).New = {T};
            }
        }
        p = Next;
    }
    ClearSelection(V.DataStart);
    TRegenQueue Q;
    CopySweep(Q, true);
    HandOffRegen(Q);
    ComRedrawView();
}

// SCALE's and SIZE's walk with a pair of factors: each selected object is scaled in its
// place, rebuilt at a new address where its kind must, and recorded for the links.
// Polylines take positive factors only, so a pair that is not positive is refused
// as a whole (logged and shown) before any object changes; false then.
bool NpropScaleSelected(const Osy& Base, const Osy& Factors, bool Unselect) {
    TMainVars& V = MainVars;
    if (!(Factors.x > 0 && Factors.y > 0 && std::isfinite(Factors.x) && std::isfinite(Factors.y))) {
        WriteLog("Err:Wrong scale factors (x=" + GeneralNumText(Factors.x) + ", y=" + GeneralNumText(Factors.y) +
                 ")");
        MessageDlg(Msg[56], TMsgDlgType::mtError, mbOK);
        return false;
    }
    ResetEditAdr();
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p->Next;
        if (p->Flags & FlagSelected) {
            if (Unselect) p->Flags &= static_cast<uint8_t>(~FlagSelected);
            TObjHeader* Adr = p;
            if (NpropScaleObj(p, Base, Factors, V.DataStart, V.DataEnd, true, Adr) && Adr)
                AddEditAdr(p).New = {Adr};
        }
        p = Next;
    }
    return true;
}

void ReplaceAndHandOff() {
    TRegenQueue Q;
    ReplaceSweep(Q);
    HandOffRegen(Q);
}

std::string Trim(const std::string& S) {
    const size_t a = S.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    const size_t b = S.find_last_not_of(' ');
    return S.substr(a, b - a + 1);
}

}  // namespace

void ComRotate() {
    TMainVars& V = MainVars;
    const char* End = "Sys:ComRotate End;";
    switch (V.ComCnt) {
        case 0: return TransformStart("Sys:ComRotate Start");
        case 1: TransformSelect(11); return;
        case 2: TransformBase(End, 33, mmRotEnv, mdCoord); return;
        default: break;
    }
    TransformFinal();
    const Osy Centre = V.SavePick;
    const std::string Input = V.Command[3];
    Extended A = 0;
    bool Ok;
    if (Input.find(' ') != std::string::npos) {
        // A clicked point: the direction of the point seen from the centre.
        Ok = StrToPt(Input, Centre, V.PickPoint);
        if (Ok) A = Angle(Centre, V.PickPoint);
    } else {
        Ok = StrToExtCalc(Input, A, true);
        A = A * Pi / 180;
    }
    if (!Ok) {
        WriteLog("Err:Wrong angle (" + Input + ")");
        return WriteLog(End);
    }
    WriteLog("Usr:Angle:" + GeneralNumText(A));
    TransformSelected(RotateInPlace(), false, [&](TObjHeader* T) { RotateObj(T, Centre, A); });
    WriteLog(End);
}

void ComMirror() {
    TMainVars& V = MainVars;
    const char* End = "Sys:ComMirror End";
    switch (V.ComCnt) {
        case 0: return TransformStart("Sys:ComMirror Start");
        case 1: TransformSelect(34); return;
        case 2: TransformBase(End, 35, mmMirEnv, mdCoord); return;
        default: break;
    }
    TransformFinal();
    const std::string Input = V.Command[3];
    if (!StrToPt(Input, V.SavePick, V.PickPoint)) {
        WrongPickPoint(Input);
        return WriteLog(End);
    }
    LogPickPoint();
    const Osy P1 = V.SavePick, P2 = V.PickPoint;
    // Two points that coincide give no line to mirror about.
    if (std::fabs(P2.x - P1.x) < CoordTol && std::fabs(P2.y - P1.y) < CoordTol) {
        WriteLog("Err:Wrong mirror axis");
        return WriteLog(End);
    }
    TransformSelected(MirrorInPlace(), true, [&](TObjHeader* T) { MirrorObj(T, P1, P2); });
    WriteLog(End);
}

void ComScale() {
    TMainVars& V = MainVars;
    const char* End = "Sys:ComScale End";
    switch (V.ComCnt) {
        case 0: return TransformStart("Sys:ComScale Start");
        case 1: TransformSelect(11); return;
        case 2: TransformBase(End, 36, mmScalEnv, mdScale); return;
        default: break;
    }
    TransformFinal();
    const Osy Base = V.SavePick;
    if (std::fabs(V.SelEnv3.x - V.SelEnv1.x) < CoordTol || std::fabs(V.SelEnv3.y - V.SelEnv1.y) < CoordTol) {
        WriteLog("Err:Wrong mirror axis");
        return WriteLog(End);
    }
    const std::string Input = V.Command[3];
    Osy F;
    Extended S = 0;
    if (StrToPt(Input, Osy{}, F)) {
        if (!NpropScaleSelected(Base, F, false)) return WriteLog(End);
    } else if (StrToExtCalc(Input, S, true) && std::fabs(S) >= CoordTol) {
        // A factor of zero would collapse every object into its base point.
        WriteLog("Usr:Scale:" + GeneralNumText(S));
        ResetEditAdr();
        for (TObjHeader* p = V.DataStart; p; p = p->Next) {
            if (!(p->Flags & FlagSelected)) continue;
            ScaleObj(p, Base, S);
            AddEditAdr(p).New = {p};
        }
    } else {
        WriteLog("Err:Wrong scale (" + Input + ")");
        return WriteLog(End);
    }
    ReplaceAndHandOff();
    WriteLog(End);
}

void ComSize() {
    TMainVars& V = MainVars;
    const char* End = "Sys:ComScale End";
    if (V.ComCnt == 0) return TransformStart("Sys:ComScale Start");
    if (V.ComCnt == 1) {
        if (SelectStepPrevious("Usr:Select previous")) return;
        SelEnvelope();
        V.SavePick = {(V.SelEnv1.x + V.SelEnv3.x) / 2, (V.SelEnv1.y + V.SelEnv3.y) / 2};
        V.PickPoint = V.SavePick;
        V.Mouse.OsnapAuto.Search = true;
        SetPrompt(Prompt[37]);
        V.Mouse.NextMove = mmSizeEnv;
        V.Mouse.NextDown = mdSize;
        ComRedrawView();
        return;
    }
    FinalSettings();
    const Osy Base = V.SavePick;
    const Extended W0 = V.SelEnv3.x - V.SelEnv1.x, H0 = V.SelEnv3.y - V.SelEnv1.y;
    const std::string Input = Trim(V.Command[2]);
    const size_t Blank = Input.find(' ');
    if (Blank == std::string::npos) {
        WriteLog("Err:wrong size");
        return WriteLog(End);
    }
    const std::string WText = Input.substr(0, Blank), HText = Input.substr(Blank + 1);
    // An axis without extent keeps its size whatever is typed for it; "?" against an
    // axis without extent keeps its own size too (no proportion to keep).
    const bool WFlat = std::fabs(W0) < CoordTol, HFlat = std::fabs(H0) < CoordTol;
    Extended Sx = 1, Sy = 1;
    if (WText == "?") {
        Extended H = 0;
        if (!StrToExtCalc(Trim(HText), H, true)) {
            WriteLog("Err:Wrong size Y (" + Input + ")");
            return WriteLog(End);
        }
        if (!HFlat) Sy = H / H0;
        Sx = HFlat ? 1 : Sy;
    } else if (Trim(HText) == "?") {
        Extended W = 0;
        if (!StrToExtCalc(WText, W, true)) {
            WriteLog("Err:Wrong size X (" + Input + ")");
            return WriteLog(End);
        }
        if (!WFlat) Sx = W / W0;
        Sy = WFlat ? 1 : Sx;
    } else {
        Osy WH;
        if (!StrToPt(Input, Osy{}, WH)) {
            WriteLog("Err:Wrong size (" + Input + ")");
            return WriteLog(End);
        }
        if (!WFlat) Sx = WH.x / W0;
        if (!HFlat) Sy = WH.y / H0;
    }
    WriteLog("Usr:Size X:" + GeneralNumText(Sx) + " Y:" + GeneralNumText(Sy));
    if (!NpropScaleSelected(Base, {Sx, Sy}, true)) return WriteLog(End);
    ReplaceAndHandOff();
    ComRedrawView();
    WriteLog(End);
}
