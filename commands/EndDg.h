// The end question of the main window: save the job, close without saving, or go back.
#pragma once
#include "platform/Forms.h"

class TEndDialog : public TForm {
public:
    TEndDialog();
    ~TEndDialog() override;

    TLabel* LabSaveFile;      // "Uložit soubor ?"
    TBitBtn* BitBtnYes;       // mrYes: save, then close
    TBitBtn* BitBtnNo;        // mrNo: close without saving
    TBitBtn* BitBtnReturn;    // mrRetry: stay in the program
};

extern TEndDialog* EndDialog;
// Replaces the instance with a new one in its design-time state.
void CreateEndDialog();
