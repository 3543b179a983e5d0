// The tool dialog's controls and their places.
#include "tools/ToolDialog.h"

#include <cmath>
#include <memory>

#include "core/Global.h"
#include "core/UniLog.h"
#include "tools/ToolDg.h"
#include "tools/ToolSmallDgs.h"
#include "shell/UniLang.h"
#include "tools/FormPlace.h"
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
    TabInfo = Make<TTabSheet>("TabInfo", PageControl1);
    TabInfo->Caption = "Info/Geo";
    TabRezPod = Make<TTabSheet>("TabRezPod", PageControl1);
    TabRezPod->Caption = "RezPod";
    TabZapich = Make<TTabSheet>("TabZapich", PageControl1);
    TabZapich->Caption = "Zápich";
    TabVystupy = Make<TTabSheet>("TabVystupy", PageControl1);
    TabVystupy->Caption = "Výstupy";
    BuildInfo();
    BuildRezPod();
    BuildZapich();
    BuildVystupy();
    BuildTech();
    BuildFoot();
}

namespace {

TLabel* Lab(TForm& F, const std::string& Name, const std::string& Caption, TControl* Parent, int L, int T, int W) {
    return MakeAt<TLabel>(F, Name, Caption, Parent, L, T, W, 20);
}

TEdit* Edit(TForm& F, const std::string& Name, TControl* Parent, int L, int T, int W) {
    return Place(F.Make<TEdit>(Name, Parent), L, T, W, 24);
}


}  // namespace

void TToolDialog::BuildInfo() {
    TControl* P = TabInfo;
    Lab(*this, "LabToolJmNastroje", "Jméno", P, 8, 14, 100);
    EditToolJmNastroje = Edit(*this, "EditToolJmNastroje", P, 110, 12, 370);
    Lab(*this, "LabToolMatNastroje", "Materiál", P, 8, 44, 100);
    EditToolMatNastroje = Edit(*this, "EditToolMatNastroje", P, 110, 42, 370);
    Lab(*this, "LabToolTType", "Typ", P, 8, 74, 100);
    CboxToolTType = Place(Make<TComboBox>("CboxToolTType", P), 110, 72, 200, 24);
    CboxToolTType->OnChange = [this] {
        SetToolTypeControls(CboxToolTType->ItemIndex);
        RezPodRecalcAll(0);
    };
    Lab(*this, "LabToolTnum", "T", P, 326, 74, 18);
    EditToolTnum = Edit(*this, "EditToolTnum", P, 346, 72, 48);
    Lab(*this, "LabToolDnum", "D", P, 412, 74, 18);
    EditToolDnum = Edit(*this, "EditToolDnum", P, 432, 72, 48);
    ImgToolGeo = Place(Make<TImage>("ImgToolGeo", P), 8, 110, 196, 224);
    ImgToolGeo->Stretch = true;
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
        *r.L = Lab(*this, r.LName, r.Caption, P, 216, y + 2, 180);
        *r.E = Edit(*this, r.EName, P, 400, y, 80);
        (*r.E)->OnKeyUp = [this](uint16_t&, uint8_t) { RezPodRecalcAll(0); };
        y += 32;
    }
    BtnToolCalculateAngle = MakeAt<TButton>(*this, "BtnToolCalculateAngle", "Doplnit z V", P, 216, y + 4, 126, 28);
    BtnToolCalculateAngle->OnClick = [this] { BtnToolCalculateAngleClick(); };
    BtnToolTest = MakeAt<TButton>(*this, "BtnToolTest", "Test", P, 354, y + 4, 126, 28);
    BtnToolTest->OnClick = [this] { BtnToolTestClick(); };
    LabToolTID = Lab(*this, "LabToolTID", "-1", P, 8, 344, 80);
    LabToolTID->Visible = false;
}

void TToolDialog::BuildRezPod() {
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
            (*r.E)->OnKeyUp = [this, kind](uint16_t&, uint8_t) { RezPodRecalc(kind, 0); };
        }
        y += 34;
    }
    SbtnToolApUnits = MakeAt<TSpeedButton>(*this, "SbtnToolApUnits", "[%]", P, 372, 14 + 7 * 34, 56, 24);
    SBtnToolAeUnits = MakeAt<TSpeedButton>(*this, "SBtnToolAeUnits", "[%]", P, 372, 14 + 8 * 34, 56, 24);
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
    TGroupBox* G = MakeAt<TGroupBox>(*this, "GrBoxToolMillDir", " Směr frézování ", P, 8, 330, 420, 64);
    RbtnToolBothMill = MakeAt<TRadioButton>(*this, "RbtnToolBothMill", "Oboje", G, 8, 6, 110, 24);
    RBtnToolClimbMill = MakeAt<TRadioButton>(*this, "RBtnToolClimbMill", "Sousled.", G, 140, 6, 110, 24);
    RBtnToolConvMill = MakeAt<TRadioButton>(*this, "RBtnToolConvMill", "Nesousled.", G, 272, 6, 120, 24);
}

