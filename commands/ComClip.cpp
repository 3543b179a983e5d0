#include "commands/ComClip.h"

#include "commands/ComCommon.h"
#include "commands/ComDelete.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "formats/UniClip.h"
#include "platform/Clipboard.h"
#include "platform/Controls.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

// The hidden memo of the main window through which the text passes.
std::vector<std::string>& MemoClip() {
    static std::vector<std::string> Own;
    if (!MainForm) return Own;
    auto* M = MainForm->FindOrMake<TMemo>("MemoClip");
    M->Visible = false;
    return M->Lines;
}

std::string JoinLines(const std::vector<std::string>& Lines) {
    std::string S;
    for (const std::string& L : Lines) S += L + "\r\n";
    return S;
}

std::vector<std::string> SplitLines(const std::string& S) {
    std::vector<std::string> Lines;
    size_t B = 0;
    while (B < S.size()) {
        size_t E = S.find('\n', B);
        if (E == std::string::npos) E = S.size();
        std::string L = S.substr(B, E - B);
        if (!L.empty() && L.back() == '\r') L.pop_back();
        Lines.push_back(std::move(L));
        B = E + 1;
    }
    return Lines;
}

}  // namespace

void ComClipCopy(bool ObjDel) {
    TMainVars& V = MainVars;
    if (SelectThenPointStep("Sys:ComClipCopy Start", 11)) return;
    FinalSettings();
    if (!StrToPt(V.Command[2], Osy{}, V.PickPoint)) {
        WrongPickPoint(V.Command[2]);
        WriteLog("Sys:ComClipCopy End");
        return;
    }
    std::vector<std::string>& Memo = MemoClip();
    Memo.clear();
    Memo.push_back("BasePoint= x=" + ExtToStr(V.PickPoint.x) + " y=" + ExtToStr(V.PickPoint.y));
    ClipWriteObjects(Memo, false, true);
    SetClipboardText(JoinLines(Memo));
    // A cut leaves the drawing as DELETE does: no operation keeps a link to what went.
    if (ObjDel) DeleteSelectedObjects();
    ClearSelection(V.DataStart);
    ComLayPanelUpdate();
    ComRedrawView();
    WriteLog("Sys:ComClipCopy End");
}

void ComClipPaste() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComClipPaste Start");
        SetPrompt(Prompt[12]);
        PointModes();
        ComRedrawView();
        return;
    }
    FinalSettings();
    if (!StrToPt(V.Command[1], Osy{}, V.PickPoint)) {
        WrongPickPoint(V.Command[1]);
        WriteLog("Sys:ComClipPaste End");
        return;
    }
    std::vector<std::string>& Memo = MemoClip();
    Memo = SplitLines(ClipboardText());
    TObjHeader *First = nullptr, *Last = nullptr;
    ClipReadObjects(Memo, V.PickPoint, First, Last);
    ConcatObjLists(V.DataStart, V.DataEnd, First, Last);
    ClearSelection(V.DataStart);
    ComLayPanelUpdate();
    ComRedrawView();
    WriteLog("Sys:ComClipPaste End");
}
