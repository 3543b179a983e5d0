#include "shell/MainFiles.h"

#include <filesystem>
#include <initializer_list>

#include "cam/CamOpList.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "formats/UniYDF.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "shell/FileHist.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/StartupHooks.h"
#include "shell/UniLang.h"

namespace {

const char* const Title = "Kestrilon";
const char* const YdfFilter = "Yorvan Data Format (*.ydf)|*.ydf";

namespace fs = std::filesystem;

std::string Folder(const std::string& File) { return fs::path(File).parent_path().string(); }
std::string Stem(const std::string& File) { return fs::path(File).stem().string(); }
// The extension with its dot, lower-cased ("" when none).
std::string LowerExt(const std::string& File) {
    std::string e = fs::path(File).extension().string();
    for (char& c : e)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return e;
}
std::string WithExt(const std::string& File, const char* Ext) {
    return fs::path(File).extension().empty() ? File + Ext : File;
}

// The yes/no question of the file commands: OK or Yes means yes.
bool Confirm(int MsgNo) {
    const int r = MessageDlg(Msg[MsgNo], TMsgDlgType::mtConfirmation, mbYesNo);
    return r == mrYes || r == mrOk;
}

void WrongExtension(const std::string& Ext) { WriteLog("Err:Wrong extension (" + Ext + ")"); }

// A format the commands name but this build cannot read or write.
void NotAvailable(const std::string& Ext) {
    WriteLog("Err:Format not available (" + Ext + ")");
    ShowMessage("Formát " + Ext + " není k dispozici");
}

bool IsOneOf(const std::string& Ext, std::initializer_list<const char*> List) {
    for (const char* e : List)
        if (Ext == e) return true;
    return false;
}

void SetJobTitle(TMainForm& F, const std::string& File, bool UpperCaption) {
    Glob.JmSouboru = Stem(File);
    F.Caption = std::string(Title) + " - " + (UpperCaption ? UpCaseStr(Glob.JmSouboru) : Glob.JmSouboru);
    F.AppTitle = Glob.JmSouboru;
}

void EmptyJob(TMainForm& F) {
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    InitCamOps();
    F.CamOpsToPanel();
}

}  // namespace

void ComNew(TMainForm& F) {
    WriteLog("Sys:ComNew Start");
    if (!MainVars.FileSaved && Confirm(8)) ComSaveAs(F);
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    F.Caption = Title;
    Glob.JmSouboru.clear();
    F.ComZoomObject();
    MainVars.FileSaved = true;
    F.LayPanelUpdate();
    InitCamOps();
    F.CamOpsToPanel();
    if (Glob.ShowNewFileDg && NewFileDialogHook) NewFileDialogHook(true);
    WriteLog("Sys:ComNew End");
}

void ComOpen(TMainForm& F) {
    WriteLog("Sys:ComOpen Start");
    TOpenDialog d;
    d.Filter = YdfFilter;
    d.InitialDir = Glob.IniDirOpenSave;
    d.Title = "Otevřít";
    if (!MainVars.FileSaved && Confirm(8)) {
        if (!Glob.JmSouboru.empty())
            ComSave(F);
        else
            ComSaveAs(F);
    }
    if (d.Execute()) {
        EmptyJob(F);
        Glob.IniDirOpenSave = Folder(d.FileName);
        const std::string file = WithExt(d.FileName, ".ydf");
        const std::string ext = LowerExt(file);
        if (ext != ".ydf") {
            WrongExtension(ext);
            F.ComZoomLimits();
            F.Caption = Title;
            Glob.JmSouboru.clear();
        } else {
            Osy mn, mx;
            LoadYdfFile(file, true, Glob.ReadYdfCfg, mx, mn, true, true, true, true);
            FindDirAll(MainVars.DataStart);
            F.ComZoomObject();
            SetJobTitle(F, file, true);
            MainVars.FileSaved = true;
            F.LayPanelUpdate();
        }
    }
    WriteLog("Sys:ComOpen End");
}

bool ComImport(TMainForm& F) {
    WriteLog("Sys:ComImport Start");
    TObjHeader* const lastBefore = MainVars.DataEnd;
    TOpenDialog d;
    d.InitialDir = Glob.IniDirExpImp;
    d.Title = "Import";
    d.Filter = "Yorvan Data Formát              (*.YDF)|*.ydf";
    bool imported = false;
    if (d.Execute()) {
        Glob.IniDirExpImp = Folder(d.FileName);
        const std::string file = WithExt(d.FileName, ".ydf");
        const std::string ext = LowerExt(file);
        Osy mn, mx;
        bool read = false;
        if (ext == ".ydf") {
            // Objects only: the import dialog that chooses further sections is not in
            // this build. The file's own origin goes to Dest.
            read = LoadYdfFile(file, false, false, mx, mn, false, false, false, false);
        } else if (IsOneOf(ext, {".dxf", ".plt", ".eps", ".prn", ".ai", ".nc", ".gnc", ".drl", ".pcb"})) {
            NotAvailable(ext);
        }
        if (read) {
            if (MainVars.DataEnd == lastBefore) {
                WriteLog("Err:nothing imported");
            } else {
                TObjHeader* first = lastBefore ? lastBefore->Next : MainVars.DataStart;
                for (TObjHeader* p = first; p; p = p->Next) MoveObj(p, Glob.Dest);
                FindDirAll(MainVars.DataStart);
                F.ComZoomObject();
                MainVars.FileSaved = false;
                F.LayPanelUpdate();
                imported = true;
            }
        }
    }
    WriteLog("Sys:ComImport End");
    return imported;
}

