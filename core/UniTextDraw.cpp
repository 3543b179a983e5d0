// The text entity: drawing, preview, picking, envelope and layer change.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "core/Entity.h"
#include "core/Glob.h"
#include "core/IntFont.h"
#include "core/LayerShown.h"
#include "core/UniDraw.h"
#include "core/UniGroup.h"
#include "core/UniText.h"
#include "core/MainVars.h"

namespace {

constexpr uint32_t Silver = 0x00C0C0C0;


bool IsToolLayer(uint8_t L) { return L >= 1 && L <= 64; }

uint32_t SortTextColor() { return Glob.Sort.InGroup ? Glob.Sort.GroupColor : Glob.Sort.TextColor; }

// The colour of an unselected text in the current view.
uint32_t TextViewColor(uint8_t Layer) {
    if (Glob.View == vDir) return Glob.Direct[dkText].Color;
    if (Glob.View == vSort) return SortTextColor();
    return Glob.TabLayer[Layer].Color;
}

bool InZoom(const Osy& P) {
    return P.x >= Glob.ZoomMin.x && P.x <= Glob.ZoomMax.x && P.y >= Glob.ZoomMin.y && P.y <= Glob.ZoomMax.y;
}

bool BoxOutsideZoom(const ParText& T) {
    return T.WinMin.x > Glob.ZoomMax.x || T.WinMin.y > Glob.ZoomMax.y || T.WinMax.x < Glob.ZoomMin.x ||
           T.WinMax.y < Glob.ZoomMin.y;
}

// The text box and the insertion dot, in the canvas's pen colour, without arrows.
void DrawTextBox(TCanvas* Canv) {
    const bool arrow = Glob.Arrow;
    Glob.Arrow = false;
    if (Glob.TextEnv) {
        const ParText& T = WorkText;
        DrawLine(T.EnvP1, T.EnvP2, Canv, 1, 0);
        DrawLine(T.EnvP2, T.EnvP3, Canv, 1, 0);
        DrawLine(T.EnvP3, T.EnvP4, Canv, 1, 0);
        DrawLine(T.EnvP4, T.EnvP1, Canv, 1, 0);
        if (InZoom(T.Origin)) {
            TPoint q = WorldToPixel(T.Origin);
            Canv->BrushStyle = TBrushStyle::bsSolid;
            Canv->BrushColor = Canv->PenColor;
            Canv->Ellipse(q.X - 2, q.Y - 2, q.X + 3, q.Y + 3);
        }
    }
    Glob.Arrow = arrow;
}

// The outline group in the texts' direction colour whatever each contour's turning
// direction; the sort view draws it as a direction view in the sort colour.
void DrawOutline(TObjHeader* Group, TCanvas* Canv) {
    const std::array<TDirect, DirKindCount> direct = Glob.Direct;
    const TView view = Glob.View;
    const bool inGroup = Glob.Sort.InGroup;
    TDirect d = Glob.Direct[dkText];
    if (view == vSort) {
        d.Color = SortTextColor();
        Glob.View = vDir;
    }
    for (int k = dkCCW; k <= dkCross; ++k) Glob.Direct[size_t(k)] = d;
    EnGroup.Draw(Group, Canv);
    Glob.Direct = direct;
    Glob.View = view;
    Glob.Sort.InGroup = inGroup;
}

// The machining-order number in a box right of Origin, in the pen colour.
void DrawOrderNumber(TCanvas* Canv, bool SetColours) {
    TPoint q = WorldToPixel(WorkText.Origin);
    std::string num = std::to_string(Glob.Sort.Index);
    TSize ext = Canv->TextExtent(num);
    int32_t left = q.X + 3, right = left + ext.cx + 4;
    int32_t top = q.Y - ext.cy / 2 - 1, bottom = top + ext.cy + 2;
    if (SetColours) {
        Canv->Font.Color = Canv->PenColor;
        Canv->BrushStyle = TBrushStyle::bsSolid;
        Canv->BrushColor = Glob.BackColor;
    }
    Canv->Rectangle(left, top, right, bottom);
    Canv->TextOut(left + 2, top + 1, num);
}

// Gives the outline group and its members the text's Flags.
void SyncOutlineFlags(TObjHeader* Adresa) {
    TObjHeader* g = AsText(Adresa)->AdrGroup;
    if (!g) return;
    g->Flags = Adresa->Flags;
    for (TObjHeader* m = AsGroup(g)->First; m; m = m->Next) m->Flags = Adresa->Flags;
}

// Steps shared by Draw and RawDraw after the colours are set: the strokes or the
// outline, then the order number of the sort view.
void DrawBody(TObjHeader* Adresa, TCanvas* Canv, float Opacity, bool SetColours) {
    SyncOutlineFlags(Adresa);
    TObjHeader* g = AsText(Adresa)->AdrGroup;
    if (IsTrueTypeText(Adresa)) {
        if (g) DrawOutline(g, Canv);
    } else {
        TObjHeader *s = nullptr, *e = nullptr;
        WalkShpText(ShpDraw, Osy{}, Osy{}, Canv, Opacity, Adresa->Layer, s, e);
    }
    if (Glob.View == vSort && Adresa->Layer == Glob.LayerDraw && Glob.Sort.Cisla) {
        DrawOrderNumber(Canv, SetColours);
        MainVars.LastPos = WorkText.Origin;
    }
}

// Whether Min..Max hits the text in WorkText (no side effects).
bool HitTest(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window) {
    const ParText& T = WorkText;
    if (T.WinMin.x > Max.x || T.WinMin.y > Max.y || T.WinMax.x < Min.x || T.WinMax.y < Min.y) return false;
    if (T.WinMin.x >= Min.x && T.WinMin.y >= Min.y && T.WinMax.x <= Max.x && T.WinMax.y <= Max.y) return true;
    if (Window) return false;
    if (IsTrueTypeText(Adresa)) {
        TObjHeader* g = AsText(Adresa)->AdrGroup;
        if (!g) return false;
        // The outline takes the text's state, so "the group would flip" means touched.
        SyncOutlineFlags(Adresa);
        return EnGroup.RawSelect(g, Min, Max, false);
    }
    TObjHeader *s = nullptr, *e = nullptr;
    return WalkShpText(ShpPick, Min, Max, nullptr, 1, Adresa->Layer, s, e);
}

}  // namespace

