// The layer panel: rebuilt from the layer table and the drawing, clicks on its rows
// (active layer, show, colour, tool, CHANGELAYER's answer), its buttons and the hint.
#include "shell/LayPanel.h"

#include <algorithm>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniWalk.h"
#include "platform/Dialogs.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/MainView.h"
#include "shell/StartupHooks.h"
#include "shell/UniLang.h"
#include "shell/ViewDg.h"

std::function<void()> ComChangeLayerHook;

int LayerOfRow(int Row) { return Row <= LayRowCount && Glob.ViewHighLayer ? Row + LayRowCount : Row; }

std::string SpecialRowName(int Layer) {
    static const char* const N[4] = {"Mat", "Upin", "Koty", "Orig"};
    return Layer >= 65 && Layer <= 68 ? N[Layer - 65] : "";
}

std::string LayMarkFile(int Use) { return Glob.ProgramDir + "/Img/LayMark" + std::to_string(Use ? 1 : 0) + ".bmp"; }

namespace {
void Place(TControl* C, int L, int T, int W, int H) { C->Left = L, C->Top = T, C->Width = W, C->Height = H; }

// Row controls: "ShT"/"LbT"/"ShCiT"/"ShCh"/"ImChT" + k, or the special suffix.
std::string RowName(const char* Prefix, int Row) {
    if (Row >= 65) {
        std::string P = Prefix;
        if (P == "ShT" || P == "LbT" || P == "ShCiT" || P == "ImChT") P.pop_back();
        return P + SpecialRowName(Row);
    }
    return std::string(Prefix) + std::to_string(Row);
}
}  // namespace

void TMainForm::CreateLayerPanelControls() {
    TSpeedButton* All = FindOrMake<TSpeedButton>("SpBtnAll", LayPanel);
    All->Caption = "Vše/Nic";
    Place(All, 2, 2, 50, 20);
    All->OnClick = [this] { SpBtnAllClick(); };
    TSpeedButton* Inv = FindOrMake<TSpeedButton>("SpBtnInvert", LayPanel);
    Inv->Caption = "Inverze";
    Place(Inv, 52, 2, 50, 20);
    Inv->OnClick = [this] { SpBtnInvertClick(); };
    TSpeedButton* Sty = FindOrMake<TSpeedButton>("SpBtnStyle", LayPanel);
    Sty->Caption = "Zobrazení";
    Place(Sty, 2, 23, 100, 20);
    Sty->OnClick = [this] { SpBtnStyleClick(); };

    auto MakeRow = [this](TControl* Parent, int Row, int Top) {
        TPanel* Sh = FindOrMake<TPanel>(RowName("ShT", Row), Parent);
        Place(Sh, 2, Top, 70, LayRowHeight - 1);
        TLabel* Lb = FindOrMake<TLabel>(RowName("LbT", Row), Sh);
        Place(Lb, 2, 0, 34, LayRowHeight - 1);
        TPanel* Ci = FindOrMake<TPanel>(RowName("ShCiT", Row), Sh);
        Place(Ci, 50, 1, 12, 12);
        Ci->Color = 0xFFFFFF;
        TPanel* Ch = FindOrMake<TPanel>(RowName("ShCh", Row), Parent);
        Place(Ch, 78, Top, 14, 14);
        Ch->Color = 0xFFFFFF;
        TImage* Im = FindOrMake<TImage>(RowName("ImChT", Row), Ch);
        Place(Im, 0, 0, 14, 14);
        auto Down = [this, Row](TMouseButton B, uint8_t, int32_t, int32_t) { LayerRowMouseDown(B, Row); };
        for (TControl* C : {static_cast<TControl*>(Sh), static_cast<TControl*>(Lb), static_cast<TControl*>(Ci)})
            C->OnMouseDown = Down;
        auto Toggle = [this, Row](TMouseButton, uint8_t, int32_t, int32_t) {
            if (Row >= 65)
                SpecialRowToggleShow(Row);
            else
                LayerRowToggleShow(Row);
        };
        Ch->OnMouseDown = Toggle;
        Im->OnMouseDown = Toggle;
    };
    for (int L = 65; L <= 68; ++L) MakeRow(LayPanel, L, 46 + (L - 65) * LayRowHeight);
    ScrollBoxLay = FindOrMake<TPanel>("ScrollBoxLay", LayPanel);
    Place(ScrollBoxLay, 0, 46 + 4 * LayRowHeight + 4, 104, LayRowCount * LayRowHeight + 2);
    for (int k = 1; k <= LayRowCount; ++k) MakeRow(ScrollBoxLay, k, 1 + (k - 1) * LayRowHeight);
    TPanel* D1 = FindOrMake<TPanel>("ShDraw1", LayPanel);
    Place(D1, 0, 0, 6, 6);
    D1->Color = 0x000000;
    D1->Stacked = true;  // the marker sits on the drawing layer's row
    TPanel* D2 = FindOrMake<TPanel>("ShDraw2", ScrollBoxLay);
    Place(D2, 0, 0, 6, 6);
    D2->Color = 0x000000;
    D2->Stacked = true;
    TSpeedButton* LoHi = FindOrMake<TSpeedButton>("SpBtnLoHi", LayPanel);
    LoHi->Caption = "Lo/Hi";
    Place(LoHi, 2, ScrollBoxLay->Top + ScrollBoxLay->Height + 3, 100, 20);
    LoHi->OnClick = [this] { SpBtnLoHiClick(); };

    PanelHint = FindOrMake<TPanel>("PanelHint");
    Place(PanelHint, 0, 0, 180, 60);
    PanelHint->Color = 0xE1FFFF;
    PanelHint->Visible = false;
    const char* HintLab[3] = {"LabHintTDnum", "LabHintTname", "LabhintNote"};
    for (int i = 0; i < 3; ++i) Place(FindOrMake<TLabel>(HintLab[i], PanelHint), 4, 2 + 19 * i, 172, 18);
}