void TToolDialog::BuildZapich() {
    TControl* P = TabZapich;
    TabControlToolPlunge = Place(Make<TPageControl>("TabControlToolPlunge", P), 8, 8, 476, 30);
    const char* const objs[] = {"Body", "Otevřené", "Kontury", "Kapsa Hrub", "Kapsa Fin", "Povrch"};
    for (int k = 0; k < 6; ++k)
        Make<TTabSheet>("TabPlunge" + std::to_string(k), TabControlToolPlunge)->Caption = objs[k];
    TabControlToolPlunge->OnChange = [this] { TabControlToolPlungeChange(); };
    TGroupBox* M = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeMethod", " Způsob zápichu ", P, 8, 46, 300, 162);
    RbtnToolVert = MakeAt<TRadioButton>(*this, "RbtnToolVert", "Vertikálně (zápich v ose Z)", M, 8, 4, 280, 24);
    RBtnToolTang =
        MakeAt<TRadioButton>(*this, "RBtnToolTang", "Tangencialně (příjezd v osách XY)", M, 8, 30, 280, 24);
    RBtnToolRamp = MakeAt<TRadioButton>(*this, "RBtnToolRamp", "Po rampě (sestup v ose Z)", M, 8, 56, 280, 24);
    RBtnToolSpiral =
        MakeAt<TRadioButton>(*this, "RBtnToolSpiral", "Po šroubovici (sestup v ose Z)", M, 8, 82, 280, 24);
    const TRadioButton* methods[] = {RbtnToolVert, RBtnToolTang, RBtnToolRamp, RBtnToolSpiral};
    for (int m = 0; m < 4; ++m) const_cast<TRadioButton*>(methods[m])->OnClick = [this, m] { SetPlunge(m); };
    ImgPlunge = Place(Make<TImage>("ImgPlunge", P), 318, 52, 166, 156);
    ImgPlunge->Stretch = true;
    TGroupBox* F = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeFeed", " Rychlost ", P, 8, 216, 476, 76);
    EditToolPlungeFeed = Edit(*this, "EditToolPlungeFeed", F, 8, 6, 100);
    EditToolPlungeFeed->OnKeyUp = [this](uint16_t&, uint8_t) { RezPodRecalc(6, 0); };
    RBtnToolFeedTime = MakeAt<TRadioButton>(*this, "RBtnToolFeedTime", "[mm/s]", F, 130, 6, 100, 24);
    RBtnToolFeedPercent = MakeAt<TRadioButton>(*this, "RBtnToolFeedPercent", "[%] z posuvu", F, 250, 6, 150, 24);
    RBtnToolFeedTime->OnClick = [this] { FeedUnitSwitch(false); };
    RBtnToolFeedPercent->OnClick = [this] { FeedUnitSwitch(true); };
    const int gy = 300, gh = 290;
    GrBoxToolPlungeVert = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeVert", " Vertikálně ", P, 8, gy, 476, gh);
    Lab(*this, "LabToolVertNote", "Nástroj se zanoří svisle zápichovou rychlostí.", GrBoxToolPlungeVert, 8, 8, 440);
    GrBoxToolPlungeTang = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeTang", " Tangencialně ", P, 8, gy, 476, gh);
    LabToolArcRadius = Lab(*this, "LabToolArcRadius", "R - Poloměr", GrBoxToolPlungeTang, 8, 10, 200);
    EditTangRad = Edit(*this, "EditTangRad", GrBoxToolPlungeTang, 220, 8, 100);
    LabToolArcAngle = Lab(*this, "LabToolArcAngle", "A - Úhel", GrBoxToolPlungeTang, 8, 42, 200);
    EditTangAngle = Edit(*this, "EditTangAngle", GrBoxToolPlungeTang, 220, 40, 100);
    ChBoxTgIn = MakeAt<TCheckBox>(*this, "ChBoxTgIn", "Tangenciální nájezd", GrBoxToolPlungeTang, 8, 76, 300, 24);
    ChBoxTgOut = MakeAt<TCheckBox>(*this, "ChBoxTgOut", "Tangenciální výjezd", GrBoxToolPlungeTang, 8, 104, 300, 24);
    ChBoxFromCenter = MakeAt<TCheckBox>(*this, "ChBoxFromCenter", "Začátek a konec ve středu objektu",
                                           GrBoxToolPlungeTang, 8, 132, 360, 24);
    GrBoxToolPlungeRamp = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeRamp", " Po rampě ", P, 8, gy, 476, gh);
    LabToolRampAngle = Lab(*this, "LabToolRampAngle", "A - Úhel rampy [°]", GrBoxToolPlungeRamp, 8, 10, 200);
    EditToolRampAngle = Edit(*this, "EditToolRampAngle", GrBoxToolPlungeRamp, 220, 8, 100);
    LabToolRampLength = Lab(*this, "LabToolRampLength", "L - Délka rampy", GrBoxToolPlungeRamp, 8, 42, 200);
    EditToolRampLength = Edit(*this, "EditToolRampLength", GrBoxToolPlungeRamp, 220, 40, 100);
    GrBoxToolPlungeSpiral = MakeAt<TGroupBox>(*this, "GrBoxToolPlungeSpiral", " Po šroubovici ", P, 8, gy, 476, gh);
    TControl* S = GrBoxToolPlungeSpiral;
    LabToolSpiralRad = Lab(*this, "LabToolSpiralRad", "D1 - Pr. šroubovice", S, 8, 10, 200);
    EditToolSpiralRad = Edit(*this, "EditToolSpiralRad", S, 220, 8, 100);
    EditToolSpiralRad->OnKeyUp = [this](uint16_t&, uint8_t) { SpiralRadToHoleRad(); };
    SbtnToolSpiralRadUnits = MakeAt<TSpeedButton>(*this, "SbtnToolSpiralRadUnits", "[%]", S, 326, 8, 56, 24);
    SbtnToolSpiralRadUnits->OnClick = [this] {
        TTool& T = ToolTmp[CurLayer()];
        UnitClick(SbtnToolSpiralRadUnits, EditToolSpiralRad, T.Material.Zapich[size_t(CurPlunge)].SpiralRadPercent,
                  T.SpodniPrumer);
    };
    LabToolHoleRad = Lab(*this, "LabToolHoleRad", "D2 - Průměr obrobení  [mm]", S, 8, 42, 200);
    EditToolHoleRad = Edit(*this, "EditToolHoleRad", S, 220, 40, 100);
    EditToolHoleRad->OnKeyUp = [this](uint16_t&, uint8_t) { HoleRadToSpiralRad(); };
    LabToolSpiralPitch = Lab(*this, "LabToolSpiralPitch", "A - Stoupání [mm]", S, 8, 74, 200);
    EditToolSpiralPitch = Edit(*this, "EditToolSpiralPitch", S, 220, 72, 100);
    LabToolSpiralAngle = Lab(*this, "LabToolSpiralAngle", "U - Úhel [°]", S, 8, 106, 200);
    EditToolSpiralAngle = Edit(*this, "EditToolSpiralAngle", S, 220, 104, 100);
    ChBoxToolSpiralupward = MakeAt<TCheckBox>(*this, "ChBoxToolSpiralupward", "Ze zdola nahoru", S, 8, 140, 300, 24);
    ChBoxToolSpiralLeft = MakeAt<TCheckBox>(*this, "ChBoxToolSpiralLeft", "Levotočivě", S, 8, 168, 300, 24);
    ChBoxIgnoreDepthDiv = MakeAt<TCheckBox>(*this, "ChBoxIgnoreDepthDiv", "Ignorovat dělení hloubky na průchody",
                                               P, 8, gy + gh + 8, 440, 24);
}

