// The settings dialog's controls filled from the settings and the command table, and
// taken back over.
#include <cmath>
#include <map>

#include "commands/UniCom.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "shell/Main.h"
#include "shell/SetCfg.h"
#include "shell/SetDg.h"
#include "shell/SetDgFields.h"

namespace {

// The texts GlobalToEdit wrote: an edit still showing its text leaves its field as it is.
std::map<const TSetDialog*, std::map<std::string, std::string>>& ShownTexts() {
    static std::map<const TSetDialog*, std::map<std::string, std::string>> M;
    return M;
}

std::string NumText(const TSetNum& N) {
    const Extended V = N.Get();
    switch (N.Form) {
        case TNumForm::Real:
        case TNumForm::Degrees:
            return CfgRegionalReal(V);
        default:
            return std::to_string(int64_t(V));
    }
}

// The typed value in the field's own unit (whole numbers rounded halves to even).
Extended Taken(const TSetNum& N, Extended V) {
    switch (N.Form) {
        case TNumForm::Whole:
        case TNumForm::Decimals:
            return std::nearbyint(V);
        case TNumForm::Cut:
            return std::trunc(V);
        default:
            return V;
    }
}

void SetRadioPair(TForm& F, const char* First, bool FirstOn) {
    auto* A = F.Find<TRadioButton>(First);
    if (!A) return;
    // The second button of a pair shares the group box.
    for (TControl* C : A->Parent->Children)
        if (auto* R = dynamic_cast<TRadioButton*>(C)) R->Checked = (R == A) == FirstOn;
}

}  // namespace

void TSetDialog::GlobalToEdit() {
    auto& Shown = ShownTexts()[this];
    Shown.clear();
    for (const TSetNum& N : SetNumFields()) {
        const std::string T = NumText(N);
        Find<TEdit>(N.Edit)->Text = T;
        Shown[N.Edit] = T;
    }
    for (const TSetBool& B : SetBoolFields()) {
        if (std::string(B.Control).rfind("RBtn", 0) == 0) SetRadioPair(*this, B.Control, *B.Field);
        else Find<TCheckBox>(B.Control)->Checked = *B.Field;
    }
    for (const TSetColour& C : SetColourFields()) Find<TPanel>(C.Shape)->Color = *C.Colour;
    for (const TSetOpacity& O : SetOpacityFields())
        Find<TTrackBar>(O.TrackBar)->Position = int32_t(std::lround(*O.Opacity * 10));
    Find<TComboBox>("CboxTypRastru")->ItemIndex = Glob.GridType;
    Find<TComboBox>("CboxCursorType")->ItemIndex = Glob.CursorType <= 2 ? Glob.CursorType : -1;
    LblBitMapFile->Caption = Glob.BitmapFile;
    Find<TEdit>("EditBakfilesDir")->Text = Glob.BakFilesDir;
    Find<TEdit>("EditGCodeEd")->Text = Glob.GCodeEd;
    const uint8_t Panels[4] = {Glob.ViewPanelOps, Glob.ViewPanelLays, Glob.ViewPanelIcons, Glob.ViewPanelMenu};
    const char* const PanelNames[4] = {"RGroupPanelOps", "RGroupPanelLays", "RGroupPanelIcons", "RGroupPanelMenu"};
    for (int i = 0; i < 4; ++i) Find<TRadioGroup>(PanelNames[i])->ItemIndex = Panels[i] <= 2 ? Panels[i] : -1;
    const char* const Loc[3] = {"RbtnTLocAsk", "RbtnTLocLib", "RbtnTLocFile"};
    for (int i = 0; i < 3; ++i) Find<TRadioButton>(Loc[i])->Checked = Glob.ToolLoc == i;
    for (size_t i = 0; i < CboxGuiStyle->Items.size(); ++i)
        if (CboxGuiStyle->Items[i] == Glob.GuiStyle) CboxGuiStyle->ItemIndex = int32_t(i);
    if (MainForm) MainForm->CamOpsToPanel();
}

