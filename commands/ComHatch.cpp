// HATCH and INTELIHATCH: parallel hatch lines of a typed spacing and angle. HATCH fills
// the areas bounded by the selected closed polylines (checked closed, free of
// self-crossings and of crossings with one another, then nested); INTELIHATCH takes
// the "Orig" layer's polylines as boundaries and fills the areas round clicked points.
#include "commands/ComHatch.h"

#include <algorithm>
#include <vector>

#include "commands/ComCommon.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniArea.h"
#include "core/UniDraw.h"
#include "core/UniHatch.h"
#include "core/UniLog.h"
#include "core/UniNesting.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "core/UniWalk.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

constexpr Extended Pi = 3.1415926535897932385L;
constexpr uint8_t OrigLayer = 68;

// Which check refuses the working copies: 0 none, else the message number.
int RefuseHatch(TObjHeader* First, int& Loops) {
    for (TObjHeader* p = First; p; p = p->Next)
        if (EnPline.OpenPline(p)) return 15;
    Loops = 0;
    for (TObjHeader* p = First; p; p = p->Next) {
        Osy P1, P2;
        int32_t At = 0;
        if (EnPline.LoopTest(p, P1, P2, At) > 0) ++Loops;
    }
    if (Loops > 0) return 16;
    // Pairs whose boxes overlap or touch, found by a sweep over the boxes sorted by
    // their left edge instead of testing every pair.
    struct TBox {
        TObjHeader* P;
        Osy Min, Max;
    };
    std::vector<TBox> Boxes;
    for (TObjHeader* p = First; p; p = p->Next) {
        TBox B{p, {}, {}};
        EnPline.Envelope(p, B.Min, B.Max);
        Boxes.push_back(B);
    }
    std::sort(Boxes.begin(), Boxes.end(), [](const TBox& a, const TBox& b) { return a.Min.x < b.Min.x; });
    for (size_t i = 0; i < Boxes.size(); ++i)
        for (size_t j = i + 1; j < Boxes.size() && Boxes[j].Min.x <= Boxes[i].Max.x; ++j) {
            if (Boxes[j].Min.y > Boxes[i].Max.y || Boxes[j].Max.y < Boxes[i].Min.y) continue;
            Osy X;
            if (EnPline.CrossTest(Boxes[i].P, Boxes[j].P, X)) return 17;
        }
    return 0;
}

// Spacing and angle (degrees) typed; both must parse.
bool ParseDistAngle(const std::string& DistIn, const std::string& AngleIn, Extended& Spacing, Extended& Angle,
                    bool Mark) {
    return StrToExtCalc(DistIn, Spacing, Mark) && StrToExtCalc(AngleIn, Angle, Mark);
}

void HatchEnd() {
    TMainVars& V = MainVars;
    FreeObjList(V.SaveStart, V.SaveEnd);
    ClearSelection(V.DataStart);
    ComLayPanelUpdate();
    WriteLog("Sys:ComHatch End");
}

void InteliEnd() { WriteLog("Sys:ComInteliHatch End"); }

}  // namespace

void ComHatch() {
    TMainVars& V = MainVars;
    switch (V.ComCnt) {
        case 0:
            WriteLog("Sys:ComHatch Start");
            SelectStepStart();
            return;
        case 1: {
            if (SelectStepPrevious("Usr:Select previous")) return;
            V.Mouse.NextMove = mmNone;
            V.Mouse.NextDown = mdNone;
            ComRedrawView();
            // The working copies wait in SaveStart/SaveEnd, which the command line frees
            // when the command ends or is cancelled.
            FreeObjList(V.SaveStart, V.SaveEnd);
            CopySelObjects(V.DataStart, false, false, false, V.SaveStart, V.SaveEnd);
            int Loops = 0;
            if (const int Msg_ = RefuseHatch(V.SaveStart, Loops)) {
                ShowMessage(Msg_ == 16 ? Msg[16] + std::to_string(Loops) : Msg[Msg_]);
                V.Mouse.OsnapAuto.Search = false;
                ComRedrawView();
                V.ComCnt = -1;
                HatchEnd();
                return;
            }
            SetPrompt(Prompt[28]);
            V.Mouse.NextDown = mdNone;
            ComRedrawView();
            return;
        }
        case 2:
            SetPrompt(Prompt[29]);
            V.Mouse.NextDown = mdNone;
            ComRedrawView();
            return;
        default:
            break;
    }
    FinalSettings();
    Extended Spacing = 0, Angle = 0;
    if (ParseDistAngle(V.Command[2], V.Command[3], Spacing, Angle, true)) {
        Angle = Angle * Pi / 180;
        GroupByNesting(V.SaveStart, V.SaveEnd, Glob.LayerDraw);
        ComRedrawView();
        for (TObjHeader* g = V.SaveStart; g; g = g->Next) Hatch(g, Spacing, Angle);
    }
    HatchEnd();
}