void ComSave(TMainForm& F) {
    WriteLog("Sys:ComSave Start");
    if (Glob.JmSouboru.empty()) {
        WriteLog("Sys:File never saved, saving as");
        ComSaveAs(F);
        WriteLog("Sys:ComSave End");
        return;
    }
    const std::string job = Glob.IniDirOpenSave + "/" + Glob.JmSouboru + ".ydf";
    std::string bakDir = Glob.BakFilesDir.empty() ? Glob.IniDirOpenSave : Glob.BakFilesDir;
    while (bakDir.size() > 1 && (bakDir.back() == '/' || bakDir.back() == '\\')) bakDir.pop_back();
    F.Timer1.SetEnabled(false);
    if (Glob.SaveBakFiles) {
        const std::string bak = bakDir + "/" + Glob.JmSouboru + ".bak";
        if (FileExists(bak)) DeleteFileAt(bak);
        // Copied, not moved: when the new write fails the job file keeps its old content.
        if (FileExists(job) && !CopyFileTo(job, bak)) WriteLog("Err:FAILED backup (" + bak + ")");
    }
    if (SaveYdfFile(job, true, true)) MainVars.FileSaved = true;
    F.Timer1.SetEnabled(true);
    WriteLog("Sys:ComSave End");
}

void ComSaveAs(TMainForm& F) {
    WriteLog("Sys:ComSaveAs Start");
    TSaveDialog d;
    d.Title = Msg[3];
    d.Filter = "Yorvan Data Format (*.ydf)|*.ydf|YDF  (ver.<1.165)  (*.ydf)|*.ydf";
    d.FileName = Glob.JmSouboru;
    d.InitialDir = Glob.IniDirOpenSave;
    if (d.Execute()) {
        Glob.IniDirOpenSave = Folder(d.FileName);
        const std::string file = WithExt(d.FileName, ".ydf");
        const std::string ext = LowerExt(file);
        if (ext != ".ydf") {
            WrongExtension(ext);
            ShowMessage(Msg[4]);
        } else if (!FileExists(file) || Confirm(5)) {
            F.Timer1.SetEnabled(false);
            // The job keeps its title and stays unsaved when the file was not written.
            if (SaveYdfFile(file, true, d.FilterIndex != 2)) {
                SetJobTitle(F, file, false);
                AddToFileHist(file);
                FileHistToFile(FileHistPath());
                MainVars.FileSaved = true;
            }
            F.Timer1.SetEnabled(true);
        }
    }
    WriteLog("Sys:ComSaveAs End");
}

void ComExport(TMainForm& F) {
    WriteLog("Sys:ComExport Start");
    TSaveDialog d;
    d.Title = Msg[6];
    d.FileName = Glob.JmSouboru;
    d.InitialDir = Glob.IniDirExpImp;
    d.Filter = "YDF      (*.ydf)|*.ydf";
    if (d.Execute()) {
        Glob.IniDirExpImp = Folder(d.FileName);
        const std::string file = WithExt(d.FileName, ".ydf");
        const std::string ext = LowerExt(file);
        if (IsOneOf(ext, {".plt", ".dxf", ".ncp", ".nc", ".drl", ".hp", ".exp", ".pcb", ".mpf", ".mcr", ".cnc"})) {
            NotAvailable(ext);
        } else if (ext != ".ydf") {
            WrongExtension(ext);
            ShowMessage(Msg[7]);
        } else if (!FileExists(file) || Confirm(5)) {
            SaveYdfFile(file, true, true);
        }
    }
    WriteLog("Sys:ComExport End");
}

void InstallFileCommands() {
    // A step already installed (a test's stand-in) is kept.
    if (!SaveYdfFileHook) SaveYdfFileHook = [](const std::string& File, bool AllObjects, bool Pack) {
        return SaveYdfFile(File, AllObjects, Pack);
    };
    if (!LoadYdfFileHook) LoadYdfFileHook = [](const std::string& File, bool Tools, bool Settings, bool CamOps, bool Tech, bool Plunges,
                         bool Outs, Osy& Min, Osy& Max) {
        return LoadYdfFile(File, Tools, Settings, Max, Min, Outs, Plunges, Tech, CamOps);
    };
    if (!ComSaveAsHook) ComSaveAsHook = [](TMainForm& F) { ComSaveAs(F); };
}
