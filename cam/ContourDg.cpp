#include "cam/ContourDg.h"

#include <cmath>

#include "cam/CamOpList.h"
#include "cam/CamOpUndo.h"
#include "cam/CamToolPick.h"
#include "commands/ComCommon.h"
#include "core/Global.h"
#include "core/Glob.h"
#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/Main.h"
#include "shell/UniLang.h"
#include "tools/ToolDg.h"

TContourDialog* ContourDialog = nullptr;

namespace {

bool ToolLayer(int La) { return La >= 1 && La <= ToolLayerCount; }

template <class T>
T* At(TForm* F, const char* Name, TControl* Parent, int L, int Tp, int W, int H, const char* Cap = nullptr) {
    T* C = F->Make<T>(Name, Parent);
    C->Left = L;
    C->Top = Tp;
    C->Width = W;
    C->Height = H;
    if (Cap) C->Caption = Cap;
    return C;
}

TLabel* Note(TForm* F, const char* Name, TControl* Parent, int L, int Tp, int W, const char* Cap) {
    return At<TLabel>(F, Name, Parent, L, Tp, W, 18, Cap);
}

TEdit* Edit(TForm* F, const char* Name, TControl* Parent, int L, int Tp, int W, const char* Text) {
    TEdit* E = At<TEdit>(F, Name, Parent, L, Tp, W, 24);
    E->Text = Text;
    return E;
}

bool DebugOn() { return MainForm && MainForm->DebugMode; }

std::string ImgFile(const char* Name) { return Glob.ProgramDir + "/Img/" + Name; }
// The plunge pictures live in the tool pictures' folder.
std::string PlungeImgFile(const char* Name) { return Glob.ProgramDir + "/img/" + Name; }

}  // namespace

