// The tool dialog's controls and their places.
#include "tools/ToolDialog.h"

#include <cmath>

#include "core/Global.h"
#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "tools/ToolDg.h"
#include "tools/ToolSmallDgs.h"
#include "shell/UniLang.h"
#include "tools/FormPlace.h"
#include "tools/ToolPageBuild.h"
#include "tools/UniRezPod.h"

TToolDialog* ToolDialog = nullptr;

TToolDialog::TToolDialog() : TForm("ToolDialog") {
    Caption = "Parametry obrábění";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 1260;
    Height = 800;
    Build();
    BelowGroupTitles(*this);
    RezPodRegisterForm(0, this, [this] { PageControl1DrawTab(); });
    LangRegisterForm("ToolDg", this);
}

TToolDialog::~TToolDialog() {
    LangUnregisterForm(this);
    RezPodRegisterForm(0, nullptr);
    if (ToolDialog == this) ToolDialog = nullptr;
}

void TToolDialog::Build() {
    TabControl = Place(Make<TPageControl>("TabControl"), 8, 8, 1244, 30);
    for (int n = 1; n <= ToolLayerCount; ++n)
        Make<TTabSheet>("TabT" + std::to_string(n), TabControl)->Caption = "T" + std::to_string(n);
    TabControl->OnChange = [this] { TabControlChange(); };
    PageControl1 = Place(Make<TPageControl>("PageControl1"), 8, 46, 500, 700);
    const auto Sheets = MakeToolSheets(*this, PageControl1, {"TabInfo", "TabRezPod", "TabZapich", "TabVystupy"});
    TabInfo = Sheets[0], TabRezPod = Sheets[1], TabZapich = Sheets[2], TabVystupy = Sheets[3];
    BuildInfo();
    BuildRezPod();
    BuildZapich();
    BuildVystupy();
    BuildTech();
    BuildFoot();
}

void TToolDialog::BuildInfo() {
    ImgToolGeo = BuildGeoPage(*this, TabInfo, *this, {100, 110, 370, 200, 326, 412, "ImgToolGeo", 196, 216});
    CboxToolTType->OnChange = [this] {
        SetToolTypeControls(CboxToolTType->ItemIndex);
        RezPodRecalcAll(0);
    };
    for (TEdit* E : {EditToolDSpodni, EditToolR, EditToolU, EditToolV, EditToolDHorni, EditToolBrit,
                     EditToolPocetBritu})
        E->OnKeyUp = [this](uint16_t&, uint8_t) { RezPodRecalcAll(0); };
    BtnToolCalculateAngle->OnClick = [this] { BtnToolCalculateAngleClick(); };
    BtnToolTest->OnClick = [this] { BtnToolTestClick(); };
    LabToolTID = LabelAt(*this, "LabToolTID", "-1", TabInfo, 8, 344, 80);
    LabToolTID->Visible = false;
}

void TToolDialog::BuildRezPod() {
    BuildTechPage(*this, TabRezPod, *this, [](int Kind) { RezPodRecalc(Kind, 0); });
    auto lowerDia = [this] {
        Extended ds = 0;
        if (!StrToExtCalc(EditToolDSpodni->Text, ds, false) || !std::isfinite(ds)) ds = 0;
        return ds;
    };
    SbtnToolApUnits->OnClick = [this, lowerDia] {
        UnitClick(SbtnToolApUnits, EditToolAp, ToolTmp[CurLayer()].Material.Tech.ApPercent, lowerDia());
    };
    SBtnToolAeUnits->OnClick = [this, lowerDia] {
        UnitClick(SBtnToolAeUnits, EditToolAe, ToolTmp[CurLayer()].Material.Tech.AePercent, lowerDia());
    };
}

