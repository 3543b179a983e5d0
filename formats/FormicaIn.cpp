// The PCB reader. Tracks are gathered per layer and line type and joined before they
// are outlined, so a track made of many pieces becomes one outline.
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "cam/ContourBuild.h"
#include "cam/ContourDg.h"
#include "core/Builder.h"
#include "core/Glob.h"
#include "core/IntFont.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/TextFile.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniText.h"
#include "formats/FormicaInDg.h"
#include "formats/UniFormica.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

constexpr int PcbLayers = 24, PadTypes = 128, LineTypes = 16;

struct TPadLayer {
    uint8_t Shape = 0;  // 1 round or oblong, 2 rectangular, 0 none
    int32_t W = 0, H = 0;
};
struct TPadDef {
    std::array<TPadLayer, PcbLayers> L;
    int32_t Drill = 0;
};

// The tables of the file's dimension block; a file without one uses those of the
// import before.
std::array<TPadDef, PadTypes> PadDefs;
std::array<std::array<int32_t, PcbLayers>, LineTypes> LineWidths;

// A line that breaks the format: the import ends, the line is named.
struct EFormicaLine {
    std::string What;
};

std::string Trim(const std::string& S) {
    size_t a = 0, b = S.size();
    while (a < b && static_cast<unsigned char>(S[a]) <= ' ') ++a;
    while (b > a && static_cast<unsigned char>(S[b - 1]) <= ' ') --b;
    return S.substr(a, b - a);
}

bool Has(const std::string& Line, const char* Word) { return Line.find(Word) != std::string::npos; }

// Tokens of a bracketed item, taken from the front of the line.
class TItem {
public:
    explicit TItem(const std::string& L) : Line(L) {}
    void Skip() {
        while (Pos < Line.size() && static_cast<unsigned char>(Line[Pos]) <= ' ') ++Pos;
    }
    bool At(char C) {
        Skip();
        return Pos < Line.size() && Line[Pos] == C;
    }
    void Expect(char C) {
        if (!At(C)) throw EFormicaLine{std::string("\"") + C + "\" expected"};
        ++Pos;
    }
    bool AtNumber() {
        Skip();
        return Pos < Line.size() && Line[Pos] >= '0' && Line[Pos] <= '9';
    }
    // The run of digits at the front; a token without digits reads as 0.
    int64_t Number() {
        Skip();
        if (Pos >= Line.size() || Line[Pos] == ')' || Line[Pos] == '(') throw EFormicaLine{"number expected"};
        int64_t v = 0;
        int digits = 0;
        while (Pos < Line.size() && Line[Pos] >= '0' && Line[Pos] <= '9') {
            if (++digits > 9) throw EFormicaLine{"number too large"};
            v = v * 10 + (Line[Pos++] - '0');
        }
        if (digits == 0)  // not a number: the token counts as 0
            while (Pos < Line.size() && static_cast<unsigned char>(Line[Pos]) > ' ' && Line[Pos] != ')' &&
                   Line[Pos] != '(')
                ++Pos;
        return v;
    }
    int64_t Limited(int64_t Max, const char* What) {
        const int64_t v = Number();
        if (v > Max) throw EFormicaLine{std::string(What) + " above " + std::to_string(Max)};
        return v;
    }
    // An optional value: read when one follows, else Value stays.
    template <typename T>
    void Optional(T& Value, int64_t Max, const char* What) {
        if (!At(')')) Value = T(Limited(Max, What));
    }
    // A text between double quotes; false when none starts here.
    bool Quoted(std::string& Out) {
        if (!At('"')) return false;
        const size_t end = Line.find('"', Pos + 1);
        if (end == std::string::npos) throw EFormicaLine{"unterminated text"};
        Out = Line.substr(Pos + 1, end - Pos - 1);
        Pos = end + 1;
        return true;
    }
    void End() { Expect(')'); }

private:
    const std::string& Line;
    size_t Pos = 0;
};

