// The panels around the drawing area (operations, layers, icons, menu bar), opened and
// collapsed by the settings and the pointer, and the status panels of the command panel.
#include <algorithm>

#include "core/Glob.h"
#include "core/UniDraw.h"
#include "shell/Main.h"
#include "shell/OpsPanel.h"
#include "shell/MainVars.h"
#include "shell/MainView.h"
#include "shell/SetDg.h"
#include "shell/UniLang.h"

namespace {
constexpr uint32_t Silver = 0xC0C0C0, White = 0xFFFFFF;
// Wide enough for the longest filter caption at the default font.
constexpr int OpsPanelWidth = 152;
constexpr int OsnapPanelWidth = 6 * 26 + 2;

void Reparent(TControl* C, TControl* NewParent) {
    if (!C || C->Parent == NewParent) return;
    if (C->Parent) std::erase(C->Parent->Children, C);
    C->Parent = NewParent;
    NewParent->Children.push_back(C);
}

void Place(TControl* C, int L, int T, int W, int H) { C->Left = L, C->Top = T, C->Width = W, C->Height = H; }
}  // namespace

void TMainForm::CreateMainWindowControls() {
    Caption = "Kestrilon";
    Width = 1000;
    Height = 700;
    KeyPreview = true;
    // The drawing area is made first so the panels lie over it.
    PaintBoxDraw = FindOrMake<TPaintBox>("PaintBoxDraw");
    PaintBoxDraw->Stacked = true;
    std::erase(Children, static_cast<TControl*>(PaintBoxDraw));
    Children.insert(Children.begin(), PaintBoxDraw);
    CreateMenuControls();
    CreateToolbarControls();
    CreatePanelControls();
    CreateLayerPanelControls();
    // The pointer over a panel: no cross-hair.
    for (TControl* P : {static_cast<TControl*>(ComPanel), static_cast<TControl*>(LayPanel),
                        static_cast<TControl*>(ScrollBoxLay), static_cast<TControl*>(OpsPanel),
                        static_cast<TControl*>(IconsPanel)})
        if (P) P->OnMouseEnter = [this] { Shape1MouseEnter(); };
}

void TMainForm::Shape1MouseEnter() {
    MouseInPanel = true;
    if (ListBoxOps) ListBoxOps->Enabled = true;
    ComRedraw();
}

void TMainForm::PanelSnapDblClick(bool Angle) {
    if (!SetDialog) CreateSetDialog();
    SetDialog->OpenOnPage(1);  // "Zobrazení"
    ComSet(*this);
    if (Angle)
        ComASnap();
    else
        SnapOnMnuClick();
}