void TMainForm::InitLayerPanelEvents() {
    for (int k = 1; k <= LayRowCount; ++k)
        for (const char* P : {"ShT", "LbT", "ShCiT"})
            if (TControl* C = FindComponent(RowName(P, k))) C->Tag = k;
}

void TMainForm::MarkUsedLayers(TObjHeader* First) {
    for (TObjHeader* p = First; p; p = p->Next) {
        if (p->Type == ObjGroup)
            MarkUsedLayers(AsGroup(p)->First);
        else if (p->Layer >= 1 && p->Layer <= LayerCount)
            Glob.TabLayer[p->Layer].Use = 1;
    }
}

void TMainForm::LayPanelUpdate() {
    for (int L = 1; L <= LayerCount; ++L) Glob.TabLayer[L].Use = 0;
    MarkUsedLayers(MainVars.DataStart);
    auto Row = [this](int R) {
        const int L = LayerOfRow(R);
        const TLayer& T = Glob.TabLayer[L];
        if (TImage* Im = Find<TImage>(RowName("ImChT", R))) {
            Im->PictureFile = LayMarkFile(T.Use);
            Im->Visible = T.Show;
        }
        if (TPanel* Sh = Find<TPanel>(RowName("ShT", R))) Sh->Color = T.Color;
        if (TLabel* Lb = Find<TLabel>(RowName("LbT", R))) {
            if (R <= LayRowCount) Lb->Caption = std::to_string(L);
            else Lb->Caption = T.Name;
            Lb->Color = T.Color;
            // Dark text on light layers, light text on dark ones.
            const unsigned Lum = (T.Color & 0xFF) * 3 + ((T.Color >> 8) & 0xFF) * 6 + ((T.Color >> 16) & 0xFF);
            Lb->Font.Color = Lum > 1000 ? 0x000000 : 0xFFFFFF;
        }
    };
    for (int R = 1; R <= LayRowCount; ++R) Row(R);
    for (int R = 65; R <= 68; ++R) Row(R);

    TPanel* D1 = Find<TPanel>("ShDraw1");
    TPanel* D2 = Find<TPanel>("ShDraw2");
    const int Active = Glob.LayerDraw;
    if (D1 && D2) {
        D1->Visible = Active >= 65;
        D2->Visible = Active < 65;
        int R = Active >= 65 ? Active : Active - (Glob.ViewHighLayer ? LayRowCount : 0);
        if (Active < 65 && (R < 1 || R > LayRowCount)) {
            D2->Visible = false;
        } else if (TPanel* Ci = Find<TPanel>(RowName("ShCiT", R))) {
            TPanel* Dot = Active >= 65 ? D1 : D2;
            const TControl* Sh = Ci->Parent;
            Dot->Left = Sh->Left + Ci->Left + 3;
            Dot->Top = Sh->Top + Ci->Top + 3;
        }
    }
    if (PanelDraw) {
        PanelDraw->Caption = Glob.TabLayer[std::clamp(Active, 0, LayerCount)].Name;
        PanelDraw->Color = Glob.TabLayer[std::clamp(Active, 0, LayerCount)].Color;
    }
    ComRedraw();
}

