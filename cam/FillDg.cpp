#include "cam/FillDg.h"

#include <algorithm>
#include <cmath>

#include "cam/CamOpList.h"
#include "cam/CamToolPick.h"
#include "cam/DgPlace.h"
#include "commands/ComCommon.h"
#include "core/Global.h"
#include "core/Glob.h"
#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"
#include "tools/ToolDg.h"
#include "tools/ToolDialog.h"
#include "tools/ToolFieldText.h"
#include "shell/Main.h"

TFillDialog* FillDialog = nullptr;

namespace {

// A fill parameter row: caption, field, unit.
TEdit* Row(const TPlacer& P, const char* Name, const char* LabName, TControl* Parent, int Tp, const char* Cap,
           const char* Txt, const char* Unit) {
    P.Text(LabName, Parent, 8, Tp + 4, 80, Cap);
    TEdit* E = P.Field(Name, Parent, 92, Tp, 60, Txt);
    P.Text((std::string(Name) + "Unit").c_str(), Parent, 158, Tp + 4, 36, Unit);
    return E;
}
bool ToolLayer(int La) { return La >= 1 && La <= ToolLayerCount; }

}  // namespace

TFillDialog::TFillDialog() : TForm("FillDialog") {
    Caption = "Výplně objektů";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 696;
    Height = 568;
    const TPlacer P{this};
    PageControl = P.Put<TPageControl>("PageControl", nullptr, 8, 8, 476, 516);
    TTabSheet* Pn = P.Put<TTabSheet>("TabObrab", PageControl, 0, 0, 468, 486, "Obrábění");
    TTabSheet* TabRough = P.Put<TTabSheet>("TabZapichRough", PageControl, 0, 0, 468, 486, "Zápich hrubování");
    TTabSheet* TabFin = P.Put<TTabSheet>("TabZapichFin", PageControl, 0, 0, 468, 486, "Zápich finish");
    PlungeRough.Build(P, TabRough, "Rough", true);
    PlungeFin.Build(P, TabFin, "Fin", false);
    P.Text("LabOpName", Pn, 8, 12, 60, "Název");
    EditOpPockName = P.Field("EditOpPockName", Pn, 80, 8, 200, "Výplň objektu1");
    LabOpDepth = P.Text("LabOpDepth", Pn, 8, 44, 66, "Hloubka");
    EditDepth = P.Field("EditDepth", Pn, 80, 40, 70, "1");
    LabOpFeed = P.Text("LabOpFeed", Pn, 170, 44, 56, "Posuv");
    EditFeed = P.Field("EditFeed", Pn, 230, 40, 70, "1");

    GrBoxFillType = P.Put<TGroupBox>("GrBoxTyp", Pn, 8, 72, 140, 100, " Typ výplní ");
    RBtnMeandr = P.Put<TRadioButton>("RBtnMeandr", GrBoxFillType, 8, 22, 124, 20, "Meandry");
    RBtnOffset = P.Put<TRadioButton>("RBtnOffset", GrBoxFillType, 8, 46, 124, 20, "Offsety");
    RbtnSpiral = P.Put<TRadioButton>("RbtnSpiral", GrBoxFillType, 8, 70, 124, 20, "Spirálně");
    RbtnSpiral->Visible = false;
    RBtnMeandr->Checked = true;

    GrBoxStrategy = P.Put<TGroupBox>("GrBoxStrategy", Pn, 156, 72, 302, 152, " Strategie ");
    RBtnSingleTool = P.Put<TRadioButton>("RBtnSingleTool", GrBoxStrategy, 8, 22, 280, 20, "Jedním nástrojem");
    RBtnDoubleTool = P.Put<TRadioButton>("RBtnDoubleTool", GrBoxStrategy, 8, 46, 280, 20,
                                         "Dvěmi nástroji = Zbytkové obrábění");
    RBtnSingleToolErr = P.Put<TRadioButton>("RBtnSingleToolErr", GrBoxStrategy, 8, 70, 220, 20,
                                            "Jedním  + rozšířit úzká místa o:");
    EditThinError = P.Field("EditThinError", GrBoxStrategy, 230, 68, 34, "0,03");
    P.Text("LabThinMm", GrBoxStrategy, 266, 72, 32, "[mm]");
    P.Text("LabWide", GrBoxStrategy, 26, 98, 200, "Rozšířit celý objekt o:");
    EditAllError = P.Field("EditAllError", GrBoxStrategy, 230, 94, 34, "0,03");
    P.Text("LabAllMm", GrBoxStrategy, 266, 98, 32, "[mm]");
    ChBoxCrossing = P.Put<TCheckBox>("ChBoxCrossing", GrBoxStrategy, 8, 124, 280, 20, "Přejezd po dně výplně");
    ChBoxCrossing->Checked = true;
    RBtnSingleTool->Checked = true;

    GrBoxMainFill = P.Put<TGroupBox>("GrBoxMainFill", Pn, 8, 232, 218, 112, " Výplň hlavním nástrojem ");
    EditPresahSrafMm = Row(P, "EditPresahSrafMm", "LabOverlapMain", GrBoxMainFill, 20, "Přesah", "0.1", "[mm]");
    EditPridSrafMm = Row(P, "EditPridSrafMm", "LabAdditionMain", GrBoxMainFill, 50, "Přídavek", "0.05", "[mm]");
    EditUhelSraf = Row(P, "EditUhelSraf", "LabAngleMain", GrBoxMainFill, 80, "Úhel", "90", "[°]");
    GrBoxSmallFill = P.Put<TGroupBox>("GrBoxSmallFill", Pn, 234, 232, 218, 112, " Výplň menším nástrojem ");
    EditSmPresahSraf = Row(P, "EditSmPresahSraf", "LabOverlapSmall", GrBoxSmallFill, 20, "Přesah", "0", "[mm]");
    EditSmPridSraf = Row(P, "EditSmPridSraf", "LabAdditionSmall", GrBoxSmallFill, 50, "Přídavek", "0", "[mm]");
    EditSmUhelSraf = Row(P, "EditSmUhelSraf", "LabAngleSmall", GrBoxSmallFill, 80, "Úhel", "135", "[°]");

    GrBoxFinish = P.Put<TGroupBox>("GrBoxFinish", Pn, 8, 352, 444, 108, " Finish ");
    RBtnSousl = P.Put<TRadioButton>("RBtnSousl", GrBoxFinish, 8, 22, 180, 20, "Sousledně");
    RBtnNesousl = P.Put<TRadioButton>("RBtnNesousl", GrBoxFinish, 8, 46, 180, 20, "Nesousledně");
    RBtnSousl->Checked = true;
    ChBox3DCorner = P.Put<TCheckBox>("ChBox3DCorner", GrBoxFinish, 8, 76, 220, 20, "3D vytažení rohů do úhlu");
    Edit3DAngle = P.Field("Edit3DAngle", GrBoxFinish, 232, 74, 60, "170");
    P.Text("Lab3DAngleDeg", GrBoxFinish, 298, 78, 30, "[°]");

    GrBoxMainTool = P.Put<TGroupBox>("GrBoxMainTool", nullptr, 492, 8, 196, 96, " Hlavní nástroj ");
    ShapeColor = P.Put<TPanel>("ShapeColor", GrBoxMainTool, 8, 24, 18, 18);
    LabToolName = P.Text("LabToolName", GrBoxMainTool, 32, 24, 156, "");
    LabLaName = P.Text("LabLaName", GrBoxMainTool, 8, 48, 180, "");
    LabDist = P.Text("LabDist", GrBoxMainTool, 8, 70, 180, "");
    GrBoxSmallTool = P.Put<TGroupBox>("GrBoxSmallTool", nullptr, 492, 112, 196, 96, " Menší nástroj ");
    ShapeSmallColor = P.Put<TPanel>("ShapeSmallColor", GrBoxSmallTool, 8, 24, 18, 18);
    LabSmallToolName = P.Text("LabSmallToolName", GrBoxSmallTool, 32, 24, 156, "");
    LabSmallLaName = P.Text("LabSmallLaName", GrBoxSmallTool, 8, 48, 180, "");
    LabSmallDist = P.Text("LabSmallDist", GrBoxSmallTool, 8, 70, 180, "");
    ImgPocket = P.Put<TImage>("ImgPocket", nullptr, 492, 216, 196, 240);
    ImgPocket->Stretch = true;
    BitBtnOK = P.Put<TBitBtn>("BitBtnOK", nullptr, 492, 494, 94, 30, "OK");
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->Default = true;
    BitBtnCancel = P.Put<TBitBtn>("BitBtnCancel", nullptr, 594, 494, 94, 30, "Zrušit");
    BitBtnCancel->ModalResult = mrCancel;
    BitBtnCancel->Cancel = true;

    OnShow = [this] { FormShow(); };
    OnClose = [this](TCloseAction&) { FormClose(); };
    BitBtnOK->OnClick = [this] { BitBtnOKClick(); };
    BitBtnCancel->OnClick = [] { WriteLog("Usr:cancel"); };
    for (TRadioButton* R : {RBtnMeandr, RBtnOffset, RbtnSpiral, RBtnSingleTool, RBtnDoubleTool, RBtnSingleToolErr})
        R->OnClick = [this] { Switch(); };
    ChBoxCrossing->OnClick = [this] { FillShowPicture(); };
    EditDepth->OnChange = [this] { FillShowLaTool(ShownLa1, ShownLa2); };
    EditFeed->OnChange = [this] { FillShowLaTool(ShownLa1, ShownLa2); };
    PressPicksTool({GrBoxMainTool, ShapeColor, LabToolName, LabLaName, LabDist}, [this] { GrBoxMainToolMouseDown(); });
    PressPicksTool({GrBoxSmallTool, ShapeSmallColor, LabSmallToolName, LabSmallLaName, LabSmallDist},
                   [this] { GrBoxSmallToolMouseDown(); });
    LangRegisterForm("FillDg", this, [this](const std::string& Key, const std::string& Value) {
        if (Key == "StrBadTool") StrBadTool = Value;
        if (Key == "StrDistance") StrDistance = Value;
        if (Key == "StrNoTool") StrNoTool = Value;
        if (Key == "StrNoUsed") StrNotUsed = Value;
    });
    Switch();
}

