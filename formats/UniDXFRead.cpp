// The DXF reader. The file is read as group pairs in one pass: text styles from the
// TABLES section, block definitions from BLOCKS, the drawing from ENTITIES. Every
// definition and the drawing keep their objects and block references in file order;
// references are resolved when the file has been read whole, so blocks may be defined
// in any order, and nothing reaches the drawing unless the file ended properly.
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "commands/TextDg.h"
#include "core/Builder.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/IntFont.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/TextFile.h"
#include "core/UniGeom.h"
#include "core/UniGroup.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "core/UniText.h"
#include "formats/DxfPairs.h"
#include "formats/UniDXF.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

constexpr Extended DegToRad = GeomPi / 180;
// Error lines written to the log; further ones are only counted.
constexpr int MaxErrorLines = 20;

// Millimetres per unit of a $INSUNITS code; 0 for unitless or unknown codes.
Extended DxfUnitToMm(int32_t U) {
    switch (U) {
        case 1: return 25.4L;               // inches
        case 2: return 304.8L;              // feet
        case 3: return 1609344.0L;          // miles
        case 4: return 1;                   // millimetres
        case 5: return 10;                  // centimetres
        case 6: return 1000;                // metres
        case 7: return 1000000;             // kilometres
        case 8: return 25.4e-6L;            // microinches
        case 9: return 25.4e-3L;            // mils
        case 10: return 914.4L;             // yards
        case 11: return 1e-7L;              // angstroms
        case 12: return 1e-6L;              // nanometres
        case 13: return 1e-3L;              // microns
        case 14: return 100;                // decimetres
        case 15: return 10000;              // decametres
        case 16: return 100000;             // hectometres
        default: return 0;
    }
}

// The Czech name of a $INSUNITS unit for the import message.
std::string DxfUnitName(int32_t U) {
    static const char* const Names[] = {"", "palce", "stopy", "míle", "milimetry", "centimetry", "metry", "kilometry",
                                        "mikropalce", "mily", "yardy", "angstromy", "nanometry", "mikrometry",
                                        "decimetry", "dekametry", "hektometry"};
    return U >= 1 && U <= 16 ? Names[U] : std::to_string(U);
}

// The text a CAD user sees for the control codes of TEXT ("%%d", "%%c", "%%p", "%%u",
// "%%o", "%%nnn") and of MTEXT (paragraphs, hard blanks, format groups such as
// "{\fArial|b0;...}", "\A1;", "\H2.5;", stacked fractions). An engraver would cut the
// codes themselves otherwise. S and the result are 8-bit text.
std::string DxfTextCodes(const std::string& S, bool Multi) {
    static const std::string Degree = Utf8ToCp1250("\xC2\xB0"), PlusMinus = Utf8ToCp1250("\xC2\xB1");
    std::string out;
    out.reserve(S.size());
    for (size_t i = 0; i < S.size(); ++i) {
        const char c = S[i];
        if (c == '%' && i + 2 < S.size() && S[i + 1] == '%') {
            const char k = char(std::tolower(static_cast<unsigned char>(S[i + 2])));
            if (k == 'd') { out += Degree; i += 2; continue; }
            if (k == 'p') { out += PlusMinus; i += 2; continue; }
            if (k == 'c') { out += "D"; i += 2; continue; }  // no diameter sign in the code page
            if (k == 'u' || k == 'o' || k == 'k') { i += 2; continue; }  // under-, over-, strike-through
            if (k == '%') { out += '%'; i += 2; continue; }
            if (std::isdigit(static_cast<unsigned char>(k))) {
                size_t j = i + 2;
                int code = 0;
                while (j < S.size() && j < i + 5 && std::isdigit(static_cast<unsigned char>(S[j]))) code = code * 10 + (S[j++] - '0');
                if (code > 0 && code < 256) out += char(code);
                i = j - 1;
                continue;
            }
        }
        if (!Multi) {
            out += c;
            continue;
        }
        if (c == '{' || c == '}') continue;
        if (c != '\\' || i + 1 >= S.size()) {
            out += c;
            continue;
        }
        const char k = S[i + 1];
        if (k == 'P' || k == '~' || k == 'X') {
            out += ' ';
            ++i;
        } else if (k == '\\' || k == '{' || k == '}') {
            out += k;
            ++i;
        } else if (std::strchr("LlOoKkN", k)) {
            ++i;  // toggles without an argument
        } else if (k == 'S') {
            // A stacked fraction "\Sa^b;" reads "a/b".
            const size_t end = S.find(';', i + 2);
            std::string frac = S.substr(i + 2, end == std::string::npos ? std::string::npos : end - i - 2);
            for (char& f : frac)
                if (f == '^' || f == '#') f = '/';
            out += frac;
            i = end == std::string::npos ? S.size() : end;
        } else if (std::strchr("AaCcFfHhQqTtWwp", k)) {
            const size_t end = S.find(';', i + 2);  // a format code with its argument
            i = end == std::string::npos ? S.size() : end;
        } else {
            out += c;
        }
    }
    return out;
}

struct TStyle {
    std::string Name, File;
    Extended Height = 0, Width = 1, Oblique = 0;
};

// A block reference, resolved after the whole file was read.
struct TInsert {
    std::string Name;
    uint8_t Layer = LayerOrig;
    Osy P;
    Extended Sx = 1, Sy = 1, Rot = 0;  // rotation in degrees
    // The x and y axes of the reference's own plane (its extrusion direction by the
    // arbitrary-axis rule) as seen from above: (1,0), (0,1) for +z; (-1,0), (0,1) for -z.
    Osy Ax{1, 0}, Ay{0, 1};
    int32_t Line = 0;
};

// One object or one block reference, in file order.
struct TItem {
    TObjHeader* Obj = nullptr;
    int32_t Insert = -1;
};

