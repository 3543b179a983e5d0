#include "cam/MeaRepDg.h"

#include <string>

#include "core/UniLog.h"
#include "shell/UniLang.h"

TReportDialog* ReportDialog = nullptr;

TReportDialog::TReportDialog() : TForm("Report") {
    Caption = "Report";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 340;
    Height = 180;
    StrGrid = Make<TStringGrid>("StrGrid");
    StrGrid->Left = 0;
    StrGrid->Top = 0;
    StrGrid->Width = 340;
    StrGrid->Height = 124;
    StrGrid->SetSize(3, 6);
    StrGrid->ColWidths = {201, 72, 67};
    StrGrid->Enabled = false;
    BitBtnOK = Make<TBitBtn>("BitBtnOk");
    BitBtnOK->Caption = "OK";
    BitBtnOK->Left = 126;
    BitBtnOK->Top = 136;
    BitBtnOK->Width = 88;
    BitBtnOK->Height = 30;
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->Default = true;
    BitBtnOK->OnClick = [] { WriteLog("Usr:ok"); };
    OnShow = [this] { FormShow(); };
    OnClose = [](TCloseAction&) { WriteLog("Sys:PocketRepDg Close"); };
    static const char* const Keys[11] = {"StrType",    "StrToolNotFit", "StrClosedRegions", "StrOpenRegions",
                                         "StrSuccessAxis", "StrFailAxis", "StrStatus", "StrError", "StrOk",
                                         "StrUnknown", "StrCount"};
    LangRegisterForm("MeaRepDg", this, [this](const std::string& Key, const std::string& Value) {
        for (size_t i = 0; i < Texts.size(); ++i)
            if (Key == Keys[i]) Texts[i] = Value;
    });
}

TReportDialog::~TReportDialog() {
    LangUnregisterForm(this);
    if (ReportDialog == this) ReportDialog = nullptr;
}

void TReportDialog::FormShow() {
    WriteLog("Sys:PockerRepDg Open");
    // Row kinds and their status, as indexes into Texts.
    static const int Rows[6][2] = {{0, 6}, {1, 7}, {2, 8}, {3, 9}, {4, 8}, {5, 7}};
    for (int r = 0; r < 6; ++r) {
        StrGrid->Cells[0][size_t(r)] = Texts[size_t(Rows[r][0])];
        StrGrid->Cells[1][size_t(r)] = Texts[size_t(Rows[r][1])];
    }
    StrGrid->Cells[2][0] = Texts[10];
}

void CreateReportDialog() {
    delete ReportDialog;
    ReportDialog = new TReportDialog;
}

void ShowPocketReport(const TRegionCounts& Tot) {
    if (!ReportDialog) return;
    const int Counts[5] = {Tot.Failed, Tot.FinishCount, Tot.Open, Tot.CenterKept, Tot.CenterDropped};
    for (int r = 1; r <= 5; ++r) ReportDialog->StrGrid->Cells[2][size_t(r)] = std::to_string(Counts[r - 1]);
    ReportDialog->ShowModal();
}