void TMainForm::CreatePanelControls() {
    TPaintBox* PB = PaintBoxDraw;
    Place(PB, 0, 0, Width, Height);
    PB->OnPaint = [this] {
        if (!NotCmd) RedrawMnuClick();
    };
    PB->OnMouseDown = [this](TMouseButton B, uint8_t S, int32_t X, int32_t Y) { FormMouseDown(B, S, X, Y); };
    PB->OnMouseUp = [this](TMouseButton B, uint8_t S, int32_t X, int32_t Y) { FormMouseUp(B, S, X, Y); };
    PB->OnMouseMove = [this](uint8_t S, int32_t X, int32_t Y) { FormMouseMove(S, X, Y); };
    PB->OnMouseWheel = [this](uint8_t S, int32_t D, TPoint P, bool& H) { FormMouseWheel(S, D, P, H); };
    PB->OnMouseEnter = [this] { FormMouseEnter(); };
    OnKeyDown = [this](uint16_t& K, uint8_t S) { FormKeyDown(K, S); };
    OnPointerInArea = [this] {
        PanelOpsOff();
        PanelLayOff();
        PanelIconsOff();
    };

    // Command panel at the bottom: echo line, command line, parameter hint, status.
    ComPanel = FindOrMake<TPanel>("ComPanel");
    ComPanel->Align = TAlign::alBottom;
    ComPanel->Height = 58;
    ComPanel->Color = 0xF0F0F0;
    Reparent(ComLine1, ComPanel);
    Reparent(ComLine2, ComPanel);
    Place(ComLine1, 6, 4, 560, 18);
    Place(ComLine2, 6, 24, 560, 18);
    ComLine2->Font.Bold = true;
    PanelCoords = FindOrMake<TPanel>("PanelCoords", ComPanel);
    Place(PanelCoords, 570, 2, 200, 52);
    Reparent(LabelParam, PanelCoords);
    Place(LabelParam, 4, 4, 192, 18);
    LabelCoord = FindOrMake<TLabel>("LabelCoord", PanelCoords);
    Reparent(LabelCoord, PanelCoords);
    Place(LabelCoord, 4, 28, 192, 18);
    PanelInfo = FindOrMake<TPanel>("PanelInfo", ComPanel);
    Place(PanelInfo, 776, 2, 6 * 46, 52);
    PanelInfo->OnMouseMove = [this](uint8_t S, int32_t X, int32_t Y) { PanelInfoMouseMove(S, X, Y); };
    const char* LabNames[6] = {"LabSelect", "LabDraw", "LabLayDir", "LabOrtho", "LabSnap", "LabASnap"};
    const char* LabCaps[6] = {"Výběr", "Aktivní", "Hla/Sm", "Orto", "Krok", "U Krok"};
    const char* PanNames[6] = {"PanelSelect", "PanelDraw", "Panel_L_D", "PanelOrtho", "PanelSnap", "PanelASnap"};
    TPanel** Pans[6] = {&PanelSelect, &PanelDraw, &Panel_L_D, &PanelOrtho, &PanelSnap, &PanelASnap};
    for (int i = 0; i < 6; ++i) {
        TLabel* L = FindOrMake<TLabel>(LabNames[i], PanelInfo);
        L->Caption = LabCaps[i];
        Place(L, 2 + 46 * i, 2, 44, 18);
        // A click on the status line acts as a click in the drawing area.
        L->OnMouseDown = [this](TMouseButton B, uint8_t S, int32_t X, int32_t Y) { FormMouseDown(B, S, X, Y); };
        L->OnMouseUp = [this](TMouseButton B, uint8_t S, int32_t X, int32_t Y) { FormMouseUp(B, S, X, Y); };
        TPanel* P = FindOrMake<TPanel>(PanNames[i], PanelInfo);
        Reparent(P, PanelInfo);
        Place(P, 2 + 46 * i, 22, 44, 26);
        if (P->Color == clDefault) P->Color = White;
        *Pans[i] = P;
    }
    // Object snaps between the command lines and the coordinates: the six kinds on
    // their panel above the main switch, each an independent toggle.
    TPanel* Osnaps = FindOrMake<TPanel>("PanelOsnapBtns", ComPanel);
    Reparent(Osnaps, ComPanel);
    Place(Osnaps, 0, 2, OsnapPanelWidth, 28);
    struct TKind {
        const char* Name;
        const char* Hint;
        void (TMainForm::*Click)();
    };
    const TKind Kinds[6] = {{"SpdBtnEnd", "Koncový bod", &TMainForm::SpdBtnEndClick},
                            {"SpdBtnMid", "Polovina", &TMainForm::SpdBtnMidClick},
                            {"SpdBtnCen", "Střed", &TMainForm::SpdBtnCenClick},
                            {"SpdBtnInt", "Průsečík", &TMainForm::SpdBtnIntClick},
                            {"SpdBtnPer", "Kolmice", &TMainForm::SpdBtnPerClick},
                            {"SpdBtnTan", "Tečna", &TMainForm::SpdBtnTanClick}};
    for (int i = 0; i < 6; ++i) {
        TSpeedButton* B = FindOrMake<TSpeedButton>(Kinds[i].Name, Osnaps);
        Reparent(B, Osnaps);
        B->Hint = Kinds[i].Hint;
        B->GroupIndex = 20 + i;
        B->AllowAllUp = true;
        Place(B, 2 + 26 * i, 2, 24, 24);
        B->OnClick = [this, F = Kinds[i].Click] { (this->*F)(); };
    }
    TSpeedButton* Switch = FindOrMake<TSpeedButton>("SbtnOsnapSwitch", ComPanel);
    Reparent(Switch, ComPanel);
    Switch->Caption = "Osnap";
    Switch->Hint = "Osnap zap./vyp.";
    Switch->GroupIndex = 30;
    Switch->AllowAllUp = true;
    Place(Switch, 0, 32, OsnapPanelWidth, 22);
    Switch->OnClick = [this] { SbtnOsnapSwitchClick(); };
    ComPanel->OnMouseDown = [this](TMouseButton, uint8_t, int32_t, int32_t) { ComPanelClick(); };

    PanelSelect->Caption = "0";
    PanelDraw->OnMouseDown = [this](TMouseButton, uint8_t, int32_t, int32_t) { PanelDrawClick(); };
    Panel_L_D->OnMouseDown = [this](TMouseButton, uint8_t, int32_t, int32_t) { Panel_L_DClick(); };
    PanelOrtho->OnMouseDown = [this](TMouseButton, uint8_t, int32_t, int32_t) { OrthoOnMnuClick(); };
    PanelSnap->OnMouseDown = [this](TMouseButton, uint8_t, int32_t, int32_t) { SnapOnMnuClick(); };
    PanelASnap->OnMouseDown = [this](TMouseButton, uint8_t, int32_t, int32_t) { ComASnap(); };
    // The double click's first click toggled already: the dialog, then back again.
    PanelSnap->OnDblClick = [this] { PanelSnapDblClick(false); };
    PanelASnap->OnDblClick = [this] { PanelSnapDblClick(true); };


    // Debug panel (visible only when started with "debug").
    PanelDebug = FindOrMake<TPanel>("PanelDebug");
    PanelDebug->Align = TAlign::alRight;
    PanelDebug->Width = 200;
    PanelDebug->Visible = false;
    PanelDebug->OnMouseDown = [this](TMouseButton, uint8_t, int32_t, int32_t) { PanelDebugClick(); };
    LabMosPosPX = FindOrMake<TLabel>("LabMosPosPX", PanelDebug);
    Reparent(LabMosPosPX, PanelDebug);
    Place(LabMosPosPX, 4, 4, 190, 18);
    LabMosPosPX->Visible = false;
    const char* DbgBtn[4] = {"SbtnDumpUndo", "SbtnDumpCamOp", "SbtnCountLastSel", "SpeedButton4"};
    const char* DbgCap[4] = {"Undo", "CamOp", "CntLast", "Enab"};
    for (int i = 0; i < 4; ++i) {
        TSpeedButton* B = FindOrMake<TSpeedButton>(DbgBtn[i], PanelDebug);
        B->Caption = DbgCap[i];
        Place(B, 4 + 48 * i, 26, 46, 22);
    }
    Find<TSpeedButton>("SbtnDumpUndo")->OnClick = [this] { SbtnDumpUndoClick(); };
    Find<TSpeedButton>("SbtnDumpCamOp")->OnClick = [this] { SbtnDumpCamOpClick(); };
    Find<TSpeedButton>("SbtnCountLastSel")->OnClick = [this] { SbtnCountLastSelClick(); };
    Find<TSpeedButton>("SpeedButton4")->OnClick = [this] { SpeedButton4Click(); };
    for (int i = 0; i < 12; ++i) {
        TLabel* L = FindOrMake<TLabel>("LabDebug" + std::to_string(i + 1), PanelDebug);
        Place(L, 4, 52 + 18 * i, 190, 16);
    }
    MemoDebugOps = FindOrMake<TMemo>("MemoDebugOps", PanelDebug);
    Place(MemoDebugOps, 4, 280, 190, 200);

    // Operations panel on the left.
    OpsPanel = FindOrMake<TPanel>("OpsPanel");
    OpsPanel->Align = TAlign::alLeft;
    OpsPanel->Width = OpsPanelWidth;
    OpsPanel->Color = 0xE8E8E8;
    OpsPanel->OnMouseMove = [this](uint8_t, int32_t X, int32_t Y) {
        if (!OpsPanelOpen) PanelOpsOn();
        if (DebugMode && LabMosPosPX) LabMosPosPX->Caption = "X" + std::to_string(X) + " Y" + std::to_string(Y);
    };
    const char* Filt[4] = {"Kontury", "Vyplne", "Povrchy", "Vrtani"};
    const char* FiltCap[4] = {"Kontury", "Výplně", "Přerovnání ploch", "Vrtání"};
    for (int i = 0; i < 4; ++i) {
        const std::string S = Filt[i];
        TImage* Im = FindOrMake<TImage>("ImChOp" + S, OpsPanel);
        Place(Im, 4, 4 + 20 * i, 16, 16);
        TPanel* Sh = FindOrMake<TPanel>("ShOp" + S, OpsPanel);
        Place(Sh, 22, 6 + 20 * i, 10, 12);
        TLabel* L = FindOrMake<TLabel>("LabOp" + S, OpsPanel);
        L->Caption = FiltCap[i];
        Place(L, 36, 4 + 20 * i, OpsPanelWidth - 40, 16);
    }
    TSpeedButton* Edit = FindOrMake<TSpeedButton>("SbtnEditOp", OpsPanel);
    Edit->Caption = "Edit";
    Place(Edit, 4, 88, OpsPanelWidth / 2 - 6, 22);
    Edit->OnClick = [this] { RunMenuKeyword("OPEDIT"); };
    TSpeedButton* Del = FindOrMake<TSpeedButton>("SbtnDelOp", OpsPanel);
    Del->Caption = "Smazat";
    Place(Del, OpsPanelWidth / 2 + 2, 88, OpsPanelWidth / 2 - 6, 22);
    Del->OnClick = [this] { RunMenuKeyword("OPDELETE"); };
    ListBoxOps = FindOrMake<TListBox>("ListBoxOps", OpsPanel);
    Place(ListBoxOps, 2, 114, OpsPanelWidth - 4, 400);
    InitOpsPanel(*this);

    // Layer panel on the right (rows made by the layer-panel code).
    LayPanel = FindOrMake<TPanel>("LayPanel");
    LayPanel->Align = TAlign::alRight;
    LayPanel->Width = 104;
    LayPanel->Color = 0xE8E8E8;
    LayPanel->OnMouseMove = [this](uint8_t S, int32_t X, int32_t Y) { LayPanelMouseMove(S, X, Y); };

    // The panels show from the first showing on, as the settings say.
    for (TPanel* P : {IconsPanel, ComPanel, OpsPanel, LayPanel}) P->Visible = false;

    // The aligned panels in layout order: top, bottom, right, left; the area under them.
    std::vector<TControl*> Order = {PaintBoxDraw, IconsPanel, ComPanel, PanelDebug, LayPanel, OpsPanel};
    std::vector<TControl*> Rest;
    for (TControl* c : Children)
        if (std::find(Order.begin(), Order.end(), c) == Order.end()) Rest.push_back(c);
    Children = Order;
    Children.insert(Children.end(), Rest.begin(), Rest.end());
}

