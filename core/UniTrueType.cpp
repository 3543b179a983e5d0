#include "core/UniTrueType.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdlib>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

#include "core/Builder.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/UniGeom.h"
#include "core/UniGroup.h"
#include "core/UniLog.h"
#include "core/UniBezier.h"

namespace {

FT_Library Library() {
    static FT_Library lib = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
    }
    return lib;
}

// Provisional layer of glyph polylines; the text's own layer replaces it.
constexpr uint8_t GlyphLayer = 1;

// Glyph units of the cell height.
constexpr Extended CellHeight = 1000;

}  // namespace

// A glyph's outline as built once: texts repeat the same few glyphs, and building
// (loading the glyph and fitting arcs to its curves) costs far more than copying.
struct TCachedGlyph {
    std::vector<TObjHeader*> Plines;  // owned, linked into no list
    Extended Advance = 0;
};

struct TTrueTypeFace::TImpl {
    FT_Face Face = nullptr;
    std::string File;
    Extended Scale = 1;
    bool Embolden = false;
    bool Oblique = false;
    std::map<std::pair<uint8_t, Extended>, TCachedGlyph> Glyphs;  // by character and tolerance
    ~TImpl() {
        for (auto& [Key, G] : Glyphs)
            for (TObjHeader* p : G.Plines) FreeObjBlock(p);
        if (Face) FT_Done_Face(Face);
    }
};

TTrueTypeFace::TTrueTypeFace() : Impl(std::make_unique<TImpl>()) {}
TTrueTypeFace::~TTrueTypeFace() = default;

bool TTrueTypeFace::Ok() const { return Impl->Face != nullptr; }
const std::string& TTrueTypeFace::FileName() const { return Impl->File; }
Extended TTrueTypeFace::Scale() const { return Impl->Scale; }

bool TTrueTypeFace::Open(const std::string& FileName, int Index, bool Bold, bool Italic) {
    Impl = std::make_unique<TImpl>();
    FT_Library lib = Library();
    if (!lib || FT_New_Face(lib, FileName.c_str(), Index, &Impl->Face) != 0) {
        Impl->Face = nullptr;
        return false;
    }
    FT_Face f = Impl->Face;
    if (!FT_IS_SCALABLE(f)) {
        FT_Done_Face(f);
        Impl->Face = nullptr;
        return false;
    }
    FT_Select_Charmap(f, FT_ENCODING_UNICODE);
    Impl->File = FileName;
    // The cell height is the Windows ascent + descent, else the typographic pair.
    Extended cell = 0;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2)))
        cell = Extended(os2->usWinAscent) + Extended(os2->usWinDescent);
    if (cell <= 0) cell = Extended(f->ascender) - Extended(f->descender);
    if (cell <= 0) cell = f->units_per_EM > 0 ? f->units_per_EM : 1000;
    Impl->Scale = CellHeight / cell;
    Impl->Embolden = Bold && !(f->style_flags & FT_STYLE_FLAG_BOLD);
    Impl->Oblique = Italic && !(f->style_flags & FT_STYLE_FLAG_ITALIC);
    return true;
}

FcPattern* MatchScalableFace(const std::string& Family, bool Styled, bool Bold, bool Italic) {
    FcPattern* pat = FcPatternCreate();
    if (!pat) return nullptr;
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(Family.c_str()));
    if (Styled) {
        FcPatternAddInteger(pat, FC_WEIGHT, Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pat, FC_SLANT, Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    }
    FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult res;
    FcPattern* match = FcFontMatch(nullptr, pat, &res);
    FcPatternDestroy(pat);
    return match;
}

bool TTrueTypeFace::Select(const std::string& FaceName, bool Bold, bool Italic) {
    Impl = std::make_unique<TImpl>();
    static bool fcReady = false;
    if (!fcReady) {
        if (!FcInit()) return false;
        fcReady = true;
        std::atexit(FcFini);  // fontconfig keeps its configuration until told to let go
    }
    FcPattern* match = MatchScalableFace(Cp1250ToUtf8(FaceName), true, Bold, Italic);
    if (!match) return false;
    FcChar8* file = nullptr;
    int index = 0;
    bool ok = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    std::string path = ok ? reinterpret_cast<const char*>(file) : "";
    FcPatternDestroy(match);
    return ok && Open(path, index, Bold, Italic);
}

