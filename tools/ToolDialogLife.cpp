// The tool dialog's life: showing, layer tabs, OK, Cancel, apply, and the buttons that
// work on the whole working copy (machining sets, report, copy from another layer).
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "cam/CamOpList.h"
#include "cam/CamOpRegen.h"
#include "commands/ComRegen.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "platform/Dialogs.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/SetCfg.h"
#include "shell/UniLang.h"
#include "tools/MillsetFile.h"
#include "tools/ToolDg.h"
#include "tools/ToolDialog.h"
#include "tools/ToolSmallDgs.h"
#include "tools/UniRezPod.h"

namespace {

const char* const CoolantNames[4] = {"Žádné", "Vzduch", "Mlha", "Proud kapaliny"};

// Every "[mm/s]" of a caption as "[mm/min]" or back, by the speed unit.
void FeedCaption(TControl* C) {
    const bool perMin = Glob.SpolParObr.VelUnit == MmPerMin;
    const std::string from = perMin ? "[mm/s]" : "[mm/min]", to = perMin ? "[mm/min]" : "[mm/s]";
    for (size_t p; (p = C->Caption.find(from)) != std::string::npos;) C->Caption.replace(p, from.size(), to);
}

}  // namespace

void TToolDialog::UnitCaptions() {
    FeedCaption(LabToolVf);
    const char* u = Glob.SpolParObr.VelUnit == MmPerMin ? "[mm/min]" : "[mm/s]";
    LabLayPlungeUnit->Caption = u;
    LabLayFeedUnit->Caption = u;
}

void TToolDialog::FormShow() {
    WriteLog("Sys:ToolDg Open");
    CboxToolTType->Items.clear();
    CBoxToolCoolantType->Items.clear();
    if (!Glob.OpNew && !Glob.OpEdit) ToolTmp = Glob.Tool;
    Shown = Glob.Tool;
    UnitCaptions();
    for (const TToolType& T : Glob.MillToolType) CboxToolTType->Items.push_back(T.Name);
    for (const char* c : CoolantNames) CBoxToolCoolantType->Items.push_back(c);
    CurTab = TabControl->ActivePageIndex;
    ToolToEdit(CurTab + 1, true);
    RezPodRecalcAll(0);
    SbtnToolApUnits->Hint = SBtnToolAeUnits->Hint = "mm nebo % z průměru nástroje";
}

void TToolDialog::TabControlChange() {
    const int old = CurTab, now = TabControl->ActivePageIndex;
    if (now == old) return;
    Extended depth = 0;
    if (Glob.OpNew) ::MaxDepth(old + 1, depth, true);
    EditToTool(old + 1, true);
    if (!CheckEdgeLength(old + 1)) {
        TabControl->ActivePageIndex = old;
        return;
    }
    if (Glob.OpNew && Glob.AutoApplyToolOpen) DepthToTool(depth, now + 1, true);
    CurTab = now;
    ToolToEdit(now + 1, true);
}

bool TToolDialog::BitBtnOKClick() {
    WriteLog("Usr:ok");
    const int La = CurLayer();
    CheckEdgeLength(La);
    EditToTool(La, true);
    TRegenQueue queue;
    if (!Glob.OpNew)
        for (int L = 1; L <= ToolLayerCount; ++L) {
            if (!LayerHasCamOp(uint8_t(L))) continue;
            const TTool &live = Glob.Tool[L], &work = ToolTmp[L];
            if (CompareTool(live, work) && ComparePlunge(live.Material.Zapich, work.Material.Zapich) &&
                CompareDepth(live, work))
                continue;
            TOpMap map;
            CamOpsOfLayer(uint8_t(L), map);
            for (int i = 0; i < OpList.CamCnt; ++i)
                if (map[size_t(i)] != 255) queue.Add(i);
        }
    for (int L = 1; L <= ToolLayerCount; ++L) {
        Extended d = 0;
        if (::MaxDepth(L, d, true)) SetLayerOpsDepth(uint8_t(L), d);
    }
    if (MainForm) MainForm->CamOpsToPanel();
    // A layer the user left as it was shown keeps the live tool: an operation may have
    // written its passes meanwhile, and the copy shown then is older.
    for (int L = 1; L <= ToolLayerCount; ++L)
        if (!(ToolTmp[L] == Shown[L])) Glob.Tool[L] = ToolTmp[L];
    SolveCamOpRegen(queue.Ops());
    return true;
}

void TToolDialog::BitBtnCancelClick() {
    WriteLog("Usr:Cancel");
    if (MessageDlg(Msg[95] + "\r\n" + Msg[96], TMsgDlgType::mtWarning, mbYes | mbNo) == mrYes) {
        WriteLog("Usr:Yes");
        ModalResult = mrCancel;
    }
}

void TToolDialog::BtnApplyClick() {
    WriteLog("Usr:Use tool par. to layer:" + std::to_string(CurLayer()));
    ApplyToolToLay(CurLayer(), PageControl1->ActivePageIndex, CurPlunge);
}

