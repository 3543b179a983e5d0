#include "tools/ToolLibFile.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "shell/SetCfg.h"
#include "shell/StartupHooks.h"
#include "shell/UniLang.h"
#include "tools/ToolDg.h"
#include "tools/ToolMatLibDg.h"
#include "tools/UniTType.h"

std::vector<TToolLib> ToolLibTmp;
std::vector<TMaterial> MaterialTmp;

namespace {

bool Blank(char c) { return uint8_t(c) <= ' ' || c == '\x7f'; }

// S[From, To) without blanks at either end into Out, reusing its storage (a library
// is read line by line into the same two strings); Upper: a..z made A..Z.
void TrimInto(const std::string& S, size_t From, size_t To, std::string& Out, bool Upper) {
    while (From < To && Blank(S[From])) ++From;
    while (To > From && Blank(S[To - 1])) --To;
    Out.assign(S, From, To - From);
    if (Upper)
        for (char& c : Out)
            if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
}

}  // namespace

void TLibLines::Next() {
    if (Eof()) return;
    const std::string& L = Lines[Pos++];
    const size_t eq = L.find('=');
    if (eq == std::string::npos) {
        TrimInto(L, 0, L.size(), Key, true);
        return;
    }
    TrimInto(L, 0, eq, Key, true);
    TrimInto(L, eq + 1, L.size(), Val, false);
}

bool TLibLines::Real(Extended& V) const {
    Extended x = 0;
    if (!StrToExtCalc(Val, x, false) || !std::isfinite(x)) return !(BadValue = true);
    V = x;
    return true;
}

bool TLibLines::Int(int32_t& V) const {
    Extended x = 0;
    if (!Real(x)) return false;
    x = std::trunc(x);
    if (x < INT32_MIN || x > INT32_MAX) return !(BadValue = true);
    V = int32_t(x);
    return true;
}

bool TLibLines::Bool() const {
    static constexpr char True[] = "TRUE";
    if (Val.size() != 4) return false;
    for (size_t i = 0; i < 4; ++i)
        if ((Val[i] >= 'a' && Val[i] <= 'z' ? char(Val[i] - 'a' + 'A') : Val[i]) != True[i]) return false;
    return true;
}

const char* LibBool(bool B) { return B ? "TRUE" : "FALSE"; }

