// IMPORT, EXPORT and EXPORTSEL: the file dialog, then the reader or writer chosen by
// the lower-cased extension. Each format has one row below; a row whose routine is
// nullptr names a format this build lacks and answers "not available".
#include "shell/MainFiles.h"

#include "commands/ComCommon.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "formats/DxfInDg.h"
#include "formats/DxfOutDg.h"
#include "formats/EpsInDg.h"
#include "formats/FormicaInDg.h"
#include "formats/FormicaOutDg.h"
#include "formats/HPInDg.h"
#include "formats/HPOutDg.h"
#include "formats/UniDRL.h"
#include "formats/UniDXF.h"
#include "formats/UniEPS.h"
#include "formats/UniFormica.h"
#include "formats/UniHPGL.h"
#include "formats/UniYDF.h"
#include "output/GcodeRead.h"
#include "output/Comagrav.h"
#include "output/NcOut.h"
#include "output/Sinumeric802.h"
#include "output/SinumericDg.h"
#include "output/UniGravoGraph.h"
#include "output/UniMcr.h"
#include "output/UniNcp.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/PrinterPort.h"
#include "platform/Programs.h"
#include "shell/FileNames.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

using namespace FileCmd;

const char* const ImportFilter =
    "Všechny použitelné soubory|*.ydf;*.dxf;*.plt;*.eps;*.ai;*.prn;*.nc;*.gnc;*.drl;*.pcb|"
    "Yorvan Data Formát              (*.YDF)|*.ydf|"
    "AutoCAD                               (*.DXF)|*.dxf|"
    "HPGL                                    (*.PLT)|*.plt|"
    "PostScript                              (*.EPS, *.PRN)|*.eps;*.prn|"
    "AdobeIllustrator                      (*.AI)|*.ai|"
    "OpenOffice Draw                   (*.EPS)|*.eps|"
    "Gcode (průmět do roviny XY) (*.NC)|*.nc;*.gnc|"
    "Vrtací data                             (*.DRL)|*.drl|"
    "Formica                                 (*.PCB)|*.pcb";
// EXPORTSEL offers the first ten entries.
const char* const ExportFilter =
    "YDF      (*.ydf)|*.ydf|"
    "HPGL   (*.plt)|*.plt|"
    "DXF      (*.dxf)|*.dxf|"
    "Isel NC  (*.ncp)|*.ncp|"
    "G-code  (*.nc)|*.nc|"
    "Vrtaci data  (*.drl)|*.drl|"
    "HPGL pro GravoGraph (*.hp)|*.hp|"
    "Odeslat do GravoGraph (LPT1)|*.exp|"
    "Formica (*.pcb)|*.pcb|"
    "Gcode Sinumeric 802 (*.mpf)|*.mpf|"
    "Datron     (*.mcr)|*.mcr|"
    "G-code pro Comagrav (*.cnc)|*.cnc";
const char* const ExportSelFilter =
    "YDF      (*.ydf)|*.ydf|"
    "HPGL   (*.plt)|*.plt|"
    "DXF      (*.dxf)|*.dxf|"
    "Isel NC  (*.ncp)|*.ncp|"
    "G-code  (*.nc)|*.nc|"
    "Vrtaci data  (*.drl)|*.drl|"
    "HPGL pro GravoGraph (*.hp)|*.hp|"
    "Odeslat do GravoGraph (LPT1)|*.exp|"
    "Formica (*.pcb)|*.pcb|"
    "Gcode Sinumeric 802 (*.mpf)|*.mpf";

// Extensions given to a name typed without one, by the chosen filter entry (1-based).
const char* const ImportFilterExt[] = {".ydf", ".ydf", ".dxf", ".plt", ".eps", ".ai", ".eps", ".nc", ".drl", ".pcb"};
const char* const ExportFilterExt[] = {".ydf", ".plt", ".dxf", ".ncp", ".nc", ".drl",
                                       ".hp",  ".exp", ".pcb", ".mpf", ".mcr", ".cnc"};
