// The main menu's design table and the icon toolbar's tables.
#include <array>

#include "commands/UniCom.h"
#include "shell/MainMenus.h"

const std::vector<TMenuGroupDef>& MenuDesign() {
    static const std::vector<TMenuGroupDef> D = {
        {"mFileMnu", "Soubor", {
            {"NewMnu", "Nový", "NEW", "", "Ctrl+N"},
            {"OpenMnu", "Otevřít", "OPEN", "", "Ctrl+O"},
            {"ImportMnu", "Import", "IMPORT", "", "Ctrl+I"},
            {"SaveMnu", "Uložit", "SAVE", "", "Ctrl+S"},
            {"SaveAsMnu", "Uložit jako", "SAVEAS", "", ""},
            {"ExportMnu", "Export", "EXPORT", "", "Ctrl+E"},
            {"ExportSelMnu", "Export vybraných", "EXPORTSEL", "", ""},
            {"-", "-", "", "", ""},
            {"SetMnu", "Nastavení", "SET", "", ""},
            {"PrintMnu", "Tisk", "PRINT", "", "Ctrl+P"},
            {"-", "-", "", "", ""},
            {"ExitMnu", "Konec", "", "", "Alt+X"},
        }},
        {"mViewMnu", "Zobrazení", {
            {"RedrawMnu", "Překreslit", "", "R", "F5"},
            {"ZoomWindowMnu", "Okno", "", "Z", ""},
            {"ZoomInMnu", "Zvětšit", "", "", "F2"},
            {"ZoomPreviewMnu", "Předchozí", "", "", ""},
            {"ZoomObjectMnu", "Objekty", "", "", ""},
            {"ZoomLimitsMnu", "Limity kresby", "", "", ""},
            {"-", "-", "", "", ""},
            {"LayerMnu", "Hladiny a směry", "", "LA", "F3"},
            {"GridOnMnu", "Mřížka", "", "", "F7"},
            {"OrthoOnMnu", "Ortogonálně", "", "", "F8"},
            {"SnapOnMnu", "Krok", "", "", "F9"},
            {"SnapUpMnu", "Zvětšit krok", "", "", ""},
            {"SnapDnMnu", "Zmenšit krok", "", "", ""},
            {"ASnapOnMnu", "Úhlový krok", "", "", "Shift+F9"},
            {"ASnapUpMnu", "Zvětšit úhlový krok", "", "", ""},
            {"ASnapDnMnu", "Zmenšit úhlový krok", "", "", ""},
            {"OnsapOnMNU", "Osnap", "", "", "F11"},
        }},
        {"mInfoMnu", "Info", {
            {"InfoMnu", "Informace o objektu", "INFO", "I", ""},
            {"DistMnu", "Vzdálenost", "DIST", "DI", ""},
            {"HistoryMnu", "Historie příkazů", "HISTORY", "", ""},
        }},
        {"mDrawMnu", "Kreslení", {
            {"PointMnu", "Bod", "POINT", "PO", ""},
            {"PointToCircleMnu", "Body na kružnici", "POINTTOCIR", "", ""},
            {"LineMnu", "Úsečka", "LINE", "L", ""},
            {"ArcMnu", "Oblouk", "ARC", "A", ""},
            {"CircleMnu", "Kružnice", "CIRCLE", "C", ""},
            {"RectangleMnu", "Obdélník", "RECTANGLE", "REC", ""},
            {"PolylineMnu", "Polyline", "POLYLINE", "PL", ""},
            {"-", "-", "", "", ""},
            {"DimStyleMnu", "Styl kót", "DIMSTYLE", "", ""},
            {"DimHorMnu", "Kóta vodorovná", "DIMHOR", "DH", ""},
            {"DimVertMnu", "Kóta svislá", "DIMVERT", "DV", ""},
            {"DimRotMnu", "Kóta šikmá", "DIMROT", "DR", ""},
            {"DimAngleMnu", "Kóta úhlová", "DIMANGLE", "DA", ""},
            {"DimLeaderMnu", "Odkaz", "DIMLEADER", "DL", ""},
            {"-", "-", "", "", ""},
            {"HatchMnu", "Šrafování", "HATCH", "H", ""},
            {"InteliHatchMnu", "Šrafování oblasti", "INTELIHATCH", "IH", ""},
        }},
        {"mEditMnu", "Editace", {
            {"UndoMnu", "Zpět", "UNDO", "U", "Ctrl+Z"},
            {"-", "-", "", "", ""},
            {"ClipCutMnu", "Vyjmout do schránky", "CLIPCUT", "", "Ctrl+X"},
            {"ClipCopyMnu", "Kopírovat do schránky", "CLIPCOPY", "", "Ctrl+C"},
            {"ClipPasteMnu", "Vložit ze schránky", "CLIPPASTE", "", "Ctrl+V"},
            {"-", "-", "", "", ""},
            {"DeleteMnu", "Smazat", "DELETE", "E", "Del"},
            {"MoveMnu", "Posunout", "MOVE", "M", ""},
            {"MoveToCenMnu", "Posunout na střed", "MOVETOCEN", "", ""},
            {"AlignMnu", "Zarovnat", "ALIGN", "AL", ""},
            {"CopyMnu", "Kopírovat", "COPY", "CO", ""},
            {"CopyToActiveMnu", "Kopírovat do aktivní hladiny", "COPYTOACTIVE", "", ""},
            {"ArrayRectMnu", "Pravoúhlé pole", "RECTARR", "", ""},
            {"ArrayPolarMnu", "Kruhové pole", "POLARARR", "", ""},
            {"RotateMnu", "Otočit", "ROTATE", "RO", ""},
            {"MirrorMnu", "Zrcadlit", "MIRROR", "MI", ""},
            {"ScaleMnu", "Měřítko", "SCALE", "SC", ""},
            {"SizeMnu", "Velikost", "SIZE", "", ""},
            {"ChangeLayerMnu", "Změnit hladinu", "CHANGELAYER", "CH", ""},
            {"GroupMnu", "Seskupit", "GROUP", "G", ""},
            {"UnGroupMnu", "Rozdělit skupinu", "UNGROUP", "UG", ""},
        }},
        {"mPlineMnu", "Polyline", {
            {"ChangeStartMnu", "Změnit začátek", "CHANGESTART", "", ""},
            {"ChangeDirMnu", "Změnit směr", "CHANGEDIR", "", ""},
            {"FiltrMnu", "Filtr", "FILTR", "", ""},
            {"DivideMnu", "Rozdělit", "DIVIDE", "", ""},
            {"TrimMnu", "Oříznout", "TRIM", "TR", ""},
            {"BreakMnu", "Přerušit", "BREAK", "BR", ""},
            {"ExtendMnu", "Prodloužit", "EXTEND", "EX", ""},
            {"FilletOneMnu", "Zaoblit roh", "FILLETONE", "F", ""},
            {"FilletAllMnu", "Zaoblit vše", "FILLETALL", "", ""},
            {"FilletOffsMnu", "Zaoblit offsetem", "FILLETOFFS", "", ""},
            {"ChamferOneMnu", "Zkosit roh", "CHAMFERONE", "", ""},
            {"ChamferAllMnu", "Zkosit vše", "CHAMFERALL", "", ""},
            {"OffsetMnu", "Offset", "OFFSET", "O", ""},
            {"WeldMnu", "Svařit", "WELD", "W", ""},
            {"MarkMnu", "Značky", "MARK", "", ""},
            {"JoinMnu", "Spojit", "JOIN", "J", ""},
            {"ExplodeMnu", "Rozložit", "EXPLODE", "X", ""},
        }},
        {"mTextMnu", "Text", {
            {"StyleMnu", "Styl textu", "STYLE", "", ""},
            {"NewTextMnu", "Nový text", "TEXT", "T", ""},
            {"EditTextMnu", "Upravit text", "EDITTEXT", "ET", ""},
            {"ExplodeTextMnu", "Text na polyline", "TEXTTOPLINE", "", ""},
            {"ChangeTextsMnu", "Nahradit texty", "CHANGETEXTS", "", ""},
            {"AddCharMnu", "Přidat znak do fontu", "ADDCHAR", "", ""},
            {"ReloadFontsMnu", "Znovu načíst fonty", "", "", ""},
        }},
        {"mCAMMnu", "CAM", {
            {"ToolMnu", "Nástroje", "TOOL", "", ""},
            {"Knihovnanstroj1", "Knihovna nástrojů", "", "", ""},
            {"LengthMnu", "Statistika", "STATISTIC", "", ""},
            {"OpEditMNU", "Upravit operaci", "OPEDIT", "", ""},
            {"-", "-", "", "", ""},
            {"SurfaceMNU", "Přerovnání ploch", "SURFACE", "", ""},
            {"ContourMnu", "Kontura", "CONTOUR", "K", ""},
            {"MeandrMnu", "Kapsa", "MEANDR", "", ""},
            {"InteliMeandrMnu", "Kapsa v oblasti", "INTELIMEANDR", "", ""},
            {"BridgeMnu", "Můstky", "BRIDGE", "", ""},
            {"-", "-", "", "", ""},
            {"OneToStartMnu", "Jeden na začátek", "ONETOSTART", "", ""},
            {"ToStartMnu", "Na začátek", "TOSTART", "", ""},
            {"OneToEndMnu", "Jeden na konec", "ONETOEND", "", ""},
            {"ToEndMnu", "Na konec", "TOEND", "", ""},
            {"ToPosMnu", "Na pozici", "TOPOS", "", ""},
            {"OrigToFrontMnu", "Orig dopředu", "ORIGTOFRONT", "", ""},
            {"SortMnu", "Seřadit", "SORT", "", ""},
        }},
        {"mHelpMnu", "Help", {
            {"mHelpItemMnu", "Nápověda", "", "", "F1"},
        }},
        {"mSpecMnu", "Speciál", {
            {"SpecDaskovinMnu", "Ciferník z měřícího protokolu", "", "", ""},
            {"SpecDorsekMnu", "Záměna textu s exportem", "", "", ""},
            {"SpecPelmoraMnu", "Krátké uzavřené pline", "", "", ""},
            {"SpecVuzMnu", "Body ve středech kružnic", "", "", ""},
        }},
    };
    return D;
}

