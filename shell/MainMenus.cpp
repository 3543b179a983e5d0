// The main menu model and the icon toolbar: keyword items type their keyword into the
// command line, the view items act at once, and the toolbar shows one group's items.
#include "shell/MainMenus.h"

#include <algorithm>

#include "commands/ComCommon.h"
#include "commands/Daskovin.h"
#include "commands/Dorsek.h"
#include "commands/Pelmora.h"
#include "commands/VUZ.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "platform/Files.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/MainView.h"
#include "shell/StartupHooks.h"
#include "shell/UniLang.h"

namespace {

// Moves C under NewParent (at the end of its children).
void Reparent(TControl* C, TControl* NewParent) {
    if (C->Parent == NewParent) return;
    if (C->Parent) std::erase(C->Parent->Children, C);
    C->Parent = NewParent;
    NewParent->Children.push_back(C);
}

// Puts the children named in Order first, in that order; the others follow as they were.
void OrderChildren(TControl* Parent, const std::vector<TControl*>& Order) {
    std::vector<TControl*> Rest;
    for (TControl* c : Parent->Children)
        if (std::find(Order.begin(), Order.end(), c) == Order.end()) Rest.push_back(c);
    Parent->Children = Order;
    Parent->Children.insert(Parent->Children.end(), Rest.begin(), Rest.end());
}

}  // namespace

void TMainForm::CreateMenuControls() {
    if (!Menu) Menu = FindOrMake<TMainMenu>("MainMenu1");
    MainMenu1 = Menu;
    std::vector<TControl*> Tops;
    int Sep = 0;
    for (const TMenuGroupDef& G : MenuDesign()) {
        TMenuItem* Top = FindOrMake<TMenuItem>(G.Name, Menu);
        Reparent(Top, Menu);
        Top->Caption = G.Caption;
        Tops.push_back(Top);
        std::vector<TControl*> Items;
        for (const TMenuDef& D : G.Items) {
            TMenuItem* I = std::string(D.Name) == "-" ? Make<TMenuItem>("MnuSep" + std::to_string(++Sep), Top)
                                                      : FindOrMake<TMenuItem>(D.Name, Top);
            Reparent(I, Top);
            if (I->Caption.empty()) I->Caption = D.Caption;
            I->ShortCut = D.Short;
            Items.push_back(I);
            const std::string Kw = D.Keyword;
            if (!Kw.empty()) I->OnClick = [this, Kw] { RunMenuKeyword(Kw); };
        }
        OrderChildren(Top, Items);
    }
    OrderChildren(Menu, Tops);
    // The customer modules have no keyword: their items open the dialogs directly.
    auto Module = [this](const char* N, const char* Log, void (*Create)(), TForm* (*Form)()) {
        if (TMenuItem* I = MenuItem(N))
            I->OnClick = [Log, Create, Form] {
                WriteLog(std::string("Usr:") + Log);
                if (!Form()) Create();
                Form()->ShowModal();
            };
    };
    Module("SpecDaskovinMnu", "Daskovin", &CreateDaskovinDialog, []() -> TForm* { return DaskovinDialog; });
    Module("SpecDorsekMnu", "Dorsek", &CreateDorsekDialog, []() -> TForm* { return DorsekDialog; });
    Module("SpecPelmoraMnu", "Pelmora", &CreatePelmoraDialog, []() -> TForm* { return PelmoraDialog; });
    Module("SpecVuzMnu", "VUZ", &CreateVuzDialog, []() -> TForm* { return VuzDialog; });

    auto On = [this](const char* N, std::function<void()> F) {
        if (TMenuItem* I = MenuItem(N)) I->OnClick = std::move(F);
    };
    On("ExitMnu", [this] { ExitMnuClick(); });
    On("RedrawMnu", [this] { RedrawMnuClick(); });
    On("ZoomWindowMnu", [this] { ZoomWindowMnuClick(); });
    On("ZoomInMnu", [this] { ZoomInMnuClick(); });
    On("ZoomPreviewMnu", [this] { ZoomPreviewMnuClick(); });
    On("ZoomObjectMnu", [this] { ZoomObjectMnuClick(); });
    On("ZoomLimitsMnu", [this] { ZoomLimitsMnuClick(); });
    On("LayerMnu", [this] {
        WriteLog("Usr:Layer/Dir");
        ComLayer();
    });
    On("GridOnMnu", [this] { GridOnMnuClick(); });
    On("OrthoOnMnu", [this] { OrthoOnMnuClick(); });
    On("SnapOnMnu", [this] { SnapOnMnuClick(); });
    On("SnapUpMnu", [this] { SnapUpMnuClick(); });
    On("SnapDnMnu", [this] { SnapDnMnuClick(); });
    On("ASnapOnMnu", [this] { ASnapOnMnuClick(); });
    On("ASnapUpMnu", [this] { ASnapUpMnuClick(); });
    On("ASnapDnMnu", [this] { ASnapDnMnuClick(); });
    On("OnsapOnMNU", [this] { OnsapOnMNUClick(); });
    On("Knihovnanstroj1", [this] { Knihovnanstroj1Click(); });
    On("ReloadFontsMnu", [this] { ReloadFontsMnuClick(); });
    On("mHelpItemMnu", [this] { mHelpMnuClick(); });
    OnClose = [this](TCloseAction& A) { FormClose(A); };
    OnShow = [this] { FormShow(); };
    OnResize = [this] { FormResize(); };
    Timer1.OnTimer = [this] { Timer1Timer(); };
    Timer2.OneShot = true;
    Timer2.OnTimer = [this] { Timer2Timer(); };
}

