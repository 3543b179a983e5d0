#include "shell/SetCfg.h"

#include <array>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <langinfo.h>
#include <locale.h>
#include <numbers>

#include "cam/ContourDg.h"
#include "cam/FillDg.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/IntFont.h"
#include "core/ParText.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "shell/SetCfgKeys.h"
#include "shell/SetDg.h"
#include "shell/UniLang.h"

std::function<void()> OnCfgMaxUndoChanged;
std::function<void()> OnCfgApplied;

namespace {
char SeparatorOverride = 0;
}

char CfgDecimalSeparator() {
    if (SeparatorOverride) return SeparatorOverride;
    // The user's locale, read without touching the program's own C locale; once, as
    // opening a locale costs more than printing the number that asks for it.
    static const char LocaleSep = [] {
        char sep = '.';
        if (locale_t loc = newlocale(LC_NUMERIC_MASK, "", (locale_t)0)) {
            const char* r = nl_langinfo_l(RADIXCHAR, loc);
            if (r && r[0] && !r[1]) sep = r[0];
            freelocale(loc);
        }
        return sep;
    }();
    return LocaleSep;
}

void SetCfgDecimalSeparator(char Sep) { SeparatorOverride = Sep; }

std::string CfgRegionalReal(long double X) {
    char buf[128];
    double d = double(X);
    // A zero is written "0": "-0" (a negative product of zero, or a negative number
    // too small for a double) reads back as a plain zero, and the block would change.
    if (!std::isfinite(d) || d == 0) d = 0;
    std::snprintf(buf, sizeof buf, "%.15g", d);
    std::string s = buf;
    if (s.find_first_of("eE") != std::string::npos) {
        // No exponents: the 15 significant digits placed around the point by hand
        // ("%f" would print a large number's binary expansion and overflow any
        // fixed buffer, and cut a tiny one to zero).
        std::snprintf(buf, sizeof buf, "%.14e", d);  // "-d.dddddddddddddde-XXX"
        std::string sci = buf;
        const bool neg = sci[0] == '-';
        const size_t e = sci.find('e');
        const int exp10 = std::atoi(sci.c_str() + e + 1);
        std::string digits;
        for (size_t i = neg ? 1 : 0; i < e; ++i)
            if (sci[i] >= '0' && sci[i] <= '9') digits += sci[i];
        while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
        if (exp10 >= 0) {
            const size_t intLen = size_t(exp10) + 1;
            if (digits.size() <= intLen) s = digits + std::string(intLen - digits.size(), '0');
            else s = digits.substr(0, intLen) + "." + digits.substr(intLen);
        } else {
            s = "0." + std::string(size_t(-exp10 - 1), '0') + digits;
        }
        if (neg) s = "-" + s;
    }
    // The C library may already use a locale's separator: both become the user's one.
    const char sep = CfgDecimalSeparator();
    for (char& c : s)
        if (c == '.' || c == ',') c = sep;
    return s;
}

