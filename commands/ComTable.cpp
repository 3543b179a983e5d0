#include "commands/UniCom.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "shell/UniLang.h"

std::array<TPrikaz, ComCount + 1> Prikaz;

namespace {

// The built-in keywords in table order: keyword, undo default, menu item.
const TBuiltInCom BuiltIn[BuiltInComCount + 1] = {
    {"", false, ""},
    {"NEW", true, "NewMnu"}, // 1
    {"OPEN", true, "OpenMnu"}, // 2
    {"IMPORT", true, "ImportMnu"}, // 3
    {"SAVE", false, "SaveMnu"}, // 4
    {"SAVEAS", false, "SaveAsMnu"}, // 5
    {"EXPORT", false, "ExportMnu"}, // 6
    {"EXPORTSEL", false, "ExportSelMnu"}, // 7
    {"SET", false, "SetMnu"}, // 8
    {"PRINT", false, "PrintMnu"}, // 9
    {"EXIT", false, "ExitMnu"}, // 10
    {"UNDO", false, "UndoMnu"}, // 11
    {"REDRAW", false, "RedrawMnu"}, // 12
    {"ZOOMW", false, "ZoomWindowMnu"}, // 13
    {"ZOOMIN", false, "ZoomInMnu"}, // 14
    {"ZOOMPR", false, "ZoomPreviewMnu"}, // 15
    {"ZOOMOBJ", false, "ZoomObjectMnu"}, // 16
    {"ZOOMLIM", false, "ZoomLimitsMnu"}, // 17
    {"LAYER", false, "LayerMnu"}, // 18
    {"GRID", false, "GridOnMnu"}, // 19
    {"ORTHO", false, "OrthoOnMnu"}, // 20
    {"SNAP", false, "SnapOnMnu"}, // 21
    {"SNAPUP", false, "SnapUpMnu"}, // 22
    {"SNAPDN", false, "SnapDnMnu"}, // 23
    {"POINT", true, "PointMnu"}, // 24
    {"LINE", true, "LineMnu"}, // 25
    {"ARC", true, "ArcMnu"}, // 26
    {"CIRCLE", true, "CircleMnu"}, // 27
    {"RECTANGLE", true, "RectangleMnu"}, // 28
    {"POLYLINE", true, "PolylineMnu"}, // 29
    {"DIMSTYLE", false, "DimStyleMnu"}, // 30
    {"DIMHOR", true, "DimHorMnu"}, // 31
    {"DIMVERT", true, "DimVertMnu"}, // 32
    {"DIMROT", true, "DimRotMnu"}, // 33
    {"DIMANGLE", true, "DimAngleMnu"}, // 34
    {"DIMLEADER", true, "DimLeaderMnu"}, // 35
    {"HATCH", true, "HatchMnu"}, // 36
    {"INTELIHATCH", true, "InteliHatchMnu"}, // 37
    {"CLIPCUT", true, "ClipCutMnu"}, // 38
    {"CLIPCOPY", false, "ClipCopyMnu"}, // 39
    {"CLIPPASTE", true, "ClipPasteMnu"}, // 40
    {"DELETE", true, "DeleteMnu"}, // 41
    {"MOVE", true, "MoveMnu"}, // 42
    {"MOVETOCEN", true, "MoveToCenMnu"}, // 43
    {"ALIGN", true, "AlignMnu"}, // 44
    {"COPY", true, "CopyMnu"}, // 45
    {"COPYTOACTIVE", true, "CopyToActiveMnu"}, // 46
    {"RECTARR", true, "ArrayRectMnu"}, // 47
    {"POLARARR", true, "ArrayPolarMnu"}, // 48
    {"ROTATE", true, "RotateMnu"}, // 49
    {"SCALE", true, "ScaleMnu"}, // 50
    {"SIZE", true, "SizeMnu"}, // 51
    {"MIRROR", true, "MirrorMnu"}, // 52
    {"CHANGELAYER", true, "ChangeLayerMnu"}, // 53
    {"GROUP", true, "GroupMnu"}, // 54
    {"UNGROUP", true, "UnGroupMnu"}, // 55
    {"CHANGESTART", true, "ChangeStartMnu"}, // 56
    {"CHANGEDIR", true, "ChangeDirMnu"}, // 57
    {"FILTR", true, "FiltrMnu"}, // 58
    {"DIVIDE", true, "DivideMnu"}, // 59
    {"TRIM", true, "TrimMnu"}, // 60
    {"BREAK", true, "BreakMnu"}, // 61
    {"EXTEND", true, "ExtendMnu"}, // 62
    {"FILLETONE", true, "FilletOneMnu"}, // 63
    {"FILLETALL", true, "FilletAllMnu"}, // 64
    {"FILLETOFFS", true, "FilletOffsMnu"}, // 65
    {"CHAMFERONE", true, "ChamferOneMnu"}, // 66
    {"CHAMFERALL", true, "ChamferAllMnu"}, // 67
    {"OFFSET", true, "OffsetMnu"}, // 68
    {"WELD", true, "WeldMnu"}, // 69
    {"MARK", true, "MarkMnu"}, // 70
    {"JOIN", true, "JoinMnu"}, // 71
    {"EXPLODE", true, "ExplodeMnu"}, // 72
    {"STYLE", false, "StyleMnu"}, // 73
    {"TEXT", true, "NewTextMnu"}, // 74
    {"EDITTEXT", true, "EditTextMnu"}, // 75
    {"TEXTTOPLINE", true, "ExplodeTextMnu"}, // 76
    {"CHANGETEXTS", true, "ChangeTextsMnu"}, // 77
    {"ONETOEND", true, "OneToEndMnu"}, // 78
    {"ONETOSTART", true, "OneToStartMnu"}, // 79
    {"TOEND", true, "ToEndMnu"}, // 80
    {"TOSTART", true, "ToStartMnu"}, // 81
    {"TOPOS", true, "ToPosMnu"}, // 82
    {"ORIGTOFRONT", true, "OrigToFrontMnu"}, // 83
    {"STATISTIC", false, "LengthMnu"}, // 84
    {"HISTORY", false, "HistoryMnu"}, // 85
    {"TOOL", false, "ToolMnu"}, // 86
    {"CONTOUR", true, "ContourMnu"}, // 87
    {"MEANDR", true, "MeandrMnu"}, // 88
    {"INTELIMEANDR", true, "InteliMeandrMnu"}, // 89
    {"BRIDGE", true, "BridgeMnu"}, // 90
    {"DIST", false, "DistMnu"}, // 91
    {"POINTTOCIR", true, "PointToCircleMnu"}, // 92
    {"ADDCHAR", false, "AddCharMnu"}, // 93
    {"SORT", true, "SortMnu"}, // 94
    {"INFO", false, "InfoMnu"}, // 95
    {"SPEC", true, ""}, // 96
    {"ENGRBLOCK", false, ""}, // 97
    {"RELOADFONTS", false, "ReloadFontsMnu"}, // 98
    {"OPEDIT", true, "OpEditMNU"}, // 99
    {"OPDELETE", true, ""}, // 100
    {"SURFACE", true, "SurfaceMNU"}, // 101
};

std::string TrimBlanks(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (unsigned char)s[b] <= ' ') ++b;
    while (e > b && (unsigned char)s[e - 1] <= ' ') --e;
    return s.substr(b, e - b);
}

