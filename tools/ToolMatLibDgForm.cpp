// The library dialog's controls and their places.
#include <memory>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniLog.h"
#include "shell/StartupHooks.h"
#include "shell/UniLang.h"
#include "tools/FormPlace.h"
#include "tools/ToolMatLibDg.h"
#include "tools/UniRezPod.h"

TToolMatLibDialog* ToolMatLibDialog = nullptr;

namespace {

TLabel* Lab(TForm& F, const std::string& Name, const std::string& Caption, TControl* Parent, int L, int T, int W) {
    return MakeAt<TLabel>(F, Name, Caption, Parent, L, T, W, 20);
}

TEdit* Edit(TForm& F, const std::string& Name, TControl* Parent, int L, int T, int W) {
    return Place(F.Make<TEdit>(Name, Parent), L, T, W, 24);
}

constexpr int PageW = 480, PageH = 560, TreeW = 330, FilterW = 230, Gap = 8;

}  // namespace

TToolMatLibDialog::TToolMatLibDialog() : TForm("ToolMatLibDialog") {
    Caption = "Knihovna materiálu a nástrojů";
    BorderStyle = TBorderStyle::bsDialog;
    Width = Gap + PageW + Gap + TreeW + Gap + FilterW + Gap;
    Height = PageH + 62;
    Build();
    BelowGroupTitles(*this);
    RezPodRegisterForm(1, this);
    LangRegisterForm("ToolMatLibDg", this);
}

TToolMatLibDialog::~TToolMatLibDialog() {
    LangUnregisterForm(this);
    RezPodRegisterForm(1, nullptr);
    if (ToolMatLibDialog == this) ToolMatLibDialog = nullptr;
}

void TToolMatLibDialog::Build() {
    PageParams = Place(Make<TPageControl>("PageParams"), Gap, Gap, PageW, PageH);
    PageParams->TabsVisible = false;
    TabInfoGeo = Make<TTabSheet>("TabInfoGeo", PageParams);
    TabInfoGeo->Caption = "Info/Geo";
    TabRezPod = Make<TTabSheet>("TabRezPod", PageParams);
    TabRezPod->Caption = "RezPod";
    TabSheet1 = Make<TTabSheet>("TabSheet1", PageParams);
    TabSheet1->Caption = "Zápich";
    TabSheet2 = Make<TTabSheet>("TabSheet2", PageParams);
    TabSheet2->Caption = "Výstupy";
    BuildInfo();
    BuildRezPod();
    BuildZapich();
    BuildVystupy();
    BuildTreeAndFilter();
    BuildFoot();
}

