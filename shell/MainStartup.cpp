// The life of the main window: creation, the first showing, the two timers, resizing
// and the close with its question, the log written at the end.
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <exception>

#include "cam/CamOpList.h"
#include "cam/CamOpRegen.h"
#include "cam/CamOpUndo.h"
#include "commands/ComCommon.h"
#include "commands/ComLayer.h"
#include "commands/EndDg.h"
#include "commands/UniCom.h"
#include "core/Builder.h"
#include "core/Glob.h"
#include "core/IntFont.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/SafeWrite.h"
#include "core/UniPline.h"
#include "core/TextFile.h"
#include "core/UniGroup.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "formats/HPOutDg.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "shell/FileHist.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/MainView.h"
#include "shell/SetCfg.h"
#include "shell/StartupHooks.h"
#include "shell/UpdateCheck.h"
#include "shell/UserDll.h"
#include "shell/UniLang.h"
#include "shell/LayPanel.h"
#include "shell/ViewDg.h"
#include "tools/ToolDg.h"

std::function<bool(const std::string&, bool, bool)> SaveYdfFileHook;
std::function<bool(const std::string&, bool, bool, bool, bool, bool, bool, Osy&, Osy&)> LoadYdfFileHook;
std::function<void(TMainForm&)> ComSaveAsHook;
std::function<void()> LoadToolTypesHook;
std::function<void()> SaveToolFilesHook;
std::function<void(int)> ShowToolDialogHook;
std::function<void()> ShowToolLibDialogHook;
std::function<void()> ShowHelpDialogHook;
std::function<int(bool)> NewFileDialogHook;
std::function<void()> LoadUserDllHook;
std::function<void()> FreeUserDllHook;
std::function<void()> CheckForUpdatesHook;
std::string ProgramFile;
int ScreenPxPerInch = 96;

void ResetStartupHooks() {
    SaveYdfFileHook = nullptr;
    LoadYdfFileHook = nullptr;
    ComSaveAsHook = nullptr;
    LoadToolTypesHook = nullptr;
    SaveToolFilesHook = nullptr;
    ShowToolDialogHook = nullptr;
    ShowToolLibDialogHook = nullptr;
    ShowHelpDialogHook = nullptr;
    NewFileDialogHook = nullptr;
    LoadUserDllHook = nullptr;
    FreeUserDllHook = nullptr;
    FreeUserDll();
    CheckForUpdatesHook = nullptr;
    ProgramFile.clear();
    ScreenPxPerInch = 96;
}

namespace {

const char* const ProductTitle = "Kestrilon";

std::string OsVersionText() {
    utsname U{};
    if (uname(&U) != 0) return "unknown";
    return std::string(U.sysname) + " " + U.release + " " + U.machine;
}

std::string CurrentDir() {
    char Buf[PATH_MAX];
    return getcwd(Buf, sizeof Buf) ? std::string(Buf) : std::string();
}

// File name without folder and extension; the extension lower-cased.
std::string BaseName(const std::string& Path) {
    const size_t S = Path.find_last_of('/');
    return S == std::string::npos ? Path : Path.substr(S + 1);
}
std::string StemOf(const std::string& Path) {
    const std::string B = BaseName(Path);
    const size_t D = B.find_last_of('.');
    return D == std::string::npos ? B : B.substr(0, D);
}
std::string LowerExtOf(const std::string& Path) {
    const std::string B = BaseName(Path);
    const size_t D = B.find_last_of('.');
    std::string E = D == std::string::npos ? std::string() : B.substr(D);
    for (char& c : E)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return E;
}
// The folder of Path, made absolute against the current folder.
std::string AbsoluteFolderOf(const std::string& Path) {
    const std::string Full = !Path.empty() && Path[0] == '/' ? Path : CurrentDir() + "/" + Path;
    const size_t S = Full.find_last_of('/');
    return S == 0 ? std::string("/") : Full.substr(0, S);
}

// Every ".shp" file of Folder and its subfolders, depth first, names beginning with
// "." skipped.
void LoadShpFontsIn(const std::string& Folder) {
    std::vector<std::string> Names = FindFiles(Folder, "*", true);
    for (const std::string& F : FindFiles(Folder, "*")) Names.push_back(F);
    std::sort(Names.begin(), Names.end());
    for (const std::string& N : Names) {
        if (N.empty() || N[0] == '.') continue;
        const std::string Path = Folder + "/" + N;
        if (DirectoryExists(Path)) {
            LoadShpFontsIn(Path);
        } else if (LowerExtOf(N) == ".shp") {
            WriteLog("Sys:Load SHP font (" + N + ")");
            LoadFont(Folder, N);
        }
    }
}

}  // namespace