const TMenuDef* MenuDefOf(const std::string& Name) {
    for (const TMenuGroupDef& G : MenuDesign())
        for (const TMenuDef& I : G.Items)
            if (Name == I.Name) return &I;
    return nullptr;
}

namespace {
const char* const IconWords[110] = {
    "file", "view", "info", "draw", "edit", "poly", "text", "cams",
    "filenew", "fileopen", "fileimport", "filesave", "filesaveas", "fileexport", "fileexportsel",
    "filesettings", "fileprint", "fileexit",
    "viewredraw", "viewwindow", "viewzoomin", "viewzoomout", "viewobjects", "viewlimits", "viewlayerdir",
    "viewgrid", "viewortho", "viewsnapon", "viewsnapplus", "viewsnapminus", "viewanglesnapon",
    "viewanglesnapplus", "viewanglesnapminus",
    "infoinfo", "infodistance", "infohistory",
    "drawpoint", "drawpointcircle", "drawline", "drawarc", "drawcircle", "drawrectangle", "drawpolyline",
    "drawnewdimstyle", "drawhorizontaldim", "drawverticaldim", "drawangleddim", "drawangledim",
    "drawinfodim", "drawhatch", "drawihatch",
    "editundo", "editclipcut", "editclipcopy", "editclippaste", "editdelete", "editmove", "editmovecenter",
    "editalign", "editcopy", "editcopylay", "editarrayrect", "editarraypolar", "editrotate", "editmirror",
    "editscale", "editsize", "editchangelayer", "editgroup", "editungroup",
    "polychangestart", "polychangedir", "polyfilter", "polydivide", "polytrim", "polybreak", "polyextend",
    "polyfilletone", "polyfilletall", "polyfilletoff", "polychamferone", "polychamferall", "polyoffset",
    "polyweld", "polymark", "polyjoin", "polyexplode",
    "textstyle", "textnew", "textedit", "texttopoly", "textchange", "textaddtofonts", "textreread",
    "camparam", "camtoollib", "camstats", "cameditop", "camsurface", "camcontour", "campocket",
    "camipocket", "cambridge", "camonetostart", "camtostart", "camonetoend", "camtoend", "camtopos",
    "camorigtofront", "camsort",
};

const std::array<std::vector<const char*>, 8> IconTable = {{
    {"NewMnu", "OpenMnu", "ImportMnu", "SaveMnu", "SaveAsMnu", "ExportMnu", "ExportSelMnu", "SetMnu",
     "PrintMnu", "ExitMnu"},
    {"RedrawMnu", "ZoomWindowMnu", "ZoomInMnu", "ZoomPreviewMnu", "ZoomObjectMnu", "ZoomLimitsMnu",
     "LayerMnu", "GridOnMnu", "OrthoOnMnu", "SnapOnMnu", "SnapUpMnu", "SnapDnMnu", "ASnapOnMnu",
     "ASnapUpMnu", "ASnapDnMnu"},
    {"InfoMnu", "DistMnu", "HistoryMnu"},
    {"PointMnu", "PointToCircleMnu", "LineMnu", "ArcMnu", "CircleMnu", "RectangleMnu", "PolylineMnu",
     "DimStyleMnu", "DimHorMnu", "DimVertMnu", "DimRotMnu", "DimAngleMnu", "DimLeaderMnu", "HatchMnu",
     "InteliHatchMnu"},
    {"UndoMnu", "ClipCutMnu", "ClipCopyMnu", "ClipPasteMnu", "DeleteMnu", "MoveMnu", "MoveToCenMnu",
     "AlignMnu", "CopyMnu", "CopyToActiveMnu", "ArrayRectMnu", "ArrayPolarMnu", "RotateMnu", "MirrorMnu",
     "ScaleMnu", "SizeMnu", "ChangeLayerMnu", "GroupMnu", "UnGroupMnu"},
    {"ChangeStartMnu", "ChangeDirMnu", "FiltrMnu", "DivideMnu", "TrimMnu", "BreakMnu", "ExtendMnu",
     "FilletOneMnu", "FilletAllMnu", "FilletOffsMnu", "ChamferOneMnu", "ChamferAllMnu", "OffsetMnu",
     "WeldMnu", "MarkMnu", "JoinMnu", "ExplodeMnu"},
    {"StyleMnu", "NewTextMnu", "EditTextMnu", "ExplodeTextMnu", "ChangeTextsMnu", "AddCharMnu",
     "ReloadFontsMnu"},
    {"ToolMnu", "Knihovnanstroj1", "LengthMnu", "OpEditMNU", "SurfaceMNU", "ContourMnu", "MeandrMnu",
     "InteliMeandrMnu", "BridgeMnu", "OneToStartMnu", "ToStartMnu", "OneToEndMnu", "ToEndMnu", "ToPosMnu",
     "OrigToFrontMnu", "SortMnu"},
}};
const int FirstPicture[8] = {8, 18, 33, 36, 51, 70, 87, 94};
}  // namespace

