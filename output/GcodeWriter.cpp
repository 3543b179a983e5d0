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
// The buffer's first room: it grows with the program towards a flush block, so that a
// program of a few lines does not take a megabyte.
constexpr size_t FirstRoom = 1 << 16;

// One composed line, put together on the stack and appended to the program at once:
// the writers make millions of lines of a few short words each. A line longer than
// the buffer (only an odd configuration makes one) goes to the program piece by piece.
class TLine {
public:
    // Opens the line, numbered when the configuration numbers lines.
    explicit TLine(TNcRun& R) : R(R) {
        const TGcodeConfig& c = R.Config;
        R.LineCounter += c.InkrementRadku;
        if (!c.CislovaniRadku.empty()) {
            char number[24];
            Put(c.CislovaniRadku);
            Put(std::string_view(number, size_t(std::to_chars(number, number + sizeof number, R.LineCounter).ptr - number)));
            Put(c.OddelovacCislovani);
        }
    }
    TLine(const TLine&) = delete;
    TLine& operator=(const TLine&) = delete;

    [[gnu::always_inline]] void Put(std::string_view T) {
        if (T.size() > sizeof Buf - Len) return Long(T);
        NcCopy(Buf + Len, T.data(), T.size());
        Len += T.size();
    }
    void Put(char C) { Put(std::string_view(&C, 1)); }
    // An axis word after its separator.
    void Word(const std::string& Sep, const std::string& Axis, std::string_view Value) {
        Put(Sep);
        Put(Axis);
        Put(Value);
    }
    // The feed word appended to feed moves when every move line carries it.
    void Feed() {
        if (R.Config.StylPosuvu == 1) {
            Put(R.Config.OddelovacPrikazu);
            Put(R.LastFeed);
        }
    }
    // Ends the line and appends it to the program.
    void End() {
        Put(R.Config.NaKonciRadku);
        Put(std::string_view("\r\n"));
        std::string& o = R.Out;
        if (o.capacity() < FirstRoom) o.reserve(FirstRoom);
        o.append(Buf, Len);
        Len = 0;
        if (o.size() >= FlushSize) R.Flush();
    }

private:
    [[gnu::noinline]] void Long(std::string_view T) {
        R.Out.append(Buf, Len);
        Len = 0;
        R.Out.append(T);
    }
    TNcRun& R;
    size_t Len = 0;
    char Buf[240];
};

const std::string& MoveWord(const TNcRun& R, bool Rapid) { return Rapid ? R.Config.Rychloposuv : R.Config.Posuv; }

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

// The text of coordinate V (computed in double) when every value within Err of it
// is written the same; false when V lies too near a rounding boundary to tell. The
// digits are those of the nearest integer to the scaled value, as the extended
// formatting would give them.
bool SureCoord(const TNcRun& R, double V, double Err, TNcNumber& Out) {
    const int k = std::clamp(R.Config.DesetinnychMistSouradnic, 0, MaxNcDecimals);
    const double m = double(R.Config.NasobitelSouradnic), p = double(Powers().Up[k]);
    const double v = V * m, x = std::fabs(v) * p;
    if (!(x < 0x1p52)) return false;
    // The distance from the nearest half, against the given error and the roundings
    // of the products.
    const double slack = Err * std::fabs(m) * p + x * 0x1p-49;
    const double n = std::nearbyint(x);
    if (!(0.5 - std::fabs(x - n) > slack)) return false;
    FormatNcScaled(Out, k, v < 0, uint64_t(n));
    return true;
}

// The centre words of an arc of the written points s, e (distinct) as ArcCenter's
// centre would give them, without its angles: the centre is the chord's midpoint
// moved along the chord's normal by cot(Alfa/2) times half the chord, from the sine
// and cosine of the half angle. Computed in double: its errors lie within a few units
// of the last place of the coordinates and the radius (the sine and cosine included);
// Err is far beyond that, and a word within Err of a rounding boundary gives false
// (ArcCenter decides).
bool CentreWords(const TNcRun& R, const Osy& s, const Osy& e, Extended Alfa, double Sh, double Ch, bool Absolute,
                 TNcNumber& I, TNcNumber& J) {
    const Extended ex = e.x - s.x, ey = e.y - s.y;
    // Angle() takes so short a chord, and one a hair below the direction 2 pi, as
    // direction 0.
    if ((std::fabs(ex) <= CoordTol && std::fabs(ey) <= CoordTol) || (ex > 0 && ey < 0 && -ey < ex * 1e-13L))
        return false;
    const double sx = double(s.x), sy = double(s.y), dx = double(ex), dy = double(ey);
    const double cot = Ch / (2 * Sh);
    const double nx = -dy * cot, ny = dx * cot;
    const double ox = Alfa > 0 ? dx / 2 + nx : dx / 2 - nx, oy = Alfa > 0 ? dy / 2 + ny : dy / 2 - ny;
    const double Err = (std::fabs(sx) + std::fabs(sy) + std::fabs(dx) + std::fabs(dy) + std::fabs(nx) + std::fabs(ny)) * 0x1p-42;
    if (!std::isfinite(Err)) return false;
    return SureCoord(R, Absolute ? sx + ox : ox, Err, I) && SureCoord(R, Absolute ? sy + oy : oy, Err, J);
}

