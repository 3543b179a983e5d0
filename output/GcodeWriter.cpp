// Line composition, number formats and the motion words of the G-code program.
#include <charconv>
#include <cmath>

#include "core/DecimalText.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniGeom.h"
#include "formats/SafeFile.h"
#include "output/NcRun.h"

namespace {

constexpr size_t FlushSize = 1 << 20;

std::string Word(const std::string& Axis, const std::string& Value) { return Axis + Value; }

// The feed word appended to feed moves when every move line carries it.
void AppendFeed(const TNcRun& R, std::string& Line) {
    if (R.Config.StylPosuvu == 1) Line += R.Config.OddelovacPrikazu + R.LastFeed;
}

std::string MoveWord(const TNcRun& R, bool Rapid) { return Rapid ? R.Config.Rychloposuv : R.Config.Posuv; }

// A coordinate as the control reads it: rounded to the written decimals.
Extended AsWritten(const TNcRun& R, Extended V) {
    const Extended m = R.Config.NasobitelSouradnic;
    const Extended p = std::pow(10.0L, R.Config.DesetinnychMistSouradnic);
    return std::round(V * m * p) / p / m;
}

// Splits an arc into n equal chords no farther than the chord deviation from it.
void Chords(TNcRun& R, const Osy3D& S, const Osy3D& E, Extended Alfa, const Osy& C, Extended Rad, bool With3D) {
    const Extended D = R.Config.OdchylkaSecny;
    long n = 1;
    if (D < Rad) {
        const Extended q = (Rad - D) / Rad;
        const Extended step = 2 * std::atan(std::sqrt(1 - q * q) / q);
        const Extended k = std::fabs(Alfa) / step;
        n = k < 1e6L ? long(k) + 1 : 1000000;
    }
    const Extended a0 = Angle(C, Osy{S.x, S.y});
    for (long i = 1; i <= n; ++i) {
        const Extended a = a0 + Alfa * i / n;
        Osy3D P{C.x + Rad * std::cos(a), C.y + Rad * std::sin(a), S.z + (E.z - S.z) * i / n};
        if (i == n) P = E;
        if (With3D)
            NcMoveXYZ(R, false, P);
        else
            NcMoveXY(R, false, Osy{P.x, P.y});
    }
}

void Arc(TNcRun& R, const Osy3D& S, const Osy3D& E, Extended Alfa, bool With3D) {
    const TGcodeConfig& c = R.Config;
    Osy C;
    Extended Rad;
    ArcCenter(Osy{S.x, S.y}, Osy{E.x, E.y}, Alfa, C, Rad);
    const char style = c.StylOblouku.empty() ? ' ' : c.StylOblouku[0];
    const std::string& word = Alfa >= 0 ? c.ObloukCCW : c.ObloukCW;
    if (word.empty() || (style != 'A' && style != 'R' && style != 'P'))
        return Chords(R, S, E, Alfa, C, Rad, With3D);
    // An arc flatter than the last decimal is a straight move to the control.
    const Extended resolution = std::pow(10.0L, -c.DesetinnychMistSouradnic) / c.NasobitelSouradnic;
    if (Rad * (1 - std::cos(Alfa / 2)) < resolution / 2 || !std::isfinite(Rad)) {
        if (With3D) return NcMoveXYZ(R, false, E);
        return NcMoveXY(R, false, Osy{E.x, E.y});
    }
    // More than a half circle, and a radius word near a half circle, are two arcs:
    // a radius word names the shorter arc, and a full circle ends where it starts.
    const Extended pi = 3.14159265358979323846L;
    if (std::fabs(Alfa) > pi + CoordTol || (style == 'P' && std::fabs(Alfa) > pi - 0.01L)) {
        const Extended a = Angle(C, Osy{S.x, S.y}) + Alfa / 2;
        const Osy3D M{C.x + Rad * std::cos(a), C.y + Rad * std::sin(a), (S.z + E.z) / 2};
        Arc(R, S, M, Alfa / 2, With3D);
        Arc(R, M, E, Alfa / 2, With3D);
        return;
    }
    const std::string xt = NcCoord(R, E.x), yt = NcCoord(R, E.y);
    const std::string zt = With3D ? NcCoord(R, E.z) : std::string();
    if (xt == R.LastX && yt == R.LastY && !R.ForceMove) {
        if (With3D && zt != R.LastZ) NcMoveZ(R, false, E.z);
        return;
    }
    // The centre from the points as written, so both radii agree to the last decimal.
    const Osy s{AsWritten(R, S.x), AsWritten(R, S.y)};
    const Osy e{AsWritten(R, E.x), AsWritten(R, E.y)};
    if (!SamePt(s, e)) ArcCenter(s, e, Alfa, C, Rad);
    std::string line = word + c.OddelovacPrikazu + Word(c.SouradniceX, xt) + c.OddelovacSouradnic +
                       Word(c.SouradniceY, yt);
    if (With3D) line += c.OddelovacSouradnic + Word(c.SouradniceZ, zt);
    if (style == 'A')
        line += c.OddelovacSouradnic + Word(c.AltSouradniceX, NcCoord(R, C.x)) + c.OddelovacSouradnic +
                Word(c.AltSouradniceY, NcCoord(R, C.y));
    else if (style == 'R')
        line += c.OddelovacSouradnic + Word(c.AltSouradniceX, NcCoord(R, C.x - s.x)) + c.OddelovacSouradnic +
                Word(c.AltSouradniceY, NcCoord(R, C.y - s.y));
    else
        line += c.OddelovacSouradnic + "R" + NcCoord(R, Rad);
    AppendFeed(R, line);
    WriteNcLine(R, line);
    R.ForceMove = false;
    R.LastX = xt;
    R.LastY = yt;
    if (With3D) R.LastZ = zt;
}

}  // namespace