// A block definition, or the drawing itself.
struct TBlock {
    std::string Name;
    Osy Base;
    TObjHeader *First = nullptr, *Last = nullptr;  // the definition's own objects
    std::vector<TItem> Items;
    std::vector<TInsert> Inserts;
    bool Active = false;  // being expanded or counted: a reference to it now is a loop
    std::map<std::string, int> Skipped;  // entities of its own that are not imported
};

struct TVertex {
    Osy P;
    Extended Bulge = 0;
};

class TDxfReader {
public:
    explicit TDxfReader(std::string_view Bytes) : Cur(Bytes) {
        TStyle standard;
        standard.Name = "STANDARD";
        standard.File = "YF01";
        Styles.push_back(standard);
        StyleIdx["STANDARD"] = 0;
    }
    ~TDxfReader() {
        for (TBlock& b : Blocks) FreeObjList(b.First, b.Last);
        FreeObjList(Model.First, Model.Last);
    }

    void Read();
    // Moves the drawing's objects and resolved references to Out.
    void Resolve(TObjHeader*& OutFirst, TObjHeader*& OutLast);

    bool SawEof = false;
    bool MissingFont = false;
    bool TooMany = false;
    // Millimetres per drawing unit from $INSUNITS; 0 when the file declares no unit.
    Extended UnitScale = 0;
    int32_t Units = 0;
    // Texts whose style names no font, given the default font.
    int NoFontTexts = 0;
    int32_t LastLine() const { return Cur.LineNo(); }
    int ErrorCount = 0;
    // Entities not imported, counted as the user loses them: once per reference of the
    // block that holds them.
    std::map<std::string, int> Skipped;

    void Error(int32_t Line, const std::string& What) {
        if (++ErrorCount <= MaxErrorLines) WriteLog("Err:DXF line " + std::to_string(Line) + ": " + What);
    }

private:
    // ---- pairs and numbers ----
    // Reads the pairs of one entity or table record up to the next code 0 (handed back),
    // calling Take for each; false when the record is to be dropped.
    template <class F>
    bool Fields(F&& Take) {
        bool ok = true;
        TDxfPair p;
        while (Cur.Next(p)) {
            if (p.Code == 0) {
                Cur.Unget(p);
                break;
            }
            if (p.Code == DxfBadCode) {
                Error(p.Line, "group code is not an integer");
                ok = false;
                continue;
            }
            if (p.Code == 67) {
                int32_t v = 0;
                Paper = DxfInt(p.Raw, v) && v == 1;
            }
            if (!Take(p)) ok = false;
        }
        return ok;
    }
    bool Num(const TDxfPair& P, Extended& V) {
        bool range = false;
        if (DxfNumber(P.Raw, V, range)) return true;
        Error(P.Line + 1, range ? "number out of range (" + std::string(DxfTrim(P.Raw).substr(0, 40)) + ")"
                            : "not a number (" + std::string(DxfTrim(P.Raw).substr(0, 40)) + ")");
        return false;
    }
    bool Int(const TDxfPair& P, int32_t& V) {
        if (DxfInt(P.Raw, V)) return true;
        Error(P.Line + 1, "not an integer (" + std::string(DxfTrim(P.Raw).substr(0, 40)) + ")");
        return false;
    }
    uint8_t Layer(std::string_view Raw) {
        const std::string name = ReadDxfLine(Raw);
        auto it = LayerCache.find(name);
        if (it == LayerCache.end()) it = LayerCache.emplace(name, DxfLayerToLayer(name)).first;
        return it->second;
    }
    std::string TextValue(std::string_view Raw) const;

    // ---- tables and sections ----
    void Style();
    void BeginBlock();
    void Entity(const std::string& Kind, TBlock& B);

    // ---- entities ----
    void Point(TBlock& B);
    void Line(TBlock& B);
    void Circle(TBlock& B);
    void Arc(TBlock& B);
    void Polyline(TBlock& B);
    void LwPolyline(TBlock& B);
    void Text(TBlock& B, bool Multi);
    void Insert(TBlock& B);
    void MakePline(TBlock& B, uint8_t Layer, const std::vector<TVertex>& V, bool Closed, bool Mirror);
    // Records the objects appended to B since Before as items, mirrored when the entity
    // looks from below (extrusion towards -z).
    void Made(TBlock& B, TObjHeader* Before, bool Mirror);
    // The vertex filter: a length in millimetres, the file counts in its own unit.
    Extended VertexTol() const {
        return std::max<Extended>(Glob.InputFiltr / (UnitScale > 0 ? UnitScale : 1), CoordTol);
    }

    // ---- references ----
    void Expand(int32_t K, uint8_t Override, TObjHeader*& F, TObjHeader*& L, int32_t Depth);
    void InsertInto(const TInsert& Ins, uint8_t Override, TObjHeader*& F, TObjHeader*& L, int32_t Depth);

    TDxfCursor Cur;
    std::vector<TStyle> Styles;
    std::unordered_map<std::string, int32_t> StyleIdx;
    std::vector<TBlock> Blocks;
    std::unordered_map<std::string, int32_t> BlockIdx;
    TBlock Model;
    TBlock* Defining = nullptr;  // the block whose entities are being read
    std::unordered_map<std::string, uint8_t> LayerCache;
    bool Utf8 = false;  // files of 2007 and later hold their strings in UTF-8
    bool Paper = false;  // the entity being read lies in paper space (code 67 = 1)
    int64_t Records = 0;  // records made, and references expanded, against DxfMaxObjects
    int64_t Vertices = 0, Bytes = 0;  // what those records hold, against the other limits

    // Counts a record made or copied, members of a group included; false when the
    // read is over one of its limits.
    bool Count(const TObjHeader* P) {
        Bytes += P->Size;
        if (P->Type == ObjPline) Vertices += PlineSegCount(P);
        if (P->Type == ObjGroup)
            for (const TObjHeader* m = static_cast<const TGroupRec*>(P)->First; m; m = m->Next) Count(m);
        if (Vertices > DxfMaxVertices || Bytes > DxfMaxBytes) TooMany = true;
        return !TooMany;
    }
};

