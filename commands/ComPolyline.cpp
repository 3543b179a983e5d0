// POLYLINE: one polyline of straight and arc segments, built segment by segment. The
// polyline under construction is always the drawing's last object: a point after the
// start, then rebuilt one segment longer after every segment (so its address changes
// and no machining operation can refer to it while it grows).
#include "commands/ComPolyline.h"

#include <algorithm>
#include <cmath>

#include "commands/ComCommon.h"
#include "core/Builder.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPoint.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

constexpr Extended Pi = 3.1415926535897932385L;
const char* const EndLine = "Sys:ComPolyLine End";

// Normalised into -pi..pi, then limited to a right angle either way.
Extended NormLimit(Extended d) {
    if (d > Pi) d -= 2 * Pi;
    if (d < -Pi) d += 2 * Pi;
    return std::clamp(d, -Pi / 2, Pi / 2);
}

// The rubber band of the next end point by mode.
TMouseMove NextBand() {
    if (MainVars.UseTangArc) return mmArcTg;
    if (MainVars.UseTangLine) return mmLineTg;
    return mmLine;
}

// The polyline's own last object: a point or a polyline. Anything else (the drawing
// changed behind the command's back) is not rebuilt.
TObjHeader* OwnLast() {
    TObjHeader* p = MainVars.DataEnd;
    return p && (p->Type == ObjPoint || p->Type == ObjPline) ? p : nullptr;
}

// Loads the record into the builder (start point and every segment), unchanged.
void LoadIntoBuilder(const TObjHeader* p) {
    StartObj(AsPline(p)->S);
    const int32_t n = p->Type == ObjPline ? PlineSegCount(p) : 0;
    for (int32_t i = 0; i < n; ++i) BuildPushSeg(PlineSegs(p)[i]);
}

// Loops back to the end-point step with the newest input moved down.
void LoopToEndPoint() {
    TMainVars& V = MainVars;
    V.ComCnt = 1;
    V.Command[1] = V.Command[2];
    V.Command[2].clear();
    SetPrompt(Prompt[20]);
}

// "U": the last segment goes, when at least two are there.
void UndoSegment() {
    TMainVars& V = MainVars;
    TObjHeader* Last = OwnLast();
    if (!Last || Last->Type != ObjPline || PlineSegCount(Last) < 2) return;
    LoadIntoBuilder(Last);
    TPlineSeg Dropped;
    BuildPopSeg(Dropped);
    DeleteObj(Last, V.DataStart, V.DataEnd);
    TObjHeader* Copy = MakeObj(Glob.LayerDraw, V.DataStart, V.DataEnd);
    if (Copy) DrawObj(Copy, MainCanvas);
    V.Mouse.NextMove = mmNone;
    ComRedrawView();
    const int32_t n = Copy ? PlineSegCount(Copy) : 0;
    if (n > 0) {
        V.ArcStart = PlineSegStart(Copy, n - 1);
        V.ArcEnd = PlineSegs(Copy)[n - 1].E;
        V.Tangent = Angle(V.ArcStart, V.ArcEnd) + PlineSegs(Copy)[n - 1].Alfa / 2;
        V.SavePick = V.ArcStart = V.PickPoint = V.ArcEnd;
    }
    V.UseTangArc = V.UseTangLine = false;
    ComRedrawView();
}

// Step 2 with a mode letter; false when the input is no letter of the four.
bool ModeLetter(const std::string& In) {
    TMainVars& V = MainVars;
    const char c = In.empty() ? 0 : static_cast<char>(std::toupper(static_cast<unsigned char>(In[0])));
    switch (c) {
        case 'N':
            WriteLog("Usr:PolyMode:normal");
            V.UseTangArc = V.UseTangLine = false;
            break;
        case 'T':
            WriteLog("Usr:PolyMode:tangent");
            V.UseTangArc = true;
            V.UseTangLine = false;
            break;
        case 'L':
            WriteLog("Usr:PolyMode:line");
            V.UseTangArc = false;
            V.UseTangLine = true;
            break;
        case 'U':
            UndoSegment();
            break;
        default:
            return false;
    }
    LoopToEndPoint();
    V.Mouse.NextMove = NextBand();
    V.Mouse.NextDown = mdCoord;
    ComRedrawView();
    return true;
}

