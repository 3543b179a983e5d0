// Taking a layer tool from the library or a geometry file, and keeping it there.
#include <algorithm>
#include <cmath>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "shell/SetCfg.h"
#include "shell/UniLang.h"
#include "tools/ToolDg.h"
#include "tools/ToolDialog.h"
#include "tools/UniTType.h"
#include "tools/ToolLibPick.h"
#include "tools/ToolSectionLines.h"
#include "tools/ToolSmallDgs.h"

namespace {

// The entry of a record (or of the material list) for the current material, by its number.
TMaterial* CurrentEntry(std::vector<TMaterial>& M) {
    for (TMaterial& m : M)
        if (m.MID == Glob.MID) return &m;
    return nullptr;
}

std::string GeoFolder() { return ProgramDir + "/TOOL"; }

}  // namespace

bool ToolLibToTool(int32_t Index, TTool& Tool) {
    if (Index < 0 || size_t(Index) >= Glob.ToolLib.size()) return false;
    TToolLib& R = Glob.ToolLib[size_t(Index)];
    Tool = R.Tool;
    if (const TMaterial* m = CurrentEntry(R.Material)) Tool.Material = *m;
    return true;
}

bool LayToToolLib(int32_t Index, int La) {
    if (Index < 0 || size_t(Index) >= Glob.ToolLib.size() || La < 1 || La > ToolLayerCount) return false;
    TToolLib& R = Glob.ToolLib[size_t(Index)];
    R.Tool = ToolTmp[La];
    // A record without the current material gets it rather than a write past its list.
    if (TMaterial* m = CurrentEntry(R.Material)) *m = ToolTmp[La].Material;
    else R.Material.push_back(ToolTmp[La].Material);
    return true;
}

bool FindToolInLib(int La, bool ByTID, int32_t& Index) {
    Index = -1;
    if (La < 1 || La > ToolLayerCount) return false;
    const TTool& T = ToolTmp[La];
    if (ByTID && T.TID == -1) return false;
    for (size_t r = 0; r < Glob.ToolLib.size(); ++r)
        if (ByTID ? Glob.ToolLib[r].Tool.TID == T.TID : CompareTool(T, Glob.ToolLib[r].Tool)) {
            Index = int32_t(r);
            return true;
        }
    return false;
}

int32_t MaxToolTID() {
    int32_t m = -1;
    for (const TToolLib& R : Glob.ToolLib) m = std::max(m, R.Tool.TID);
    return m;
}

void TToolDialog::BtnOpenToolMouseDown(uint8_t Shift) {
    const int L = CurLayer();
    const bool ask = (Shift & ssShift) || Glob.ToolLoc == 0;
    const bool file = !ask && Glob.ToolLoc == 2;
    WriteLog(std::string("Usr:Select tool from:") + (file ? "File" : "Library"));
    bool fromLib = false;
    if (ask) {
        ToolLocOpen = true;
        ToolLocDialog->Caption = ToolLocDialog->StrOpenTool;
        fromLib = ToolLocDialog->ShowModal() == mrOk;
    } else if (file) {
        const auto passes = ToolTmp[L].Pruchod;
        OpenToolGeo(L);
        ToolTmp[L].Pruchod = passes;
    } else {
        fromLib = ToolLibOpenDialog->ShowModal() == mrOk;
    }
    if (fromLib && LibPickIndex >= 0 && size_t(LibPickIndex) < Glob.ToolLib.size()) {
        EditToPruchod(L);
        const auto passes = ToolTmp[L].Pruchod;
        TTool t;
        ToolLibToTool(LibPickIndex, t);
        ToolTmp[L] = t;
        ToolTmp[L].Pruchod = passes;
        ToolToEdit(L, false);
        TechToEdit(L);
        PlungeToEdit(L, CurPlunge, *this, ToolTmp);
        OutsToEdit(L);
        PruchodToEdit(L);
    }
    if (ToolLibOpenDialog->ChBoxApply->Checked) ApplyToolToLay(L, PageControl1->ActivePageIndex, CurPlunge);
}

void GeoFileToTool(const std::vector<std::string>& Lines, TTool& T, const std::string& File) {
    bool Told = false;
    for (size_t n = 0; n < Lines.size(); ++n) {
        const std::string& line = Lines[n];
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string K = line.substr(0, eq), V = line.substr(eq + 1);
        if (K == "JmNastroje") T.JmNastroje = Cp1250ToUtf8(V);
        else if (K == "MatNastroje") T.MatNastroje = Cp1250ToUtf8(V);
        else if (K == "SpodniPrumer") SecNum(V, T.SpodniPrumer);
        else if (K == "Radius") SecNum(V, T.Radius);
        else if (K == "UhelSpicky") SecNum(V, T.UhelSpicky);
        else if (K == "HorniPrumer") SecNum(V, T.HorniPrumer);
        else if (K == "DelkaBritu") SecNum(V, T.DelkaBritu);
        else if (K == "CisloPozice") SecRound(V, T.Tnum);
        else if (K == "CisloKorekce") SecRound(V, T.Dnum);
        else if (K == "TypNastroje") {
            int32_t Type = T.ToolType;
            if (SecRound(V, Type) && ToolTypeReadOk(Type, File, n + 1, Told)) T.ToolType = Type;
        }
        else if (K == "PocetBritu") SecRound(V, T.PocetBritu);
    }
    T.TID = -1;
}

