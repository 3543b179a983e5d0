// Reading the job file and the object records. Every byte sequence is survived: a
// record cut off by the end of the lines is made from what was read, unknown lines
// and sections are skipped, numbers that are not finite are not taken.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <string_view>

#include <fontconfig/fontconfig.h>

#include "cam/CamOpList.h"
#include "core/Builder.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/IntFont.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/TextFile.h"
#include "core/UniGroup.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "core/UniSpace.h"
#include "core/UniText.h"
#include "core/UniTrueType.h"
#include "formats/UniYDF.h"
#include "formats/UniYDFSections.h"
#include "platform/Dialogs.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/SetCfg.h"
#include "shell/UniLang.h"

namespace {

constexpr Extended Pi = 3.141592653589793238462643383279502884L;
constexpr size_t MaxLinks = 100;   // operation lines taken per record and kind
constexpr int MaxGroupDepth = 200;  // deeper "GROUP" lines are read as plain lines

using TViews = std::vector<std::string_view>;

constexpr char Up(char C) { return C >= 'a' && C <= 'z' ? char(C - 'a' + 'A') : C; }

// A equals the upper-case Word when ASCII letters are compared without their case.
bool Is(std::string_view A, std::string_view Word) { return SameUpper(A, Word); }

// Where the upper-case Word first stands in L, letters compared without their case.
size_t Find(std::string_view L, std::string_view Word) {
    if (Word.empty() || L.size() < Word.size()) return Word.empty() ? 0 : std::string_view::npos;
    const char first = Word[0], firstLow = first >= 'A' && first <= 'Z' ? char(first - 'A' + 'a') : first;
    for (size_t i = 0, last = L.size() - Word.size(); i <= last; ++i) {
        if (L[i] != first && L[i] != firstLow) continue;
        size_t k = 1;
        while (k < Word.size() && Up(L[i + k]) == Word[k]) ++k;
        if (k == Word.size()) return i;
    }
    return std::string_view::npos;
}

bool IsKeyword(std::string_view L) {
    return Is(L, "POINT") || Is(L, "PLINE") || Is(L, "GROUP") || Is(L, "TEXT") || Is(L, "PLINE3D");
}

std::string_view TrimRight(std::string_view S) {
    while (!S.empty() && S.back() == ' ') S.remove_suffix(1);
    return S;
}

// At most 10 characters after Key in L, trailing blanks removed, upper-cased; false
// when Key is not in L.
bool TenAfter(std::string_view L, std::string_view Key, std::string& Value) {
    const size_t at = Find(L, Key);
    if (at == std::string_view::npos) return false;
    const std::string_view v = TrimRight(L.substr(at + Key.size(), 10));
    Value.resize(v.size());
    for (size_t i = 0; i < v.size(); ++i) Value[i] = Up(v[i]);
    return true;
}

bool FiniteCalc(std::string_view S, Extended& V) {
    Extended x = 0;
    if (!StrToExtCalc(std::string(S), x, false) || !std::isfinite(x)) return false;
    V = x;
    return true;
}

// The reading form of a line as a view: CR bytes dropped (only a line holding one
// inside is copied, into Scratch), leading blanks removed, trailing ones with TrimBoth.
// Letters keep their case: the words are compared without it.
std::string_view ReadingForm(std::string_view Raw, bool TrimBoth, std::string& Scratch) {
    while (!Raw.empty() && Raw.back() == '\r') Raw.remove_suffix(1);
    if (Raw.find('\r') != std::string_view::npos) {
        Scratch.clear();
        for (char c : Raw)
            if (c != '\r') Scratch.push_back(c);
        Raw = Scratch;
    }
    const size_t b = Raw.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    Raw.remove_prefix(b);
    return TrimBoth ? TrimRight(Raw) : Raw;
}

// The value after Letter + "=" (letters without their case) up to the next blank read
// as a decimal number; 0 when the key is missing or the value is not a finite number.
Extended NumAfter(std::string_view Line, std::string_view KeyEq);

class TReader {
public:
    TReader(const TViews& Lines, const TYdfReadOptions& Opt, Osy& Min, Osy& Max)
        : Lines(Lines), Opt(Opt), Min(Min), Max(Max) {
        Debug = Opt.DebugLines && MainForm && MainForm->DebugMode;
    }