TContourDialog::TContourDialog() : TForm("ContourDialog") {
    Caption = "Parametry obrábění kontury";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 660;
    Height = 500;

    PageControl = At<TPageControl>(this, "PageControl", nullptr, 8, 8, 452, 444);
    TabObrabeni = At<TTabSheet>(this, "TabObrabeni", PageControl, 0, 0, 444, 414, "Obrábění");
    TabZapich = At<TTabSheet>(this, "TabZapich", PageControl, 0, 0, 444, 414, "Zápich");

    // Machining page.
    TTabSheet* P = TabObrabeni;
    Note(this, "LabOpName", P, 8, 12, 60, "Název");
    EditOpConName = Edit(this, "EditOpConName", P, 80, 8, 200, "Kontura1");
    LabOpDepth = Note(this, "LabOpDepth", P, 8, 44, 66, "Hloubka");
    EditDepth = Edit(this, "EditDepth", P, 80, 40, 70, "1");
    labOpFeed = Note(this, "labOpFeed", P, 170, 44, 56, "Posuv");
    EditFeed = Edit(this, "EditFeed", P, 230, 40, 70, "1");
    GrBoxFillet = At<TGroupBox>(this, "GrBoxFillet", P, 8, 72, 428, 116, " Zaoblení ");
    ChBoxFillet = At<TCheckBox>(this, "ChBoxFillet", GrBoxFillet, 8, 22, 410, 20,
                                "Orig. před generováním kontury zaoblit.");
    Note(this, "LabFillet1", GrBoxFillet, 26, 44, 390, "(Vhodné pro razníky)");
    Note(this, "LabFillet2", GrBoxFillet, 26, 62, 390, "Poloměr = horní poloměr nástroje");
    Note(this, "LabFillet3", GrBoxFillet, 26, 80, 390, "s 3D vytažením rohu = spodní poloměr nástroje");
    GrBoxWhere = At<TGroupBox>(this, "GrBoxWhere", P, 8, 194, 428, 108, " Kde obrábět ");
    RBtnInside = At<TRadioButton>(this, "RBtnInside", GrBoxWhere, 8, 22, 180, 20, "Zevnitř / Vlevo");
    RBtnOutside = At<TRadioButton>(this, "RBtnOutside", GrBoxWhere, 8, 46, 180, 20, "Zvenčí / Vpravo");
    RBtnBoth = At<TRadioButton>(this, "RBtnBoth", GrBoxWhere, 8, 70, 180, 20, "Oboje");
    RBtnOutside->Checked = true;
    ChBoxInsideRevers = At<TCheckBox>(this, "ChBoxInsideRevers", GrBoxWhere, 196, 22, 224, 20,
                                      "Vnitřky z druhé strany");
    ChBoxInsideRevers->Checked = true;
    Note(this, "LabWhere1", GrBoxWhere, 196, 50, 224, "Otevřené pline a body vždy zvenčí");
    GrBoxHow = At<TGroupBox>(this, "GrBoxHow", P, 8, 308, 200, 84, " Jak obrábět ");
    RBtnSousledne = At<TRadioButton>(this, "RBtnSousledne", GrBoxHow, 8, 22, 180, 20, "Sousledně");
    RBtnNesousledne = At<TRadioButton>(this, "RBtnNesousledne", GrBoxHow, 8, 46, 180, 20, "Nesousledně");
    RBtnSousledne->Checked = true;
    Note(this, "LabAddition", P, 222, 320, 70, "Přídavek");
    EditPridavek = Edit(this, "EditPridavek", P, 296, 316, 70, "0");
    Note(this, "LabAdditionMm", P, 372, 320, 50, "[mm]");
    ChBox3DCorner = At<TCheckBox>(this, "ChBox3DCorner", P, 222, 350, 210, 20, "3D vytažení rohů do úhlu");
    Edit3DAngle = Edit(this, "Edit3DAngle", P, 240, 374, 60, "170");
    Note(this, "Lab3DAngleDeg", P, 306, 378, 30, "[°]");

    // Plunge page.
    P = TabZapich;
    GrBoxMethod = At<TGroupBox>(this, "GrBoxMethod", P, 8, 8, 290, 132, "Metoda");
    RbtnToolVert = At<TRadioButton>(this, "RbtnToolVert", GrBoxMethod, 8, 22, 274, 20, "Vertikálně (zápich v ose Z)");
    RBtnToolTang = At<TRadioButton>(this, "RBtnToolTang", GrBoxMethod, 8, 46, 274, 20,
                                    "Tangencialně (příjezd v osách XY)");
    RBtnToolRamp = At<TRadioButton>(this, "RBtnToolRamp", GrBoxMethod, 8, 70, 274, 20, "Po rampě (sestup v ose Z)");
    RBtnToolSpiral = At<TRadioButton>(this, "RBtnToolSpiral", GrBoxMethod, 8, 94, 274, 20,
                                      "Po šroubovici (sestup v ose Z)");
    RbtnToolVert->Checked = true;
    ImgToolPlunge = At<TImage>(this, "ImgToolPlunge", P, 306, 14, 130, 116);
    ImgToolPlunge->Stretch = true;
    GrBoxFeed = At<TGroupBox>(this, "GrBoxFeed", P, 8, 146, 428, 64, "Rychlost");
    EditToolPlungeFeed = Edit(this, "EditToolPlungeFeed", GrBoxFeed, 8, 22, 70, "0");
    RBtnToolFeedPercent = At<TRadioButton>(this, "RBtnToolFeedPercent", GrBoxFeed, 90, 22, 150, 20, "[%] z posuvu");
    RBtnToolFeedTime = At<TRadioButton>(this, "RBtnToolFeedTime", GrBoxFeed, 250, 22, 120, 20, "[mm/s]");
    RBtnToolFeedTime->Checked = true;
    const int GY = 216, GH = 190;
    GrBoxVert = At<TGroupBox>(this, "GrBoxVert", P, 8, GY, 428, GH, "Vetikálně");
    GrBoxTang = At<TGroupBox>(this, "GrBoxTang", P, 8, GY, 428, GH, "Tangenciálně");
    ChBoxTgIn = At<TCheckBox>(this, "ChBoxTgIn", GrBoxTang, 8, 22, 120, 20, "Nájezd");
    ChBoxTgOut = At<TCheckBox>(this, "ChBoxTgOut", GrBoxTang, 140, 22, 120, 20, "Výjezd");
    Note(this, "LabTangRad", GrBoxTang, 8, 54, 110, "R - Poloměr");
    EditTangRad = Edit(this, "EditTangRad", GrBoxTang, 124, 50, 60, "1");
    Note(this, "LabTangRadMm", GrBoxTang, 190, 54, 40, "[mm]");
    Note(this, "LabTangAngle", GrBoxTang, 8, 84, 110, "A - Úhel");
    EditTangAngle = Edit(this, "EditTangAngle", GrBoxTang, 124, 80, 60, "45");
    Note(this, "LabTangAngleDeg", GrBoxTang, 190, 84, 40, "[°]");
    ChBoxFromCenter = At<TCheckBox>(this, "ChBoxFromCenter", GrBoxTang, 8, 114, 410, 20,
                                    "Začátek a konec do středu objektu");
    Note(this, "LabFromCenter", GrBoxTang, 26, 138, 390, "(Pouze pro vnitřní kontury kružnic)");
    GrBoxRamp = At<TGroupBox>(this, "GrBoxRamp", P, 8, GY, 428, GH, "Po rampě");
    Note(this, "LabRampAngle", GrBoxRamp, 8, 26, 170, "A - Úhel rampy [°]");
    EditToolRampAngle = Edit(this, "EditToolRampAngle", GrBoxRamp, 184, 22, 60, "5");
    Note(this, "LabRampLength", GrBoxRamp, 8, 56, 170, "L - Délka rampy");
    EditToolRampLength = Edit(this, "EditToolRampLength", GrBoxRamp, 184, 52, 60, "0");
    Note(this, "LabRampNote1", GrBoxRamp, 8, 90, 410, "Pokud je délka 0, použije se pro");
    Note(this, "LabRampNote2", GrBoxRamp, 8, 108, 410, "otevřené objekty délka objektu");
    GrBoxSpiral = At<TGroupBox>(this, "GrBoxSpiral", P, 8, GY, 428, GH, "Po šroubovici");
    Note(this, "LabSpiralAngle", GrBoxSpiral, 8, 26, 170, "U - Úhel [°]");
    EditToolSpiralAngle = Edit(this, "EditToolSpiralAngle", GrBoxSpiral, 184, 22, 60, "5");
    Note(this, "LabSpiralPitch", GrBoxSpiral, 8, 56, 170, "P - Stoupání")->Visible = false;
    EditToolSpiralPitch = Edit(this, "EditToolSpiralPitch", GrBoxSpiral, 184, 52, 60, "1");
    EditToolSpiralPitch->Visible = false;
    Note(this, "LabSpiralRad", GrBoxSpiral, 8, 86, 170, "D - Průměr")->Visible = false;
    EditToolSpiralRad = Edit(this, "EditToolSpiralRad", GrBoxSpiral, 184, 82, 60, "0");
    EditToolSpiralRad->Visible = false;
    ChBoxSpiralLeft = At<TCheckBox>(this, "ChBoxSpiralLeft", GrBoxSpiral, 8, 116, 200, 20, "Vlevo");
    ChBoxSpiralLeft->Visible = false;
    ChBoxIgnoreDepthDiv = At<TCheckBox>(this, "ChBoxIgnoreDepthDiv", P, 8, 380, 300, 20, "Ignorovat dělení hloubky");
    ChBoxIgnoreDepthDiv->Visible = false;
    ChBoxIgnoreDepthDiv->NeverShown = true;
    for (TGroupBox* G : {GrBoxTang, GrBoxRamp, GrBoxSpiral}) G->Visible = false;

    // Tool group, picture and buttons.
    GrBoxTool = At<TGroupBox>(this, "GrBoxTool", nullptr, 468, 30, 184, 116, " Nástroj ");
    ShapeColor = At<TPanel>(this, "ShapeColor", GrBoxTool, 8, 24, 18, 18);
    LabToolName = Note(this, "LabToolName", GrBoxTool, 32, 24, 144, "");
    LabToolActive = Note(this, "LabToolActive", GrBoxTool, 8, 52, 168, "");
    LabDistFromOrig = Note(this, "LabDistFromOrig", GrBoxTool, 8, 80, 168, "");
    ImgContour = At<TImage>(this, "ImgContour", nullptr, 468, 154, 184, 200);
    ImgContour->Hint = "Klikni pro Help";
    ImgContour->Stretch = true;
    BitBtnOK = At<TBitBtn>(this, "BitBtnOK", nullptr, 468, 420, 88, 30, "OK");
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->Default = true;
    BitBtnCancel = At<TBitBtn>(this, "BitBtnCancel", nullptr, 564, 420, 88, 30, "Zrušit");
    BitBtnCancel->ModalResult = mrCancel;
    BitBtnCancel->Cancel = true;

    // Events.
    OnShow = [this] { FormShow(); };
    OnClose = [this](TCloseAction&) { FormClose(); };
    BitBtnOK->OnClick = [this] { BitBtnOKClick(); };
    BitBtnCancel->OnClick = [this] { BitBtnCancelClick(); };
    PressPicksTool({GrBoxTool, ShapeColor, LabToolName, LabToolActive, LabDistFromOrig},
                   [this] { BtnToolSelectClick(); });
    EditDepth->OnChange = [this] { EditDepthKeyUp(); };
    EditFeed->OnChange = [this] { EditDepthKeyUp(); };
    for (TRadioButton* R : {RBtnInside, RBtnOutside, RBtnBoth}) R->OnClick = [this] { RBtnInsideClick(); };
    ChBoxInsideRevers->OnClick = [this] { ChBoxInsideReversClick(); };
    RbtnToolVert->OnClick = [this] { SetPlunge(0); };
    RBtnToolTang->OnClick = [this] { SetPlunge(1); };
    RBtnToolRamp->OnClick = [this] { SetPlunge(2); };
    RBtnToolSpiral->OnClick = [this] { SetPlunge(3); };

    LangRegisterForm("ContourDg", this, [this](const std::string& Key, const std::string& Value) {
        if (Key == "StrBadTool") StrBadTool = Value;
        if (Key == "StrDistance") StrDistance = Value;
        if (Key == "StrNoTool") StrNoTool = Value;
    });
}