namespace {

const char* const MatDefaultName = "Výchozí materiál";

TMaterial BuiltInMaterial() {
    TMaterial M;
    M.Jmeno = MatDefaultName;
    M.MID = 0;
    M.TID = -1;
    M.Tech.N = M.Tech.MaxN = 8000;
    M.Tech.MaxPwr = 1000;
    M.Tech.Vc = M.Tech.Vf = 100;
    M.Tech.Fz = M.Tech.Fn = 0.01L;
    M.Tech.Ae = 25;
    M.Tech.Ap = 10;
    M.Tech.AePercent = M.Tech.ApPercent = true;
    for (TToolPlunge& P : M.Zapich) {
        P = TToolPlunge{};
        P.FeedTime = 1;
        P.FeedPct = 20;
        P.FeedPercent = true;
        P.RampAngle = 10;
        P.SpiralPitch = 1;
        P.SpiralRad = 30;
        P.SpiralRadPercent = true;
        P.TangAngle = 45;
        P.TangRad = 100;
        P.TangRadPercent = true;
    }
    return M;
}

// ---- reading ----


void ReadTech(TLibLines& L, TToolTech& T) {
    while (!L.Eof()) {
        L.Next();
        const std::string& K = L.Key;
        if (K == "[ENDTECH]") return;
        int32_t i = 0;
        if (K == "MAXSPW") L.Int(T.MaxPwr);
        else if (K == "MAXRPM") L.Int(T.MaxN);
        else if (K == "RPM") L.Int(T.N);
        else if (K == "METHOD") {
            if (L.Int(i) && i >= 0 && i <= 2) T.Method = uint8_t(i);
        } else if (K == "VC") L.Real(T.Vc);
        else if (K == "VF") L.Real(T.Vf);
        else if (K == "FZ") L.Real(T.Fz);
        else if (K == "FN") L.Real(T.Fn);
        else if (K == "AE") L.Real(T.Ae);
        else if (K == "AP") L.Real(T.Ap);
        else if (K == "AEPCT") T.AePercent = L.Bool();
        else if (K == "APPCT") T.ApPercent = L.Bool();
    }
}

void ReadOuts(TLibLines& L, TToolOutputs& O) {
    while (!L.Eof()) {
        L.Next();
        const std::string& K = L.Key;
        if (K == "[ENDOUTS]") return;
        int32_t i = 0;
        if (K == "LASERUSE") O.LaserUse = L.Bool();
        else if (K == "LASERTIME") L.Real(O.LaserTime);  // a dwell keeps its fraction
        else if (K == "COOLANTTYPE") {
            if (L.Int(i) && i >= Zadne && i <= Proud) O.CoolantType = TChlaz(i);
        } else if (K == "COOLANTTIME") L.Real(O.CoolantTime);
        else if (K == "COOLANTRAPID") O.CoolantRapid = L.Bool();
        else if (K == "AIRBLOWUSE") O.OfukUse = L.Bool();
        else if (K == "AIRBLOWCOUNT") L.Int(O.OfukCount);
        else if (K == "AIRBLOWTIME") L.Real(O.OfukTime);
    }
}

// A plunge block's keys (upper case) and their fields, looked up once per line: a
// library holds six blocks of twenty lines for every material.
struct TPlungeKey {
    Extended TToolPlunge::*Real;
    bool TToolPlunge::*Flag;
};
const std::unordered_map<std::string_view, TPlungeKey>& PlungeKeys() {
    static const std::unordered_map<std::string_view, TPlungeKey> keys = {
        {"PFTIME", {&TToolPlunge::FeedTime, nullptr}},      {"PFPCT", {&TToolPlunge::FeedPct, nullptr}},
        {"PFEEDPCT", {nullptr, &TToolPlunge::FeedPercent}}, {"PRAMPA", {&TToolPlunge::RampAngle, nullptr}},
        {"PRAMPLEN", {&TToolPlunge::RampLength, nullptr}},  {"PRAMPPCT", {nullptr, &TToolPlunge::RampPercent}},
        {"PSPITCH", {&TToolPlunge::SpiralPitch, nullptr}},  {"PSRAD", {&TToolPlunge::SpiralRad, nullptr}},
        {"PSRADPCT", {nullptr, &TToolPlunge::SpiralRadPercent}},
        {"PSDSTEP", {nullptr, &TToolPlunge::SpiralDownStep}},
        {"PTANA", {&TToolPlunge::TangAngle, nullptr}},      {"PTANRAD", {&TToolPlunge::TangRad, nullptr}},
        {"PTANENTRY", {nullptr, &TToolPlunge::TangEntry}},  {"PTANEXIT", {nullptr, &TToolPlunge::TangExit}},
        {"PTANCEN", {nullptr, &TToolPlunge::TangCenter}},   {"PTANRADPCT", {nullptr, &TToolPlunge::TangRadPercent}},
        {"PSANGLE", {&TToolPlunge::SpiralAngle, nullptr}},  {"PSLEFT", {nullptr, &TToolPlunge::SpiralLeft}},
        {"PIGNOREDEPTHDIV", {nullptr, &TToolPlunge::IgnoreDepthDiv}}};
    return keys;
}

void ReadPlunge(TLibLines& L, TToolPlunge& P) {
    const auto& keys = PlungeKeys();
    while (!L.Eof()) {
        L.Next();
        const std::string& K = L.Key;
        if (K == "[ENDPLUNGEDEF]") return;
        int32_t i = 0;
        if (K == "PMETHOD") {
            if (L.Int(i) && i >= 0 && i <= 3) P.Method = uint8_t(i);
        } else if (const auto it = keys.find(K); it != keys.end()) {
            if (it->second.Real) L.Real(P.*it->second.Real);
            else P.*it->second.Flag = L.Bool();
        }
    }
}

bool InRange(int32_t I, size_t N) { return I >= 0 && size_t(I) < N; }
bool PlungeIndexOk(int32_t P) { return P >= 0 && P < int32_t(std::tuple_size_v<TPlungeObjects>); }

// Tool block of a library record; false when it declares an impossible material count.
bool ReadToolDef(TLibLines& L, TToolLib& R) {
    TTool& T = R.Tool;
    while (!L.Eof()) {
        L.Next();
        const std::string& K = L.Key;
        if (K == "[ENDTOOLDEF]") break;
        if (K == "TID") L.Int(T.TID);
        else if (K == "TOOLNAME") T.JmNastroje = Cp1250ToUtf8(L.Val);
        else if (K == "TOOLMAT") T.MatNastroje = Cp1250ToUtf8(L.Val);
        else if (K == "TOOLTYPE") L.Int(T.ToolType);
        else if (K == "TNUM") L.Int(T.Tnum);
        else if (K == "DNUM") L.Int(T.Dnum);
        else if (K == "LODIA") L.Real(T.SpodniPrumer);
        else if (K == "HIDIA") L.Real(T.HorniPrumer);
        else if (K == "EDGERAD") L.Real(T.Radius);
        else if (K == "EDGEANG") L.Real(T.UhelSpicky);
        else if (K == "EDGELEN") L.Real(T.DelkaBritu);
        else if (K == "EDGECONEHEIGHT") L.Real(T.VyskaKuzele);
        else if (K == "EDGECOUNT") L.Int(T.PocetBritu);
        else if (K == "MATCOUNT") {
            int32_t n = 0;
            if (L.Int(n)) {
                if (n < 0 || size_t(n) > std::max<size_t>(L.Lines.size(), 1000)) return false;
                R.Material.resize(size_t(n));
            }
        }
    }
    T.Pruchod.fill(TPruchod{-1, -1, 5, 10000});
    return true;
}

void ReadRecordMaterial(TLibLines& L, TMaterial& M) {
    while (!L.Eof()) {
        L.Next();
        const std::string& K = L.Key;
        if (K == "[ENDMATDEF]") return;
        if (K == "MATNAME") M.Jmeno = Cp1250ToUtf8(L.Val);
        else if (K == "MID") L.Int(M.MID);
        else if (K == "TID") L.Int(M.TID);
        else if (K == "[TECH]") ReadTech(L, M.Tech);
        else if (K == "[OUTS]") ReadOuts(L, M.Vystup);
    }
}

// The reading proper; false at the first sign of damage.
bool ReadLib(TLibLines& L) {
    auto countOk = [&](int32_t n) { return n >= 0 && size_t(n) <= std::max<size_t>(L.Lines.size(), 1000); };
    int32_t li = -1, mi = -1, pi = -1;
    // What the file declares against what it holds: a cut or spliced file differs.
    int32_t matsDeclared = -1, recordsDeclared = -1, matsRead = 0, recordsRead = 0;
    std::vector<int32_t> recordMats;
    if (!L.Eof()) ++L.Pos;  // the header line, not checked
    while (!L.Eof() && L.Key != "[ENDMATLIB]") {
        L.Next();
        const std::string& K = L.Key;
        int32_t n = 0;
        if (K == "[MATLIB]") {
            if (L.Int(n)) {
                if (!countOk(n)) return false;
                Glob.Material.resize(size_t(n));
                matsDeclared = n;
            }
        } else if (K == "[MATDEF]") {
            L.Int(mi);
            ++matsRead;
        } else if (K == "MATNAME" || K == "MID" || K == "[TECH]" || K == "[OUTS]") {
            if (mi < 0) {
                if (K == "MATNAME" || K == "MID") continue;
                return false;
            }
            if (!InRange(mi, Glob.Material.size())) return false;
            TMaterial& M = Glob.Material[size_t(mi)];
            if (K == "MATNAME") M.Jmeno = Cp1250ToUtf8(L.Val);
            else if (K == "MID") L.Int(M.MID);
            else if (K == "[TECH]") ReadTech(L, M.Tech);
            else ReadOuts(L, M.Vystup);
        } else if (K == "[PLUNGEDEF]") {
            L.Int(pi);
            if (!InRange(mi, Glob.Material.size()) || !PlungeIndexOk(pi)) return false;
            ReadPlunge(L, Glob.Material[size_t(mi)].Zapich[size_t(pi)]);
        }
    }
    while (!L.Eof() && L.Key != "[ENDTOOLLIB]") {
        L.Next();
        const std::string& K = L.Key;
        int32_t n = 0;
        if (K == "[TOOLLIB]") {
            if (L.Int(n)) {
                if (!countOk(n)) return false;
                Glob.ToolLib.resize(size_t(n));
                recordsDeclared = n;
                recordMats.assign(size_t(n), 0);
            }
        } else if (K == "[LIBRECORD]") {
            L.Int(li);
            ++recordsRead;
        } else if (K == "[TOOLDEF]") {
            if (!InRange(li, Glob.ToolLib.size())) return false;
            if (!ReadToolDef(L, Glob.ToolLib[size_t(li)])) return false;
        } else if (K == "[MATDEF]") {
            L.Int(mi);
            if (!InRange(li, Glob.ToolLib.size())) return false;
            std::vector<TMaterial>& Mats = Glob.ToolLib[size_t(li)].Material;
            if (!InRange(mi, Mats.size())) return false;
            if (InRange(li, recordMats.size())) ++recordMats[size_t(li)];
            ReadRecordMaterial(L, Mats[size_t(mi)]);
        } else if (K == "[PLUNGEDEF]") {
            L.Int(pi);
            if (!InRange(li, Glob.ToolLib.size())) return false;
            std::vector<TMaterial>& Mats = Glob.ToolLib[size_t(li)].Material;
            if (!InRange(mi, Mats.size()) || !PlungeIndexOk(pi)) return false;
            ReadPlunge(L, Mats[size_t(mi)].Zapich[size_t(pi)]);
        }
    }
    if (L.Key != "[ENDTOOLLIB]" || L.BadValue) return false;
    if ((matsDeclared >= 0 && matsDeclared != matsRead) || (recordsDeclared >= 0 && recordsDeclared != recordsRead))
        return false;
    for (size_t r = 0; r < recordMats.size() && r < Glob.ToolLib.size(); ++r)
        if (size_t(recordMats[r]) != Glob.ToolLib[r].Material.size()) return false;
    return true;
}

// ---- writing ----

void WriteTech(std::vector<std::string>& W, const TToolTech& T) {
    W.push_back("  [Tech]");
    W.push_back("    MaxSPw=" + std::to_string(T.MaxPwr));
    W.push_back("    MaxRpm=" + std::to_string(T.MaxN));
    W.push_back("    Rpm=" + std::to_string(T.N));
    W.push_back("    Vc=" + ExtToStr(T.Vc));
    W.push_back("    Vf=" + ExtToStr(T.Vf));
    W.push_back("    Fz=" + ExtToStr(T.Fz));
    W.push_back("    Fn=" + ExtToStr(T.Fn));
    W.push_back("    Ae=" + ExtToStr(T.Ae));
    W.push_back("    Ap=" + ExtToStr(T.Ap));
    W.push_back("    Method=" + std::to_string(T.Method));
    W.push_back(std::string("    AePct=") + LibBool(T.AePercent));
    W.push_back(std::string("    ApPct=") + LibBool(T.ApPercent));
    W.push_back("  [EndTech]");
}

void WriteOuts(std::vector<std::string>& W, const TToolOutputs& O, const char* AirBlowUseKey) {
    W.push_back("  [Outs]");
    W.push_back(std::string("    LaserUse=") + LibBool(O.LaserUse));
    W.push_back("    LaserTime=" + CfgRegionalReal(O.LaserTime));
    W.push_back("    CoolantType=" + std::to_string(int(O.CoolantType)));
    W.push_back("    CoolantTime=" + CfgRegionalReal(O.CoolantTime));
    W.push_back(std::string("    CoolantRapid=") + LibBool(O.CoolantRapid));
    W.push_back(std::string(AirBlowUseKey) + LibBool(O.OfukUse));
    W.push_back("    AirBlowCount=" + std::to_string(O.OfukCount));
    W.push_back("    AirBlowTime=" + CfgRegionalReal(O.OfukTime));
    W.push_back("  [EndOuts]");
}

void WritePlunges(std::vector<std::string>& W, const TPlungeObjects& Z) {
    for (size_t p = 0; p < Z.size(); ++p) {
        const TToolPlunge& P = Z[p];
        W.push_back("  [PlungeDef]=" + std::to_string(p));
        W.push_back("    PMethod=" + std::to_string(P.Method));
        W.push_back("    PFTime=" + ExtToStr(P.FeedTime));
        W.push_back("    PFPct=" + ExtToStr(P.FeedPct));
        W.push_back(std::string("    PFeedPct=") + LibBool(P.FeedPercent));
        W.push_back("    PRampA=" + ExtToStr(P.RampAngle));
        W.push_back("    PRampLen=" + ExtToStr(P.RampLength));
        W.push_back(std::string("    PRampPct=") + LibBool(P.RampPercent));
        W.push_back("    PSPitch=" + ExtToStr(P.SpiralPitch));
        W.push_back("    PSRad=" + ExtToStr(P.SpiralRad));
        W.push_back(std::string("    PSRadPct=") + LibBool(P.SpiralRadPercent));
        W.push_back(std::string("    PSDStep=") + LibBool(P.SpiralDownStep));
        W.push_back("    PTanA=" + ExtToStr(P.TangAngle));
        W.push_back("    PTanRad=" + ExtToStr(P.TangRad));
        W.push_back(std::string("    PTanEntry=") + LibBool(P.TangEntry));
        W.push_back(std::string("    PTanExit=") + LibBool(P.TangExit));
        W.push_back(std::string("    PTanCen=") + LibBool(P.TangCenter));
        W.push_back(std::string("    PTanRadPct=") + LibBool(P.TangRadPercent));
        // Kept since the dialog edits them and the NC output uses the helix angle;
        // readers that do not know these keys skip them.
        W.push_back("    PSAngle=" + ExtToStr(P.SpiralAngle));
        W.push_back(std::string("    PSLeft=") + LibBool(P.SpiralLeft));
        W.push_back(std::string("    PIgnoreDepthDiv=") + LibBool(P.IgnoreDepthDiv));
        W.push_back("  [EndPlungeDef]");
    }
}

}  // namespace

