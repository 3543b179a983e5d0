#include "shell/SetDgFields.h"

#include <numbers>

#include "core/Glob.h"

const char* const SetPageCaption[SetPageCount] = {"Plocha",    "Zobrazení", "Pomůcky", "Zoom",   "BitMapa",
                                                  "Kóty/Šrafy", "Edit/CAM",  "Přesnost", "Systém", "Panely",
                                                  "Knihovna",  "Příkazy"};
const char* const SetPageName[SetPageCount] = {"TabDesktop", "TabView",      "TabSet",    "TabZoom",
                                               "TabBitMap",  "TabDim",       "TabCAM",    "TabPrecision",
                                               "TabSystem",  "TabPanels",    "TabLibrary", "TabCommands"};

namespace {
constexpr Extended Big = 1e6L;           // coordinates and steps beyond this break the view
constexpr Extended Deg = std::numbers::pi_v<Extended> / 180;

template <class T>
TSetNum Num(const char* Edit, const char* Label, TSetPage Page, TNumForm Form, Extended Min, Extended Max, T& Field) {
    return {Edit, Label, Page, Form, Min, Max, [&Field] { return Extended(Field); },
            [&Field](Extended V) { Field = static_cast<T>(V); }};
}
}  // namespace

const std::vector<TSetNum>& SetNumFields() {
    using F = TNumForm;
    TGlob& G = Glob;
    static const std::vector<TSetNum> Fields = {
        Num("EditMinLimX", "Limity: levý dolní roh X", spDesktop, F::Real, -Big, Big, G.MinLim.x),
        Num("EditMinLimY", "Limity: levý dolní roh Y", spDesktop, F::Real, -Big, Big, G.MinLim.y),
        Num("EditMaxLimX", "Limity: pravý horní roh X", spDesktop, F::Real, -Big, Big, G.MaxLim.x),
        Num("EditMaxLimY", "Limity: pravý horní roh Y", spDesktop, F::Real, -Big, Big, G.MaxLim.y),
        Num("EditSelObjWidth", "Šířka: vybrané objekty", spView, F::Whole, 1, 20, G.SelObjWidth),
        Num("EditPrevObjWidth", "Šířka: náhled objektů", spView, F::Whole, 1, 20, G.PrevObjWidth),
        Num("EditRapidsWidth", "Šířka: rychloposuvy", spView, F::Whole, 1, 20, G.RapidsWidth),
        Num("EditObjWidth", "Šířka: objekty", spView, F::Whole, 1, 20, G.ObjWidth),
        Num("EditCrossHairWidth", "Šířka: nitkový kříž", spView, F::Whole, 1, 20, G.CrossHairWidth),
        Num("EditRasterWidth", "Šířka: rastr", spView, F::Whole, 1, 20, G.RasterWidth),
        Num("EditOsnapWidth", "Šířka: O Snap", spView, F::Whole, 1, 20, G.OsnapWidth),
        Num("EditPrevSelContWidth", "Šířka: náhled výběru", spView, F::Whole, 1, 20, G.PrevSelContWidth),
        Num("EditStartGridX", "Rastr: počátek X", spAids, F::Real, -Big, Big, G.GridStart.x),
        Num("EditStartGridY", "Rastr: počátek Y", spAids, F::Real, -Big, Big, G.GridStart.y),
        Num("EditDistGridX", "Rastr: rozteč X", spAids, F::Real, 0.001L, Big, G.GridDist.x),
        Num("EditDistGridY", "Rastr: rozteč Y", spAids, F::Real, 0.001L, Big, G.GridDist.y),
        Num("EditStartSnapX", "Krok kurzoru: počátek X", spAids, F::Real, -Big, Big, G.SnapStart.x),
        Num("EditStartSnapY", "Krok kurzoru: počátek Y", spAids, F::Real, -Big, Big, G.SnapStart.y),
        Num("EditDistSnapX", "Krok kurzoru: krok X", spAids, F::Real, CoordTol, 100, G.SnapDist.x),
        Num("EditDistSnapY", "Krok kurzoru: krok Y", spAids, F::Real, CoordTol, 100, G.SnapDist.y),
        Num("EditSnapRatio", "Krok kurzoru: poměr", spAids, F::Real, 1, 100, G.SnapRatio),
        Num("EditDistASnap", "Úhlový krok [°]", spAids, F::Real, CoordTol, 180, G.ASnapDist),
        Num("EditSelSize", "Velikost výběrového čtverce [px]", spAids, F::Whole, 5, 31, G.SelectSize),
        Num("EditOsnapSize", "Velikost O Snap čtverce [px]", spAids, F::Whole, 5, 31, G.OsnapSize),
        Num("EditOSnapSymbSize", "Velikost O Snap značky [px]", spAids, F::Whole, 0, 255, G.OsnapSymbSize),
        Num("EditZoomRatio", "Poměr zvětšení", spZoom, F::Real, 1, 100, G.ZoomInRatio),
        Num("EditWheelRatio", "Poměr kolečka myši", spZoom, F::Real, 1, 10, G.WheelRatio),
        Num("EditPanRatio", "Poměr posunu", spZoom, F::Real, 0.01L, 1, G.PanRatio),
        Num("EditSizeBitMap", "Delší strana v milimetrech", spBitmap, F::Real, 0.001L, Big, G.BitmapSize),
        {"EditDimDecNum", "Desetinných míst (1..4)", spDim, F::Decimals, 1, 4,
         [&G] { return Extended(PatternDecimals(G.DimDecForm)); },
         [&G](Extended V) { G.DimDecForm = DecimalPattern(int(V)); }},
        Num("EditDimArrLen", "Délka šipky", spDim, F::Real, 0.1L, 10, G.DimArrowLen),
        {"EditDecNum", "Počet desetinných míst ukazatele polohy (1..6)", spPrecision, F::Decimals, 1, 6,
         [&G] { return Extended(PatternDecimals(G.DecNum)); }, [&G](Extended V) { G.DecNum = DecimalPattern(int(V)); }},
        Num("EditJoinTol", "Tolerance spojování", spPrecision, F::Real, 0.0001L, 1, G.JoinTol),
        Num("EditOSExplode", "Tolerance rozkladu", spPrecision, F::Real, 0.0001L, 1, G.OSExplode),
        Num("EditFiltr", "Filtr vstupu", spPrecision, F::Real, 0.0001L, 1, G.InputFiltr),
        {"EditMinOffsArc", "Úhel od kterého vznikají obloučky při offsetech (0..30[stupňů])", spPrecision,
         F::Degrees, 0, 30, [&G] { return G.MinOffsArc / Deg; }, [&G](Extended V) { G.MinOffsArc = V * Deg; }},
        Num("EditAutoSave", "Automatické ukládání [min]", spSystem, F::Whole, 1, 2147483647.0L, G.AutoSave),
        Num("EditMaxUndo", "Počet kroků zpět", spSystem, F::Whole, 2, 100, G.MaxUndo),
        Num("EditMaxFileHist", "Počet naposledy uložených souborů", spSystem, F::Whole, 2, 100, G.MaxFileHist),
        Num("EditMaxShowLogCount", "Počet zobrazených řádků logu", spSystem, F::Cut, 1, 999999, G.MaxShowLogCount),
    };
    return Fields;
}