void TToolDialog::BuildVystupy() {
    TControl* P = TabVystupy;
    TGroupBox* L = MakeAt<TGroupBox>(*this, "GrBoxToolLaser", " Laser, vodní paprsek, plasma ", P, 8, 8, 476, 118);
    ChBoxToolLaser = MakeAt<TCheckBox>(*this, "ChBoxToolLaser", "Použít", L, 8, 4, 200, 24);
    LabToolLaserWaitStart = Lab(*this, "LabToolLaserWaitStart", "Prodleva zapnutí [s]", L, 8, 38, 240);
    EditToolLaserTime = Edit(*this, "EditToolLaserTime", L, 260, 36, 100);
    TGroupBox* C = MakeAt<TGroupBox>(*this, "GrBoxToolCoolant", " Chlazení ", P, 8, 134, 476, 146);
    CBoxToolCoolantType = Place(Make<TComboBox>("CBoxToolCoolantType", C), 8, 4, 240, 24);
    LabToolCoolantTime = Lab(*this, "LabToolCoolantTime", "Prodleva pro spuštění [s]", C, 8, 38, 240);
    EditToolChlazTime = Edit(*this, "EditToolChlazTime", C, 260, 36, 100);
    ChBoxToolCoolCross =
        MakeAt<TCheckBox>(*this, "ChBoxToolCoolCross", "Chladit i při přejezdech", C, 8, 70, 300, 24);
    TGroupBox* O =
        MakeAt<TGroupBox>(*this, "GrBoxToolOfuk", " Ofuk nástroje po vyjetí z řezu ", P, 8, 288, 476, 146);
    ChBoxToolOfukUse = MakeAt<TCheckBox>(*this, "ChBoxToolOfukUse", "Použít", O, 8, 4, 200, 24);
    LabToolOfukCount = Lab(*this, "LabToolOfukCount", "Počet", O, 8, 38, 240);
    EditToolOfukCount = Edit(*this, "EditToolOfukCount", O, 260, 36, 100);
    LabToolOfukTime = Lab(*this, "LabToolOfukTime", "Délka ofuku [s]", O, 8, 72, 240);
    EditToolOfukTime = Edit(*this, "EditToolOfukTime", O, 260, 70, 100);
}