std::string IconFileName(int k) {
    if (k < 0 || k >= 110) return "";
    return std::string("IcoBtnMNU") + IconWords[k] + ".bmp";
}

const std::vector<const char*>& IconGroupItems(int G) {
    static const std::vector<const char*> None;
    return G >= 0 && G < 8 ? IconTable[size_t(G)] : None;
}

int IconGroupFirstPicture(int G) { return G >= 0 && G < 8 ? FirstPicture[G] : 0; }

std::vector<std::string> DefaultComSetLines() {
    // The rows that have no item of their own.
    struct TExtra { const char* Keyword; const char* Caption; const char* Alias; const char* Short; };
    static const TExtra Extra[] = {
        {"REDRAW", "Překreslit", "R", "F5"},   {"ZOOMW", "Okno", "Z", ""},
        {"ZOOMIN", "Zvětšit", "", ""},         {"ZOOMPR", "Předchozí", "", ""},
        {"ZOOMOBJ", "Objekty", "", ""},        {"ZOOMLIM", "Limity kresby", "", ""},
        {"LAYER", "Hladiny a směry", "LA", "F3"}, {"GRID", "Mřížka", "", "F7"},
        {"ORTHO", "Ortogonálně", "", "F8"},    {"SNAP", "Krok", "", "F9"},
        {"SNAPUP", "Zvětšit krok", "", ""},    {"SNAPDN", "Zmenšit krok", "", ""},
        {"EXIT", "Konec", "", "Alt+X"},        {"RELOADFONTS", "Znovu načíst fonty", "", ""},
        {"SPEC", "Speciál", "", ""},           {"ENGRBLOCK", "Gravírovací blok", "", ""},
        {"OPDELETE", "Smazat operaci", "", ""},
    };
    InitComTable();
    for (int i = 1; i <= BuiltInComCount; ++i) {
        TPrikaz& P = Prikaz[i];
        for (const TMenuGroupDef& G : MenuDesign())
            for (const TMenuDef& I : G.Items)
                if (P.Orig == I.Keyword) {
                    P.MenuName = I.Caption;
                    SetComAlias(P, I.Alias);
                    P.Short = I.Short;
                }
        for (const TExtra& E : Extra)
            if (P.Orig == E.Keyword) {
                P.MenuName = E.Caption;
                SetComAlias(P, E.Alias);
                P.Short = E.Short;
            }
    }
    auto A = ComSetLines();
    std::vector<std::string> Out(A.begin(), A.end());
    InitComTable();
    return Out;
}

const std::vector<TOsnapPicture>& OsnapPictures() {
    static const std::vector<TOsnapPicture> P = {
        {"SpdBtnEnd", "IcoOsnapEnd.bmp", "osnapend"}, {"SpdBtnMid", "IcoOsnapMid.bmp", "osnapmid"},
        {"SpdBtnCen", "IcoOsnapCen.bmp", "osnapcen"}, {"SpdBtnInt", "IcoOsnapInt.bmp", "osnapint"},
        {"SpdBtnPer", "IcoOsnapPer.bmp", "osnapper"}, {"SpdBtnTan", "IcoOsnapTan.bmp", "osnaptan"},
    };
    return P;
}

std::vector<std::pair<std::string, std::string>> ToolbarPictureFiles() {
    std::vector<std::pair<std::string, std::string>> Files;
    for (int k = 0; k < IconPictureCount - 1; ++k) Files.emplace_back(IconFileName(k), IconWords[k]);
    for (const TOsnapPicture& O : OsnapPictures()) Files.emplace_back(O.File, O.Word);
    return Files;
}