// The layers of a definition group: one number or a bracketed list of up to 24.
std::vector<size_t> LayerList(TItem& It) {
    std::vector<size_t> layers;
    if (!It.At('(')) return {size_t(It.Limited(PcbLayers - 1, "layer"))};
    It.Expect('(');
    while (!It.At(')')) {
        if (layers.size() == PcbLayers) throw EFormicaLine{"more than 24 layers"};
        layers.push_back(size_t(It.Limited(PcbLayers - 1, "layer")));
    }
    It.Expect(')');
    return layers;
}

class TFormicaReader {
public:
    explicit TFormicaReader(std::vector<std::string> L) : Lines(std::move(L)) {}
    ~TFormicaReader() {
        FreeObjList(Done.S, Done.E);
        FreeObjList(Tracks.S, Tracks.E);
        FreeObjList(Texts.S, Texts.E);
    }
    void Read();
    void Join();
    size_t LineNo() const { return Next; }
    int Kept = 0;  // track pieces left as centre lines: no outline could be made
    Osy Min{1000000, 1000000}, Max{-1000000, -1000000};
    struct TList {
        TObjHeader *S = nullptr, *E = nullptr;
    } Done, Tracks, Texts;

private:
    bool More() const { return Next < Lines.size(); }
    // The next line trimmed; upper-cased unless Keep.
    std::string Take(bool Keep = false) {
        std::string s = Trim(Lines[Next++]);
        if (!Keep)
            for (char& c : s)
                if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        return s;
    }
    void SkipBlock() {
        while (More() && Take() != ")") {}
    }
    void Dimensions();
    void PadDefsSection();
    void LineTypesSection();
    void Layout(bool Component);
    void Components();
    // A placement section: every line beginning with "(" is an item, the first other
    // line ends it. Blank lines are passed over.
    template <typename F>
    void Placements(bool KeepCase, F Item) {
        while (More()) {
            const std::string s = Take(KeepCase);
            if (s.empty()) continue;
            if (s[0] != '(') return;
            TItem it(s);
            it.Expect('(');
            Item(it);
        }
    }
    void Pad(TItem& It, bool Pin, int64_t& Type);
    void Track(const Osy& S, const Osy& E, Extended Alfa, int Type, int Layer);

    std::vector<std::string> Lines;
    size_t Next = 0;
};

void TFormicaReader::Read() {
    while (More()) {
        const std::string s = Take();
        if (Has(s, "DIMENSIONS"))
            Dimensions();
        else if (Has(s, "LAYOUT"))
            Layout(false);
        else if (Has(s, "COMPONENTS"))
            Components();
    }
}

void TFormicaReader::Dimensions() {
    while (More()) {
        const std::string s = Take();
        if (s == ")") return;
        if (Has(s, "PADS"))
            PadDefsSection();
        else if (Has(s, "LINES"))
            LineTypesSection();
        else if (Has(s, "GAPS"))
            SkipBlock();
    }
}

// Each definition line: "(" type, groups "(" layers shape width [height] ")", drill, one more ")".
void TFormicaReader::PadDefsSection() {
    for (TPadDef& d : PadDefs)
        for (TPadLayer& l : d.L) l.Shape = 0;
    while (More()) {
        const std::string s = Take();
        if (s == ")") return;
        if (s.size() < 2 || s.front() != '(' || s.back() != ')') continue;
        TItem it(s);
        it.Expect('(');
        TPadDef& d = PadDefs[size_t(it.Limited(PadTypes - 1, "pad type"))];
        for (TPadLayer& l : d.L) l = TPadLayer{};
        if (!it.At('(')) throw EFormicaLine{"\"(\" expected"};
        while (it.At('(')) {
            it.Expect('(');
            const std::vector<size_t> layers = LayerList(it);
            TPadLayer l;
            l.Shape = uint8_t(it.Limited(255, "shape"));
            l.W = int32_t(it.Limited(255, "pad size"));
            l.H = l.W;
            it.Optional(l.H, 255, "pad size");
            it.Expect(')');
            for (size_t k : layers) d.L[k] = l;
        }
        d.Drill = int32_t(it.Number());
        it.Number();
        it.End();
    }
}