void TEnText::Draw(TObjHeader* Adresa, TCanvas* Canv) {
    if (!Adresa || !Canv) return;
    const uint8_t layer = Adresa->Layer;
    if (!LayerShown(layer)) return;
    if (Glob.View == vSort && layer != Glob.LayerDraw) return;
    Canv->PenWidth = 1;
    Canv->BrushColor = Glob.BackColor;
    ReadParamText(Adresa, WorkText);

    if (Glob.View == vSort && Glob.Sort.Prejezdy) {
        Canv->BrushStyle = TBrushStyle::bsSolid;
        Canv->PenWidth = Glob.RapidsWidth;
        Canv->PenColor = SortTextColor();
        DrawLine(MainVars.LastPos, WorkText.Origin, Canv, Glob.RapidsOpac, 0);
    }
    MainVars.LastPos = WorkText.Origin;

    Canv->PenColor = Silver;
    Canv->PenWidth = 1;
    if (BoxOutsideZoom(WorkText)) return;
    DrawTextBox(Canv);

    Extended dist = 0;
    if (IsToolLayer(layer)) {
        if (Glob.View == vToolDn) {
            dist = Glob.Tool[layer].SpodniPrumer;
        } else if (Glob.View == vToolUp) {
            Extended r = 0;
            dist = ToolDistLaHook && ToolDistLaHook(layer, r, -1, false) ? 2 * r : 0;
        }
    }
    float opacity = 1;
    if (Adresa->Flags & FlagSelected) {
        Canv->BrushColor = Glob.BackColor;
        Canv->PenColor = Glob.SelObjColor;
        Canv->PenWidth = Glob.SelObjWidth;
        opacity = Glob.SelObjOpac;
    } else {
        uint32_t c = TextViewColor(layer);
        Canv->PenColor = c;
        Canv->BrushColor = c;
        Canv->PenWidth = std::max<int32_t>(1, int32_t(std::trunc(dist * Glob.BoduNaMm)) + 1);
    }
    DrawBody(Adresa, Canv, opacity, true);
}

void TEnText::RawDraw(TObjHeader* Adresa, TCanvas* Canv) {
    if (!Adresa || !Canv) return;
    const uint8_t layer = Adresa->Layer;
    if (!LayerShown(layer)) return;
    if (Glob.View == vSort && layer != Glob.LayerDraw) return;
    ReadParamText(Adresa, WorkText);
    if (Glob.View == vSort && Glob.Sort.Prejezdy)
        DrawLine(MainVars.LastPos, WorkText.Origin, Canv, Glob.RapidsOpac, 0);
    MainVars.LastPos = WorkText.Origin;
    if (BoxOutsideZoom(WorkText)) return;
    DrawTextBox(Canv);
    DrawBody(Adresa, Canv, 1, false);
}

void TEnText::PrevDraw(TObjHeader*, TCanvas* Canv) {
    if (Canv) WalkShpTextGdi(Canv);
}

bool TEnText::Select(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window) {
    if (!Adresa || !LayerShown(Adresa->Layer)) return false;
    const bool sel = (Adresa->Flags & FlagSelected) != 0;
    ReadParamText(Adresa, WorkText);
    if (!HitTest(Adresa, Min, Max, Window)) return sel;
    Adresa->Flags ^= FlagSelected;
    if (TObjHeader* g = AsText(Adresa)->AdrGroup) g->Flags = Adresa->Flags;
    Draw(Adresa, MainCanvas);
    return (Adresa->Flags & FlagSelected) != 0;
}

bool TEnText::RawSelect(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window) {
    if (!Adresa || !LayerShown(Adresa->Layer)) return false;
    const bool sel = (Adresa->Flags & FlagSelected) != 0;
    ReadParamText(Adresa, WorkText);
    return HitTest(Adresa, Min, Max, Window) || sel;
}

void TEnText::Envelope(const TObjHeader* Adresa, Osy& Min, Osy& Max) {
    // Read from the record: walks over whole lists ask for boxes and must not
    // disturb the working parameters of a text being built.
    Min = static_cast<const TTextRec*>(Adresa)->WinMin;
    Max = static_cast<const TTextRec*>(Adresa)->WinMax;
}

void TEnText::ChangeLayer(TObjHeader* Adresa, uint8_t Layer) {
    Adresa->Layer = Layer;
    if (TObjHeader* g = AsText(Adresa)->AdrGroup) EnGroup.ChangeLayer(g, Layer);
    Adresa->Flags &= uint8_t(~FlagSelected);
    Draw(Adresa, MainCanvas);
}
