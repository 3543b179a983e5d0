// The DXF writer: version "AC1006" files with a header of the drawing limits, the
// line-type, layer and text-style tables and the entities POINT, POLYLINE (with
// VERTEX and SEQEND) and TEXT, written through the temporary file.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniSpace.h"
#include "core/UniText.h"
#include "core/UniWalk.h"
#include "formats/DxfOutDg.h"
#include "formats/SafeFile.h"
#include "formats/UniDXF.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

constexpr Extended RadToDeg = 180 / GeomPi;
constexpr size_t MaxFonts = 255;

std::string Code(int C) {
    char b[16];
    std::snprintf(b, sizeof b, "%3d", C);
    return b;
}
std::string IntValue(int V) {
    char b[16];
    std::snprintf(b, sizeof b, "%6d", V);
    return b;
}

// The layer's name as entities name it. A layer without a name, or with characters
// that DXF names may not hold, still needs a valid one: "T" + its number for an empty
// name (which reads back onto the same layer), "_" for each such character.
std::string LayerName(uint8_t L) {
    std::string n = Glob.TabLayer[L].Name;
    if (n.empty()) return "T" + std::to_string(L);
    for (char& c : n)
        if (std::string_view("<>/\\\":;?*|=`").find(c) != std::string_view::npos || static_cast<unsigned char>(c) < ' ')
            c = '_';
    return n;
}

// The text style of a font: the name up to its first "." (a TrueType family whole,
// as the texts name it).
std::string StyleName(const std::string& Font, bool TrueType) {
    return TrueType ? Font : Font.substr(0, Font.find('.'));
}

class TDxfWriter {
public:
    TDxfWriter(bool All, bool Widths, bool Explode) : All(All), Widths(Widths), Explode(Explode) {}
    void Write();
    std::vector<std::string> Out;

private:
    void Add(int C, const std::string& V) {
        Out.push_back(Code(C));
        Out.push_back(V);
    }
    void Num(int C, Extended V) { Add(C, DxfExtToStr(V)); }
    void Header();
    void Tables();
    void CollectFonts(TObjHeader* First);
    void Object(TObjHeader* P);
    void Point(TObjHeader* P);
    void Pline(TObjHeader* P);
    void Text(TObjHeader* P);

    bool All, Widths, Explode;
    std::vector<std::string> Styles;  // in the order the drawing first uses them
};

void TDxfWriter::Header() {
    Add(0, "SECTION");
    Add(2, "HEADER");
    Add(9, "$ACADVER");
    Add(1, "AC1006");
    Add(9, "$LIMMIN");
    Num(10, Glob.MinLim.x);
    Num(20, Glob.MinLim.y);
    Add(9, "$LIMMAX");
    Num(10, Glob.MaxLim.x);
    Num(20, Glob.MaxLim.y);
    Add(0, "ENDSEC");
}

void TDxfWriter::CollectFonts(TObjHeader* First) {
    for (TObjHeader* p = First; p; p = p->Next) {
        if (p->Type == ObjGroup) {
            CollectFonts(AsGroup(p)->First);
        } else if (p->Type == ObjText) {
            const std::string s = StyleName(AsText(p)->JmFontu.Get(), IsTrueTypeText(p));
            bool known = false;
            for (const std::string& f : Styles) known |= f == s;
            if (!known && Styles.size() < MaxFonts) Styles.push_back(s);
        }
    }
}

void TDxfWriter::Tables() {
    Add(0, "SECTION");
    Add(2, "TABLES");
    Add(0, "TABLE");
    Add(2, "LTYPE");
    Add(70, IntValue(2));
    Add(0, "LTYPE");
    Add(2, "CONTINUOUS");
    Add(70, IntValue(64));
    Add(3, "Solid line");
    Add(72, IntValue(65));
    Add(73, IntValue(0));
    Add(40, "0.0");
    Add(0, "ENDTAB");

    Add(0, "TABLE");
    Add(2, "LAYER");
    Add(70, IntValue(10));
    for (int l = 1; l <= LayerCount; ++l) {
        if (LayerIsEmpty(MainVars.DataStart, uint8_t(l))) continue;
        Add(0, "LAYER");
        Add(2, UpCaseStr(LayerName(uint8_t(l))));
        Add(70, IntValue(64));
        Add(62, "     " + std::to_string(l <= 8 ? l : 7));
        Add(6, "CONTINUOUS");
    }
    Add(0, "ENDTAB");

    if (!Explode) {
        CollectFonts(MainVars.DataStart);
        if (!Styles.empty()) {
            char count[16];
            std::snprintf(count, sizeof count, "   %3d", int(Styles.size()));
            Add(0, "TABLE");
            Add(2, "STYLE");
            Add(70, count);
            for (const std::string& s : Styles) {
                Add(0, "STYLE");
                Add(2, s);
                Add(70, IntValue(0));
                Add(40, "0.0");
                Add(41, "1.0");
                Add(50, "0.0");
                Add(71, IntValue(0));
                Add(42, "10.0");
                Add(3, s);
                Add(4, "");
            }
            Add(0, "ENDTAB");
        }
    }
    Add(0, "ENDSEC");
}

void TDxfWriter::Point(TObjHeader* P) {
    Add(0, "POINT");
    Add(8, LayerName(P->Layer));
    Num(10, AsPoint(P)->S.x);
    Num(20, AsPoint(P)->S.y);
}

