#include "shell/MainFiles.h"

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
#include "shell/FileNames.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/StartupHooks.h"
#include "shell/UniLang.h"

namespace {

const char* const Title = "Kestrilon";
const char* const YdfFilter = "Yorvan Data Format (*.ydf)|*.ydf";

using namespace FileCmd;

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

// The question before NEW and OPEN: false when the user wanted the job saved and it
// was not (SAVE AS cancelled, the write failed): the command then stops and the job stays.
bool SavedOrDeclined(TMainForm& F, bool ByName) {
    if (MainVars.FileSaved || !Confirm(8)) return true;
    if (ByName && !Glob.JmSouboru.empty()) return ComSave(F);
    return ComSaveAs(F);
}

}  // namespace

void ComNew(TMainForm& F) {
    WriteLog("Sys:ComNew Start");
    if (!SavedOrDeclined(F, false)) {
        WriteLog("Err:ComNew cancelled, job not saved");
        WriteLog("Sys:ComNew End");
        return;
    }
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
    if (!SavedOrDeclined(F, true)) {
        WriteLog("Err:ComOpen cancelled, job not saved");
    } else if (d.Execute()) {
        const std::string file = WithExt(d.FileName, ".ydf");
        const std::string ext = LowerExt(file);
        // The job is replaced only by a file that can be read whole.
        if (ext != ".ydf") {
            WrongExtension(ext);
            ShowMessage("Chybná přípona, otevřít lze jen soubor YDF:\r\n" + file);
        } else if (YdfFileReadable(file)) {
            EmptyJob(F);
            Glob.IniDirOpenSave = Folder(file);
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

bool ComSave(TMainForm& F) {
    WriteLog("Sys:ComSave Start");
    if (Glob.JmSouboru.empty()) {
        WriteLog("Sys:File never saved, saving as");
        const bool saved = ComSaveAs(F);
        WriteLog("Sys:ComSave End");
        return saved;
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
    // A failed write was shown by the writer; the job stays unsaved.
    const bool saved = SaveYdfFile(job, true, true);
    if (saved) MainVars.FileSaved = true;
    F.Timer1.SetEnabled(true);
    WriteLog("Sys:ComSave End");
    return saved;
}

bool ComSaveAs(TMainForm& F) {
    WriteLog("Sys:ComSaveAs Start");
    TSaveDialog d;
    d.Title = Msg[3];
    d.Filter = "Yorvan Data Format (*.ydf)|*.ydf|YDF  (ver.<1.165)  (*.ydf)|*.ydf";
    d.FileName = Glob.JmSouboru;
    d.InitialDir = Glob.IniDirOpenSave;
    bool saved = false;
    if (d.Execute()) {
        const std::string file = WithExt(d.FileName, ".ydf");
        const std::string ext = LowerExt(file);
        if (ext != ".ydf") {
            WrongExtension(ext);
            ShowMessage(Msg[4]);
        } else if (!FileExists(file) || Confirm(5)) {
            F.Timer1.SetEnabled(false);
            // The job keeps its title, folder and unsaved state when the file was not
            // written (the writer showed why).
            saved = SaveYdfFile(file, true, d.FilterIndex != 2);
            if (saved) {
                Glob.IniDirOpenSave = Folder(file);
                SetJobTitle(F, file, false);
                AddToFileHist(file);
                FileHistToFile(FileHistPath());
                MainVars.FileSaved = true;
            }
            F.Timer1.SetEnabled(true);
        }
    }
    WriteLog("Sys:ComSaveAs End");
    return saved;
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