void TToolDialog::BuildTech() {
    GrBoxTech = MakeAt<TGroupBox>(*this, "GrBoxTech", " Technologie ", this, 516, 46, 736, 700);
    TControl* G = GrBoxTech;
    const char* const heads[] = {"Průchod", "Hloubka", "Zápich", "Posuv", "Otáčky"};
    const int colX[] = {4, 74, 146, 218, 290};
    for (int c = 0; c < 5; ++c) Lab(*this, std::string("LabLayHead") + heads[c], heads[c], G, colX[c], 2, 70)->Height = 18;
    Lab(*this, "LabLayDepthUnit", "[mm]", G, colX[1], 20, 70);
    LabLayPlungeUnit = Lab(*this, "LabLayPlungeUnit", "[mm/s]", G, colX[2], 20, 70);
    LabLayFeedUnit = Lab(*this, "LabLayFeedUnit", "[mm/s]", G, colX[3], 20, 70);
    Lab(*this, "LabLaySpeedUnit", "[1/min]", G, colX[4], 20, 70);
    StrGridLayParam = Place(Make<TStringGrid>("StrGridLayParam", G), 4, 42, 400, 250);
    StrGridLayParam->SetSize(5, MaxPruchod);
    StrGridLayParam->FixedCols = 0;
    StrGridLayParam->FixedRows = 0;
    StrGridLayParam->ColWidths = {70, 72, 72, 72, 72};
    BtnLayConstIncrement =
        MakeAt<TButton>(*this, "BtnLayConstIncrement", "Konst. přírůstek hloubky", G, 4, 300, 196, 28);
    BtnLayConstIncrement->OnClick = [this] { BtnLayConstIncrementClick(); };
    BtnLayClearTab = MakeAt<TButton>(*this, "BtnLayClearTab", "Smazat tabulku", G, 208, 300, 196, 28);
    BtnLayClearTab->OnClick = [this] { BtnLayClearTabClick(); };
    Lab(*this, "LabLayNote1", "Vyplňte poslední průchod, nechte", G, 4, 334, 384)->Height = 18;
    Lab(*this, "LabLayNote2", "doplnit a případně upravte.", G, 4, 352, 384)->Height = 18;
    TGroupBox* O = MakeAt<TGroupBox>(*this, "GrBoxLayObrob", " Pořadí obrábění ", G, 4, 378, 400, 98);
    RBtnLayObject = MakeAt<TRadioButton>(*this, "RBtnLayObject", "Každý objekt všemi průchody, a pak další objekt",
                                            O, 8, 2, 370, 24);
    RBtnLayPassage = MakeAt<TRadioButton>(*this, "RBtnLayPassage",
                                             "Všechny objekty jedním průchodem, a pak další průchod", O, 8, 28, 370, 24);
    RBtnLayObject->OnClick = [this] { ChBoxLayBezVyjezdu->Enabled = true; };
    RBtnLayPassage->OnClick = [this] { ChBoxLayBezVyjezdu->Enabled = false; };
    Lab(*this, "LabLayHloubkaRychloposuvem", "Hloubka rychloposuvem", G, 4, 486, 270);
    EditLayHloubkaRychloposuvem = Edit(*this, "EditLayHloubkaRychloposuvem", G, 304, 484, 100);
    Lab(*this, "LabLayAngleA", "Úhel natočení osy A (stupňů)", G, 4, 516, 270);
    EditLayAngleA = Edit(*this, "EditLayAngleA", G, 304, 514, 100);
    Lab(*this, "LabLayPozn", "Poznámky", G, 4, 546, 200);
    ShapeLayColor = Place(Make<TPanel>("ShapeLayColor", G), 380, 544, 24, 20);
    MemoLayPozn = Place(Make<TMemo>("MemoLayPozn", G), 4, 568, 400, 84);
    // The layer settings, right column.
    const int X = 416, W = 290;
    Lab(*this, "LabLayVretTime", "Prodleva na roztočení vřetena [s]", G, X, 4, 224);
    EditLayVretTime = Edit(*this, "EditLayVretTime", G, X + 230, 2, 60);
    TGroupBox* L = MakeAt<TGroupBox>(*this, "GrBoxLayLaser", " Laser, vodní paprsek, plasma ", G, X, 34, W, 128);
    ChBoxLayLaser = MakeAt<TCheckBox>(*this, "ChBoxLayLaser", "Použít", L, 8, 2, 200, 24);
    Lab(*this, "LabLayLaserTime", "Prodleva zapnutí [s]", L, 8, 34, 186);
    EditLayLaserTime = Edit(*this, "EditLayLaserTime", L, 200, 32, 60);
    Lab(*this, "LabLayLaserTimeOff", "Prodleva vypnutí [s]", L, 8, 64, 186);
    EditLayLaserTimeOff = Edit(*this, "EditLayLaserTimeOff", L, 200, 62, 60);
    EditLayLaserTimeOff->Enabled = false;
    TGroupBox* C = MakeAt<TGroupBox>(*this, "GrBoxLayChlaz", " Chlazení ", G, X, 168, W, 150);
    const char* const cool[] = {"Žádné", "Vzduch", "Mlha (M7)", "Proud kapaliny (M8)"};
    for (int i = 0; i < 4; ++i)
        RBtnLayChlaz[i] = MakeAt<TRadioButton>(*this, "RBtnLayChlaz" + std::to_string(i), cool[i], C,
                                                  i % 2 ? 112 : 8, 2 + 26 * (i / 2), i % 2 ? 148 : 100, 24);
    ChBoxLayChlazPrejezd =
        MakeAt<TCheckBox>(*this, "ChBoxLayChlazPrejezd", "Chladit i při přejezdech", C, 8, 56, 250, 24);
    Lab(*this, "LabLayChlazTime", "Prodleva pro spuštění [s]", C, 8, 86, 186);
    EditLayChlazTime = Edit(*this, "EditLayChlazTime", C, 200, 84, 60);
    TGroupBox* F =
        MakeAt<TGroupBox>(*this, "GrBoxLayOfuk", " Ofuk nástroje po vyjetí z řezu ", G, X, 324, W, 128);
    ChBoxLayOfuk = MakeAt<TCheckBox>(*this, "ChBoxLayOfuk", "Použít", F, 8, 2, 200, 24);
    Lab(*this, "LabLayOfukTime", "Délka ofuku [s]", F, 8, 34, 186);
    EditLayOfukTime = Edit(*this, "EditLayOfukTime", F, 200, 32, 60);
    Lab(*this, "LabLayOfukCount", "Počet ", F, 8, 64, 186);
    EditLayOfukCount = Edit(*this, "EditLayOfukCount", F, 200, 62, 60);
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
    static std::unique_ptr<TToolDialog> Dlg;
    Dlg.reset();
    Dlg = std::make_unique<TToolDialog>();
    ToolDialog = Dlg.get();
    InstallToolPickHooks();
    GenParamUnitChanged = [] {
        if (ToolDialog) ToolDialog->UnitCaptions();
    };
}