void TMainForm::RunMenuKeyword(const std::string& Keyword) {
    ComLine2->Caption = "?>" + Keyword;
    PressKey(13);
}

void TMainForm::ExitMnuClick() { Close(); }

void TMainForm::Knihovnanstroj1Click() {
    if (ShowToolLibDialogHook) ShowToolLibDialogHook();
}

void TMainForm::CreateToolbarControls() {
    IconsPanel = FindOrMake<TPanel>("IconsPanel");
    IconsPanel->Align = TAlign::alTop;
    IconsPanel->Height = 45;
    IconsPanel->Color = 0xF0F0F0;
    IconsPanel->OnMouseMove = [this](uint8_t S, int32_t X, int32_t Y) { IconsPanelMouseMove(S, X, Y); };
    static const char* const GroupNames[8] = {"SbtnMNUSelectFile", "SbtnMNUSelectView", "SbtnMNUSelectInfo",
                                              "SbtnMNUSelectDraw", "SbtnMNUSelectEdit", "SbtnMNUSelectPoly",
                                              "SbtnMNUSelectText", "SbtnMNUSelectCams"};
    for (int g = 0; g < 8; ++g) {
        TSpeedButton* B = FindOrMake<TSpeedButton>(GroupNames[g], IconsPanel);
        B->GroupIndex = 100;  // the eight group buttons act as radio buttons
        B->Flat = true;
        B->Left = 4 + 38 * g, B->Top = 4, B->Width = 36, B->Height = 36;
        B->OnClick = [this, g] { SbtnMNUSelectFileClick(g); };
        GroupButtons[size_t(g)] = B;
    }
    ShMainMenuBtns = FindOrMake<TPanel>("ShMainMenuBtns", IconsPanel);
    ShMainMenuBtns->Left = 4 + 38 * 8 + 2, ShMainMenuBtns->Top = 4, ShMainMenuBtns->Width = 3;
    ShMainMenuBtns->Height = 36;
    ShMainMenuBtns->Color = 0x808080;
    for (int b = 1; b <= 19; ++b) {
        TSpeedButton* B = FindOrMake<TSpeedButton>("SbtnMNUSelectItem" + std::to_string(b), IconsPanel);
        B->Flat = true;
        B->Left = 4 + 38 * 8 + 10 + 38 * (b - 1), B->Top = 4, B->Width = 36, B->Height = 36;
        B->OnClick = [this, b] { IcoSelectClick(b); };
        ItemButtons[size_t(b - 1)] = B;
    }
}

