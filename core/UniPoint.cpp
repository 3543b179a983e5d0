#include "core/UniPoint.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/Builder.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/LayerShown.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/MainVars.h"

TEnPoint EnPoint;

namespace {
Osy& Pos(TObjHeader* A) { return AsPoint(A)->S; }


bool IsToolLayer(uint8_t Layer) { return Layer >= 1 && Layer <= 64; }

// The colour of a point in the machining-order view.
uint32_t SortColor() { return Glob.Sort.InGroup ? Glob.Sort.GroupColor : Glob.Sort.PointColor; }

// The machining-order number in a box right of the point, in the canvas's pen colour.
void DrawOrderNumber(const Osy& S, TCanvas* Canv, bool SetColours, uint32_t Color) {
    TPoint q = WorldToPixel(S);
    std::string num = std::to_string(Glob.Sort.Index);
    TSize ext = Canv->TextExtent(num);
    int32_t left = q.X + 3, width = ext.cx + 4;
    int32_t top = q.Y - ext.cy / 2 - 1, height = ext.cy + 2;
    if (SetColours) {
        Canv->PenColor = Color;
        Canv->PenWidth = 1;
        Canv->PenStyle = TPenStyle::psSolid;
        Canv->Opacity = 1;
        Canv->BrushStyle = TBrushStyle::bsSolid;
        Canv->BrushColor = Glob.BackColor;
        Canv->BrushOpacity = 1;
        Canv->Font.Color = Color;
    }
    Canv->Rectangle(left, top, left + width, top + height);
    Canv->TextOut(left + 2, top + 1, num);
}
}  // namespace

void TEnPoint::Draw(TObjHeader* Adresa, TCanvas* Canv) {
    if (!Adresa || !Canv) return;
    const uint8_t layer = Adresa->Layer;
    if (!LayerShown(layer)) return;
    if (Glob.View == vSort && layer != Glob.LayerDraw) return;
    const Osy s = Pos(Adresa);

    Extended d = 0;
    if (IsToolLayer(layer)) {
        if (Glob.View == vToolDn) {
            d = Glob.Tool[layer].SpodniPrumer;
        } else if (Glob.View == vToolUp) {
            Extended r = 0;
            d = ToolDistLaHook && ToolDistLaHook(layer, r, -1, false) ? 2 * r : 0;
        }
    }

    if (Glob.View == vDir) {
        if (!Glob.Direct[dkOpen].Show) return;
        Canv->PenColor = Glob.Direct[dkOpen].Color;
    } else if (Glob.View == vSort) {
        Canv->PenColor = SortColor();
    } else {
        Canv->PenColor = Glob.TabLayer[layer].Color;
    }

    if (Glob.View == vSort && Glob.Sort.Prejezdy) {
        Canv->PenWidth = Glob.RapidsWidth;
        DrawLine(MainVars.LastPos, s, Canv, Glob.RapidsOpac, 0);
    }

    if (Adresa->Flags & FlagSelected) {
        Canv->PenWidth = Glob.SelObjWidth;
        Canv->PenColor = Glob.SelObjColor;
        DrawDot(s, Canv, Glob.SelObjOpac, 0);
    } else {
        Canv->PenWidth = std::max(1, RoundPx(d * Glob.BoduNaMm));
        DrawDot(s, Canv, 1, d);
    }

    MainVars.LastPos = s;

    if (Glob.View == vSort && Glob.Sort.Cisla && layer == Glob.LayerDraw)
        DrawOrderNumber(s, Canv, true, SortColor());
}

void TEnPoint::RawDraw(TObjHeader* Adresa, TCanvas* Canv) {
    if (!Adresa || !Canv) return;
    const uint8_t layer = Adresa->Layer;
    if (!LayerShown(layer)) return;
    if (Glob.View == vSort && layer != Glob.LayerDraw) return;
    const Osy s = Pos(Adresa);
    if (Glob.View == vSort && Glob.Sort.Prejezdy)
        DrawLine(MainVars.LastPos, s, Canv, Glob.PrevObjOpac, Glob.PrevObjWidth);
    MainVars.LastPos = s;
    DrawDot(s, Canv, Glob.PrevObjOpac, Glob.PrevObjWidth);
    if (Glob.View == vSort && Glob.Sort.Cisla && layer == Glob.LayerDraw)
        DrawOrderNumber(s, Canv, false, 0);
}

bool TEnPoint::RawSelect(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool) {
    if (!Adresa || !LayerShown(Adresa->Layer)) return false;
    const Osy& s = Pos(Adresa);
    return Min.x <= s.x && s.x <= Max.x && Min.y <= s.y && s.y <= Max.y;
}

bool TEnPoint::Select(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window) {
    if (!Adresa || !LayerShown(Adresa->Layer)) return false;
    if (RawSelect(Adresa, Min, Max, Window)) {
        Adresa->Flags ^= FlagSelected;
        Draw(Adresa, MainCanvas);
    }
    return Adresa->Flags & FlagSelected;
}

void TEnPoint::Move(TObjHeader* Adresa, const Osy& Rel) {
    Osy& s = Pos(Adresa);
    s.x += Rel.x;
    s.y += Rel.y;
    Adresa->Flags &= ~FlagSelected;
}