TContourDialog::~TContourDialog() {
    LangUnregisterForm(this);
    if (ContourDialog == this) ContourDialog = nullptr;
}

void TContourDialog::ShowDistance(int La, Extended D) {
    Extended Dist = 0;
    if (ToolLayer(La) && ToolDistLa(La, Dist, D, false))
        LabDistFromOrig->Caption = StrDistance + ": " + GeneralNumText(std::round(Dist * 1000) / 1000) + "mm";
    else
        LabDistFromOrig->Caption = StrBadTool;
}

void TContourDialog::ContourShowLaTool(int La) {
    if (!ToolLayer(La)) {
        LabDistFromOrig->Caption = StrBadTool;
        return;
    }
    const TTool& T = Glob.AutoLayNum ? WorkTools[La] : Glob.Tool[La];
    const TLayer& L = Glob.AutoLayNum ? WorkLayers[La] : Glob.TabLayer[La];
    LabToolActive->Caption = T.JmNastroje;
    ShapeColor->Color = L.Color;
    LabToolName->Caption = L.Name;
    if (MainForm && MainForm->PanelDraw) {
        MainForm->PanelDraw->Caption = L.Name;
        MainForm->PanelDraw->Color = L.Color;
    }
    if (!(Glob.AutoApplyToolOpen && !Glob.OpEdit)) {
        ShowDistance(La, ShowDepth);
        return;
    }
    PlungeToControls(T.Material.Zapich[poContour]);
    if (T.Material.Tech.Method == 1) RBtnSousledne->Click();
    if (T.Material.Tech.Method == 2) RBtnNesousledne->Click();
    ShowDistance(La, Depth);
}

