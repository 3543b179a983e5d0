// The PCB writer: straight segments become track lines, quarter circles that start on
// an axis track arcs, other arcs chords within 0.0127 mm of the arc, and circles on the
// pad-search layers pads of the type their milled size falls into.
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "formats/FormicaOutDg.h"
#include "formats/SafeFile.h"
#include "formats/UniFormica.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"
#include "core/UniLog.h"

namespace {

constexpr Extended ChordTol = 0.0127L;  // the largest gap between an arc and its chords

struct TLine {
    Osy S, E;
    uint8_t Layer;
};
struct TArc {
    int Quadrant;
    Osy C;
    Extended R;
    uint8_t Layer;
};
struct TPad {
    Osy C;
    Extended R;
    uint8_t Layer;
};

// Range cells of a type grid, mm; false for a cell that is no number.
bool Range(const TStringGrid* G, int Row, Extended& Min, Extended& Max) {
    return StrToExtCalc(G->Cells[1][size_t(Row)], Min, false) && StrToExtCalc(G->Cells[2][size_t(Row)], Max, false);
}

// The layers whose names occur in Text (ASCII case ignored), from 68 down so that "T12"
// is taken before "T1" is looked for; each occurrence is used once. Layers that already
// have a row keep it.
template <typename F>
void LayersNamed(std::string Text, F Found) {
    Text = UpCaseStr(Text);
    for (int l = LayerCount; l >= 1; --l) {
        const std::string name = UpCaseStr(Glob.TabLayer[size_t(l)].Name);
        if (name.empty()) continue;  // an empty name occurs everywhere
        const size_t at = Text.find(name);
        if (at == std::string::npos) continue;
        if (Found(uint8_t(l))) Text.erase(at, name.size());
    }
}

class TFormicaWriter {
public:
    TFormicaWriter(const TFormicaOutDg& D) : Dg(D) {}
    void Prepare();
    void Walk(TObjHeader* First);
    std::vector<std::string> Lines();

private:
    void Segment(const Osy& S, const TPlineSeg& G, uint8_t Layer);
    long Steps(Extended Mm) const { return std::lround(double(Mm / Step)); }
    std::string Pt(const Osy& P) const { return std::to_string(Steps(P.x)) + " " + std::to_string(Steps(P.y)); }

