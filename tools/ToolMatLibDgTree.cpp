// The library dialog's showing, tree, selection, filters, OK and Cancel.
#include <algorithm>
#include <string>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniLog.h"
#include "platform/Dialogs.h"
#include "shell/UniLang.h"
#include "tools/ToolLibFile.h"
#include "tools/ToolMatLibDg.h"
#include "tools/UniRezPod.h"

namespace {

void ReplaceAll(std::string& S, const std::string& From, const std::string& To) {
    for (size_t p = S.find(From); p != std::string::npos; p = S.find(From, p + To.size())) S.replace(p, From.size(), To);
}

}  // namespace

void TToolMatLibDialog::FormShow() {
    WriteLog("Sys:ToolMatLibDg Open");
    CboxToolTType->Items.clear();
    for (const TToolType& T : Glob.MillToolType) CboxToolTType->Items.push_back(T.Name);
    CBoxToolCoolantType->Items.assign(StrChlaz.begin(), StrChlaz.end());
    TrVLibList->Images.clear();
    for (int k = 0; k <= 20; ++k) TrVLibList->Images.push_back(ProgramDir + "/img/ImgToolLib" + std::to_string(k) + ".png");
    PageParams->TabsVisible = false;
    if (TypeFilter.size() < Glob.MillToolType.size()) TypeFilter.resize(Glob.MillToolType.size(), true);
    for (int k = 0; k < 12; ++k) {
        ChBoxTType[size_t(k)]->Checked = TypeFilter[size_t(k)];
        ChBoxTType[size_t(k)]->Visible = false;
    }
    if (Glob.SpolParObr.VelUnit == MmPerMin)
        ReplaceAll(LabToolVf->Caption, "[mm/s]", "[mm/min]");
    else
        ReplaceAll(LabToolVf->Caption, "[mm/min]", "[mm/s]");
    if (Glob.JobType > 3) {
        for (int k = 0; k < 7; ++k) {
            ChBoxTType[size_t(k)]->Caption = StrLatheTType[size_t(k)];
            ChBoxTType[size_t(k)]->Visible = true;
        }
    } else {
        for (int k = 0; k < 9; ++k) {
            ChBoxTType[size_t(k)]->Caption = StrMillTType[size_t(k)];
            ChBoxTType[size_t(k)]->Visible = true;
        }
    }
    ToolLibTmp = Glob.ToolLib;
    MaterialTmp = Glob.Material;
    SelTID = SelMID = SelPID = SelPar = SelTreeID = ShownPID = -1;
    NewNodeSelected = false;
    SbtnSaveNew->Caption = "Uložit nový";
    FillLibList(Order(), true, 0);
    SbtnToolApUnits->Hint = SBtnToolAeUnits->Hint = "mm nebo % z průměru nástroje";
}

void TToolMatLibDialog::ResetLibSelection() { SelTID = SelMID = SelPID = SelPar = -1; }

