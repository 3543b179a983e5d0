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

std::string Trim(const std::string& S) {
    const size_t b = S.find_first_not_of(" \t");
    if (b == std::string::npos) return "";
    const size_t e = S.find_last_not_of(" \t");
    return S.substr(b, e - b + 1);
}

std::string PrepareLine(const std::string& Raw) {
    std::string s = UpCaseStr(Trim(Raw));
    const size_t comma = s.find(',');
    if (comma != std::string::npos) s[comma] = '.';
    return s;
}

// A word value as an integer code; huge or fractional-only values give no code.
bool Code(Extended V, long& C) {
    if (!(std::fabs(V) < 1e9L)) return false;
    C = std::lround(double(V));
    return true;
}

struct TReader {
    Osy3D Cur;
    int Mode = 0;
    bool Relative = false;
    uint8_t Layer = LayerOrig;
    TObjHeader*& Start;
    TObjHeader*& End;
    std::vector<std::string>& Errors;
    size_t Refused = 0;
    int Made = 0;

    void Make() {
        if (BuildKind() != 2) return;
        MakeObj(Layer, Start, End);
        ++Made;
    }
    void EnsureStarted() {
        if (BuildKind() != 2) StartObj(Osy{Cur.x, Cur.y});
    }
    void Refuse(const std::string& Line) {
        if (Refused < MaxNcErrorLines) {
            WriteLog("Err:unsuported Gcode (" + Line + ")");
            Errors.push_back("Nepodporovaný Gkód: " + Line);
        }
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
    void Line(const std::string& Raw);
};

void TReader::Line(const std::string& Raw) {
    std::string line = PrepareLine(Raw);
    if (line.empty()) return;
    const size_t semi = line.find(';');
    if (semi != std::string::npos) line = UpCaseStr(Trim(line.substr(0, semi)));
    // G words: every one must be known, else the whole line is refused. One pass from
    // the left reads them as taking the first one out again and again would.
    std::vector<long> codes;
    bool unsupported = false;
    for (size_t i = line.find('G'); i != std::string::npos; i = line.find('G', i + 1)) {
        std::string word = line.substr(i, line.find('G', i + 1) - i);
        Extended v;
        if (!NcWordValue('G', word, v)) continue;
        long c;
        if (!Code(v, c) || (c > 4 && c != 17 && c != 90 && c != 91) || c < 0) {
            unsupported = true;
            Refuse(line);
        } else {
            codes.push_back(c);
        }
    }
    if (unsupported) return;
    std::string copy = line;
    Extended v;
    if (NcWordValue('T', copy, v)) {
        long t;
        Layer = Code(v, t) && t >= 1 && t <= ToolLayerCount ? uint8_t(t) : LayerOrig;
    }
    int mode = -1;
    for (long c : codes) {
        if (c == 90) Relative = false;
        if (c == 91) Relative = true;
        if (c <= 3 && c > mode) mode = int(c);
    }
    if (mode >= 0) Mode = mode;
    if (line.find_first_of("XYZIJ") == std::string::npos) return;
    Osy3D P = Cur;
    Osy C{Cur.x, Cur.y};
    bool hasCentre = false;
    copy = line;
    if (NcWordValue('X', copy, v)) P.x = Relative ? P.x + v : v;
    if (NcWordValue('Y', copy, v)) P.y = Relative ? P.y + v : v;
    if (NcWordValue('Z', copy, v)) P.z = Relative ? P.z + v : v;
    // I and J: absolute centre coordinates in absolute mode, offsets from the
    // current point in relative mode.
    if (NcWordValue('I', copy, v)) {
        C.x = Relative ? Cur.x + v : v;
        hasCentre = true;
    }
    if (NcWordValue('J', copy, v)) {
        C.y = Relative ? Cur.y + v : v;
        hasCentre = true;
    }
    const Osy S{Cur.x, Cur.y}, E{P.x, P.y};
    Extended r;
    if (!hasCentre && (Mode == 2 || Mode == 3) && NcWordValue('R', copy, r) && std::fabs(r) > CoordTol) {
        // Radius form: the centre on the side the direction and the sign of R give.
        const Extended d = Dist(S, E);
        if (d > CoordTol) {
            const Extended h = std::sqrt(std::max<Extended>(0, r * r - d * d / 4));
            const Extended sgn = (Mode == 3 ? 1 : -1) * (r > 0 ? 1 : -1);
            C = Osy{(S.x + E.x) / 2 - sgn * h * (E.y - S.y) / d, (S.y + E.y) / 2 + sgn * h * (E.x - S.x) / d};
        }
    }
    switch (Mode) {
        case 0: Make(); break;
        case 1:
            EnsureStarted();
            AddSeg(E, 0, CoordTol);
            break;
        default:
            if (Dist(S, C) > CoordTol) {
                ArcTo(S, E, C, Mode == 2);
            } else {
                EnsureStarted();
                AddSeg(E, 0, CoordTol);
            }
            break;
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
    const std::string run = Line.substr(b, i - b);
    Line.erase(at, i - at);
    Extended v;
    auto r = std::from_chars(run.data(), run.data() + run.size(), v, std::chars_format::fixed);
    if (run.empty() || r.ec != std::errc() || r.ptr != run.data() + run.size() || !std::isfinite(v)) return false;
    Value = v;
    return true;
}

int ReadNcText(const std::string& Bytes, TObjHeader*& StartAdr, TObjHeader*& EndAdr, std::vector<std::string>& Errors) {
    ResetBuilder();
    TReader rd{Osy3D{}, 0, false, LayerOrig, StartAdr, EndAdr, Errors};
    std::string line;
    for (char c : Bytes) {
        if (c == '\n') {
            rd.Line(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty()) rd.Line(line);
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