// Builds the segment from ArcStart to ArcEnd; Third is the normal mode's third input
// (radius or direction point), In2 the end point as typed.
void MakeSegment(const std::string& In2, const std::string& Third) {
    TMainVars& V = MainVars;
    V.ComCnt = -1;
    V.PickPoint = V.SavePick;
    V.FileSaved = false;
    V.Mouse.NextMove = mmNone;
    V.Mouse.NextDown = mdNone;
    ComRedrawView();
    Extended Alfa = 0;
    if (V.UseTangArc) {
        if (!StrToPt(In2, V.ArcStart, V.PickPoint)) {
            V.Mouse.OsnapAuto.Search = false;
            WriteLog(EndLine);
            return;
        }
        LogPickPoint();
        const Extended d = Angle(V.ArcStart, V.ArcEnd) - V.Tangent;
        WriteLog("Sys:Poly angle:" + GeneralNumText(d));
        Alfa = 2 * NormLimit(d);
    } else if (V.UseTangLine) {
        if (!StrToPt(In2, V.ArcStart, V.PickPoint)) {
            WrongPickPoint(In2);
            WriteLog(EndLine);
            return;
        }
        LogPickPoint();
        const Extended Len = Dist(V.ArcStart, V.PickPoint);
        V.ArcEnd = {V.ArcStart.x + Len * std::cos(V.Tangent), V.ArcStart.y + Len * std::sin(V.Tangent)};
    } else {
        Extended R = 0;
        if (StrToPt(Third, V.ArcStart, V.PickPoint)) {
            LogPickPoint();
            const Extended d = Angle(V.ArcStart, V.PickPoint) - Angle(V.ArcStart, V.ArcEnd);
            WriteLog("Sys:Poly angle:" + GeneralNumText(d));
            Alfa = -2 * NormLimit(d);
        } else if (StrToExtCalc(Third, R, false)) {
            const bool Negative = R < 0;
            R = std::fabs(R);
            const Extended C = Dist(V.ArcEnd, V.ArcStart);
            WriteLog("Sys:Poly radius:" + GeneralNumText(R) + " Length:" + GeneralNumText(C));
            Alfa = R - C / 2 <= CoordTol ? Pi : 2 * std::atan(C / (2 * std::sqrt(R * R - (C / 2) * (C / 2))));
            if (Negative) Alfa = -Alfa;
        }
    }
    // The polyline one segment longer replaces the old record at the end of the list.
    if (TObjHeader* Last = OwnLast()) {
        LoadIntoBuilder(Last);
        DeleteObj(Last, V.DataStart, V.DataEnd);
    } else {
        StartObj(V.ArcStart);
    }
    AddSeg(V.ArcEnd, Alfa, CoordTol);
    if (TObjHeader* New = MakeObj(Glob.LayerDraw, V.DataStart, V.DataEnd)) DrawObj(New, MainCanvas);
    V.Tangent = Angle(V.ArcStart, V.ArcEnd) + Alfa / 2;
    LoopToEndPoint();
    V.ArcStart = V.SavePick = V.PickPoint = V.ArcEnd;
    // A tangent line is one segment; tangent arcs follow it.
    if (V.UseTangLine) V.UseTangArc = true;
    V.UseTangLine = false;
    V.Mouse.NextMove = V.UseTangArc ? mmArcTg : mmLine;
    V.Mouse.NextDown = mdCoord;
    ComRedrawView();
    ComLayPanelUpdate();
    WriteLog(EndLine);
}

}  // namespace

void ComPolyline() {
    TMainVars& V = MainVars;
    switch (V.ComCnt) {
        case 0:
            WriteLog("Sys:ComPolyline Start");
            PointModes();
            V.UseTangArc = V.UseTangLine = false;
            ComRedrawView();
            SetPrompt(Prompt[18]);
            return;
        case 1:
            if (!StrToPt(V.Command[1], Osy{}, V.PickPoint)) {
                WrongPickPoint(V.Command[1]);
                WriteLog(EndLine);
                return;
            }
            LogPickPoint();
            EnPoint.Add(V.PickPoint, Glob.LayerDraw, V.DataStart, V.DataEnd);
            V.ArcStart = V.SavePick = V.PickPoint;
            SetPrompt(Prompt[4]);
            V.Mouse.NextMove = mmLine;
            V.Mouse.NextDown = mdCoord;
            ComRedrawView();
            return;
        case 2: {
            const std::string& In = V.Command[2];
            if (ModeLetter(In)) return;
            // A repeated end point would make no segment: it ends the command.
            if (!StrToPt(In, V.SavePick, V.PickPoint) || SamePt(V.PickPoint, V.SavePick)) {
                WrongPickPoint(In);
                WriteLog(EndLine);
                return;
            }
            LogPickPoint();
            V.ArcEnd = V.PickPoint;
            V.PickPoint = V.SavePick;
            if (V.UseTangArc || V.UseTangLine) return MakeSegment(In, "");
            V.Mouse.NextMove = mmArc;
            V.Mouse.NextDown = mdCoord;
            ComRedrawView();
            SetPrompt(Prompt[13]);
            return;
        }
        default:
            MakeSegment(V.Command[2], V.Command[3]);
            return;
    }
}