void TToolMatLibDialog::BuildInfo() {
    TControl* P = TabInfoGeo;
    Lab(*this, "LabToolJmNastroje", "Jméno", P, 8, 14, 90);
    EditToolJmNastroje = Edit(*this, "EditToolJmNastroje", P, 100, 12, 364);
    Lab(*this, "LabToolMatNastroje", "Materiál", P, 8, 44, 90);
    EditToolMatNastroje = Edit(*this, "EditToolMatNastroje", P, 100, 42, 364);
    Lab(*this, "LabToolTType", "Typ", P, 8, 74, 90);
    CboxToolTType = Place(Make<TComboBox>("CboxToolTType", P), 100, 72, 190, 24);
    CboxToolTType->OnChange = [this] { CboxTTypeChange(); };
    Lab(*this, "LabToolTnum", "T", P, 308, 74, 18);
    EditToolTnum = Edit(*this, "EditToolTnum", P, 328, 72, 48);
    Lab(*this, "LabToolDnum", "D", P, 396, 74, 18);
    EditToolDnum = Edit(*this, "EditToolDnum", P, 416, 72, 48);
    ImgToolNastroj = Place(Make<TImage>("ImgToolNastroj", P), 8, 110, 180, 224);
    ImgToolNastroj->Stretch = true;
    struct TRow {
        const char *LName, *Caption, *EName;
        TLabel** L;
        TEdit** E;
    };
    const TRow rows[] = {
        {"LabToolDSpodni", "Ds = Spodní průměr", "EditToolDSpodni", &LabToolDSpodni, &EditToolDSpodni},
        {"LabToolR", "R  =  Rádius", "EditToolR", &LabToolR, &EditToolR},
        {"LabToolU", "U  =  Úhel", "EditToolU", &LabToolU, &EditToolU},
        {"LabToolV", "V =   Výška (nepovinná)", "EditToolV", &LabToolV, &EditToolV},
        {"LabToolDHorni", "Dh = Horní průměr", "EditToolDHorni", &LabToolDHorni, &EditToolDHorni},
        {"LabToolBrit", "B  =  Délka břitu", "EditToolBrit", &LabToolBrit, &EditToolBrit},
        {"LabToolPocetBritu", "Počet břitů", "EditToolPocetBritu", &LabToolPocetBritu, &EditToolPocetBritu},
    };
    int y = 112;
    for (const TRow& r : rows) {
        *r.L = Lab(*this, r.LName, r.Caption, P, 200, y + 2, 180);
        *r.E = Edit(*this, r.EName, P, 384, y, 80);
        y += 32;
    }
    BtnToolCalculateAngle = MakeAt<TButton>(*this, "BtnToolCalculateAngle", "Doplnit z V", P, 200, y + 4, 126, 28);
    BtnToolTest = MakeAt<TButton>(*this, "BtnToolTest", "Test", P, 338, y + 4, 126, 28);
}

void TToolMatLibDialog::BuildRezPod() {
    TControl* P = TabRezPod;
    struct TRow {
        const char *LName, *Caption, *EName;
        TLabel** L;
        TEdit** E;
        int Kind;
    };
    const TRow rows[] = {
        {"LabToolMaxSpindlePower", "Max zatížení vřetene [W]", "EditToolMaxSpindlePower", &LabToolMaxSpindlePower,
         &EditToolMaxSpindlePower, -1},
        {"LabToolMaxSpindleSpeed", "Max otáčky nástroje [ot/min]", "EditToolMaxSpindleSpeed", &LabToolMaxSpindleSpeed,
         &EditToolMaxSpindleSpeed, 0},
        {"LabToolN", "n - otáčky nástroje [ot/min]", "EditToolN", &LabToolN, &EditToolN, 1},
        {"LabToolVc", "Vc - Řezná rychlost [m/min]", "EditToolVc", &LabToolVc, &EditToolVc, 2},
        {"LabToolFz", "Fz - Posuv na zub [mm]", "EditToolFz", &LabToolFz, &EditToolFz, 3},
        {"LabToolFn", "Fn - Posuv na otáčku [mm]", "EditToolFn", &LabToolFn, &EditToolFn, 4},
        {"LabToolVf", "Vf - Posuv [mm/s]", "EditToolVf", &LabToolVf, &EditToolVf, 5},
        {"LabToolAp", "Ap - Max. hloubka", "EditToolAp", &LabToolAp, &EditToolAp, 6},
        {"LabToolAe", "Ae - Boční zatížení", "EditToolAe", &LabToolAe, &EditToolAe, 7},
    };
    int y = 14;
    for (const TRow& r : rows) {
        *r.L = Lab(*this, r.LName, r.Caption, P, 8, y + 2, 240);
        *r.E = Edit(*this, r.EName, P, 256, y, 110);
        if (r.Kind >= 0) {
            const int kind = r.Kind;
            // A value typed on an emptied page runs no calculation: nothing is known yet.
            (*r.E)->OnKeyUp = [this, kind](uint16_t&, uint8_t) {
                if (!NewNodeSelected) RezPodRecalc(kind, 1);
            };
        }
        y += 34;
    }
    SbtnToolApUnits = MakeAt<TSpeedButton>(*this, "SbtnToolApUnits", "[%]", P, 372, 14 + 7 * 34, 56, 24);
    SBtnToolAeUnits = MakeAt<TSpeedButton>(*this, "SBtnToolAeUnits", "[%]", P, 372, 14 + 8 * 34, 56, 24);
    SbtnToolApUnits->OnClick = [this] { UnitToggle(true); };
    SBtnToolAeUnits->OnClick = [this] { UnitToggle(false); };
    TGroupBox* G = MakeAt<TGroupBox>(*this, "GrBoxToolMillDir", " Směr frézování ", P, 8, 330, 420, 64);
    RbtnToolBothMill = MakeAt<TRadioButton>(*this, "RbtnToolBothMill", "Oboje", G, 8, 6, 110, 24);
    RBtnToolClimbMill = MakeAt<TRadioButton>(*this, "RBtnToolClimbMill", "Sousled.", G, 140, 6, 110, 24);
    RBtnToolConvMill = MakeAt<TRadioButton>(*this, "RBtnToolConvMill", "Nesousled.", G, 272, 6, 120, 24);
    ImgToolRezPod = Place(Make<TImage>("ImgToolRezPod", P), 8, 404, 420, 140);
}

