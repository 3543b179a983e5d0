#include "cam/ComContour.h"

#include "cam/CamOpList.h"
#include "cam/CamOpRegen.h"
#include "cam/ContourBuild.h"
#include "commands/ComCommon.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "platform/Dialogs.h"
#include "shell/Main.h"
#include "shell/MainCursor.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

bool CamSelectStep(const std::string& LogLine, bool KeepModes) {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0 && !Glob.OpEdit) {
        SelectStepStart();
        return true;
    }
    if (!Glob.OpEdit && ComInput(V.ComCnt) == "P") {
        if (!LogLine.empty()) WriteLog(LogLine);
        RestoreDrawingSelection();
        V.ComCnt = 0;
        SetPrompt(PrSelObject);
        return true;
    }
    SaveSelection();
    V.ComCnt = -1;
    V.FileSaved = false;
    if (!KeepModes) {
        V.Mouse.NextMove = mmNone;
        V.Mouse.NextDown = mdNone;
        ComRedrawView();
    }
    // Clamp outlines and dimensions are never machined.
    for (TObjHeader* p = V.DataStart; p; p = p->Next)
        if (p->Layer == 66 || p->Layer == 67) p->Flags &= uint8_t(~FlagSelected);
    // An operation of nothing would be recorded empty and look built.
    if (!Glob.OpEdit && !Glob.OpRegen && CountDrawingSelection() == 0) {
        WriteLog("Err:No object selected");
        MessageDlg(Msg[107], TMsgDlgType::mtError, mbOK);
        return true;
    }
    return false;
}

void ComContour() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) WriteLog("Sys:ComContour Start");
    if (CamSelectStep("Usr:Select previous", Glob.OpRegen)) return;
    TObjHeader *S = nullptr, *E = nullptr;
    CopySelObjects(V.DataStart, false, true, true, S, E);
    const bool Fresh = !Glob.OpEdit && !Glob.OpRegen;
    if (Fresh) Glob.OpNew = true;
    const TLayerDepths Depths = LayerDepths();
    const bool Ok = CreateContourToolpath(S, E, V.DataStart, V.DataEnd);
    if (!Ok && OpList.Index >= 0 && OpList.Index < OpList.CamCnt) OpList.Cam[OpList.Index].Status = 3;
    Glob.OpNew = false;
    if (!Glob.OpRegen) HandOffChangedDepths(Depths, OpList.Index);
    // A new operation is not the current one: OPEDIT and OPDELETE ask for theirs.
    if (Fresh) OpList.Index = -1;
    ClearSelection(V.DataStart);
    ResetMainCursor();
    ComLayPanelUpdate();
    if (MainForm) MainForm->CamOpsToPanel();
    WriteLog("Sys:ComContour End");
}
