#include "commands/ComInfo.h"

#include "commands/ComCommon.h"
#include "commands/InfoDg.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "shell/MainVars.h"

void ComInfo() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComInfo Start");
        SelectStepStart();
        return;
    }
    if (SelectStepPrevious("Usr:Select previous")) return;
    V.ComCnt = -1;
    V.Mouse.NextMove = mmNone;
    V.Mouse.NextDown = mdNone;
    V.Mouse.OsnapAuto.Search = false;
    ComRedrawView();
    SelEnvelope();
    if (!InfoDialog) CreateInfoDialog();
    InfoDialog->Aktualize();
    InfoDialog->Show();
    ClearSelection(V.DataStart);
    ComRedrawView();
    WriteLog("Sys:ComInfo End");
}