void TToolMatLibDialog::BuildZapich() {
    TControl* P = TabSheet1;
    TabControlToolPlunge = Place(Make<TPageControl>("TabControlToolPlunge", P), 8, 8, 464, 30);
    const char* const objs[] = {"Body", "Otevřené", "Kontury", "Kapsa Hrub", "Kapsa Fin", "Povrch"};
    for (int k = 0; k < 6; ++k)
        Make<TTabSheet>("TabToolPlunge" + std::to_string(k), TabControlToolPlunge)->Caption = objs[k];
    TabControlToolPlunge->OnChange = [this] { TabControlPlungeChange(); };
    TGroupBox* M = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeMethod", " Metoda ", P, 8, 46, 300, 132);
    RbtnToolVert = MakeAt<TRadioButton>(*this, "RbtnToolVert", "Vertikálně (zápich v ose Z)", M, 8, 4, 280, 24);
    RBtnToolTang =
        MakeAt<TRadioButton>(*this, "RBtnToolTang", "Tangencialně (příjezd v osách XY)", M, 8, 30, 280, 24);
    RBtnToolRamp = MakeAt<TRadioButton>(*this, "RBtnToolRamp", "Po rampě (sestup v ose Z)", M, 8, 56, 280, 24);
    RBtnToolSpiral =
        MakeAt<TRadioButton>(*this, "RBtnToolSpiral", "Po šroubovici (sestup v ose Z)", M, 8, 82, 280, 24);
    TRadioButton* methods[] = {RbtnToolVert, RBtnToolTang, RBtnToolRamp, RBtnToolSpiral};
    for (int m = 0; m < 4; ++m) methods[m]->OnClick = [this, m] { SetPlunge(m); };
    ImgToolPlunge = Place(Make<TImage>("ImgToolPlunge", P), 318, 52, 154, 126);
    ImgToolPlunge->Stretch = true;
    TGroupBox* F = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeFeed", " Rychlost ", P, 8, 186, 464, 64);
    LabToolPlungeFeed = Lab(*this, "LabToolPlungeFeed", "Rychlost", F, 8, 6, 76);
    EditToolPlungeFeed = Edit(*this, "EditToolPlungeFeed", F, 88, 4, 90);
    RBtnToolFeedPercent = MakeAt<TRadioButton>(*this, "RBtnToolFeedPercent", "[%] z posuvu", F, 196, 4, 140, 24);
    RBtnToolFeedTime = MakeAt<TRadioButton>(*this, "RBtnToolFeedTime", "[mm/s]", F, 344, 4, 100, 24);
    const int gy = 258, gh = 230;
    GrBoxToolPlungeVert = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeVert", " Vetikálně ", P, 8, gy, 464, gh);
    Lab(*this, "LabToolVertNote", "Nástroj se zanoří svisle zápichovou rychlostí.", GrBoxToolPlungeVert, 8, 6, 440);
    GrBoxToolPlungeTang = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeTang", " Tangenciálně ", P, 8, gy, 464, gh);
    TControl* T = GrBoxToolPlungeTang;
    ChBoxToolTgIn = MakeAt<TCheckBox>(*this, "ChBoxToolTgIn", "Nájezd", T, 8, 4, 150, 24);
    ChBoxToolTgOut = MakeAt<TCheckBox>(*this, "ChBoxToolTgOut", "Výjezd", T, 168, 4, 150, 24);
    ChBoxToolFromCenter = MakeAt<TCheckBox>(*this, "ChBoxToolFromCenter", "Začátek a konec do středu objektu", T,
                                            8, 32, 400, 24);
    LabToolTangRad = Lab(*this, "LabToolTangRad", "R - Poloměr", T, 8, 68, 200);
    EditToolTangRad = Edit(*this, "EditToolTangRad", T, 220, 66, 100);
    LabToolTangAngle = Lab(*this, "LabToolTangAngle", "A - Úhel", T, 8, 100, 200);
    EditToolTangAngle = Edit(*this, "EditToolTangAngle", T, 220, 98, 100);
    GrBoxToolPlungeRamp = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeRamp", " Po rampě ", P, 8, gy, 464, gh);
    TControl* R = GrBoxToolPlungeRamp;
    LabToolRampAngle = Lab(*this, "LabToolRampAngle", "A - Úhel rampy [°]", R, 8, 6, 200);
    EditToolRampAngle = Edit(*this, "EditToolRampAngle", R, 220, 4, 100);
    LabToolRampLength = Lab(*this, "LabToolRampLength", "L - Délka rampy", R, 8, 38, 200);
    EditToolRampLength = Edit(*this, "EditToolRampLength", R, 220, 36, 100);
    Lab(*this, "LabToolRampNote1", "Pokud je délka 0, použije se pro", R, 8, 72, 440);
    Lab(*this, "LabToolRampNote2", "otevřené objekty délka objektu", R, 8, 92, 440);
    GrBoxToolPlungeSpiral =
        MakeAt<TGroupBox>(*this, "GrBoxToolPlungeSpiral", " Po šroubovici ", P, 8, gy, 464, gh);
    TControl* S = GrBoxToolPlungeSpiral;
    LabToolSpiralPitch = Lab(*this, "LabToolSpiralPitch", "A - Stoupání [mm]", S, 8, 6, 200);
    EditToolSpiralPitch = Edit(*this, "EditToolSpiralPitch", S, 220, 4, 100);
    LabToolSpiralAngle = Lab(*this, "LabToolSpiralAngle", "U - Úhel [°]", S, 8, 38, 200);
    EditToolSpiralAngle = Edit(*this, "EditToolSpiralAngle", S, 220, 36, 100);
    LabToolSpiralRad = Lab(*this, "LabToolSpiralRad", "D1 - Pr. šroubovice", S, 8, 70, 200);
    EditToolSpiralRad = Edit(*this, "EditToolSpiralRad", S, 220, 68, 100);
    EditToolSpiralRad->OnKeyUp = [this](uint16_t&, uint8_t) { SpiralRadToHoleRad(); };
    SbtnToolSpiralRadUnits = MakeAt<TSpeedButton>(*this, "SbtnToolSpiralRadUnits", "[mm]", S, 326, 68, 56, 24);
    SbtnToolSpiralRadUnits->OnClick = [this] { SbtnSpiralRadUnitsClick(); };
    LabToolHoleRad = Lab(*this, "LabToolHoleRad", "D2 - Průměr obrobení  [mm]", S, 8, 102, 210);
    EditToolHoleRad = Edit(*this, "EditToolHoleRad", S, 220, 100, 100);
    EditToolHoleRad->OnKeyUp = [this](uint16_t&, uint8_t) { HoleRadToSpiralRad(); };
    ChBoxToolSpiralupward = MakeAt<TCheckBox>(*this, "ChBoxToolSpiralupward", "Ze zdola nahoru", S, 8, 136, 200, 24);
    ChBoxToolSpiralupward->OnClick = [this] { SetPlungeType(TabControlToolPlunge->ActivePageIndex, 3); };
    ChBoxToolSpiralLeft = MakeAt<TCheckBox>(*this, "ChBoxToolSpiralLeft", "Levotočivě", S, 220, 136, 200, 24);
    // One method's group shows at a time, in the same place.
    for (TGroupBox* G : {GrBoxToolPlungeVert, GrBoxToolPlungeTang, GrBoxToolPlungeRamp, GrBoxToolPlungeSpiral}) {
        G->Stacked = true;
        G->Visible = G == GrBoxToolPlungeVert;
    }
}