    bool MissingFont = false;

    bool AtEnd(size_t Pos) const { return Pos >= Lines.size(); }
    // The line's reading form; valid until the next call.
    std::string_view Line(size_t Pos) { return ReadingForm(Lines[Pos], Opt.TrimBoth, Scratch); }

    // Records from Pos on until EndLine (or the end of the lines).
    void Records(size_t& Pos, std::string_view EndLine, TObjHeader*& First, TObjHeader*& Last) {
        while (!AtEnd(Pos)) {
            const std::string_view L = Line(Pos++);
            if (Is(L, EndLine)) return;
            if (IsKeyword(L) && !AtEnd(Pos)) Record(Kind(L), Pos, First, Last, 0);
        }
    }

private:
    enum TKind { KPoint, KPline, KPline3D, KText, KGroup };
    static TKind Kind(std::string_view Kw) {
        if (Is(Kw, "POINT")) return KPoint;
        if (Is(Kw, "PLINE")) return KPline;
        if (Is(Kw, "PLINE3D")) return KPline3D;
        if (Is(Kw, "TEXT")) return KText;
        return KGroup;
    }

    const TViews& Lines;
    const TYdfReadOptions& Opt;
    Osy& Min;
    Osy& Max;
    std::string Scratch, Value;
    bool Debug = false;
    int32_t Count = 0;

    void Widen(const Osy& A, const Osy& B) {
        if (!Opt.Extents) return;
        Min.x = std::min(Min.x, A.x);
        Min.y = std::min(Min.y, A.y);
        Max.x = std::max(Max.x, B.x);
        Max.y = std::max(Max.y, B.y);
    }

    void LogRecord(const char* What, TObjHeader* First, TObjHeader* Last) {
        ++Count;
        if (!Debug) return;
        WriteLog(std::string("Sys:Load ") + What + ", Cnt:" + std::to_string(Count) +
                 " StartAdr:" + std::to_string(reinterpret_cast<uintptr_t>(First)) +
                 " EndAdr:" + std::to_string(reinterpret_cast<uintptr_t>(Last)));
    }

    // Name: upper-cased. The last layer of that name, names compared without case.
    static void MatchLayer(std::string_view Name, uint8_t& Layer) {
        for (int l = 1; l <= LayerCount; ++l)
            if (Is(Glob.TabLayer[l].Name, Name)) Layer = uint8_t(l);
    }

    // Operation lines; true when L was one.
    bool OpLine(std::string_view L, std::vector<int>& Parents, std::vector<int>& Childs) {
        std::string& v = Value;
        for (int kind = 0; kind < 2; ++kind) {
            if (!TenAfter(L, kind == 0 ? "OPPARRENT=" : "OPCHILD=", v)) continue;
            Extended x = 0;
            auto& list = kind == 0 ? Parents : Childs;
            if (FiniteCalc(v, x) && std::fabs(x) < 1e9L && list.size() < MaxLinks)
                list.push_back(int(std::lround(x)));
            return true;
        }
        return false;
    }

    void Link(TObjHeader* Obj, const std::vector<int>& Parents, const std::vector<int>& Childs) const {
        if (!Opt.OpLinks || !Obj) return;
        const int count = Opt.LinkCount >= 0 ? Opt.LinkCount : std::clamp<int>(OpList.CamCnt, 0, MaxCamOps) - Opt.LinkBase;
        // A number that names no operation of the lines links nothing.
        for (int n : Parents)
            if (n >= 0 && n < count) CamOpAddParent(Obj, Opt.LinkBase + n);
        for (int n : Childs)
            if (n >= 0 && n < count) CamOpAddChild(Obj, Opt.LinkBase + n);
    }