// ---- texts ----

// Code points written as "\U+XXXX" by writers that keep to an 8-bit code page.
std::string DecodeUnicodeEscapes(const std::string& S) {
    std::string out;
    out.reserve(S.size());
    for (size_t i = 0; i < S.size(); ++i) {
        if (S[i] == '\\' && i + 6 < S.size() + 0 && (S[i + 1] == 'U' || S[i + 1] == 'u') && S[i + 2] == '+') {
            uint32_t cp = 0;
            size_t k = i + 3;
            for (; k < i + 7 && k < S.size() && std::isxdigit(static_cast<unsigned char>(S[k])); ++k)
                cp = cp * 16 + uint32_t(std::isdigit(static_cast<unsigned char>(S[k])) ? S[k] - '0'
                                                                                       : (S[k] | 32) - 'a' + 10);
            if (k == i + 7) {
                std::string u;
                if (cp < 0x80) {
                    u += char(cp);
                } else if (cp < 0x800) {
                    u += char(0xC0 | (cp >> 6));
                    u += char(0x80 | (cp & 0x3F));
                } else {
                    u += char(0xE0 | (cp >> 12));
                    u += char(0x80 | ((cp >> 6) & 0x3F));
                    u += char(0x80 | (cp & 0x3F));
                }
                out += Utf8ToCp1250(u);
                i = k - 1;
                continue;
            }
        }
        out += S[i];
    }
    return out;
}

std::string TDxfReader::TextValue(std::string_view Raw) const {
    std::string s(Raw);
    if (Utf8) s = Utf8ToCp1250(s);
    if (s.find("\\U+") != std::string::npos || s.find("\\u+") != std::string::npos) s = DecodeUnicodeEscapes(s);
    return s;
}

// ---- the pass over the file ----

void TDxfReader::Read() {
    enum class TSec { None, Header, Tables, Blocks, Entities, Other } sec = TSec::None;
    TDxfPair p;
    while (!TooMany && Cur.Next(p)) {
        if (p.Code == DxfBadCode) {
            Error(p.Line, "group code is not an integer");
            continue;
        }
        if (p.Code != 0) {
            if (sec == TSec::Header && p.Code == 9 && DxfIs(p.Raw, "$ACADVER")) {
                TDxfPair v;
                if (Cur.Next(v) && v.Code == 1)
                    Utf8 = ReadDxfLine(v.Raw) >= "AC1021";
                else
                    Cur.Unget(v);
            }
            if (sec == TSec::Header && p.Code == 9 && DxfIs(p.Raw, "$INSUNITS")) {
                TDxfPair v;
                int32_t u = 0;
                if (Cur.Next(v) && v.Code == 70 && DxfInt(v.Raw, u)) {
                    Units = u;
                    UnitScale = DxfUnitToMm(u);
                } else {
                    Cur.Unget(v);
                }
            }
            continue;
        }
        const std::string kw = ReadDxfLine(p.Raw);
        if (kw == "EOF") {
            SawEof = true;
            break;
        }
        if (kw == "SECTION") {
            TDxfPair n;
            if (!Cur.Next(n)) break;
            if (n.Code != 2) {
                Cur.Unget(n);
                continue;
            }
            const std::string name = ReadDxfLine(n.Raw);
            sec = name == "HEADER"     ? TSec::Header
                  : name == "TABLES"   ? TSec::Tables
                  : name == "BLOCKS"   ? TSec::Blocks
                  : name == "ENTITIES" ? TSec::Entities
                                       : TSec::Other;
            continue;
        }
        if (kw == "ENDSEC") {
            sec = TSec::None;
            Defining = nullptr;
            continue;
        }
        if (sec == TSec::Tables && kw == "STYLE") {
            Style();
        } else if (sec == TSec::Blocks) {
            if (kw == "BLOCK")
                BeginBlock();
            else if (kw == "ENDBLK")
                Defining = nullptr;
            else if (Defining)
                Entity(kw, *Defining);
        } else if (sec == TSec::Entities) {
            Entity(kw, Model);
        }
    }
}

void TDxfReader::Style() {
    TStyle s;
    bool mirror = false;
    const bool ok = Fields([&](const TDxfPair& p) {
        int32_t i = 0;
        switch (p.Code) {
            case 2: s.Name = ReadDxfLine(p.Raw); return true;
            case 3: s.File = ReadDxfLine(p.Raw); return true;
            case 40: return Num(p, s.Height);
            case 41: return Num(p, s.Width);
            case 50: return Num(p, s.Oblique);
            case 71: mirror = Int(p, i) && i; return true;
            default: return true;
        }
    });
    if (!ok || s.Name.empty() || int32_t(Styles.size()) >= DxfMaxStyles) return;
    if (s.Width < 0.1) s.Width = 1;
    // The font file's name without folder and extension.
    const size_t slash = s.File.find_last_of("\\/");
    if (slash != std::string::npos) s.File.erase(0, slash + 1);
    const size_t dot = s.File.find('.');
    if (dot != std::string::npos) s.File.erase(dot);
    StyleIdx.emplace(s.Name, int32_t(Styles.size()));  // the first of a name is found
    Styles.push_back(s);
}

void TDxfReader::BeginBlock() {
    TBlock b;
    Fields([&](const TDxfPair& p) {
        switch (p.Code) {
            case 2: b.Name = ReadDxfLine(p.Raw); return true;
            case 10: return Num(p, b.Base.x);
            case 20: return Num(p, b.Base.y);
            default: return true;
        }
    });
    Defining = nullptr;
    if (int32_t(Blocks.size()) >= DxfMaxBlocks) {
        Error(Cur.LineNo(), "too many blocks");
        return;
    }
    BlockIdx.emplace(b.Name, int32_t(Blocks.size()));  // the first of a name is found
    Blocks.push_back(std::move(b));
    Defining = &Blocks.back();
}

