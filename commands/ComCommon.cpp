#include "commands/ComCommon.h"

#include <cstdio>

#include "core/Glob.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/SetCfg.h"
#include "shell/UniLang.h"

void SetPrompt(const std::string& Text) {
    if (MainForm && MainForm->ComLine2) MainForm->ComLine2->Caption = Text;
}

std::string GetPrompt() {
    return MainForm && MainForm->ComLine2 ? MainForm->ComLine2->Caption : std::string();
}

const std::string& ComInput(int K) {
    static const std::string Empty;
    if (K < 0 || K > MaxComInputs) return Empty;
    return MainVars.Command[K];
}

void ComRedrawView() {
    if (MainForm) MainForm->ComRedraw();
}

void ComLayPanelUpdate() {
    if (MainForm) MainForm->LayPanelUpdate();
}

void PointModes() {
    MainVars.Mouse.NextMove = mmCross;
    MainVars.Mouse.NextDown = mdCoord;
    MainVars.Mouse.OsnapAuto.Search = true;
}

void FinalSettings() {
    MainVars.ComCnt = -1;
    MainVars.FileSaved = false;
    MainVars.Mouse.NextMove = mmNone;
    MainVars.Mouse.NextDown = mdNone;
    MainVars.Mouse.OsnapAuto.Search = false;
    ComRedrawView();
}

void WorkStepStart() {
    MainVars.ComCnt = -1;
    MainVars.FileSaved = false;
    MainVars.Mouse.NextMove = mmNone;
    MainVars.Mouse.NextDown = mdNone;
    ComRedrawView();
}

void ClearSelected(TObjHeader* p) { p->Flags &= static_cast<uint8_t>(~FlagSelected); }

std::string GeneralNumText(Extended X) { return CfgRegionalReal(X); }

std::string PickPointText() {
    return " La:" + std::to_string(Glob.LayerDraw) + " X:" + GeneralNumText(MainVars.PickPoint.x) +
           " Y:" + GeneralNumText(MainVars.PickPoint.y);
}

void LogPickPoint() { WriteLog("Usr:PickPoint" + PickPointText()); }

std::string PatternNumText(Extended X, const std::string& Pattern) {
    int Decimals = 0;
    const size_t Dot = Pattern.find('.');
    if (Dot != std::string::npos)
        for (size_t i = Dot + 1; i < Pattern.size() && (Pattern[i] == '0' || Pattern[i] == '#'); ++i)
            ++Decimals;
    char Buf[128];
    std::snprintf(Buf, sizeof Buf, "%.*Lf", Decimals, X);
    std::string S = Buf;
    if (S.size() > 1 && S[0] == '-' && S.find_first_not_of("-0.") == std::string::npos) S.erase(0, 1);
    const char Sep = CfgDecimalSeparator();
    for (char& c : S)
        if (c == '.') c = Sep;
    return S;
}

void WrongPickPoint(const std::string& Input) {
    MainVars.ComCnt = -1;
    MainVars.Mouse.OsnapAuto.Search = false;
    WriteLog("Err:Wrong pickpoint (" + Input + ")");
}

// ---- Selection ----

int RestoreDrawingSelection() {
    RestoreSelection();
    return CountDrawingSelection();
}

int CountDrawingSelection() {
    int n = 0;
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
        if (p->Flags & FlagSelected) ++n;
    return n;
}

void ShowSelectionCount(int Count) {
    if (MainForm && MainForm->PanelSelect) MainForm->PanelSelect->Caption = std::to_string(Count);
}

void SelectStepStart() {
    MainVars.Mouse.NextMove = mmSel;
    MainVars.Mouse.NextDown = mdSel;
    SetPrompt(PrSelObject);
    MainVars.Mouse.OsnapAuto.Search = false;
    ComRedrawView();
}

bool SelectThenPointStep(const std::string& StartLog, int PromptNo) {
    if (MainVars.ComCnt == 0) {
        WriteLog(StartLog);
        SelectStepStart();
        return true;
    }
    if (MainVars.ComCnt != 1) return false;
    if (SelectStepPrevious("Usr:Select previous")) return true;
    SetPrompt(Prompt[PromptNo]);
    PointModes();
    ComRedrawView();
    return true;
}

bool SelectStepPrevious(const std::string& LogLine) {
    if (ComInput(MainVars.ComCnt) == "P") {
        WriteLog(LogLine);
        RestoreDrawingSelection();
        MainVars.ComCnt = 0;
        SetPrompt(PrSelObject);
        return true;
    }
    SaveSelection();
    return false;
}