    void Record(TKind Kw, size_t& Pos, TObjHeader*& First, TObjHeader*& Last, int Depth) {
        if (Kw == KPoint) {
            LogRecord("point", First, Last);
            Point(Pos, First, Last);
        } else if (Kw == KPline) {
            LogRecord("Pline", First, Last);
            Pline(Pos, First, Last, false);
        } else if (Kw == KPline3D) {
            LogRecord("space", First, Last);
            Pline(Pos, First, Last, true);
        } else if (Kw == KText) {
            LogRecord("text", First, Last);
            Text(Pos, First, Last);
        } else {
            LogRecord("group", First, Last);
            Group(Pos, First, Last, Depth);
        }
    }

    void Point(size_t& Pos, TObjHeader*& First, TObjHeader*& Last) {
        uint8_t layer = LayerOrig;
        std::vector<int> parents, childs;
        TObjHeader* obj = nullptr;
        while (!AtEnd(Pos)) {
            const std::string_view L = Line(Pos++);
            if (Is(L, "ENDPOINT")) break;
            if (TenAfter(L, "LAYER=", Value)) {
                MatchLayer(Value, layer);
                continue;
            }
            if (Opt.OpLinks && OpLine(L, parents, childs)) continue;
            if (!obj && Find(L, "START") != std::string_view::npos) {
                const Osy p{NumAfter(L, "X="), NumAfter(L, "Y=")};
                obj = EnPoint.Add(p, layer, First, Last);
                Widen(p, p);
            }
        }
        // Operation lines may follow the start line: link once the record is read.
        Link(obj, parents, childs);
    }

    void Pline(size_t& Pos, TObjHeader*& First, TObjHeader*& Last, bool Is3D) {
        uint8_t layer = LayerOrig;
        std::vector<int> parents, childs;
        const std::string_view endLine = Is3D ? "ENDPLINE3D" : "ENDPLINE";
        ResetBuilder();
        while (!AtEnd(Pos)) {
            const std::string_view L = Line(Pos++);
            if (Is(L, endLine)) break;
            if (TenAfter(L, "LAYER=", Value)) {
                MatchLayer(Value, layer);
                continue;
            }
            if (Opt.OpLinks && OpLine(L, parents, childs)) continue;
            const Extended x = NumAfter(L, "X="), y = NumAfter(L, "Y=");
            const Extended z = Is3D ? NumAfter(L, "Z=") : 0;
            if (Find(L, "START") != std::string_view::npos) {
                if (Is3D)
                    StartObj3D(Osy3D{x, y, z});
                else
                    StartObj(Osy{x, y});
            } else if (Find(L, "LINETO") != std::string_view::npos) {
                if (Is3D)
                    AddSeg3D(Osy3D{x, y, z}, 0, CoordTol);
                else
                    AddSeg(Osy{x, y}, 0, CoordTol);
            } else if (Find(L, "ARCTO") != std::string_view::npos) {
                // An arc turns by less than a full circle.
                Extended a = std::fmod(NumAfter(L, "A="), Extended(360)) * Pi / 180;
                if (Is3D)
                    AddSeg3D(Osy3D{x, y, z}, a, CoordTol);
                else
                    AddSeg(Osy{x, y}, a, CoordTol);
            }
        }
        // A record without a start line builds nothing.
        if (BuildKind() != (Is3D ? 3 : 2)) {
            ResetBuilder();
            return;
        }
        TObjHeader* obj = Is3D ? MakeObj3D(layer, First, Last) : MakeObj(layer, First, Last);
        if (!obj) return;
        Osy mn, mx;
        if (obj->Type == ObjPline3D)
            EnSpace.Envelope(obj, mn, mx);
        else if (obj->Type == ObjPline)
            EnPline.Envelope(obj, mn, mx);
        else
            mn = mx = AsPoint(obj)->S;
        Widen(mn, mx);
        Link(obj, parents, childs);
    }