    const TFormicaOutDg& Dg;
    Extended Step = FormicaStep;
    std::array<int, LayerCount + 1> LineType{}, PcbLayer{};
    std::array<bool, LayerCount + 1> PadSearch{};
    std::vector<TLine> LinesOut;
    std::vector<TArc> Arcs;
    std::vector<TPad> Pads;
};

void TFormicaWriter::Prepare() {
    Step = Dg.Step();
    for (int l = 1; l <= 64; ++l) {
        Extended dist = 0;
        if (!ToolDistLaHook || !ToolDistLaHook(l, dist, -1.0L, false)) continue;
        for (int r = 1; r <= FormicaLineTypes; ++r) {
            Extended mn = 0, mx = 0;
            if (Range(Dg.StrGridLineType, r, mn, mx) && mn <= 2 * dist && 2 * dist < mx) {
                LineType[size_t(l)] = r - 1;
                break;
            }
        }
    }
    PcbLayer.fill(-1);
    for (int r = 1; r <= 16; ++r)
        LayersNamed(Dg.StrGridLayer->Cells[1][size_t(r)], [&](uint8_t l) {
            if (PcbLayer[l] >= 0) return false;
            PcbLayer[l] = r - 1;
            return true;
        });
    LayersNamed(Dg.EditPadLayer->Text, [&](uint8_t l) {
        if (PadSearch[l]) return false;
        PadSearch[l] = true;
        return true;
    });
}

void TFormicaWriter::Segment(const Osy& S, const TPlineSeg& G, uint8_t Layer) {
    if (std::fabs(G.Alfa) <= CoordTol) {
        LinesOut.push_back({S, G.E, Layer});
        return;
    }
    Osy s = S, e = G.E;
    Extended alfa = G.Alfa;
    if (alfa < 0) {
        std::swap(s, e);
        alfa = -alfa;
    }
    Osy c;
    Extended r = 0;
    ArcCenter(s, e, alfa, c, r);
    const Extended a0 = std::atan2(s.y - c.y, s.x - c.x);
    const Extended start = a0 < 0 ? a0 + 2 * GeomPi : a0;
    const Extended q = std::round(start / (GeomPi / 2));
    if (std::fabs(alfa - GeomPi / 2) <= CoordTol && std::fabs(start - q * GeomPi / 2) <= CoordTol) {
        Arcs.push_back({int(q) % 4, c, r, Layer});
        return;
    }
    int n = 1;
    if (r > ChordTol) {
        const Extended k = (r - ChordTol) / r;
        n = int(std::ceil(double(std::fabs(alfa / (2 * std::atan(std::sqrt(1 - k * k) / k)))) - 1e-9));
        if (n < 1) n = 1;
    }
    Osy from = s;
    for (int i = 1; i <= n; ++i) {
        const Extended a = a0 + i * alfa / n;
        const Osy to = i == n ? e : Osy{c.x + r * std::cos(a), c.y + r * std::sin(a)};
        LinesOut.push_back({from, to, Layer});
        from = to;
    }
}

void TFormicaWriter::Walk(TObjHeader* First) {
    for (TObjHeader* p = First; p; p = p->Next) {
        if (p->Type == ObjGroup) {
            Walk(AsGroup(p)->First);
            continue;
        }
        if (p->Type != ObjPline || p->Layer < 1 || p->Layer > LayerCount) continue;
        Osy c;
        Extended r = 0;
        if (PadSearch[p->Layer] && EnPline.IsCircle(p, c, r)) {
            Pads.push_back({c, r, p->Layer});
            continue;
        }
        if (PcbLayer[p->Layer] < 0) continue;
        const int32_t n = PlineSegCount(p);
        for (int32_t i = 0; i < n; ++i) Segment(PlineSegStart(p, i), PlineSegs(p)[i], p->Layer);
    }
}

std::vector<std::string> TFormicaWriter::Lines() {
    std::vector<std::string> out{"Layout ("};
    auto Types = [&](uint8_t L) { return std::to_string(LineType[L]) + " " + std::to_string(PcbLayer[L]); };
    if (!LinesOut.empty()) {
        out.push_back("  Lines (");
        for (const TLine& l : LinesOut) out.push_back("    (" + Pt(l.S) + " " + Pt(l.E) + " " + Types(l.Layer) + ")");
        out.push_back("  )");
    }
    std::vector<std::string> pads;
    for (const TPad& p : Pads) {
        Extended dist = 0;
        if (p.Layer > 64 || !ToolDistLaHook || !ToolDistLaHook(p.Layer, dist, -1.0L, false)) continue;
        const Extended d = 2 * (p.R + dist);
        // Every range the size falls into writes a pad: the ranges may overlap.
        for (int r = 1; r <= FormicaPadTypes; ++r) {
            Extended mn = 0, mx = 0;
            if (Range(Dg.StrGridPadType, r, mn, mx) && mn <= d && d < mx)
                pads.push_back("    (" + Pt(p.C) + " " + std::to_string(r - 1) + ")");
        }
    }
    if (!pads.empty()) {
        out.push_back("  Pads (");
        out.insert(out.end(), pads.begin(), pads.end());
        out.push_back("  )");
    }
    if (!Arcs.empty()) {
        out.push_back("  Arcs (");
        for (const TArc& a : Arcs)
            out.push_back("    (" + std::to_string(a.Quadrant) + " " + Pt(a.C) + " " + std::to_string(Steps(a.R)) + " " +
                          Types(a.Layer) + ")");
        out.push_back("  )");
    }
    out.push_back(")");
    return out;
}

}  // namespace

bool TFormicaOutDg::SaveFormica(const std::string& JmPCB) {
    TFormicaWriter w(*this);
    w.Prepare();
    w.Walk(MainVars.DataStart);
    if (!BeginTempFile(JmPCB) || !AppendTempLines(w.Lines())) {
        DeleteTempFile();
        WriteLog("Err:FAILED Save Formica, temporary file not written");
        ShowMessage(Msg[25]);
        return false;
    }
    return CommitTempFile(JmPCB, "Err:FAILED Save Formica, not enough free disk space", "", "Sys:Save Formica End");
}
