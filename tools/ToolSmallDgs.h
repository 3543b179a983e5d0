// Small modal dialogs of the tool code: the yes/no question, the choice of the layer a
// tool is copied from, and the common machining parameters of the job.
#pragma once
#include "platform/Forms.h"

// The caller puts the question into the caption; OK means yes.
class TConfirmDialog : public TForm {
public:
    TConfirmDialog();
    ~TConfirmDialog() override;
    TBitBtn *BitBtnYes, *BitBtnNo;
};

class TCopyFromToolDialog : public TForm {
public:
    TCopyFromToolDialog();
    ~TCopyFromToolDialog() override;
    TLabel *LabCopy, *LabT;
    TEdit* EditCopyFromTool;
    TBitBtn *BitBtnOK, *BitBtnCancel;
};

// "Společné parametry obrábění": Glob.SpolParObr; OK stores it.
class TGenParamDialog : public TForm {
public:
    TGenParamDialog();
    ~TGenParamDialog() override;
    TGroupBox* GBoxUnitVel;
    TRadioButton *RBtnMmPerSec, *RBtnMmPerMin;
    TLabel *LabCrossingRate, *LabMatCrossHeight, *LabClampCrossHeight, *LabPlungeHeight, *LabStartXYNote,
        *LabSizeNote, *LabMaterialNote, *LabNote;
    TEdit *EditRychloposuv, *EditVyskaMat, *EditVyskaUpin, *EditHeightToPlunge, *EditPocatekXY,
        *EditRozmerPolotovaru, *EditPoznamka;
    TComboBox* CboxMat;
    TBitBtn *BitBtnOK, *BitBtnCancel;
    std::string StrRapidmmps = "Rychloposuv [mm/s]", StrRapidmmpm = "Rychloposuv [mm/min]";

    void FormShow();
    void UnitClick(bool PerMin);
    void BitBtnOKClick();
};

// Called when OK has stored a new speed unit (the tool dialog updates its captions).
extern void (*GenParamUnitChanged)();

extern TConfirmDialog* ConfirmDialog;
extern TCopyFromToolDialog* CopyFromToolDialog;
extern TGenParamDialog* GenParamDialog;
void CreateConfirmDialog();
void CreateCopyFromToolDialog();
void CreateGenParamDialog();
// Shows the confirmation dialog with Question as its caption; true for yes.
bool ConfirmYes(const std::string& Question);
