// The library dialog's commands: save as new, add a material to a tool, delete, and
// export or import one record or page as a section file.
#include <algorithm>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "platform/Dialogs.h"
#include "shell/UniLang.h"
#include "tools/ToolGeoFile.h"
#include "tools/ToolLibFile.h"
#include "tools/ToolMatLibDg.h"
#include "tools/ToolParamDgs.h"
#include "tools/ToolSmallDgs.h"
#include "tools/ToolTechFile.h"

int32_t MaxLibToolTid() {
    int32_t m = -1;
    for (const TToolLib& R : ToolLibTmp) m = std::max(m, R.Tool.TID);
    return m;
}

int32_t MaxMaterialMid() {
    int32_t m = -1;
    for (const TMaterial& M : MaterialTmp) m = std::max(m, M.MID);
    return m;
}

namespace {

bool SameName(const std::string& A, const std::string& B) { return UpCaseStr(A) == UpCaseStr(B); }

void Error(const std::string& Text) { MessageDlg(Text, TMsgDlgType::mtError, mbOK); }

std::string LowerExt(const std::string& Path) {
    const size_t slash = Path.find_last_of('/');
    const size_t dot = Path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string e = Path.substr(dot);
    for (char& c : e)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return e;
}

}  // namespace

bool TToolMatLibDialog::NewMaterial() {
    std::string name;
    for (;;) {
        CMDParamDialog->Caption = "Nový materiál";
        CMDParamDialog->EditParam->Text.clear();
        if (CMDParamDialog->ShowModal() != mrOk) return false;
        name = CMDParamDialog->EditParam->Text;
        if (name.empty()) {
            Error(Msg[101]);
            continue;
        }
        if (std::any_of(MaterialTmp.begin(), MaterialTmp.end(), [&](const TMaterial& M) { return SameName(M.Jmeno, name); })) {
            Error(Msg[100]);
            continue;
        }
        break;
    }
    const int ord = Order();
    if (ord == 0) {
        if (SelTID < 0 || size_t(SelTID) >= ToolLibTmp.size()) return false;
        auto& mats = ToolLibTmp[size_t(SelTID)].Material;
        // The new entry starts as the material being edited (its other pages), or empty.
        TMaterial E = SelMID >= 0 && size_t(SelMID) < mats.size() ? mats[size_t(SelMID)] : TMaterial{};
        E.Jmeno = name;
        E.TID = ToolLibTmp[size_t(SelTID)].Tool.TID;
        E.MID = MaxMaterialMid() + 1;
        mats.push_back(E);
        const int32_t m = int32_t(mats.size() - 1);
        bool ok = true;
        switch (SelPar) {
            case lnTech:
            case lnNewMaterial: ok = EditToTech(SelTID, m, 0); break;
            case lnPlunge:
                ok = EditToPlunTmp(ShownPID);
                if (ok) PlunTmpToMat(SelTID, m, 0);
                break;
            case lnOuts: ok = EditToOuts(SelTID, m, 0); break;
            default: break;
        }
        // A page that does not read adds nothing: a half-made entry would sit on the tool
        // without its list material.
        if (!ok) {
            mats.pop_back();
            ResetLibSelection();
            return false;
        }
        MaterialTmp.push_back(mats.back());
        return true;
    }
    MaterialTmp.emplace_back();
    const int32_t m = int32_t(MaterialTmp.size() - 1);
    bool ok = EditToTech(SelTID, m, 1) && EditToPlunTmp(ShownPID);
    if (ok) {
        PlunTmpToMat(SelTID, m, 1);
        ok = EditToOuts(SelTID, m, 1);
    }
    if (!ok) {
        MaterialTmp.pop_back();
        ResetLibSelection();
        return false;
    }
    MaterialTmp[size_t(m)].Jmeno = name;
    MaterialTmp[size_t(m)].TID = -1;
    MaterialTmp[size_t(m)].MID = MaxMaterialMid() + 1;
    return true;
}

