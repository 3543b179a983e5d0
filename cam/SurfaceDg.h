// The surfacing dialog: name, depth, where to machine (inside, on the edge, outside
// the contours) with the distance from the edge, the overlap, climb or conventional
// milling and the direction of the passes.
#pragma once
#include <cstdint>
#include <string>

#include "cam/FillDg.h"
#include "platform/Forms.h"

class TSurfaceDialog : public TForm {
public:
    TSurfaceDialog();
    ~TSurfaceDialog() override;

    TPageControl* PageControl;
    // The surfacing plunge, on the page "Zápich".
    TPocketPlunge Plunge;
    TEdit *EditOpSurfName, *EditDepth, *EditFeed;
    TLabel *LabOpDepth, *LabOpFeed;
    TGroupBox* GrBoxWhere;
    TRadioButton *RBtnInside, *RbtnEdge, *RbtnOutside;
    TLabel *LabDistover, *LabDistoverUnits;
    TEdit *EditDistOver, *EditPresahSraf;
    TGroupBox* GrBoxHow;
    TRadioButton *RBtnSousledne, *RBtnNesousledne;
    TGroupBox* GrBoxDir;
    TRadioButton *RbtnAlongX, *RbtnAlongY;
    TGroupBox* GrBoxTool;
    TPanel* ShapeColor;
    TLabel *LabToolName, *LabDistFromOrig, *LabLaName;
    TImage* ImgSurface;
    TBitBtn *BitBtnOK, *BitBtnCancel;

    std::string StrBadTool = "Špatně zadaný nástroj!", StrDistance = "Odstup", StrNoTool = "Hladina bez nástroje!",
                StrNotUsed = "NEPOUŽIT", StrSurface = "Povrch";
    // The distance text kept while "on the edge" greys the field.
    std::string DistText = "0";

    // Greys the distance on the edge (keeping its text) and gives it back otherwise.
    void Switch();
    void SurfaceDgShowLayer(int La);
    void SurfaceShowPicture();
    // A press on the tool box chooses the operation's layer and tool.
    void GrBoxToolMouseDown();
    // Library tool number of the operation's tool (the close log).
    int TID = -1;

private:
    int ShowLa = 1;  // the layer when the dialog was shown
    void BitBtnOKClick();
    void FormShow();
    void FormClose();
};

extern TSurfaceDialog* SurfaceDialog;
// The surfacing operation's tool layer, shared by the dialog and the builder.
extern uint8_t SurfaceLa;
void CreateSurfaceDialog();