void TDxfReader::Entity(const std::string& Kind, TBlock& B) {
    Paper = false;
    if (Kind == "POINT") return Point(B);
    if (Kind == "LINE") return Line(B);
    if (Kind == "CIRCLE") return Circle(B);
    if (Kind == "ARC") return Arc(B);
    if (Kind == "POLYLINE") return Polyline(B);
    if (Kind == "LWPOLYLINE") return LwPolyline(B);
    if (Kind == "TEXT") return Text(B, false);
    if (Kind == "MTEXT") return Text(B, true);
    if (Kind == "INSERT") return Insert(B);
    // The closing records of polylines and attributes carry nothing on their own.
    if (Kind == "SEQEND" || Kind == "VERTEX" || Kind.empty()) return;
    Fields([](const TDxfPair&) { return true; });
    // Paper space (title blocks, viewports) is not part of the drawing.
    if (!Paper) ++B.Skipped[Kind.substr(0, 40)];
}

void TDxfReader::Made(TBlock& B, TObjHeader* Before, bool Mirror) {
    if (Paper) {
        // Paper space: made and dropped, the drawing is model space only.
        for (TObjHeader* p = Before ? Before->Next : B.First; p;) {
            TObjHeader* next = p->Next;
            DeleteObj(p, B.First, B.Last);
            p = next;
        }
        return;
    }
    for (TObjHeader* p = Before ? Before->Next : B.First; p; p = p->Next) {
        if (Mirror) MirrorObj(p, Osy{0, 0}, Osy{0, 1});
        B.Items.push_back(TItem{p, -1});
        if (++Records > DxfMaxObjects) TooMany = true;
        Count(p);
    }
}

// ---- entities ----

// A polyline P of the list F..L through the vertex filter Tol, replaced when the filter
// drops a vertex (by a point when none is left).
void RefilterPline(TObjHeader* P, TObjHeader*& F, TObjHeader*& L, Extended Tol) {
    if (P->Type != ObjPline) return;
    const int32_t n = PlineSegCount(P);
    const TPlineSeg* g = PlineSegs(P);
    StartObj(AsPline(P)->S);
    int32_t kept = 0;
    for (int32_t i = 0; i < n; ++i) kept += AddSeg(g[i].E, g[i].Alfa, Tol);
    if (kept == n) {
        ResetBuilder();
        return;
    }
    TObjHeader *nf = nullptr, *nl = nullptr;
    if (TObjHeader* q = MakeObj(P->Layer, nf, nl)) {
        q->Flags = P->Flags;
        ReplaceObj(P, q, F, L);
    }
}

// Lines, circles and arcs meet the vertex filter as the polylines of the file do: they
// are written as polylines, and read again they must not lose a vertex.
void RefilterMade(TBlock& B, TObjHeader* Before, Extended Tol) {
    for (TObjHeader* p = Before ? Before->Next : B.First; p;) {
        TObjHeader* next = p->Next;
        RefilterPline(p, B.First, B.Last, Tol);
        p = next;
    }
}

void TDxfReader::Point(TBlock& B) {
    uint8_t layer = LayerOrig;
    Osy p;
    if (!Fields([&](const TDxfPair& f) {
            switch (f.Code) {
                case 8: layer = Layer(f.Raw); return true;
                case 10: return Num(f, p.x);
                case 20: return Num(f, p.y);
                default: return true;
            }
        }))
        return;
    TObjHeader* before = B.Last;
    EnPoint.Add(p, layer, B.First, B.Last);
    Made(B, before, false);
}

void TDxfReader::Line(TBlock& B) {
    uint8_t layer = LayerOrig;
    Osy s, e;
    if (!Fields([&](const TDxfPair& f) {
            switch (f.Code) {
                case 8: layer = Layer(f.Raw); return true;
                case 10: return Num(f, s.x);
                case 20: return Num(f, s.y);
                case 11: return Num(f, e.x);
                case 21: return Num(f, e.y);
                default: return true;
            }
        }))
        return;
    TObjHeader* before = B.Last;
    EnPline.LineAdd(s, e, layer, B.First, B.Last);
    RefilterMade(B, before, VertexTol());
    Made(B, before, false);
}

void TDxfReader::Circle(TBlock& B) {
    uint8_t layer = LayerOrig;
    Osy c;
    Extended r = 0, ez = 1;
    if (!Fields([&](const TDxfPair& f) {
            switch (f.Code) {
                case 8: layer = Layer(f.Raw); return true;
                case 10: return Num(f, c.x);
                case 20: return Num(f, c.y);
                case 40: return Num(f, r);
                case 230: return Num(f, ez);
                default: return true;
            }
        }))
        return;
    if (r < CoordTol) return;
    TObjHeader* before = B.Last;
    EnPline.CircleAdd(c, r, layer, B.First, B.Last);
    RefilterMade(B, before, VertexTol());
    Made(B, before, ez < 0);
}

void TDxfReader::Arc(TBlock& B) {
    uint8_t layer = LayerOrig;
    Osy c;
    Extended r = 0, a1 = 370, a2 = 370, ez = 1;
    if (!Fields([&](const TDxfPair& f) {
            switch (f.Code) {
                case 8: layer = Layer(f.Raw); return true;
                case 10: return Num(f, c.x);
                case 20: return Num(f, c.y);
                case 40: return Num(f, r);
                case 50: return Num(f, a1);
                case 51: return Num(f, a2);
                case 230: return Num(f, ez);
                default: return true;
            }
        }))
        return;
    if (r < CoordTol || a1 > 360 || a2 > 360 || a1 == a2) return;
    Extended incl = a2 - a1;
    if (incl < 0) incl += 360;
    auto At = [&](Extended Deg) { return Osy{c.x + r * std::cos(Deg * DegToRad), c.y + r * std::sin(Deg * DegToRad)}; };
    TObjHeader* before = B.Last;
    if (incl > 180) {
        // Two arcs: one segment of a polyline turns less than half a circle.
        const Extended mid = a1 + incl / 2;
        EnPline.ArcAdd(At(a1), At(mid), incl / 2 * DegToRad, layer, B.First, B.Last);
        EnPline.ArcAdd(At(mid), At(a2), incl / 2 * DegToRad, layer, B.First, B.Last);
    } else {
        EnPline.ArcAdd(At(a1), At(a2), incl * DegToRad, layer, B.First, B.Last);
    }
    RefilterMade(B, before, VertexTol());
    Made(B, before, ez < 0);
}