void TToolMatLibDialog::SbtnSaveNewClick() {
    const int ord = Order();
    WriteLog("Usr:New (" + SbtnSaveNew->Caption + ") Sort:" + LibSelectionText(ord == 0, SelPar, SelTID, SelMID, SelPID));
    NewNodeSelected = false;
    const int32_t n = int32_t(ToolLibTmp.size());
    switch (SelPar) {
        case lnTool:
        case lnGeo: {
            if (SelTID < 0 || SelTID >= n || !EditToToolGeo(n)) return;
            ToolLibTmp[size_t(n)].Material = ToolLibTmp[size_t(SelTID)].Material;
            ToolLibTmp[size_t(n)].Tool.TID = MaxLibToolTid() + 1;
            break;
        }
        case lnNewTool: {
            if (!EditToToolGeo(n)) return;
            TToolLib& R = ToolLibTmp[size_t(n)];
            R.Tool.TID = MaxLibToolTid() + 1;
            if (ord == 1 && SelMID >= 0 && size_t(SelMID) < MaterialTmp.size())
                R.Material = {MaterialTmp[size_t(SelMID)]};
            if (Glob.DefMatToNewTool && !MaterialTmp.empty()) R.Material = {MaterialTmp.front()};
            break;
        }
        case lnTech:
        case lnPlunge:
        case lnOuts:
        case lnAddMaterial:
        case lnNewMaterial: {
            if (!NewMaterial()) return;
            const int Par = SelPar == lnPlunge || SelPar == lnOuts ? SelPar : lnTech;
            FillLibList(ord, false, 1);
            if (ord == 0)
                SelectSavedNew(SelTID, int32_t(ToolLibTmp[size_t(SelTID)].Material.size()) - 1, Par);
            else
                SelectSavedNew(-1, int32_t(MaterialTmp.size()) - 1, Par);
            return;
        }
        default: return;
    }
    FillLibList(ord, false, 1);
    SelectSavedNew(n, -1, SelPar == lnNewTool ? lnTool : SelPar);
}

void TToolMatLibDialog::SelectSavedNew(int32_t Tid, int32_t Mid, int Par) {
    SelTID = Tid;
    SelMID = Mid;
    SelPar = Par;
    SelTreeID = -1;
    for (size_t i = 0; i < LibNodes.size(); ++i) {
        const TLibNode& E = LibNodes[i];
        if (E.Tid != Tid || E.Par != Par) continue;
        // A tool listed under its materials: the first listing; a material: its own entry.
        if (Mid >= 0 && E.Mid != Mid) continue;
        SelTreeID = int32_t(i);
        SelMID = E.Mid;
        break;
    }
    TreeUpdating = true;
    TrVLibList->Selected = SelTreeID;
    TreeUpdating = false;
}

void TToolMatLibDialog::AddMaterialToLibTool(int32_t Tid) {
    if (Tid < 0 || size_t(Tid) >= ToolLibTmp.size()) return;
    for (;;) {
        TComboBox& B = *ValSelectDialog->CBoxSelect;
        ValSelectDialog->Caption = "Vyberte materiál";
        B.Items = {"Vyberte materiál"};
        for (const TMaterial& M : MaterialTmp) B.Items.push_back(M.Jmeno);
        B.ItemIndex = MaterialTmp.size() == 1 ? 1 : 0;
        B.Text = B.Items[size_t(B.ItemIndex)];
        if (ValSelectDialog->ShowModal() != mrOk) return;
        const int k = ValSelectDialog->Chosen();
        if (k <= 0) {
            Error(Msg[102]);
            continue;
        }
        const TMaterial& M = MaterialTmp[size_t(k - 1)];
        auto& mats = ToolLibTmp[size_t(Tid)].Material;
        if (std::any_of(mats.begin(), mats.end(), [&](const TMaterial& E) { return SameName(E.Jmeno, M.Jmeno); })) {
            Error(Msg[103]);
            continue;
        }
        mats.push_back(M);
        FillLibList(Order(), false, 1);
        return;
    }
}

void TToolMatLibDialog::SbtnDeleteClick() {
    const int ord = Order();
    const std::string sel = LibSelectionText(ord == 0, SelPar, SelTID, SelMID, SelPID);
    const bool record = SelTID >= 0 && size_t(SelTID) < ToolLibTmp.size();
    if (!record)
        WriteLog("Usr:Delete,(" + SbtnDelete->Caption + ")tool not select,  Sort:" + sel);
    else
        WriteLog("Usr:Delete,(" + SbtnDelete->Caption + ") " + ToolLibTmp[size_t(SelTID)].Tool.JmNastroje +
                 ", Sort:" + sel);
    if (ord == 0) {
        if (record && (SelPar == lnTool || SelPar == lnGeo)) {
            ToolLibTmp.erase(ToolLibTmp.begin() + SelTID);
        } else if (record && SelPar > lnGeo) {
            auto& mats = ToolLibTmp[size_t(SelTID)].Material;
            if (SelMID >= 0 && size_t(SelMID) < mats.size()) mats.erase(mats.begin() + SelMID);
        }
    } else if (SelMID >= 0 && size_t(SelMID) < MaterialTmp.size()) {
        const TMaterial L = MaterialTmp[size_t(SelMID)];
        if (record) {
            auto& mats = ToolLibTmp[size_t(SelTID)].Material;
            const auto it = std::find_if(mats.begin(), mats.end(), [&](const TMaterial& E) { return E.MID == L.MID; });
            if (it != mats.end()) mats.erase(it);
        }
        if (SelPar > lnGeo &&
            MessageDlg(Msg[104] + L.Jmeno + "\n\r" + Msg[117], TMsgDlgType::mtConfirmation, mbYes | mbNo) == mrYes) {
            for (TToolLib& R : ToolLibTmp)
                std::erase_if(R.Material, [&](const TMaterial& E) { return SameName(E.Jmeno, L.Jmeno); });
            MaterialTmp.erase(MaterialTmp.begin() + SelMID);
        }
    }
    ShowPage(-1);
    FillLibList(ord, false, -1);
    ResetLibSelection();
    CommandButtons(false);
}

