// The pocket dialog: name, depth, fill type and strategy, the main and rest tool with
// their fill parameters, the finishing direction and 3D corners.
#pragma once
#include <string>

#include "platform/Forms.h"

class TFillDialog : public TForm {
public:
    TFillDialog();
    ~TFillDialog() override;

    TEdit* EditOpPockName;
    TEdit* EditFeed;
    TEdit* EditDepth;
    TGroupBox* GrBoxFillType;
    TRadioButton *RBtnMeandr, *RBtnOffset, *RbtnSpiral;
    TGroupBox* GrBoxStrategy;
    TRadioButton *RBtnSingleTool, *RBtnDoubleTool, *RBtnSingleToolErr;
    TEdit* EditThinError;     // widen narrow places by, mm
    TEdit* EditAllError;      // widen the whole object by, mm
    TCheckBox* ChBoxCrossing;
    TGroupBox* GrBoxMainFill;
    TEdit* EditPresahSrafMm;  // main fill: overlap, allowance, angle (degrees)
    TEdit* EditPridSrafMm;
    TEdit* EditUhelSraf;
    TGroupBox* GrBoxSmallFill;
    TEdit* EditSmPresahSraf;  // fill with the smaller tool: overlap, allowance, angle
    TEdit* EditSmPridSraf;
    TEdit* EditSmUhelSraf;
    TGroupBox* GrBoxFinish;   // finishing direction
    TRadioButton* RBtnSousl;
    TRadioButton* RBtnNesousl;
    TCheckBox* ChBox3DCorner;
    TEdit* Edit3DAngle;
    TGroupBox *GrBoxMainTool, *GrBoxSmallTool;
    TPanel *ShapeColor, *ShapeSmallColor;
    TLabel *LabToolName, *LabDist, *LabLaName;
    TLabel *LabSmallToolName, *LabSmallDist, *LabSmallLaName;
    TImage* ImgPocket;
    TBitBtn *BitBtnOK, *BitBtnCancel;

    std::string StrBadTool = "Špatně zadaný nástroj!", StrDistance = "Odstup", StrNoTool = "Hladina bez nástroje!",
                StrNotUsed = "NEPOUŽIT", StrFillName = "Výplň objektu";

    // Enables the fields the chosen fill type and strategy use; the rest tool box.
    void Switch();
    // The tool boxes of the main layer La1 and the rest layer La2.
    void FillShowLaTool(int La1, int La2);
    void FillShowPicture();

private:
    void FormShow();
    void FormClose();
};

// The one instance, created at start-up (and again by the reset between tests).
extern TFillDialog* FillDialog;
// Replaces the instance with a new one in its design-time state.
void CreateFillDialog();