void TDxfReader::MakePline(TBlock& B, uint8_t Layer, const std::vector<TVertex>& V, bool Closed, bool Mirror) {
    if (V.empty()) return;
    // The vertex filter is a length in millimetres; the file counts in its own unit.
    const Extended tol = VertexTol();
    StartObj(V[0].P);
    for (size_t i = 1; i < V.size(); ++i) AddSeg(V[i].P, 4 * std::atan(V[i - 1].Bulge), tol);
    if (Closed) AddSeg(V[0].P, 4 * std::atan(V.back().Bulge), tol);
    TObjHeader* before = B.Last;
    MakeObj(Layer, B.First, B.Last);
    Made(B, before, Mirror);
}

void TDxfReader::Polyline(TBlock& B) {
    uint8_t layer = LayerOrig;
    int32_t flags = 0;
    Extended ez = 1;
    bool ok = Fields([&](const TDxfPair& f) {
        switch (f.Code) {
            case 8: layer = Layer(f.Raw); return true;
            case 70: return Int(f, flags);
            case 230: return Num(f, ez);
            default: return true;
        }
    });
    std::vector<TVertex> v;
    TDxfPair p;
    while (Cur.Next(p)) {
        if (p.Code != 0 || !DxfIs(p.Raw, "VERTEX")) break;
        TVertex x;
        int32_t vflags = 0;
        const bool vok = Fields([&](const TDxfPair& f) {
            switch (f.Code) {
                case 10: return Num(f, x.P.x);
                case 20: return Num(f, x.P.y);
                case 42: return Num(f, x.Bulge);
                case 70: return Int(f, vflags);
                default: return true;
            }
        });
        // Control points of a spline-fit polyline are not on its path.
        if (vok && !(vflags & 16)) v.push_back(x);
        if (!vok) ok = false;
    }
    if (p.Code == 0 && DxfIs(p.Raw, "SEQEND"))
        Fields([](const TDxfPair&) { return true; });
    else
        Cur.Unget(p);
    if (flags & (16 | 64)) {
        if (!Paper) ++B.Skipped["POLYLINE (mesh)"];
        return;
    }
    if (ok) MakePline(B, layer, v, flags & 1, ez < 0);
}

void TDxfReader::LwPolyline(TBlock& B) {
    uint8_t layer = LayerOrig;
    int32_t flags = 0;
    Extended ez = 1;
    std::vector<TVertex> v;
    if (!Fields([&](const TDxfPair& f) {
            if (f.Code == 10) v.emplace_back();
            switch (f.Code) {
                case 8: layer = Layer(f.Raw); return true;
                case 70: return v.empty() ? Int(f, flags) : true;
                case 230: return Num(f, ez);
                case 10: return Num(f, v.back().P.x);
                case 20: return v.empty() || Num(f, v.back().P.y);
                case 42: return v.empty() || Num(f, v.back().Bulge);
                default: return true;
            }
        }))
        return;
    MakePline(B, layer, v, flags & 1, ez < 0);
}