void TToolMatLibDialog::FillLibList(int Ord, bool OrderChange, int ItemChange) {
    TreeUpdating = true;
    LibNodes.clear();
    TTreeView& T = *TrVLibList;
    std::vector<bool> noted;
    if (!OrderChange) {
        const int64_t keep = int64_t(T.Nodes.size()) - (ItemChange < 0 ? -int64_t(ItemChange) : 0);
        for (int64_t i = 0; i < keep; ++i) noted.push_back(T.Nodes[size_t(i)].Expanded);
    }
    T.Clear();
    auto add = [&](int32_t Parent, const std::string& Text, int Img, int SelImg, int32_t Tid, int32_t Mid, int Par) {
        const int32_t i = T.AddNode(Parent, Text, Img, SelImg);
        if (i >= 0) LibNodes.push_back(TLibNode{Tid, Mid, Par});
        return i;
    };
    auto passes = [this](const TToolLib& R) {
        const int32_t ty = R.Tool.ToolType;
        return ty < 0 || size_t(ty) >= TypeFilter.size() || TypeFilter[size_t(ty)];
    };
    bool listed = false;
    if (Ord == 0) {
        for (size_t i = 0; i < ToolLibTmp.size(); ++i) {
            const TToolLib& R = ToolLibTmp[i];
            if (!passes(R)) continue;
            listed = true;
            const int32_t ti = int32_t(i);
            const int32_t tool = add(-1, R.Tool.JmNastroje, 2, 3, ti, -1, lnTool);
            add(tool, Texts[0], 4, 5, ti, -1, lnGeo);
            for (size_t j = 0; j < R.Material.size(); ++j) {
                const int32_t mj = int32_t(j);
                const int32_t mat = add(tool, "Mat.:" + R.Material[j].Jmeno, 0, 1, ti, mj, lnTech);
                add(mat, Texts[4], 6, 7, ti, mj, lnTech);
                add(mat, Texts[5], 8, 9, ti, mj, lnPlunge);
                add(mat, Texts[6], 10, 11, ti, mj, lnOuts);
            }
            add(tool, Texts[2], 12, 12, ti, -1, lnAddMaterial);
            add(tool, Texts[3], 12, 12, ti, -1, lnNewMaterial);
        }
        add(-1, Texts[1], 12, 12, -1, -1, lnNewTool);
    } else {
        for (size_t a = 0; a < MaterialTmp.size(); ++a) {
            listed = true;
            const int32_t ma = int32_t(a);
            const int32_t mat = add(-1, MaterialTmp[a].Jmeno, 0, 1, -1, ma, lnTech);
            for (size_t j = 0; j < ToolLibTmp.size(); ++j) {
                const TToolLib& R = ToolLibTmp[j];
                if (!passes(R)) continue;
                const int32_t tj = int32_t(j);
                for (const TMaterial& M : R.Material) {
                    if (M.MID != MaterialTmp[a].MID) continue;
                    const int32_t tool = add(mat, R.Tool.JmNastroje, 2, 3, tj, ma, lnTool);
                    add(tool, Texts[0], 4, 5, tj, ma, lnGeo);
                    add(tool, Texts[4], 6, 7, tj, ma, lnTech);
                    add(tool, Texts[5], 8, 9, tj, ma, lnPlunge);
                    add(tool, Texts[6], 10, 11, tj, ma, lnOuts);
                }
            }
            const int32_t def = add(mat, Texts[7], 19, 20, -1, ma, lnTech);
            add(def, Texts[4], 13, 14, -1, ma, lnTech);
            add(def, Texts[5], 15, 16, -1, ma, lnPlunge);
            add(def, Texts[6], 17, 18, -1, ma, lnOuts);
            add(mat, Texts[1], 12, 12, -1, ma, lnNewTool);
        }
        add(-1, Texts[2], 12, 12, -1, 0, lnAddMaterial);
    }
    if (!OrderChange && listed)
        for (size_t i = 0; i < noted.size() && i < T.Nodes.size(); ++i) T.SetExpanded(int32_t(i), noted[i]);
    TreeUpdating = false;
}

void TToolMatLibDialog::CommandButtons(bool On) {
    SbtnDelete->Enabled = SbtnSaveNew->Enabled = SbtnExport->Enabled = SbtnImport->Enabled = On;
}

void TToolMatLibDialog::Captions(bool Tool) {
    const std::string what = Tool ? "nástroj" : "materiál";
    SbtnSaveNew->Caption = "Uložit nový " + what;
    SbtnDelete->Caption = "Smazat " + what;
}

void TToolMatLibDialog::ShowPage(int Index) {
    // -1: no page (nothing selected after a new order or a delete).
    PageParams->Visible = Index >= 0;
    if (Index >= 0) PageParams->ActivePageIndex = Index;
}

bool TToolMatLibDialog::StoreShownPage() {
    const int ord = Order();
    switch (SelPar) {
        case lnTool:
        case lnGeo: return EditToToolGeo(SelTID);
        case lnTech: return EditToTech(SelTID, SelMID, ord);
        case lnPlunge:
            if (!EditToPlunTmp(ShownPID)) return false;
            PlunTmpToMat(SelTID, SelMID, ord);
            return true;
        case lnOuts: return EditToOuts(SelTID, SelMID, ord);
        default: return true;
    }
}

void TToolMatLibDialog::TrVLibListChange() {
    if (TreeUpdating) return;
    NewNodeSelected = false;
    CommandButtons(true);
    if (!StoreShownPage()) return;
    const int32_t node = TrVLibList->Selected;
    const TLibNode E = node >= 0 && size_t(node) < LibNodes.size() ? LibNodes[size_t(node)] : TLibNode{};
    SelTID = E.Tid;
    SelMID = E.Mid;
    SelPar = E.Par;
    SelTreeID = node;
    SelPID = 0;
    WriteLog("Usr:TID:" + std::to_string(SelTID) + ", MID:" + std::to_string(SelMID) +
             ", PAR:" + std::to_string(SelPar) + " TreeID:" + std::to_string(SelTreeID));
    const int ord = Order();
    auto noDelete = [this] { SbtnDelete->Enabled = SbtnExport->Enabled = SbtnImport->Enabled = false; };
    if (ord == 1 && SelMID == 0 && SelTID == -1) noDelete();
    ShowSelectedPage();
}