TFillDialog::~TFillDialog() {
    LangUnregisterForm(this);
    if (FillDialog == this) FillDialog = nullptr;
}

void TFillDialog::Switch() {
    const bool Mea = RBtnMeandr->Checked, Two = RBtnDoubleTool->Checked;
    EditThinError->Enabled = RBtnSingleToolErr->Checked;
    EditUhelSraf->Enabled = Mea;
    EditPridSrafMm->Enabled = !Two;
    EditSmUhelSraf->Enabled = Mea && Two;
    EditSmPridSraf->Enabled = Two;
    EditSmPresahSraf->Enabled = Two;
    for (TControl* C : {static_cast<TControl*>(ShapeSmallColor), static_cast<TControl*>(LabSmallLaName),
                        static_cast<TControl*>(LabSmallDist)})
        C->Visible = Two;
    LabSmallToolName->Enabled = Two;
    if (Two) {
        LabSmallToolName->Left = 6;
    } else {
        LabSmallToolName->Caption = StrNotUsed;
        LabSmallToolName->Left = 40;
    }
    FillShowPicture();
}

void TFillDialog::FillShowPicture() {
    const char* Name = RBtnMeandr->Checked           ? "ImgPocket1.png"
                       : RbtnSpiral->Checked         ? "ImgPocket4.png"
                       : ChBoxCrossing->Checked      ? "ImgPocket3.png"
                                                     : "ImgPocket2.png";
    ImgPocket->PictureFile = Glob.ProgramDir + "/Img/" + Name;
}

