// The pocket report: a small table of what the widening strategy could not do (regions
// the tool does not fit, centre lines dropped) beside what it made.
#pragma once
#include <array>
#include <string>

#include "cam/PocketFill.h"
#include "platform/Forms.h"

class TReportDialog : public TForm {
public:
    TReportDialog();
    ~TReportDialog() override;

    TStringGrid* StrGrid;
    TBitBtn* BitBtnOK;
    std::array<std::string, 11> Texts = {"Typ",        "Nástroj se nevejde",   "Uzavřené oblasti", "Otevřené oblasti",
                                         "Povedené středovky", "Nepovedené středovky", "Status", "Chyba", "OK",
                                         "??",         "Počet"};

private:
    void FormShow();
};

extern TReportDialog* ReportDialog;
void CreateReportDialog();
// Writes the counts into the third column and shows the report modally.
void ShowPocketReport(const TRegionCounts& Tot);
