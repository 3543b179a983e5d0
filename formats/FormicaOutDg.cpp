#include "formats/FormicaOutDg.h"

#include <cstdio>

#include "core/Global.h"
#include "core/UniLog.h"
#include "platform/Controls.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"

TFormicaOutDg* FormicaOutDg = nullptr;

namespace {

std::string Mm3(Extended V) {
    char b[32];
    std::snprintf(b, sizeof b, "%.3Lf", V);
    return b;
}

TStringGrid* Grid(TForm& F, const char* Name, int Cols, int Rows, int X, int Y, int W) {
    TStringGrid* G = F.Make<TStringGrid>(Name);
    G->SetSize(Cols, Rows);
    G->Left = X;
    G->Top = Y;
    G->Width = W;
    G->Height = 18 * Rows + 4;
    G->DefaultRowHeight = 18;
    G->Editing = true;  // layers and ranges are typed in
    G->ColWidths.assign(size_t(Cols), (W - 4) / Cols);
    return G;
}

}  // namespace

TFormicaOutDg::TFormicaOutDg() : TForm("FormicaOutDg") {
    Caption = "Formica PCB výstup";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 760;
    Height = 420;
    StrGridLayer = Grid(*this, "StrGridLayer", 2, 17, 8, 8, 250);
    StrGridLineType = Grid(*this, "StrGridLineType", 3, 17, 266, 8, 240);
    StrGridPadType = Grid(*this, "StrGridPadType", 3, 13, 514, 8, 236);
    StrGridLayer->Cells[0][0] = "Hladina Formicy";
    StrGridLayer->Cells[1][0] = "Hladiny Kestrilonu";
    StrGridLineType->Cells[0][0] = "Line Type";
    StrGridPadType->Cells[0][0] = "Pad Type";
    for (TStringGrid* G : {StrGridLineType, StrGridPadType}) {
        G->Cells[1][0] = "Min.";
        G->Cells[2][0] = "Max.";
    }
    LabPadLayer = Make<TLabel>("LabPadLayer");
    LabPadLayer->Caption = "Hladiny pro hledání Padů";
    LabPadLayer->Left = 514;
    LabPadLayer->Top = 254;
    LabPadLayer->Width = 236;
    LabPadLayer->Height = 18;
    EditPadLayer = Make<TEdit>("EditPadLayer");
    EditPadLayer->Left = 514;
    EditPadLayer->Top = 274;
    EditPadLayer->Width = 236;
    EditPadLayer->Height = 22;
    GroupBoxOut = Make<TGroupBox>("GroupBoxOut");
    GroupBoxOut->Caption = " Výstup ";
    GroupBoxOut->Left = 8;
    GroupBoxOut->Top = 324;
    GroupBoxOut->Width = 498;
    GroupBoxOut->Height = 52;
    RBtnInch = Make<TRadioButton>("RBtnInch", GroupBoxOut);
    RBtnInch->Caption = "Palcový ( 1krok=0,0254mm )";
    RBtnInch->Checked = true;
    RBtnMetric = Make<TRadioButton>("RBtnMetric", GroupBoxOut);
    RBtnMetric->Caption = "Metrický ( 1krok=0,025mm )";
    for (TRadioButton* R : {RBtnInch, RBtnMetric}) {
        R->Top = 22;
        R->Width = 230;
        R->Height = 22;
        R->OnClick = [this] { Aktualizace(); };
    }
    RBtnInch->Left = 10;
    RBtnMetric->Left = 250;
    BitBtnOK = Make<TBitBtn>("BitBtnOK");
    BitBtnOK->Caption = "OK";
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->Default = true;
    BitBtnOK->OnClick = [] { WriteLog("Usr:ok"); };
    BitBtnCancel = Make<TBitBtn>("BitBtnCancel");
    BitBtnCancel->Caption = "Cancel";
    BitBtnCancel->ModalResult = mrCancel;
    BitBtnCancel->Cancel = true;
    BitBtnCancel->OnClick = [] { WriteLog("Usr:cancel"); };
    for (TBitBtn* B : {BitBtnOK, BitBtnCancel}) {
        B->Top = 340;
        B->Width = 100;
        B->Height = 28;
    }
    BitBtnOK->Left = 530;
    BitBtnCancel->Left = 645;
    // Every showing starts from the built-in ranges in the chosen step.
    OnShow = [this] {
        WriteLog("Sys:FormicaOutDg Open");
        Labels();
        const Extended step = Step();
        for (int i = 0; i < FormicaLineTypes; ++i) {
            StrGridLineType->Cells[1][size_t(i + 1)] = ExtToStr(FormicaLineMin[i] * step);
            StrGridLineType->Cells[2][size_t(i + 1)] = ExtToStr(FormicaLineMax[i] * step);
        }
        for (int i = 0; i < FormicaPadTypes; ++i) {
            StrGridPadType->Cells[1][size_t(i + 1)] = ExtToStr(FormicaPadMin[i] * step);
            StrGridPadType->Cells[2][size_t(i + 1)] = ExtToStr(FormicaPadMax[i] * step);
        }
    };
    OnClose = [](TCloseAction&) { WriteLog(std::string("Sys:FormicaOutDg") + " Close"); };
    Labels();
    LangRegisterForm("FormicaOutDg", this);
}

TFormicaOutDg::~TFormicaOutDg() {
    LangUnregisterForm(this);
    if (FormicaOutDg == this) FormicaOutDg = nullptr;
}

void TFormicaOutDg::Labels() {
    const Extended step = Step();
    for (int i = 0; i < 16; ++i) StrGridLayer->Cells[0][size_t(i + 1)] = std::to_string(i);
    for (int i = 0; i < FormicaLineTypes; ++i)
        StrGridLineType->Cells[0][size_t(i + 1)] =
            std::to_string(i) + "  (" + Mm3(FormicaLineNominal[i] * step) + " mm)";
    for (int i = 0; i < FormicaPadTypes; ++i)
        StrGridPadType->Cells[0][size_t(i + 1)] = std::to_string(i) + "  (" + Mm3(FormicaPadNominal[i] * step) + " mm)";
}

void TFormicaOutDg::Aktualizace() {
    Labels();
    const Extended f = RBtnInch->Checked ? 127.0L / 125 : 125.0L / 127;
    for (TStringGrid* G : {StrGridLineType, StrGridPadType})
        for (int r = 1; r < G->RowCount(); ++r)
            for (int c = 1; c <= 2; ++c) {
                Extended v = 0;
                std::string& cell = G->Cells[size_t(c)][size_t(r)];
                if (StrToExtCalc(cell, v, false)) cell = ExtToStr(v * f);
            }
}

void CreateFormicaOutDg() { FormicaOutDg = RemakeForm<TFormicaOutDg>(); }