void TFillDialog::FillShowLaTool(int La1, int La2) {
    ShownLa1 = La1;
    ShownLa2 = La2;
    struct TBox {
        int La;
        TPanel* Shape;
        TLabel *Tool, *Name, *Dist;
        TRadioButton *Climb, *Conv;
        TEdit* Overlap;
        bool Rest;
    } Boxes[] = {{La1, ShapeColor, LabToolName, LabLaName, LabDist, RBtnSousl, RBtnNesousl, EditPresahSrafMm, false},
                 {La2, ShapeSmallColor, LabSmallToolName, LabSmallLaName, LabSmallDist, RBtnSousl, RBtnNesousl,
                  EditSmPresahSraf, true}};
    for (const TBox& B : Boxes) {
        if (B.Rest && !RBtnDoubleTool->Checked) continue;
        if (!ToolLayer(B.La)) {
            B.Tool->Caption = StrNoTool;
            B.Dist->Caption = StrBadTool;
            continue;
        }
        const TTool& T = Glob.Tool[B.La];
        B.Tool->Caption = T.JmNastroje;
        B.Shape->Color = Glob.TabLayer[B.La].Color;
        B.Name->Caption = Glob.TabLayer[B.La].Name;
        ShowDrawLayer(B.La);
        // A new operation takes the tool's cutting data; the rest tool's always do.
        if (!Glob.OpEdit && (B.Rest || Glob.AutoApplyToolOpen)) {
            ApplyToolTech(T, B.Climb, B.Conv, B.Overlap);
            Extended D = 0;
            if (!B.Rest && !StrToExtCalc(EditDepth->Text, D, false)) continue;
        }
        B.Dist->Caption = ToolDistText(B.La, StrDistance, StrBadTool);
    }
}

