#include "tools/MillsetFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>
#include <string_view>
#include <unordered_map>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "shell/SetCfg.h"
#include "tools/ToolDg.h"
#include "tools/ToolSectionLines.h"
#include "tools/UniTType.h"

namespace {

TToolArr& Tools(bool TmpCopy) { return TmpCopy ? ToolTmp : Glob.Tool; }

// Texts travel in the file's 8-bit code page and on one line.
std::string TextOut(const std::string& S) { return Utf8ToCp1250(OneLineText(S)); }
std::string TextIn(std::string_view S) { return MultiLineText(Cp1250ToUtf8(std::string(S))); }

std::string R(Extended V) { return ExtToStr(V); }
std::string I(int32_t V) { return std::to_string(V); }
const char* B(bool V) { return V ? "TRUE" : "FALSE"; }

// Enumerations and their ranges.
template <typename E>
void EnumField(std::string_view S, E& F, int32_t Hi) {
    int32_t i = 0;
    // A plain integer: the number must convert and have no fraction.
    Extended x = 0;
    if (!SecNum(S, x) || x != std::trunc(x) || !SecTrunc(S, i) || i < 0 || i > Hi) return;
    F = E(i);
}

// The keyed form: one key per tool field.
struct TKeyed {
    const char* Key;
    std::function<std::string(const TTool&)> Get;
    std::function<void(TTool&, std::string_view)> Set;
};

const std::vector<TKeyed>& KeyedTable() {
    auto real = [](Extended TTool::*F) {
        return TKeyed{nullptr, [F](const TTool& T) { return R(T.*F); },
                      [F](TTool& T, std::string_view V) { SecNum(V, T.*F); }};
    };
    auto text = [](std::string TTool::*F) {
        return TKeyed{nullptr, [F](const TTool& T) { return TextOut(T.*F); },
                      [F](TTool& T, std::string_view V) { T.*F = TextIn(V); }};
    };
    auto boolean = [](bool TTool::*F) {
        return TKeyed{nullptr, [F](const TTool& T) { return std::string(B(T.*F)); },
                      [F](TTool& T, std::string_view V) { T.*F = SameUpper(V, "TRUE"); }};
    };
    auto named = [](const char* K, TKeyed E) {
        E.Key = K;
        return E;
    };
    static const std::vector<TKeyed> t = {
        named("JmNastroje", text(&TTool::JmNastroje)),
        named("MatNastroje", text(&TTool::MatNastroje)),
        named("SpodniPrumer", real(&TTool::SpodniPrumer)),
        named("Radius", real(&TTool::Radius)),
        named("UhelSpicky", real(&TTool::UhelSpicky)),
        named("HorniPrumer", real(&TTool::HorniPrumer)),
        named("DelkaBritu", real(&TTool::DelkaBritu)),
        named("Poznamka", text(&TTool::Poznamka)),
        named("VretTime", real(&TTool::VretTime)),
        named("LaserTime", real(&TTool::LaserTime)),
        named("LaserTime2", real(&TTool::LaserTime2)),
        named("ChlazTime", real(&TTool::ChlazTime)),
        named("OfukTime", real(&TTool::OfukTime)),
        {"OfukCount", [](const TTool& T) { return I(T.OfukCount); },
         [](TTool& T, std::string_view V) { SecRound(V, T.OfukCount); }},
        {"Chlaz", [](const TTool& T) { return I(T.Chlaz); },
         [](TTool& T, std::string_view V) { EnumField(V, T.Chlaz, 3); }},
        named("UseLaser", boolean(&TTool::UseLaser)),
        named("UseOfuk", boolean(&TTool::UseOfuk)),
        {"VyjezdZapichem", [](const TTool& T) { return I(T.VyjezdZapichem); },
         [](TTool& T, std::string_view V) {
             if (SameUpper(V, "FALSE")) T.VyjezdZapichem = Rychloposuv;
             else if (SameUpper(V, "TRUE")) T.VyjezdZapichem = Zapich;
             else EnumField(V, T.VyjezdZapichem, 3);
         }},
        named("UzavreneBezVyjezdu", boolean(&TTool::BezVyjezdu)),
        {"Obrob", [](const TTool& T) { return I(T.Obrob); },
         [](TTool& T, std::string_view V) { EnumField(V, T.Obrob, 1); }},
        named("ChlazPrejezd", boolean(&TTool::ChlazPrejezd)),
        named("HloubkaRychloposuvem", real(&TTool::HloubkaRychloposuvem)),
    };
    return t;
}

// Padded to eight characters: the writer copies them in one fixed length.
constexpr char PassKeys[4][8] = {"Hloubka", "Zapich", "Posuv", "Otacky"};
Extended& PassField(TPruchod& P, int k) {
    return k == 0 ? P.Hloubka : k == 1 ? P.Zapich : k == 2 ? P.Posuv : P.Otacky;
}

std::string CompactToolLine(int n, const TTool& T) {
    const std::vector<std::string> f = {
        TextOut(CommaToDot(T.JmNastroje)), TextOut(CommaToDot(T.MatNastroje)), R(T.SpodniPrumer),
        R(T.Radius), R(T.UhelSpicky), R(T.HorniPrumer), R(T.DelkaBritu), TextOut(CommaToDot(T.Poznamka)),
        R(T.VretTime), R(T.LaserTime), R(T.ChlazTime), R(T.OfukTime), I(T.OfukCount), I(T.Chlaz),
        Flag01(T.UseLaser), Flag01(T.UseOfuk), I(T.VyjezdZapichem), I(T.Obrob), Flag01(T.ChlazPrejezd),
        R(T.HloubkaRychloposuvem), R(T.LaserTime2), Flag01(T.BezVyjezdu), I(T.Tnum), I(T.Dnum),
        I(T.ToolType), I(T.PocetBritu)};
    std::string s = "  T" + I(n) + "=";
    for (size_t i = 0; i < f.size(); ++i) s += (i ? "," : "") + f[i];
    return s;
}

void ReadCompactToolLine(std::string_view Value, TTool& T) {
    TFieldReader r{Value};
    std::string_view f;
    auto real = [&](Extended& F) { return r.Next(f) && (SecNum(f, F), true); };
    auto rnd = [&](int32_t& F) { return r.Next(f) && (SecRound(f, F), true); };
    auto flag = [&](bool& F) {
        if (!r.Next(f)) return false;
        int32_t i = 0;
        Extended x = 0;
        if (SecNum(f, x) && x == std::trunc(x) && SecTrunc(f, i) && i >= 0) F = i > 0;
        return true;
    };
    auto text = [&](std::string& F) { return r.Next(f) && (F = TextIn(f), true); };
    if (!text(T.JmNastroje) || !text(T.MatNastroje) || !real(T.SpodniPrumer) || !real(T.Radius) ||
        !real(T.UhelSpicky) || !real(T.HorniPrumer) || !real(T.DelkaBritu) || !text(T.Poznamka) ||
        !real(T.VretTime) || !real(T.LaserTime) || !real(T.ChlazTime) || !real(T.OfukTime) || !rnd(T.OfukCount))
        return;
    if (!r.Next(f)) return;
    EnumField(f, T.Chlaz, 3);
    if (!flag(T.UseLaser) || !flag(T.UseOfuk)) return;
    if (!r.Next(f)) return;
    EnumField(f, T.VyjezdZapichem, 3);
    if (!r.Next(f)) return;
    EnumField(f, T.Obrob, 1);
    if (!flag(T.ChlazPrejezd)) return;
    // The shorter form of older files ends with the depth travelled at rapid feed.
    if (r.S.find(',', r.Pos) == std::string::npos) {
        SecNum(r.Rest(), T.HloubkaRychloposuvem);
        return;
    }
    if (!real(T.HloubkaRychloposuvem) || !real(T.LaserTime2) || !flag(T.BezVyjezdu) || !rnd(T.Tnum) ||
        !rnd(T.Dnum) || !rnd(T.ToolType))
        return;
    SecRound(r.Rest(), T.PocetBritu);
}

// Digits at Pos of S, at most Max of them, no leading zero, read as a number from 1 to
// Hi; the digits end at End. 0 when there are none or the number is out of range: as
// "T1" + "0..." never names layer 1, the longest run of digits is taken.
int NumberAt(std::string_view S, size_t Pos, size_t Max, int Hi, size_t& End) {
    size_t e = Pos;
    int n = 0;
    while (e < S.size() && e < Pos + Max && S[e] >= '0' && S[e] <= '9') n = n * 10 + (S[e++] - '0');
    End = e;
    if (e == Pos || S[Pos] == '0' || n < 1 || n > Hi) return 0;
    return n;
}

// Layer number of a key "T" + n + rest: n 1..64 written without leading zeros.
int LayerOfKey(std::string_view Key, std::string_view& Rest) {
    if (Key.size() < 2 || Key[0] != 'T') return 0;
    size_t e = 0;
    const int n = NumberAt(Key, 1, 3, ToolLayerCount, e);
    if (n) Rest = Key.substr(e);
    return n;
}

// Pass number of "Pruchod" + i + Tail; 0 when it is not that.
int PassOfKey(std::string_view Rest, std::string_view& Tail) {
    if (Rest.substr(0, 7) != "Pruchod") return 0;
    size_t e = 0;
    const int i = NumberAt(Rest, 7, 4, MaxPruchod, e);
    if (i) Tail = Rest.substr(e);
    return i;
}

void ReadPassValue(std::string_view Value, TPruchod& P) {
    TFieldReader r{Value};
    std::string_view f;
    for (int k = 0; k < 3; ++k) {
        if (!r.Next(f)) return;
        SecNum(f, PassField(P, k));
    }
    SecNum(r.Rest(), P.Otacky);
}

const std::vector<const char*>& CommonKeys() {
    static const std::vector<const char*> k = {"Rychloposuv", "PrejezdNadMat", "VyskaZapichRez", "PrejezdNadUpin"};
    return k;
}

Extended& CommonReal(TSpolParObr& S, size_t k) {
    return k == 0 ? S.Rychloposuv : k == 1 ? S.PrejezdNadMat : k == 2 ? S.DepthToPlunge : S.PrejezdNadUpin;
}

}  // namespace