    // The loaded stroke fonts and the system's outline font families (asked once per
    // name and reading).
    bool FontKnown(const std::string& Font) {
        if (FindFont(Font) >= 0) return true;
        if (Font.empty()) return false;
        const std::string key = UpCaseStr(Font);
        auto it = OutlineFonts.find(key);
        if (it == OutlineFonts.end()) it = OutlineFonts.emplace(key, OutlineFamilyInstalled(Font)).first;
        return it->second;
    }
    std::map<std::string, bool> OutlineFonts;

    // The face fontconfig picks for the name must carry that family name: fontconfig
    // would otherwise offer its closest face for any name.
    static bool OutlineFamilyInstalled(const std::string& Font) {
        // The outline-font code owns fontconfig's set-up and its release at exit.
        TTrueTypeFace* face = CachedFace(Font, false, false);
        if (!face || !face->Ok()) return false;
        const std::string family = Cp1250ToUtf8(Font);
        FcPattern* match = MatchScalableFace(family, false, false, false);
        if (!match) return false;
        bool found = false;
        FcChar8* name = nullptr;
        for (int i = 0; !found && FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
            found = name && UpCaseStr(reinterpret_cast<const char*>(name)) == UpCaseStr(family);
        FcPatternDestroy(match);
        return found;
    }

    void Text(size_t& Pos, TObjHeader*& First, TObjHeader*& Last) {
        uint8_t layer = LayerOrig;
        ParText& T = WorkText;
        T.Text.clear();
        T.JmFontu = IntFontName;
        T.Vyska = 10;
        T.WidthFactor = 1;
        T.Rotate = 0;
        T.Zkos = 0;
        T.MirrorY = false;
        T.Origin = Osy{0, 0};
        T.Justify = 0;
        T.AdrGroup = nullptr;
        while (!AtEnd(Pos)) {
            // The texts keep their case, and so does the end line here.
            const std::string_view L = Line(Pos++);
            if (L == "ENDTEXT") break;
            const size_t eq = L.find('=');
            if (eq == std::string_view::npos) continue;
            const std::string_view key = L.substr(0, eq);
            const std::string_view val = L.substr(eq + 1);
            Extended x = 0;
            if (Is(key, "LAYER")) {
                const std::string_view name = TrimRight(val);
                Value.resize(name.size());
                for (size_t i = 0; i < name.size(); ++i) Value[i] = Up(name[i]);
                MatchLayer(Value, layer);
            } else if (Is(key, "TEXT")) {
                T.Text = std::string(val.substr(0, 255));
            } else if (Is(key, "FONT")) {
                T.JmFontu = std::string(val.substr(0, 37));
            } else if (Is(key, "HEIGTH")) {
                if (FiniteCalc(val, x) && x > 0) T.Vyska = x;
            } else if (Is(key, "WIDTHFACTOR")) {
                if (FiniteCalc(val, x) && x > 0) T.WidthFactor = x;
            } else if (Is(key, "ROTATE")) {
                if (FiniteCalc(val, x)) T.Rotate = std::fmod(x, Extended(360)) * Pi / 180;
            } else if (Is(key, "ANGLE")) {
                if (FiniteCalc(val, x)) T.Zkos = std::fmod(x, Extended(360)) * Pi / 180;
            } else if (Is(key, "INTERLEAVE")) {
                if (FiniteCalc(val, x)) T.Zkos = x;
            } else if (Is(key, "MIRRORY")) {
                T.MirrorY = Is(val, "TRUE");
            } else if (Is(key, "ORIGINX")) {
                if (FiniteCalc(val, x)) T.Origin.x = x;
            } else if (Is(key, "ORIGINY")) {
                if (FiniteCalc(val, x)) T.Origin.y = x;
            } else if (Is(key, "JUSTIFY")) {
                int32_t j = 0;
                if (CfgIntReading(std::string(val), j) && j >= 0 && j <= 255) T.Justify = uint8_t(j);
            }
        }
        if (!FontKnown(T.JmFontu)) {
            T.JmFontu = IntFontName;
            T.Justify &= 15;
            MissingFont = true;
        }
        if (TObjHeader* obj = EnText.Add(layer, First, Last, false)) {
            Osy mn, mx;
            EnText.Envelope(obj, mn, mx);
            Widen(mn, mx);
        }
    }

    void Group(size_t& Pos, TObjHeader*& First, TObjHeader*& Last, int Depth) {
        TObjHeader *gFirst = nullptr, *gLast = nullptr;
        std::vector<int> parents, childs;
        int32_t count = 0;
        while (!AtEnd(Pos)) {
            const std::string_view L = Line(Pos++);
            if (Is(L, "ENDGROUP")) break;
            if (Opt.OpLinks && OpLine(L, parents, childs)) continue;
            if (IsKeyword(L) && !AtEnd(Pos) && (Kind(L) != KGroup || Depth < MaxGroupDepth)) {
                // A record adds at most one member (a text may add none).
                const TObjHeader* before = gLast;
                Record(Kind(L), Pos, gFirst, gLast, Depth + 1);
                if (gLast != before) ++count;
            }
        }
        TObjHeader* g = AllocObj(GroupRecSize, ObjGroup);
        g->Layer = Glob.LayerDraw;
        g->Flags = FlagNew;
        AsGroup(g)->First = gFirst;
        AsGroup(g)->Last = gLast;
        AsGroup(g)->Count = count;
        AppendObj(g, First, Last);
        Link(g, parents, childs);
    }
};

}  // namespace

std::string YdfLine(const std::string& Raw, bool TrimBoth, bool KeepCase) {
    std::string s;
    s.reserve(Raw.size());
    for (char c : Raw)
        if (c != '\r') s.push_back(c);
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return std::string();
    s.erase(0, b);
    if (TrimBoth) s.resize(TrimRight(s).size());
    return KeepCase ? s : UpCaseStr(s);
}

namespace {

constexpr Extended Pow10(int K) {
    Extended p = 1;
    for (int i = 0; i < K; ++i) p *= 10;
    return p;
}
constexpr std::array<Extended, 28> Powers10 = [] {
    std::array<Extended, 28> a{};
    for (int k = 0; k < 28; ++k) a[size_t(k)] = Pow10(k);
    return a;
}();

// The leading "[-]digits[.digits]" of [P, End) read as from_chars reads it, when at most
// 19 significant digits and 27 decimals make it one exact division (the digits and
// 10^27 are exact in 64 bits, and the division rounds correctly); false otherwise.
bool ShortDecimal(const char* P, const char* End, Extended& V) {
    const bool neg = P < End && *P == '-';
    if (neg) ++P;
    uint64_t digits = 0;
    int significant = 0, decimals = 0;
    bool any = false, point = false;
    for (; P < End; ++P) {
        if (*P == '.' && !point) {
            point = true;
            continue;
        }
        if (*P < '0' || *P > '9') break;
        any = true;
        if (point) ++decimals;
        if (digits == 0 && *P == '0') continue;
        if (++significant > 19) return false;
        digits = digits * 10 + uint64_t(*P - '0');
    }
    if (!any || decimals > 27) return false;
    const Extended v = Extended(digits) / Powers10[size_t(decimals)];
    V = neg ? -v : v;
    return true;
}

}  // namespace

namespace {

// The decimal number from B up to the next blank of Line; 0 when it is not a finite one.
Extended NumFrom(std::string_view Line, size_t B) {
    size_t e = Line.find(' ', B);
    if (e == std::string_view::npos) e = Line.size();
    const char* p = Line.data() + B;
    const char* end = Line.data() + e;
    if (p < end && *p == '+') ++p;
    Extended v = 0;
    if (ShortDecimal(p, end, v)) return v;
    auto r = std::from_chars(p, end, v, std::chars_format::fixed);
    if (r.ec != std::errc() || !std::isfinite(v)) return 0;
    return v;
}

Extended NumAfter(std::string_view Line, std::string_view KeyEq) {
    const size_t at = Find(Line, KeyEq);
    return at == std::string_view::npos ? 0 : NumFrom(Line, at + KeyEq.size());
}

}  // namespace

Extended NumAfterKey(const std::string& Line, const std::string& Letter) {
    const size_t at = Line.find(Letter + "=");
    return at == std::string::npos ? 0 : NumFrom(Line, at + Letter.size() + 1);
}

namespace {

TViews Views(const std::vector<std::string>& Lines) {
    TViews v;
    v.reserve(Lines.size());
    for (const std::string& l : Lines) v.emplace_back(l);
    return v;
}

// The lines of Bytes as views into it: ends at LF, a CR right before it dropped (as
// SplitTextLines has them).
TViews SplitViews(const std::string& Bytes) {
    TViews lines;
    lines.reserve(Bytes.size() / 24 + 16);
    const char* p = Bytes.data();
    const char* const end = p + Bytes.size();
    while (p < end) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        const char* e = lf ? lf : end;
        const char* t = lf && e > p && e[-1] == '\r' ? e - 1 : e;
        lines.emplace_back(p, size_t(t - p));
        p = lf ? lf + 1 : end;
    }
    return lines;
}

// The index of the first line at or after From whose reading form is Word; Lines.size()
// when none is.
size_t FindLine(const TViews& Lines, size_t From, std::string_view Word) {
    std::string scratch;
    while (From < Lines.size() && !Is(ReadingForm(Lines[From], false, scratch), Word)) ++From;
    return From;
}

// Empty when the lines hold an object block whose records all end (Objects, End: the
// lines that open and close it); else where the reading stopped and what it expected.
std::string StructureProblem(const TViews& Lines, size_t& Objects, size_t& End) {
    size_t pos = Objects = FindLine(Lines, 0, "OBJECTS");
    if (pos == Lines.size()) return "line " + std::to_string(pos + 1) + ": expected OBJECTS";
    // The end lines the open records wait for, innermost last.
    std::vector<std::string> open;
    std::string scratch;
    for (++pos; pos < Lines.size(); ++pos) {
        const bool inText = !open.empty() && open.back() == "ENDTEXT";
        const std::string_view L = ReadingForm(Lines[pos], false, scratch);
        // In a text record only the end line written as such ends it: a text may say anything.
        if (open.empty() && Is(L, "ENDOBJECTS")) {
            End = pos;
            return std::string();
        }
        if (!open.empty() && (inText ? L == open.back() : Is(L, open.back()))) {
            open.pop_back();
        } else if (!inText && (open.empty() || open.back() == "ENDGROUP") && IsKeyword(L)) {
            std::string end = "END";
            for (char c : L) end.push_back(Up(c));
            open.push_back(std::move(end));
        }
    }
    return "line " + std::to_string(Lines.size() + 1) + ": expected " +
           (open.empty() ? std::string("ENDOBJECTS") : open.back());
}

}  // namespace