void TFillDialog::FormShow() {
    WriteLog("Sys:PocketDg Open");
    SaveCamModeFlags();
    PageControl->ActivePageIndex = 0;
    EnableDepthAndFeed({LabOpDepth, EditDepth, LabOpFeed, EditFeed});
    ShowLa1 = ShownLa1;
    if (Glob.OpEdit) {
        if (OpList.Index >= 0 && OpList.Index < OpList.CamCnt) EditOpPockName->Text = OpList.Cam[OpList.Index].Name;
    } else {
        TID1 = TID2 = OpList.LastTID;
        ChBox3DCorner->Checked = false;
        EditOpPockName->Text = StrFillName + std::to_string(1 + CamOpCountOfType(OpTypePocket));
    }
    EditDepth->Text = GeneralNumText(LayerDepth(ShownLa1));
    Switch();
    FillShowLaTool(ShownLa1, ShownLa2);
    // Roughing plunges are the main tool's; with two tools the rest tool finishes.
    if (ToolLayer(ShownLa1)) PlungeRough.Load(Glob.Tool[ShownLa1].Material.Zapich[poPocketRough]);
    if (ToolLayer(FinishLa())) PlungeFin.Load(Glob.Tool[FinishLa()].Material.Zapich[poPocketFin]);
}

int TFillDialog::FinishLa() const { return RBtnDoubleTool->Checked ? ShownLa2 : ShownLa1; }

void TFillDialog::BitBtnOKClick() {
    WriteLog("Usr:ok");
    if (ToolLayer(ShownLa1)) PlungeRough.Store(Glob.Tool[ShownLa1].Material.Zapich[poPocketRough]);
    if (ToolLayer(FinishLa())) PlungeFin.Store(Glob.Tool[FinishLa()].Material.Zapich[poPocketFin]);
}

int PickOperationTool(int ShownLa, int ShowLa, int& TID, Extended& Depth) {
    const TToolArr Saved = Glob.Tool;
    TCamToolPick Pick;
    Pick.Depth = Depth;
    Pick.Library = Glob.AutoLayNum;
    Pick.La = !Glob.AutoLayNum && !Glob.OpEdit ? Glob.LayerDraw : ShownLa;
    if (!ToolLayer(Pick.La)) Pick.La = 1;
    if (!CamToolPickHook || !CamToolPickHook(Pick)) {
        Glob.Tool = Saved;
        return 0;
    }
    int La = ShownLa;
    if (!Glob.AutoLayNum) {
        if (!ToolLayer(Pick.La)) return 0;
        La = Pick.La;
        Glob.LayerDraw = uint8_t(La);
    } else {
        TTool Lib;
        ToolLibToTool(Pick.LibTool, Lib);
        // A layer serving one operation (or already holding this tool) takes the new
        // tool; otherwise the next free layer does.
        if (Glob.OpEdit)
            La = ToolLayer(ShowLa) && (LayerCamOpCount(uint8_t(ShowLa)) < 2 || Glob.Tool[ShowLa].TID == Lib.TID)
                     ? ShowLa
                     : OpList.LastLa + 1;
        else
            La = OpList.LastTID >= 0 && OpList.LastTID != Lib.TID ? OpList.LastLa + 1 : OpList.LastLa;
        La = std::clamp(La, 1, ToolLayerCount);
        TID = Lib.TID;
        const auto Passes = Glob.Tool[La].Pruchod;
        Glob.Tool[La] = Lib;
        if (Glob.ToolLoc == 1) Glob.Tool[La].Pruchod = Passes;
    }
    Extended D = 0;
    if (MaxDepth(La, D, false)) Depth = D;
    return La;
}

int PickToolFromBox(TEdit* EditDepth, int ShownLa, int ShowLa, int& TID) {
    const uint8_t Layer = Glob.LayerDraw;
    Extended Depth = -1;
    if (!StrToExtCalc(EditDepth->Text, Depth, false)) Depth = -1;
    const int La = PickOperationTool(ShownLa, ShowLa, TID, Depth);
    if (!Glob.OpEdit) Glob.LayerDraw = Layer;
    if (Depth != -1) EditDepth->Text = GeneralNumText(Depth);
    ComLayPanelUpdate();
    RestoreCamModeFlags();
    return La;
}