TNcRun::~TNcRun() { FreeObjList(ClampStart, ClampEnd); }

const TTool& TNcRun::Tool() const { return Glob.Tool[CurLayer >= 1 && CurLayer <= ToolLayerCount ? CurLayer : 1]; }

void TNcRun::Flush() {
    if (Out.empty()) return;
    if (!WriteFailed && !AppendTempBytes(Out)) WriteFailed = true;
    Out.clear();
}

void TNcRun::Error(const std::string& Line) {
    for (const std::string& e : Errors)
        if (e == Line) return;
    Errors.push_back(Line);
}

std::string FormatNcNumber(int Decimals, Extended Value) {
    if (!std::isfinite(Value)) Value = 0;
    if (Decimals < 0) Decimals = 0;
    if (Decimals > MaxNcDecimals) Decimals = MaxNcDecimals;
    // The value scaled to an integer exactly, as the general formatting below would
    // round it, without the C library's slow multi-precision path.
    if (unsigned __int128 n = 0; ScaledRound(Value, Decimals, n)) {
        char digits[40], text[48];
        const size_t d = IntDigits(n, size_t(Decimals) + 1, digits);
        size_t len = 0;
        if (Value < 0 && n != 0) text[len++] = '-';  // no "-0"
        for (size_t i = 0; i < d; ++i) {
            if (i + size_t(Decimals) == d) text[len++] = '.';
            text[len++] = digits[i];
        }
        return std::string(text, len);
    }
    char buf[128];
    std::string big;
    char* first = buf;
    auto r = std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::fixed, Decimals);
    if (r.ec != std::errc()) {
        big.resize(5100);
        first = big.data();
        r = std::to_chars(first, first + big.size(), Value, std::chars_format::fixed, Decimals);
    }
    std::string s(first, r.ptr);
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

void WriteNcLine(TNcRun& R, const std::string& Text) {
    if (Text.empty()) return;
    const TGcodeConfig& c = R.Config;
    R.LineCounter += c.InkrementRadku;
    if (!c.CislovaniRadku.empty()) {
        R.Out += c.CislovaniRadku;
        R.Out += std::to_string(R.LineCounter);
        R.Out += c.OddelovacCislovani;
    }
    R.Out += Text;
    R.Out += c.NaKonciRadku;
    R.Out += "\r\n";
    if (R.Out.size() >= FlushSize) R.Flush();
}

void WriteNcRawLine(TNcRun& R, const std::string& Text) {
    R.Out += Text;
    R.Out += "\r\n";
    if (R.Out.size() >= FlushSize) R.Flush();
}

std::string NcComment(const TNcRun& R, const std::string& Text) {
    if (R.Config.OddelovacKomentare.empty()) return "";
    return R.Config.OddelovacKomentare + Text + R.Config.UkonceniKomentare;
}

std::string NcCoord(const TNcRun& R, Extended V) {
    return FormatNcNumber(R.Config.DesetinnychMistSouradnic, V * R.Config.NasobitelSouradnic);
}

namespace {
void Dwell(TNcRun& R, Extended Time) {
    const TGcodeConfig& c = R.Config;
    if (Time > CoordTol && !c.UrceniProdlev.empty())
        WriteNcLine(R, c.UrceniProdlev + c.OddelovacSouradnic +
                           FormatNcNumber(c.DesetinnychMistProdlev, Time * c.NasobitelProdlev) + c.OddelovacPrikazu);
}
}  // namespace

void NcSpindle(TNcRun& R, Extended Speed, Extended Dwell_) {
    const TGcodeConfig& c = R.Config;
    if (std::fabs(Speed) <= CoordTol) {
        if (!c.VypnoutVreteno.empty() && R.SpindleOn) WriteNcLine(R, c.VypnoutVreteno + c.OddelovacPrikazu);
        R.SpindleOn = false;
    } else if (Speed != R.LastSpeed) {
        if (!c.UrceniOtacek.empty())
            WriteNcLine(R, c.UrceniOtacek + FormatNcNumber(c.DesetinnychMistOtacek, Speed * c.NasobitelOtacek) +
                               c.OddelovacPrikazu);
        if (!c.ZapnoutVretenoDoprava.empty()) WriteNcLine(R, c.ZapnoutVretenoDoprava + c.OddelovacPrikazu);
        Dwell(R, Dwell_);
        R.SpindleOn = true;
    }
    R.LastSpeed = Speed;
}

