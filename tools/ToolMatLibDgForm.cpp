// The library dialog's controls and their places.

#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/StartupHooks.h"
#include "shell/UniLang.h"
#include "tools/FormPlace.h"
#include "tools/ToolMatLibDg.h"
#include "tools/ToolPageBuild.h"
#include "tools/UniRezPod.h"

TToolMatLibDialog* ToolMatLibDialog = nullptr;

namespace {

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
    const auto Sheets = MakeToolSheets(*this, PageParams, {"TabInfoGeo", "TabRezPod", "TabSheet1", "TabSheet2"});
    TabInfoGeo = Sheets[0], TabRezPod = Sheets[1], TabSheet1 = Sheets[2], TabSheet2 = Sheets[3];
    BuildInfo();
    BuildRezPod();
    BuildZapich();
    BuildVystupy();
    BuildTreeAndFilter();
    BuildFoot();
}

void TToolMatLibDialog::BuildInfo() {
    ImgToolNastroj = BuildGeoPage(*this, TabInfoGeo, *this, {90, 100, 364, 190, 308, 396, "ImgToolNastroj", 180, 200});
    CboxToolTType->OnChange = [this] { CboxTTypeChange(); };
}

void TToolMatLibDialog::BuildRezPod() {
    // A value typed on an emptied page runs no calculation: nothing is known yet.
    BuildTechPage(*this, TabRezPod, *this, [this](int Kind) {
        if (!NewNodeSelected) RezPodRecalc(Kind, 1);
    });
    SbtnToolApUnits->OnClick = [this] { UnitToggle(true); };
    SBtnToolAeUnits->OnClick = [this] { UnitToggle(false); };
    ImgToolRezPod = Place(Make<TImage>("ImgToolRezPod", TabRezPod), 8, 404, 420, 140);
}

void TToolMatLibDialog::BuildZapich() {
    TControl* P = TabSheet1;
    BuildPlungeMethods(*this, P, *this, {"TabToolPlunge", 464, " Metoda ", 132}, [this](int M) { SetPlunge(M); });
    TabControlToolPlunge->OnChange = [this] { TabControlPlungeChange(); };
    ImgToolPlunge = Place(Make<TImage>("ImgToolPlunge", P), 318, 52, 154, 126);
    ImgToolPlunge->Stretch = true;
    TGroupBox* F = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeFeed", " Rychlost ", P, 8, 186, 464, 64);
    LabToolPlungeFeed = LabelAt(*this, "LabToolPlungeFeed", "Rychlost", F, 8, 6, 76);
    EditToolPlungeFeed = EditAt(*this, "EditToolPlungeFeed", F, 88, 4, 90);
    RBtnToolFeedPercent = MakeAt<TRadioButton>(*this, "RBtnToolFeedPercent", "[%] z posuvu", F, 196, 4, 140, 24);
    RBtnToolFeedTime = MakeAt<TRadioButton>(*this, "RBtnToolFeedTime", "[mm/s]", F, 344, 4, 100, 24);
    const int gy = 258, gh = 230;
    GrBoxToolPlungeVert = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeVert", " Vetikálně ", P, 8, gy, 464, gh);
    LabelAt(*this, "LabToolVertNote", "Nástroj se zanoří svisle zápichovou rychlostí.", GrBoxToolPlungeVert, 8, 6, 440);
    GrBoxToolPlungeTang = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeTang", " Tangenciálně ", P, 8, gy, 464, gh);
    TControl* T = GrBoxToolPlungeTang;
    ChBoxToolTgIn = MakeAt<TCheckBox>(*this, "ChBoxToolTgIn", "Nájezd", T, 8, 4, 150, 24);
    ChBoxToolTgOut = MakeAt<TCheckBox>(*this, "ChBoxToolTgOut", "Výjezd", T, 168, 4, 150, 24);
    ChBoxToolFromCenter = MakeAt<TCheckBox>(*this, "ChBoxToolFromCenter", "Začátek a konec do středu objektu", T,
                                            8, 32, 400, 24);
    LabToolTangRad = LabelAt(*this, "LabToolTangRad", "R - Poloměr", T, 8, 68, 200);
    EditToolTangRad = EditAt(*this, "EditToolTangRad", T, 220, 66, 100);
    LabToolTangAngle = LabelAt(*this, "LabToolTangAngle", "A - Úhel", T, 8, 100, 200);
    EditToolTangAngle = EditAt(*this, "EditToolTangAngle", T, 220, 98, 100);
    GrBoxToolPlungeRamp = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeRamp", " Po rampě ", P, 8, gy, 464, gh);
    TControl* R = GrBoxToolPlungeRamp;
    LabToolRampAngle = LabelAt(*this, "LabToolRampAngle", "A - Úhel rampy [°]", R, 8, 6, 200);
    EditToolRampAngle = EditAt(*this, "EditToolRampAngle", R, 220, 4, 100);
    LabToolRampLength = LabelAt(*this, "LabToolRampLength", "L - Délka rampy", R, 8, 38, 200);
    EditToolRampLength = EditAt(*this, "EditToolRampLength", R, 220, 36, 100);
    LabelAt(*this, "LabToolRampNote1", "Pokud je délka 0, použije se pro", R, 8, 72, 440);
    LabelAt(*this, "LabToolRampNote2", "otevřené objekty délka objektu", R, 8, 92, 440);
    GrBoxToolPlungeSpiral =
        MakeAt<TGroupBox>(*this, "GrBoxToolPlungeSpiral", " Po šroubovici ", P, 8, gy, 464, gh);
    TControl* S = GrBoxToolPlungeSpiral;
    LabToolSpiralPitch = LabelAt(*this, "LabToolSpiralPitch", "A - Stoupání [mm]", S, 8, 6, 200);
    EditToolSpiralPitch = EditAt(*this, "EditToolSpiralPitch", S, 220, 4, 100);
    LabToolSpiralAngle = LabelAt(*this, "LabToolSpiralAngle", "U - Úhel [°]", S, 8, 38, 200);
    EditToolSpiralAngle = EditAt(*this, "EditToolSpiralAngle", S, 220, 36, 100);
    LabToolSpiralRad = LabelAt(*this, "LabToolSpiralRad", "D1 - Pr. šroubovice", S, 8, 70, 200);
    EditToolSpiralRad = EditAt(*this, "EditToolSpiralRad", S, 220, 68, 100);
    EditToolSpiralRad->OnKeyUp = [this](uint16_t&, uint8_t) { SpiralRadToHoleRad(); };
    SbtnToolSpiralRadUnits = MakeAt<TSpeedButton>(*this, "SbtnToolSpiralRadUnits", "[mm]", S, 326, 68, 56, 24);
    SbtnToolSpiralRadUnits->OnClick = [this] { SbtnSpiralRadUnitsClick(); };
    LabToolHoleRad = LabelAt(*this, "LabToolHoleRad", "D2 - Průměr obrobení  [mm]", S, 8, 102, 210);
    EditToolHoleRad = EditAt(*this, "EditToolHoleRad", S, 220, 100, 100);
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
    BuildOutsPage(*this, TabSheet2, *this,
                  {464, " Laser ", 100, 116, 130, " Ofuk nástroje ", 254, 130, "LabToolLaserTime", "LabToolChlazTime"},
                  LabToolLaserTime, LabToolChlazTime);
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
    ToolMatLibDialog = RemakeForm<TToolMatLibDialog>();
    ShowToolLibDialogHook = [] { ShowToolMatLibDialog(); };
}