void TDxfWriter::Pline(TObjHeader* P) {
    const int32_t n = PlineSegCount(P);
    const std::string layer = LayerName(P->Layer);
    const Osy s = AsPline(P)->S;
    const Osy e = PlineEndPt(P);
    const bool closed = n > 0 && std::fabs(s.x - e.x) <= CoordTol && std::fabs(s.y - e.y) <= CoordTol;
    Add(0, "POLYLINE");
    Add(8, layer);
    Add(66, IntValue(1));
    Add(70, IntValue(closed ? 1 : 0));
    if (Widths) {
        Extended w = 0, dist = 0;
        if (P->Layer >= 1 && P->Layer <= 12 && ToolDistLaHook && ToolDistLaHook(P->Layer, dist, -1, false))
            w = 2 * dist;
        Num(40, w);
        Num(41, w);
    }
    auto Vertex = [&](const Osy& V) {
        Add(0, "VERTEX");
        Add(8, layer);
        Num(10, V.x);
        Num(20, V.y);
    };
    Vertex(s);
    for (int32_t i = 0; i < n; ++i) {
        const TPlineSeg& g = PlineSegs(P)[i];
        if (std::fabs(g.Alfa) > CoordTol) Num(42, std::tan(g.Alfa / 4));
        if (!(closed && i == n - 1)) Vertex(g.E);
    }
    Add(0, "SEQEND");
    Add(8, layer);
}

void TDxfWriter::Text(TObjHeader* P) {
    if (Explode) {
        TObjHeader *f = nullptr, *l = nullptr;
        EnText.Explode(P, false, f, l);
        for (TObjHeader* q = f; q; q = q->Next)
            if (q->Type == ObjPline) Pline(q);
        FreeObjList(f, l);
        return;
    }
    ParText t;
    EnText.ReadParamText(P, t);
    const bool tt = (t.Justify & JustifyTrueType) != 0;
    const int j = t.Justify & 15;
    const int row = j / 3;
    Add(0, "TEXT");
    Add(8, LayerName(P->Layer));
    // Readers place a left-aligned text by code 10. A TrueType text keeps no base of its
    // own (0, 0), so its insertion point stands there; code 11 holds it in any case.
    const Osy first = tt ? t.Origin : t.Base;
    Num(10, first.x);
    Num(20, first.y);
    Num(40, t.Vyska);
    Num(41, t.WidthFactor);
    Add(1, t.Text);
    Num(50, t.Rotate * RadToDeg);
    // A TrueType text keeps its letter spacing there, not a slant.
    Num(51, tt ? 0 : t.Zkos * RadToDeg);
    Add(7, StyleName(t.JmFontu, tt));
    Add(71, IntValue(t.MirrorY ? 4 : 0));
    Add(72, "     " + std::to_string(j % 3));
    Add(73, "     " + std::to_string(row == 0 ? 0 : row + 1));
    Num(11, t.Origin.x);
    Num(21, t.Origin.y);
}

void TDxfWriter::Object(TObjHeader* P) {
    if (P->Type == ObjGroup) {
        for (TObjHeader* m = AsGroup(P)->First; m; m = m->Next) Object(m);
        return;
    }
    if (P->Layer > LayerCount || !Glob.TabLayer[P->Layer].Show) return;
    switch (P->Type) {
        case ObjPoint: Point(P); break;
        case ObjPline: Pline(P); break;
        case ObjText: Text(P); break;
        case ObjPline3D: {
            TObjHeader* flat = EnSpace.Only2D(P);
            if (flat) {
                flat->Layer = P->Layer;
                if (flat->Type == ObjPline) Pline(flat);
                FreeObjBlock(flat);
            }
            break;
        }
        default: break;
    }
}

void TDxfWriter::Write() {
    Header();
    Tables();
    Add(0, "SECTION");
    Add(2, "ENTITIES");
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
        if (All || (p->Flags & FlagSelected)) Object(p);
    Add(0, "ENDSEC");
    Add(0, "EOF");
}

}  // namespace

std::string DxfExtToStr(Extended X) {
    char b[64];
    std::snprintf(b, sizeof b, "%.12Lf", X);
    std::string s = b;
    while (s.size() > 1 && s.back() == '0') s.pop_back();
    if (s.back() == '.') s += '0';
    if (s == "-0.0") s = "0.0";
    return s;
}

bool SaveDxf(const std::string& FileName, bool All) {
    WriteLog("Sys:Save DXF Start (" + FileName + ")");
    if (!DxfOutDialog) CreateDxfOutDialog();
    TDxfWriter w(All, DxfOutDialog->ChBoxPlineWidth->Checked, DxfOutDialog->ChBoxExplodeText->Checked);
    bool ok = false;
    try {
        w.Write();
        ok = BeginTempFile(FileName) && AppendTempLines(w.Out);
    } catch (const std::exception& E) {
        WriteLog(std::string("Err:Exception in Save DXF: ") + E.what());
    }
    if (!ok) {
        DeleteTempFile();
        WriteLog("Err:FAILED Save DXF, temporary file not written");
        ShowFileNotWritten(FileName);
        return false;
    }
    return CommitTempFile(FileName, "Err:FAILED Save DXF, not enough free disk space", "", "Sys:Save DXF End");
}