// The import filter entry that reads an EPS drawn upside down and flips it.
constexpr int FlipFilterEntry = 7;

const char* ExtOfEntry(const char* const* Exts, size_t Count, int Entry) {
    return Entry >= 1 && size_t(Entry) <= Count ? Exts[Entry - 1] : Exts[0];
}

// ---- readers ----

// What a reader hands back: the extents of what it read, and whether the file's own
// origin goes to Dest (else the extents' lower left corner does).
struct TImportRead {
    Osy Min{1000000, 1000000}, Max{-1000000, -1000000};
    bool Keep = true;
};
// Shows the format's dialog and reads File; false when the dialog was not closed with
// OK (nothing read). A failed read reports itself and returns true.
using TImportFn = bool (*)(const std::string& File, TImportRead& R);

// The import dialog of job files and DXF; the tools switch is for job files only.
bool DxfInputOk(bool JobFile) {
    if (!DxfInputDialog) CreateDxfInputDialog();
    DxfInputDialog->ChBoxTools->Visible = JobFile;
    return DxfInputDialog->ShowModal() == mrOk;
}

bool ImportYdf(const std::string& File, TImportRead& R) {
    if (!DxfInputOk(true)) return false;
    const TDxfInputDialog& D = *DxfInputDialog;
    LoadYdfFile(File, D.ChBoxTools->Checked, D.ChBoxCfg->Checked, R.Max, R.Min, D.ChBoxOuts->Checked,
                D.ChBoxPluns->Checked, D.ChBoxTech->Checked, D.ChBoxOps->Checked);
    R.Keep = D.RBtnZeroDxfCoord->Checked;
    return true;
}

bool ImportDxf(const std::string& File, TImportRead& R) {
    if (!DxfInputOk(false)) return false;
    LoadDxf(File, R.Min, R.Max);
    R.Keep = DxfInputDialog->RBtnZeroDxfCoord->Checked;
    return true;
}

bool ImportHpgl(const std::string& File, TImportRead& R) {
    if (!HPInputDialog) CreateHPInputDialog();
    if (HPInputDialog->ShowModal() != mrOk) return false;
    R.Keep = HPInputDialog->RBtnZeroHpCoord->Checked;
    LoadHPGL(File, R.Min, R.Max);
    return true;
}

// PostScript lands with the lower left corner of what was read on Dest.
bool ImportEps(const std::string& File, TImportRead& R) {
    if (!EpsInputDialog) CreateEpsInputDialog();
    if (EpsInputDialog->ShowModal() != mrOk) return false;
    LoadEps(File, R.Min, R.Max);
    R.Keep = false;
    return true;
}

// G-code comes back where it was programmed.
bool ImportNc(const std::string& File, TImportRead& R) {
    Glob.Dest = Osy{0, 0};
    LoadNc(File, R.Min, R.Max);
    R.Keep = true;
    return true;
}

// Drill data comes back where it was drilled.
bool ImportDrl(const std::string& File, TImportRead& R) {
    Glob.Dest = Osy{0, 0};
    LoadDrl(File, R.Min, R.Max);
    R.Keep = true;
    return true;
}

// A PCB design lands with its lower left corner on Dest.
bool ImportPcb(const std::string& File, TImportRead& R) {
    if (!FormicaInDg) CreateFormicaInDg();
    if (FormicaInDg->ShowModal() != mrOk) return false;
    LoadFormica(File, R.Min, R.Max);
    R.Keep = false;
    return true;
}

struct TImportRow {
    const char* Ext;
    TImportFn Read;  // nullptr: not available in this build
};

// ".drl", ".nc" and ".gnc" show no dialog: their routine sets Dest to (0, 0) first and
// keeps the file's origin. ".eps", ".prn", ".ai" and ".pcb" place the lower left corner
// (Keep false).
const TImportRow ImportRows[] = {
    {".ydf", ImportYdf},
    {".dxf", ImportDxf},
    {".plt", ImportHpgl},
    {".eps", ImportEps},
    {".prn", ImportEps},
    {".ai", ImportEps},
    {".drl", ImportDrl},
    {".nc", ImportNc},
    {".gnc", ImportNc},
    {".pcb", ImportPcb},
};