void TToolDialog::ApplyToolToLay(int La, int Par, int Plun) {
    if (La < 1 || La > ToolLayerCount) return;
    EditToPruchod(La);
    EditToTool(La, true);
    EditToToolTech(La);
    EditToToolPlunge(La, Plun, *this, ToolTmp);
    EditToToolOuts(La);
    const TToolOutputs& O = ToolTmp[La].Material.Vystup;
    ChBoxLayLaser->Checked = O.LaserUse;
    EditLayLaserTime->Text = ExtToStr(O.LaserTime);
    if (O.CoolantType <= Proud) RBtnLayChlaz[O.CoolantType]->Click();
    ChBoxLayChlazPrejezd->Checked = O.CoolantRapid;
    EditLayChlazTime->Text = ExtToStr(O.CoolantTime);
    ChBoxLayOfuk->Checked = O.OfukUse;
    EditLayOfukCount->Text = std::to_string(O.OfukCount);
    EditLayOfukTime->Text = ExtToStr(O.OfukTime);
    Extended d = 0;
    ::MaxDepth(La, d, true);
    DepthToTool(d, La, true);
    PruchodToEdit(La);
    if (!Glob.OpNew && !Glob.OpEdit && Glob.AutoRegen) RegenOpsByLa(uint8_t(La));
}

void TToolDialog::BtnGeneralParamClick() {
    WriteLog("Usr:General param");
    EditToTool(CurLayer(), true);
    GenParamDialog->ShowModal();
    ToolToEdit(CurLayer(), true);
}

void TToolDialog::TabControlToolPlungeChange() {
    const int j = TabControlToolPlunge->ActivePageIndex;
    const int L = CurLayer();
    EditToToolPlunge(L, CurPlunge, *this, ToolTmp);
    PlungeToEdit(L, j, *this, ToolTmp);
    CurPlunge = j;
    const TTool& T = ToolTmp[L];
    ShowPlungeControls(j, T.Material.Zapich[size_t(j)].Method);
    if (T.ToolType >= 0 && size_t(T.ToolType) < Glob.MillToolType.size()) {
        const TToolType& Ty = Glob.MillToolType[size_t(T.ToolType)];
        const bool ena[6][4] = {
            {Ty.PlunEnaPointVert, Ty.PlunEnaPointTang, Ty.PlunEnaPointRamp, Ty.PlunEnaPointHeli},
            {Ty.PlunEnaOpenVert, Ty.PlunEnaOpenTang, Ty.PlunEnaOpenRamp, Ty.PlunEnaOpenHeli},
            {Ty.PlunEnaContVert, Ty.PlunEnaContTang, Ty.PlunEnaContRamp, Ty.PlunEnaContHeli},
            {Ty.PlunEnaPockRoughVert, Ty.PlunEnaPockRoughTang, Ty.PlunEnaPockRoughRamp, Ty.PlunEnaPockRoughHeli},
            {Ty.PlunEnaPockFinVert, Ty.PlunEnaPockFinTang, Ty.PlunEnaPockFinRamp, Ty.PlunEnaPockFinHeli},
            {Ty.PlunEnaSurfVert, Ty.PlunEnaSurfTang, Ty.PlunEnaSurfRamp, Ty.PlunEnaSurfHeli}};
        TRadioButton* btn[4] = {RbtnToolVert, RBtnToolTang, RBtnToolRamp, RBtnToolSpiral};
        for (int m = 0; m < 4; ++m) btn[m]->Enabled = ena[j][m];
    }
}

void TToolDialog::SetPlunge(int Method) {
    TGroupBox* boxes[4] = {GrBoxToolPlungeVert, GrBoxToolPlungeTang, GrBoxToolPlungeRamp, GrBoxToolPlungeSpiral};
    for (int m = 0; m < 4; ++m) boxes[m]->Visible = m == Method;
    ShowPlungeControls(TabControlToolPlunge->ActivePageIndex, Method);
    SpiralRadToHoleRad();
}

void TToolDialog::BtnToolCalculateAngleClick() {
    const int L = CurLayer();
    EditToTool(L, false);
    const TTool& T = ToolTmp[L];
    const Extended Dh = T.HorniPrumer, Ds = T.SpodniPrumer, V = T.VyskaKuzele, R = T.Radius;
    if (!(Dh / 2 - Ds / 2 - R >= -CoordTol)) return;
    const Extended a = (Dh - Ds) / 2, c = V - R, g = std::sqrt(a * a + c * c);
    Extended h = std::atan2(c, a);
    if (h < 0) h += 2 * M_PIl;
    if (!(g > R)) return;  // no tangent from the cone to the corner radius
    const Extended l = std::sqrt(g * g - R * R);
    const Extended U = std::round((M_PIl / 2 - h - std::atan(R / l)) * 20 * 180 / M_PIl) / 10;
    EditToolU->Text = CfgRegionalReal(U);
}

