// The dimension commands DIMHOR, DIMVERT, DIMROT (one routine, the kind set by the
// command line), DIMANGLE and DIMLEADER: they collect the points and the text; the
// dimension itself is built by core/UniDim from the dimension text style.
#include "commands/ComDim.h"

#include <cmath>

#include "commands/ComCommon.h"
#include "commands/TextDg.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ParText.h"
#include "core/UniDim.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

constexpr Extended Pi = 3.1415926535897932385L;

// A point typed relative to Base into PickPoint, logged; a bad one ends the command.
bool DimPoint(const std::string& In, const Osy& Base, const char* EndLine) {
    if (!StrToPt(In, Base, MainVars.PickPoint)) {
        WrongPickPoint(In);
        WriteLog(EndLine);
        return false;
    }
    LogPickPoint();
    return true;
}

// The dimension text: the dimension style with the last input as typed, in the 8-bit
// code page, at most 255 characters.
void DimensionText() {
    WorkText = DimTextStyle;
    std::string T = Utf8ToCp1250(MainVars.OrigText);
    if (T.size() > 255) T.resize(255);
    WorkText.Text = T;
}

// The length a linear dimension of the kind Mode measures between A and B.
Extended MeasuredLength(TDimLinMode Mode, const Osy& A, const Osy& B) {
    if (Mode == Horizontal) return std::fabs(A.x - B.x);
    if (Mode == Vertical) return std::fabs(A.y - B.y);
    return Dist(A, B);
}

// The prompt offering a measured value as the default text.
void OfferText(const std::string& Value) {
    SetPrompt(Prompt[24] + Value);
    MainVars.Mouse.NextDown = mdNone;
    ComRedrawView();
}

}  // namespace

void ComDimStyle() {
    WriteLog("Sys:ComDimStyle Start");
    WorkText = DimTextStyle;
    if (!TextDialog) CreateTextDialog();
    // Cancel keeps the style, even when live edits already reached the current
    // parameters.
    if (TextDialog->ShowModal() == mrOk) DimTextStyle = WorkText;
    MainVars.ComCnt = -1;
    WriteLog("Sys:ComDimStyle End");
}

void ComDimLinear() {
    TMainVars& V = MainVars;
    const char* const End = "Sys:ComDimLinear End";
    switch (V.ComCnt) {
        case 0:
            WriteLog("Sys:ComDimLinear Start");
            PointModes();
            SetPrompt(Prompt[21]);
            ComRedrawView();
            return;
        case 1:
            if (!DimPoint(V.Command[1], Osy{}, End)) return;
            V.Mouse.NextMove = mmLine;
            V.SavePick = V.SelEnv1 = V.PickPoint;
            SetPrompt(Prompt[22]);
            ComRedrawView();
            return;
        case 2:
            if (!DimPoint(V.Command[2], Osy{}, End)) return;
            V.SelEnv2 = V.PickPoint;
            SetPrompt(Prompt[23]);
            V.Mouse.NextMove = mmCross;
            ComRedrawView();
            return;
        case 3: {
            if (!DimPoint(V.Command[3], Osy{}, End)) return;
            V.SelEnv3 = V.PickPoint;
            V.PickPoint = V.SavePick;
            V.PosMouse = V.SelEnv2;
            V.Mouse.Move = mmLine;
            V.Mouse.NextMove = mmCross;
            ComRedrawView();
            OfferText(PatternNumText(MeasuredLength(V.DimLinearMode, V.SelEnv1, V.SelEnv2), Glob.DimDecForm));
            return;
        }
        default:
            break;
    }
    FinalSettings();
    if (!DimPoint(V.Command[2], Osy{}, End)) return;
    WriteLog("Usr:Param text:" + Cp1250ToUtf8(WorkText.Text));
    // Points that coincide along the measured direction give no dimension to draw.
    if (MeasuredLength(V.DimLinearMode, V.SelEnv1, V.SelEnv2) < CoordTol) {
        WriteLog("Err:Linear dimension refused, the points coincide");
        return WriteLog(End);
    }
    DimensionText();
    switch (V.DimLinearMode) {
        case Horizontal:
            DimHor(V.SelEnv1, V.SelEnv2, V.SelEnv3);
            break;
        case Vertical:
            DimVert(V.SelEnv1, V.SelEnv2, V.SelEnv3);
            break;
        default:
            DimRot(V.SelEnv1, V.SelEnv2, V.SelEnv3);
            break;
    }
    ComLayPanelUpdate();
    WriteLog(End);
}