void TDxfReader::Text(TBlock& B, bool Multi) {
    std::string text, style = "STANDARD";
    uint8_t layer = LayerOrig;
    Osy p1, p2, dir;
    bool has11 = false, has21 = false;
    Extended h = 0, w = 0, rot = 0, slant = 0, ez = 1;
    bool hasH = false, hasW = false, hasSlant = false, hasRot = false;
    int32_t f71 = Multi ? 7 : 0, f72 = 0, f73 = 0;
    if (!Fields([&](const TDxfPair& f) {
            switch (f.Code) {
                case 1: text = TextValue(f.Raw); return true;
                case 7: style = ReadDxfLine(f.Raw); return true;
                case 8: layer = Layer(f.Raw); return true;
                case 10: return Num(f, p1.x);
                case 20: return Num(f, p1.y);
                case 11: has11 = true; return Num(f, Multi ? dir.x : p2.x);
                case 21: has21 = true; return Num(f, Multi ? dir.y : p2.y);
                case 40: hasH = true; return Num(f, h);
                case 41: hasW = !Multi; return Multi || Num(f, w);
                case 50: hasRot = true; return Num(f, rot);
                case 51: hasSlant = !Multi; return Multi || Num(f, slant);
                case 71: return Int(f, f71);
                case 72: return Multi || Int(f, f72);
                case 73: return Multi || Int(f, f73);
                case 230: return Num(f, ez);
                default: return true;
            }
        }))
        return;
    const size_t nul = text.find('\0');
    if (nul != std::string::npos) text.erase(nul);
    // "^" before the letter 0xC0 stands for the character 0x80.
    std::string clean;
    clean.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const bool caret = text[i] == '^' && i + 1 < text.size() && text[i + 1] == '\xC0';
        clean += caret ? (Multi ? '?' : '\x80') : text[i];
        i += caret;
    }
    text.swap(clean);
    text = DxfTextCodes(text, Multi);
    auto st = StyleIdx.find(style);
    if (st == StyleIdx.end()) return;
    const TStyle& S = Styles[st->second];
    // A style without a font file still has a text: it gets the default font.
    const bool noFont = S.File.empty();

    ParText& T = WorkText;
    T.Text = text;
    T.Justify = 0;
    const std::string shp = S.File + ".SHP";
    if (noFont) {
        T.JmFontu = IntFontName;
        if (!Paper) ++NoFontTexts;
    } else if (FindFont(shp) >= 0) {
        T.JmFontu = shp;
    } else {
        bool found = false;
        if (!Multi && TextDialog)
            for (const std::string& name : TextDialog->FontList())
                if (UpCaseStr(name) == UpCaseStr(S.File)) {
                    T.JmFontu = name;
                    T.Justify = JustifyTrueType;
                    found = true;
                    break;
                }
        if (!found) {
            T.JmFontu = IntFontName;
            MissingFont = true;
        }
    }
    T.Vyska = hasH ? h : S.Height;
    T.WidthFactor = hasW ? w : S.Width;
    if (T.WidthFactor < 0.1) T.WidthFactor = 1;
    T.Zkos = (Multi || !hasSlant ? S.Oblique : slant) * DegToRad;
    // Without a rotation a multi-line text may give its direction as a vector.
    if (Multi && !hasRot && has11 && has21 && (dir.x != 0 || dir.y != 0))
        T.Rotate = NormAngleOf(std::atan2(dir.y, dir.x));
    else
        T.Rotate = NormAngleOf(rot * DegToRad);
    T.MirrorY = false;
    T.Origin = p1;
    uint8_t just = 0;
    if (Multi) {
        static const uint8_t ByAttachment[10] = {0, 6, 7, 8, 3, 4, 5, 0, 1, 2};
        if (f71 >= 1 && f71 <= 9) just = ByAttachment[f71];
    } else {
        if (f71 & 4) T.MirrorY = true;
        if (f71 & 2) {
            T.MirrorY = !T.MirrorY;
            T.Rotate = NormAngleOf(T.Rotate + GeomPi);
        }
        if (has11 && has21) {
            const int v = f73 >= 1 && f73 <= 3 ? f73 - 1 : 0;
            const int hz = f72 >= 0 && f72 <= 2 ? f72 : 0;
            just = uint8_t(3 * v + hz);
            if (f73 == 0 && f72 == 4) just += 4;
            if (f73 == 0 && f72 == 5) {
                just = 1;
                p2 = Osy{(p1.x + p2.x) / 2, (p1.y + p2.y) / 2};
            }
            T.Origin = p2;
        }
    }
    T.Justify |= just;
    T.AdrGroup = nullptr;
    TObjHeader* before = B.Last;
    EnText.Add(layer, B.First, B.Last, false);
    Made(B, before, ez < 0);
}

// The plane's x and y axes, seen from above, of the extrusion direction (Nx, Ny, Nz)
// by the arbitrary-axis rule; false for a direction of zero length.
bool OcsAxes(Extended Nx, Extended Ny, Extended Nz, Osy& Ax, Osy& Ay) {
    const Extended n = std::sqrt(Nx * Nx + Ny * Ny + Nz * Nz);
    if (!(n > 1e-12L) || !std::isfinite(n)) return false;
    Nx /= n, Ny /= n, Nz /= n;
    Extended ax, ay, az;
    if (std::fabs(Nx) < 1.0L / 64 && std::fabs(Ny) < 1.0L / 64)
        ax = Nz, ay = 0, az = -Nx;  // world y cross N
    else
        ax = -Ny, ay = Nx, az = 0;  // world z cross N
    const Extended a = std::sqrt(ax * ax + ay * ay + az * az);
    ax /= a, ay /= a, az /= a;
    Ax = Osy{ax, ay};
    Ay = Osy{Ny * az - Nz * ay, Nz * ax - Nx * az};  // N cross Ax
    return true;
}

void TDxfReader::Insert(TBlock& B) {
    TInsert ins;
    ins.Line = Cur.LineNo();
    Extended ex = 0, ey = 0, ez = 1;
    if (!Fields([&](const TDxfPair& f) {
            switch (f.Code) {
                case 2: ins.Name = ReadDxfLine(f.Raw); return true;
                case 8: ins.Layer = Layer(f.Raw); return true;
                case 10: return Num(f, ins.P.x);
                case 20: return Num(f, ins.P.y);
                case 41: return Num(f, ins.Sx);
                case 42: return Num(f, ins.Sy);
                case 50: return Num(f, ins.Rot);
                case 210: return Num(f, ex);
                case 220: return Num(f, ey);
                case 230: return Num(f, ez);
                default: return true;
            }
        }))
        return;
    if (ins.Name.empty() || Paper) return;
    if (std::fabs(ins.Sx) < 1e-9 || std::fabs(ins.Sy) < 1e-9) {
        Error(ins.Line, "block reference with scale 0 (" + ins.Name + ")");
        return;
    }
    if (!OcsAxes(ex, ey, ez, ins.Ax, ins.Ay)) {
        Error(ins.Line, "block reference without an extrusion direction (" + ins.Name + ")");
        return;
    }
    B.Items.push_back(TItem{nullptr, int32_t(B.Inserts.size())});
    B.Inserts.push_back(std::move(ins));
}

// ---- references ----

void SetObjLayer(TObjHeader* P, uint8_t Layer) {
    if (P->Type == ObjGroup)
        EnGroup.ChangeLayer(P, Layer);
    else
        P->Layer = Layer;
}

void TDxfReader::Expand(int32_t K, uint8_t Override, TObjHeader*& F, TObjHeader*& L, int32_t Depth) {
    Blocks[K].Active = true;
    for (const auto& [Kind, N] : Blocks[K].Skipped) Skipped[Kind] += N;
    for (const TItem& it : Blocks[K].Items) {
        if (TooMany || ++Records > DxfMaxObjects) {
            TooMany = true;
            break;
        }
        if (it.Obj) {
            // Counted before it is copied: a reference bomb stops before the memory runs out.
            if (!Count(it.Obj)) break;
            if (TObjHeader* c = CopyIdentObj(it.Obj, F, L)) {
                c->Flags &= ~FlagSelected;
                if (Override) SetObjLayer(c, Override);
            }
        } else {
            InsertInto(Blocks[K].Inserts[it.Insert], Override, F, L, Depth + 1);
        }
    }
    Blocks[K].Active = false;
}

