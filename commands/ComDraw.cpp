#include "commands/ComDraw.h"

#include <algorithm>
#include <cmath>

#include "commands/ComCommon.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

constexpr Extended Pi = 3.1415926535897932385L;

// A point that did not parse (or was refused) ends the command with its end line.
void FailPoint(const std::string& Input, const char* EndLine) {
    WrongPickPoint(Input);
    WriteLog(EndLine);
}

// The first point of a command: typed relative to the origin.
bool FirstPoint(const std::string& Input) { return StrToPt(Input, Osy{}, MainVars.PickPoint); }

// The start of a command that asks for points: osnap on, the first prompt.
void AskFirstPoint(const char* StartLine, const std::string& Text) {
    WriteLog(StartLine);
    PointModes();
    SetPrompt(Text);
    ComRedrawView();
}

// Asks for the next point with the rubber band Band from the saved point.
void AskNextPoint(const std::string& Text, TMouseMove Band) {
    SetPrompt(Text);
    MainVars.Mouse.NextMove = Band;
    MainVars.Mouse.NextDown = mdCoord;
    ComRedrawView();
}

// Draws the drawing's last object (the one just added).
void DrawLast() {
    if (MainVars.DataEnd) DrawObj(MainVars.DataEnd, MainCanvas);
}

// POINTTOCIR's walk: every selected object loses the bit; a selected full circle gives a
// point at its centre at the end of the drawing; groups are walked member by member.
void PointsToCircles(TObjHeader* First) {
    for (TObjHeader* p = First; p; p = p->Next) {
        if (!(p->Flags & FlagSelected)) continue;
        p->Flags &= static_cast<uint8_t>(~FlagSelected);
        switch (p->Type) {
            case ObjPline: {
                Osy C;
                Extended R = 0;
                if (EnPline.IsCircle(p, C, R)) EnPoint.Add(C, Glob.LayerDraw, MainVars.DataStart, MainVars.DataEnd);
                DrawObj(p, MainCanvas);
                break;
            }
            case ObjGroup:
                PointsToCircles(AsGroup(p)->First);
                DrawObj(p, MainCanvas);
                break;
            default:
                DrawObj(p, MainCanvas);
                break;
        }
    }
}

}  // namespace

void ComPoint() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        AskFirstPoint("Sys:ComPoint Start", Prompt[17]);
        return;
    }
    FinalSettings();
    if (FirstPoint(V.Command[1])) {
        WriteLog("Sys:PointTo" + PickPointText());
        EnPoint.Add(V.PickPoint, Glob.LayerDraw, V.DataStart, V.DataEnd);
        ComLayPanelUpdate();
    } else {
        WrongPickPoint(V.Command[1]);
    }
    WriteLog("Sys:ComPoint End");
}

void ComPointToCircle() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComPointToCircle Start");
        SelectStepStart();
        return;
    }
    if (SelectStepPrevious("Usr:Select previous.")) return;
    WorkStepStart();
    PointsToCircles(V.DataStart);
    ComLayPanelUpdate();
    WriteLog("Sys:ComPointToCircle End");
}

void ComLine() {
    TMainVars& V = MainVars;
    switch (V.ComCnt) {
        case 0:
            AskFirstPoint("Sys:ComLine Start", Prompt[3]);
            return;
        case 1:
            if (!FirstPoint(V.Command[1])) return FailPoint(V.Command[1], "Sys:ComLine End");
            V.SavePick = V.PickPoint;
            AskNextPoint(Prompt[4], mmLine);
            return;
        default:
            break;
    }
    V.ComCnt = -1;
    V.PickPoint = V.SavePick;
    V.FileSaved = false;
    V.Mouse.NextMove = mmNone;
    V.Mouse.NextDown = mdNone;
    ComRedrawView();
    if (!StrToPt(V.Command[2], V.SavePick, V.PickPoint)) return FailPoint(V.Command[2], "Sys:ComLine End");
    WriteLog("Sys:LineTo" + PickPointText());
    EnPline.LineAdd(V.SavePick, V.PickPoint, Glob.LayerDraw, V.DataStart, V.DataEnd);
    DrawLast();
    // The chain goes on from the new end; only Command[1] and [2] are used, so any
    // number of segments fits.
    V.ComCnt = 1;
    V.Command[1] = V.Command[2];
    V.Command[2].clear();
    V.SavePick = V.PickPoint;
    AskNextPoint(Prompt[4], mmLine);
    ComLayPanelUpdate();
    WriteLog("Sys:ComLine End");
}

