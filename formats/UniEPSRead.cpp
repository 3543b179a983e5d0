// The PostScript path reader. Only the last operator of a line is carried out; text,
// fills, colours and every other operator are passed over.
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "core/Builder.h"
#include "core/Glob.h"
#include "core/TextFile.h"
#include "core/UniBezier.h"
#include "core/UniLog.h"
#include "formats/EpsInDg.h"
#include "formats/UniEPS.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

// Coordinates beyond this many millimetres either way are no drawing of a page.
constexpr Extended EpsMaxCoord = 20000;
constexpr Extended PtToMm = 25.4L / 72;

bool NumStart(char C) { return C == '+' || C == '-' || C == '.' || (C >= '0' && C <= '9'); }

// One line of the file: CR left out, blanks and control characters cut at both ends,
// ASCII letters upper-cased, the first comma made a decimal point.
std::string EpsLine(std::string_view Raw) {
    std::string s;
    s.reserve(Raw.size());
    for (char c : Raw)
        if (c != '\r') s += c;
    size_t a = 0, b = s.size();
    while (a < b && static_cast<unsigned char>(s[a]) <= ' ') ++a;
    while (b > a && static_cast<unsigned char>(s[b - 1]) <= ' ') --b;
    s = s.substr(a, b - a);
    bool comma = false;
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if (c == ',' && !comma) c = '.', comma = true;
    }
    return s;
}

// Cuts Line to its last operator token; true when that operator counts (a blank before
// its letter, only numbers, blanks, signs and points before that blank).
bool EpsOperator(std::string& Line) {
    if (Line == "4 M") return false;  // a miter limit, not a move
    std::string rest = Line, last;
    bool counts = false;
    for (;;) {
        size_t i = 0;
        while (i < rest.size() && !NumStart(rest[i])) ++i;
        rest.erase(0, i);
        const size_t k = rest.find_first_of("MLCYVTS");
        if (k == std::string::npos) break;
        last = rest.substr(0, k + 1);
        rest.erase(0, k + 1);
        if (k > 0 && last[k - 1] == ' ') {
            // The letter begins a longer word ("CM", "SCALEFONT"): no path operator.
            counts = rest.empty() || rest[0] == ' ';
            for (size_t j = 0; j + 1 < k; ++j) counts = counts && last[j] < ':';
        }
    }
    if (last.empty()) return false;
    Line = last;
    return counts;
}

// The next number of Line, removed from it; false when there is none or it is no
// number (also when the line holds fewer numbers than its operator needs).
bool EpsNumber(std::string& Line, Extended& V) {
    size_t i = 0;
    while (i < Line.size() && !NumStart(Line[i])) ++i;
    size_t j = i;
    while (j < Line.size() && NumStart(Line[j])) ++j;
    std::string t = Line.substr(i, j - i);
    Line.erase(0, j);
    if (!t.empty() && t[0] == '+') t.erase(0, 1);
    if (t.empty()) return false;
    double d = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), d, std::chars_format::fixed);
    if (r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(d)) return false;
    V = d;
    return true;
}

class TEpsReader {
public:
    TEpsReader(std::string_view Bytes, bool Arcs, Osy& Min, Osy& Max) : B(Bytes), Arcs(Arcs), Min(Min), Max(Max) {}
    void Read();

private:
    bool NextLine(std::string& L);
    bool Pair(std::string& L, Extended& X, Extended& Y) { return EpsNumber(L, X) && EpsNumber(L, Y); }
    // A point in millimetres; the target is left as it was when it is refused.
    bool Point(std::string& L, Osy& P);
    void Widen(const Osy& P);
    void Flush();
    void Curve(const Osy& P1, const Osy& P2, const Osy& P3);

    std::string_view B;
    size_t Pos = 0;
    int LineNo = 0;
    bool Arcs;
    Osy& Min;
    Osy& Max;
    Osy Cur{0, 0}, T{0, 0}, S{1, 1};
    bool NonFinite = false;
};

bool TEpsReader::NextLine(std::string& L) {
    if (Pos >= B.size()) return false;
    size_t e = B.find('\n', Pos);
    if (e == std::string_view::npos) e = B.size();
    L = EpsLine(B.substr(Pos, e - Pos));
    Pos = e + 1;
    ++LineNo;
    return true;
}