// From the reference's plane to the drawing, seen from above: the 2 x 2 map whose
// columns are the plane's axes, taken apart into a mirror (a plane seen from below), a
// turn, a scale along two axes and a second turn. Exact for lines and points of any
// extrusion; the identity for +z.
void ToWorld(TObjHeader*& P, const TInsert& Ins, TObjHeader*& F, TObjHeader*& L) {
    Extended a = Ins.Ax.x, b = Ins.Ay.x, c = Ins.Ax.y, d = Ins.Ay.y;
    if (b == 0 && c == 0 && d == 1 && (a == 1 || a == -1)) {
        if (a < 0) MirrorObj(P, Osy{0, 0}, Osy{0, 1});  // seen from below
        return;
    }
    if (a * d - b * c < 0) {
        MirrorObj(P, Osy{0, 0}, Osy{1, 0});
        b = -b, d = -d;
    }
    const Extended E = (a + d) / 2, Fm = (a - d) / 2, G = (c + b) / 2, H = (c - b) / 2;
    const Extended Q = std::hypot(E, H), R = std::hypot(Fm, G);
    const Extended s1 = Q + R, s2 = Q - R;
    const Extended a1 = std::atan2(G, Fm), a2 = std::atan2(H, E);
    const Extended first = (a2 - a1) / 2, second = (a2 + a1) / 2;
    if (first != 0) RotateObj(P, Osy{0, 0}, first);
    if (std::fabs(s1 - 1) > 1e-15L || std::fabs(s2 - 1) > 1e-15L) NpropScaleObj(P, Osy{0, 0}, Osy{s1, s2}, F, L, false, P);
    if (second != 0) RotateObj(P, Osy{0, 0}, second);
}

// The vertex filter once more after a reference's scale and turn: its polylines met
// the filter in the block's own coordinates, and shrunk, turned or bent into arcs
// their vertices may come closer than it; the drawing written and read again would
// then lose them.
void RefilterPlines(TObjHeader*& F, TObjHeader*& L, Extended Tol) {
    for (TObjHeader* p = F; p;) {
        TObjHeader* next = p->Next;
        if (p->Type == ObjGroup)
            RefilterPlines(AsGroup(p)->First, AsGroup(p)->Last, Tol);
        else
            RefilterPline(p, F, L, Tol);
        p = next;
    }
}

void TDxfReader::InsertInto(const TInsert& Ins, uint8_t Override, TObjHeader*& F, TObjHeader*& L, int32_t Depth) {
    auto k = BlockIdx.find(Ins.Name);
    if (k == BlockIdx.end() || TooMany) return;  // an unknown block inserts nothing
    if (Blocks[k->second].Active) {
        Error(Ins.Line, "block " + Ins.Name + " refers to itself");
        return;
    }
    if (Depth > DxfMaxInsertDepth) {
        Error(Ins.Line, "block references nested deeper than " + std::to_string(DxfMaxInsertDepth));
        return;
    }
    const uint8_t over = Override ? Override : (Ins.Name[0] == '*' ? Ins.Layer : 0);
    TObjHeader *tf = nullptr, *tl = nullptr;
    Expand(k->second, over, tf, tl, Depth);
    if (TooMany) {
        // Every copy and every nested reference counts: a reference bomb stops at the
        // limit, and what it had made so far is dropped.
        FreeObjList(tf, tl);
        if (Depth == 0) Error(Ins.Line, "block reference " + Ins.Name + " is over the limits of one read");
        return;
    }
    // Scaled about the base point, rotated, then put at the insertion point.
    const Osy base = Blocks[k->second].Base;
    const Extended ax = std::fabs(Ins.Sx), ay = std::fabs(Ins.Sy);
    const bool uniform = std::fabs(ax - ay) <= 1e-12L * std::max(ax, ay);
    for (TObjHeader* p = tf; p;) {
        TObjHeader* next = p->Next;
        MoveObj(p, Osy{-base.x, -base.y});
        if (uniform && ax != 1)
            ScaleObj(p, Osy{0, 0}, ax);
        else if (!uniform)
            NpropScaleObj(p, Osy{0, 0}, Osy{ax, ay}, tf, tl, false, p);
        if (Ins.Sx < 0) MirrorObj(p, Osy{0, 0}, Osy{0, 1});
        if (Ins.Sy < 0) MirrorObj(p, Osy{0, 0}, Osy{1, 0});
        if (Ins.Rot != 0) RotateObj(p, Osy{0, 0}, Ins.Rot * DegToRad);
        MoveObj(p, Ins.P);
        ToWorld(p, Ins, tf, tl);
        p = next;
    }
    RefilterPlines(tf, tl, VertexTol());
    ConcatObjLists(F, L, tf, tl);
}

void TDxfReader::Resolve(TObjHeader*& OutFirst, TObjHeader*& OutLast) {
    for (const auto& [Kind, N] : Model.Skipped) Skipped[Kind] += N;
    for (const TItem& it : Model.Items) {
        if (it.Obj) {
            UnlinkObj(it.Obj, Model.First, Model.Last);
            AppendObj(it.Obj, OutFirst, OutLast);
            continue;
        }
        const TInsert& ins = Model.Inserts[it.Insert];
        TObjHeader *gf = nullptr, *gl = nullptr;
        InsertInto(ins, 0, gf, gl, 0);
        if (!gf) continue;
        if (TObjHeader* g = MakeGroup(false, gf, gl)) {
            g->Layer = ins.Layer;
            AppendObj(g, OutFirst, OutLast);
        }
    }
}

}  // namespace