namespace {

// The section as one text, every line ended by CR LF: the keyed form holds tens of
// thousands of pass lines, and each piece is appended where it ends up.
std::string MillsetText(bool Pack, bool TmpCopy, const TToolLayers* Only = nullptr) {
    TSpolParObr& S = Glob.SpolParObr;
    std::string W;
    W.reserve(Pack ? size_t(1) << 14 : size_t(1) << 21);
    auto end = [&W] { W.append("\r\n", 2); };
    auto line = [&](std::string_view A, std::string_view B = {}) {
        W += A;
        W += B;
        end();
    };
    auto num = [&W](int32_t V) {
        char b[16];
        const auto r = std::to_chars(b, b + sizeof b, V);
        W.append(b, r.ptr);
    };
    line("TOOLS");
    if (Pack) line("  PACKED");
    line(S.VelUnit == MmPerMin ? "  VelUnit=mm/min" : "  VelUnit=mm/s");
    for (size_t k = 0; k < CommonKeys().size(); ++k) {
        W += "  ";
        W += CommonKeys()[k];
        line("=", CfgRegionalReal(CommonReal(S, k)));
    }
    line("  PocatekXY=", TextOut(S.PocatekXY));
    line("  RozmerPolot=", TextOut(S.RozmerPolot));
    line("  MatIndex=", I(S.MatIndex));
    line("  MatPolot=", TextOut(S.MatPolot));
    line("  Poznamka=", TextOut(S.Poznamka));
    const TToolArr& A = Tools(TmpCopy);
    for (int n = 1; n <= ToolLayerCount; ++n) {
        if (Only && !Only->test(size_t(n))) continue;
        const TTool& T = A[n];
        if (Pack) {
            line(CompactToolLine(n, T));
            for (int i = 1; i <= MaxPruchod; ++i) {
                const TPruchod& P = T.Pruchod[i];
                if (!(P.Hloubka > -CoordTol)) continue;
                W += "    T";
                num(n);
                W += "Pruchod";
                num(i);
                W += '=';
                AppendExtToStr(W, P.Hloubka);
                W += ',';
                AppendExtToStr(W, P.Zapich);
                W += ',';
                AppendExtToStr(W, P.Posuv);
                W += ',';
                AppendExtToStr(W, P.Otacky);
                end();
            }
            W += "    T";
            num(n);
            W += "Angle=";
            AppendExtToStr(W, T.AngleA);
            end();
        } else {
            for (const TKeyed& K : KeyedTable()) {
                W += "  T";
                num(n);
                W += K.Key;
                line("=", K.Get(T));
            }
            // The four lines of a pass are made on the stack and appended at once: a job
            // holds tens of thousands of them. Prefix and keys are copied in fixed
            // lengths from padded texts, which the compiler makes a few moves.
            char prefix[32] = {};
            char lines[4 * (32 + 8 + 3 + ExtCharsRoom)];
            for (int i = 1; i <= MaxPruchod; ++i) {
                TPruchod P = T.Pruchod[i];  // a copy: PassField hands out references
                if (!(P.Hloubka > -CoordTol)) continue;
                // "  T<n>Pruchod<i>": at most 15 characters.
                std::memcpy(prefix, "  T", 3);
                char* h = std::to_chars(prefix + 3, prefix + 6, n).ptr;
                std::memcpy(h, "Pruchod", 7);
                const size_t plen = size_t(std::to_chars(h + 7, prefix + 16, i).ptr - prefix);
                char* c = lines;
                for (int k = 0; k < 4; ++k) {
                    std::memcpy(c, prefix, 16);
                    c += plen;
                    std::memcpy(c, PassKeys[k], 8);
                    c += std::char_traits<char>::length(PassKeys[k]);
                    *c++ = '=';
                    const size_t d = ExtToChars(PassField(P, k), c);
                    if (d == 0) {
                        // A value of more than ExtCharsRoom characters.
                        W.append(lines, size_t(c - lines));
                        AppendExtToStr(W, PassField(P, k));
                        c = lines;
                        std::memcpy(c, "\r\n", 2);
                        c += 2;
                        continue;
                    }
                    std::memcpy(c + d, "\r\n", 2);
                    c += d + 2;
                }
                W.append(lines, size_t(c - lines));
            }
        }
    }
    line("ENDTOOLS");
    return W;
}

}  // namespace