void InitMaterial() {
    WriteLog("Sys:Init Materials");
    Glob.Material.assign(1, BuiltInMaterial());
    Glob.SpolParObr.MatIndex = 0;
    Glob.SpolParObr.MatPolot = MatDefaultName;
}

void InitToolLib() {
    WriteLog("Sys:Init ToolLib");
    Glob.ToolLib.assign(5, TToolLib{});
    for (int i = 0; i < 5; ++i) {
        TTool& T = Glob.ToolLib[size_t(i)].Tool;
        T.JmNastroje = "Fréza válc. " + std::to_string(i + 2) + "mm";
        T.MatNastroje = "Slinutý karbid";
        T.SpodniPrumer = T.HorniPrumer = i + 2;
        T.VyskaKuzele = T.DelkaBritu = 10;
        T.PocetBritu = 2;
        T.Pruchod.fill(TPruchod{-1, -1, 5, 10000});
        // Each tool its own number: the library picks and keeps tools by it.
        T.TID = i;
        if (!Glob.Material.empty()) {
            Glob.ToolLib[size_t(i)].Material.assign(1, Glob.Material[0]);
            Glob.ToolLib[size_t(i)].Material[0].TID = i;
        }
    }
}

std::string KeepDamagedFile(const std::string& File) {
    const std::string bak = File + ".bak";
    if (!CopyFileTo(File, bak)) {
        WriteLog("Err:Damaged file could not be kept as " + bak);
        return {};
    }
    WriteLog("Sys:Damaged file kept as " + bak);
    return "\r\nPůvodní soubor je uložen jako " + bak;
}