void LoadShpFonts(const std::string& Folder) { LoadShpFontsIn(Folder); }

namespace {

// Temporary files that saves killed half-way left in the folders this program writes
// to: the program folder, the job folder and the folders of the recent files. Files
// another running program is still writing are left alone.
void RemoveInterruptedSaves() {
    std::vector<std::string> folders{Glob.ProgramDir, Glob.IniDirOpenSave};
    for (const std::string& f : FileHist) {
        const size_t slash = f.find_last_of('/');
        if (slash != std::string::npos) folders.push_back(slash == 0 ? "/" : f.substr(0, slash));
    }
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    for (const std::string& f : folders) {
        if (f.empty()) continue;
        if (const int n = RemoveStaleTempFiles(f))
            WriteLog("Sys:Removed " + std::to_string(n) + " temporary files of interrupted saves (" + f + ")");
    }
}

}  // namespace

void TMainForm::FormCreate() {
    SetLogLength(DefaultLogLength);
    WriteLog("FirstEntry");
    FormStarted = false;
    NotCmd = false;
    Glob.PxPerInch = uint8_t(std::clamp(ScreenPxPerInch, 0, 255));
    // The entity classes are stateless single instances; the group class draws members.
    InstallGroupDraw();
    // The drawing asks the tool code for cutting radii.
    InstallToolServices();
    // The plug-in library and the update check come with the first showing.
    InstallUserDll();
    InstallUpdateCheck();
    IgnoreFileSizeSignal();
    if (!ProgramFile.empty()) {
        const size_t S = ProgramFile.find_last_of('/');
        Glob.ProgramDir = S == std::string::npos ? CurrentDir() : ProgramFile.substr(0, S);
    }
    WriteLog("Sys:Kestrilon start, program folder " + Glob.ProgramDir);
    WriteLog("Sys:Os version=" + OsVersionText());
    LoadComSet(this);
    WriteLog("Sys:Init Params");
    Glob.IniDirOpenSave = CurrentDir();
    Glob.IniDirExpImp = Glob.IniDirOpenSave;
    Glob.GCodeEd.clear();
    Cursor = TCursor::crDefault;

    const std::string Dir = Glob.ProgramDir;
    const uint8_t Ppi = Glob.PxPerInch;
    SetGlobDefaults();
    Glob.ProgramDir = Dir;
    Glob.PxPerInch = Ppi;
    Timer1.SetInterval(uint32_t(Glob.AutoSave) * 60000u);
    MenuBarShown = true;
    if (TMenuItem* M = MenuItem("SnapOnMnu")) M->Checked = true;
    if (TMenuItem* M = MenuItem("GridOnMnu")) M->Checked = true;
    if (TMenuItem* M = MenuItem("OrthoOnMnu")) M->Checked = false;

    FreeMainVarsLists();
    InitCamOps();
    InstallCamRegen();
    InitUndoSlots();
    Glob.MaxUndo = 4;
    Glob.MaxFileHist = 10;

    TMainVars& V = MainVars;
    V.Mouse = TMouseMode{};
    Glob.TextEnv = true;
    ComLine2->Caption = "?>";
    V.Command.fill("");
    V.ComCnt = -1;
    V.LastCom.clear();
    V.LastColor = Glob.BackColor;
    V.ArrList.fill("");
    V.IndexList = 1;
    LabelParam->Caption.clear();

    FormResize();

    FontFreeMem();
    InstallIntFont();
    LoadIconBitmaps();
    LoadShpFonts(Glob.ProgramDir + "/FONT");

    SetBuiltInTextStyles();
    InitBuilder();

    InitLayerPanelEvents();
    InitCamOps();
}