void TToolDialog::BuildZapich() {
    TControl* P = TabZapich;
    BuildPlungeMethods(*this, P, *this, {"TabPlunge", 476, " Způsob zápichu ", 162}, [this](int M) { SetPlunge(M); });
    TabControlToolPlunge->OnChange = [this] { TabControlToolPlungeChange(); };
    ImgPlunge = Place(Make<TImage>("ImgPlunge", P), 318, 52, 166, 156);
    ImgPlunge->Stretch = true;
    TGroupBox* F = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeFeed", " Rychlost ", P, 8, 216, 476, 76);
    EditToolPlungeFeed = EditAt(*this, "EditToolPlungeFeed", F, 8, 6, 100);
    EditToolPlungeFeed->OnKeyUp = [this](uint16_t&, uint8_t) { RezPodRecalc(6, 0); };
    RBtnToolFeedTime = MakeAt<TRadioButton>(*this, "RBtnToolFeedTime", "[mm/s]", F, 130, 6, 100, 24);
    RBtnToolFeedPercent = MakeAt<TRadioButton>(*this, "RBtnToolFeedPercent", "[%] z posuvu", F, 250, 6, 150, 24);
    RBtnToolFeedTime->OnClick = [this] { FeedUnitSwitch(false); };
    RBtnToolFeedPercent->OnClick = [this] { FeedUnitSwitch(true); };
    const int gy = 300, gh = 290;
    GrBoxToolPlungeVert = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeVert", " Vertikálně ", P, 8, gy, 476, gh);
    LabelAt(*this, "LabToolVertNote", "Nástroj se zanoří svisle zápichovou rychlostí.", GrBoxToolPlungeVert, 8, 8, 440);
    GrBoxToolPlungeTang = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeTang", " Tangencialně ", P, 8, gy, 476, gh);
    LabToolArcRadius = LabelAt(*this, "LabToolArcRadius", "R - Poloměr", GrBoxToolPlungeTang, 8, 10, 200);
    EditTangRad = EditAt(*this, "EditTangRad", GrBoxToolPlungeTang, 220, 8, 100);
    LabToolArcAngle = LabelAt(*this, "LabToolArcAngle", "A - Úhel", GrBoxToolPlungeTang, 8, 42, 200);
    EditTangAngle = EditAt(*this, "EditTangAngle", GrBoxToolPlungeTang, 220, 40, 100);
    ChBoxTgIn = MakeAt<TCheckBox>(*this, "ChBoxTgIn", "Tangenciální nájezd", GrBoxToolPlungeTang, 8, 76, 300, 24);
    ChBoxTgOut = MakeAt<TCheckBox>(*this, "ChBoxTgOut", "Tangenciální výjezd", GrBoxToolPlungeTang, 8, 104, 300, 24);
    ChBoxFromCenter = MakeAt<TCheckBox>(*this, "ChBoxFromCenter", "Začátek a konec ve středu objektu",
                                           GrBoxToolPlungeTang, 8, 132, 360, 24);
    GrBoxToolPlungeRamp = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeRamp", " Po rampě ", P, 8, gy, 476, gh);
    LabToolRampAngle = LabelAt(*this, "LabToolRampAngle", "A - Úhel rampy [°]", GrBoxToolPlungeRamp, 8, 10, 200);
    EditToolRampAngle = EditAt(*this, "EditToolRampAngle", GrBoxToolPlungeRamp, 220, 8, 100);
    LabToolRampLength = LabelAt(*this, "LabToolRampLength", "L - Délka rampy", GrBoxToolPlungeRamp, 8, 42, 200);
    EditToolRampLength = EditAt(*this, "EditToolRampLength", GrBoxToolPlungeRamp, 220, 40, 100);
    GrBoxToolPlungeSpiral = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeSpiral", " Po šroubovici ", P, 8, gy, 476, gh);
    TControl* S = GrBoxToolPlungeSpiral;
    LabToolSpiralRad = LabelAt(*this, "LabToolSpiralRad", "D1 - Pr. šroubovice", S, 8, 10, 200);
    EditToolSpiralRad = EditAt(*this, "EditToolSpiralRad", S, 220, 8, 100);
    EditToolSpiralRad->OnKeyUp = [this](uint16_t&, uint8_t) { SpiralRadToHoleRad(); };
    SbtnToolSpiralRadUnits = MakeAt<TSpeedButton>(*this, "SbtnToolSpiralRadUnits", "[%]", S, 326, 8, 56, 24);
    SbtnToolSpiralRadUnits->OnClick = [this] {
        TTool& T = ToolTmp[CurLayer()];
        UnitClick(SbtnToolSpiralRadUnits, EditToolSpiralRad, T.Material.Zapich[size_t(CurPlunge)].SpiralRadPercent,
                  T.SpodniPrumer);
    };
    LabToolHoleRad = LabelAt(*this, "LabToolHoleRad", "D2 - Průměr obrobení  [mm]", S, 8, 42, 200);
    EditToolHoleRad = EditAt(*this, "EditToolHoleRad", S, 220, 40, 100);
    EditToolHoleRad->OnKeyUp = [this](uint16_t&, uint8_t) { HoleRadToSpiralRad(); };
    LabToolSpiralPitch = LabelAt(*this, "LabToolSpiralPitch", "A - Stoupání [mm]", S, 8, 74, 200);
    EditToolSpiralPitch = EditAt(*this, "EditToolSpiralPitch", S, 220, 72, 100);
    LabToolSpiralAngle = LabelAt(*this, "LabToolSpiralAngle", "U - Úhel [°]", S, 8, 106, 200);
    EditToolSpiralAngle = EditAt(*this, "EditToolSpiralAngle", S, 220, 104, 100);
    ChBoxToolSpiralupward = MakeAt<TCheckBox>(*this, "ChBoxToolSpiralupward", "Ze zdola nahoru", S, 8, 140, 300, 24);
    ChBoxToolSpiralLeft = MakeAt<TCheckBox>(*this, "ChBoxToolSpiralLeft", "Levotočivě", S, 8, 168, 300, 24);
    ChBoxIgnoreDepthDiv = MakeAt<TCheckBox>(*this, "ChBoxIgnoreDepthDiv", "Ignorovat dělení hloubky na průchody",
                                               P, 8, gy + gh + 8, 440, 24);
}