// The sine and cosine of half the arc's angle in double, the radius from them and
// whether the arc is flatter than half the resolution; false where the extended
// computation decides: the radius word is written from its sine, the angle is out of
// the usual range, or the sagitta lies too near half the resolution to tell.
bool QuickHalfAngle(char Style, const Osy& s0, const Osy& e0, Extended Alfa, Extended Resolution, double& Sh,
                    double& Ch, Extended& Rad, bool& Flat) {
    if (Style == 'P') return false;
    const double a = double(std::fabs(Alfa) / 2);
    if (!(a > 1e-150 && a < 4)) return false;
    ::sincos(a, &Sh, &Ch);
    Rad = Dist(s0, e0) / (2 * Extended(Sh));
    const Extended sagitta = Rad * (1 - Extended(Ch));
    if (!(std::fabs(sagitta - Resolution / 2) > (std::fabs(Rad) + std::fabs(sagitta)) * 0x1p-44L)) return false;
    Flat = sagitta < Resolution / 2;
    return true;
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
    // An arc flatter than the last decimal is a straight move to the control.
    const Extended resolution = Pow10(-c.DesetinnychMistSouradnic) / c.NasobitelSouradnic;
    Extended sh, ch;
    bool flat;
    if (double shd, chd; QuickHalfAngle(style, s0, e0, Alfa, resolution, shd, chd, Rad, flat)) {
        sh = shd;
        ch = chd;
    } else {
        // The radius as ArcCenter gives it, from the same sine of the half angle. The
        // cosine of the half angle from SinCos is within an ulp or two of the
        // library's: the library decides only where that could tip the comparison.
        SinCos(std::fabs(Alfa) / 2, sh, ch);
        Rad = Dist(s0, e0) / (2 * sh);
        const Extended sagitta = Rad * (1 - ch);
        flat = std::fabs(sagitta - resolution / 2) > std::fabs(Rad) * 0x1p-56L + std::fabs(sagitta) * 0x1p-56L
                   ? sagitta < resolution / 2
                   : Rad * (1 - std::cos(Alfa / 2)) < resolution / 2;
    }
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
    } else if (!apart || !CentreWords(R, s, e, Alfa, double(sh), double(ch), style == 'A', in, jn)) {
        if (apart)
            ArcCenter(s, e, Alfa, C, Rad);
        else
            ArcCenter(s0, e0, Alfa, C, Rad);
        NcCoord(R, in, style == 'A' ? C.x : C.x - s.x);
        NcCoord(R, jn, style == 'A' ? C.y : C.y - s.y);
    }
    TLine line(R);
    line.Put(word);
    line.Word(c.OddelovacPrikazu, c.SouradniceX, xt);
    line.Word(c.OddelovacSouradnic, c.SouradniceY, yt);
    if (With3D) line.Word(c.OddelovacSouradnic, c.SouradniceZ, zt);
    if (style == 'P') {
        line.Put(c.OddelovacSouradnic);
        line.Put('R');
        line.Put(in.View());
    } else {
        line.Word(c.OddelovacSouradnic, c.AltSouradniceX, in.View());
        line.Word(c.OddelovacSouradnic, c.AltSouradniceY, jn.View());
    }
    line.Feed();
    line.End();
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
    TLine line(R);
    line.Put(Text);
    line.End();
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
    TLine line(R);
    line.Put(MoveWord(R, Rapid));
    line.Word(c.OddelovacPrikazu, c.SouradniceZ, zt);
    if (!Rapid) line.Feed();
    line.End();
    R.ForceMove = false;
    R.LastZ = zt;
}

void NcMoveXY(TNcRun& R, bool Rapid, const Osy& P) {
    const TGcodeConfig& c = R.Config;
    TNcNumber xn, yn;
    const std::string_view xt = NcCoord(R, xn, P.x), yt = NcCoord(R, yn, P.y);
    if (xt == R.LastX && yt == R.LastY && !R.ForceMove) return;
    TLine line(R);
    line.Put(MoveWord(R, Rapid));
    line.Word(c.OddelovacPrikazu, c.SouradniceX, xt);
    line.Word(c.OddelovacSouradnic, c.SouradniceY, yt);
    if (Rapid && R.APending && !c.SouradniceA.empty()) {
        TNcNumber an;
        FormatNcNumber(an, c.DesetinnychMistSouradnic, R.Tool().AngleA);
        line.Word(c.OddelovacSouradnic, c.SouradniceA, an.View());
        R.APending = false;
    }
    if (!Rapid) line.Feed();
    line.End();
    R.ForceMove = false;
    R.LastX = xt;
    R.LastY = yt;
}

void NcMoveXYZ(TNcRun& R, bool Rapid, const Osy3D& P) {
    const TGcodeConfig& c = R.Config;
    TNcNumber xn, yn, zn;
    const std::string_view xt = NcCoord(R, xn, P.x), yt = NcCoord(R, yn, P.y), zt = NcCoord(R, zn, P.z);
    if (xt == R.LastX && yt == R.LastY && zt == R.LastZ && !R.ForceMove) return;
    TLine line(R);
    line.Put(MoveWord(R, Rapid));
    line.Word(c.OddelovacPrikazu, c.SouradniceX, xt);
    line.Word(c.OddelovacSouradnic, c.SouradniceY, yt);
    line.Word(c.OddelovacSouradnic, c.SouradniceZ, zt);
    if (!Rapid) line.Feed();
    line.End();
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