void TContourDialog::ChooseContourLayer(int& La) {
    if (!Glob.AutoLayNum && !Glob.OpEdit) {
        // A drawing layer without a tool (65..68) gives the first tool layer, as the
        // builder's own choice does.
        La = ToolLayer(Glob.LayerDraw) ? Glob.LayerDraw : 1;
        return;
    }
    if (!ToolLayer(La)) La = 1;
    ProposeContourLayer(La);
    // The typed depth goes into the layer the operation will be cut on: written before
    // the choice, it would deepen the previous operation's layer when the choice moves on.
    if (Glob.AutoApplyToolOpen && ToolLayer(La)) DepthToTool(Depth, La, false);
}

void TContourDialog::ProposeContourLayer(int& La) {
    if (Glob.OpEdit) {
        const int Users = ToolLayer(ShowLa) ? LayerCamOpCount(uint8_t(ShowLa)) : 0;
        const int ShowTID = ToolLayer(ShowLa) ? Glob.Tool[ShowLa].TID : -1;
        if (Users > 1 && ShowTID != ContourTID)
            La = OpList.LastLa + 1;
        else if (Depth == ShowDepth || Users < 2)
            La = ShowLa;
        else
            La = OpList.LastLa + 1;
        return;
    }
    if (OpList.LastTID >= 0 && OpList.LastTID != ContourTID)
        La = OpList.LastLa + 1;
    else if (Depth != ShowDepth && ToolLayer(OpList.LastLa) && LayerHasCamOp(uint8_t(OpList.LastLa)))
        La = OpList.LastLa + 1;
    else
        La = OpList.LastLa;
}