uint32_t Cp1250CodePoint(uint8_t Ch) {
    std::string u = Cp1250ToUtf8(std::string(1, char(Ch)));
    const auto* b = reinterpret_cast<const unsigned char*>(u.data());
    if (u.size() == 1) return b[0];
    if (u.size() == 2) return ((b[0] & 0x1F) << 6) | (b[1] & 0x3F);
    if (u.size() == 3) return ((b[0] & 0x0F) << 12) | ((b[1] & 0x3F) << 6) | (b[2] & 0x3F);
    return '?';
}

static FT_UInt GlyphIndex(FT_Face F, uint8_t Ch) { return FT_Get_Char_Index(F, Cp1250CodePoint(Ch)); }

Extended TTrueTypeFace::Kerning(uint8_t First, uint8_t Second) const {
    FT_Face f = Impl->Face;
    if (!f || !FT_HAS_KERNING(f)) return 0;
    FT_Vector k{0, 0};
    if (FT_Get_Kerning(f, GlyphIndex(f, First), GlyphIndex(f, Second), FT_KERNING_UNSCALED, &k) != 0) return 0;
    return Extended(k.x) * Impl->Scale;
}

namespace {

struct TPt {
    Osy P;
    char Tag;  // FT_CURVE_TAG_ON, _CONIC or _CUBIC
};

Osy Mid(const Osy& A, const Osy& B) { return Osy{(A.x + B.x) / 2, (A.y + B.y) / 2}; }

// One contour, from an on-curve point round to it again.
void BuildContour(std::vector<TPt> Pts, Extended Err, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    size_t n = Pts.size();
    if (n < 2) return;
    size_t s = 0;
    while (s < n && Pts[s].Tag != FT_CURVE_TAG_ON) ++s;
    std::vector<TPt> seq;
    if (s == n) {  // only control points: start between the last and the first
        TPt start{Mid(Pts[n - 1].P, Pts[0].P), FT_CURVE_TAG_ON};
        seq.push_back(start);
        seq.insert(seq.end(), Pts.begin(), Pts.end());
        seq.push_back(start);
    } else {
        for (size_t k = 0; k <= n; ++k) seq.push_back(Pts[(s + k) % n]);
    }
    Osy p0 = seq[0].P;
    StartObj(p0);
    size_t i = 1;
    while (i < seq.size()) {
        const TPt& q = seq[i];
        if (q.Tag == FT_CURVE_TAG_CONIC) {
            // Quadratic piece P0-B-C raised to a cubic.
            Osy b = q.P, c;
            if (i + 1 >= seq.size()) break;
            if (seq[i + 1].Tag == FT_CURVE_TAG_ON) {
                c = seq[i + 1].P;
                i += 2;
            } else {
                c = Mid(b, seq[i + 1].P);
                i += 1;
            }
            Osy p1{p0.x + 2 * (b.x - p0.x) / 3, p0.y + 2 * (b.y - p0.y) / 3};
            Osy p2{b.x + (c.x - b.x) / 3, b.y + (c.y - b.y) / 3};
            BezierToArcs(p0, p1, p2, Err / 100, Err, c);
            p0 = c;
        } else if (q.Tag == FT_CURVE_TAG_CUBIC) {
            if (i + 2 >= seq.size()) break;
            Osy c1 = q.P, c2 = seq[i + 1].P, e = seq[i + 2].P;
            i += 3;
            BezierToArcs(p0, c1, c2, Err / 100, Err, e);
            p0 = e;
        } else {
            AddSeg(q.P, 0, CoordTol);
            p0 = q.P;
            ++i;
        }
    }
    // The closing segment (nothing when the contour already ends at its start).
    AddSeg(seq[0].P, 0, CoordTol);
    if (BuildSegCount() > 0) MakeObj(GlyphLayer, StartAdr, EndAdr);
    else ResetBuilder();
}

}  // namespace

