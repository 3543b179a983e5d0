// Line composition, number formats and the motion words of the G-code program.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "core/DecimalText.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniGeom.h"
#include "formats/SafeFile.h"
#include "output/NcRun.h"

namespace {

constexpr size_t FlushSize = 1 << 20;

// Opens a composed line straight in the output buffer (numbered when the
// configuration numbers lines) and hands the buffer for the line's words.
std::string& BeginLine(TNcRun& R) {
    const TGcodeConfig& c = R.Config;
    std::string& o = R.Out;
    // Room for a whole flush block: the buffer never moves while a program is written.
    if (o.capacity() < FlushSize + FlushSize / 4) o.reserve(FlushSize + FlushSize / 4);
    R.LineCounter += c.InkrementRadku;
    if (!c.CislovaniRadku.empty()) {
        char number[24];
        o += c.CislovaniRadku;
        o.append(number, std::to_chars(number, number + sizeof number, R.LineCounter).ptr);
        o += c.OddelovacCislovani;
    }
    return o;
}

void EndLine(TNcRun& R) {
    R.Out += R.Config.NaKonciRadku;
    R.Out += "\r\n";
    if (R.Out.size() >= FlushSize) R.Flush();
}

// The feed word appended to feed moves when every move line carries it.
void AppendFeed(const TNcRun& R, std::string& Line) {
    if (R.Config.StylPosuvu == 1) {
        Line += R.Config.OddelovacPrikazu;
        Line += R.LastFeed;
    }
}

const std::string& MoveWord(const TNcRun& R, bool Rapid) { return Rapid ? R.Config.Rychloposuv : R.Config.Posuv; }

// An axis word after its separator.
void AppendWord(std::string& Line, const std::string& Sep, const std::string& Axis, std::string_view Value) {
    Line += Sep;
    Line += Axis;
    Line += Value;
}

// 10^K and 10^-K exactly as the library's pow gives them (its negative powers are not
// always the nearest value, and the written points must not move by an ulp).
struct TPowers {
    Extended Up[MaxNcDecimals + 1], Down[MaxNcDecimals + 1];
};
const TPowers& Powers() {
    static const TPowers P = [] {
        TPowers p{};
        for (int k = 0; k <= MaxNcDecimals; ++k) {
            p.Up[k] = std::pow(10.0L, k);
            p.Down[k] = std::pow(10.0L, -k);
        }
        return p;
    }();
    return P;
}
Extended Pow10(int K) {
    if (K >= 0 && K <= MaxNcDecimals) return Powers().Up[K];
    return K < 0 && -K <= MaxNcDecimals ? Powers().Down[-K] : std::pow(10.0L, K);
}

// std::round (halves away from zero) without the library call for what a program
// holds: below 2^62 adding 2^63 leaves whole units, rounded to even at a half.
Extended RoundHalfAway(Extended Y) {
    const Extended a = std::fabs(Y);
    if (!(a < 0x1p62L)) return std::round(Y);
    Extended t = (a + 0x1p63L) - 0x1p63L;
    if (a - t == 0.5L) t += 1;
    return Y < 0 ? -t : t;
}

// A coordinate as the control reads it: rounded to the written decimals.
Extended AsWritten(const TNcRun& R, Extended V) {
    const Extended m = R.Config.NasobitelSouradnic;
    const Extended p = Pow10(R.Config.DesetinnychMistSouradnic);
    const Extended q = RoundHalfAway(V * m * p) / p;
    return m == 1 ? q : q / m;
}

// The written start and end of an arc; consecutive arcs share a point, which is
// rounded once.
void WrittenEnds(TNcRun& R, const Osy3D& S, const Osy3D& E, Osy& s, Osy& e) {
    TNcRun::TWrittenPt& w = R.LastWritten;
    if (w.Set && w.From.x == S.x && w.From.y == S.y)
        s = w.To;
    else
        s = Osy{AsWritten(R, S.x), AsWritten(R, S.y)};
    e = Osy{AsWritten(R, E.x), AsWritten(R, E.y)};
    w = TNcRun::TWrittenPt{true, Osy{E.x, E.y}, e};
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

// The text of coordinate V when every value within Err of it is written the same;
// false when V lies too near a rounding boundary to tell.
bool SureCoord(const TNcRun& R, Extended V, Extended Err, TNcNumber& Out) {
    const int k = std::clamp(R.Config.DesetinnychMistSouradnic, 0, MaxNcDecimals);
    const Extended m = R.Config.NasobitelSouradnic, p = Powers().Up[k];
    const Extended x = std::fabs(V * m) * p;
    if (!(x < 0x1p62L)) return false;
    // The distance from the nearest half, against the given error and the roundings
    // of the product in either computation.
    const Extended slack = Err * std::fabs(m) * p + x * 0x1p-58L;
    // x less its nearest integer (adding 2^63 leaves whole units only).
    const Extended f = x - ((x + 0x1p63L) - 0x1p63L);
    if (!(0.5L - std::fabs(f) > slack)) return false;
    FormatNcNumber(Out, k, V * m);
    return true;
}

// The centre words of an arc of the written points s, e (distinct) as ArcCenter's
// centre would give them, without its angles: the centre is the chord's midpoint
// moved along the chord's normal by cot(Alfa/2) times half the chord, from the sine
// and cosine of the half angle. Both computations lie within a few units of the last
// place of the coordinates and the radius; Err is far beyond that, and a word within
// Err of a rounding boundary gives false (ArcCenter decides).
bool CentreWords(const TNcRun& R, const Osy& s, const Osy& e, Extended Alfa, Extended Sh, Extended Ch, bool Absolute,
                 TNcNumber& I, TNcNumber& J) {
    const Extended dx = e.x - s.x, dy = e.y - s.y;
    // Angle() takes so short a chord, and one a hair below the direction 2 pi, as
    // direction 0.
    if ((std::fabs(dx) <= CoordTol && std::fabs(dy) <= CoordTol) || (dx > 0 && dy < 0 && -dy < dx * 1e-13L))
        return false;
    const Extended cot = Ch / (2 * Sh);
    const Extended nx = -dy * cot, ny = dx * cot;
    const Extended ox = Alfa > 0 ? dx / 2 + nx : dx / 2 - nx, oy = Alfa > 0 ? dy / 2 + ny : dy / 2 - ny;
    const Extended Err =
        (std::fabs(s.x) + std::fabs(s.y) + std::fabs(dx) + std::fabs(dy) + std::fabs(nx) + std::fabs(ny)) * 0x1p-46L;
    if (!std::isfinite(Err)) return false;
    return SureCoord(R, Absolute ? s.x + ox : ox, Err, I) && SureCoord(R, Absolute ? s.y + oy : oy, Err, J);
}

void Arc(TNcRun& R, const Osy3D& S, const Osy3D& E, Extended Alfa, bool With3D) {
    const TGcodeConfig& c = R.Config;
    const Osy s0{S.x, S.y}, e0{E.x, E.y};
    Osy C;
    Extended Rad;
    const char style = c.StylOblouku.empty() ? ' ' : c.StylOblouku[0];
    const std::string& word = Alfa >= 0 ? c.ObloukCCW : c.ObloukCW;
    if (word.empty() || (style != 'A' && style != 'R' && style != 'P')) {
        ArcCenter(s0, e0, Alfa, C, Rad);
        return Chords(R, S, E, Alfa, C, Rad, With3D);
    }
    // The radius as ArcCenter gives it, from the same sine of the half angle.
    Extended sh, ch;
    SinCos(std::fabs(Alfa) / 2, sh, ch);
    Rad = Dist(s0, e0) / (2 * sh);
    // An arc flatter than the last decimal is a straight move to the control. The
    // cosine of the half angle from SinCos is within an ulp or two of the library's:
    // the library decides only where that could tip the comparison.
    const Extended resolution = Pow10(-c.DesetinnychMistSouradnic) / c.NasobitelSouradnic;
    const Extended sagitta = Rad * (1 - ch);
    const bool flat = std::fabs(sagitta - resolution / 2) > std::fabs(Rad) * 0x1p-56L + std::fabs(sagitta) * 0x1p-56L
                          ? sagitta < resolution / 2
                          : Rad * (1 - std::cos(Alfa / 2)) < resolution / 2;
    if (flat || !std::isfinite(Rad)) {
        if (With3D) return NcMoveXYZ(R, false, E);
        return NcMoveXY(R, false, e0);
    }
    // More than a half circle, and a radius word near a half circle, are two arcs:
    // a radius word names the shorter arc, and a full circle ends where it starts.
    const Extended pi = 3.14159265358979323846L;
    if (std::fabs(Alfa) > pi + CoordTol || (style == 'P' && std::fabs(Alfa) > pi - 0.01L)) {
        ArcCenter(s0, e0, Alfa, C, Rad);
        const Extended a = Angle(C, s0) + Alfa / 2;
        const Osy3D M{C.x + Rad * std::cos(a), C.y + Rad * std::sin(a), (S.z + E.z) / 2};
        Arc(R, S, M, Alfa / 2, With3D);
        Arc(R, M, E, Alfa / 2, With3D);
        return;
    }
    TNcNumber xn, yn, zn;
    const std::string_view xt = NcCoord(R, xn, E.x), yt = NcCoord(R, yn, E.y);
    const std::string_view zt = With3D ? NcCoord(R, zn, E.z) : std::string_view();
    if (xt == R.LastX && yt == R.LastY && !R.ForceMove) {
        if (With3D && zt != R.LastZ) NcMoveZ(R, false, E.z);
        return;
    }
    // The centre from the points as written, so both radii agree to the last decimal.
    Osy s, e;
    WrittenEnds(R, S, E, s, e);
    const bool apart = !SamePt(s, e);
    TNcNumber in, jn;
    if (style == 'P') {
        NcCoord(R, in, apart ? Dist(s, e) / (2 * sh) : Rad);
    } else if (!apart || !CentreWords(R, s, e, Alfa, sh, ch, style == 'A', in, jn)) {
        if (apart)
            ArcCenter(s, e, Alfa, C, Rad);
        else
            ArcCenter(s0, e0, Alfa, C, Rad);
        NcCoord(R, in, style == 'A' ? C.x : C.x - s.x);
        NcCoord(R, jn, style == 'A' ? C.y : C.y - s.y);
    }
    std::string& line = BeginLine(R);
    line += word;
    AppendWord(line, c.OddelovacPrikazu, c.SouradniceX, xt);
    AppendWord(line, c.OddelovacSouradnic, c.SouradniceY, yt);
    if (With3D) AppendWord(line, c.OddelovacSouradnic, c.SouradniceZ, zt);
    if (style == 'P') {
        line += c.OddelovacSouradnic;
        line += 'R';
        line += in.View();
    } else {
        AppendWord(line, c.OddelovacSouradnic, c.AltSouradniceX, in.View());
        AppendWord(line, c.OddelovacSouradnic, c.AltSouradniceY, jn.View());
    }
    AppendFeed(R, line);
    EndLine(R);
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

void WriteNcLine(TNcRun& R, const std::string& Text) {
    if (Text.empty()) return;
    BeginLine(R) += Text;
    EndLine(R);
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

std::string_view NcCoord(const TNcRun& R, TNcNumber& Out, Extended V) {
    FormatNcNumber(Out, R.Config.DesetinnychMistSouradnic, V * R.Config.NasobitelSouradnic);
    return Out.View();
}

std::string NcCoord(const TNcRun& R, Extended V) {
    TNcNumber n;
    return std::string(NcCoord(R, n, V));
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
    TNcNumber zn;
    const std::string_view zt = NcCoord(R, zn, Z);
    if (zt == R.LastZ && !R.ForceMove) return;
    std::string& line = BeginLine(R);
    line += MoveWord(R, Rapid);
    AppendWord(line, c.OddelovacPrikazu, c.SouradniceZ, zt);
    if (!Rapid) AppendFeed(R, line);
    EndLine(R);
    R.ForceMove = false;
    R.LastZ = zt;
}

void NcMoveXY(TNcRun& R, bool Rapid, const Osy& P) {
    const TGcodeConfig& c = R.Config;
    TNcNumber xn, yn;
    const std::string_view xt = NcCoord(R, xn, P.x), yt = NcCoord(R, yn, P.y);
    if (xt == R.LastX && yt == R.LastY && !R.ForceMove) return;
    std::string& line = BeginLine(R);
    line += MoveWord(R, Rapid);
    AppendWord(line, c.OddelovacPrikazu, c.SouradniceX, xt);
    AppendWord(line, c.OddelovacSouradnic, c.SouradniceY, yt);
    if (Rapid && R.APending && !c.SouradniceA.empty()) {
        TNcNumber an;
        FormatNcNumber(an, c.DesetinnychMistSouradnic, R.Tool().AngleA);
        AppendWord(line, c.OddelovacSouradnic, c.SouradniceA, an.View());
        R.APending = false;
    }
    if (!Rapid) AppendFeed(R, line);
    EndLine(R);
    R.ForceMove = false;
    R.LastX = xt;
    R.LastY = yt;
}

void NcMoveXYZ(TNcRun& R, bool Rapid, const Osy3D& P) {
    const TGcodeConfig& c = R.Config;
    TNcNumber xn, yn, zn;
    const std::string_view xt = NcCoord(R, xn, P.x), yt = NcCoord(R, yn, P.y), zt = NcCoord(R, zn, P.z);
    if (xt == R.LastX && yt == R.LastY && zt == R.LastZ && !R.ForceMove) return;
    std::string& line = BeginLine(R);
    line += MoveWord(R, Rapid);
    AppendWord(line, c.OddelovacPrikazu, c.SouradniceX, xt);
    AppendWord(line, c.OddelovacSouradnic, c.SouradniceY, yt);
    AppendWord(line, c.OddelovacSouradnic, c.SouradniceZ, zt);
    if (!Rapid) AppendFeed(R, line);
    EndLine(R);
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