const std::vector<TSetBool>& SetBoolFields() {
    TGlob& G = Glob;
    static const std::vector<TSetBool> Fields = {
        {"CheckBoxWheel", "Zoom kolečkem myši", spZoom, &G.WheelCheck, false},
        {"ChBoxZoomCenter", "Zoom ke středu", spZoom, &G.ZoomCenter, false},
        {"ChBoxUseBitMap", "Použít", spBitmap, &G.BitmapUse, false},
        {"RBtnDimLayKoty", "Kóty do hladiny Koty", spDim, &G.DimLayerKot, false},
        {"RBtnDimGroup", "Kóta jako skupina", spDim, &G.DimGroup, false},
        {"RBtnHatchLayKoty", "Šrafy do hladiny Koty", spDim, &G.HatchLayerKot, false},
        {"RBtnHatchGroup", "Šrafa jako skupina", spDim, &G.HatchGroup, false},
        {"ChBoxManipShowObj", "Zobrazovat objekty při manipulaci", spCam, &G.ManipShowObj, false},
        {"ChBoxAutoLayNum", "Automatické číslování hladin", spCam, &G.AutoLayNum, true},
        {"ChBoxAutoRegen", "Automatická regenerace operací", spCam, &G.AutoRegen, false},
        {"ChBoxAutolayRecalc", "Přepočet hladin", spCam, &G.AutoLayRecalc, false},
        {"ChBoxAutoApplyToolOpen", "Použít nástroje při otevření", spCam, &G.AutoApplyToolOpen, false},
        {"ChBoxCopyCamOps", "Kopírovat operace", spCam, &G.CopyCamOps, false},
        {"CheckBoxEnvText", "Obálka textů", spSystem, &G.TextEnv, false},
        {"ChBoxShowNewFileDg", "Průvodce novým souborem", spSystem, &G.ShowNewFileDg, false},
        {"ChBoxSaveBakFiles", "Ukládat BAK soubory", spSystem, &G.SaveBakFiles, false},
        {"ChBoxReadYdfCfg", "Načítat nastavení programu z YDF souborů", spSystem, &G.ReadYdfCfg, false},
        {"ChBoxCheckUpdates", "Kontrolovat aktualizace", spSystem, &G.CheckUpdates, false},
        {"ChBoxDefMatToNewTool", "Výchozí materiál novým nástrojům", spLibrary, &G.DefMatToNewTool, false},
    };
    return Fields;
}

