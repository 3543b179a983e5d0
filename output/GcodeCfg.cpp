#include "output/GcodeCfg.h"

#include <charconv>
#include <cmath>
#include <variant>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"

namespace {

using TStr = std::string TGcodeConfig::*;
using TInt = int TGcodeConfig::*;
using TBool = bool TGcodeConfig::*;
using TExt = Extended TGcodeConfig::*;
// StylOblouku keeps only its first character, upper-cased.
struct TFirstChar {
    TStr Field;
};
// What values a number field accepts; others are refused.
enum TRule { rAny, rDecimals, rPositive, rNotZero, rFeedStyle, rChord };

struct TKey {
    const char* Name;
    std::variant<TStr, TInt, TBool, TExt, TFirstChar> Field;
    TRule Rule = rAny;
};

#define S(n) TKey{#n, &TGcodeConfig::n}
#define N(n, r) TKey{#n, &TGcodeConfig::n, r}
const TKey Keys[] = {
    S(OddelovacCislovani), S(OddelovacPrikazu), S(OddelovacSouradnic), S(OddelovacKomentare),
    S(UkonceniKomentare), S(NaKonciRadku), S(CislovaniRadku), S(InkrementRadku),
    S(AbsolutniSouradnice), S(Rychloposuv), S(RozkladRychloposuvu), S(Posuv), S(ObloukCW), S(ObloukCCW),
    S(ObloukZ), S(SouradniceX), S(SouradniceY), S(SouradniceZ), S(SouradniceA), S(AltSouradniceX),
    S(AltSouradniceY), S(AltSouradniceZ), TKey{"StylOblouku", TFirstChar{&TGcodeConfig::StylOblouku}},
    N(NasobitelSouradnic, rNotZero), N(DesetinnychMistSouradnic, rDecimals), S(VymenaNastroje),
    S(KorekceNastroje), S(StylVymeny), S(RychlostZapichu), S(RychlostPosuvu), N(StylPosuvu, rFeedStyle),
    N(NasobitelRychlosti, rPositive), N(DesetinnychMistRychlosti, rDecimals), S(ZapnoutVretenoDoprava),
    S(ZapnoutVretenoDoleva), S(VypnoutVreteno), S(UrceniOtacek), N(NasobitelOtacek, rPositive),
    N(DesetinnychMistOtacek, rDecimals), S(UrceniProdlev), N(NasobitelProdlev, rPositive),
    N(DesetinnychMistProdlev, rDecimals), S(ZapnoutVzduchoveChlazeni), S(ZapnoutMlhoveChlazeni),
    S(ZapnoutKapalinoveChlazeni), S(VypnoutVsechnoChlazeni), S(ZapnoutLaser), S(VypnoutLaser),
    S(ZapnoutOfuk), S(VypnoutOfuk), N(OdchylkaSecny, rChord), S(Hlavicka), S(Paticka), S(Vymena),
};
#undef S
#undef N
static_assert(sizeof(Keys) / sizeof(Keys[0]) == 54);

bool Accepts(TRule Rule, Extended V) {
    switch (Rule) {
        case rDecimals: return V >= 0 && V <= MaxNcDecimals;
        // Above 0 and small enough that every length stays a number when multiplied.
        case rPositive: return std::isfinite(V) && V > 0 && V <= 1e9L;
        // A negative multiplier mirrors the program; zero would put every move at 0.
        case rNotZero: return std::isfinite(V) && V != 0 && std::fabs(V) <= 1e9L;
        // Other styles write no feed word at all: every feed move would be refused.
        case rFeedStyle: return V == 0 || V == 1;
        case rChord: return std::isfinite(V) && V > 0;
        default: return true;
    }
}

bool ToInt(const std::string& S, int& V) {
    const char* b = S.data();
    const char* e = b + S.size();
    if (b != e && *b == '+') ++b;
    auto r = std::from_chars(b, e, V);
    return b != e && r.ec == std::errc() && r.ptr == e;
}

void Refuse(const std::string& Key, const std::string& Value, std::vector<std::string>& Refused) {
    WriteLog("Err:Gcode CFG value refused (" + Key + "=" + Value + ")");
    Refused.push_back("Gcode.cfg: nepřípustná hodnota klíče " + Key + " (" + Value + ")");
}

void Apply(const TKey& K, const std::string& Value, TGcodeConfig& C, std::vector<std::string>& Refused) {
    auto refuse = [&] { Refuse(K.Name, Value, Refused); };
    if (auto* s = std::get_if<TStr>(&K.Field)) {
        C.*(*s) = Value;
    } else if (auto* f = std::get_if<TFirstChar>(&K.Field)) {
        C.*(f->Field) = Value.empty() ? std::string() : UpCaseStr(Value.substr(0, 1));
    } else if (auto* b = std::get_if<TBool>(&K.Field)) {
        C.*(*b) = UpCaseStr(Value) == "TRUE";
    } else if (auto* i = std::get_if<TInt>(&K.Field)) {
        int v;
        if (!ToInt(Value, v)) return;
        if (!Accepts(K.Rule, v)) return refuse();
        C.*(*i) = v;
    } else if (auto* x = std::get_if<TExt>(&K.Field)) {
        Extended v;
        if (!StrToExtCalc(Value, v, false)) return;
        if (!Accepts(K.Rule, v)) return refuse();
        C.*(*x) = v;
    }
}

// Values that are each allowed but together write a program no control can run.
void RefuseBrokenCombinations(TGcodeConfig& C, std::vector<std::string>& Refused) {
    const TGcodeConfig d;
    if (C.RychlostPosuvu.empty() && C.RychlostZapichu.empty()) {
        Refuse("RychlostPosuvu", "", Refused);
        C.RychlostPosuvu = d.RychlostPosuvu;
    }
    // Coordinates in steps of a millimetre or more (no decimals in mm) cut nothing
    // where it was drawn.
    auto coarse = [&] { return std::pow(10.0L, -C.DesetinnychMistSouradnic) / std::fabs(C.NasobitelSouradnic) >= 1; };
    if (coarse()) {
        Refuse("DesetinnychMistSouradnic", std::to_string(C.DesetinnychMistSouradnic), Refused);
        C.DesetinnychMistSouradnic = d.DesetinnychMistSouradnic;
        if (coarse()) C.NasobitelSouradnic = d.NasobitelSouradnic;
    }
}

}  // namespace

