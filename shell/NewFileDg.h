// The new-job wizard "Nový soubor": open a recently saved job, or describe the new one
// (kind, material, stock and where the drawing origin lies on it); finishing draws the
// stock outline on the stock layer.
#pragma once
#include <string>

#include "core/Types.h"
#include "platform/Forms.h"

class TMainForm;

class TNewFileDialog : public TForm {
public:
    TNewFileDialog();
    ~TNewFileDialog() override;

    TPageControl* PageControl;
    TTabSheet* TabNewFileOpt;       // 1 "Nový soubor"
    TTabSheet* TabSheetNewFileMat;  // 2 "Materiál"
    TTabSheet* TabSheet2;           // 3 "Polotovar"
    TRadioGroup* RGrJobType;
    TImage* ImgJobType;
    TListBox* LBoxFileHist;
    TCheckBox* ChBoxFullpath;
    TListBox* LBoxMat;
    TMemo* MemoTools;
    TRadioGroup* RGrStockShape;
    TImage* ImgStockShape;
    TGroupBox* GrBoxStockSizeNone;
    TGroupBox* GrBoxStockSizeBox;
    TEdit* EditStockX;
    TEdit* EditStockY;
    TEdit* EditStockZ;
    TLabel* LblStockX;
    TLabel* LblStockY;
    TLabel* LblStockZ;
    TLabel* LblStockZUnit;
    TGroupBox* GrBoxOrigin;
    TImage* ImgStockOrig;
    TRadioButton* Origin[9];  // RbtnLeftDown .. RbtnRightTop, origins 1..9
    TBitBtn* BitBtnOk;
    TBitBtn* BitBtnBack;

    // The page shown (0..2) and the handlers a user's actions run.
    void SetPage(int Page);
    void FormShow();
    void RGrJobTypeClick();
    void LBoxFileHistClick();
    void LBoxFileHistDblClick();
    void ChBoxFullpathClick();
    void LBoxMatClick();
    void RGrStockShapeClick();
    void SetOrigin(int Value);
    void BitBtnOkClick();
    void BitBtnBackClick();

    // The job kind chosen (0..3), or JobOpenRecent; the list shows the offered ones only.
    static constexpr int JobOpenRecent = 4;
    int JobChoice() const;
    void SetJobChoice(int Choice);

    int OriginValue = 1;
    Osy3D Size{0, 0, 0};  // the last accepted stock dimensions

private:
    bool Ready = false;
    bool Finish();
    bool OpenRecent();
    void OkForm(bool Last);
};

extern TNewFileDialog* NewFileDialog;
void CreateNewFileDialog();

// Opens a recent job from the wizard: the drawing and operations are replaced by the
// file's. False (and nothing replaced) when the file is not there.
bool LoadExisting(TMainForm& F, std::string Path);