// Each line: "(" line type, groups "(" layers width ")", one more token ")".
void TFormicaReader::LineTypesSection() {
    for (auto& t : LineWidths) t.fill(0);
    while (More()) {
        const std::string s = Take();
        if (s == ")") return;
        if (s.size() < 2 || s.front() != '(' || s.back() != ')') continue;
        TItem it(s);
        it.Expect('(');
        auto& widths = LineWidths[size_t(it.Limited(LineTypes - 1, "line type"))];
        if (!it.At('(')) throw EFormicaLine{"\"(\" expected"};
        while (it.At('(')) {
            it.Expect('(');
            const std::vector<size_t> layers = LayerList(it);
            const int32_t w = int32_t(it.Limited(255, "line width"));
            it.Expect(')');
            for (size_t k : layers) widths[k] = w;
        }
        it.Number();
        it.End();
    }
}

void TFormicaReader::Track(const Osy& S, const Osy& E, Extended Alfa, int Type, int Layer) {
    for (const Osy& p : {S, E}) {
        Min = Osy{std::min(Min.x, p.x), std::min(Min.y, p.y)};
        Max = Osy{std::max(Max.x, p.x), std::max(Max.y, p.y)};
    }
    if (!FormicaInDg->LayerTicked(Layer)) return;
    TObjHeader* before = Tracks.E;
    const uint8_t target = uint8_t(Layer == 0 ? 24 : Layer);
    if (std::fabs(Alfa) <= CoordTol)
        EnPline.LineAdd(S, E, target, Tracks.S, Tracks.E);
    else
        EnPline.ArcAdd(S, E, Alfa, target, Tracks.S, Tracks.E);
    if (Tracks.E != before) Tracks.E->SavedFlags = uint8_t(Type);
}

void TFormicaReader::Pad(TItem& It, bool Pin, int64_t& Type) {
    if (Pin) It.Number();
    const Extended x = Extended(It.Number()) * FormicaStep;
    const Extended y = Extended(It.Number()) * FormicaStep;
    It.Optional(Type, 255, "pad type");
    It.End();
    const bool turned = (Type & 64) != 0;
    const TPadDef& d = PadDefs[size_t((Type & 63) | ((Type & 128) >> 1))];
    const Osy c{x, y};
    bool anyShape = false, anyTicked = false;
    for (int i = 0; i < PcbLayers; ++i) {
        const TPadLayer& l = d.L[size_t(i)];
        const bool shaped = (l.Shape == 1 || l.Shape == 2) && l.W > 0 && l.H > 0;
        anyShape |= shaped;
        if (!FormicaInDg->LayerTicked(i)) continue;
        anyTicked = true;
        if (!shaped) continue;
        const uint8_t target = uint8_t(i == 0 ? 24 : i);
        const Extended w = l.W * FormicaStep, h = l.H * FormicaStep;
        TObjHeader* made = nullptr;
        if (l.Shape == 2) {
            TObjHeader* before = Done.E;
            EnPline.RectangleAdd(Osy{x - w / 2, y - h / 2}, Osy{x + w / 2, y + h / 2}, target, Done.S, Done.E);
            if (Done.E != before) made = Done.E;
        } else if (l.W == l.H) {
            EnPline.CircleAdd(c, w / 2, target, Done.S, Done.E);
        } else {
            // An oblong: two straight sides and two half circles, long along the larger size.
            const bool alongX = l.W > l.H;
            const Extended r = (alongX ? h : w) / 2, a = ((alongX ? w : h) - 2 * r) / 2;
            std::array<Osy, 4> q = alongX ? std::array<Osy, 4>{Osy{x - a, y - r}, Osy{x + a, y - r},
                                                               Osy{x + a, y + r}, Osy{x - a, y + r}}
                                          : std::array<Osy, 4>{Osy{x + r, y - a}, Osy{x + r, y + a},
                                                               Osy{x - r, y + a}, Osy{x - r, y - a}};
            StartObj(q[0]);
            AddSeg(q[1], 0, CoordTol);
            AddSeg(q[2], GeomPi, CoordTol);
            AddSeg(q[3], 0, CoordTol);
            AddSeg(q[0], GeomPi, CoordTol);
            made = MakeObj(target, Done.S, Done.E);
        }
        if (made && turned) EnPline.Rotate(made, c, GeomPi / 2);
    }
    if (!anyShape && anyTicked) EnPline.CircleAdd(c, d.Drill * FormicaStep / 2, 68, Done.S, Done.E);
}

