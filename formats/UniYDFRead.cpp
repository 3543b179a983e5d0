// Reading the job file and the object records. Every byte sequence is survived: a
// record cut off by the end of the lines is made from what was read, unknown lines
// and sections are skipped, numbers that are not finite are not taken.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <map>

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

bool IsKeyword(const std::string& L) {
    return L == "POINT" || L == "PLINE" || L == "GROUP" || L == "TEXT" || L == "PLINE3D";
}

std::string TrimRight(std::string S) {
    while (!S.empty() && S.back() == ' ') S.pop_back();
    return S;
}

// At most 10 characters after Key in L (upper-cased line), trailing blanks removed;
// false when Key is not in L.
bool TenAfter(const std::string& L, const char* Key, std::string& Value) {
    const size_t at = L.find(Key);
    if (at == std::string::npos) return false;
    Value = TrimRight(L.substr(at + std::char_traits<char>::length(Key), 10));
    return true;
}

bool FiniteCalc(const std::string& S, Extended& V) {
    Extended x = 0;
    if (!StrToExtCalc(S, x, false) || !std::isfinite(x)) return false;
    V = x;
    return true;
}

class TReader {
public:
    TReader(const std::vector<std::string>& Lines, const TYdfReadOptions& Opt, Osy& Min, Osy& Max)
        : Lines(Lines), Opt(Opt), Min(Min), Max(Max) {
        for (int l = 1; l <= LayerCount; ++l) LayerKeys[l] = UpCaseStr(Glob.TabLayer[l].Name);
        Debug = Opt.DebugLines && MainForm && MainForm->DebugMode;
    }

    bool MissingFont = false;

    bool AtEnd(size_t Pos) const { return Pos >= Lines.size(); }
    std::string Line(size_t Pos, bool KeepCase = false) const {
        return YdfLine(Lines[Pos], Opt.TrimBoth, KeepCase);
    }

    // Records from Pos on until EndLine (or the end of the lines).
    void Records(size_t& Pos, const std::string& EndLine, TObjHeader*& First, TObjHeader*& Last) {
        while (!AtEnd(Pos)) {
            const std::string L = Line(Pos++);
            if (L == EndLine) return;
            if (IsKeyword(L) && !AtEnd(Pos)) Record(L, Pos, First, Last, 0);
        }
    }

private:
    const std::vector<std::string>& Lines;
    const TYdfReadOptions& Opt;
    Osy& Min;
    Osy& Max;
    std::array<std::string, LayerCount + 1> LayerKeys;
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

    void MatchLayer(const std::string& Name, uint8_t& Layer) const {
        for (int l = 1; l <= LayerCount; ++l)
            if (LayerKeys[l] == Name) Layer = uint8_t(l);
    }