void TMainForm::LayerRowMouseDown(TMouseButton Button, int Row) {
    const int L = Row <= LayRowCount && Glob.ViewHighLayer ? Row + LayRowCount : Row;
    if (L < 1 || L > LayerCount) return;
    TMainVars& V = MainVars;
    if (Button == TMouseButton::mbRight && L <= 64) {
        WriteLog("Usr:Set layer param (T" + std::to_string(L) + ")");
        if (ShowToolDialogHook) ShowToolDialogHook(L - 1);
        if (ViewDialog) ViewDialog->AktualizaceNastroju();
        return;
    }
    if (Button == TMouseButton::mbMiddle) {
        TColorDialog D;
        if (D.Execute()) Glob.TabLayer[L].Color = D.Color;
    } else if (Button == TMouseButton::mbLeft) {
        WriteLog("Usr:Set active Layer (T" + std::to_string(L) + ")");
        if (V.Command[0] == "CHANGELAYER" && V.ComCnt == 1) {
            V.Command[2] = Glob.TabLayer[L].Name;
            V.ComCnt = 2;
            if (ComChangeLayerHook) {
                ComChangeLayerHook();
            } else {
                WriteLog("Err:Command CHANGELAYER not available");
                V.ComCnt = -1;
            }
            MenuOn();
            PanelSelect->Caption = "0";
            V.Mouse.NextMove = mmCross;
            V.Mouse.NextDown = mdNone;
            ComRedraw();
            ComLine1->Caption = ComLine2->Caption + Glob.TabLayer[L].Name;
            ComLine2->Caption = "?>";
            StoreHistory(ComLine1->Caption);
            V.Command[0].clear();
            V.ComCnt = -1;
        } else {
            Glob.LayerDraw = uint8_t(L);
        }
    }
    Glob.TabLayer[L].Show = true;
    LayPanelUpdate();
    if (PanelDraw) {
        PanelDraw->Caption = Glob.TabLayer[Glob.LayerDraw].Name;
        PanelDraw->Color = Glob.TabLayer[Glob.LayerDraw].Color;
    }
}

void TMainForm::LayerRowToggleShow(int Row) {
    const int L = LayerOfRow(Row);
    if (L < 1 || L > 64) return;
    Glob.TabLayer[L].Show = !Glob.TabLayer[L].Show;
    LayPanelUpdate();
}

void TMainForm::SpecialRowToggleShow(int Layer) {
    if (Layer < 65 || Layer > 68) return;
    Glob.TabLayer[Layer].Show = !Glob.TabLayer[Layer].Show;
    LayPanelUpdate();
}

void TMainForm::SpBtnAllClick() {
    for (int L = 1; L <= LayerCount; ++L) Glob.TabLayer[L].Show = ShowAllNext;
    ShowAllNext = !ShowAllNext;
    LayPanelUpdate();
}

void TMainForm::SpBtnInvertClick() {
    for (int L = 1; L <= LayerCount; ++L) Glob.TabLayer[L].Show = !Glob.TabLayer[L].Show;
    LayPanelUpdate();
}

void TMainForm::SpBtnStyleClick() {
    Glob.View = TView((int(Glob.View) + 1) % 5);
    ComRedraw();
    if (Panel_L_D) Panel_L_D->Caption = ViewModeText(Glob.View);
}

void TMainForm::SpBtnLoHiClick() {
    Glob.ViewHighLayer = !Glob.ViewHighLayer;
    LayPanelUpdate();
}

void TMainForm::LayerRowMouseEnter(int Row) {
    if (!PanelHint || PanelHint->Visible) return;
    const int L = LayerOfRow(Row);
    if (L < 1 || L > 64) return;
    if (Glob.TabLayer[L].Use == 1) {
        const TControl* Sh = Find<TControl>(RowName("ShT", Row));
        PanelHint->Top = (Sh ? Sh->Top : 0) + (ScrollBoxLay ? ScrollBoxLay->Top : 0) + (IconsPanel ? IconsPanel->Height : 0);
        PanelHint->Left = (LayPanel ? Width - LayPanel->Width : 0) - PanelHint->Width - 10;
        const TTool& T = Glob.Tool[L];
        if (TLabel* A = Find<TLabel>("LabHintTDnum")) A->Caption = "T" + std::to_string(T.Tnum) + "D" + std::to_string(T.Dnum);
        if (TLabel* B = Find<TLabel>("LabHintTname")) B->Caption = T.JmNastroje;
        if (TLabel* C = Find<TLabel>("LabhintNote")) C->Caption = T.Poznamka;
        PanelHint->Visible = true;
        Glob.DrawHighLight = uint8_t(100 + L);
    }
    ComRedraw();
}

void TMainForm::LayerRowMouseLeave() {
    if (!PanelHint || !PanelHint->Visible) return;
    PanelHint->Visible = false;
    Glob.DrawHighLight = 0;
    ComRedraw();
}

void TMainForm::LayPanelMouseMove(uint8_t, int32_t X, int32_t Y) {
    if (!LayPanelOpen) PanelLayOn();
    if (DebugMode) {
        MainVars.NewPosPix = {X, Y};
        if (LabMosPosPX) LabMosPosPX->Caption = "X" + std::to_string(X) + " Y" + std::to_string(Y);
    }
}

void TMainForm::ComLayer() {
    WriteLog("Sys:ComLayer Start");
    // Opened in the middle of a command (menu, panel): that command is cancelled first,
    // with the same clean-up as Escape.
    if (MainVars.ComCnt >= 0 && MainVars.Command[0] != "LAYER") PressKey(27);
    MainVars.ComCnt = -1;
    // Every polyline, in groups and 3D too, shows its direction in the direction view.
    if (ViewDialog && ViewDialog->ShowModal() == mrOk) FindDirAll(MainVars.DataStart);
    AktualizaceListy();
    LayPanelUpdate();
    WriteLog("Sys:ComLayer End");
}