void TMainForm::PanelsFromSettings() {
    ComPanel->Visible = true;
    struct TSide { uint8_t Setting; void (TMainForm::*On)(); void (TMainForm::*Off)(); TPanel* P; };
    const TSide Sides[3] = {{Glob.ViewPanelOps, &TMainForm::PanelOpsOn, &TMainForm::PanelOpsOff, OpsPanel},
                            {Glob.ViewPanelLays, &TMainForm::PanelLayOn, &TMainForm::PanelLayOff, LayPanel},
                            {Glob.ViewPanelIcons, &TMainForm::PanelIconsOn, &TMainForm::PanelIconsOff, IconsPanel}};
    for (const TSide& S : Sides) {
        if (S.Setting == 0) {
            (this->*S.Off)();
            S.P->Visible = false;
        } else if (S.Setting == 1 || S.Setting == 2) {
            (this->*S.On)();
            S.P->Visible = true;
        }
    }
    if (Glob.ViewPanelMenu == 0)
        PanelMenuOff();
    else if (Glob.ViewPanelMenu == 1 || Glob.ViewPanelMenu == 2)
        PanelMenuOn();
}

void TMainForm::PanelOpsOn() {
    if (OpsPanelOpen) return;
    ListBoxOps->Enabled = true;
    ListBoxOps->Visible = true;
    OpsPanel->Visible = true;
    for (TControl* C : OpsPanel->Children) C->Visible = true;
    OpsPanel->Width = OpsPanelWidth;
    OpsPanelOpen = true;
    CamOpsToPanel();
    RecalcOkno();
    ComRedraw();
}