void EnableDepthAndFeed(std::initializer_list<TControl*> Controls) {
    // Without AutoApplyToolOpen the depth is the layer tool's and is changed there.
    for (TControl* C : Controls) C->Enabled = Glob.AutoApplyToolOpen;
}

void TFillDialog::GrBoxMainToolMouseDown() {
    WriteLog("Usr:Select main tool");
    if (const int La = PickToolFromBox(EditDepth, ShownLa1, ShowLa1, TID1)) {
        FillShowLaTool(La, ShownLa2);
        PlungeRough.Load(Glob.Tool[La].Material.Zapich[poPocketRough]);
        if (ToolLayer(FinishLa())) PlungeFin.Load(Glob.Tool[FinishLa()].Material.Zapich[poPocketFin]);
    }
}

void TFillDialog::GrBoxSmallToolMouseDown() {
    if (!RBtnDoubleTool->Checked) return;
    WriteLog("Usr:Select rest tool");
    TCamToolPick Pick;
    Pick.La = ToolLayer(ShownLa2) ? ShownLa2 : 1;
    // The tool dialog's result does not matter: the tab left selected names the layer.
    if (!CamToolPickHook) return;
    CamToolPickHook(Pick);
    if (!ToolLayer(Pick.La)) return;
    Glob.SmallTool = uint8_t(Pick.La);
    FillShowLaTool(ShownLa1, Pick.La);
}

void TPocketPlunge::Build(const TPlacer& P, TControl* Tab, const std::string& Sfx, bool IsRough) {
    Rough = IsRough;
    auto N = [&Sfx](const char* Base) { return std::string(Base) + Sfx; };
    TGroupBox* Gm = P.Put<TGroupBox>(N("GrBoxMethod").c_str(), Tab, 8, 8, 300, 122, "Metoda");
    const char* Caps[4] = {"Vertikálně (zápich v ose Z)", "Tangencialně (příjezd v osách XY)",
                           "Po rampě (sestup v ose Z)", "Po šroubovici (sestup v ose Z)"};
    const char* Names[4] = {"RbtnToolVert", "RBtnToolTang", "RBtnToolRamp", "RBtnToolSpiral"};
    for (int i = 0; i < 4; ++i) Method[i] = P.Put<TRadioButton>(N(Names[i]).c_str(), Gm, 8, 22 + 24 * i, 284, 20, Caps[i]);
    Method[1]->Visible = false;
    Method[0]->Checked = true;
    TGroupBox* Gf = P.Put<TGroupBox>(N("GrBoxFeed").c_str(), Tab, 8, 136, 448, 52, "Rychlost");
    Feed = P.Field(N("EditToolPlungeFeed").c_str(), Gf, 8, 20, 70, "0");
    FeedPct = P.Put<TRadioButton>(N("RBtnToolFeedPercent").c_str(), Gf, 90, 22, 150, 20, "[%] z posuvu");
    FeedTime = P.Put<TRadioButton>(N("RBtnToolFeedTime").c_str(), Gf, 250, 22, 120, 20, "[mm/s]");
    FeedTime->Checked = true;
    TGroupBox* Gr = P.Put<TGroupBox>(N("GrBoxRamp").c_str(), Tab, 8, 194, 448, 116, "Po rampě");
    P.Text(N("LabRampAngle").c_str(), Gr, 8, 26, 170, "A - Úhel rampy [°]");
    RampAngle = P.Field(N("EditToolRampAngle").c_str(), Gr, 184, 22, 60, "5");
    P.Text(N("LabRampLength").c_str(), Gr, 8, 56, 170, "L - Délka rampy");
    RampLength = P.Field(N("EditToolRampLength").c_str(), Gr, 184, 52, 60, "0");
    P.Text(N("LabRampNote").c_str(), Gr, 8, 86, 430, "Pokud je délka 0, použije se délka objektu");
    TGroupBox* Gs = P.Put<TGroupBox>(N("GrBoxSpiral").c_str(), Tab, 8, 316, 448, 88, "Po šroubovici");
    P.Text(N("LabSpiralAngle").c_str(), Gs, 8, 26, 170, "U - Úhel [°]");
    SpiralAngle = P.Field(N("EditToolSpiralAngle").c_str(), Gs, 184, 22, 60, "5");
    SpiralRadLabel = P.Text(N("LabSpiralRad").c_str(), Gs, 8, 56, 170, "D1 - Pr. šroubovice");
    SpiralRad = P.Field(N("EditToolSpiralRad").c_str(), Gs, 184, 52, 60, "0");
    RampGroup = Gr;
    SpiralGroup = Gs;
    Picture = P.Put<TImage>(N("ImgToolPlunge").c_str(), Tab, 316, 14, 140, 116);
    Picture->Stretch = true;
    for (int i = 0; i < 4; ++i) Method[i]->OnClick = [this, i] { SetPlunge(i); };
    SetPlunge(0);
}