const std::vector<TSetColour>& SetColourFields() {
    TGlob& G = Glob;
    static const std::vector<TSetColour> Fields = {
        {"ShBackColor", "Plocha v limitech", &G.BackColor},
        {"ShOutLimColor", "Plocha mimo limity", &G.OutLimColor},
        {"ShRasterColor", "Rastr", &G.GridColor},
        {"ShCrossHairColor", "Nitkový kříž", &G.CrossHairColor},
        {"ShPrevObjColor", "Náhled objektů", &G.PrevObjColor},
        {"ShSelObjColor", "Vybrané objekty", &G.SelObjColor},
        {"ShOsnapColor", "O Snap", &G.OSnapColor},
        {"ShPrevSelContColor", "Náhled výběru (obrys)", &G.PrevSelContColor},
        {"ShPrevSelSurfColor", "Náhled výběru (plocha)", &G.PrevSelSurfColor},
    };
    return Fields;
}

const std::vector<TSetOpacity>& SetOpacityFields() {
    TGlob& G = Glob;
    static const std::vector<TSetOpacity> Fields = {
        {"TrBarSelObjOpac", "Vybrané objekty", &G.SelObjOpac, "EditSelObjWidth"},
        {"TrBarPrevObjOpac", "Náhled objektů", &G.PrevObjOpac, "EditPrevObjWidth"},
        {"TrBarRapidsOpac", "Rychloposuvy", &G.RapidsOpac, "EditRapidsWidth"},
        {"TrBarObjOpac", "Objekty", &G.ObjOpac, "EditObjWidth"},
        {"TrBarOSnapOpac", "O Snap", &G.OSnapOpac, "EditOsnapWidth"},
        {"TrBarCrossHairOpac", "Nitkový kříž", &G.CrossHairOpac, "EditCrossHairWidth"},
        {"TrBarRasterOpac", "Rastr", &G.RasterOpac, "EditRasterWidth"},
        {"TrBarPrevSelContOpac", "Náhled výběru (obrys)", &G.PrevSelContOpac, "EditPrevSelContWidth"},
        {"TrBarPrevSelSurfOpac", "Náhled výběru (plocha)", &G.PrevSelSurfOpac, nullptr},
    };
    return Fields;
}

std::string DecimalPattern(int Decimals) { return "0." + std::string(size_t(Decimals < 1 ? 1 : Decimals), '0'); }

int PatternDecimals(const std::string& Pattern) {
    const size_t Dot = Pattern.rfind('.');
    return Dot == std::string::npos ? 0 : int(Pattern.size() - Dot - 1);
}