void TToolDialog::BuildVystupy() {
    BuildOutsPage(*this, TabVystupy, *this,
                  {476, " Laser, vodní paprsek, plasma ", 118, 134, 146, " Ofuk nástroje po vyjetí z řezu ", 288, 146,
                   "LabToolLaserWaitStart", "LabToolCoolantTime"},
                  LabToolLaserWaitStart, LabToolCoolantTime);
}

void TToolDialog::BuildTech() {
    GrBoxTech = MakeAt<TGroupBox>(*this, "GrBoxTech", " Technologie ", this, 516, 46, 736, 700);
    TControl* G = GrBoxTech;
    const char* const heads[] = {"Průchod", "Hloubka", "Zápich", "Posuv", "Otáčky"};
    const int colX[] = {4, 74, 146, 218, 290};
    for (int c = 0; c < 5; ++c) LabelAt(*this, std::string("LabLayHead") + heads[c], heads[c], G, colX[c], 2, 70)->Height = 18;
    LabelAt(*this, "LabLayDepthUnit", "[mm]", G, colX[1], 20, 70);
    LabLayPlungeUnit = LabelAt(*this, "LabLayPlungeUnit", "[mm/s]", G, colX[2], 20, 70);
    LabLayFeedUnit = LabelAt(*this, "LabLayFeedUnit", "[mm/s]", G, colX[3], 20, 70);
    LabelAt(*this, "LabLaySpeedUnit", "[1/min]", G, colX[4], 20, 70);
    StrGridLayParam = Place(Make<TStringGrid>("StrGridLayParam", G), 4, 42, 400, 250);
    StrGridLayParam->SetSize(5, MaxPruchod);
    StrGridLayParam->FixedCols = 0;
    StrGridLayParam->FixedRows = 0;
    StrGridLayParam->Editing = true;  // the user types the passes into it
    StrGridLayParam->ColWidths = {70, 72, 72, 72, 72};
    BtnLayConstIncrement =
        MakeAt<TButton>(*this, "BtnLayConstIncrement", "Konst. přírůstek hloubky", G, 4, 300, 196, 28);
    BtnLayConstIncrement->OnClick = [this] { BtnLayConstIncrementClick(); };
    BtnLayClearTab = MakeAt<TButton>(*this, "BtnLayClearTab", "Smazat tabulku", G, 208, 300, 196, 28);
    BtnLayClearTab->OnClick = [this] { BtnLayClearTabClick(); };
    LabelAt(*this, "LabLayNote1", "Vyplňte poslední průchod, nechte", G, 4, 334, 384)->Height = 18;
    LabelAt(*this, "LabLayNote2", "doplnit a případně upravte.", G, 4, 352, 384)->Height = 18;
    TGroupBox* O = MakeAt<TGroupBox>(*this, "GrBoxLayObrob", " Pořadí obrábění ", G, 4, 378, 400, 98);
    RBtnLayObject = MakeAt<TRadioButton>(*this, "RBtnLayObject", "Každý objekt všemi průchody, a pak další objekt",
                                            O, 8, 2, 370, 24);
    RBtnLayPassage = MakeAt<TRadioButton>(*this, "RBtnLayPassage",
                                             "Všechny objekty jedním průchodem, a pak další průchod", O, 8, 28, 370, 24);
    RBtnLayObject->OnClick = [this] { ChBoxLayBezVyjezdu->Enabled = true; };
    RBtnLayPassage->OnClick = [this] { ChBoxLayBezVyjezdu->Enabled = false; };
    LabelAt(*this, "LabLayHloubkaRychloposuvem", "Hloubka rychloposuvem", G, 4, 486, 270);
    EditLayHloubkaRychloposuvem = EditAt(*this, "EditLayHloubkaRychloposuvem", G, 304, 484, 100);
    LabelAt(*this, "LabLayAngleA", "Úhel natočení osy A (stupňů)", G, 4, 516, 270);
    EditLayAngleA = EditAt(*this, "EditLayAngleA", G, 304, 514, 100);
    LabelAt(*this, "LabLayPozn", "Poznámky", G, 4, 546, 200);
    ShapeLayColor = Place(Make<TPanel>("ShapeLayColor", G), 380, 544, 24, 20);
    MemoLayPozn = Place(Make<TMemo>("MemoLayPozn", G), 4, 568, 400, 84);
    // The layer settings, right column.
    const int X = 416, W = 290;
    LabelAt(*this, "LabLayVretTime", "Prodleva na roztočení vřetena [s]", G, X, 4, 224);
    EditLayVretTime = EditAt(*this, "EditLayVretTime", G, X + 230, 2, 60);
    TGroupBox* L = MakeAt<TGroupBox>(*this, "GrBoxLayLaser", " Laser, vodní paprsek, plasma ", G, X, 34, W, 128);
    ChBoxLayLaser = MakeAt<TCheckBox>(*this, "ChBoxLayLaser", "Použít", L, 8, 2, 200, 24);
    LabelAt(*this, "LabLayLaserTime", "Prodleva zapnutí [s]", L, 8, 34, 186);
    EditLayLaserTime = EditAt(*this, "EditLayLaserTime", L, 200, 32, 60);
    LabelAt(*this, "LabLayLaserTimeOff", "Prodleva vypnutí [s]", L, 8, 64, 186);
    EditLayLaserTimeOff = EditAt(*this, "EditLayLaserTimeOff", L, 200, 62, 60);
    EditLayLaserTimeOff->Enabled = false;
    TGroupBox* C = MakeAt<TGroupBox>(*this, "GrBoxLayChlaz", " Chlazení ", G, X, 168, W, 150);
    const char* const cool[] = {"Žádné", "Vzduch", "Mlha (M7)", "Proud kapaliny (M8)"};
    for (int i = 0; i < 4; ++i)
        RBtnLayChlaz[i] = MakeAt<TRadioButton>(*this, "RBtnLayChlaz" + std::to_string(i), cool[i], C,
                                                  i % 2 ? 112 : 8, 2 + 26 * (i / 2), i % 2 ? 148 : 100, 24);
    ChBoxLayChlazPrejezd =
        MakeAt<TCheckBox>(*this, "ChBoxLayChlazPrejezd", "Chladit i při přejezdech", C, 8, 56, 250, 24);
    LabelAt(*this, "LabLayChlazTime", "Prodleva pro spuštění [s]", C, 8, 86, 186);
    EditLayChlazTime = EditAt(*this, "EditLayChlazTime", C, 200, 84, 60);
    TGroupBox* F =
        MakeAt<TGroupBox>(*this, "GrBoxLayOfuk", " Ofuk nástroje po vyjetí z řezu ", G, X, 324, W, 128);
    ChBoxLayOfuk = MakeAt<TCheckBox>(*this, "ChBoxLayOfuk", "Použít", F, 8, 2, 200, 24);
    LabelAt(*this, "LabLayOfukTime", "Délka ofuku [s]", F, 8, 34, 186);
    EditLayOfukTime = EditAt(*this, "EditLayOfukTime", F, 200, 32, 60);
    LabelAt(*this, "LabLayOfukCount", "Počet ", F, 8, 64, 186);
    EditLayOfukCount = EditAt(*this, "EditLayOfukCount", F, 200, 62, 60);
    TGroupBox* V = MakeAt<TGroupBox>(*this, "GrBoxLayVyjezd", " Výjezd z řezu ", G, X, 458, W, 176);
    const char* const exits[] = {"Rychloposuvem", "Zapich.rychlostí", "Zapich.rychlostí s reverzací vřetene",
                                 "Závitový cykl G63  (jen Sinumeric)"};
    for (int i = 0; i < 4; ++i)
        RBtnLayVyjezd[i] = MakeAt<TRadioButton>(*this, "RBtnLayVyjezd" + std::to_string(i), exits[i], V, 8,
                                                   2 + 26 * i, 260, 24);
    // Outside the exit group: the radio buttons of one parent act as one group.
    ChBoxLayBezVyjezdu = MakeAt<TCheckBox>(*this, "ChBoxLayBezVyjezdu", "Nevyjiždět mezi průchody", V, 8, 108,
                                              260, 24);
    ChBoxLayBezVyjezdu->Hint = "Pouze pro uzavřené objekty a objekt všemi průchody";
}