namespace {

// Builds the outline from the font (the glyph loaded, curves fitted by arcs).
Extended BuildGlyphOutline(TTrueTypeFace::TImpl& DC, uint8_t Ch, TObjHeader*& StartAdr, TObjHeader*& EndAdr,
                           Extended Err) {
    FT_Face f = DC.Face;
    if (FT_Load_Glyph(f, GlyphIndex(f, Ch), FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return 0;
    FT_GlyphSlot g = f->glyph;
    Extended adv = Extended(g->metrics.horiAdvance);
    if (g->format != FT_GLYPH_FORMAT_OUTLINE) return adv * DC.Scale;
    FT_Outline& o = g->outline;
    if (DC.Oblique) {
        FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // x += 0.2126 y, the usual synthetic slant
        FT_Outline_Transform(&o, &shear);
    }
    if (DC.Embolden) {
        FT_Pos strength = f->units_per_EM / 24;
        FT_Outline_EmboldenXY(&o, strength, 0);
        adv += Extended(strength);
    }
    Extended sc = DC.Scale;
    int first = 0;
    for (int c = 0; c < o.n_contours; ++c) {
        int last = o.contours[c];
        if (last < first || last >= o.n_points) break;
        std::vector<TPt> pts;
        for (int k = first; k <= last; ++k)
            pts.push_back({Osy{Extended(o.points[k].x) * sc, Extended(o.points[k].y) * sc}, char(FT_CURVE_TAG(o.tags[k]))});
        BuildContour(std::move(pts), Err, StartAdr, EndAdr);
        first = last + 1;
    }
    return adv * sc;
}

}  // namespace

Extended GlyphOutline(TTrueTypeFace& DC, uint8_t Ch, TObjHeader*& StartAdr, TObjHeader*& EndAdr, Extended Err) {
    if (!DC.Ok()) return 0;
    TTrueTypeFace::TImpl& F = *DC.Impl;
    auto It = F.Glyphs.find({Ch, Err});
    if (It == F.Glyphs.end()) {
        TObjHeader *S = nullptr, *E = nullptr;
        TCachedGlyph G;
        G.Advance = BuildGlyphOutline(F, Ch, S, E, Err);
        for (TObjHeader* p = S; p; p = p->Next) G.Plines.push_back(CopyObjBlock(p));
        FreeObjList(S, E);
        It = F.Glyphs.emplace(std::pair{Ch, Err}, std::move(G)).first;
    }
    for (const TObjHeader* p : It->second.Plines) AppendObj(CopyObjBlock(p), StartAdr, EndAdr);
    return It->second.Advance;
}

static void MovePline(TObjHeader* P, Extended Dx) {
    if (P->Type != ObjPline && P->Type != ObjPoint) return;
    AsPline(P)->S.x += Dx;
    TPlineSeg* seg = PlineSegs(P);
    for (int32_t i = 0, n = PlineSegCount(P); i < n; ++i) seg[i].E.x += Dx;
}

TObjHeader* TrueTypeText(TTrueTypeFace& DC, const std::string& S, Extended Err, Extended Spacing) {
    TObjHeader *start = nullptr, *end = nullptr;
    Extended x = 0;
    int32_t count = 0;  // counted while placed: a long text's list is not walked again
    for (size_t p = 0; p < S.size(); ++p) {
        uint8_t c = uint8_t(S[p]);
        TObjHeader *ls = nullptr, *le = nullptr;
        Extended a = GlyphOutline(DC, c, ls, le, Err);
        Extended k = p > 0 ? DC.Kerning(uint8_t(S[p - 1]), c) : 0;
        x += k + Spacing;
        for (TObjHeader* q = ls; q; q = q->Next, ++count) MovePline(q, x);
        ConcatObjLists(start, end, ls, le);
        x += a;
    }
    if (!start) return nullptr;
    return MakeGroup(false, start, end, count);
}

namespace {
using TFaceKey = std::tuple<std::string, bool, bool>;
std::map<TFaceKey, std::unique_ptr<TTrueTypeFace>>& FaceCache() {
    static std::map<TFaceKey, std::unique_ptr<TTrueTypeFace>> cache;
    return cache;
}
}  // namespace

TTrueTypeFace* CachedFace(const std::string& FaceName, bool Bold, bool Italic) {
    auto& cache = FaceCache();
    TFaceKey key{UpCaseAnsiStr(FaceName), Bold, Italic};
    auto it = cache.find(key);
    if (it != cache.end()) return it->second.get();
    auto face = std::make_unique<TTrueTypeFace>();
    if (!face->Select(FaceName, Bold, Italic)) return nullptr;
    TTrueTypeFace* res = face.get();
    cache[key] = std::move(face);
    return res;
}

void FreeTrueTypeFaces() { FaceCache().clear(); }

// Lowest and highest y of a polyline (arcs included).
static void PlineYRange(const TObjHeader* P, Extended& MinY, Extended& MaxY) {
    Osy a = AsPline(P)->S;
    MinY = MaxY = a.y;
    const TPlineSeg* seg = PlineSegs(P);
    for (int32_t i = 0, n = PlineSegCount(P); i < n; ++i) {
        Osy lo{std::min(a.x, seg[i].E.x), std::min(a.y, seg[i].E.y)}, hi{std::max(a.x, seg[i].E.x), std::max(a.y, seg[i].E.y)};
        if (std::fabs(seg[i].Alfa) > CoordTol) ArcEnvelope(a, seg[i].E, seg[i].Alfa, lo, hi);
        MinY = std::min(MinY, lo.y);
        MaxY = std::max(MaxY, hi.y);
        a = seg[i].E;
    }
}

static void ScalePline(TObjHeader* P, Extended K, Extended MinY) {
    auto map = [&](Osy& q) { q = Osy{q.x * K, (q.y - MinY) * K}; };
    map(AsPline(P)->S);
    TPlineSeg* seg = PlineSegs(P);
    for (int32_t i = 0, n = PlineSegCount(P); i < n; ++i) map(seg[i].E);
}

bool TrueTypeOutlineBuild(uint8_t Layer) {
    WorkText.AdrGroup = nullptr;
    TTrueTypeFace* dc = CachedFace(WorkText.JmFontu, WorkText.Justify & JustifyBold, WorkText.Justify & JustifyItalic);
    if (!dc) {
        WriteLog("Err:TrueType font not found (" + WorkText.JmFontu + ")");
        return false;
    }
    // The capital height H: the extent of the letter E's first contour.
    Extended minY = 0, maxY = 0;
    TObjHeader *ts = nullptr, *te = nullptr;
    GlyphOutline(*dc, 'E', ts, te, 0.5L);
    if (ts && ts->Type == ObjPline) PlineYRange(ts, minY, maxY);
    FreeObjList(ts, te);
    Extended h = maxY - minY;
    if (h <= CoordTol) {  // a face without E: the nominal capital height of 0.7 of the cell
        minY = 0;
        h = 700;
    }
    TObjHeader* group = TrueTypeText(*dc, WorkText.Text, 0.5L, h * WorkText.Zkos / 100);
    if (!group) return false;
    WorkText.AdrGroup = group;
    Extended k = WorkText.Vyska / h;
    for (TObjHeader* m = AsGroup(group)->First; m; m = m->Next) {
        m->Layer = Layer;
        if (m->Type == ObjPline) ScalePline(m, k, minY);
    }
    if (std::fabs(WorkText.WidthFactor - 1) > CoordTol) {
        TObjHeader* adr = nullptr;
        EnGroup.NpropScale(group, WorkText.Origin, Osy{WorkText.WidthFactor, 1}, false, adr);
    }
    EnGroup.Envelope(group, WorkText.WinMin, WorkText.WinMax);
    return true;
}
