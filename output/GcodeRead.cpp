#include "output/GcodeRead.h"

#include <charconv>
#include <cmath>

#include "core/Builder.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "output/NcOut.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

constexpr int32_t MaxBuildSegs = 33299;
constexpr Extended Pi = 3.14159265358979323846L;

// Upper case, comments in parentheses and after ";" dropped (they hold no words), blanks
// trimmed, the first "," a decimal point: one pass, as every line of a program comes here.
std::string PrepareLine(const std::string& Raw) {
    std::string s;
    s.reserve(Raw.size());
    bool inParen = false;
    for (char c : Raw) {
        if (inParen) {
            inParen = c != ')';
        } else if (c == '(') {
            inParen = true;
            s += ' ';
        } else if (c == ';') {
            break;
        } else {
            s += c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
        }
    }
    const size_t e = s.find_last_not_of(" \t");
    if (e == std::string::npos) return std::string();
    s.resize(e + 1);
    s.erase(0, s.find_first_not_of(" \t"));
    const size_t comma = s.find(',');
    if (comma != std::string::npos) s[comma] = '.';
    return s;
}

// A G word's value in tenths (G91.1 gives 911); huge values give no code.
bool Code(Extended V, long& C) {
    if (!(std::fabs(V) < 1e8L)) return false;
    C = std::lround(double(V * 10));
    return true;
}

// The supported G codes, in tenths.
bool Supported(long C) {
    switch (C) {
        case 0: case 10: case 20: case 30: case 40: case 170: case 900: case 910: case 901: case 911: return true;
        default: return false;
    }
}

// Codes whose axis words are no move of the current mode: offsets, stored positions.
bool AxisWordsAreData(long C) {
    switch (C) {
        case 100: case 280: case 281: case 300: case 301: case 920: case 921: case 922: case 923: return true;
        default: return false;
    }
}

// Motions the reader does not follow (splines, threads, probes, canned cycles) and
// their cancel: the moves that follow are not read as lines or arcs.
bool OtherMotion(long C) {
    return C == 50 || C == 51 || C == 52 || C == 330 || C == 331 || (C >= 382 && C <= 385) || C == 730 ||
           C == 740 || C == 760 || (C >= 800 && C <= 890 && C % 10 == 0);
}

constexpr int ModeOther = -1;

// How I and J of an arc are read: as stated by G90.1 / G91.1, else as the file shows.
enum class TCentre { Unknown, Absolute, Relative };

struct TReader {
    Osy3D Cur;
    int Mode = 0;
    bool Relative = false;
    uint8_t Layer = LayerOrig;
    TObjHeader*& Start;
    TObjHeader*& End;
    std::vector<std::string>& Errors;
    TCentre Stated = TCentre::Unknown;
    // The reading the last arc of this file fitted alone, for arcs both readings fit.
    TCentre Seen = TCentre::Unknown;
    size_t Refused = 0;
    int Made = 0;
    // Kept from line to line, so that their room is reused.
    std::vector<long> Codes{};
    std::string Word{}, Copy{};

    void Make() {
        if (BuildKind() != 2) return;
        MakeObj(Layer, Start, End);
        ++Made;
    }
    void EnsureStarted() {
        if (BuildKind() != 2) StartObj(Osy{Cur.x, Cur.y});
    }
    // The log line and the list's text are made only while the list has room: a long
    // program of unknown codes would otherwise compose both for every line.
    bool ListFull() const { return Refused >= MaxNcErrorLines; }
    void Report(const std::string& Log, const std::string& Text) {
        WriteLog(Log);
        Errors.push_back(Text);
    }
    void Refuse(const std::string& Line) {
        if (!ListFull()) Report("Err:unsuported Gcode (" + Line + ")", "Nepodporovaný Gkód: " + Line);
        ++Refused;
    }
    void ArcTo(const Osy& S, const Osy& E, const Osy& C, bool Cw) {
        Extended alfa = Angle(C, E) - Angle(C, S);
        if (std::fabs(alfa) <= CoordTol) alfa = Cw ? -2 * Pi : 2 * Pi;
        if (Cw && alfa > 0) alfa -= 2 * Pi;
        if (!Cw && alfa < 0) alfa += 2 * Pi;
        EnsureStarted();
        if (std::fabs(alfa) > Pi) {
            const Extended r = Dist(S, C), a = Angle(C, S) + alfa / 2;
            AddSeg(Osy{C.x + r * std::cos(a), C.y + r * std::sin(a)}, alfa / 2, CoordTol);
            AddSeg(E, alfa / 2, CoordTol);
        } else {
            AddSeg(E, alfa, CoordTol);
        }
    }
    Osy Centre(const Osy& S, const Osy& E, bool HasI, bool HasJ, Extended I, Extended J, const std::string& Line);
    void Line(const std::string& Raw);
};