void TEnPoint::Rotate(TObjHeader* Adresa, const Osy& Base, Extended Ang) {
    Osy& s = Pos(Adresa);
    Extended a = Angle(Base, s) + Ang;
    if (a > Geom2Pi)
        a -= Geom2Pi;
    else if (a < 0)
        a += Geom2Pi;
    Extended r = Dist(Base, s);
    s = {Base.x + r * std::cos(a), Base.y + r * std::sin(a)};
    Adresa->Flags &= ~FlagSelected;
}

void TEnPoint::Scale(TObjHeader* Adresa, const Osy& Base, Extended F) {
    Osy& s = Pos(Adresa);
    s = {Base.x + (s.x - Base.x) * F, Base.y + (s.y - Base.y) * F};
    Adresa->Flags &= ~FlagSelected;
}

void TEnPoint::NpropScale(TObjHeader* Adresa, const Osy& Base, const Osy& F, TObjHeader*&) {
    Osy& s = Pos(Adresa);
    s = {Base.x + (s.x - Base.x) * F.x, Base.y + (s.y - Base.y) * F.y};
    Adresa->Flags &= ~FlagSelected;
}

void TEnPoint::Mirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2) {
    Osy& s = Pos(Adresa);
    Extended q = Angle(P1, P2), a = Angle(P1, s), r = Dist(P1, s);
    s = {P1.x + r * std::cos(2 * q - a), P1.y + r * std::sin(2 * q - a)};
    Adresa->Flags &= ~FlagSelected;
}

void TEnPoint::RawMove(TObjHeader* Adresa, const Osy& Rel) {
    Osy& s = Pos(Adresa);
    s.x += Rel.x;
    s.y += Rel.y;
    RawDraw(Adresa, MainCanvas);
}

void TEnPoint::RawRotate(TObjHeader* Adresa, const Osy& Base, Extended Ang) {
    Rotate(Adresa, Base, Ang);
    RawDraw(Adresa, MainCanvas);
}

void TEnPoint::RawScale(TObjHeader* Adresa, const Osy& Base, Extended F) {
    Scale(Adresa, Base, F);
    Draw(Adresa, MainCanvas);
}

void TEnPoint::RawNpropScale(TObjHeader* Adresa, const Osy& Base, const Osy& F, TObjHeader*& Adr) {
    NpropScale(Adresa, Base, F, Adr);
    Draw(Adresa, MainCanvas);
}

void TEnPoint::RawMirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2) {
    Mirror(Adresa, P1, P2);
    RawDraw(Adresa, MainCanvas);
}

TObjHeader* TEnPoint::Copy(TObjHeader* Adresa, const Osy& Rel, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    Adresa->Flags &= ~FlagSelected;
    TObjHeader* n = AllocObj(PointRecSize, ObjPoint);
    n->Layer = Adresa->Layer;
    n->Flags = Adresa->Flags;
    n->SavedFlags = 0;
    n->Type = Adresa->Type;
    AsPoint(n)->PlineFlags = AsPoint(Adresa)->PlineFlags;
    AsPoint(n)->S = {Pos(Adresa).x + Rel.x, Pos(Adresa).y + Rel.y};
    return AppendObj(n, StartAdr, EndAdr);
}

TObjHeader* TEnPoint::CopyIdent(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    return AppendObj(CopyObjBlock(Adresa), StartAdr, EndAdr);
}

TObjHeader* TEnPoint::Add(const Osy& S, uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    TObjHeader* n = AllocObj(PointRecSize, ObjPoint);
    n->Layer = Layer;
    n->Flags = 1;
    n->SavedFlags = 0;
    AsPoint(n)->PlineFlags = 0;
    AsPoint(n)->S = S;
    return AppendObj(n, StartAdr, EndAdr);
}

TObjHeader* TEnPoint::Offset(TObjHeader* Adresa, bool TgIn, bool TgOut, Extended D, Extended TgPolomer,
                             Extended TgUhel) {
    if (!Adresa || !(D >= CoordTol)) return nullptr;
    const Osy s = Pos(Adresa);
    TObjHeader *cs = nullptr, *ce = nullptr;
    EnPline.CircleAdd(s, D, Glob.LayerDraw, cs, ce);
    if (!cs) return nullptr;
    TObjHeader* res = nullptr;
    if (!TgIn && !TgOut) {
        res = cs;
        UnlinkObj(res, cs, ce);
    } else {
        const Osy start{s.x + D, s.y};
        const Osy q{s.x + D + TgPolomer, s.y};
        if (TgIn) {
            StartObj({q.x + TgPolomer * std::cos(TgUhel + GeomPi), q.y + TgPolomer * std::sin(TgUhel + GeomPi)});
            AddSeg(start, -TgUhel, CoordTol);
        } else {
            StartObj(start);
        }
        const TPlineSeg* seg = PlineSegs(cs);
        for (int32_t i = 0, n = PlineSegCount(cs); i < n; ++i) AddSeg(seg[i].E, seg[i].Alfa, CoordTol);
        if (TgOut)
            AddSeg({q.x + TgPolomer * std::cos(GeomPi - TgUhel), q.y + TgPolomer * std::sin(GeomPi - TgUhel)},
                   -TgUhel, CoordTol);
        FreeObjList(cs, ce);
        TObjHeader *ls = nullptr, *le = nullptr;
        res = MakeObj(Glob.LayerDraw, ls, le);
        if (res) UnlinkObj(res, ls, le);
    }
    if (res) res->SavedFlags = 0;
    return res;
}
