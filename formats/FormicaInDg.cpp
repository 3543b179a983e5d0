#include "formats/FormicaInDg.h"

#include <string>

#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"

TFormicaInDg* FormicaInDg = nullptr;

namespace {
constexpr int ItemHeight = 19;
constexpr int ColumnWidth = 60;
}  // namespace

TFormicaInDg::TFormicaInDg() : TForm("FormicaInDg") {
    Caption = "Formica PCB vstup";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 360;
    Height = 380;
    LabLayer = Make<TLabel>("LabLayer");
    LabLayer->Caption = "Hladina";
    LabLayer->Left = 12;
    LabLayer->Top = 8;
    LabLayer->Width = 120;
    LabLayer->Height = 18;
    CheckListBox = Make<TPanel>("CheckListBox");
    CheckListBox->Left = 12;
    CheckListBox->Top = 28;
    CheckListBox->Width = 2 * ColumnWidth + 8;
    CheckListBox->Height = Layers / 2 * ItemHeight + 6;
    for (int i = 0; i < Layers; ++i) {
        TCheckBox* B = Make<TCheckBox>("LayerItem" + std::to_string(i), CheckListBox);
        B->Caption = std::to_string(i);
        B->Checked = true;
        B->Left = 4 + (i / (Layers / 2)) * ColumnWidth;
        B->Top = 3 + (i % (Layers / 2)) * ItemHeight;
        B->Width = ColumnWidth - 4;
        B->Height = ItemHeight;
        LayerItems[size_t(i)] = B;
    }
    auto Label = [this](const char* N, const char* C, int Y) {
        TLabel* L = Make<TLabel>(N);
        L->Caption = C;
        L->Left = 12;
        L->Top = Y;
        L->Width = 336;
        L->Height = 18;
        return L;
    };
    const int below = 28 + Layers / 2 * ItemHeight + 14;
    ChBoxSingle = Make<TCheckBox>("ChBoxSingle");
    ChBoxSingle->Caption = "Spoje jako jednoduché čáry";
    ChBoxSingle->Left = 12;
    ChBoxSingle->Top = below;
    ChBoxSingle->Width = 336;
    ChBoxSingle->Height = 22;
    LabNote1 = Label("LabNote1", "Hladina 0 se dostane do T24.", below + 28);
    LabNote2 = Label("LabNote2", "Samostatné díry bez Padu se dostanou do Origu.", below + 48);
    BitBtnOK = Make<TBitBtn>("BitBtnOK");
    BitBtnOK->Caption = "OK";
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->Default = true;
    BitBtnOK->OnClick = [] { WriteLog("Usr:ok"); };
    BitBtnCancel = Make<TBitBtn>("BitBtnCancel");
    BitBtnCancel->Caption = "Storno";
    BitBtnCancel->ModalResult = mrCancel;
    BitBtnCancel->Cancel = true;
    BitBtnCancel->OnClick = [] { WriteLog("Usr:cancel"); };
    for (TBitBtn* B : {BitBtnOK, BitBtnCancel}) {
        B->Top = below + 80;
        B->Width = 100;
        B->Height = 28;
    }
    BitBtnOK->Left = 60;
    BitBtnCancel->Left = 200;
    OnShow = [] { WriteLog("Sys:FormicaInDg Open"); };
    OnClose = [](TCloseAction&) { WriteLog("Sys:FormicaInDg Close"); };
    LangRegisterForm("FormicaInDg", this);
}

TFormicaInDg::~TFormicaInDg() {
    LangUnregisterForm(this);
    if (FormicaInDg == this) FormicaInDg = nullptr;
}

void CreateFormicaInDg() { FormicaInDg = RemakeForm<TFormicaInDg>(); }