void TMainForm::PanelOpsOff() {
    if (!OpsPanelOpen || Glob.ViewPanelOps != 2) return;
    OpsPanel->Width = 10;
    for (TControl* C : OpsPanel->Children) C->Visible = false;
    ListBoxOps->ItemIndex = -1;
    ListBoxOps->Enabled = false;
    OpsPanelOpen = false;
    RecalcOkno();
    ComRedraw();
}

void TMainForm::PanelLayOn() {
    if (LayPanelOpen) return;
    if (ScrollBoxLay) ScrollBoxLay->Visible = true;
    LayPanel->Width = 104;
    LayPanelOpen = true;
    RecalcOkno();
    ComRedraw();
}

void TMainForm::PanelLayOff() {
    if (!LayPanelOpen || Glob.ViewPanelLays != 2) return;
    LayPanel->Width = 10;
    if (ScrollBoxLay) ScrollBoxLay->Visible = false;
    LayPanelOpen = false;
    RecalcOkno();
    ComRedraw();
}

void TMainForm::PanelIconsOn() {
    if (IconsPanelOpen) return;
    IconsPanel->Height = 45;
    for (TSpeedButton* B : GroupButtons) B->Visible = true;
    ShMainMenuBtns->Visible = true;
    SelectIconsMNU(IconGroup, false);
    IconsPanelOpen = true;
    RecalcOkno();
    ComRedraw();
}