void TContourDialog::ContourShowDepth(int La) {
    Extended D = 0;
    EditDepth->Text = ToolLayer(La) && MaxDepth(La, D, false) ? GeneralNumText(D) : "0";
}

void TContourDialog::PlungeToControls(const TToolPlunge& P) {
    TRadioButton* M[4] = {RbtnToolVert, RBtnToolTang, RBtnToolRamp, RBtnToolSpiral};
    M[P.Method < 4 ? P.Method : 0]->Click();
    EditToolPlungeFeed->Text = GeneralNumText(P.FeedPercent ? P.FeedPct : P.FeedTime);
    (P.FeedPercent ? RBtnToolFeedPercent : RBtnToolFeedTime)->Click();
    ChBoxTgIn->Checked = P.TangEntry;
    ChBoxTgOut->Checked = P.TangExit;
    ChBoxFromCenter->Checked = P.TangCenter;
    EditTangRad->Text = GeneralNumText(P.TangRad);
    EditTangAngle->Text = GeneralNumText(P.TangAngle);
    EditToolRampAngle->Text = GeneralNumText(P.RampAngle);
    EditToolRampLength->Text = GeneralNumText(P.RampLength);
    EditToolSpiralAngle->Text = GeneralNumText(P.SpiralAngle);
    EditToolSpiralPitch->Text = GeneralNumText(P.SpiralPitch);
    EditToolSpiralRad->Text = GeneralNumText(P.SpiralRad);
    ChBoxSpiralLeft->Checked = P.SpiralLeft;
    ChBoxIgnoreDepthDiv->Checked = P.IgnoreDepthDiv;
}