bool FileToToolLib(const std::string& JmLib) {
    if (!TextFileExists(JmLib)) return true;
    TLibLines L;
    if (!ReadTextLines(JmLib, L.Lines) || !ReadLib(L)) {
        WriteLog("Err:FAILED, load tool library, damaged file (" + JmLib + ")");
        // The library is read at start-up before the texts are loaded.
        MessageDlg(MsgText(88) + ":\r\n" + JmLib + KeepDamagedFile(JmLib), TMsgDlgType::mtError, mbOK);
        return false;
    }
    if (Glob.DefMatToNewTool && !Glob.Material.empty())
        for (TToolLib& R : Glob.ToolLib)
            if (R.Material.empty()) R.Material.push_back(Glob.Material[0]);
    return true;
}

namespace {

std::vector<std::string> ToolLibLines() {
    std::vector<std::string> W;
    W.push_back("[Yorvan tool material library file]");
    W.push_back("[MatLib]=" + std::to_string(Glob.Material.size()));
    for (size_t i = 0; i < Glob.Material.size(); ++i) {
        const TMaterial& M = Glob.Material[i];
        W.push_back("[MatDef]=" + std::to_string(i));
        W.push_back("  MatName=" + Utf8ToCp1250(M.Jmeno));
        W.push_back("  MID=" + std::to_string(M.MID));
        W.push_back("  TID=" + std::to_string(M.TID));
        WriteTech(W, M.Tech);
        WriteOuts(W, M.Vystup, "    AirBlowUse=");
        WritePlunges(W, M.Zapich);
        W.push_back("[EndMatDef]");
    }
    W.push_back("[EndMatLib]");
    W.push_back("[ToolLib]=" + std::to_string(Glob.ToolLib.size()));
    for (size_t r = 0; r < Glob.ToolLib.size(); ++r) {
        const TToolLib& R = Glob.ToolLib[r];
        const TTool& T = R.Tool;
        W.push_back("[LibRecord]=" + std::to_string(r));
        W.push_back("  [ToolDef]");
        W.push_back("    TID=" + std::to_string(T.TID));
        W.push_back("    ToolName=" + Utf8ToCp1250(T.JmNastroje));
        W.push_back("    ToolMat=" + Utf8ToCp1250(T.MatNastroje));
        W.push_back("    ToolType=" + std::to_string(T.ToolType));
        W.push_back("    TNum=" + std::to_string(T.Tnum));
        W.push_back("    DNum=" + std::to_string(T.Dnum));
        W.push_back("    LoDia=" + ExtToStr(T.SpodniPrumer));
        W.push_back("    HiDia=" + ExtToStr(T.HorniPrumer));
        W.push_back("    EdgeRad=" + ExtToStr(T.Radius));
        W.push_back("    EdgeAng=" + ExtToStr(T.UhelSpicky));
        W.push_back("    EdgeLen=" + ExtToStr(T.DelkaBritu));
        W.push_back("    EdgeConeHeight=" + ExtToStr(T.VyskaKuzele));
        W.push_back("    EdgeCount=" + std::to_string(T.PocetBritu));
        W.push_back("    MatCount=" + std::to_string(R.Material.size()));
        W.push_back("  [EndToolDef]");
        for (size_t j = 0; j < R.Material.size(); ++j) {
            const TMaterial& M = R.Material[j];
            W.push_back("  [MatDef]=" + std::to_string(j));
            W.push_back("    MatName=" + Utf8ToCp1250(M.Jmeno));
            W.push_back("    MID=" + std::to_string(M.MID));
            W.push_back("    TID=" + std::to_string(M.TID));
            WriteTech(W, M.Tech);
            WriteOuts(W, M.Vystup, "    AirBlowuse=");
            W.push_back("  [EndMatDef]");
            WritePlunges(W, M.Zapich);
        }
        W.push_back("[EndLibRecord]");
    }
    W.push_back("[EndToolLib]");
    return W;
}

// The library file of the program folder was damaged at start: the lists as they were
// read from it, to tell whether the user changed them since.
bool LibDamaged = false;
std::vector<std::string> LibAsRead;
// The same for the tool-type file.
bool TypesDamaged = false;
std::vector<std::string> TypesAsRead;

// At close: a damaged library file is not replaced by what little was read of it; when
// the user changed the library, the damaged file is kept beside it as ".bak".
bool SaveToolLibAtClose(const std::string& JmLib) {
    if (LibDamaged) {
        if (ToolLibLines() == LibAsRead) {
            WriteLog("Err:Tool library not saved, the damaged file is kept (" + JmLib + ")");
            return true;
        }
        // Kept as ".bak" when it was read; written over only once that copy exists.
        const std::string bak = JmLib + ".bak";
        if (!FileExists(bak) && !CopyFileTo(JmLib, bak)) {
            WriteLog("Err:Tool library not saved, the damaged file could not be kept as " + bak);
            return false;
        }
        LibDamaged = false;
    }
    return ToolLibToFile(JmLib);
}

}  // namespace