bool TSetDialog::EditToGlobal() {
    Refused.clear();
    const auto& Shown = ShownTexts()[this];
    std::vector<std::pair<const TSetNum*, Extended>> Values;
    for (const TSetNum& N : SetNumFields()) {
        const std::string& Text = Find<TEdit>(N.Edit)->Text;
        auto It = Shown.find(N.Edit);
        if (It != Shown.end() && It->second == Text) continue;  // untouched: the field stays
        Extended V = 0;
        if (!StrToExtCalc(Text, V, false) || !std::isfinite(double(V))) {
            Refused.push_back(std::string(N.Label) + ": \"" + Text + "\" není číslo");
            continue;
        }
        V = Taken(N, V);
        if (V < N.Min || V > N.Max) {
            Refused.push_back(std::string(N.Label) + ": " + Text + " je mimo rozsah " + CfgRegionalReal(N.Min) +
                              " .. " + CfgRegionalReal(N.Max));
            continue;
        }
        Values.emplace_back(&N, V);
    }
    if (!Refused.empty()) return false;
    for (const auto& [N, V] : Values) N->Set(V);
    for (const TSetBool& B : SetBoolFields())
        *B.Field = Find<TControl>(B.Control)->Checked;
    for (const TSetColour& C : SetColourFields()) *C.Colour = Find<TPanel>(C.Shape)->Color;
    for (const TSetOpacity& O : SetOpacityFields())
        *O.Opacity = float(Find<TTrackBar>(O.TrackBar)->Position) / 10;
    if (int i = Find<TComboBox>("CboxTypRastru")->ItemIndex; i >= 0) Glob.GridType = i;
    if (int i = Find<TComboBox>("CboxCursorType")->ItemIndex; i >= 0) Glob.CursorType = uint8_t(i);
    Glob.BitmapFile = LblBitMapFile->Caption;
    Glob.BakFilesDir = Find<TEdit>("EditBakfilesDir")->Text;
    Glob.GCodeEd = Find<TEdit>("EditGCodeEd")->Text;
    uint8_t* Panels[4] = {&Glob.ViewPanelOps, &Glob.ViewPanelLays, &Glob.ViewPanelIcons, &Glob.ViewPanelMenu};
    const char* const PanelNames[4] = {"RGroupPanelOps", "RGroupPanelLays", "RGroupPanelIcons", "RGroupPanelMenu"};
    for (int i = 0; i < 4; ++i)
        if (int k = Find<TRadioGroup>(PanelNames[i])->ItemIndex; k >= 0) *Panels[i] = uint8_t(k);
    const char* const Loc[3] = {"RbtnTLocAsk", "RbtnTLocLib", "RbtnTLocFile"};
    for (int i = 0; i < 3; ++i)
        if (Find<TRadioButton>(Loc[i])->Checked) Glob.ToolLoc = i;
    Glob.ContGroup = RBtnContGroup->Checked;
    if (CboxGuiStyle->ItemIndex >= 0 && size_t(CboxGuiStyle->ItemIndex) < CboxGuiStyle->Items.size())
        Glob.GuiStyle = CboxGuiStyle->Items[size_t(CboxGuiStyle->ItemIndex)];
    CheckGlobalCfg();
    // What is in force now is what the edits show.
    GlobalToEdit();
    return true;
}

void TSetDialog::TabCmdToEdit() {
    TStringGrid& G = *StrGridCommands;
    for (int r = 1; r <= BuiltInComCount; ++r) {
        const TPrikaz& P = Prikaz[size_t(r)];
        G.Cells[0][size_t(r)] = P.Orig;
        G.Cells[1][size_t(r)] = P.MenuName;
        G.Cells[2][size_t(r)] = P.User;
        G.Cells[3][size_t(r)] = P.Short;
        G.Cells[4][size_t(r)] = P.RBtnRep ? "A" : "N";
    }
    TakenShort.assign(size_t(BuiltInComCount) + 1, std::string());
    for (int r = 1; r <= BuiltInComCount; ++r) TakenShort[size_t(r)] = G.Cells[3][size_t(r)];
}

void TSetDialog::EditToTabCmd() {
    const TStringGrid& G = *StrGridCommands;
    for (int r = 1; r <= BuiltInComCount; ++r) {
        TPrikaz& P = Prikaz[size_t(r)];
        P.MenuName = G.Cells[1][size_t(r)];
        P.User = UpCaseStr(G.Cells[2][size_t(r)]);  // aliases compare with the upper-cased input
        P.Short = G.Cells[3][size_t(r)];
        P.RBtnRep = G.Cells[4][size_t(r)] == "A";
    }
}