bool CfgIntReading(std::string_view S, int32_t& Value) {
    size_t i = 0;
    while (i < S.size() && S[i] == ' ') ++i;
    bool neg = false;
    if (i < S.size() && (S[i] == '-' || S[i] == '+')) neg = S[i++] == '-';
    bool hex = false;
    if (i < S.size() && (S[i] == '$' || S[i] == 'x' || S[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < S.size() && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= S.size()) return false;
    uint64_t v = 0;
    size_t digits = 0;
    for (; i < S.size(); ++i, ++digits) {
        char c = S[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        if (hex) {
            if (digits >= 8) return false;
            v = v * 16 + uint64_t(d);
        } else {
            v = v * 10 + uint64_t(d);
            if (v > 2147483648ULL) return false;
        }
    }
    if (digits == 0) return false;
    if (hex) {
        uint32_t bits = uint32_t(v);
        if (neg) bits = uint32_t(0) - bits;
        Value = int32_t(bits);
        return true;
    }
    if (!neg && v > 2147483647ULL) return false;
    Value = neg ? int32_t(-int64_t(v)) : int32_t(v);
    return true;
}

std::string DefaultCfgPath() { return ProgramDir + "/Default.cfg"; }

std::vector<std::string> GlobalCfgLines(bool Pack) {
    // Each line is made in place: the block is written whenever a job is saved.
    std::vector<std::string> out;
    out.reserve(CfgKeys().size() + 4 * LayerCount + 3);
    out.push_back("SETUP");
    if (Pack) out.push_back("  PACKED");
    for (const TCfgKey& k : CfgKeys()) {
        if (k.WriteLines) {
            k.WriteLines(Pack, out);
        } else {
            const std::string value = k.Write();
            std::string& l = out.emplace_back();
            l.reserve(3 + k.Key.size() + value.size());
            l.append("  ").append(k.Key).append(1, '=').append(value);
        }
    }
    out.push_back("ENDSETUP");
    return out;
}

bool GlobalCfgToFile(const std::string& JmFile, bool Pack) {
    if (!AppendFileBytes(JmFile, JoinTextLines(GlobalCfgLines(Pack)))) {
        WriteLog("Err:FAILED Save CFG (" + JmFile + ")");
        return false;
    }
    return true;
}

bool WriteDefaultCfg() {
    std::vector<std::string> lines{DefaultCfgVersionLine};
    for (std::string& l : GlobalCfgLines(true)) lines.push_back(std::move(l));
    const std::string path = DefaultCfgPath();
    if (!WriteTextLinesSafe(path, lines)) {
        WriteLog("Err:FAILED Save CFG (" + path + ")");
        ShowFileNotWritten(path);
        return false;
    }
    return true;
}

namespace {

bool Blankish(unsigned char c) { return c <= ' '; }

// Splits a line into key and value: without "=" the trimmed line, case kept; with "="
// the upper-cased text before it without leading blanks, and everything after it.
void ReadCfgLine(const std::string& line, std::string& key, std::string& value) {
    value.clear();
    size_t eq = line.find('=');
    if (eq == std::string::npos) {
        size_t b = 0, e = line.size();
        while (b < e && Blankish((unsigned char)line[b])) ++b;
        while (e > b && Blankish((unsigned char)line[e - 1])) --e;
        key.assign(line, b, e - b);
        return;
    }
    size_t b = 0;
    while (b < eq && Blankish((unsigned char)line[b])) ++b;
    // Into the strings of the previous line: a block of hundreds of lines is read
    // without a new string per key and value.
    key.assign(line, b, eq - b);
    // Upper case by table: no test per character on the line of every setting.
    static constexpr auto Upper = [] {
        std::array<char, 256> t{};
        for (int c = 0; c < 256; ++c) t[size_t(c)] = char(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        return t;
    }();
    for (char& c : key) c = Upper[(unsigned char)c];
    value.assign(line, eq + 1, std::string::npos);
}

void SetRadio(TRadioButton* b, bool on) {
    if (!b) return;
    b->Checked = on;
    if (on && b->Parent)
        for (TControl* c : b->Parent->Children)
            if (c != b && dynamic_cast<TRadioButton*>(c)) c->Checked = false;
}

// The settings dialog's controls that mirror settings, once a block was read (no line
// reads them, so following every line would end the same).
void SyncSetDialog() {
    if (!SetDialog) return;
    SetDialog->CheckBoxWheel->Checked = Glob.WheelCheck;
    SetDialog->ChBoxZoomCenter->Checked = Glob.ZoomCenter;
    SetRadio(SetDialog->RBtnRotDel, !SetDialog->RBtnRotLeave->Checked);
    SetRadio(SetDialog->RBtnMirDel, !SetDialog->RBtnMirLeave->Checked);
    SetRadio(SetDialog->RbtnOffDel, !SetDialog->RbtnOffLeave->Checked);
}

void ApplyLines(const std::vector<std::string>& lines, TCfgReadState& st) {
    std::string key, value;
    size_t i = 0;
    for (; i < lines.size(); ++i) {
        ReadCfgLine(lines[i], key, value);
        if (key == "SETUP") break;
    }
    bool applied = false;
    for (++i; i < lines.size(); ++i) {
        ReadCfgLine(lines[i], key, value);
        if (key == "PACKED") st.Packed = true;
        if (key == "ENDSETUP") break;
        if (const TCfgKey* k = FindCfgKey(key)) k->Read(value, st);
        else ReadLayerLine(key, value, st);
        applied = true;
    }
    if (applied) SyncSetDialog();
}

void FinishReading(const TCfgReadState& st, int32_t oldMaxUndo) {
    if (ContourDialog) {
        SetRadio(ContourDialog->RBtnInside, st.Inside);
        SetRadio(ContourDialog->RBtnOutside, st.Outside);
        SetRadio(ContourDialog->RBtnBoth, st.Inside && st.Outside);
    }
    CheckGlobalCfg();
    if (Glob.MaxUndo != oldMaxUndo && OnCfgMaxUndoChanged) OnCfgMaxUndoChanged();
    if (OnCfgApplied) OnCfgApplied();
}

} // namespace

void LinesToGlobalCfg(const std::vector<std::string>& Lines) {
    if (ContourDialog) SetRadio(ContourDialog->RBtnNesousledne, true);
    TCfgReadState st;
    const int32_t oldMaxUndo = Glob.MaxUndo;
    ApplyLines(Lines, st);
    FinishReading(st, oldMaxUndo);
}

namespace {

// The settings block of a file, then the style defaults a file may lack.
void ApplyFileLines(const std::vector<std::string>& Lines) {
    TCfgReadState st;
    const int32_t oldMaxUndo = Glob.MaxUndo;
    ApplyLines(Lines, st);
    FinishReading(st, oldMaxUndo);
    // A style without height, width or font (as folders laid out before the styles had
    // their defaults hold) would make invisible texts: the built-in values stand in.
    for (ParText* S : {&TextStyle, &DimTextStyle}) {
        if (S->JmFontu.empty()) S->JmFontu = IntFontName;
        if (!(S->Vyska > 0)) S->Vyska = 5;
        if (S->WidthFactor == 0) S->WidthFactor = 1;
    }
}

}  // namespace

bool FileToGlobalCfg(const std::string& JmFile) {
    if (ContourDialog) SetRadio(ContourDialog->RBtnNesousledne, true);
    std::vector<std::string> lines;
    if (!TextFileExists(JmFile)) {
        WriteLog("Err:FAILED Load CFG, file not found (" + JmFile + ")");
        return false;
    }
    WriteLog("Sys:Load CFG (" + JmFile + ")");
    if (!ReadTextLines(JmFile, lines)) {
        WriteLog("Err:FAILED Load CFG, file not read (" + JmFile + ")");
        return false;
    }
    ApplyFileLines(lines);
    return true;
}

void FileLinesToGlobalCfg(const std::string& JmFile, const std::vector<std::string>& Lines) {
    if (ContourDialog) SetRadio(ContourDialog->RBtnNesousledne, true);
    WriteLog("Sys:Load CFG (" + JmFile + ")");
    ApplyFileLines(Lines);
}


namespace {

// A value that is no number (nan) becomes the lower bound.
void Clamp(Extended& v, Extended lo, Extended hi) {
    if (!(v >= lo)) v = lo;
    if (v > hi) v = hi;
}

void OddByte(uint8_t& v) {
    if (v < 5) v = 5;
    if (v > 31) v = 31;
    if (v % 2 == 0) ++v;
}

template <class T>
void EnumRange(T& v, int hi, T fallback) {
    if (int(v) > hi) v = fallback;
}

} // namespace

// The longest autosave interval whose milliseconds a 32-bit timer interval holds.
static constexpr int32_t AutoSaveMaxMinutes = 35791;

void CheckGlobalCfg() {
    Extended& a = Glob.ASnapDist;
    if (a < CoordTol) a = 0.001L;
    if (a > 180) a = 180;
    for (Extended* s : {&Glob.SnapDist.x, &Glob.SnapDist.y})
        if (*s < CoordTol) *s = 0.001L;
    if (Glob.SnapDist.x > 100) Glob.SnapDist.x = 100;
    if (Glob.SnapDist.y > 100) Glob.SnapDist.y = 100;
    // A grid step of zero would never advance: it is treated like a negative one.
    for (Extended* g : {&Glob.GridDist.x, &Glob.GridDist.y})
        if (!(*g >= CoordTol)) *g = GridDistNegative;
    // The limits, grid and snap stay within a kilometre of the origin: the view computes
    // in pixels from them, and the limits' minimum span must not be lost in rounding.
    for (Extended* p : {&Glob.MinLim.x, &Glob.MinLim.y, &Glob.MaxLim.x, &Glob.MaxLim.y, &Glob.GridStart.x,
                        &Glob.GridStart.y, &Glob.SnapStart.x, &Glob.SnapStart.y})
        Clamp(*p, -CfgMaxCoord, CfgMaxCoord);
    for (Extended* g : {&Glob.GridDist.x, &Glob.GridDist.y}) Clamp(*g, 0, CfgMaxCoord);
    for (int axis = 0; axis < 2; ++axis) {
        Extended& mn = axis == 0 ? Glob.MinLim.x : Glob.MinLim.y;
        Extended& mx = axis == 0 ? Glob.MaxLim.x : Glob.MaxLim.y;
        if (mn > mx) std::swap(mn, mx);
        if (mn > CfgMaxCoord - LimMinSpan) mn = CfgMaxCoord - LimMinSpan;
        if (mx < mn + LimMinSpan) mx = mn + LimMinSpan;
    }
    Clamp(Glob.SnapRatio, 1, 100);
    Clamp(Glob.ZoomInRatio, 1, 100);
    OddByte(Glob.SelectSize);
    OddByte(Glob.OsnapSize);
    Clamp(Glob.PanRatio, 0.01L, 1);
    Clamp(Glob.WheelRatio, 1, 10);
    Clamp(Glob.JoinTol, 0.0001L, 1);
    Clamp(Glob.OSExplode, 0.0001L, 1);
    Clamp(Glob.InputFiltr, 0.0001L, 1);
    Clamp(Glob.MinOffsArc, 0, std::numbers::pi_v<Extended> / 6);
    if (Glob.AutoSave < 1) Glob.AutoSave = 1;
    if (Glob.AutoSave > AutoSaveMaxMinutes) Glob.AutoSave = AutoSaveMaxMinutes;
    for (int32_t* v : {&Glob.MaxUndo, &Glob.MaxFileHist}) {
        if (*v < 2) *v = 2;
        if (*v > 100) *v = 100;
    }
    Clamp(Glob.DimArrowLen, 0.1L, 10);
    // Fields that index tables or choose among a few kinds: an unknown value
    // becomes the built-in default.
    if (Glob.LayerDraw < 1 || Glob.LayerDraw > LayerCount) Glob.LayerDraw = LayerOrig;
    if (Glob.SmallTool < 1 || Glob.SmallTool > 64) Glob.SmallTool = 1;
    EnumRange(Glob.CursorType, 2, uint8_t(0));
    if (Glob.GridType < 0 || Glob.GridType > 2) Glob.GridType = 0;
    EnumRange(Glob.ViewPanelOps, 2, uint8_t(0));
    EnumRange(Glob.ViewPanelLays, 2, uint8_t(1));
    EnumRange(Glob.ViewPanelIcons, 2, uint8_t(1));
    EnumRange(Glob.ViewPanelMenu, 2, uint8_t(1));
}

void ResetSetCfg() { SeparatorOverride = 0; }