void TMainForm::FormShow() {
    if (FormStarted) return;
    InitLanguage();
    LoadLanguageFile();
    ComZoomLimits();
    if (LoadToolTypesHook) LoadToolTypesHook();
    if (ViewDialog) ViewDialog->InitView();
    FileToGlobalCfg(DefaultCfgPath());
    Caption = ProductTitle;

    const std::string First = Args.empty() ? std::string() : Args[0];
    DebugMode = !Args.empty() && First.find("debug") != std::string::npos;
    if (PanelDebug) PanelDebug->Visible = DebugMode;
    if (LabMosPosPX) LabMosPosPX->Visible = DebugMode;

    // The recent-files list is read at every start, so that the next SAVE AS extends it
    // instead of replacing it.
    FileToFileHist(FileHistPath());
    RemoveInterruptedSaves();

    if (!Args.empty() && LowerExtOf(First) == ".ydf") {
        Osy Min, Max;
        bool Loaded = false;
        if (LoadYdfFileHook) {
            Loaded = LoadYdfFileHook(First, true, Glob.ReadYdfCfg, true, true, true, true, Min, Max);
        } else {
            WriteLog("Sys:Load YDF Start (" + First + ")");
            WriteLog("Err:FAILED Load YDF, job files not available in this build");
            WriteLog("Sys:Load YDF End");
        }
        FindDirAll(MainVars.DataStart);
        ComZoomObject();
        // A file that was not read leaves an untitled job; one that was is saved back
        // into its own folder.
        if (Loaded) {
            Glob.JmSouboru = StemOf(First);
            Glob.IniDirOpenSave = AbsoluteFolderOf(First);
            Caption = std::string(ProductTitle) + " - " + Glob.JmSouboru;
        }
    } else {
        int Choice = -1;
        if (NewFileDialogHook) Choice = NewFileDialogHook(Glob.ShowNewFileDg);
        if (Choice >= 0 && Choice != 4) Glob.JobType = uint8_t(Choice);
        if (!NewFileDialogHook) Glob.JobType = 0;
        ComZoomLimits();
    }
    AppTitle = Glob.JmSouboru;

    AktualizaceListy();
    PanelsFromSettings();
    CamOpsToPanel();
    LayPanelUpdate();
    MainVars.FileSaved = true;
    if (HPOutputDialog)
        if (auto* G = HPOutputDialog->Find<TStringGrid>("StrGrid")) {
            if (G->ColCount() < 2 || G->RowCount() < 9) G->SetSize(std::max(2, G->ColCount()), std::max(9, G->RowCount()));
            for (int r = 1; r <= 8; ++r) G->Cells[1][r] = "T" + std::to_string(r);
        }

    SbtnMNUSelectFileClick(0);
    SetFocus();
    if (LoadUserDllHook) LoadUserDllHook();
    FormStarted = true;
    WriteLog("Sys:System init End");
    Timer2.SetEnabled(true);
}

void TMainForm::Timer1Timer() {
    WriteLog("Sys:Autosave");
    const std::string File = Glob.ProgramDir + "/AutoSave.ydf";
    if (SaveYdfFileHook)
        SaveYdfFileHook(File, true, true);
    else
        WriteLog("Err:Autosave FAILED, job files not available in this build");
}

void TMainForm::Timer2Timer() {
    Timer2.SetEnabled(false);
    MaxWin();
    ComZoomLimits();
    if (CheckForUpdatesHook) CheckForUpdatesHook();
}

void TMainForm::MaxWin() {
    RecalcOkno();
    WindowState = TWindowState::wsNormal;
    WindowState = TWindowState::wsMaximized;
    FormResize();
    RecalcOkno();
    ComRedraw();
    RecalcOkno();
}