// The text before the first blank (the whole text when it holds none).
std::string CutAtBlank(const std::string& s) { return s.substr(0, s.find(' ')); }

bool IsStartComLine(const std::string& line) {
    return CutAtBlank(UpCaseStr(TrimBlanks(line))) == "STARTCOM";
}

// Takes the text before the next "=" off Rest (all of Rest when none follows).
std::string NextField(std::string_view& rest, bool& more) {
    size_t p = rest.find('=');
    std::string f(rest.substr(0, p));
    more = p != std::string_view::npos;
    rest = more ? rest.substr(p + 1) : std::string_view();
    return f;
}

// The keyword of every entry, upper case: the built-in ones, then USER0..USER99. Made
// once; the table is filled from it at every start and every load of "ComSet.cfg".
const std::array<std::string, ComCount + 1>& OrigNames() {
    static const std::array<std::string, ComCount + 1> names = [] {
        std::array<std::string, ComCount + 1> n;
        for (int i = 1; i <= BuiltInComCount; ++i) n[i] = UpCaseStr(BuiltIn[i].Keyword);
        for (int i = BuiltInComCount + 1; i <= ComCount; ++i) n[i] = "USER" + std::to_string(i - BuiltInComCount - 1);
        return n;
    }();
    return names;
}

// The entry of a keyword (0 when none): every line of "ComSet.cfg" looks its key up.
int OrigIndex(const std::string& Key) {
    static const std::unordered_map<std::string, int> index = [] {
        std::unordered_map<std::string, int> m;
        for (int i = 1; i <= ComCount; ++i) m.emplace(OrigNames()[i], i);
        return m;
    }();
    const auto it = index.find(Key);
    return it == index.end() ? 0 : it->second;
}

} // namespace