void TMainForm::PanelIconsOff() {
    if (!IconsPanelOpen || Glob.ViewPanelIcons != 2) return;
    IconsPanel->Height = 10;
    for (TSpeedButton* B : GroupButtons) B->Visible = false;
    // Every item button goes, not only the first sixteen.
    for (TSpeedButton* B : ItemButtons) B->Visible = false;
    ShMainMenuBtns->Visible = false;
    IconsPanelOpen = false;
    RecalcOkno();
    ComRedraw();
}

void TMainForm::PanelMenuOn() {
    if (MenuBarShown) return;
    Menu = MainMenu1;
    if (Menu) Menu->Visible = true;
    MenuBarShown = true;
    RecalcOkno();
    ComRedraw();
}

void TMainForm::PanelMenuOff() {
    if (!MenuBarShown) return;
    // The bar is hidden rather than detached, so its items keep working as handlers.
    if (MainMenu1) MainMenu1->Visible = false;
    MenuBarShown = false;
    RecalcOkno();
    ComRedraw();
}

void TMainForm::MenuOn() {}
void TMainForm::MenuOff() {}


void TMainForm::AktualizaceListy() {
    const TLayer& L = Glob.TabLayer[std::clamp<int>(Glob.LayerDraw, 0, LayerCount)];
    if (PanelDraw) {
        PanelDraw->Caption = L.Name;
        PanelDraw->Color = L.Color;
    }
    auto Checked = [this](const char* N) {
        const TMenuItem* M = MenuItem(N);
        return M && M->Checked;
    };
    const TMouseMove Move = MainVars.Mouse.Move;
    if (PanelSnap) {
        PanelSnap->Caption = Checked("SnapOnMnu") ? SnapStepText() : StrOff;
        PanelSnap->Color = (Move == mmSel || Move == mmWin) ? Silver : White;
    }
    if (PanelASnap) PanelASnap->Caption = Checked("ASnapOnMnu") ? ASnapStepText() : StrOff;
    if (PanelOrtho) {
        PanelOrtho->Caption = Checked("OrthoOnMnu") ? StrOn : StrOff;
        PanelOrtho->Color = (Move == mmSel || Move == mmCross || Move == mmWin || Move == mmRect) ? Silver : White;
    }
}

void TMainForm::PanelInfoMouseMove(uint8_t, int32_t X, int32_t) {
    const int32_t Left = PanelInfo ? PanelInfo->Left + (ComPanel ? ComPanel->Left : 0) : 0;
    FormMouseMove(127, X + Left, Height - (ComPanel ? ComPanel->Height : 0) - 1);
}

void TMainForm::PanelDebugClick() {
    auto Set = [this](int i, const std::string& S) {
        if (TLabel* L = Find<TLabel>("LabDebug" + std::to_string(i))) L->Caption = S;
    };
    auto I = [](Extended V) { return std::to_string(static_cast<long long>(V)); };
    auto R = [](Extended V) { return std::to_string(static_cast<double>(V)); };
    Set(1, "OpsW:" + std::to_string(OpsPanel->Width));
    Set(2, "LayW:" + std::to_string(LayPanel->Width));
    Set(3, "IcoH:" + std::to_string(IconsPanel->Height));
    Set(4, "ComH:" + std::to_string(ComPanel->Height));
    Set(5, "okno start X:" + I(Glob.OknoStart.x) + " Y:" + I(Glob.OknoStart.y));
    Set(6, "okno X:" + I(Glob.Okno.x) + " Y:" + I(Glob.Okno.y));
    Set(7, "PxPerMm:" + R(Glob.BoduNaMm));
    Set(8, "ZoomR:" + R(Glob.ZoomInRatio));
    Set(9, "ZoomMax X:" + R(Glob.ZoomMax.x) + " Y:" + R(Glob.ZoomMax.y));
    Set(10, "ZoomMin X:" + R(Glob.ZoomMin.x) + " Y:" + R(Glob.ZoomMin.y));
    FormResize();
    RecalcOkno();
    ComRedraw();
    FormResize();
}
