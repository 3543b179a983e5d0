// The pocket dialog: name, depth, fill type and strategy, the main and rest tool with
// their fill parameters, the finishing direction and 3D corners.
#pragma once
#include <initializer_list>
#include <string>

#include "core/Types.h"
#include "platform/Forms.h"

struct TPlacer;
struct TToolPlunge;

// The plunge controls of one pocket plunge (roughing or finishing), each on its page.
struct TPocketPlunge {
    TRadioButton* Method[4] = {};  // vertical, tangential (hidden), ramp, helix
    TEdit* Feed = nullptr;
    TRadioButton *FeedPct = nullptr, *FeedTime = nullptr;
    TEdit *RampAngle = nullptr, *RampLength = nullptr, *SpiralAngle = nullptr, *SpiralRad = nullptr;
    TControl *SpiralRadLabel = nullptr, *RampGroup = nullptr, *SpiralGroup = nullptr;
    TImage* Picture = nullptr;
    bool Rough = true;
    // Controls named with the suffix Sfx on the page Tab; Rough: the roughing page.
    void Build(const TPlacer& P, TControl* Tab, const std::string& Sfx, bool IsRough);
    // Shows the groups and the picture of plunge method M.
    void SetPlunge(int M);
    void Load(const TToolPlunge& T);
    void Store(TToolPlunge& T) const;
};

class TFillDialog : public TForm {
public:
    TFillDialog();
    ~TFillDialog() override;

    TPageControl* PageControl;
    // Roughing and finishing keep plunge controls of their own.
    TPocketPlunge PlungeRough, PlungeFin;
    TEdit* EditOpPockName;
    TEdit* EditFeed;
    TEdit* EditDepth;
    TLabel *LabOpDepth, *LabOpFeed;
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

    // The layers the tool boxes show (the builder's La1 and La2); a press on a tool box
    // chooses another.
    int ShownLa1 = 1, ShownLa2 = 2;
    // Library tool numbers of the main and the rest tool.
    int TID1 = -1, TID2 = -1;

    // A press on the main or the rest tool box.
    void GrBoxMainToolMouseDown();
    void GrBoxSmallToolMouseDown();

private:
    int ShowLa1 = 1;  // the main layer when the dialog was shown
    int FinishLa() const;
    void BitBtnOKClick();
    void FormShow();
    void FormClose();
};

// The main-tool choice of the machining dialogs: the tool dialog on layer ShownLa's tab, or
// the library dialogs with one layer per operation. ShowLa: the layer when the dialog was
// shown (an edit keeps it where it may). Depth: the operation's depth (-1 unknown), the
// chosen layer's deepest pass afterwards. Returns the chosen layer, 0 when cancelled (the
// tools are then put back).
int PickOperationTool(int ShownLa, int ShowLa, int& TID, Extended& Depth);
// A press on a machining dialog's tool box: PickOperationTool with the depth of EditDepth,
// which then shows the chosen layer's depth; the drawing layer of a new operation stays.
int PickToolFromBox(TEdit* EditDepth, int ShownLa, int ShowLa, int& TID);
// The depth and feed controls are enabled only with AutoApplyToolOpen.
void EnableDepthAndFeed(std::initializer_list<TControl*> Controls);

// The one instance, created at start-up (and again by the reset between tests).
extern TFillDialog* FillDialog;
// Replaces the instance with a new one in its design-time state.
void CreateFillDialog();