// The centre of an arc from S to E with the words I and J. Standard programs give the
// centre relative to the arc start, some absolute: without G90.1 or G91.1 the reading
// whose centre is as far from the end as from the start is taken.
Osy TReader::Centre(const Osy& S, const Osy& E, bool HasI, bool HasJ, Extended I, Extended J,
                    const std::string& Line) {
    const Osy rel{S.x + (HasI ? I : 0), S.y + (HasJ ? J : 0)};
    const Osy abs{HasI ? I : S.x, HasJ ? J : S.y};
    auto miss = [&](const Osy& C) { return std::fabs(Dist(S, C) - Dist(E, C)); };
    // Numbers rounded to a few decimals leave the radii that far apart.
    auto fits = [&](const Osy& C) { return miss(C) <= 0.005L + 0.001L * Dist(S, C); };
    TCentre use = Stated;
    if (use == TCentre::Unknown) {
        const bool r = fits(rel), a = fits(abs);
        if (r != a) Seen = r ? TCentre::Relative : TCentre::Absolute;
        use = r && a ? (Seen != TCentre::Unknown ? Seen : miss(abs) < miss(rel) ? TCentre::Absolute : TCentre::Relative)
              : a    ? TCentre::Absolute
                     : TCentre::Relative;
    }
    const Osy C = use == TCentre::Absolute ? abs : rel;
    if (!fits(C)) {
        if (!ListFull())
            Report("Err:arc centre off the arc (" + Line + ")",
                   "Střed oblouku neleží stejně daleko od začátku a konce: " + Line);
        ++Refused;
    }
    return C;
}

void TReader::Line(const std::string& Raw) {
    const std::string line = PrepareLine(Raw);
    if (line.empty()) return;
    // G words: an unsupported one goes to the error list; the line's other words are
    // read unless the code gives its axis words another meaning. One pass from the
    // left reads them as taking the first one out again and again would.
    std::vector<long>& codes = Codes;
    codes.clear();
    bool axisData = false, other = false;
    for (size_t i = line.find('G'); i != std::string::npos; i = line.find('G', i + 1)) {
        std::string& word = Word;
        word.assign(line, i, line.find('G', i + 1) - i);
        Extended v;
        if (!NcWordValue('G', word, v)) continue;
        long c;
        if (!Code(v, c) || !Supported(c)) {
            Refuse(line);
            if (!Code(v, c)) continue;
            axisData |= AxisWordsAreData(c);
            other |= OtherMotion(c);
        } else {
            codes.push_back(c);
        }
    }
    std::string& copy = Copy;
    copy = line;
    Extended v;
    if (NcWordValue('T', copy, v)) {
        const long t = std::fabs(v) < 1e8L ? std::lround(double(v)) : 0;
        Layer = t >= 1 && t <= ToolLayerCount ? uint8_t(t) : LayerOrig;
    }
    int mode = -1;
    for (long c : codes) {
        if (c == 900) Relative = false;
        if (c == 910) Relative = true;
        if (c == 901) Stated = TCentre::Absolute;
        if (c == 911) Stated = TCentre::Relative;
        if (c <= 30 && c / 10 > mode) mode = int(c / 10);
    }
    if (other)
        Mode = ModeOther;
    else if (mode >= 0)
        Mode = mode;
    if (axisData || line.find_first_of("XYZIJ") == std::string::npos) return;
    Osy3D P = Cur;
    copy = line;
    if (NcWordValue('X', copy, v)) P.x = Relative ? P.x + v : v;
    if (NcWordValue('Y', copy, v)) P.y = Relative ? P.y + v : v;
    if (NcWordValue('Z', copy, v)) P.z = Relative ? P.z + v : v;
    Extended I = 0, J = 0;
    const bool hasI = NcWordValue('I', copy, I), hasJ = NcWordValue('J', copy, J);
    const Osy S{Cur.x, Cur.y}, E{P.x, P.y};
    const bool arc = Mode == 2 || Mode == 3;
    Osy C = S;
    Extended r;
    if (arc && (hasI || hasJ)) {
        C = Centre(S, E, hasI, hasJ, I, J, line);
    } else if (arc && NcWordValue('R', copy, r) && std::fabs(r) > CoordTol) {
        // Radius form: the centre on the side the direction and the sign of R give.
        const Extended d = Dist(S, E);
        if (d > CoordTol) {
            const Extended h = std::sqrt(std::max<Extended>(0, r * r - d * d / 4));
            const Extended sgn = (Mode == 3 ? 1 : -1) * (r > 0 ? 1 : -1);
            C = Osy{(S.x + E.x) / 2 - sgn * h * (E.y - S.y) / d, (S.y + E.y) / 2 + sgn * h * (E.x - S.x) / d};
        }
    }
    switch (Mode) {
        case 1:
            EnsureStarted();
            AddSeg(E, 0, CoordTol);
            break;
        case 2:
        case 3:
            if (Dist(S, C) > CoordTol) {
                ArcTo(S, E, C, Mode == 2);
            } else {
                EnsureStarted();
                AddSeg(E, 0, CoordTol);
            }
            break;
        default: Make(); break;
    }
    Cur = P;
    if (BuildKind() == 2 && BuildSegCount() >= MaxBuildSegs) {
        Make();
        StartObj(Osy{Cur.x, Cur.y});
    }
}

}  // namespace