void TFormicaReader::Layout(bool Component) {
    while (More()) {
        const std::string s = Take();
        if (s == ")") return;
        if (Has(s, "PINS") && Component) {
            int64_t type = 0;
            Placements(false, [&](TItem& it) { Pad(it, true, type); });
        } else if (Has(s, "PADS")) {
            int64_t type = 0;
            Placements(false, [&](TItem& it) { Pad(it, false, type); });
        } else if (Has(s, "LINES")) {
            int type = 0, layer = 0;
            Placements(false, [&](TItem& it) {
                Osy a, b;
                a.x = Extended(it.Number()) * FormicaStep;
                a.y = Extended(it.Number()) * FormicaStep;
                b.x = Extended(it.Number()) * FormicaStep;
                b.y = Extended(it.Number()) * FormicaStep;
                it.Optional(type, LineTypes - 1, "line type");
                it.Optional(layer, PcbLayers - 1, "layer");
                it.End();
                Track(a, b, 0, type, layer);
            });
        } else if (Has(s, "ARCS")) {
            int type = 0, layer = 0;
            int64_t x = 0, y = 0, r = 0;
            Placements(false, [&](TItem& it) {
                const int q = int(it.Limited(3, "quadrant"));
                it.Optional(x, 999999999, "x");
                it.Optional(y, 999999999, "y");
                it.Optional(r, 999999999, "radius");
                it.Optional(type, LineTypes - 1, "line type");
                it.Optional(layer, PcbLayers - 1, "layer");
                it.End();
                const Extended R = Extended(r) * FormicaStep;
                if (R < CoordTol) return;
                const Osy c{Extended(x) * FormicaStep, Extended(y) * FormicaStep};
                const Osy at[4] = {{c.x + R, c.y}, {c.x, c.y + R}, {c.x - R, c.y}, {c.x, c.y - R}};
                Track(at[q], at[(q + 1) % 4], GeomPi / 2, type, layer);
            });
        } else if (Has(s, "TEXT") && Component) {
            SkipBlock();
        } else if (Has(s, "TEXT")) {
            std::string text;
            int64_t x = 0, y = 0, style = 0, number = 0;
            int layer = 0;
            Extended height = 1;
            Placements(true, [&](TItem& it) {
                it.Quoted(text);
                it.Optional(x, 999999999, "x");
                it.Optional(y, 999999999, "y");
                if (!it.At(')')) height = Extended(it.Number()) * 6 * FormicaStep;
                it.Optional(style, 255, "style");
                it.Optional(number, 999999999, "number");
                it.Optional(layer, PcbLayers - 1, "layer");
                it.End();
                ParText& T = WorkText;
                T.Origin = Osy{Extended(x) * FormicaStep, Extended(y) * FormicaStep};
                T.Vyska = height;
                T.WidthFactor = 1;
                T.Zkos = 0;
                T.Justify = 4;
                T.JmFontu = IntFontName;
                T.Text = text;
                T.AdrGroup = nullptr;
                static const int Turn[8] = {0, 1, 2, 3, 2, 1, 0, 3};
                if (style <= 7) {
                    T.Rotate = Turn[style] * GeomPi / 2;
                    T.MirrorY = style >= 4;
                }
                EnText.Add(uint8_t(layer == 0 ? 24 : layer), Texts.S, Texts.E, false);
            });
        }
    }
}

void TFormicaReader::Components() {
    while (More()) {
        const std::string s = Take();
        if (s == ")") return;
        if (!s.empty()) Layout(true);
    }
}