// The lines hold no line break of their own (texts travel on one line).
std::vector<std::string> MillsetLines(bool Pack, bool TmpCopy, const TToolLayers* Only) {
    return SplitTextLines(MillsetText(Pack, TmpCopy, Only));
}

bool SaveMillset(const std::string& JmFile, bool Pack, bool TmpCopy) {
    WriteLog("Sys:Save Millset Start (" + JmFile + ")");
    const bool ok = WriteSectionText(JmFile, MillsetText(Pack, TmpCopy), true);
    if (!ok) WriteLog("Err:FAILED Save Millset");
    WriteLog("Sys:Save Millset End");
    return ok;
}

namespace {

// The keyed form's tool fields by their key, looked up once per line.
const TKeyed* KeyedField(std::string_view Key) {
    static const std::unordered_map<std::string_view, const TKeyed*> byKey = [] {
        std::unordered_map<std::string_view, const TKeyed*> m;
        for (const TKeyed& K : KeyedTable()) m.emplace(K.Key, &K);
        return m;
    }();
    const auto it = byKey.find(Key);
    return it == byKey.end() ? nullptr : it->second;
}

int PassKeyOf(std::string_view Tail) {
    for (int k = 0; k < 4; ++k)
        if (Tail == PassKeys[k]) return k;
    return -1;
}

// The section's keys that name no tool: the common parameters.
enum TCommonKey { ckPacked, ckVelUnit, ckReal0, ckPocatekXY = ckReal0 + 4, ckRozmerPolot, ckMatPolot, ckPoznamka };

int CommonKeyOf(std::string_view K) {
    static const std::unordered_map<std::string_view, int> byKey = [] {
        std::unordered_map<std::string_view, int> m{{"PACKED", ckPacked},          {"VelUnit", ckVelUnit},
                                                   {"PocatekXY", ckPocatekXY},    {"RozmerPolot", ckRozmerPolot},
                                                   {"MatPolot", ckMatPolot},      {"Poznamka", ckPoznamka}};
        for (size_t k = 0; k < CommonKeys().size(); ++k) m.emplace(CommonKeys()[k], int(ckReal0 + k));
        return m;
    }();
    const auto it = byKey.find(K);
    return it == byKey.end() ? -1 : it->second;
}

}  // namespace