bool TEpsReader::Point(std::string& L, Osy& P) {
    Extended x = 0, y = 0;
    if (!Pair(L, x, y)) return false;
    const Osy q{(x + T.x) * PtToMm * S.x, (y + T.y) * PtToMm * S.y};
    if (!std::isfinite(q.x) || !std::isfinite(q.y)) {
        NonFinite = true;
        return false;
    }
    if (std::fabs(q.x) > EpsMaxCoord || std::fabs(q.y) > EpsMaxCoord) return false;
    P = q;
    return true;
}

void TEpsReader::Widen(const Osy& P) {
    Min.x = std::min(Min.x, P.x);
    Min.y = std::min(Min.y, P.y);
    Max.x = std::max(Max.x, P.x);
    Max.y = std::max(Max.y, P.y);
}

void TEpsReader::Flush() {
    if (BuildKind() == 2 && BuildSegCount() > 0) MakeObj(LayerOrig, MainVars.DataStart, MainVars.DataEnd);
}

void TEpsReader::Curve(const Osy& P1, const Osy& P2, const Osy& P3) {
    if (Arcs) BezierToArcs(Cur, P1, P2, 0.000000001L, Glob.ErrorConv, P3, &Min, &Max);
    else BezierToLines(Cur, P1, P2, 0.000000001L, Glob.ErrorConv, P3, &Min, &Max);
    Cur = P3;
}

void TEpsReader::Read() {
    std::string l;
    bool setup = false;
    while (!setup && NextLine(l)) setup = l.find("%%ENDSETUP") != std::string::npos;
    if (!setup) {
        // Files without a document setup (ghostscript writes none) start their page
        // description after the page setup.
        Pos = 0;
        LineNo = 0;
        while (!setup && NextLine(l)) setup = l.find("%%ENDPAGESETUP") != std::string::npos;
    }
    if (!setup) return;
    ResetBuilder();
    while (NextLine(l) && l.find("%%EOF") == std::string::npos) {
        if (!EpsOperator(l)) continue;
        const bool open = BuildKind() == 2;
        const char op = l.back();
        Osy p1, p2, p3;
        bool read = true;
        if (op == 'M') {
            if ((read = Point(l, p1))) {
                Flush();
                Cur = p1;
                Widen(p1);
                StartObj(p1);
            }
        } else if (op == 'L' && open) {
            if ((read = Point(l, p1))) {
                Cur = p1;
                Widen(p1);
                AddSeg(p1, 0, Glob.InputFiltr);
            }
        } else if (op == 'C' && open) {
            if ((read = Point(l, p1) && Point(l, p2) && Point(l, p3))) Curve(p1, p2, p3);
        } else if (op == 'V' && open) {
            if ((read = Point(l, p2) && Point(l, p3))) Curve(Cur, p2, p3);
        } else if (op == 'Y' && open) {
            if ((read = Point(l, p1) && Point(l, p2))) Curve(p1, p2, p2);
        } else if (op == 'T' || op == 'S') {
            Extended x = 0, y = 0;
            // A pair that is no number keeps the old offset or scale.
            if ((read = Pair(l, x, y))) (op == 'T' ? T : S) = Osy{x, y};
        }
        if (NonFinite) {
            // A curve through such a point would be halved without end: the whole path goes.
            WriteLog("Err:EPS line " + std::to_string(LineNo) + " has no finite coordinates, path dropped");
            ResetBuilder();
            NonFinite = false;
        } else if (!read) {
            WriteLog("Err:EPS line " + std::to_string(LineNo) + " not read");
        }
    }
    Flush();
    ResetBuilder();
}

}  // namespace

bool LoadEps(const std::string& FileName, Osy& Min, Osy& Max) {
    WriteLog("Sys:Load EPS Start (" + FileName + ")");
    if (!EpsInputDialog) CreateEpsInputDialog();
    Min = Osy{1000000, 1000000};
    Max = Osy{-1000000, -1000000};
    std::string bytes;
    if (!ReadFileBytes(FileName, bytes)) {
        WriteLog("Err:FAILED Load EPS, file not read");
        ShowMessage(Msg[29]);
        WriteLog("Sys:Load EPS End");
        return false;
    }
    TEpsReader(bytes, EpsInputDialog->RBtnToArc->Checked, Min, Max).Read();
    if (Max.x - Min.x < CoordTol) Max.x = Min.x + 1;
    if (Max.y - Min.y < CoordTol) Max.y = Min.y + 1;
    WriteLog("Sys:Load EPS End");
    return true;
}