// ---- writers ----

// Shows the format's dialog and writes File (All false: the selected objects only).
// False when the dialog was not closed with OK or the file was not written.
using TExportFn = bool (*)(const std::string& File, bool All);

bool ExportYdf(const std::string& File, bool All) { return SaveYdfFile(File, All, true); }

// EXPORT of a G-code program opens it in the user's G-code editor when one is set. The
// editor gets the whole path: it starts in a folder of its own, where the bare name
// would name no file.
bool ExportNc(const std::string& File, bool All) {
    if (!SaveNc(File, All)) return false;
    if (All && !Glob.GCodeEd.empty() && !StartProgram(Glob.GCodeEd, File))
        WriteLog("Err:FAILED start G-code editor (" + Glob.GCodeEd + ")");
    return true;
}

bool ExportDxf(const std::string& File, bool All) {
    if (!DxfOutDialog) CreateDxfOutDialog();
    return DxfOutDialog->ShowModal() == mrOk && SaveDxf(File, All);
}

// The Sinumerik dialog sets zero point, numbering and stop; its setup sheet proposes
// the export target's name.
bool ExportMpf(const std::string& File, bool All) {
    if (!SinumericDialog) CreateSinumericDialog();
    SinumericDialog->ExportFileName = File;
    return SinumericDialog->ShowModal() == mrOk && SaveMpf(File, All);
}

bool ExportCnc(const std::string& File, bool) { return SaveCnc(File, true); }

// The Datron program is always written whole.
bool ExportMcr(const std::string& File, bool) { return SaveMcr(File, true); }

// ".exp" goes on to the engraver on the printer port, only once the file was written.
bool ExportExp(const std::string& File, bool All) {
    if (!SaveExp(File, All)) return false;
    const TPortResult r = CopyToPrinterPort(File);
    if (r == TPortResult::Sent) return true;
    WriteLog("Err:FAILED send EXP to printer port (" + PrinterPortDevice + ")");
    const char* why = r == TPortResult::NoDevice      ? "port neexistuje"
                      : r == TPortResult::NotWritable ? "do portu nelze zapisovat"
                      : r == TPortResult::NoFile      ? "soubor nelze přečíst"
                                                      : "zápis do portu selhal";
    ShowMessage("Soubor " + File + " nebyl odeslán na tiskový port " + PrinterPortDevice + ": " + why);
    return false;
}

bool ExportHpgl(const std::string& File, bool All) {
    if (!HPOutputDialog) CreateHPOutputDialog();
    return HPOutputDialog->ShowModal() == mrOk && SaveHPGL(File, All);
}

// The PCB writer takes the whole drawing, from EXPORTSEL too.
bool ExportPcb(const std::string& File, bool) {
    if (!FormicaOutDg) CreateFormicaOutDg();
    return FormicaOutDg->ShowModal() == mrOk && FormicaOutDg->SaveFormica(File);
}

struct TExportRow {
    const char* Ext;
    TExportFn Write;  // nullptr: not available in this build
    bool InExportSel; // EXPORTSEL offers it too
};

// A writer that starts a program afterwards (".nc" with the G-code editor, ".exp" to the
// printer port) does so in its own routine; for ".nc" only when All (EXPORT).
const TExportRow ExportRows[] = {
    {".ydf", ExportYdf, true},
    {".plt", ExportHpgl, true},
    {".dxf", ExportDxf, true},
    {".ncp", SaveNcp, true},
    {".nc", ExportNc, true},
    {".drl", SaveDrl, true},
    {".hp", SaveExp, true},
    {".exp", ExportExp, true},
    {".pcb", ExportPcb, true},
    {".mpf", ExportMpf, true},
    {".mcr", ExportMcr, false},
    {".cnc", ExportCnc, false},
};