void TToolMatLibDialog::ShowSelectedPage() {
    const int ord = Order();
    auto noDelete = [this] { SbtnDelete->Enabled = SbtnExport->Enabled = SbtnImport->Enabled = false; };
    const bool record = SelTID >= 0 && size_t(SelTID) < ToolLibTmp.size();
    // The calculator reads the diameter and edges from the Info/Geo inputs: they hold
    // the selected tool's, whichever page shows.
    if (record && SelPar != lnGeo && SelPar != lnTool) GeoToInputs(SelTID);
    if (record) SetToolType(ToolLibTmp[size_t(SelTID)].Tool.ToolType);
    if (SelTID == -1 && ord == 1) {
        PlunToEdit(-1, SelMID, SelPID, 1);
        OutsToEdit(-1, SelMID, 1);
    }
    switch (SelPar) {
        case lnTech:
            TechToEdit(SelTID, SelMID, ord);
            // The captions are checked; nothing is computed into the inputs, so that
            // looking at a page does not change what it stores.
            RezPodRecalc(rpNone, 1);
            Captions(false);
            break;
        case lnPlunge:
            TabControlToolPlunge->ActivePageIndex = SelPID;
            PlunToEdit(SelTID, SelMID, SelPID, ord);
            Captions(false);
            SpiralRadToHoleRad();
            break;
        case lnOuts:
            OutsToEdit(SelTID, SelMID, ord);
            Captions(false);
            break;
        case lnNewTool:
            NewGeo();
            Captions(true);
            noDelete();
            NewNodeSelected = true;
            break;
        case lnAddMaterial:
            if (ord == 0) AddMaterialToLibTool(SelTID);
            else NewTech();
            Captions(false);
            noDelete();
            NewNodeSelected = true;
            break;
        case lnNewMaterial:
            NewTech();
            Captions(false);
            noDelete();
            break;
        case lnTool:
        case lnGeo:
            ToolGeoToEdit(SelTID);
            Captions(true);
            if (record) SetToolType(ToolLibTmp[size_t(SelTID)].Tool.ToolType);
            SbtnDelete->Enabled = SbtnExport->Enabled = SbtnImport->Enabled = SelTID >= 0;
            RezPodRecalc(rpNone, 1);  // captions as the shown values are
            break;
        default: break;
    }
}

void TToolMatLibDialog::RgRSortByClick() {
    WriteLog(RgRSortBy->ItemIndex == 1 ? "Usr:Sort by: Mat-Tool" : "Usr:Sort by: Tool-Mat");
    ResetLibSelection();
    ShowPage(-1);
    CommandButtons(false);
    FillLibList(Order(), true, 0);
}

void TToolMatLibDialog::ChBoxTTypeClick(int K) {
    if (K >= 0 && K <= 9) TypeFilter[size_t(K)] = ChBoxTType[size_t(K)]->Checked;
    FillLibList(Order(), true, 0);
}

void TToolMatLibDialog::SbtnShowAllClick() {
    TypeFilterAll = !TypeFilterAll;
    TypeFilter.assign(std::max(TypeFilter.size(), Glob.MillToolType.size()), TypeFilterAll);
    for (int k = 0; k <= 9; ++k) ChBoxTType[size_t(k)]->Checked = TypeFilterAll;
    FillLibList(Order(), true, 0);
}

void TToolMatLibDialog::SbtnOkClick() {
    WriteLog("Usr:Ok");
    const std::string q = Msg[94] + Msg[96];
    if (MessageDlg(Msg[94] + "\r\n" + Msg[96], TMsgDlgType::mtWarning, mbYes | mbNo) == mrYes) {
        WriteLog("Usr:Yes (" + q + ")");
        if (!StoreShownPage()) return;
        Glob.ToolLib = ToolLibTmp;
        Glob.Material = MaterialTmp;
    } else {
        WriteLog("Usr:No (" + q + ")");
    }
    ToolLibTmp.clear();
    MaterialTmp.clear();
    ModalResult = mrOk;
}

void TToolMatLibDialog::SbtnCancelClick() {
    WriteLog("Usr:Cancel");
    const std::string q = Msg[95] + Msg[96];
    if (MessageDlg(Msg[95] + "\r\n" + Msg[96], TMsgDlgType::mtWarning, mbYes | mbNo) == mrYes) {
        WriteLog("Usr:Yes (" + q + ")");
        ToolLibTmp.clear();
        MaterialTmp.clear();
        ModalResult = mrCancel;
    } else {
        WriteLog("Usr:No (" + q + ")");
    }
}