void NcCoolant(TNcRun& R, int Kind, Extended Dwell_) {
    const TGcodeConfig& c = R.Config;
    if (Kind == Zadne) {
        if (!c.VypnoutVsechnoChlazeni.empty() && R.CoolantState != 0) {
            WriteNcLine(R, c.VypnoutVsechnoChlazeni + c.OddelovacPrikazu);
            R.CoolantState = 0;
        }
        return;
    }
    const std::string& word = Kind == Vzduch ? c.ZapnoutVzduchoveChlazeni
                              : Kind == Mlha ? c.ZapnoutMlhoveChlazeni
                                             : c.ZapnoutKapalinoveChlazeni;
    if (!word.empty() && R.CoolantState != Kind) {
        WriteNcLine(R, word + c.OddelovacPrikazu);
        R.CoolantState = Kind;
    }
    Dwell(R, Dwell_);
}

void NcFeed(TNcRun& R, bool Plunge, Extended Feed) {
    const TGcodeConfig& c = R.Config;
    const std::string& word = Plunge ? c.RychlostZapichu : c.RychlostPosuvu;
    if (word.empty()) {
        R.LastFeed.clear();
        return;
    }
    const std::string value = FormatNcNumber(c.DesetinnychMistRychlosti, Feed * c.NasobitelRychlosti);
    // A feed of zero stops the control and a negative one is no feed at all: the
    // feed in force stays and the user learns which layer lacks one.
    if (!(Feed > 0) || value.find_first_not_of("0.") == std::string::npos) {
        R.Error("Vrstva " + std::to_string(R.CurLayer) + ": posuv " + value + " není kladný, nezapsán");
        return;
    }
    R.LastFeed = word + value + NcComment(R, Plunge ? "zapich" : "posuv");
    if (c.StylPosuvu == 0) WriteNcLine(R, R.LastFeed);
}

void NcMoveZ(TNcRun& R, bool Rapid, Extended Z) {
    const TGcodeConfig& c = R.Config;
    const std::string zt = NcCoord(R, Z);
    if (zt == R.LastZ && !R.ForceMove) return;
    std::string line = MoveWord(R, Rapid) + c.OddelovacPrikazu + Word(c.SouradniceZ, zt);
    if (!Rapid) AppendFeed(R, line);
    WriteNcLine(R, line);
    R.ForceMove = false;
    R.LastZ = zt;
}

void NcMoveXY(TNcRun& R, bool Rapid, const Osy& P) {
    const TGcodeConfig& c = R.Config;
    const std::string xt = NcCoord(R, P.x), yt = NcCoord(R, P.y);
    if (xt == R.LastX && yt == R.LastY && !R.ForceMove) return;
    std::string line = MoveWord(R, Rapid) + c.OddelovacPrikazu + Word(c.SouradniceX, xt) + c.OddelovacSouradnic +
                       Word(c.SouradniceY, yt);
    if (Rapid && R.APending && !c.SouradniceA.empty()) {
        line += c.OddelovacSouradnic + c.SouradniceA + FormatNcNumber(c.DesetinnychMistSouradnic, R.Tool().AngleA);
        R.APending = false;
    }
    if (!Rapid) AppendFeed(R, line);
    WriteNcLine(R, line);
    R.ForceMove = false;
    R.LastX = xt;
    R.LastY = yt;
}

void NcMoveXYZ(TNcRun& R, bool Rapid, const Osy3D& P) {
    const TGcodeConfig& c = R.Config;
    const std::string xt = NcCoord(R, P.x), yt = NcCoord(R, P.y), zt = NcCoord(R, P.z);
    if (xt == R.LastX && yt == R.LastY && zt == R.LastZ && !R.ForceMove) return;
    std::string line = MoveWord(R, Rapid) + c.OddelovacPrikazu + Word(c.SouradniceX, xt) + c.OddelovacSouradnic +
                       Word(c.SouradniceY, yt) + c.OddelovacSouradnic + Word(c.SouradniceZ, zt);
    if (!Rapid) AppendFeed(R, line);
    WriteNcLine(R, line);
    R.ForceMove = false;
    R.LastX = xt;
    R.LastY = yt;
    R.LastZ = zt;
}

void NcArcXY(TNcRun& R, const Osy& Start, const Osy& End, Extended Alfa) {
    Arc(R, Osy3D{Start.x, Start.y, 0}, Osy3D{End.x, End.y, 0}, Alfa, false);
}

void NcArcXYZ(TNcRun& R, const Osy3D& Start, const Osy3D& End, Extended Alfa) {
    Arc(R, Start, End, Alfa, true);
}