void TToolMatLibDialog::BuildVystupy() {
    TControl* P = TabSheet2;
    TGroupBox* L = MakeAt<TGroupBox>(*this, "GrBoxToolLaser", " Laser ", P, 8, 8, 464, 100);
    ChBoxToolLaser = MakeAt<TCheckBox>(*this, "ChBoxToolLaser", "Použít", L, 8, 4, 200, 24);
    LabToolLaserTime = Lab(*this, "LabToolLaserTime", "Prodleva zapnutí [s]", L, 8, 38, 240);
    EditToolLaserTime = Edit(*this, "EditToolLaserTime", L, 260, 36, 100);
    TGroupBox* C = MakeAt<TGroupBox>(*this, "GrBoxToolCoolant", " Chlazení ", P, 8, 116, 464, 130);
    CBoxToolCoolantType = Place(Make<TComboBox>("CBoxToolCoolantType", C), 8, 4, 240, 24);
    LabToolChlazTime = Lab(*this, "LabToolChlazTime", "Prodleva pro spuštění [s]", C, 8, 38, 240);
    EditToolChlazTime = Edit(*this, "EditToolChlazTime", C, 260, 36, 100);
    ChBoxToolCoolCross = MakeAt<TCheckBox>(*this, "ChBoxToolCoolCross", "Chladit i při přejezdech", C, 8, 70, 300, 24);
    TGroupBox* O = MakeAt<TGroupBox>(*this, "GrBoxToolOfuk", " Ofuk nástroje ", P, 8, 254, 464, 130);
    ChBoxToolOfukUse = MakeAt<TCheckBox>(*this, "ChBoxToolOfukUse", "Použít", O, 8, 4, 200, 24);
    LabToolOfukCount = Lab(*this, "LabToolOfukCount", "Počet", O, 8, 38, 240);
    EditToolOfukCount = Edit(*this, "EditToolOfukCount", O, 260, 36, 100);
    LabToolOfukTime = Lab(*this, "LabToolOfukTime", "Délka ofuku [s]", O, 8, 72, 240);
    EditToolOfukTime = Edit(*this, "EditToolOfukTime", O, 260, 70, 100);
}