const TBuiltInCom& BuiltInCom(int i) { return BuiltIn[i]; }

void InitComTable() {
    for (int i = 1; i <= ComCount; ++i) {
        TPrikaz& p = Prikaz[i];
        p.Orig = OrigNames()[i];
        p.User.clear();
        p.Short.clear();
        p.MenuName.clear();
        const bool builtIn = i <= BuiltInComCount;
        p.Undo = builtIn ? BuiltIn[i].Undo : true;
        p.RBtnRep = builtIn;
    }
}

void SetComAlias(TPrikaz& P, const std::string& Alias) { P.User = UpCaseStr(Alias); }

void ParseComSetLine(const std::string& Line) {
    std::string_view rest(Line);
    rest = rest.substr(0, rest.find(' '));
    if (rest.find('=') == std::string::npos) return;
    bool more = false;
    const std::string key = UpCaseStr(NextField(rest, more));
    const int i = OrigIndex(key);
    if (rest.empty() || i == 0 || Prikaz[i].Orig != key) return;
    std::string menu, user, flag, shortcut;
    menu = NextField(rest, more);
    if (more) user = UpCaseStr(NextField(rest, more));
    if (more) flag = UpCaseStr(NextField(rest, more));
    if (more) shortcut = std::string(rest);
    for (char& c : menu)
        if (c == '_') c = ' ';
    TPrikaz& p = Prikaz[i];
    p.User = Cp1250ToUtf8(user);
    p.Short = Cp1250ToUtf8(shortcut);
    p.MenuName = Cp1250ToUtf8(menu);
    if (flag == "FALSE") p.RBtnRep = false;
}

namespace {

// A key that two menu items share runs neither of them, so each key keeps one item:
// an item whose key the file gave yields to one that holds it by design, and of two
// items keyed by the file the earlier row keeps it.
void DropSharedShortCuts(TForm& MenuForm, const std::vector<TMenuItem*>& FromFile) {
    std::vector<TMenuItem*> Items;
    for (TControl* c : MenuForm.Components())
        if (auto* m = dynamic_cast<TMenuItem*>(c); m && !m->ShortCut.empty()) Items.push_back(m);
    auto Keyed = [&FromFile](const TMenuItem* m) {
        return std::find(FromFile.begin(), FromFile.end(), m) != FromFile.end();
    };
    // Design holders first, then the file's in row order.
    std::vector<TMenuItem*> Order;
    for (TMenuItem* m : Items)
        if (!Keyed(m)) Order.push_back(m);
    for (TMenuItem* m : FromFile)
        if (!m->ShortCut.empty()) Order.push_back(m);
    std::map<std::string, TMenuItem*> Holder;
    for (TMenuItem* m : Order) {
        const std::string Key = UpCaseStr(m->ShortCut);
        const auto [It, New] = Holder.emplace(Key, m);
        if (New) continue;
        WriteLog("Err:Shortcut " + m->ShortCut + " of " + m->Name + " already held by " + It->second->Name);
        m->ShortCut.clear();
    }
}

}  // namespace