    // Operation lines; true when L was one.
    bool OpLine(const std::string& L, std::vector<int>& Parents, std::vector<int>& Childs) const {
        std::string v;
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

    void Record(const std::string& Kw, size_t& Pos, TObjHeader*& First, TObjHeader*& Last, int Depth) {
        if (Kw == "POINT") {
            LogRecord("point", First, Last);
            Point(Pos, First, Last);
        } else if (Kw == "PLINE") {
            LogRecord("Pline", First, Last);
            Pline(Pos, First, Last, false);
        } else if (Kw == "PLINE3D") {
            LogRecord("space", First, Last);
            Pline(Pos, First, Last, true);
        } else if (Kw == "TEXT") {
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
            const std::string L = Line(Pos++);
            if (L == "ENDPOINT") break;
            std::string v;
            if (TenAfter(L, "LAYER=", v)) {
                MatchLayer(v, layer);
                continue;
            }
            if (Opt.OpLinks && OpLine(L, parents, childs)) continue;
            if (!obj && L.find("START") != std::string::npos) {
                const Osy p{NumAfterKey(L, "X"), NumAfterKey(L, "Y")};
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
        const std::string endLine = Is3D ? "ENDPLINE3D" : "ENDPLINE";
        ResetBuilder();
        while (!AtEnd(Pos)) {
            const std::string L = Line(Pos++);
            if (L == endLine) break;
            std::string v;
            if (TenAfter(L, "LAYER=", v)) {
                MatchLayer(v, layer);
                continue;
            }
            if (Opt.OpLinks && OpLine(L, parents, childs)) continue;
            const Extended x = NumAfterKey(L, "X"), y = NumAfterKey(L, "Y");
            const Extended z = Is3D ? NumAfterKey(L, "Z") : 0;
            if (L.find("START") != std::string::npos) {
                if (Is3D)
                    StartObj3D(Osy3D{x, y, z});
                else
                    StartObj(Osy{x, y});
            } else if (L.find("LINETO") != std::string::npos) {
                if (Is3D)
                    AddSeg3D(Osy3D{x, y, z}, 0, CoordTol);
                else
                    AddSeg(Osy{x, y}, 0, CoordTol);
            } else if (L.find("ARCTO") != std::string::npos) {
                // An arc turns by less than a full circle.
                Extended a = std::fmod(NumAfterKey(L, "A"), Extended(360)) * Pi / 180;
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
            const std::string L = Line(Pos++, true);
            if (L == "ENDTEXT") break;
            const size_t eq = L.find('=');
            if (eq == std::string::npos) continue;
            const std::string key = UpCaseStr(L.substr(0, eq));
            const std::string val = L.substr(eq + 1);
            Extended x = 0;
            if (key == "LAYER") {
                MatchLayer(UpCaseStr(TrimRight(val)), layer);
            } else if (key == "TEXT") {
                T.Text = val.substr(0, 255);
            } else if (key == "FONT") {
                T.JmFontu = val.substr(0, 37);
            } else if (key == "HEIGTH") {
                if (FiniteCalc(val, x) && x > 0) T.Vyska = x;
            } else if (key == "WIDTHFACTOR") {
                if (FiniteCalc(val, x) && x > 0) T.WidthFactor = x;
            } else if (key == "ROTATE") {
                if (FiniteCalc(val, x)) T.Rotate = std::fmod(x, Extended(360)) * Pi / 180;
            } else if (key == "ANGLE") {
                if (FiniteCalc(val, x)) T.Zkos = std::fmod(x, Extended(360)) * Pi / 180;
            } else if (key == "INTERLEAVE") {
                if (FiniteCalc(val, x)) T.Zkos = x;
            } else if (key == "MIRRORY") {
                T.MirrorY = UpCaseStr(val) == "TRUE";
            } else if (key == "ORIGINX") {
                if (FiniteCalc(val, x)) T.Origin.x = x;
            } else if (key == "ORIGINY") {
                if (FiniteCalc(val, x)) T.Origin.y = x;
            } else if (key == "JUSTIFY") {
                int32_t j = 0;
                if (CfgIntReading(val, j) && j >= 0 && j <= 255) T.Justify = uint8_t(j);
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
            const std::string L = Line(Pos++);
            if (L == "ENDGROUP") break;
            if (Opt.OpLinks && OpLine(L, parents, childs)) continue;
            if (IsKeyword(L) && !AtEnd(Pos) && (L != "GROUP" || Depth < MaxGroupDepth)) {
                // A record adds at most one member (a text may add none).
                const TObjHeader* before = gLast;
                Record(L, Pos, gFirst, gLast, Depth + 1);
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
    if (TrimBoth) s = TrimRight(std::move(s));
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

Extended NumAfterKey(const std::string& Line, const std::string& Letter) {
    const size_t at = Line.find(Letter + "=");
    if (at == std::string::npos) return 0;
    const size_t b = at + Letter.size() + 1;
    size_t e = Line.find(' ', b);
    if (e == std::string::npos) e = Line.size();
    const char* p = Line.data() + b;
    const char* end = Line.data() + e;
    if (p < end && *p == '+') ++p;
    Extended v = 0;
    if (ShortDecimal(p, end, v)) return v;
    auto r = std::from_chars(p, end, v, std::chars_format::fixed);
    if (r.ec != std::errc() || !std::isfinite(v)) return 0;
    return v;
}

void YdfReadRecords(const std::vector<std::string>& Lines, size_t& Pos, const std::string& EndLine,
                    const TYdfReadOptions& Opt, TObjHeader*& First, TObjHeader*& Last, Osy& Min, Osy& Max,
                    bool& MissingFont) {
    TReader r(Lines, Opt, Min, Max);
    r.Records(Pos, EndLine, First, Last);
    if (r.MissingFont) MissingFont = true;
}

std::string YdfStructureProblem(const std::vector<std::string>& Lines) {
    size_t pos = 0;
    while (pos < Lines.size() && YdfLine(Lines[pos], false, false) != "OBJECTS") ++pos;
    if (pos == Lines.size()) return "line " + std::to_string(pos + 1) + ": expected OBJECTS";
    // The end lines the open records wait for, innermost last.
    std::vector<std::string> open;
    for (++pos; pos < Lines.size(); ++pos) {
        const bool inText = !open.empty() && open.back() == "ENDTEXT";
        const std::string L = YdfLine(Lines[pos], false, inText);
        if (open.empty() && L == "ENDOBJECTS") return std::string();
        if (!open.empty() && L == open.back()) {
            open.pop_back();
        } else if (!inText && (open.empty() || open.back() == "ENDGROUP") && IsKeyword(L)) {
            open.push_back("END" + L);
        }
    }
    return "line " + std::to_string(Lines.size() + 1) + ": expected " +
           (open.empty() ? std::string("ENDOBJECTS") : open.back());
}

namespace {

// The file's lines when it exists, is readable and is whole; else reported (log line
// and message) and false.
bool ReadWholeYdf(const std::string& FileName, std::vector<std::string>& Lines) {
    std::string bytes;
    if (!TextFileExists(FileName) || !ReadFileBytes(FileName, bytes)) {
        WriteLog("Err:FAILED Load YDF, file not exist");
        ShowMessage(Msg[29]);
        return false;
    }
    // Lines end at LF; SplitTextLines keeps every other byte, YdfLine drops the CRs.
    Lines = SplitTextLines(bytes);
    const std::string problem = YdfStructureProblem(Lines);
    if (problem.empty()) return true;
    WriteLog("Err:FAILED Load YDF, " + problem);
    ShowMessage("Soubor nelze přečíst, není to úplný soubor YDF (" + problem + "):\r\n" + FileName);
    return false;
}

}  // namespace

bool YdfFileReadable(const std::string& FileName) {
    std::vector<std::string> lines;
    return ReadWholeYdf(FileName, lines);
}

bool LoadYdfFile(const std::string& FileName, bool Tools, bool Cfg, Osy& Max, Osy& Min, bool Outs, bool Plunges,
                 bool Tech, bool Ops) {
    WriteLog("Sys:Load YDF Start (" + FileName + ")");
    std::vector<std::string> lines;
    if (!ReadWholeYdf(FileName, lines)) {
        WriteLog("Sys:Load YDF End");
        return false;
    }
    Min = Osy{1000000, 1000000};
    Max = Osy{-1000000, -1000000};
    // Every section reader gets the lines read here once.
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
    size_t pos = 0;
    while (pos < lines.size() && YdfLine(lines[pos], false, false) != "OBJECTS") ++pos;
    TYdfReadOptions opt;
    opt.OpLinks = Ops;
    opt.LinkBase = opBase;
    opt.LinkCount = opsRead;
    TReader reader(lines, opt, Min, Max);
    if (pos < lines.size()) {
        ++pos;
        reader.Records(pos, "ENDOBJECTS", MainVars.DataStart, MainVars.DataEnd);
        while (pos < lines.size() && YdfLine(lines[pos], false, false) != "TECH") ++pos;
        if (pos < lines.size()) {
            ++pos;
            reader.Records(pos, "ENDTECH", MainVars.DataStart, MainVars.DataEnd);
        }
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
