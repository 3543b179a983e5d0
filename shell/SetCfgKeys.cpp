#include "shell/SetCfgKeys.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <unordered_map>

#include "cam/ContourDg.h"
#include "cam/FillDg.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ParText.h"
#include "formats/HPInDg.h"
#include "formats/HPOutDg.h"
#include "shell/SetCfg.h"
#include "shell/SetDg.h"

namespace {

constexpr Extended DegToRad = std::numbers::pi_v<Extended> / 180;

std::string BoolStr(bool b) { return b ? "TRUE" : "FALSE"; }
bool ReadBool(std::string_view v) {
    if (v.size() != 4) return false;
    for (size_t i = 0; i < 4; ++i)
        if ((v[i] >= 'a' && v[i] <= 'z' ? char(v[i] - 'a' + 'A') : v[i]) != "TRUE"[i]) return false;
    return true;
}

// The block writes reals through a double, rounded to 15 digits: a number beyond the
// double range could not be written back, nor could one whose rounding passes the
// largest double, so both are refused like any other text that is no number.
constexpr Extended MaxCfgNumber = 1e308L;
bool ReadNumber(const std::string& v, Extended& x) {
    return StrToExtCalc(v, x, false) && std::fabs(x) <= MaxCfgNumber;
}
// The largest float setting: its 15-digit text stays below the largest float.
constexpr float MaxCfgSingle = 3.4e38f;

// "0." + n zeros -> n (the characters after the last ".").
std::string DigitCount(const std::string& pattern) {
    size_t dot = pattern.rfind('.');
    size_t n = dot == std::string::npos ? pattern.size() : pattern.size() - 1 - dot;
    return std::to_string(n);
}

void ReadDigits(const std::string& v, int maxDigits, std::string& pattern) {
    Extended x;
    if (!ReadNumber(v, x)) return;
    if (x < 1) x = 1;
    if (x > maxDigits) x = maxDigits;
    int n = int(std::nearbyint(double(x)));  // halves to the even neighbour
    pattern = "0." + std::string(size_t(n), '0');
}

void SetRadio(TRadioButton* b, bool on) {
    if (!b) return;
    b->Checked = on;
    if (on && b->Parent)
        for (TControl* c : b->Parent->Children)
            if (c != b && dynamic_cast<TRadioButton*>(c)) c->Checked = false;
}

using Keys = std::vector<TCfgKey>;

void Int(Keys& k, const char* key, int32_t& f) {
    k.push_back({key, [&f] { return std::to_string(f); },
                 [&f](const std::string& v, TCfgReadState&) {
                     int32_t i;
                     if (CfgIntReading(v, i)) f = i;
                 }, {}});
}

// Colours are written and read as integers.
void Color(Keys& k, const char* key, uint32_t& f) {
    k.push_back({key, [&f] { return std::to_string(int32_t(f)); },
                 [&f](const std::string& v, TCfgReadState&) {
                     int32_t i;
                     if (CfgIntReading(v, i)) f = uint32_t(i);
                 }, {}});
}

// One byte: values outside 0..255 are rejected. Regional: written as a regional real.
void Byte(Keys& k, const char* key, uint8_t& f, bool regional = false) {
    k.push_back({key, [&f, regional] {
                     return regional ? CfgRegionalReal(f) : std::to_string(int(f));
                 },
                 [&f](const std::string& v, TCfgReadState&) {
                     int32_t i;
                     if (CfgIntReading(v, i) && i >= 0 && i <= 255) f = uint8_t(i);
                 }, {}});
}

// An integer applied when the value is a number by the calculator rule; a number that
// is not a whole integer is rounded.
void IntByNumber(Keys& k, const char* key, int32_t& f) {
    k.push_back({key, [&f] { return std::to_string(f); },
                 [&f](const std::string& v, TCfgReadState&) {
                     Extended x;
                     if (!ReadNumber(v, x)) return;
                     int32_t i;
                     if (CfgIntReading(v, i)) f = i;
                     else if (std::fabs(x) < 2147483647.0L) f = int32_t(std::lround(double(x)));
                 }, {}});
}

// An integer applied when it reads both as an integer and as a number.
void IntAndNumber(Keys& k, const char* key, int32_t& f, bool regional) {
    k.push_back({key, [&f, regional] {
                     return regional ? CfgRegionalReal(f) : std::to_string(f);
                 },
                 [&f](const std::string& v, TCfgReadState&) {
                     Extended x;
                     int32_t i;
                     if (CfgIntReading(v, i) && ReadNumber(v, x)) f = i;
                 }, {}});
}

void Num(Keys& k, const char* key, Extended& f) {
    k.push_back({key, [&f] { return CfgRegionalReal(f); },
                 [&f](const std::string& v, TCfgReadState&) {
                     Extended x;
                     if (ReadNumber(v, x)) f = x;
                 }, {}});
}

void Single(Keys& k, const char* key, float& f) {
    k.push_back({key, [&f] { return CfgRegionalReal(f); },
                 [&f](const std::string& v, TCfgReadState&) {
                     Extended x;
                     // Beyond the float range it has no float value: refused. The float
                     // is written with 15 digits, which keep its excess over the number
                     // read: the float itself must stay short of the largest one.
                     if (!ReadNumber(v, x) || !(std::fabs(x) <= std::numeric_limits<float>::max())) return;
                     if (std::fabs(float(x)) <= MaxCfgSingle) f = float(x);
                 }, {}});
}

void Bool(Keys& k, const char* key, bool& f) {
    k.push_back({key, [&f] { return BoolStr(f); },
                 [&f](const std::string& v, TCfgReadState&) { f = ReadBool(v); }, {}});
}

// UTF-8 setting, 8-bit in the file.
void Text(Keys& k, const char* key, std::string& f) {
    k.push_back({key, [&f] { return Utf8ToCp1250(f); },
                 [&f](const std::string& v, TCfgReadState&) { f = Cp1250ToUtf8(v); }, {}});
}

// Real written with ExtToStr ("."); Deg: stored in radians, written in degrees.
void FileReal(Keys& k, const char* key, Extended& f, bool deg) {
    k.push_back({key, [&f, deg] { return ExtToStr(deg ? f / DegToRad : f); },
                 [&f, deg](const std::string& v, TCfgReadState&) {
                     Extended x;
                     if (ReadNumber(v, x)) f = deg ? x * DegToRad : x;
                 }, {}});
}

// The text of an edit of a dialog that may not exist yet.
using EditOf = std::function<TEdit*()>;

void EditText(Keys& k, const char* key, EditOf e) {
    k.push_back({key, [e] { return e() ? Utf8ToCp1250(e()->Text) : std::string(); },
                 [e](const std::string& v, TCfgReadState&) {
                     if (e()) e()->Text = Cp1250ToUtf8(v);
                 }, {}});
}

void EditNumber(Keys& k, const char* key, EditOf e) {
    k.push_back({key, [e] { return e() ? Utf8ToCp1250(e()->Text) : std::string(); },
                 [e](const std::string& v, TCfgReadState&) {
                     Extended x;
                     if (e() && ReadNumber(v, x)) e()->Text = CfgRegionalReal(x);
                 }, {}});
}

void TextStyleKeys(Keys& k, const std::string& prefix, ParText& p) {
    auto key = [&prefix](const char* name) { return prefix + name; };
    k.push_back({key("Font"), [&p] { return p.JmFontu; },
                 [&p](const std::string& v, TCfgReadState&) { p.JmFontu = v.substr(0, 37); }, {}});
    FileReal(k, "", p.Vyska, false);
    k.back().Key = key("Heigth");
    FileReal(k, "", p.WidthFactor, false);
    k.back().Key = key("WidthFactor");
    FileReal(k, "", p.Rotate, true);
    k.back().Key = key("Rotate");
    FileReal(k, "", p.Zkos, true);
    k.back().Key = key("Angle");
    Bool(k, "", p.MirrorY);
    k.back().Key = key("MirrorY");
    Byte(k, "", p.Justify);
    k.back().Key = key("Justify");
}

// A layer name must not hold the comma that separates the packed fields.
std::string PackedLayerName(const std::string& name) {
    std::string s = Utf8ToCp1250(name);
    for (char& c : s)
        if (c == ',') c = ' ';
    return s;
}

// Appended line by line, each made in place (68 layers, four lines each unpacked).
void LayerLines(bool pack, std::vector<std::string>& out) {
    for (int n = 1; n <= LayerCount; ++n) {
        const TLayer& l = Glob.TabLayer[n];
        const std::string ln = "  Layer" + std::to_string(n);
        auto line = [&](const char* field, const std::string& value) {
            std::string& s = out.emplace_back();
            s.reserve(ln.size() + 8 + value.size());
            s.append(ln).append(field).append(value);
        };
        if (pack) {
            std::string v = PackedLayerName(l.Name);
            v.append(l.Show ? ",1," : ",0,").append(std::to_string(int32_t(l.Color))).append(l.Apply ? ",1" : ",0");
            line("=", v);
        } else {
            line("Name=", Utf8ToCp1250(l.Name));
            line("Show=", BoolStr(l.Show));
            line("Color=", std::to_string(int32_t(l.Color)));
            line("Apply=", BoolStr(l.Apply));
        }
    }
}

Keys BuildKeys() {
    Keys k;
    TGlob& g = Glob;
    Byte(k, "JobType", g.JobType);
    Byte(k, "StockShape", g.StockShape);
    Byte(k, "StockOrigin", g.StockOrigin);
    Num(k, "StockSizeX", g.StockSize.x);
    Num(k, "StockSizeY", g.StockSize.y);
    Num(k, "StockSizeZ", g.StockSize.z);
    IntByNumber(k, "StockMaterial", g.MID);
    IntByNumber(k, "ToolLocation", g.ToolLoc);
    Int(k, "SinumStopMode", g.SinumStopMode);
    Num(k, "MinLimX", g.MinLim.x);
    Num(k, "MinLimY", g.MinLim.y);
    Num(k, "MaxLimX", g.MaxLim.x);
    Num(k, "MaxLimY", g.MaxLim.y);
    Color(k, "BackColor", g.BackColor);
    Color(k, "OutLimColor", g.OutLimColor);
    Color(k, "GridColor", g.GridColor);
    Color(k, "CrossHairColor", g.CrossHairColor);
    Color(k, "SelObjColor", g.SelObjColor);
    Color(k, "PrevObjColor", g.PrevObjColor);
    Color(k, "OsnapColor", g.OSnapColor);
    Color(k, "PrevSelContColor", g.PrevSelContColor);
    Color(k, "PrevSelSurfColor", g.PrevSelSurfColor);
    Single(k, "SelObjOpac", g.SelObjOpac);
    Single(k, "PrevObjOpac", g.PrevObjOpac);
    Single(k, "RapidsOpac", g.RapidsOpac);
    Single(k, "CrosshairOpac", g.CrossHairOpac);
    Single(k, "RasterOpac", g.RasterOpac);
    Single(k, "OsnapOpac", g.OSnapOpac);
    Single(k, "ObjOpac", g.ObjOpac);
    Single(k, "PrevSelContOpac", g.PrevSelContOpac);
    Single(k, "PrevSelSurfOpac", g.PrevSelSurfOpac);
    Int(k, "SelObjWidth", g.SelObjWidth);
    Int(k, "PrevObjWidth", g.PrevObjWidth);
    Int(k, "RapidsWidth", g.RapidsWidth);
    Int(k, "ObjWidth", g.ObjWidth);
    Int(k, "OsnapWidth", g.OsnapWidth);
    Int(k, "CrossHairWidth", g.CrossHairWidth);
    Int(k, "RasterWidth", g.RasterWidth);
    Int(k, "PrevSelContWidth", g.PrevSelContWidth);
    Num(k, "GridStartX", g.GridStart.x);
    Num(k, "GridStartY", g.GridStart.y);
    Num(k, "GridDistX", g.GridDist.x);
    Num(k, "GridDistY", g.GridDist.y);
    IntByNumber(k, "GridType", g.GridType);
    Num(k, "SnapStartX", g.SnapStart.x);
    Num(k, "SnapStartY", g.SnapStart.y);
    Num(k, "SnapDistX", g.SnapDist.x);
    Num(k, "SnapDistY", g.SnapDist.y);
    Num(k, "ASnapDist", g.ASnapDist);
    Num(k, "SnapRatio", g.SnapRatio);
    Byte(k, "SelectSize", g.SelectSize, true);
    Byte(k, "OsnapSize", g.OsnapSize, true);
    Byte(k, "OsnapSymbSize", g.OsnapSymbSize, true);
    Num(k, "ZoomInRatio", g.ZoomInRatio);
    Num(k, "PanRatio", g.PanRatio);
    Num(k, "WheelRatio", g.WheelRatio);
    Bool(k, "CheckBoxWheel", g.WheelCheck);
    Bool(k, "ZoomCenter", g.ZoomCenter);
    Bool(k, "CheckUpdates", g.CheckUpdates);
    Text(k, "UpdateServer", g.UpdateServer);
    Byte(k, "CursorType", g.CursorType);
    k.push_back({"DecNum", [&g] { return DigitCount(g.DecNum); },
                 [&g](const std::string& v, TCfgReadState&) { ReadDigits(v, 6, g.DecNum); }, {}});
    Num(k, "JoinTol", g.JoinTol);
    Num(k, "OSExplode", g.OSExplode);
    Num(k, "InputFiltr", g.InputFiltr);
    k.push_back({"MinOffsArc", [&g] { return CfgRegionalReal(g.MinOffsArc / DegToRad); },
                 [&g](const std::string& v, TCfgReadState&) {
                     Extended x;
                     if (ReadNumber(v, x)) g.MinOffsArc = x * DegToRad;
                 }, {}});
    Bool(k, "DimGroup", g.DimGroup);
    Bool(k, "DimLayerKot", g.DimLayerKot);
    k.push_back({"DimDecNum", [&g] { return DigitCount(g.DimDecForm); },
                 [&g](const std::string& v, TCfgReadState&) { ReadDigits(v, 4, g.DimDecForm); }, {}});
    Num(k, "DimArrowLen", g.DimArrowLen);
    Bool(k, "HatchGroup", g.HatchGroup);
    Bool(k, "HatchLayerKot", g.HatchLayerKot);
    // Keep-or-delete choices of ROTATE, MIRROR and OFFSET: the keep buttons; the
    // delete buttons follow after every line.
    struct Pair { const char* key; TRadioButton* TSetDialog::*keep; };
    for (Pair p : {Pair{"RotateLeave", &TSetDialog::RBtnRotLeave},
                   Pair{"MirrorLeave", &TSetDialog::RBtnMirLeave},
                   Pair{"OffsetLeave", &TSetDialog::RbtnOffLeave}}) {
        auto keep = p.keep;
        k.push_back({p.key, [keep] { return BoolStr(SetDialog && (SetDialog->*keep)->Checked); },
                     [keep](const std::string& v, TCfgReadState&) {
                         if (SetDialog) SetRadio(SetDialog->*keep, ReadBool(v));
                     }, {}});
    }
    Bool(k, "ContGroup", g.ContGroup);
    Bool(k, "ManipShowObj", g.ManipShowObj);
    Byte(k, "ViewPanelOps", g.ViewPanelOps);
    Byte(k, "ViewPanelLays", g.ViewPanelLays);
    Byte(k, "ViewPanelIcons", g.ViewPanelIcons);
    Byte(k, "ViewPanelMenu", g.ViewPanelMenu);
    Bool(k, "AutoLayerNum", g.AutoLayNum);
    Bool(k, "AutoRegen", g.AutoRegen);
    Bool(k, "AutoLayerRecalc", g.AutoLayRecalc);
    Bool(k, "CopyCamOps", g.CopyCamOps);
    Bool(k, "AutoApplyToolOpen", g.AutoApplyToolOpen);
    Bool(k, "ShowNewFileDg", g.ShowNewFileDg);
    Bool(k, "SaveBakFiles", g.SaveBakFiles);
    Text(k, "BakFilesDir", g.BakFilesDir);
    Text(k, "GCodeEdit", g.GCodeEd);
    Bool(k, "ReadYdfCfg", g.ReadYdfCfg);
    Bool(k, "DefmatToNewTool", g.DefMatToNewTool);
    IntAndNumber(k, "AutoSave", g.AutoSave, true);
    IntAndNumber(k, "MaxUndo", g.MaxUndo, true);
    IntAndNumber(k, "MaxFileHist", g.MaxFileHist, false);
    IntAndNumber(k, "MaxShowLogCount", g.MaxShowLogCount, false);
    Bool(k, "TextEnv", g.TextEnv);
    k.push_back({"Layer", {}, {}, LayerLines});
    Byte(k, "LayerDraw", g.LayerDraw);
    for (int d = 0; d < DirKindCount; ++d) {
        const std::string n = "Direct" + std::to_string(d + 1);
        Bool(k, "", g.Direct[d].Show);
        k.back().Key = n + "Show";
        Color(k, "", g.Direct[d].Color);
        k.back().Key = n + "Color";
    }
    Bool(k, "Arrow", g.Arrow);
    Bool(k, "SortPrejezdy", g.Sort.Prejezdy);
    Bool(k, "SortCisla", g.Sort.Cisla);
    Color(k, "SortPointColor", g.Sort.PointColor);
    Color(k, "SortPlineColor", g.Sort.PlineColor);
    Color(k, "SortTextColor", g.Sort.TextColor);
    Color(k, "SortGroupColor", g.Sort.GroupColor);
    EditText(k, "HpImpX", [] { return HPInputDialog ? HPInputDialog->EditXscale : nullptr; });
    EditText(k, "HpImpY", [] { return HPInputDialog ? HPInputDialog->EditYscale : nullptr; });
    EditText(k, "HpExpX", [] { return HPOutputDialog ? HPOutputDialog->EditXscale : nullptr; });
    EditText(k, "HpExpY", [] { return HPOutputDialog ? HPOutputDialog->EditYscale : nullptr; });
    Num(k, "EpsImpErr", g.ErrorConv);
    Bool(k, "ShowContours", g.OpShowContours);
    Bool(k, "ShowPockets", g.OpShowPockets);
    Bool(k, "ShowSurfaces", g.OpShowSurfaces);
    TextStyleKeys(k, "", TextStyle);
    TextStyleKeys(k, "Dim", DimTextStyle);
    k.push_back({"ContInside",
                 [] {
                     return BoolStr(ContourDialog && (ContourDialog->RBtnInside->Checked ||
                                                      ContourDialog->RBtnBoth->Checked));
                 },
                 [](const std::string& v, TCfgReadState& st) { st.Inside = ReadBool(v); }, {}});
    k.push_back({"ContOutside",
                 [] {
                     return BoolStr(ContourDialog && (ContourDialog->RBtnOutside->Checked ||
                                                      ContourDialog->RBtnBoth->Checked));
                 },
                 [](const std::string& v, TCfgReadState& st) { st.Outside = ReadBool(v); }, {}});
    k.push_back({"ContSousl",
                 [] { return BoolStr(ContourDialog && ContourDialog->RBtnSousledne->Checked); },
                 [](const std::string& v, TCfgReadState&) {
                     if (ContourDialog && ReadBool(v)) SetRadio(ContourDialog->RBtnSousledne, true);
                 }, {}});
    EditNumber(k, "ContAdd", [] { return ContourDialog ? ContourDialog->EditPridavek : nullptr; });
    EditNumber(k, "ContDepth", [] { return ContourDialog ? ContourDialog->EditDepth : nullptr; });
    Byte(k, "SmallTool", g.SmallTool);
    auto fill = [](TEdit* TFillDialog::*e) {
        return [e]() -> TEdit* { return FillDialog ? FillDialog->*e : nullptr; };
    };
    EditNumber(k, "MeaAllErr", fill(&TFillDialog::EditAllError));
    EditNumber(k, "MeaThinErr", fill(&TFillDialog::EditThinError));
    EditNumber(k, "MeaHatAngle", fill(&TFillDialog::EditUhelSraf));
    EditNumber(k, "MeaHatOver", fill(&TFillDialog::EditPresahSrafMm));
    EditNumber(k, "MeaHatAdd", fill(&TFillDialog::EditPridSrafMm));
    k.push_back({"MeaFinSousl",
                 [] { return BoolStr(FillDialog && FillDialog->RBtnSousl->Checked); },
                 [](const std::string& v, TCfgReadState&) {
                     if (!FillDialog) return;
                     bool on = ReadBool(v);
                     SetRadio(FillDialog->RBtnSousl, on);
                     SetRadio(FillDialog->RBtnNesousl, !on);
                 }, {}});
    EditNumber(k, "SmallHatAngle", fill(&TFillDialog::EditSmUhelSraf));
    EditNumber(k, "SmallHatOver", fill(&TFillDialog::EditSmPresahSraf));
    EditNumber(k, "SmallHatAdd", fill(&TFillDialog::EditSmPridSraf));
    return k;
}

} // namespace