uint8_t DxfLayerToLayer(const std::string& Name) {
    const std::string up = UpCaseStr(Name);
    if (!up.empty())
        for (int i = 1; i <= LayerCount; ++i)
            if (UpCaseStr(Glob.TabLayer[i].Name) == up) return uint8_t(i);
    size_t b = up.size();
    while (b > 0 && up[b - 1] >= '0' && up[b - 1] <= '9') --b;
    int n = 0;
    for (size_t i = b; i < up.size(); ++i) {
        n = n * 10 + (up[i] - '0');
        if (n > LayerCount) return LayerOrig;
    }
    return b < up.size() && n >= 1 ? uint8_t(n) : uint8_t(LayerOrig);
}

bool LoadDxf(const std::string& FileName, Osy& Min, Osy& Max) {
    WriteLog("Sys:Load DXF Start (" + FileName + ")");
    Min = Osy{1000000, 1000000};
    Max = Osy{-1000000, -1000000};
    std::string bytes;
    bool read = false;
    try {
        read = TextFileExists(FileName) && ReadFileBytes(FileName, bytes);
    } catch (const std::bad_alloc&) {
        WriteLog("Err:FAILED Load DXF, out of memory, nothing imported");
        ShowMessage("Pro výkres DXF není dost paměti, nic nebylo načteno.");
        WriteLog("Sys:Load DXF End");
        return false;
    }
    if (!read) {
        WriteLog("Err:FAILED Load DXF, file not found");
        ShowMessage(Msg[29]);
        WriteLog("Sys:Load DXF End");
        return false;
    }
    if (bytes.compare(0, 18, "AutoCAD Binary DXF") == 0) {
        WriteLog("Err:FAILED Load DXF, binary DXF is not read");
        ShowMessage("Binární DXF nelze načíst, uložte výkres jako textové DXF.");
        WriteLog("Sys:Load DXF End");
        return false;
    }
    // Some editors put a UTF-8 byte order mark before the first group code.
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    TObjHeader *first = nullptr, *last = nullptr;
    bool ok = true;
    std::vector<std::string> notes;
    const Extended keptFiltr = Glob.InputFiltr;
    try {
        TDxfReader r(bytes);
        r.Read();
        if (!r.SawEof && !r.TooMany) {
            WriteLog("Err:FAILED Load DXF, file ends at line " + std::to_string(r.LastLine()) +
                     " without EOF, nothing imported");
            notes.push_back("Soubor DXF je neúplný (končí na řádku " + std::to_string(r.LastLine()) +
                            "), nic nebylo načteno.");
            ok = false;
        } else if (!r.TooMany) {
            r.Resolve(first, last);
        }
        if (r.TooMany) {
            // A file over the limits is refused whole: a part of a drawing is no drawing.
            FreeObjList(first, last);
            WriteLog("Err:FAILED Load DXF, more than " + std::to_string(DxfMaxObjects) + " objects, " +
                     std::to_string(DxfMaxVertices) + " vertices or " + std::to_string(DxfMaxBytes >> 20) +
                     " MB, nothing imported");
            notes.push_back("Výkres DXF je příliš velký (více než " + std::to_string(DxfMaxVertices) +
                            " bodů nebo " + std::to_string(DxfMaxBytes >> 20) + " MB), nic nebylo načteno.");
            ok = false;
        }
        if (ok && !r.Skipped.empty()) {
            std::string kinds;
            for (const auto& [k, n] : r.Skipped) kinds += (kinds.empty() ? "" : ", ") + k + " (" + std::to_string(n) + ")";
            WriteLog("Err:DXF entities not imported: " + kinds);
            notes.push_back("Nenačtené prvky DXF: " + kinds);
        }
        if (r.ErrorCount > 0) {
            if (r.ErrorCount > MaxErrorLines)
                WriteLog("Err:DXF " + std::to_string(r.ErrorCount - MaxErrorLines) + " more errors");
            notes.push_back("Chybné údaje v DXF: " + std::to_string(r.ErrorCount) + " (viz log)");
        }
        if (ok && r.UnitScale > 0 && r.UnitScale != 1) {
            for (TObjHeader* p = first; p; p = p->Next) ScaleObj(p, Osy{0, 0}, r.UnitScale);
            const std::string f = ExtToStr(r.UnitScale);
            WriteLog("Sys:DXF units " + std::to_string(r.Units) + ", scaled by " + f + " to millimetres");
            notes.push_back("Výkres DXF je v jednotkách " + DxfUnitName(r.Units) + ", převeden na milimetry (měřítko " + f + ").");
        }
        if (ok && r.NoFontTexts > 0) {
            WriteLog("Err:DXF texts without a font: " + std::to_string(r.NoFontTexts) + ", using YF01.shp");
            notes.push_back("Texty DXF bez písma (" + std::to_string(r.NoFontTexts) + ") mají výchozí písmo.");
        }
        if (ok && r.MissingFont) {
            WriteLog("Err:missing font, using YF01.shp");
            notes.push_back(Msg[35] + "\r\n" + Msg[36]);
        }
    } catch (const std::bad_alloc&) {
        // The memory ran out: what was read goes, the drawing stays as it was.
        FreeObjList(first, last);
        WriteLog("Err:FAILED Load DXF, out of memory, nothing imported");
        notes.assign(1, "Pro výkres DXF není dost paměti, nic nebylo načteno.");
        ok = false;
    }
    Glob.InputFiltr = keptFiltr;
    for (TObjHeader* p = first; p; p = p->Next) {
        Osy a, b;
        EnvelopeObj(p, a, b);
        Min = Osy{std::min(Min.x, a.x), std::min(Min.y, a.y)};
        Max = Osy{std::max(Max.x, b.x), std::max(Max.y, b.y)};
    }
    ConcatObjLists(MainVars.DataStart, MainVars.DataEnd, first, last);
    if (!notes.empty()) {
        std::string text;
        for (const std::string& n : notes) text += (text.empty() ? "" : "\r\n") + n;
        ShowMessage(text);
    }
    WriteLog("Sys:Load DXF End");
    return ok;
}
