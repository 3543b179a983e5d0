#include "cam/SurfaceDg.h"

#include <cmath>

#include "cam/CamOpList.h"
#include "cam/CamToolPick.h"
#include "cam/DgPlace.h"
#include "commands/ComCommon.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniLog.h"
#include "shell/UniLang.h"
#include "tools/ToolDg.h"

TSurfaceDialog* SurfaceDialog = nullptr;
uint8_t SurfaceLa = 1;


TSurfaceDialog::TSurfaceDialog() : TForm("SurfaceDialog") {
    Caption = "Přerovnání ploch";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 704;
    Height = 488;
    const TPlacer P{this};
    PageControl = P.Put<TPageControl>("PageControl", nullptr, 8, 8, 476, 444);
    TTabSheet* Pn = P.Put<TTabSheet>("TabObrab", PageControl, 0, 0, 468, 414, "Obrábění");
    TTabSheet* TabZapich = P.Put<TTabSheet>("TabZapich", PageControl, 0, 0, 468, 414, "Zápich");
    Plunge.Build(P, TabZapich, "", true);
    P.Put<TLabel>("LabOpName", Pn, 8, 12, 60, 18, "Název");
    EditOpSurfName = P.Put<TEdit>("EditOpSurfName", Pn, 80, 8, 200, 24);
    EditOpSurfName->Text = "Název operace";
    LabOpDepth = P.Put<TLabel>("LabOpDepth", Pn, 8, 44, 66, 18, "Hloubka");
    EditDepth = P.Put<TEdit>("EditDepth", Pn, 80, 40, 70, 24);
    EditDepth->Text = "1";
    LabOpFeed = P.Put<TLabel>("LabOpFeed", Pn, 170, 44, 56, 18, "Posuv");
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
    GrBoxTool = P.Put<TGroupBox>("GrBoxTool", nullptr, 492, 8, 204, 96, " Nástroj ");
    ShapeColor = P.Put<TPanel>("ShapeColor", GrBoxTool, 8, 24, 18, 18);
    LabToolName = P.Put<TLabel>("LabToolName", GrBoxTool, 32, 24, 156, 18, "Aktuální nástroj:");
    LabLaName = P.Put<TLabel>("LabLaName", GrBoxTool, 8, 48, 180, 18, "");
    LabDistFromOrig = P.Put<TLabel>("LabDistFromOrig", GrBoxTool, 8, 70, 180, 18, "Odstup:");
    ImgSurface = P.Put<TImage>("ImgSurface", nullptr, 492, 112, 204, 200);
    ImgSurface->Stretch = true;
    BitBtnOK = P.Put<TBitBtn>("BitBtnOK", nullptr, 492, 422, 98, 30, "OK");
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->Default = true;
    BitBtnCancel = P.Put<TBitBtn>("BitBtnCancel", nullptr, 598, 422, 98, 30, "Zrušit");
    BitBtnCancel->ModalResult = mrCancel;
    BitBtnCancel->Cancel = true;

    OnShow = [this] { FormShow(); };
    OnClose = [this](TCloseAction&) { FormClose(); };
    BitBtnOK->OnClick = [this] { BitBtnOKClick(); };
    PressPicksTool({GrBoxTool, ShapeColor, LabToolName, LabLaName, LabDistFromOrig}, [this] { GrBoxToolMouseDown(); });
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
    const TTool& T = Glob.Tool[La];
    LabToolName->Caption = T.JmNastroje;
    ShapeColor->Color = Glob.TabLayer[La].Color;
    LabLaName->Caption = Glob.TabLayer[La].Name;
    ShowDrawLayer(La);
    if (Glob.AutoApplyToolOpen && !Glob.OpEdit) {
        // A new operation takes the tool's plunge and cutting data.
        Plunge.Load(T.Material.Zapich[poSurface]);
        ApplyToolTech(T, RBtnSousledne, RBtnNesousledne, EditPresahSraf);
        const uint8_t Edge = T.Material.Tech.Edge;
        (Edge == 0 ? RBtnInside : Edge == 2 ? RbtnOutside : RbtnEdge)->Click();
        Extended D = 0;
        if (!StrToExtCalc(EditDepth->Text, D, false)) {
            LabDistFromOrig->Caption = "";
            return;
        }
    }
    LabDistFromOrig->Caption = ToolDistText(La, StrDistance, StrBadTool);
}

void TSurfaceDialog::FormShow() {
    WriteLog("Sys:SurfaceDg Open");
    SaveCamModeFlags();
    PageControl->ActivePageIndex = 0;
    EnableDepthAndFeed({LabOpDepth, EditDepth, LabOpFeed, EditFeed});
    ShowLa = SurfaceLa;
    if (Glob.OpEdit) {
        if (OpList.Index >= 0 && OpList.Index < OpList.CamCnt) EditOpSurfName->Text = OpList.Cam[OpList.Index].Name;
    } else {
        TID = OpList.LastTID;
        EditOpSurfName->Text = StrSurface + std::to_string(1 + CamOpCountOfType(OpTypeSurface));
        EditDistOver->Text = DistText = "0";
        EditPresahSraf->Text = "0";
    }
    EditDepth->Text = GeneralNumText(LayerDepth(SurfaceLa));
    Switch();
    SurfaceDgShowLayer(SurfaceLa);
    if (SurfaceLa >= 1 && SurfaceLa <= ToolLayerCount) Plunge.Load(Glob.Tool[SurfaceLa].Material.Zapich[poSurface]);
    SurfaceShowPicture();
}

void TSurfaceDialog::GrBoxToolMouseDown() {
    WriteLog("Usr:Select tool");
    if (const int La = PickToolFromBox(EditDepth, SurfaceLa, ShowLa, TID)) {
        SurfaceLa = uint8_t(La);
        SurfaceDgShowLayer(La);
        Plunge.Load(Glob.Tool[La].Material.Zapich[poSurface]);
    }
}

void TSurfaceDialog::BitBtnOKClick() {
    WriteLog("Usr:ok");
    if (SurfaceLa >= 1 && SurfaceLa <= ToolLayerCount) Plunge.Store(Glob.Tool[SurfaceLa].Material.Zapich[poSurface]);
}

void TSurfaceDialog::FormClose() {
    WriteLog("Sys:SurfaceDg Close (OpJm:" + EditOpSurfName->Text + ", OpNum:" + std::to_string(OpList.Index) +
             ", SurfaceLa:" + std::to_string(SurfaceLa) + ", TID:" + std::to_string(TID));
    RestoreCamModeFlags();
}

void CreateSurfaceDialog() {
    delete SurfaceDialog;
    SurfaceDialog = new TSurfaceDialog;
}