void TToolDialog::BuildFoot() {
    const int y = 758, h = 30;
    BtnOpenTool = MakeAt<TButton>(*this, "BtnOpenTool", "Otevřít", this, 8, y, 90, h);
    BtnOpenTool->OnMouseDown = [this](TMouseButton, uint8_t Shift, int32_t, int32_t) { BtnOpenToolMouseDown(Shift); };
    BtnSaveTool = MakeAt<TButton>(*this, "BtnSaveTool", "Uložit", this, 104, y, 90, h);
    BtnSaveTool->OnMouseDown = [this](TMouseButton, uint8_t Shift, int32_t, int32_t) { BtnSaveToolMouseDown(Shift); };
    BtnOpenSet = MakeAt<TButton>(*this, "BtnOpenSet", "Otevřít *.SET", this, 216, y, 110, h);
    BtnOpenSet->OnClick = [this] { BtnOpenSetClick(); };
    BtnSaveSet = MakeAt<TButton>(*this, "BtnSaveSet", "Uložit *.SET", this, 332, y, 110, h);
    BtnSaveSet->OnClick = [this] { BtnSaveSetClick(); };
    BtnReport = MakeAt<TButton>(*this, "BtnReport", "Návodka", this, 448, y, 90, h);
    BtnReport->OnClick = [this] { BtnReportClick(); };
    BtnCopyTool = MakeAt<TButton>(*this, "BtnCopyTool", "Kopírovat T", this, 544, y, 100, h);
    BtnCopyTool->OnClick = [this] { BtnCopyToolClick(); };
    BtnGeneralParam = MakeAt<TButton>(*this, "BtnGeneralParam", "Společné par. obrábění", this, 650, y, 180, h);
    BtnGeneralParam->OnClick = [this] { BtnGeneralParamClick(); };
    BtnApply = MakeAt<TButton>(*this, "BtnApply", "Použít", this, 836, y, 90, h);
    BtnApply->OnClick = [this] { BtnApplyClick(); };
    BitBtnOK = MakeAt<TBitBtn>(*this, "BitBtnOK", "OK", this, 1040, y, 100, h);
    BitBtnOK->Default = true;
    BitBtnOK->OnClick = [this] {
        BitBtnOKClick();
        ModalResult = mrOk;
    };
    BitBtnCancel = MakeAt<TBitBtn>(*this, "BitBtnCancel", "Cancel", this, 1150, y, 100, h);
    BitBtnCancel->Cancel = true;
    BitBtnCancel->OnClick = [this] { BitBtnCancelClick(); };
    OnShow = [this] { FormShow(); };
    OnClose = [this](TCloseAction&) {
        WriteLog("Sys:ToolDg Close ( ToolName:" + EditToolJmNastroje->Text + ", La:" + std::to_string(CurLayer()) +
                 ", Tnum:" + EditToolTnum->Text + ", Dnum:" + EditToolDnum->Text + ")");
    };
}

void CreateToolDialog() {
    ToolDialog = RemakeForm<TToolDialog>();
    InstallToolPickHooks();
    GenParamUnitChanged = [] {
        if (ToolDialog) ToolDialog->UnitCaptions();
    };
}