void YdfReadRecords(const std::vector<std::string>& Lines, size_t& Pos, const std::string& EndLine,
                    const TYdfReadOptions& Opt, TObjHeader*& First, TObjHeader*& Last, Osy& Min, Osy& Max,
                    bool& MissingFont) {
    const TViews views = Views(Lines);
    TReader r(views, Opt, Min, Max);
    r.Records(Pos, UpCaseStr(EndLine), First, Last);
    if (r.MissingFont) MissingFont = true;
}

std::string YdfStructureProblem(const std::vector<std::string>& Lines) {
    size_t objects = 0, end = 0;
    return StructureProblem(Views(Lines), objects, end);
}

namespace {

// The job file read once: its bytes and their lines.
struct TJobText {
    std::string Bytes;
    TViews Lines;
    size_t Objects = 0, End = 0;  // the lines that open and close the object block
};

// The file's lines when it exists, is readable and is whole; else reported (log line
// and message) and false.
bool ReadWholeYdf(const std::string& FileName, TJobText& Job) {
    if (!TextFileExists(FileName) || !ReadFileBytes(FileName, Job.Bytes)) {
        WriteLog("Err:FAILED Load YDF, file not exist");
        ShowMessage(Msg[29]);
        return false;
    }
    // Lines end at LF; the reading form drops any other CR.
    Job.Lines = SplitViews(Job.Bytes);
    const std::string problem = StructureProblem(Job.Lines, Job.Objects, Job.End);
    if (problem.empty()) return true;
    WriteLog("Err:FAILED Load YDF, " + problem);
    ShowMessage("Soubor nelze přečíst, není to úplný soubor YDF (" + problem + "):\r\n" + FileName);
    return false;
}

// The lines the section readers get: every line but those inside the object block,
// which are the records' alone (a drawing of millions of lines is not copied for
// readers that look for a few words).
TJobLines SectionLines(const TJobText& Job) {
    TJobLines out;
    out.reserve(Job.Lines.size() - (Job.End - Job.Objects - 1));
    for (size_t i = 0; i < Job.Lines.size(); ++i) {
        if (i == Job.Objects + 1) i = Job.End;
        out.emplace_back(Job.Lines[i]);
    }
    return out;
}

}  // namespace

