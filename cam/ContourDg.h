// The contour operation dialog: the machining parameters of a contour, the operation's
// tool layer with that layer's tool and cutting distance, and the layer tool's plunge
// settings for closed contours, which OK writes back into the tool.
#pragma once
#include <array>
#include <string>

#include "core/Glob.h"
#include "platform/Forms.h"
#include "core/ToolRecords.h"

class TContourDialog : public TForm {
public:
    TContourDialog();
    ~TContourDialog() override;

    TPageControl* PageControl;
    TTabSheet* TabObrabeni;        // page "Obrábění"
    TTabSheet* TabZapich;          // page "Zápich"
    TEdit* EditOpConName;          // operation name
    TLabel* LabOpDepth;
    TEdit* EditDepth;
    TLabel* labOpFeed;
    TEdit* EditFeed;
    TGroupBox* GrBoxFillet;
    TCheckBox* ChBoxFillet;
    TGroupBox* GrBoxWhere;         // where to machine: one radio group
    TRadioButton* RBtnInside;
    TRadioButton* RBtnOutside;
    TRadioButton* RBtnBoth;
    TCheckBox* ChBoxInsideRevers;  // inner contours of a region from the other side
    TGroupBox* GrBoxHow;           // climb or conventional milling
    TRadioButton* RBtnSousledne;
    TRadioButton* RBtnNesousledne;
    TEdit* EditPridavek;           // stock allowance, mm
    TCheckBox* ChBox3DCorner;
    TEdit* Edit3DAngle;            // degrees

    // Plunge page: the closed-contour plunge of the layer's tool.
    TGroupBox* GrBoxMethod;
    TRadioButton* RbtnToolVert;
    TRadioButton* RBtnToolTang;
    TRadioButton* RBtnToolRamp;
    TRadioButton* RBtnToolSpiral;
    TImage* ImgToolPlunge;
    TGroupBox* GrBoxFeed;
    TEdit* EditToolPlungeFeed;
    TRadioButton* RBtnToolFeedPercent;
    TRadioButton* RBtnToolFeedTime;
    TGroupBox* GrBoxVert;
    TGroupBox* GrBoxTang;
    TCheckBox* ChBoxTgIn;
    TCheckBox* ChBoxTgOut;
    TEdit* EditTangRad;
    TEdit* EditTangAngle;
    TCheckBox* ChBoxFromCenter;
    TGroupBox* GrBoxRamp;
    TEdit* EditToolRampAngle;
    TEdit* EditToolRampLength;
    TGroupBox* GrBoxSpiral;
    TEdit* EditToolSpiralAngle;
    TEdit* EditToolSpiralPitch;    // hidden for contours
    TEdit* EditToolSpiralRad;      // hidden for contours
    TCheckBox* ChBoxSpiralLeft;    // hidden for contours
    TCheckBox* ChBoxIgnoreDepthDiv;  // hidden

    TGroupBox* GrBoxTool;
    TPanel* ShapeColor;            // the layer's colour
    TLabel* LabToolName;           // layer name
    TLabel* LabToolActive;         // tool name
    TLabel* LabDistFromOrig;       // cutting distance
    TImage* ImgContour;
    TBitBtn* BitBtnOK;
    TBitBtn* BitBtnCancel;

    // Texts replaceable from the language file.
    std::string StrBadTool = "Špatně zadaný nástroj!";
    std::string StrDistance = "Odstup";
    std::string StrNoTool = "Hladina bez nástroje!";
    std::string StrName = "Kontura";

    // Dialog state.
    int ContourLa = 1;              // the operation's tool layer
    int ContourTID = -1;            // its library tool number
    int ContourLibTool = -1;        // library tool chosen in the dialog, -1 none
    Extended Depth = 0;             // depth typed in EditDepth
    int ShowLa = 0;                 // layer when the dialog was shown
    Extended ShowDepth = 0;         // depth when the dialog was shown
    TToolArr WorkTools;             // working copy of the layer tools
    std::array<TLayer, LayerCount + 1> WorkLayers;

    // Showing, closing and the buttons.
    void FormShow();
    void FormClose();
    void BitBtnOKClick();
    void BitBtnCancelClick();
    void BtnToolSelectClick();
    void EditDepthKeyUp();
    void RBtnInsideClick();
    void ChBoxInsideReversClick();
    void SetPlunge(int Method);

    // Shows layer La's tool, colour, name and cutting distance.
    void ContourShowLaTool(int La);
    // The layer of the operation in one-layer-per-operation mode or while editing; the
    // typed depth is written into the chosen layer's passes.
    void ChooseContourLayer(int& La);
    // The choice itself: a new operation moves to the layer after LastLa for another
    // tool or a changed depth on a used layer; an edited one stays unless it shares its
    // layer and changes the tool or the depth.
    void ProposeContourLayer(int& La);
    // The deepest pass of La's tool into EditDepth ("0" when there is none).
    void ContourShowDepth(int La);
    // The cutting-distance text for layer La at depth D.
    void ShowDistance(int La, Extended D);
    // The plunge controls from / into a plunge setting.
    void PlungeToControls(const TToolPlunge& P);
    void ControlsToPlunge(TToolPlunge& P) const;
};

// The one instance, created at start-up (and again by the reset between tests).
extern TContourDialog* ContourDialog;
// Replaces the instance with a new one in its design-time state.
void CreateContourDialog();