void TToolMatLibDialog::BuildTreeAndFilter() {
    const int x = Gap + PageW + Gap;
    PanelTree = Place(Make<TPanel>("PanelTree"), x, Gap, TreeW, PageH);
    RgRSortBy = MakeAt<TRadioGroup>(*this, "RgRSortBy", "Zobrazit podle", PanelTree, 0, 0, TreeW, 84);
    RgRSortBy->Items = {"Nástroj - materiál", "Materiál - nástroj"};
    RgRSortBy->ItemIndex = 0;
    RgRSortBy->OnClick = [this] { RgRSortByClick(); };
    GrBoxTree = MakeAt<TGroupBox>(*this, "GrBoxTree", "Materiály", PanelTree, 0, 92, TreeW, PageH - 92);
    TrVLibList = Place(Make<TTreeView>("TrVLibList", GrBoxTree), 6, 0, TreeW - 12, PageH - 92 - 28);
    TrVLibList->ReadOnly = true;
    TrVLibList->Font.Bold = true;
    TrVLibList->Indent = 20;
    TrVLibList->HideSelection = false;
    TrVLibList->OnChange = [this] { TrVLibListChange(); };

    const int fx = x + TreeW + Gap;
    PanelFilter = Place(Make<TPanel>("PanelFilter"), fx, Gap, FilterW, PageH);
    RGrJobType = MakeAt<TRadioGroup>(*this, "RGrJobType", "Nástroje pro", PanelFilter, 0, 0, FilterW, 84);
    RGrJobType->Items = {"Frézování", "Soustružení"};
    RGrJobType->ItemIndex = 0;
    RGrJobType->Enabled = false;
    RGrJobType->OnClick = [this] { RgRSortByClick(); };
    GrBoxTypes = MakeAt<TGroupBox>(*this, "GrBoxTypes", "Typy nástrojů", PanelFilter, 0, 92, FilterW, PageH - 92);
    SbtnShowAll = MakeAt<TButton>(*this, "SbtnShowAll", "Všechny / žádný", GrBoxTypes, 8, 2, FilterW - 16, 28);
    SbtnShowAll->OnClick = [this] { SbtnShowAllClick(); };
    for (int k = 0; k < 13; ++k) {
        ChBoxTType[size_t(k)] = MakeAt<TCheckBox>(*this, "ChBoxTType" + std::to_string(k), "", GrBoxTypes, 8,
                                                  38 + 28 * k, FilterW - 16, 24);
        ChBoxTType[size_t(k)]->Checked = true;
        ChBoxTType[size_t(k)]->OnClick = [this, k] { ChBoxTTypeClick(k); };
    }
    // The last box filters no type the program knows; it stays out of sight.
    ChBoxTType[12]->Visible = false;
}