void ComArc() {
    TMainVars& V = MainVars;
    switch (V.ComCnt) {
        case 0:
            AskFirstPoint("Sys:ComArc Start", Prompt[18]);
            return;
        case 1:
            if (!FirstPoint(V.Command[1])) return FailPoint(V.Command[1], "Sys:ComArc End");
            WriteLog("Usr:PickPoint1" + PickPointText());
            V.ArcStart = V.PickPoint;
            V.SavePick = V.PickPoint;
            AskNextPoint(Prompt[19], mmLine);
            return;
        case 2:
            // An end on the start gives no arc.
            if (!StrToPt(V.Command[2], V.SavePick, V.PickPoint) || SamePt(V.PickPoint, V.SavePick))
                return FailPoint(V.Command[2], "Sys:ComArc End");
            WriteLog("Usr:PickPoint2" + PickPointText());
            V.ArcEnd = V.PickPoint;
            V.PickPoint = V.SavePick;
            AskNextPoint(Prompt[13], mmArc);
            return;
        default:
            break;
    }
    V.PickPoint = V.SavePick;
    FinalSettings();
    const std::string& In = V.Command[3];
    const Extended Chord = Dist(V.ArcStart, V.ArcEnd);
    Extended Alfa = 0;
    if (In.find(' ') != std::string::npos) {
        // A direction point: the arc leaves its start towards it.
        if (!StrToPt(In, V.SavePick, V.PickPoint)) {
            WriteLog("Err:Wrong angle (" + In + ")");
            WriteLog("Sys:ComArc End");
            return;
        }
        Extended d = Angle(V.ArcStart, V.PickPoint) - Angle(V.ArcStart, V.ArcEnd);
        WriteLog("Sys:Arc angle:" + GeneralNumText(d));
        if (d > Pi) d -= 2 * Pi;
        if (d < -Pi) d += 2 * Pi;
        d = std::clamp(d, -Pi / 2, Pi / 2);
        Alfa = -2 * d;
    } else {
        Extended Value = 0;
        if (!StrToExtCalc(In, Value, true)) {
            WriteLog("Err:Wrong radius (" + In + ")");
            WriteLog("Sys:ComArc End");
            return;
        }
        const Extended R = std::fabs(Value);
        WriteLog("Sys:Arc radius:" + GeneralNumText(R));
        const Extended H = Chord / 2;
        // A radius up to half the chord gives a half circle.
        Alfa = R - H <= CoordTol ? Pi : 2 * std::atan(Chord / (2 * std::sqrt(R * R - H * H)));
        if (Value < 0) Alfa = -Alfa;
    }
    WriteLog("Sys:ArcTo" + PickPointText());
    EnPline.ArcAdd(V.ArcStart, V.ArcEnd, Alfa, Glob.LayerDraw, V.DataStart, V.DataEnd);
    ComLayPanelUpdate();
    WriteLog("Sys:ComArc End");
}

void ComCircle() {
    TMainVars& V = MainVars;
    switch (V.ComCnt) {
        case 0:
            AskFirstPoint("Sys:ComCircle Start", Prompt[7]);
            return;
        case 1:
            if (!FirstPoint(V.Command[1])) return FailPoint(V.Command[1], "Sys:ComCircle End");
            V.SavePick = V.PickPoint;
            AskNextPoint(Prompt[13], mmCircle);
            return;
        default:
            break;
    }
    V.PickPoint = V.SavePick;
    FinalSettings();
    const std::string& In = V.Command[2];
    Extended R = 0;
    if (In.find(' ') != std::string::npos) {
        // A point on the circle.
        if (!StrToPt(In, V.SavePick, V.PickPoint)) {
            WriteLog("Err:Wrong radius (" + In + ")");
            WriteLog("Sys:ComCircle End");
            return;
        }
        R = Dist(V.SavePick, V.PickPoint);
        WriteLog("Sys:Circle radius:" + GeneralNumText(R));
    } else {
        // A radius, or a diameter after "D".
        const bool Diameter = !In.empty() && (In[0] == 'D' || In[0] == 'd');
        const std::string Rest = Diameter ? In.substr(1) : In;
        if (!StrToExtCalc(Rest, R, true)) {
            WriteLog("Err:Wrong radius (" + Rest + ")");
            WriteLog("Sys:ComCircle End");
            return;
        }
        if (Diameter) R /= 2;
        R = std::fabs(R);
    }
    WriteLog("Sys:CircleTo" + PickPointText());
    EnPline.CircleAdd(V.SavePick, R, Glob.LayerDraw, V.DataStart, V.DataEnd);
    ComLayPanelUpdate();
    WriteLog("Sys:ComCircle End");
}

void ComRectangle() {
    TMainVars& V = MainVars;
    switch (V.ComCnt) {
        case 0:
            AskFirstPoint("Sys:ComRectangle Start", Prompt[1]);
            return;
        case 1:
            if (!FirstPoint(V.Command[1])) return FailPoint(V.Command[1], "Sys:ComRectangle End");
            LogPickPoint();
            V.SavePick = V.PickPoint;
            AskNextPoint(Prompt[2], mmRect);
            return;
        default:
            break;
    }
    V.PickPoint = V.SavePick;
    FinalSettings();
    if (!StrToPt(V.Command[2], V.SavePick, V.PickPoint)) return FailPoint(V.Command[2], "Sys:ComRectangle End");
    LogPickPoint();
    WriteLog("Sys:RectangleTo" + PickPointText());
    EnPline.RectangleAdd(V.SavePick, V.PickPoint, Glob.LayerDraw, V.DataStart, V.DataEnd);
    ComLayPanelUpdate();
    WriteLog("Sys:ComRectangle End");
}