void TToolMatLibDialog::ExportImport(bool Export) {
    const int ord = Order();
    const bool record = SelTID >= 0 && size_t(SelTID) < ToolLibTmp.size();
    if (!record) return;
    // The record's own entry that the page shows: in material order, the one of the list material.
    int32_t mat = SelMID;
    if (ord == 1) {
        mat = -1;
        const auto& mats = ToolLibTmp[size_t(SelTID)].Material;
        if (SelMID >= 0 && size_t(SelMID) < MaterialTmp.size())
            for (size_t j = 0; j < mats.size(); ++j)
                if (mats[j].MID == MaterialTmp[size_t(SelMID)].MID) mat = int32_t(j);
    }
    if (SelPar >= lnTech && SelPar <= lnOuts && mat < 0) return;
    if (!Export) {
        if (!SaveDialog.Execute()) return;
        const std::string& f = SaveDialog.FileName;
        bool ok = true;
        switch (SelPar) {
            case lnGeo: ok = LoadToolGeoSection(f, true, SelTID); break;
            case lnTech: ok = ToolFile::LoadLibToolTech(f, SelTID, mat); break;
            case lnPlunge: ok = ToolFile::LoadLibToolPlunges(f, SelTID, mat); break;
            case lnOuts: ok = ToolFile::LoadLibToolOuts(f, SelTID, mat); break;
            default: return;
        }
        if (!ok) {
            Error(Msg[29]);
            return;
        }
        // The page must show what was read: the next store writes the page back.
        ShowSelectedPage();
        return;
    }
    struct TKind {
        int Title;
        const char *Filter, *Ext;
    };
    static const TKind Kinds[5] = {{116, "Definice nástroje (*.tool)|*.tool|", ".tool"},
                                   {112, "Geometrie nástroje (*.geo)|*.geo|", ".geo"},
                                   {113, "Řezné podmínky nástroje (*.tech)|*.tech|", ".tech"},
                                   {114, "Zápichy nástroje (*.plun)|*.plun|", ".plun"},
                                   {115, "*.outs|*.outs|", ".outs"}};
    if (SelPar < lnTool || SelPar > lnOuts) return;
    if (!StoreShownPage()) return;
    const TKind& K = Kinds[SelPar];
    SaveDialog.Title = Msg[size_t(K.Title)];
    SaveDialog.Filter = K.Filter;
    ExportExt = K.Ext;
    SaveDialog.FileName = ToolLibTmp[size_t(SelTID)].Tool.JmNastroje;
    if (!SaveDialog.Execute()) return;
    std::string file = SaveDialog.FileName;
    std::string ext = LowerExt(file);
    if (ext.empty()) {
        file += ExportExt;
        ext = ExportExt;
    }
    if (ext != ExportExt) {
        MessageBox(Msg[4], "", MB_OK);
        return;
    }
    ConfirmDialog->Caption = Msg[5];
    if (TextFileExists(file) && ConfirmDialog->ShowModal() != mrOk) return;
    bool ok = false;
    switch (SelPar) {
        case lnTool: ok = ExportLibTool(file, SelTID); break;
        case lnGeo: ok = SaveToolGeoSection(file, SelTID); break;
        case lnTech: ok = ToolFile::SaveToolTechSection(file, false, false, SelTID, mat); break;
        case lnPlunge: ok = ToolFile::SaveToolPlungesSection(file, false, false, SelTID, mat); break;
        case lnOuts: ok = ToolFile::SaveToolOutsSection(file, false, false, SelTID, mat); break;
        default: break;
    }
    if (!ok) ShowFileNotWritten(file);
}

void TToolMatLibDialog::SbtnExportClick() {
    if (SelTID < 0) return;
    WriteLog("Usr:Export tool, Sort:" + LibSelectionText(Order() == 0, SelPar, SelTID, SelMID, SelPID));
    ExportImport(true);
}

void TToolMatLibDialog::SbtnImportClick() {
    WriteLog("Usr:Import tool, Sort:" + LibSelectionText(Order() == 0, SelPar, SelTID, SelMID, SelPID));
    ExportImport(false);
}