void TToolMatLibDialog::BuildFoot() {
    const int y = Gap + PageH + 12, h = 30;
    SbtnSaveNew = MakeAt<TButton>(*this, "SbtnSaveNew", "Uložit jako nový", this, Gap, y, 170, h);
    SbtnSaveNew->OnClick = [this] { SbtnSaveNewClick(); };
    SbtnDelete = MakeAt<TButton>(*this, "SbtnDelete", "Smazat", this, Gap + 178, y, 150, h);
    SbtnDelete->OnClick = [this] { SbtnDeleteClick(); };
    SbtnExport = MakeAt<TButton>(*this, "SbtnExport", "Export", this, Gap + 336, y, 100, h);
    SbtnExport->OnClick = [this] { SbtnExportClick(); };
    SbtnImport = MakeAt<TButton>(*this, "SbtnImport", "Import", this, Gap + 444, y, 100, h);
    SbtnImport->OnClick = [this] { SbtnImportClick(); };
    SbtnOk = MakeAt<TBitBtn>(*this, "SbtnOk", "Ok", this, Width - Gap - 2 * 100 - 8, y, 100, h);
    SbtnOk->Default = true;
    SbtnOk->OnClick = [this] { SbtnOkClick(); };
    SbtnCancel = MakeAt<TBitBtn>(*this, "SbtnCancel", "Cancel", this, Width - Gap - 100, y, 100, h);
    SbtnCancel->Cancel = true;
    SbtnCancel->OnClick = [this] { SbtnCancelClick(); };
    Texts[0] = "Geometrie";
    Texts[1] = "[ Nový nástroj ]";
    Texts[2] = "[ Přidat materiál ]";
    Texts[3] = "[  Nový materiál  ]";
    Texts[4] = "Řezné pod.";
    Texts[5] = "Zápich";
    Texts[6] = "Výstupy";
    Texts[7] = "Výchozí hodnoty";
    OnShow = [this] { FormShow(); };
    OnClose = [](TCloseAction&) { WriteLog("Sys:ToolMatLibDg Close"); };
    ImgToolRezPod->PictureFile = ProgramDir + "/img/ImgToolTech.bmp";
}

void ShowToolMatLibDialog() {
    if (ToolMatLibDialog) ToolMatLibDialog->ShowModal();
}

void CreateToolMatLibDialogForm() {
    static std::unique_ptr<TToolMatLibDialog> Dlg;
    Dlg.reset();
    Dlg = std::make_unique<TToolMatLibDialog>();
    ToolMatLibDialog = Dlg.get();
    ShowToolLibDialogHook = [] { ShowToolMatLibDialog(); };
}