void ComDimAngle() {
    TMainVars& V = MainVars;
    const char* const End = "Sys:ComDimAngle End";
    switch (V.ComCnt) {
        case 0:
            WriteLog("Sys:ComDimAngle Start");
            SetPrompt(Prompt[25]);
            PointModes();
            ComRedrawView();
            return;
        case 1:
            if (!DimPoint(V.Command[1], Osy{}, End)) return;
            V.SelEnv1 = V.PickPoint;
            SetPrompt(Prompt[26]);
            ComRedrawView();
            return;
        case 2:
            if (!DimPoint(V.Command[2], Osy{}, End)) return;
            V.SelEnv2 = V.PickPoint;
            SetPrompt(Prompt[27]);
            ComRedrawView();
            return;
        case 3:
            if (!StrToPt(V.Command[3], Osy{}, V.PickPoint)) {
                V.ComCnt = -1;
                V.Mouse.OsnapAuto.Search = false;
                WriteLog(End);
                return;
            }
            LogPickPoint();
            V.SelEnv3 = V.PickPoint;
            SetPrompt(Prompt[23]);
            ComRedrawView();
            return;
        case 4: {
            if (!DimPoint(V.Command[4], Osy{}, End)) return;
            V.SelEnv4 = V.PickPoint;
            // The sector in which the arc is placed is measured.
            Extended A1 = Angle(V.SelEnv1, V.SelEnv2), A2 = Angle(V.SelEnv1, V.SelEnv3);
            const Extended AL = Angle(V.SelEnv1, V.SelEnv4);
            if (A1 > A2) std::swap(A1, A2);
            const Extended Sweep = A1 <= AL && AL <= A2 ? A2 - A1 : 2 * Pi - (A2 - A1);
            const std::string Value = PatternNumText(Sweep * 180 / Pi, Glob.DimDecForm);
            WriteLog("Usr:Dim angle:" + Value);
            OfferText(Value + "°");
            return;
        }
        default:
            break;
    }
    FinalSettings();
    DimensionText();
    DimAngle(V.SelEnv1, V.SelEnv2, V.SelEnv3, V.SelEnv4);
    ComLayPanelUpdate();
    WriteLog(End);
}

void ComDimLeader() {
    TMainVars& V = MainVars;
    const char* const End = "Sys:ComDimLeader End";
    switch (V.ComCnt) {
        case 0:
            WriteLog("Sys:ComDimLeader Start");
            SetPrompt(Prompt[3]);
            PointModes();
            ComRedrawView();
            FreeObjList(V.SaveStart, V.SaveEnd);
            return;
        case 1:
            if (!DimPoint(V.Command[1], Osy{}, End)) return;
            V.SavePick = V.PickPoint;
            SetPrompt(Prompt[4]);
            V.Mouse.NextMove = mmLine;
            V.Mouse.NextDown = mdCoord;
            ComRedrawView();
            return;
        case 2:
            V.PickPoint = V.SavePick;
            V.FileSaved = false;
            V.Mouse.NextMove = mmNone;
            V.Mouse.NextDown = mdNone;
            ComRedrawView();
            if (StrToPt(V.Command[2], V.SavePick, V.PickPoint)) {
                LogPickPoint();
                // The legs wait in SaveStart/SaveEnd; Escape frees them.
                EnPline.LineAdd(V.SavePick, V.PickPoint, Glob.LayerDraw, V.SaveStart, V.SaveEnd);
                if (V.SaveEnd) DrawObj(V.SaveEnd, MainCanvas);
                V.ComCnt = 1;
                V.Command[1] = V.Command[2];
                V.Command[2].clear();
                V.SavePick = V.PickPoint;
                SetPrompt(Prompt[4]);
                V.Mouse.NextMove = mmLine;
                V.Mouse.NextDown = mdCoord;
                ComRedrawView();
                return;
            }
            // Any input that is no point goes on to the text.
            WriteLog("Err:Wrong pickpoint (" + V.Command[2] + ")");
            SetPrompt(Prompt[24]);
            V.Mouse.NextDown = mdNone;
            ComRedrawView();
            return;
        default:
            break;
    }
    FinalSettings();
    DimensionText();
    WriteLog("Usr:Param Text:" + Cp1250ToUtf8(WorkText.Text));
    DimLeader(V.SaveStart, V.SaveEnd);
    ComLayPanelUpdate();
    WriteLog(End);
}