void TContourDialog::ControlsToPlunge(TToolPlunge& P) const {
    P.Method = RBtnToolTang->Checked ? 1 : RBtnToolRamp->Checked ? 2 : RBtnToolSpiral->Checked ? 3 : 0;
    Extended V = 0;
    P.FeedPercent = RBtnToolFeedPercent->Checked;
    if (StrToExtCalc(EditToolPlungeFeed->Text, V, false)) (P.FeedPercent ? P.FeedPct : P.FeedTime) = V;
    P.TangEntry = ChBoxTgIn->Checked;
    P.TangExit = ChBoxTgOut->Checked;
    P.TangCenter = ChBoxFromCenter->Checked;
    // A value that cannot be read keeps the tool's own.
    auto Read = [](const TEdit* E, Extended& Field) {
        Extended X = 0;
        if (StrToExtCalc(E->Text, X, false)) Field = X;
    };
    Read(EditTangRad, P.TangRad);
    Read(EditTangAngle, P.TangAngle);
    Read(EditToolRampAngle, P.RampAngle);
    Read(EditToolRampLength, P.RampLength);
    Read(EditToolSpiralAngle, P.SpiralAngle);
    Read(EditToolSpiralPitch, P.SpiralPitch);
    Read(EditToolSpiralRad, P.SpiralRad);
    P.SpiralLeft = ChBoxSpiralLeft->Checked;
    P.IgnoreDepthDiv = ChBoxIgnoreDepthDiv->Checked;
}

void TContourDialog::FormShow() {
    WriteLog("Sys:ContourDg Open");
    PageControl->ActivePageIndex = 0;
    SaveCamModeFlags();
    for (TControl* C : {static_cast<TControl*>(LabOpDepth), static_cast<TControl*>(EditDepth),
                        static_cast<TControl*>(labOpFeed), static_cast<TControl*>(EditFeed)})
        C->Enabled = Glob.AutoApplyToolOpen;
    WorkTools = Glob.Tool;
    WorkLayers = Glob.TabLayer;
    if (Glob.OpEdit) {
        if (OpList.Index >= 0 && OpList.Index < MaxCamOps) EditOpConName->Text = OpList.Cam[OpList.Index].Name;
        ShowLa = ContourLa;
        Extended D = 0;
        ShowDepth = StrToExtCalc(EditDepth->Text, D, false) ? D : 0;
    } else {
        ContourTID = OpList.LastTID;
        if (ToolLayer(ContourLa)) {
            ShapeColor->Color = WorkLayers[ContourLa].Color;
            LabToolName->Caption = WorkLayers[ContourLa].Name;
        }
        int Contours = 0;
        for (int i = 0; i < OpList.CamCnt && i < MaxCamOps; ++i)
            if (OpList.Cam[i].OpType == OpTypeContour) ++Contours;
        EditOpConName->Text = StrName + std::to_string(Contours + 1);
        Extended D = 0;
        if (!ToolLayer(ContourLa) || !MaxDepth(ContourLa, D, false)) D = 0;
        ShowLa = ContourLa;
        ShowDepth = D;
        EditDepth->Text = GeneralNumText(D);
        ChBox3DCorner->Checked = false;
    }
    Depth = ShowDepth;
    LabToolActive->Caption = ToolLayer(ContourLa) ? WorkTools[ContourLa].JmNastroje : StrNoTool;
    ShowDistance(ContourLa, ShowDepth);
    ChooseContourLayer(ContourLa);
    if (ToolLayer(ContourLa)) PlungeToControls(WorkTools[ContourLa].Material.Zapich[poContour]);
    ChBox3DCorner->Enabled = ChBoxInsideRevers->Checked;
    RBtnInsideClick();
}

void TContourDialog::FormClose() {
    const std::string OpName = OpList.Index >= 0 && OpList.Index < MaxCamOps ? OpList.Cam[OpList.Index].Name : "";
    WriteLog("Sys:ContourDg Close (OpJm:" + OpName + ", OpNum:" + std::to_string(OpList.Index) +
             ", La:" + std::to_string(ContourLa) + ", TID:" + std::to_string(ContourTID) + ")");
}

void TContourDialog::BitBtnOKClick() {
    WriteLog("Usr:ok");
    if (DebugOn()) DumpCamOps();
    if (!ToolLayer(ContourLa)) return;  // no tool to write into: the builder refuses the layer
    TTool& W = WorkTools[ContourLa];
    ControlsToPlunge(W.Material.Zapich[poContour]);
    // The depth services write the live pass table while the dialog is open: keep it.
    W.Pruchod = Glob.Tool[ContourLa].Pruchod;
    Glob.Tool[ContourLa] = W;
}