bool NcWordValue(char Letter, std::string& Line, Extended& Value) {
    const size_t at = Line.find(Letter);
    if (at == std::string::npos) return false;
    size_t i = at + 1;
    while (i < Line.size() && Line[i] == ' ') ++i;
    const size_t b = i;
    while (i < Line.size() && ((Line[i] >= '0' && Line[i] <= '9') || Line[i] == '-' || Line[i] == '.')) ++i;
    Extended v;
    const char* end = Line.data() + i;
    auto r = std::from_chars(Line.data() + b, end, v, std::chars_format::fixed);
    const bool read = i > b && r.ec == std::errc() && r.ptr == end && std::isfinite(v);
    Line.erase(at, i - at);
    if (!read) return false;
    Value = v;
    return true;
}

int ReadNcText(const std::string& Bytes, TObjHeader*& StartAdr, TObjHeader*& EndAdr, std::vector<std::string>& Errors) {
    ResetBuilder();
    TReader rd{Osy3D{}, 0, false, LayerOrig, StartAdr, EndAdr, Errors};
    // Each line copied at once, its carriage returns dropped wherever they stand.
    std::string line;
    for (size_t b = 0; b < Bytes.size();) {
        size_t e = Bytes.find('\n', b);
        const bool last = e == std::string::npos;
        if (last) e = Bytes.size();
        line.assign(Bytes, b, e - b);
        if (line.find('\r') != std::string::npos) std::erase(line, '\r');
        if (!last || !line.empty()) rd.Line(line);
        b = e + 1;
    }
    rd.Make();
    if (rd.Refused > MaxNcErrorLines)
        Errors.push_back("... a dalších " + std::to_string(rd.Refused - MaxNcErrorLines) + " řádků");
    return rd.Made;
}

bool LoadNc(const std::string& FileName, Osy& Min, Osy& Max) {
    WriteLog("Sys:Load NC Start (" + FileName + ")");
    std::string bytes;
    if (!TextFileExists(FileName)) {
        WriteLog("Err:FAILED Load NC, file not found (" + FileName + ")");
        WriteLog("Sys:Load NC End");
        return false;
    }
    if (!ReadFileBytes(FileName, bytes)) {
        WriteLog("Err:FAILED Load NC (" + FileName + ")");
        WriteLog("Sys:Load NC End");
        return false;
    }
    TObjHeader *s = nullptr, *e = nullptr;
    std::vector<std::string> errors;
    ReadNcText(bytes, s, e, errors);
    if (!errors.empty()) ShowNcErrors(errors, Msg[83]);
    if (s) {
        Min = Osy{1000000, 1000000};
        Max = Osy{-1000000, -1000000};
        for (TObjHeader* p = s; p; p = p->Next) {
            Osy a, b;
            EnvelopeObj(p, a, b);
            Min = Osy{std::min(Min.x, a.x), std::min(Min.y, a.y)};
            Max = Osy{std::max(Max.x, b.x), std::max(Max.y, b.y)};
        }
        ConcatObjLists(MainVars.DataStart, MainVars.DataEnd, s, e);
    }
    WriteLog("Sys:Load NC End");
    return true;
}