// Joins the tracks of each layer and line type and outlines them at half their width.
void TFormicaReader::Join() {
    const bool single = FormicaInDg->ChBoxSingle->Checked;
    if (!ContourDialog) CreateContourDialog();
    // A track outline needs both sides: the contour builder takes its side from its
    // dialog, which is put back afterwards.
    const bool wasBoth = ContourDialog->RBtnBoth->Checked, wasOut = ContourDialog->RBtnOutside->Checked,
               wasIn = ContourDialog->RBtnInside->Checked;
    ContourDialog->RBtnBoth->Checked = true;
    ContourDialog->RBtnOutside->Checked = ContourDialog->RBtnInside->Checked = false;
    for (int p = 1; p <= PcbLayers; ++p)
        for (int t = 0; t < LineTypes; ++t) {
            TObjHeader *ws = nullptr, *we = nullptr;
            for (TObjHeader* q = Tracks.S; q;) {
                TObjHeader* nx = q->Next;
                if (q->Layer == p && q->SavedFlags == t) {
                    UnlinkObj(q, Tracks.S, Tracks.E);
                    q->SavedFlags = 0;
                    q->Flags |= FlagSelected;
                    AppendObj(q, ws, we);
                }
                q = nx;
            }
            if (!ws) continue;
            const int f = p == PcbLayers ? 0 : p;
            const int32_t width = LineWidths[size_t(t)][size_t(f)];
            const Extended w = width * FormicaStep / 2 - 0.005L;
            EnPline.Join(0, ws, we);
            for (TObjHeader* q = ws; q; q = q->Next) q->Flags &= uint8_t(~FlagSelected);
            if (single || width == 0) {
                ConcatObjLists(Done.S, Done.E, ws, we);
                continue;
            }
            // Pieces wait in a queue: a closed polyline or one without an outline is
            // split into its segments; a single segment without one stays a centre line.
            while (ws) {
                TObjHeader* q = ws;
                UnlinkObj(q, ws, we);
                const bool closed = (AsPline(q)->PlineFlags & PlineClosed) != 0;
                TObjHeader* outline = closed || w < CoordTol
                                          ? nullptr
                                          : CreateOpenContour(q, false, false, false, w, 1.0L, 1.0L, uint8_t(f));
                if (outline) {
                    outline->Layer = uint8_t(p);
                    AppendObj(outline, Done.S, Done.E);
                    FreeObjBlock(q);
                } else if (PlineSegCount(q) > 1) {
                    TObjHeader *ps = nullptr, *pe = nullptr;
                    AppendObj(q, ps, pe);
                    EnPline.Explode(q, ps, pe);
                    ConcatObjLists(ws, we, ps, pe);
                } else {
                    ++Kept;
                    AppendObj(q, Done.S, Done.E);
                }
            }
        }
    ContourDialog->RBtnBoth->Checked = wasBoth;
    ContourDialog->RBtnOutside->Checked = wasOut;
    ContourDialog->RBtnInside->Checked = wasIn;
}

}  // namespace

bool LoadFormica(const std::string& FileName, Osy& Min, Osy& Max) {
    WriteLog("Sys:Load Formica file:" + FileName);
    Min = Osy{1000000, 1000000};
    Max = Osy{-1000000, -1000000};
    std::string bytes;
    if (!TextFileExists(FileName) || !ReadFileBytes(FileName, bytes)) {
        WriteLog("Err:FAILEd Load formica file, file not found:" + FileName);
        ShowMessage(Msg[29]);
        return false;
    }
    if (!FormicaInDg) CreateFormicaInDg();
    TFormicaReader r(SplitTextLines(bytes));
    try {
        r.Read();
    } catch (const EFormicaLine& e) {
        const std::string where = "line " + std::to_string(r.LineNo()) + ": " + e.What;
        WriteLog("Err:FAILED Load formica file, " + where);
        ShowMessage("Soubor Formica je poškozený (řádek " + std::to_string(r.LineNo()) + "), nic nenačteno");
        return false;
    }
    r.Join();
    if (r.Kept > 0) WriteLog("Err:Formica tracks left as centre lines: " + std::to_string(r.Kept));
    ConcatObjLists(r.Done.S, r.Done.E, r.Texts.S, r.Texts.E);
    ConcatObjLists(MainVars.DataStart, MainVars.DataEnd, r.Done.S, r.Done.E);
    Min = r.Min;
    Max = r.Max;
    return true;
}
