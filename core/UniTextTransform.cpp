// The text entity: move, copies, rotation, scaling and mirroring. The layout points
// move with the text; a TrueType text's outline group takes the same operation.
#include <cmath>
#include <utility>

#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniGroup.h"
#include "core/UniText.h"

namespace {

void ClearSel(TObjHeader* p) { p->Flags &= uint8_t(~FlagSelected); }

bool IsStroke() { return (WorkText.Justify & JustifyTrueType) == 0; }

// Applies F to every layout point of WorkText: Base (stroke texts only; a TrueType
// text keeps Base at (0, 0)), Origin, the box corners and, with Box, WinMin/WinMax.
template <class Fn>
void EachPoint(Fn F, bool Box) {
    ParText& W = WorkText;
    if (IsStroke()) F(W.Base);
    F(W.Origin);
    F(W.EnvP1);
    F(W.EnvP2);
    F(W.EnvP3);
    F(W.EnvP4);
    if (Box) {
        F(W.WinMin);
        F(W.WinMax);
    }
}

// [0, 2pi) for any angle.
Extended FullNorm(Extended A) {
    A = std::fmod(A, Geom2Pi);
    if (A < 0) A += Geom2Pi;
    if (A >= Geom2Pi) A = 0;
    return A;
}

void OrderBox(Osy& Min, Osy& Max) {
    if (Min.x > Max.x) std::swap(Min.x, Max.x);
    if (Min.y > Max.y) std::swap(Min.y, Max.y);
}

void DoMove(TObjHeader* Adresa, const Osy& Rel, bool Raw) {
    EnText.ReadParamText(Adresa, WorkText);
    EachPoint([&](Osy& p) { p = {p.x + Rel.x, p.y + Rel.y}; }, true);
    if (TObjHeader* g = WorkText.AdrGroup) {
        if (Raw) EnGroup.RawMove(g, Rel);
        else EnGroup.Move(g, Rel);
    }
    EnText.WriteParamText(Adresa);
}

void DoRotate(TObjHeader* Adresa, const Osy& Base, Extended Ang) {
    ClearSel(Adresa);
    EnText.ReadParamText(Adresa, WorkText);
    const Extended c = std::cos(Ang), s = std::sin(Ang);
    EachPoint(
        [&](Osy& p) {
            Extended dx = p.x - Base.x, dy = p.y - Base.y;
            p = {Base.x + dx * c - dy * s, Base.y + dx * s + dy * c};
        },
        false);
    WorkText.Rotate = FullNorm(WorkText.Rotate + Ang);
    if (TObjHeader* g = WorkText.AdrGroup) EnGroup.Rotate(g, Base, Ang);
    TextEnvelopeAgain();
    EnText.WriteParamText(Adresa);
    EnText.Draw(Adresa, MainCanvas);
}

void DoScale(TObjHeader* Adresa, const Osy& Base, Extended K) {
    ClearSel(Adresa);
    EnText.ReadParamText(Adresa, WorkText);
    EachPoint([&](Osy& p) { p = {Base.x + (p.x - Base.x) * K, Base.y + (p.y - Base.y) * K}; }, true);
    OrderBox(WorkText.WinMin, WorkText.WinMax);
    WorkText.Vyska *= K;
    if (TObjHeader* g = WorkText.AdrGroup) EnGroup.Scale(g, Base, K);
    EnText.WriteParamText(Adresa);
}

void DoMirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2, bool Raw) {
    if (!Raw) ClearSel(Adresa);
    EnText.ReadParamText(Adresa, WorkText);
    const Extended m = Angle(P1, P2);
    const Extended c = std::cos(2 * m), s = std::sin(2 * m);
    EachPoint(
        [&](Osy& p) {
            Extended dx = p.x - P1.x, dy = p.y - P1.y;
            p = {P1.x + dx * c + dy * s, P1.y + dx * s - dy * c};
        },
        false);
    WorkText.MirrorY = !WorkText.MirrorY;
    WorkText.Rotate = FullNorm(2 * m - WorkText.Rotate);
    if (TObjHeader* g = WorkText.AdrGroup) {
        if (Raw) EnGroup.RawMirror(g, P1, P2);
        else EnGroup.Mirror(g, P1, P2);
    }
    TextEnvelopeAgain();
    EnText.WriteParamText(Adresa);
}

// An unlinked copy of the outline group: displaced by Rel, or identical.
TObjHeader* CopyOutline(TObjHeader* G, const Osy* Rel) {
    TObjHeader *s = nullptr, *e = nullptr;
    TObjHeader* n = Rel ? EnGroup.Copy(G, *Rel, s, e) : EnGroup.CopyIdent(G, s, e);
    UnlinkObj(n, s, e);
    return n;
}

}  // namespace

void TEnText::Move(TObjHeader* Adresa, const Osy& Rel) {
    ClearSel(Adresa);
    DoMove(Adresa, Rel, false);
}

void TEnText::RawMove(TObjHeader* Adresa, const Osy& Rel) {
    DoMove(Adresa, Rel, true);
    RawDraw(Adresa, MainCanvas);
}

TObjHeader* TEnText::Copy(TObjHeader* Adresa, const Osy& Rel, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    ClearSel(Adresa);
    Draw(Adresa, MainCanvas);
    TObjHeader* n = CopyObjBlock(Adresa);
    n->SavedFlags = 0;
    TTextRec* t = AsText(n);
    auto shift = [&](Osy& p) { p = {p.x + Rel.x, p.y + Rel.y}; };
    if (!IsTrueTypeText(n)) shift(t->Base);
    for (Osy* p : {&t->Origin, &t->EnvP1, &t->EnvP2, &t->EnvP3, &t->EnvP4, &t->WinMin, &t->WinMax}) shift(*p);
    if (t->AdrGroup) t->AdrGroup = CopyOutline(t->AdrGroup, &Rel);
    AppendObj(n, StartAdr, EndAdr);
    Draw(n, MainCanvas);
    return n;
}

TObjHeader* TEnText::CopyIdent(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    ClearSel(Adresa);
    TObjHeader* n = CopyObjBlock(Adresa);
    if (AsText(n)->AdrGroup) AsText(n)->AdrGroup = CopyOutline(AsText(n)->AdrGroup, nullptr);
    return AppendObj(n, StartAdr, EndAdr);
}

void TEnText::Rotate(TObjHeader* Adresa, const Osy& RotBase, Extended Angle) { DoRotate(Adresa, RotBase, Angle); }

void TEnText::RawRotate(TObjHeader* Adresa, const Osy& RotBase, Extended Angle) {
    DoRotate(Adresa, RotBase, Angle);
}

void TEnText::Scale(TObjHeader* Adresa, const Osy& ScBase, Extended K) { DoScale(Adresa, ScBase, K); }

void TEnText::RawScale(TObjHeader* Adresa, const Osy& ScBase, Extended K) {
    DoScale(Adresa, ScBase, K);
    Draw(Adresa, MainCanvas);
}

void TEnText::Mirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2) {
    DoMirror(Adresa, P1, P2, false);
    Draw(Adresa, MainCanvas);
}

void TEnText::RawMirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2) {
    DoMirror(Adresa, P1, P2, true);
    RawDraw(Adresa, MainCanvas);
}
