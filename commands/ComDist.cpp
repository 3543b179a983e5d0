// DIST measures between two points and shows the result in the command line; SPEC,
// the special-functions entry, only ends at once.
#include "commands/ComCommon.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

void TMainForm::ComDist() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComDist Start");
        PointModes();
        SetPrompt(Prompt[3]);
        ComRedraw();
        return;
    }
    if (V.ComCnt == 1) {
        if (!StrToPt(V.Command[1], Osy{}, V.PickPoint)) {
            WrongPickPoint(V.Command[1]);
            WriteLog("Sys:ComDist End");
            return;
        }
        V.SavePick = V.PickPoint;
        SetPrompt(Prompt[4]);
        V.Mouse.NextMove = mmLine;
        V.Mouse.NextDown = mdCoord;
        ComRedraw();
        return;
    }
    V.ComCnt = -1;
    V.PickPoint = V.SavePick;
    V.Mouse.NextMove = mmCross;
    V.Mouse.NextDown = mdNone;
    V.Mouse.OsnapAuto.Search = false;
    ComRedraw();
    if (StrToPt(V.Command[2], V.SavePick, V.PickPoint)) {
        const Osy& A = V.SavePick;
        const Osy& B = V.PickPoint;
        const Extended Deg = 180 / 3.1415926535897932385L;
        const std::string& Pat = Glob.DecNum;
        // The text stays in the command line: the end of the command echoes it into
        // the history.
        SetPrompt("d=" + PatternNumText(Dist(A, B), Pat) + ", u=" + PatternNumText(Angle(A, B) * Deg, Pat) +
                  ", dx=" + PatternNumText(B.x - A.x, Pat) + ", dy=" + PatternNumText(B.y - A.y, Pat));
    } else {
        WriteLog("Err:Wrong pickpoint (" + V.Command[2] + ")");
    }
    WriteLog("Sys:ComDist End");
}

void TMainForm::ComSpecial() {
    MainVars.ComCnt = -1;
    LayPanelUpdate();
}