void LinesToMillset(const std::vector<std::string>& Lines, bool TmpCopy, bool& Found, const std::string& File) {
    const size_t first = SectionStart(Lines, "TOOLS");
    Found = first != std::string::npos;
    if (!Found) return;  // a file without the section keeps every tool
    TToolArr& A = Tools(TmpCopy);
    // Every layer's pass table emptied: one copy of an empty table (row 0 kept) per
    // layer, not 255 rows set one by one.
    static const auto empty = [] {
        decltype(TTool::Pruchod) t{};
        for (int i = 1; i <= MaxPruchod; ++i) t[i] = TPruchod{-1, -1, NoFeedValue, NoSpeedValue};
        return t;
    }();
    for (int n = 1; n <= ToolLayerCount; ++n) {
        A[n].HloubkaRychloposuvem = 0;
        std::copy(empty.begin() + 1, empty.end(), A[n].Pruchod.begin() + 1);
        A[n].AngleA = 0;
        // The section does not say which library tool a layer tool came from: a number
        // kept from before would name another job's tool.
        A[n].TID = -1;
    }
    TSpolParObr& S = Glob.SpolParObr;
    S.VelUnit = MmPerSec;
    bool packed = false, TypeTold = false;
    ForEachSectionLine(Lines, first, "ENDTOOLS", [&](const TSectionLine& l) {
        const std::string_view K = l.Key;
        std::string_view rest, tail;
        // Tool keys first: they are nearly every line of the section.
        const int n = l.HasVal ? LayerOfKey(K, rest) : 0;
        if (!n) {
            const int c = CommonKeyOf(K);
            if (c == ckPacked) packed = true;
            else if (!l.HasVal || c < 0) return;
            else if (c == ckVelUnit && l.Val == "mm/min") S.VelUnit = MmPerMin;
            else if (c >= ckReal0 && c < ckPocatekXY) SecNum(l.Val, CommonReal(S, size_t(c - ckReal0)));
            else if (c == ckPocatekXY) S.PocatekXY = TextIn(l.Val);
            else if (c == ckRozmerPolot) S.RozmerPolot = TextIn(l.Val);
            else if (c == ckMatPolot) S.MatPolot = TextIn(l.Val);
            else if (c == ckPoznamka) S.Poznamka = TextIn(l.Val);
            return;
        }
        TTool& T = A[n];
        const int i = PassOfKey(rest, tail);
        // A type number that names no type is not taken.
        const int32_t Type = T.ToolType;
        auto checkType = [&] {
            if (T.ToolType != Type && !ToolTypeReadOk(T.ToolType, File, l.Line, TypeTold)) T.ToolType = Type;
        };
        if (packed) {
            if (rest.empty()) {
                ReadCompactToolLine(l.Val, T);
                checkType();
            }
            else if (rest == "Angle") SecNum(l.Val, T.AngleA);
            else if (i && tail.empty()) ReadPassValue(l.Val, T.Pruchod[i]);
            return;
        }
        if (i) {
            if (const int k = PassKeyOf(tail); k >= 0) SecNum(l.Val, PassField(T.Pruchod[i], k));
            return;
        }
        if (const TKeyed* E = KeyedField(rest)) E->Set(T, l.Val);
        checkType();
    });
}

namespace {

bool LoadMillsetFrom(const std::string& JmFile, const std::vector<std::string>* Lines, bool TmpCopy) {
    WriteLog("Sys:Load Millset Start (" + JmFile + ")");
    bool ok = false;
    std::vector<std::string> read;
    if (!Lines && !TextFileExists(JmFile)) {
        WriteLog("Err:FAILED Load Millset, file not found");
    } else if (!Lines && !ReadTextLines(JmFile, read)) {
        WriteLog("Err:FAILED Load Millset, file not readable");
    } else {
        LinesToMillset(Lines ? *Lines : read, TmpCopy, ok, JmFile);
        if (!ok) WriteLog("Err:FAILED Load Millset, no TOOLS section");
    }
    WriteLog("Sys:Load Millset End");
    return ok;
}

}  // namespace

bool LoadMillset(const std::string& JmFile, bool TmpCopy) { return LoadMillsetFrom(JmFile, nullptr, TmpCopy); }

bool LoadMillsetLines(const std::string& JmFile, const std::vector<std::string>& Lines, bool TmpCopy) {
    return LoadMillsetFrom(JmFile, &Lines, TmpCopy);
}