void TMainForm::FormResize() {
    if (PaintBoxDraw) {
        PaintBoxDraw->Width = Width;
        PaintBoxDraw->Height = Height;
    }
    const TLayer& L = Glob.TabLayer[std::clamp<int>(Glob.LayerDraw, 0, LayerCount)];
    if (PanelDraw) {
        PanelDraw->Caption = L.Name;
        PanelDraw->Color = L.Color;
    }
    if (PanelSnap) {
        std::string S = SnapStepText();
        while (S.size() < 6) S = " " + S;
        PanelSnap->Caption = S;
    }
    // The side panels run between the icon panel and the command panel.
    const int32_t SideHeight = Height - (IconsPanel && IconsPanel->Visible ? IconsPanel->Height : 0) -
                               (ComPanel && ComPanel->Visible ? ComPanel->Height : 0);
    if (LayPanel) LayPanel->Height = SideHeight;
    if (OpsPanel) OpsPanel->Height = SideHeight;
    if (ScrollBoxLay && LayPanel) {
        ScrollBoxLay->Height = std::min(765, std::max(0, LayPanel->Height - ScrollBoxLay->Top - 29));
        if (TControl* LoHi = FindComponent("SpBtnLoHi")) LoHi->Top = ScrollBoxLay->Top + ScrollBoxLay->Height + 3;
    }
    if (ListBoxOps && OpsPanel) ListBoxOps->Height = std::max(0, OpsPanel->Height - ListBoxOps->Top);
    // The status panels keep to the right edge of the command panel.
    if (PanelInfo && PanelCoords && ComLine2) {
        PanelInfo->Left = std::max(0, Width - PanelInfo->Width - 4);
        PanelCoords->Left = std::max(0, PanelInfo->Left - PanelCoords->Width - 4);
        // The object-snap buttons sit left of the coordinates.
        int32_t Right = PanelCoords->Left;
        for (const char* N : {"PanelOsnapBtns", "SbtnOsnapSwitch"})
            if (TControl* C = FindComponent(N)) {
                C->Left = std::max(0, PanelCoords->Left - C->Width - 4);
                Right = C->Left;
            }
        ComLine1->Width = ComLine2->Width = std::max(0, Right - 10);
    }
    if (DebugMode && MemoDebugOps && PanelDebug) MemoDebugOps->Height = std::max(0, PanelDebug->Height - 300);
    RecalcOkno();
    ComRedraw();
    NotCmd = true;
    Responder().Invalidate(*this);
    NotCmd = false;
    ComRedraw();
}

void TMainForm::FormClose(TCloseAction& Action) {
    if (!MainVars.FileSaved) {
        int Answer = mrNo;
        if (EndDialog) {
            EndDialog->BitBtnYes->Enabled = true;
            Answer = EndDialog->ShowModal();
        }
        if (Answer == mrRetry) {
            Action = TCloseAction::caNone;
            return;
        }
        if (Answer == mrYes) {
            // SAVE AS leaves FileSaved set only when the job was written; a cancelled
            // or failed save keeps the program and the work.
            if (ComSaveAsHook) ComSaveAsHook(*this);
            if (!MainVars.FileSaved) {
                WriteLog("Err:Close cancelled, job not saved");
                Action = TCloseAction::caNone;
                return;
            }
        }
    }
    // A transfer still waited for ends now; its partial file is removed.
    AbortUpdateCheck();
    if (FreeUserDllHook) FreeUserDllHook();
    Timer1.SetEnabled(false);
    FormStarted = false;
    try {
        FreeBuilder();
        FontFreeMem();
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
        FreeUndoSlots();
    } catch (...) {
        WriteLog("Err:Freemem FAILED");
    }
    if (SaveToolFilesHook) SaveToolFilesHook();
    ButtonPicture.clear();
    WriteLog("Kestrilon END");
    SaveLogFile();
}

void TMainForm::ReloadFontsMnuClick() {
    FontFreeMem();
    InstallIntFont();
    LoadShpFonts(Glob.ProgramDir + "/FONT");
    ComRedraw();
}

void TMainForm::mHelpMnuClick() {
    if (ShowHelpDialogHook) ShowHelpDialogHook();
}

void TMainForm::SbtnDumpUndoClick() {
    DumpUndoCamOps();
    if (!MemoDebugOps) return;
    MemoDebugOps->Lines.clear();
    std::vector<std::string> L;
    if (ReadTextLines(Glob.ProgramDir + "/Logs/UndoOpDump.txt", L)) MemoDebugOps->Lines = L;
}

void TMainForm::SbtnDumpCamOpClick() {
    DumpCamOps();
    if (!MemoDebugOps) return;
    MemoDebugOps->Lines.clear();
    std::vector<std::string> L;
    if (ReadTextLines(Glob.ProgramDir + "/Logs/CamOpDump.txt", L)) MemoDebugOps->Lines = L;
}

void TMainForm::SbtnCountLastSelClick() {
    int n = 0;
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
        if (p->SavedFlags & FlagSelected) ++n;
    ShowSelectionCount(n);
}

void TMainForm::SpeedButton4Click() {
    if (MemoDebugOps) MemoDebugOps->Enabled = !MemoDebugOps->Enabled;
}

void ResetMainWindowState() {
    ResetStartupHooks();
    ComChangeLayerHook = ComChangeLayer;
    CreateViewDialog();
    CreateEndDialog();
}
