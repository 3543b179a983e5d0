// The about box: version, date and the contact values of the optional file "Info"
// in the program folder (key=value lines, keys "Email" and "Phone").
#pragma once
#include <memory>
#include <string>

#include "platform/Forms.h"

class THelpDialog : public TForm {
public:
    THelpDialog();
    ~THelpDialog() override;

    TLabel *Label1, *Label2, *Label3, *Label4, *Label5;
    TLabel *LabEmail, *LabPhone, *LabEmailValue, *LabPhoneValue;
    TButton* Button1;  // opens the event log

    // Reads ProgramDir + "/Info" into the contact labels (nothing when it is missing).
    void Loadhelp();
    void Button1Click();
};

extern THelpDialog* HelpDialog;
// Makes the instance and lets the help menu item show it.
void CreateHelpDialog();
// Frees the instance (state between tests).
void FreeHelpDialog();