bool LoadComSet(TForm* MenuForm) {
    WriteLog("Sys:Load Comset.cfg");
    InitComTable();
    const std::string path = ProgramDir + "/ComSet.cfg";
    std::vector<std::string> lines;
    if (!TextFileExists(path) || !ReadTextLines(path, lines)) {
        WriteLog("Err:FAILED Load ComSet.cfg, file not found");
        ShowMessage("Error:Comset.cfg not found");
        return false;
    }
    size_t i = 0;
    while (i < lines.size() && !IsStartComLine(lines[i])) ++i;
    if (i == lines.size()) return false;
    for (++i; i < lines.size(); ++i) ParseComSetLine(lines[i]);
    if (MenuForm) {
        std::vector<TMenuItem*> FromFile;
        for (int k = 1; k <= BuiltInComCount; ++k) {
            if (!*BuiltIn[k].MenuItem) continue;
            auto* item = MenuForm->Find<TMenuItem>(BuiltIn[k].MenuItem);
            if (!item) continue;
            // Surface's item takes the caption only.
            if (!Prikaz[k].Short.empty() && Prikaz[k].Orig != "SURFACE") {
                item->ShortCut = TextToShortCut(Prikaz[k].Short);
                FromFile.push_back(item);
            }
            item->Caption = Prikaz[k].MenuName;
        }
        DropSharedShortCuts(*MenuForm, FromFile);
    }
    return true;
}

std::array<std::string, BuiltInComCount + 1> ComSetLines() {
    std::array<std::string, BuiltInComCount + 1> out;
    out[0] = "STARTCOM";
    for (int i = 1; i <= BuiltInComCount; ++i) {
        const TPrikaz& p = Prikaz[i];
        std::string menu = p.MenuName;
        for (char& c : menu)
            if (c == ' ') c = '_';
        std::string line = p.Orig + "=" + menu + "=" + p.User + "=" + (p.RBtnRep ? "TRUE" : "FALSE");
        if (!p.Short.empty()) line += "=" + p.Short;
        out[i] = line;
    }
    return out;
}

bool SaveComSet() {
    WriteLog("Sys:Save Comset.cfg");
    const std::string path = ProgramDir + "/ComSet.cfg";
    if (!TextFileExists(path)) {
        WriteLog("Err:FAILED Save ComSet.cfg, file not found");
        ShowMessage("Error:Comset.cfg not found");
        return false;
    }
    std::vector<std::string> lines;
    for (const std::string& l : ComSetLines()) lines.push_back(Utf8ToCp1250(l));
    if (!WriteTextLinesSafe(path, lines)) {
        WriteLog("Err:FAILED Save ComSet.cfg, file not written");
        ShowFileNotWritten(path);
        return false;
    }
    return true;
}

std::string TextToShortCut(const std::string& S) {
    static const char* const names[] = {"BkSp", "Tab", "Enter", "Esc", "Space", "PgUp", "PgDn",
                                        "End", "Home", "Left", "Up", "Right", "Down", "Ins",
                                        "Del"};
    std::string out;
    // Modifiers first, each followed by "+"; walked by position, so a long text stays linear.
    size_t from = 0;
    for (;;) {
        size_t p = S.find('+', from);
        if (p == std::string::npos || p == from || p + 1 == S.size()) break;
        std::string mod = UpCaseStr(S.substr(from, p - from));
        if (mod == "CTRL") out += "Ctrl+";
        else if (mod == "SHIFT") out += "Shift+";
        else if (mod == "ALT") out += "Alt+";
        else return "";
        from = p + 1;
    }
    std::string key = UpCaseStr(S.substr(from));
    if (key.size() == 1 && ((key[0] >= 'A' && key[0] <= 'Z') || (key[0] >= '0' && key[0] <= '9')))
        return out + key;
    if (key.size() >= 2 && key.size() <= 3 && key[0] == 'F') {
        int n = 0;
        for (size_t i = 1; i < key.size(); ++i) {
            if (key[i] < '0' || key[i] > '9') return "";
            n = n * 10 + (key[i] - '0');
        }
        if (n >= 1 && n <= 12 && key[1] != '0') return out + key;
        return "";
    }
    for (const char* n : names)
        if (UpCaseStr(n) == key) return out + n;
    return "";
}