void StartAreaPicks(const std::string& PromptText) {
    TMainVars& V = MainVars;
    // The boundaries: every object of the "Orig" layer, selected or shown.
    FreeObjList(V.SaveStart, V.SaveEnd);
    CopySelObjects(V.DataStart, true, false, false, V.SaveStart, V.SaveEnd);
    for (TObjHeader* p = V.SaveStart; p;) {
        TObjHeader* Next = p->Next;
        if (p->Layer != OrigLayer) DeleteObj(p, V.SaveStart, V.SaveEnd);
        p = Next;
    }
    SelectBorder(V.SaveStart, V.SaveEnd);
    V.Mouse.NextDown = mdCoord;
    SetPrompt(PromptText);
    FreeObjList(V.AreaStart, V.AreaEnd);
    FreeObjList(V.ViewStart, V.ViewEnd);
}

void ComInteliHatch() {
    TMainVars& V = MainVars;
    switch (V.ComCnt) {
        case 0:
            WriteLog("Sys:ComInteliHatch Start");
            SetPrompt(Prompt[28]);
            return;
        case 1:
            SetPrompt(Prompt[29]);
            return;
        default:
            break;
    }
    Extended Spacing = 0, Angle = 0;
    const auto WrongDistAngle = [&] {
        WriteLog("Err:Wrong dist or angle (" + V.Command[1] + "/" + V.Command[2] + ")");
        V.ComCnt = -1;
        FreeObjList(V.SaveStart, V.SaveEnd);
        V.Mouse.OsnapAuto.Search = false;
        InteliEnd();
    };
    if (V.ComCnt == 2) {
        if (!ParseDistAngle(V.Command[1], V.Command[2], Spacing, Angle, true)) return WrongDistAngle();
        StartAreaPicks(Prompt[30]);
        return;
    }
    V.FileSaved = false;
    V.Mouse.NextMove = mmNone;
    V.Mouse.NextDown = mdNone;
    ComRedrawView();
    if (!ParseDistAngle(V.Command[1], V.Command[2], Spacing, Angle, false)) return WrongDistAngle();
    const std::string& In = V.Command[3];
    if (StrToPt(In, Osy{}, V.PickPoint)) {
        LogPickPoint();
        EnPoint.Add(V.PickPoint, OrigLayer, V.ViewStart, V.ViewEnd);
        if (TObjHeader* Area = SelectArea(V.PickPoint, V.SaveStart, V.SaveEnd))
            AppendObj(Area, V.AreaStart, V.AreaEnd);
        V.ComCnt = 2;
        V.Mouse.NextDown = mdCoord;
        V.Mouse.NextMove = mmCross;
        SetPrompt(Prompt[30]);
        return;
    }
    // Any other input finishes: the areas found are joined and hatched.
    WriteLog("Err:Wrong pickpoint (" + In + ")");
    V.ComCnt = -1;
    V.Mouse.OsnapAuto.Search = false;
    FreeObjList(V.SaveStart, V.SaveEnd);
    if (CountObjs(V.AreaStart) < CountObjs(V.ViewStart)) ShowMessage(Msg[13]);
    FreeObjList(V.ViewStart, V.ViewEnd);
    AreaJoin(V.AreaStart, V.AreaEnd);
    TObjHeader* Before = V.DataEnd;
    for (TObjHeader* a = V.AreaStart; a; a = a->Next) Hatch(a, Spacing, Angle * Pi / 180);
    for (TObjHeader* p = Before ? Before->Next : V.DataStart; p; p = p->Next)
        if (p->Type == ObjPline || p->Type == ObjGroup) DrawObj(p, MainCanvas);
    // The area outlines were working objects only.
    FreeObjList(V.AreaStart, V.AreaEnd);
    ClearSelection(V.DataStart);
    ComLayPanelUpdate();
    InteliEnd();
}