std::vector<std::string> GeoFileLines(const TTool& T) {
    return {"JmNastroje=" + Utf8ToCp1250(T.JmNastroje), "MatNastroje=" + Utf8ToCp1250(T.MatNastroje),
            "SpodniPrumer=" + CfgRegionalReal(T.SpodniPrumer), "Radius=" + CfgRegionalReal(T.Radius),
            "UhelSpicky=" + CfgRegionalReal(T.UhelSpicky), "HorniPrumer=" + CfgRegionalReal(T.HorniPrumer),
            "DelkaBritu=" + CfgRegionalReal(T.DelkaBritu), "CisloPozice=" + std::to_string(T.Tnum),
            "CisloKorekce=" + std::to_string(T.Dnum), "TypNastroje=" + std::to_string(T.ToolType),
            "PocetBritu=" + std::to_string(T.PocetBritu)};
}

void TToolDialog::OpenToolGeo(int La) {
    WriteLog("Sys:Load Tool geo Start (La:" + std::to_string(La) + ")");
    TOpenDialog dlg;
    dlg.Filter = "Geometrie nástroje (*.Geo)|*.Geo";
    dlg.InitialDir = GeoFolder();
    std::vector<std::string> lines;
    if (La < 1 || La > ToolLayerCount || !dlg.Execute()) {
    } else if (!TextFileExists(dlg.FileName) || !ReadTextLines(dlg.FileName, lines)) {
        WriteLog("Err:FAILED Load tool geo, file not found (" + dlg.FileName + ")");
        MessageDlg(Msg[29], TMsgDlgType::mtError, mbOK);
    } else {
        GeoFileToTool(lines, ToolTmp[La], dlg.FileName);
        ToolToEdit(La, false);
    }
    WriteLog("Sys:Load Tool geo End (La:" + std::to_string(La) + ")");
}

void TToolDialog::SaveToolGeo(int La) {
    const std::string log = "Sys:Save Tool geo to file Start (La:" + std::to_string(La) + ")";
    WriteLog(log);
    if (La < 1 || La > ToolLayerCount) return;
    EditToTool(La, false);
    TSaveDialog dlg;
    dlg.Filter = "Geometrie nástroje (*.Geo)|*.Geo";
    dlg.InitialDir = GeoFolder();
    if (!dlg.Execute()) return;
    const std::string file = WithExtension(dlg.FileName, ".geo");
    if (TextFileExists(file) && !ConfirmYes(Msg[5])) return;
    if (!WriteTextLinesSafe(file, GeoFileLines(ToolTmp[La]))) {
        WriteLog("Err:FAILED Save tool geo (" + file + ")");
        ShowFileNotWritten(file);
    }
    WriteLog(log);
}

void TToolDialog::BtnSaveToolMouseDown(uint8_t Shift) {
    const int L = CurLayer();
    const bool ask = (Shift & ssShift) || Glob.ToolLoc == 0;
    if (ask) {
        ToolLocOpen = false;
        ToolLocDialog->Caption = ToolLocDialog->StrSaveTool;
        if (ToolLocDialog->ShowModal() != mrOk) return;
    } else if (Glob.ToolLoc == 2) {
        SaveToolGeo(L);
        return;
    }
    int32_t r = -1;
    if (FindToolInLib(L, true, r)) {
        if (MessageDlg(Msg[89] + "\r\n\r\n" + Msg[90], TMsgDlgType::mtConfirmation, mbYes | mbNo) == mrYes)
            SaveToolAsNew(r);
        else
            OverwriteLibTool(r);
    } else if (FindToolInLib(L, false, r)) {
        if (CurrentEntry(Glob.ToolLib[size_t(r)].Material)) {
            if (MessageDlg(Msg[89] + "\r\n\r\n" + Msg[5], TMsgDlgType::mtConfirmation, mbYes | mbNo) == mrYes)
                OverwriteLibTool(r);
        } else {
            TMaterial* cur = CurrentEntry(Glob.Material);
            if (cur && MessageDlg(Msg[89] + "\r\n" + Msg[92] + cur->Jmeno + "\r\n\r\n" + Msg[93],
                                  TMsgDlgType::mtConfirmation, mbYes | mbNo) == mrYes)
                AddCurMaterialToLibTool(r);
        }
    } else {
        SaveToolAsNew(-1);
        MessageDlg(Msg[91], TMsgDlgType::mtInformation, mbOK);
    }
}

void TToolDialog::SaveToolAsNew(int32_t Src) {
    const int L = CurLayer();
    const int32_t tid = MaxToolTID() + 1;
    EditToTool(L, false);
    ToolTmp[L].TID = tid;
    AppendLibTool(L, Src);
}

void TToolDialog::AppendLibTool(int La, int32_t Src) {
    const bool source = Src >= 0 && size_t(Src) < Glob.ToolLib.size();
    const size_t mats = source ? Glob.ToolLib[size_t(Src)].Material.size() : 1;
    TToolLib rec;
    rec.Material.resize(std::max<size_t>(mats, 1), ToolTmp[La].Material);
    for (TMaterial& m : rec.Material) m.MID = Glob.MID;
    if (source)
        for (size_t j = 0; j < mats; ++j) rec.Material[j] = Glob.ToolLib[size_t(Src)].Material[j];
    Glob.ToolLib.push_back(rec);
    LayToToolLib(int32_t(Glob.ToolLib.size() - 1), La);
}

void TToolDialog::OverwriteLibTool(int32_t R) {
    const int L = CurLayer();
    EditToTool(L, false);
    LayToToolLib(R, L);
}

void TToolDialog::AddCurMaterialToLibTool(int32_t R) {
    TMaterial* cur = CurrentEntry(Glob.Material);
    if (cur && R >= 0 && size_t(R) < Glob.ToolLib.size()) Glob.ToolLib[size_t(R)].Material.push_back(*cur);
}
