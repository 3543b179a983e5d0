#include "cam/SurfaceDg.h"

#include <cmath>

#include "cam/CamOpList.h"
#include "cam/DgPlace.h"
#include "commands/ComCommon.h"
#include "core/Glob.h"
#include "core/UniLog.h"
#include "shell/UniLang.h"
#include "tools/ToolDg.h"

TSurfaceDialog* SurfaceDialog = nullptr;
uint8_t SurfaceLa = 1;


TSurfaceDialog::TSurfaceDialog() : TForm("SurfaceDialog") {
    Caption = "Přerovnání ploch";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 560;
    Height = 400;
    const TPlacer P{this};
    TPanel* Pn = P.Put<TPanel>("PanelObrab", nullptr, 8, 8, 340, 356);
    P.Put<TLabel>("LabOpName", Pn, 8, 12, 60, 18, "Název");
    EditOpSurfName = P.Put<TEdit>("EditOpSurfName", Pn, 80, 8, 200, 24);
    EditOpSurfName->Text = "Název operace";
    P.Put<TLabel>("LabOpDepth", Pn, 8, 44, 66, 18, "Hloubka");
    EditDepth = P.Put<TEdit>("EditDepth", Pn, 80, 40, 70, 24);
    EditDepth->Text = "1";
    P.Put<TLabel>("LabOpFeed", Pn, 170, 44, 56, 18, "Posuv");
    EditFeed = P.Put<TEdit>("EditFeed", Pn, 230, 40, 70, 24);
    EditFeed->Text = "1";
    GrBoxWhere = P.Put<TGroupBox>("GrBoxWhere", Pn, 8, 72, 324, 132, " Kde obrábět ");
    RBtnInside = P.Put<TRadioButton>("RBtnInside", GrBoxWhere, 8, 22, 140, 20, "Uvnitř");
    RbtnEdge = P.Put<TRadioButton>("RbtnEdge", GrBoxWhere, 8, 46, 140, 20, "Na hraně");
    RbtnOutside = P.Put<TRadioButton>("RbtnOutside", GrBoxWhere, 8, 70, 140, 20, "Zvenčí");
    RbtnEdge->Checked = true;
    LabDistover = P.Put<TLabel>("LabDistover", GrBoxWhere, 156, 24, 70, 18, "Od hrany");
    EditDistOver = P.Put<TEdit>("EditDistOver", GrBoxWhere, 228, 20, 50, 24);
    EditDistOver->Text = "0";
    LabDistoverUnits = P.Put<TLabel>("LabDistoverUnits", GrBoxWhere, 282, 24, 36, 18, "[mm]");
    P.Put<TLabel>("LabOverlap", GrBoxWhere, 156, 100, 70, 18, "Přesah");
    EditPresahSraf = P.Put<TEdit>("EditPresahSraf", GrBoxWhere, 228, 96, 50, 24);
    EditPresahSraf->Text = "0";
    P.Put<TLabel>("LabOverlapUnits", GrBoxWhere, 282, 100, 36, 18, "[mm]");
    GrBoxHow = P.Put<TGroupBox>("GrBoxHow", Pn, 8, 212, 158, 76, " Jak obrábět ");
    RBtnSousledne = P.Put<TRadioButton>("RBtnSousledne", GrBoxHow, 8, 22, 140, 20, "Sousledně");
    RBtnNesousledne = P.Put<TRadioButton>("RBtnNesousledne", GrBoxHow, 8, 46, 140, 20, "Nesousledně");
    RBtnSousledne->Checked = true;
    GrBoxDir = P.Put<TGroupBox>("GrBoxDir", Pn, 174, 212, 158, 76, "Směr obrábění");
    RbtnAlongX = P.Put<TRadioButton>("RbtnAlongX", GrBoxDir, 8, 22, 140, 20, "Podél X");
    RbtnAlongY = P.Put<TRadioButton>("RbtnAlongY", GrBoxDir, 8, 46, 140, 20, "Podél Y");
    RbtnAlongX->Checked = true;
    GrBoxTool = P.Put<TGroupBox>("GrBoxTool", nullptr, 356, 8, 196, 96, " Nástroj ");
    ShapeColor = P.Put<TPanel>("ShapeColor", GrBoxTool, 8, 24, 18, 18);
    LabToolName = P.Put<TLabel>("LabToolName", GrBoxTool, 32, 24, 156, 18, "Aktuální nástroj:");
    LabLaName = P.Put<TLabel>("LabLaName", GrBoxTool, 8, 48, 180, 18, "");
    LabDistFromOrig = P.Put<TLabel>("LabDistFromOrig", GrBoxTool, 8, 70, 180, 18, "Odstup:");
    ImgSurface = P.Put<TImage>("ImgSurface", nullptr, 356, 112, 196, 200);
    ImgSurface->Stretch = true;
    BitBtnOK = P.Put<TBitBtn>("BitBtnOK", nullptr, 356, 334, 94, 30, "OK");
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->Default = true;
    BitBtnCancel = P.Put<TBitBtn>("BitBtnCancel", nullptr, 458, 334, 94, 30, "Zrušit");
    BitBtnCancel->ModalResult = mrCancel;
    BitBtnCancel->Cancel = true;

    OnShow = [this] { FormShow(); };
    OnClose = [this](TCloseAction&) { FormClose(); };
    BitBtnOK->OnClick = [] { WriteLog("Usr:ok"); };
    BitBtnCancel->OnClick = [] { WriteLog("Usr:cancel"); };
    for (TRadioButton* R : {RBtnInside, RbtnEdge, RbtnOutside}) R->OnClick = [this] { Switch(); };
    LangRegisterForm("SurfaceDg", this);
    Switch();
}