bool ToolLibToFile(const std::string& JmLib) { return WriteTextLinesSafe(JmLib, ToolLibLines()); }

std::string LibSelectionText(bool ByTool, int SelPar, int32_t SelTID, int32_t SelMID, int32_t SelPID) {
    static const char* const Par[] = {" Par:Tool", " Par:Geo", " Par:Tech", " Par:Plunge", " Par:Outs"};
    std::string S = ByTool ? "Tool-Mat" : "Mat-Tool";
    if (SelPar >= 0 && SelPar <= 4) S += Par[SelPar];
    return S + " TID:" + std::to_string(SelTID) + " MID:" + std::to_string(SelMID) +
           " PID:" + std::to_string(SelPID);
}

void CreateToolMatLibDialog() {
    CreateToolMatLibDialogForm();
    InitMaterial();
    InitToolLib();
    LibDamaged = !FileToToolLib(ProgramDir + "/ToolLib.ylf");
    LibAsRead = LibDamaged ? ToolLibLines() : std::vector<std::string>();
    InitTool();
    ToolMatLibDialog->SaveDialog.InitialDir = Glob.IniDirExpImp;
    TypesDamaged = false;
    LoadToolTypesHook = [] {
        InitToolType();
        TypesDamaged = !FileToToolType(ProgramDir + "/TTypeDef.ytf");
        TypesAsRead = TypesDamaged ? ToolTypeLines() : std::vector<std::string>();
    };
    SaveToolFilesHook = [] {
        const std::string lib = ProgramDir + "/ToolLib.ylf", types = ProgramDir + "/TTypeDef.ytf";
        if (!SaveToolLibAtClose(lib)) {
            WriteLog("Err:FAILED, save tool library");
            ShowFileNotWritten(lib);
        }
        // A damaged type file is not replaced by what was read of it.
        if (TypesDamaged && ToolTypeLines() == TypesAsRead) {
            WriteLog("Err:Tool types not saved, the damaged file is kept (" + types + ")");
        } else if (!ToolTypeToFile(types)) {
            WriteLog("Err:FAILED, save tool types");
            ShowFileNotWritten(types);
        }
    };
}