bool YdfFileReadable(const std::string& FileName) {
    TJobText job;
    return ReadWholeYdf(FileName, job);
}

bool LoadYdfFile(const std::string& FileName, bool Tools, bool Cfg, Osy& Max, Osy& Min, bool Outs, bool Plunges,
                 bool Tech, bool Ops) {
    WriteLog("Sys:Load YDF Start (" + FileName + ")");
    TJobText job;
    if (!ReadWholeYdf(FileName, job)) {
        WriteLog("Sys:Load YDF End");
        return false;
    }
    Min = Osy{1000000, 1000000};
    Max = Osy{-1000000, -1000000};
    // Every section reader gets the lines read here once.
    const TJobLines lines = SectionLines(job);
    if (Tools && LoadMillsetSection) LoadMillsetSection(FileName, lines);
    if (Cfg) FileLinesToGlobalCfg(FileName, lines);
    // The file's operations follow those of the job; its links and sub-operations name
    // them by their number in the file. Without them the file's links name nothing here.
    const int opBase = std::clamp<int>(OpList.CamCnt, 0, MaxCamOps);
    if (Ops && FileToCamOpsSection) FileToCamOpsSection(FileName, lines);
    const int opsRead = std::clamp<int>(OpList.CamCnt, 0, MaxCamOps) - opBase;
    for (int i = opBase; i < opBase + opsRead; ++i) {
        int& master = OpList.Cam[i].MasterOp;
        if (master >= 0) master = master < opsRead ? master + opBase : -1;
    }
    if (Tech && LoadToolTechSection) LoadToolTechSection(FileName, lines);
    if (Plunges && LoadToolPlungesSection) LoadToolPlungesSection(FileName, lines);
    if (Outs && LoadToolOutsSection) LoadToolOutsSection(FileName, lines);

    const Extended keptFiltr = Glob.InputFiltr;
    Glob.InputFiltr = CoordTol;
    TYdfReadOptions opt;
    opt.OpLinks = Ops;
    opt.LinkBase = opBase;
    opt.LinkCount = opsRead;
    TReader reader(job.Lines, opt, Min, Max);
    // The structure check found the block.
    size_t pos = job.Objects + 1;
    reader.Records(pos, "ENDOBJECTS", MainVars.DataStart, MainVars.DataEnd);
    pos = FindLine(job.Lines, pos, "TECH");
    if (pos < job.Lines.size()) {
        ++pos;
        reader.Records(pos, "ENDTECH", MainVars.DataStart, MainVars.DataEnd);
    }
    if (reader.MissingFont) {
        WriteLog("Err:Missing font, using YF01.shp");
        ShowMessage(Msg[35] + "\r\n" + Msg[36]);
    }
    Glob.InputFiltr = keptFiltr;
    if (MainForm) MainForm->CamOpsToPanel();
    WriteLog("Sys:Load YDF End");
    return true;
}