TSurfaceDialog::~TSurfaceDialog() {
    LangUnregisterForm(this);
    if (SurfaceDialog == this) SurfaceDialog = nullptr;
}

void TSurfaceDialog::Switch() {
    const bool Edge = RbtnEdge->Checked;
    if (Edge) {
        if (EditDistOver->Enabled) DistText = EditDistOver->Text;
    } else if (!EditDistOver->Enabled) {
        EditDistOver->Text = DistText;
    }
    for (TControl* C : {static_cast<TControl*>(EditDistOver), static_cast<TControl*>(LabDistover),
                        static_cast<TControl*>(LabDistoverUnits)})
        C->Enabled = !Edge;
    SurfaceShowPicture();
}

void TSurfaceDialog::SurfaceShowPicture() {
    const char* Name = RBtnInside->Checked ? "ImgSurface0.png" : RbtnEdge->Checked ? "ImgSurface1.png" : "ImgSurface2.png";
    ImgSurface->PictureFile = Glob.ProgramDir + "/Img/" + Name;
}

void TSurfaceDialog::SurfaceDgShowLayer(int La) {
    if (La < 1 || La > ToolLayerCount) {
        LabToolName->Caption = StrNoTool;
        LabDistFromOrig->Caption = StrBadTool;
        return;
    }
    LabToolName->Caption = Glob.Tool[La].JmNastroje;
    ShapeColor->Color = Glob.TabLayer[La].Color;
    LabLaName->Caption = Glob.TabLayer[La].Name;
    LabDistFromOrig->Caption = ToolDistText(La, StrDistance, StrBadTool);
}

void TSurfaceDialog::FormShow() {
    WriteLog("Sys:SurfaceDg Open");
    SaveCamModeFlags();
}

void TSurfaceDialog::FormClose() {
    WriteLog("Sys:SurfaceDg Close (OpJm:" + EditOpSurfName->Text + ", OpNum:" + std::to_string(OpList.Index) +
             ", SurfaceLa:" + std::to_string(SurfaceLa));
    RestoreCamModeFlags();
}

void CreateSurfaceDialog() {
    delete SurfaceDialog;
    SurfaceDialog = new TSurfaceDialog;
}