// The HPGL export's allowance field belongs to another command: both exports hide it.
void HideDorsek() {
    if (!HPOutputDialog) return;
    if (TEdit* E = HPOutputDialog->Find<TEdit>("EditDorsek")) {
        E->Text = "0";
        E->Visible = false;
    }
    if (TLabel* L = HPOutputDialog->Find<TLabel>("LblDorsek")) L->Visible = false;
}

// The save dialog and the write shared by EXPORT (All) and EXPORTSEL.
void ExportFile(bool All) {
    HideDorsek();
    TSaveDialog d;
    d.Title = Msg[6];
    d.FileName = Glob.JmSouboru;
    d.InitialDir = Glob.IniDirExpImp;
    d.Filter = All ? ExportFilter : ExportSelFilter;
    if (!d.Execute()) return;
    Glob.IniDirExpImp = Folder(d.FileName);
    const std::string file =
        WithExt(d.FileName, ExtOfEntry(ExportFilterExt, std::size(ExportFilterExt), d.FilterIndex));
    const std::string ext = LowerExt(file);
    const TExportRow* row = nullptr;
    for (const TExportRow& r : ExportRows)
        if (ext == r.Ext && (All || r.InExportSel)) row = &r;
    if (!row) {
        WrongExtension(ext);
        ShowMessage(Msg[7]);
    } else if (!row->Write) {
        NotAvailable(ext);
    } else if (!FileExists(file) || Confirm(5)) {
        row->Write(file, All);
    }
}

}  // namespace

bool ComImport(TMainForm& F) {
    WriteLog("Sys:ComImport Start");
    TObjHeader* const lastBefore = MainVars.DataEnd;
    TOpenDialog d;
    d.InitialDir = Glob.IniDirExpImp;
    d.Title = "Import";
    d.Filter = ImportFilter;
    bool imported = false;
    if (d.Execute()) {
        Glob.IniDirExpImp = Folder(d.FileName);
        const std::string file =
            WithExt(d.FileName, ExtOfEntry(ImportFilterExt, std::size(ImportFilterExt), d.FilterIndex));
        const std::string ext = LowerExt(file);
        const TImportRow* row = nullptr;
        for (const TImportRow& r : ImportRows)
            if (ext == r.Ext) row = &r;
        TImportRead read;
        bool goOn = false;
        if (row && !row->Read)
            NotAvailable(ext);
        else if (row)
            goOn = row->Read(file, read);
        if (goOn && MainVars.DataEnd == lastBefore) {
            WriteLog("Err:nothing imported");
        } else if (goOn) {
            TObjHeader* first = lastBefore ? lastBefore->Next : MainVars.DataStart;
            if (d.FilterIndex == FlipFilterEntry) {
                const Extended midY = (read.Min.y + read.Max.y) / 2;
                for (TObjHeader* p = first; p; p = p->Next)
                    MirrorObj(p, Osy{read.Min.x, midY}, Osy{read.Max.x, midY});
            }
            const Osy rel = read.Keep ? Glob.Dest : Osy{Glob.Dest.x - read.Min.x, Glob.Dest.y - read.Min.y};
            for (TObjHeader* p = first; p; p = p->Next) MoveObj(p, rel);
            FindDirAll(MainVars.DataStart);
            F.ComZoomObject();
            MainVars.FileSaved = false;
            F.LayPanelUpdate();
            imported = true;
        }
    }
    WriteLog("Sys:ComImport End");
    return imported;
}

void ComExport(TMainForm&) {
    WriteLog("Sys:ComExport Start");
    ExportFile(true);
    WriteLog("Sys:ComExport End");
}

void ComExportSel(TMainForm& F) {
    if (MainVars.ComCnt == 0) {
        WriteLog("Sys:ComExportSel Start");
        SelectStepStart();
        return;
    }
    if (SelectStepPrevious("Usr:Select previous")) return;
    FinalSettings();
    ExportFile(false);
    ClearSelection(MainVars.DataStart);
    F.ComRedraw();
    WriteLog("Sys:ComExportSel End");
}