void TPocketPlunge::SetPlunge(int M) {
    // The helix of a pocket's roughing has its own diameter; the finishing one follows
    // the contour.
    const char* Pic[4] = {"ImgPlungeVert.bmp", "ImgPlungeTang.bmp", "ImgPlungeRamp.bmp",
                          Rough ? "ImgPlungeHelixPock.bmp" : "ImgPlungeHelixCont.bmp"};
    RampGroup->Visible = M == 2;
    SpiralGroup->Visible = M == 3;
    SpiralRad->Visible = SpiralRadLabel->Visible = Rough;
    Picture->PictureFile = Glob.ProgramDir + "/img/" + Pic[M];
}

void TPocketPlunge::Load(const TToolPlunge& T) {
    Method[T.Method < 4 ? T.Method : 0]->Click();
    (T.FeedPercent ? FeedPct : FeedTime)->Click();
    Feed->Text = GeneralNumText(T.FeedPercent ? T.FeedPct : T.FeedTime);
    RampAngle->Text = GeneralNumText(T.RampAngle);
    RampLength->Text = GeneralNumText(T.RampLength);
    SpiralAngle->Text = GeneralNumText(T.SpiralAngle);
    SpiralRad->Text = GeneralNumText(T.SpiralRad);
}

void TPocketPlunge::Store(TToolPlunge& T) const {
    for (uint8_t i = 0; i < 4; ++i)
        if (Method[i]->Checked) T.Method = i;
    T.FeedPercent = FeedPct->Checked;
    // A value that cannot be read keeps the tool's own.
    auto Read = [](const TEdit* E, Extended& Field) {
        Extended X = 0;
        if (StrToExtCalc(E->Text, X, false)) Field = X;
    };
    Read(Feed, T.FeedPercent ? T.FeedPct : T.FeedTime);
    Read(RampAngle, T.RampAngle);
    Read(RampLength, T.RampLength);
    Read(SpiralAngle, T.SpiralAngle);
    Read(SpiralRad, T.SpiralRad);
}

void TFillDialog::FormClose() {
    WriteLog("Sys:PocketDg Close (OpJm:" + EditOpPockName->Text + ", OpNum:" + std::to_string(OpList.Index) +
             ", La1:" + std::to_string(ShownLa1) + ", TID1:" + std::to_string(TID1) + ", La2:" +
             std::to_string(ShownLa2) + ", TID2:" + std::to_string(TID2));
    RestoreCamModeFlags();
}

void CreateFillDialog() {
    FillDialog = RemakeForm<TFillDialog>();
}

Extended LayerDepth(int La) {
    Extended D = 0;
    return ToolLayer(La) && MaxDepth(La, D, false) ? D : 0;
}

void ShowDrawLayer(int La) {
    if (!MainForm || !MainForm->PanelDraw || !ToolLayer(La)) return;
    MainForm->PanelDraw->Caption = Glob.TabLayer[La].Name;
    MainForm->PanelDraw->Color = Glob.TabLayer[La].Color;
}

void ApplyToolTech(const TTool& T, TRadioButton* Climb, TRadioButton* Conv, TEdit* Overlap) {
    const TToolTech& K = T.Material.Tech;
    if (K.Method == 1) Climb->Click();
    if (K.Method == 2) Conv->Click();
    Overlap->Text = K.AePercent ? ToolField::Short3(T.SpodniPrumer / 100 * K.Ae) : GeneralNumText(K.Ae);
}

int CamOpCountOfType(uint8_t OpType) {
    int N = 0;
    for (int i = 0; i < OpList.CamCnt && i < MaxCamOps; ++i)
        if (OpList.Cam[i].OpType == OpType) ++N;
    return N;
}

std::string ToolDistText(int La, const std::string& Distance, const std::string& BadTool) {
    Extended D = 0;
    if (!ToolLayer(La) || !ToolDistLa(La, D, -1, false)) return BadTool;
    return Distance + ": " + GeneralNumText(std::round(D * 1000) / 1000) + "mm";
}
