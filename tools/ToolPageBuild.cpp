#include "tools/ToolPageBuild.h"

#include "tools/FormPlace.h"

std::array<TTabSheet*, 4> MakeToolSheets(TForm& F, TPageControl* PC, const std::array<const char*, 4>& Names) {
    const char* const captions[4] = {"Info/Geo", "RezPod", "Zápich", "Výstupy"};
    std::array<TTabSheet*, 4> Sheets{};
    for (size_t i = 0; i < 4; ++i) {
        Sheets[i] = F.Make<TTabSheet>(Names[i], PC);
        Sheets[i]->Caption = captions[i];
    }
    return Sheets;
}

TImage* BuildGeoPage(TForm& F, TControl* P, TToolPageControls& C, const TGeoPageLook& L) {
    LabelAt(F, "LabToolJmNastroje", "Jméno", P, 8, 14, L.CaptionW);
    C.EditToolJmNastroje = EditAt(F, "EditToolJmNastroje", P, L.EditX, 12, L.EditW);
    LabelAt(F, "LabToolMatNastroje", "Materiál", P, 8, 44, L.CaptionW);
    C.EditToolMatNastroje = EditAt(F, "EditToolMatNastroje", P, L.EditX, 42, L.EditW);
    LabelAt(F, "LabToolTType", "Typ", P, 8, 74, L.CaptionW);
    C.CboxToolTType = Place(F.Make<TComboBox>("CboxToolTType", P), L.EditX, 72, L.TypeW, 24);
    LabelAt(F, "LabToolTnum", "T", P, L.TLabX, 74, 18);
    C.EditToolTnum = EditAt(F, "EditToolTnum", P, L.TLabX + 20, 72, 48);
    LabelAt(F, "LabToolDnum", "D", P, L.DLabX, 74, 18);
    C.EditToolDnum = EditAt(F, "EditToolDnum", P, L.DLabX + 20, 72, 48);
    TImage* Img = Place(F.Make<TImage>(L.ImgName, P), 8, 110, L.ImgW, 224);
    Img->Stretch = true;
    struct TRow {
        const char *LName, *Caption, *EName;
        TLabel** L;
        TEdit** E;
    };
    const TRow rows[] = {
        {"LabToolDSpodni", "Ds = Spodní průměr", "EditToolDSpodni", &C.LabToolDSpodni, &C.EditToolDSpodni},
        {"LabToolR", "R  =  Rádius", "EditToolR", &C.LabToolR, &C.EditToolR},
        {"LabToolU", "U  =  Úhel", "EditToolU", &C.LabToolU, &C.EditToolU},
        {"LabToolV", "V =   Výška (nepovinná)", "EditToolV", &C.LabToolV, &C.EditToolV},
        {"LabToolDHorni", "Dh = Horní průměr", "EditToolDHorni", &C.LabToolDHorni, &C.EditToolDHorni},
        {"LabToolBrit", "B  =  Délka břitu", "EditToolBrit", &C.LabToolBrit, &C.EditToolBrit},
        {"LabToolPocetBritu", "Počet břitů", "EditToolPocetBritu", &C.LabToolPocetBritu, &C.EditToolPocetBritu},
    };
    int y = 112;
    for (const TRow& r : rows) {
        *r.L = LabelAt(F, r.LName, r.Caption, P, L.RowX, y + 2, 180);
        *r.E = EditAt(F, r.EName, P, L.RowX + 184, y, 80);
        y += 32;
    }
    C.BtnToolCalculateAngle = MakeAt<TButton>(F, "BtnToolCalculateAngle", "Doplnit z V", P, L.RowX, y + 4, 126, 28);
    C.BtnToolTest = MakeAt<TButton>(F, "BtnToolTest", "Test", P, L.RowX + 138, y + 4, 126, 28);
    return Img;
}

void BuildTechPage(TForm& F, TControl* P, TToolPageControls& C, std::function<void(int)> OnKey) {
    struct TRow {
        const char *LName, *Caption, *EName;
        TLabel** L;
        TEdit** E;
        int Kind;
    };
    const TRow rows[] = {
        {"LabToolMaxSpindlePower", "Max zatížení vřetene [W]", "EditToolMaxSpindlePower", &C.LabToolMaxSpindlePower,
         &C.EditToolMaxSpindlePower, -1},
        {"LabToolMaxSpindleSpeed", "Max otáčky nástroje [ot/min]", "EditToolMaxSpindleSpeed",
         &C.LabToolMaxSpindleSpeed, &C.EditToolMaxSpindleSpeed, 0},
        {"LabToolN", "n - otáčky nástroje [ot/min]", "EditToolN", &C.LabToolN, &C.EditToolN, 1},
        {"LabToolVc", "Vc - Řezná rychlost [m/min]", "EditToolVc", &C.LabToolVc, &C.EditToolVc, 2},
        {"LabToolFz", "Fz - Posuv na zub [mm]", "EditToolFz", &C.LabToolFz, &C.EditToolFz, 3},
        {"LabToolFn", "Fn - Posuv na otáčku [mm]", "EditToolFn", &C.LabToolFn, &C.EditToolFn, 4},
        {"LabToolVf", "Vf - Posuv [mm/s]", "EditToolVf", &C.LabToolVf, &C.EditToolVf, 5},
        {"LabToolAp", "Ap - Max. hloubka", "EditToolAp", &C.LabToolAp, &C.EditToolAp, 6},
        {"LabToolAe", "Ae - Boční zatížení", "EditToolAe", &C.LabToolAe, &C.EditToolAe, 7},
    };
    int y = 14;
    for (const TRow& r : rows) {
        *r.L = LabelAt(F, r.LName, r.Caption, P, 8, y + 2, 240);
        *r.E = EditAt(F, r.EName, P, 256, y, 110);
        if (r.Kind >= 0) {
            const int kind = r.Kind;
            (*r.E)->OnKeyUp = [OnKey, kind](uint16_t&, uint8_t) { OnKey(kind); };
        }
        y += 34;
    }
    C.SbtnToolApUnits = MakeAt<TSpeedButton>(F, "SbtnToolApUnits", "[%]", P, 372, 14 + 7 * 34, 56, 24);
    C.SBtnToolAeUnits = MakeAt<TSpeedButton>(F, "SBtnToolAeUnits", "[%]", P, 372, 14 + 8 * 34, 56, 24);
    TGroupBox* G = MakeAt<TGroupBox>(F, "GrBoxToolMillDir", " Směr frézování ", P, 8, 330, 420, 64);
    C.RbtnToolBothMill = MakeAt<TRadioButton>(F, "RbtnToolBothMill", "Oboje", G, 8, 6, 110, 24);
    C.RBtnToolClimbMill = MakeAt<TRadioButton>(F, "RBtnToolClimbMill", "Sousled.", G, 140, 6, 110, 24);
    C.RBtnToolConvMill = MakeAt<TRadioButton>(F, "RBtnToolConvMill", "Nesousled.", G, 272, 6, 120, 24);
}