void TMainForm::LoadIconBitmaps() {
    IconGroup = 0;
    IconPictures.assign(IconPictureCount, "");
    for (int k = 0; k < IconPictureCount - 1; ++k) {
        const std::string F = Glob.ProgramDir + "/Img/" + IconFileName(k);
        // A missing picture leaves its button without one.
        if (FileExists(F)) IconPictures[size_t(k)] = F;
    }
    const auto& Tops = MenuDesign();
    for (int g = 0; g < 8; ++g) {
        ButtonPicture[GroupButtons[size_t(g)]] = IconPictures[size_t(g)];
        const TMenuItem* Top = MenuItem(Tops[size_t(g)].Name);
        GroupButtons[size_t(g)]->Hint = Top ? Top->Caption : "";
    }
    for (const TOsnapPicture& P : OsnapPictures()) {
        const std::string F = Glob.ProgramDir + "/Img/" + P.File;
        if (TControl* B = FindComponent(P.Button); B && FileExists(F)) ButtonPicture[B] = F;
    }
}

void TMainForm::SelectIconsMNU(int MNU, bool ImgLoad) {
    if (MNU < 0 || MNU > 7) return;
    IconGroup = MNU;
    for (TSpeedButton* B : ItemButtons) B->Visible = false;
    const auto& Items = IconGroupItems(MNU);
    for (size_t i = 0; i < Items.size() && i < ItemButtons.size(); ++i) {
        TSpeedButton* B = ItemButtons[i];
        const TMenuItem* M = MenuItem(Items[i]);
        B->Visible = true;
        B->Hint = M ? M->Caption : "";
        B->Enabled = M ? M->Enabled : true;
        if (ImgLoad) {
            const size_t Pic = size_t(IconGroupFirstPicture(MNU)) + i;
            ButtonPicture[B] = Pic < IconPictures.size() ? IconPictures[Pic] : "";
        }
    }
    // The View group's grid, ortho, snap and angle-snap buttons show their switch.
    static const int Toggle[4] = {8, 9, 10, 13};
    static const char* const ToggleItem[4] = {"GridOnMnu", "OrthoOnMnu", "SnapOnMnu", "ASnapOnMnu"};
    for (int t = 0; t < 4; ++t) {
        TSpeedButton* B = ItemButtons[size_t(Toggle[t] - 1)];
        if (MNU == 1) {
            B->GroupIndex = 200 + t;
            B->AllowAllUp = true;
            const TMenuItem* M = MenuItem(ToggleItem[t]);
            B->Down = M && M->Checked;
        } else {
            B->GroupIndex = 0;
            B->AllowAllUp = false;
            B->Down = false;
        }
    }
}

void TMainForm::SbtnMNUSelectFileClick(int Group) {
    if (Group < 0 || Group > 7) return;
    GroupButtons[size_t(Group)]->Down = true;
    for (int g = 0; g < 8; ++g)
        if (g != Group) GroupButtons[size_t(g)]->Down = false;
    SelectIconsMNU(Group, true);
}

void TMainForm::CancelForIcon() {
    CancelCommand();
    LayPanelUpdate();
    LabelParam->Caption.clear();
}

void TMainForm::IcoSelectClick(int Button) {
    const auto& Items = IconGroupItems(IconGroup);
    if (Button < 1 || Button > int(Items.size())) return;
    const bool Toggle = IconGroup == 1 && (Button == 8 || Button == 9 || Button == 10 || Button == 13);
    if (!Toggle && IconGroup != 2) CancelForIcon();
    if (TMenuItem* M = MenuItem(Items[size_t(Button - 1)])) M->Click();
}

void TMainForm::IconsPanelMouseMove(uint8_t Shift, int32_t X, int32_t Y) {
    if (!IconsPanelOpen) PanelIconsOn();
    if (DebugMode) {
        MainVars.NewPosPix = {X, Y};
        if (LabMosPosPX) LabMosPosPX->Caption = "X" + std::to_string(X) + " Y" + std::to_string(Y);
    }
}

void TMainForm::PanelDrawClick() {
    if (PanelDraw) {
        PanelDraw->Caption = Glob.TabLayer[Glob.LayerDraw].Name;
        PanelDraw->Color = Glob.TabLayer[Glob.LayerDraw].Color;
    }
    ComLayer();
}

void TMainForm::Panel_L_DClick() {
    if (Glob.View == vLayer) {
        Glob.View = vDir;
        Panel_L_D->Caption = StrDir;
    } else {
        Glob.View = vLayer;
        Panel_L_D->Caption = StrLayer;
    }
    ComRedraw();
}