void TContourDialog::BitBtnCancelClick() { WriteLog("Usr:cancel"); }

void TContourDialog::BtnToolSelectClick() {
    WriteLog("Usr:Tool select");
    if (DebugOn()) DumpCamOps();
    if (!StrToExtCalc(EditDepth->Text, Depth, false)) Depth = -1;
    if (Glob.AutoLayNum) ChooseContourLayer(ContourLa);
    TCamToolPick Pick;
    Pick.La = ContourLa;
    Pick.LibTool = ContourLibTool;
    Pick.Depth = Depth;
    Pick.Library = Glob.AutoLayNum;
    Pick.Prepare = [this](TTool& T) { ControlsToPlunge(T.Material.Zapich[poContour]); };
    if (CamToolPickHook && CamToolPickHook(Pick)) {
        const int La = Pick.La, Lib = Pick.LibTool;
        if (Glob.AutoLayNum) {
            ContourLibTool = Lib;
            if (Lib >= 0 && Lib < int(Glob.ToolLib.size())) ContourTID = Glob.ToolLib[Lib].Tool.TID;
            ChooseContourLayer(ContourLa);
            if (ToolLayer(ContourLa) && Lib >= 0 && Lib < int(Glob.ToolLib.size())) {
                const auto Passes = WorkTools[ContourLa].Pruchod;
                WorkTools[ContourLa] = Glob.ToolLib[Lib].Tool;
                WorkTools[ContourLa].Pruchod = Passes;
            }
        } else if (ToolLayer(La)) {
            ContourLa = La;
            Glob.LayerDraw = uint8_t(La);
            WorkTools[La] = Glob.Tool[La];
            PlungeToControls(WorkTools[La].Material.Zapich[poContour]);
        }
        ContourShowLaTool(ContourLa);
    }
    ContourShowDepth(ContourLa);
    ComLayPanelUpdate();
    RestoreCamModeFlags();
}

void TContourDialog::EditDepthKeyUp() {
    Extended D = 0;
    if (StrToExtCalc(EditDepth->Text, D, false)) Depth = D;
    ChooseContourLayer(ContourLa);
    if (!ToolLayer(ContourLa)) return;
    ContourShowLaTool(ContourLa);
    ShowDistance(ContourLa, Depth);
}

void TContourDialog::RBtnInsideClick() {
    const char* F = "ImgContour4.png";
    if ((RBtnInside->Checked || RBtnOutside->Checked) && ChBoxInsideRevers->Checked)
        F = "ImgContour3.png";
    else if (RBtnInside->Checked)
        F = "ImgContour2.png";
    else if (RBtnOutside->Checked)
        F = "ImgContour1.png";
    ImgContour->PictureFile = ImgFile(F);
}

void TContourDialog::ChBoxInsideReversClick() {
    if (!ChBoxInsideRevers->Checked) ChBox3DCorner->Checked = false;
    ChBox3DCorner->Enabled = ChBoxInsideRevers->Checked;
    RBtnInsideClick();
}

void TContourDialog::SetPlunge(int Method) {
    TGroupBox* G[4] = {GrBoxVert, GrBoxTang, GrBoxRamp, GrBoxSpiral};
    const char* Pic[4] = {"ImgPlungeVert.bmp", "ImgPlungeTang.bmp", "ImgPlungeRamp.bmp", "ImgPlungeHelixCont.bmp"};
    if (Method < 0 || Method > 3) Method = 0;
    for (int i = 0; i < 4; ++i) G[i]->Visible = i == Method;
    ImgToolPlunge->PictureFile = PlungeImgFile(Pic[Method]);
}

void CreateContourDialog() {
    ContourDialog = RemakeForm<TContourDialog>();
}