void BuildPlungeMethods(TForm& F, TControl* P, TToolPageControls& C, const TPlungeMethodsLook& L,
                        std::function<void(int)> OnMethod) {
    C.TabControlToolPlunge = Place(F.Make<TPageControl>("TabControlToolPlunge", P), 8, 8, L.StripW, 30);
    const char* const objs[] = {"Body", "Otevřené", "Kontury", "Kapsa Hrub", "Kapsa Fin", "Povrch"};
    for (int k = 0; k < 6; ++k)
        F.Make<TTabSheet>(L.TabPrefix + std::to_string(k), C.TabControlToolPlunge)->Caption = objs[k];
    TGroupBox* M = MakeAt<TGroupBox>(F, "GrBoxToolPlungeMethod", L.Title, P, 8, 46, 300, L.GroupH);
    C.RbtnToolVert = MakeAt<TRadioButton>(F, "RbtnToolVert", "Vertikálně (zápich v ose Z)", M, 8, 4, 280, 24);
    C.RBtnToolTang =
        MakeAt<TRadioButton>(F, "RBtnToolTang", "Tangencialně (příjezd v osách XY)", M, 8, 30, 280, 24);
    C.RBtnToolRamp = MakeAt<TRadioButton>(F, "RBtnToolRamp", "Po rampě (sestup v ose Z)", M, 8, 56, 280, 24);
    C.RBtnToolSpiral =
        MakeAt<TRadioButton>(F, "RBtnToolSpiral", "Po šroubovici (sestup v ose Z)", M, 8, 82, 280, 24);
    TRadioButton* methods[] = {C.RbtnToolVert, C.RBtnToolTang, C.RBtnToolRamp, C.RBtnToolSpiral};
    for (int m = 0; m < 4; ++m) methods[m]->OnClick = [OnMethod, m] { OnMethod(m); };
}

void BuildOutsPage(TForm& F, TControl* P, TToolPageControls& C, const TOutsPageLook& L, TLabel*& LaserTimeLab,
                   TLabel*& CoolTimeLab) {
    TGroupBox* Las = MakeAt<TGroupBox>(F, "GrBoxToolLaser", L.LaserTitle, P, 8, 8, L.GroupW, L.LaserH);
    C.ChBoxToolLaser = MakeAt<TCheckBox>(F, "ChBoxToolLaser", "Použít", Las, 8, 4, 200, 24);
    LaserTimeLab = LabelAt(F, L.LaserTimeName, "Prodleva zapnutí [s]", Las, 8, 38, 240);
    C.EditToolLaserTime = EditAt(F, "EditToolLaserTime", Las, 260, 36, 100);
    TGroupBox* Cool = MakeAt<TGroupBox>(F, "GrBoxToolCoolant", " Chlazení ", P, 8, L.CoolTop, L.GroupW, L.CoolH);
    C.CBoxToolCoolantType = Place(F.Make<TComboBox>("CBoxToolCoolantType", Cool), 8, 4, 240, 24);
    CoolTimeLab = LabelAt(F, L.CoolTimeName, "Prodleva pro spuštění [s]", Cool, 8, 38, 240);
    C.EditToolChlazTime = EditAt(F, "EditToolChlazTime", Cool, 260, 36, 100);
    C.ChBoxToolCoolCross =
        MakeAt<TCheckBox>(F, "ChBoxToolCoolCross", "Chladit i při přejezdech", Cool, 8, 70, 300, 24);
    TGroupBox* Blow = MakeAt<TGroupBox>(F, "GrBoxToolOfuk", L.BlowTitle, P, 8, L.BlowTop, L.GroupW, L.BlowH);
    C.ChBoxToolOfukUse = MakeAt<TCheckBox>(F, "ChBoxToolOfukUse", "Použít", Blow, 8, 4, 200, 24);
    C.LabToolOfukCount = LabelAt(F, "LabToolOfukCount", "Počet", Blow, 8, 38, 240);
    C.EditToolOfukCount = EditAt(F, "EditToolOfukCount", Blow, 260, 36, 100);
    C.LabToolOfukTime = LabelAt(F, "LabToolOfukTime", "Délka ofuku [s]", Blow, 8, 72, 240);
    C.EditToolOfukTime = EditAt(F, "EditToolOfukTime", Blow, 260, 70, 100);
}