void TToolDialog::BtnToolTestClick() {
    const int L = CurLayer();
    EditToTool(L, true);
    Extended d = 0;
    if (ToolDistLa(L, d, -1, true))
        MessageDlg(Msg[32] + "\n\r" + Msg[33] + CfgRegionalReal(std::round(d * 100000) / 100000),
                   TMsgDlgType::mtInformation, mbOK);
    else
        MessageDlg(Msg[34], TMsgDlgType::mtError, mbOK);
}

std::string WithExtension(const std::string& Path, const std::string& Ext) {
    const size_t slash = Path.find_last_of('/');
    const size_t dot = Path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return Path + Ext;
    return Path.substr(0, dot) + Ext;
}

namespace {
std::string ToolFolder() {
    const std::string d = ProgramDir + "/TOOL";
    std::error_code ec;
    std::filesystem::create_directories(d, ec);
    return d;
}
}  // namespace

void TToolDialog::BtnSaveSetClick() {
    WriteLog("Usr:Save SET file");
    TSaveDialog dlg;
    dlg.Filter = "Parametry obrábění (*.set)|*.set";
    dlg.InitialDir = ToolFolder();
    if (!dlg.Execute()) return;
    const std::string file = WithExtension(dlg.FileName, ".set");
    if (TextFileExists(file) && !ConfirmYes(Msg[5])) return;
    EditToTool(CurLayer(), true);
    // The set is written anew through the safe temporary file, so no earlier file is appended to.
    if (!WriteTextLinesSafe(file, MillsetLines(true, true))) {
        WriteLog("Err:FAILED Save Millset (" + file + ")");
        ShowFileNotWritten(file);
        return;
    }
    Caption = "Parametry obrábění " + file;
}

void TToolDialog::BtnOpenSetClick() {
    WriteLog("Usr:Load SET file");
    TOpenDialog dlg;
    dlg.Filter = "Parametry obrábění (*.set)|*.set";
    dlg.InitialDir = ToolFolder();
    if (!dlg.Execute()) return;
    if (!LoadMillset(dlg.FileName, true)) {
        MessageDlg(Msg[29], TMsgDlgType::mtError, mbOK);
        return;
    }
    ToolToEdit(CurLayer(), true);
    Caption = "Parametry obrábění " + dlg.FileName;
}

std::vector<std::string> ToolReportLines() {
    const TSpolParObr& S = Glob.SpolParObr;
    std::vector<std::string> W = {"Jméno souboru: " + Glob.JmSouboru, "  PocatekXY:   " + S.PocatekXY,
                                  "  RozmerPolot: " + S.RozmerPolot,   "  MatPolot:    " + S.MatPolot,
                                  "  Poznamka:    " + S.Poznamka,      ""};
    char b[128];
    for (int n = 1; n <= ToolLayerCount; ++n) {
        const TTool& T = ToolTmp[n];
        if (!(T.Pruchod[1].Hloubka > -CoordTol)) continue;
        W.push_back("T" + std::to_string(n) + ": " + T.JmNastroje + " " + T.Poznamka);
        W.push_back("Pruchod  Hloubka   Zapich    Posuv   Otacky");
        for (int i = 1; i <= MaxPruchod; ++i) {
            const TPruchod& P = T.Pruchod[i];
            if (!(P.Hloubka > -CoordTol)) continue;
            std::snprintf(b, sizeof b, "   %2d    %7.3Lf  %7.3Lf  %7.3Lf   %6.0Lf", i, P.Hloubka, P.Zapich, P.Posuv,
                          P.Otacky);
            W.push_back(b);
        }
        W.push_back("");
    }
    return W;
}

void TToolDialog::BtnReportClick() {
    WriteLog("Usr:Gen. tool report");
    TSaveDialog dlg;
    dlg.Filter = "Technologická návodka (*.txt)|*.txt";
    if (!dlg.Execute()) return;
    EditToTool(CurLayer(), true);
    std::vector<std::string> lines;
    for (const std::string& l : ToolReportLines()) lines.push_back(Utf8ToCp1250(l));
    if (!WriteTextLinesSafe(dlg.FileName, lines)) {
        WriteLog("Err:FAILED Save tool report (" + dlg.FileName + ")");
        ShowFileNotWritten(dlg.FileName);
    }
}

void TToolDialog::BtnCopyToolClick() {
    WriteLog("Usr:copy tool par");
    if (CopyFromToolDialog->ShowModal() != mrOk) return;
    Extended v = 0;
    if (!StrToExtCalc(CopyFromToolDialog->EditCopyFromTool->Text, v, true) || !std::isfinite(v)) return;
    const Extended n = std::trunc(v);
    if (n >= 1 && n <= ToolLayerCount) ToolToEdit(int(n), true);
}

void ComTool() {
    WriteLog("Sys:ComTool Start");
    MainVars.ComCnt = -1;
    MainVars.FileSaved = false;
    ToolDialog->ShowModal();
    WriteLog("Sys:ComTool End");
}