bool ParseGcodeCfgLine(const std::string& Line, std::string& Key, std::string& Value) {
    const size_t eq = Line.find('=');
    if (eq == std::string::npos) return false;
    Key = Line.substr(0, eq);
    Value.clear();
    const size_t start = eq + 2;  // the character after "=" is the opening quote
    if (start > Line.size()) return true;
    const size_t close = Line.find('\'', start);
    if (close != std::string::npos) Value = Line.substr(start, close - start);
    return true;
}

void ApplyGcodeCfgText(const std::string& Bytes, TGcodeConfig& Config, std::vector<std::string>& Refused) {
    std::string line;
    auto take = [&] {
        std::string key, value;
        if (!ParseGcodeCfgLine(line, key, value)) return;
        for (const TKey& k : Keys)
            if (key == k.Name) {
                Apply(k, value, Config, Refused);
                return;
            }
    };
    for (char c : Bytes) {
        if (c == '\n') {
            take();
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty()) take();
    RefuseBrokenCombinations(Config, Refused);
}

std::vector<std::string> GcodeCfgLines(const TGcodeConfig& Config) {
    std::vector<std::string> out;
    for (const TKey& k : Keys) {
        std::string v;
        if (auto* s = std::get_if<TStr>(&k.Field)) v = Config.*(*s);
        else if (auto* f = std::get_if<TFirstChar>(&k.Field)) v = Config.*(f->Field);
        else if (auto* b = std::get_if<TBool>(&k.Field)) v = Config.*(*b) ? "TRUE" : "FALSE";
        else if (auto* i = std::get_if<TInt>(&k.Field)) v = std::to_string(Config.*(*i));
        else if (auto* x = std::get_if<TExt>(&k.Field)) {
            char buf[64];
            auto r = std::to_chars(buf, buf + sizeof buf, Config.*(*x));
            v.assign(buf, r.ptr);
        }
        out.push_back(std::string(k.Name) + "='" + v + "'");
    }
    return out;
}

void LoadGcodeCfg(TGcodeConfig& Config, std::vector<std::string>& Refused) {
    const std::string path = ProgramDir + "/Gcode.cfg";
    WriteLog("Sys:Load Gcode CFG Start (" + path + ")");
    Config = TGcodeConfig();
    std::string bytes;
    if (TextFileExists(path) && ReadFileBytes(path, bytes))
        ApplyGcodeCfgText(bytes, Config, Refused);
    else {
        WriteLog("Err:FAILED Load Gcode CFG, file not exist (" + path + ")");
        // Without the file feeds are written in mm/s and no units word: the user
        // must know before the program reaches a machine.
        Refused.push_back("Gcode.cfg v adresáři programu chybí: zapsáno s vestavěným nastavením "
                          "(posuvy v mm/s, bez G21)");
    }
    WriteLog("Sys:Load Gcode CFG End");
}