const std::vector<TCfgKey>& CfgKeys() {
    static const Keys keys = BuildKeys();
    return keys;
}

const TCfgKey* FindCfgKey(const std::string& Key) {
    // Every line of a settings block looks its key up: hashed, not compared along a tree.
    static const std::unordered_map<std::string, const TCfgKey*> byKey = [] {
        std::unordered_map<std::string, const TCfgKey*> m;
        for (const TCfgKey& k : CfgKeys())
            if (k.Read) m.emplace(UpCaseStr(k.Key), &k);
        return m;
    }();
    auto it = byKey.find(Key);
    return it == byKey.end() ? nullptr : it->second;
}

void ReadLayerLine(std::string_view Key, std::string_view Value, const TCfgReadState& St) {
    // Views into the line: every layer line of a block comes here, without copies.
    if (Key.compare(0, 5, "LAYER") != 0) return;
    size_t i = 5;
    int n = 0;
    size_t digits = 0;
    while (i < Key.size() && Key[i] >= '0' && Key[i] <= '9' && digits < 3) {
        n = n * 10 + (Key[i] - '0');
        ++i;
        ++digits;
    }
    if (digits == 0 || Key[5] == '0' || n < 1 || n > LayerCount) return;
    const std::string_view suffix = Key.substr(i);
    TLayer& l = Glob.TabLayer[n];
    int32_t color;
    if (St.Packed) {
        if (!suffix.empty()) return;
        size_t c1 = Value.find(',');
        if (c1 == std::string_view::npos) return;
        std::string_view rest = Value.substr(c1 + 1);  // the name is not applied
        if (rest.empty()) return;
        l.Show = rest[0] == '1';
        rest = rest.size() >= 2 ? rest.substr(2) : std::string_view();
        size_t c2 = rest.find(',');
        if (c2 == std::string_view::npos) {
            if (CfgIntReading(rest, color)) l.Color = uint32_t(color);
            return;
        }
        if (CfgIntReading(rest.substr(0, c2), color)) l.Color = uint32_t(color);
        if (c2 + 1 < rest.size()) l.Apply = rest[c2 + 1] == '1';
        return;
    }
    if (suffix == "SHOW") l.Show = ReadBool(Value);
    else if (suffix == "COLOR") {
        if (CfgIntReading(Value, color)) l.Color = uint32_t(color);
    } else if (suffix == "APPLY") l.Apply = ReadBool(Value);
}
