// The text entity: record <-> parameters, creation with justification, rebuild in
// place and non-proportional scaling.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "core/IntFont.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniGroup.h"
#include "core/UniLog.h"
#include "core/UniText.h"
#include "core/UniTrueType.h"

TEnText EnText;

namespace {

// The empty envelope of a walk that drew nothing.
constexpr Extended EmptyMin = 10000, EmptyMax = -10000;

bool BlanksOnly(const std::string& S) {
    return std::all_of(S.begin(), S.end(), [](char c) { return c == ' '; });
}

// R(M(P)) for the rotation and mirror of T.
Osy RotMir(const ParText& T, const Osy& P) {
    Extended y = T.MirrorY ? -P.y : P.y;
    Extended c = std::cos(T.Rotate), s = std::sin(T.Rotate);
    return {P.x * c - y * s, P.x * s + y * c};
}

// Stroke envelope walk of WorkText; false when no stroke was drawn.
bool StrokeEnvelope(uint8_t Layer) {
    WorkText.WinMin = {EmptyMin, EmptyMin};
    WorkText.WinMax = {EmptyMax, EmptyMax};
    TObjHeader *s = nullptr, *e = nullptr;
    WalkShpText(ShpEnvelope, Osy{}, Osy{}, nullptr, 1, Layer, s, e);
    return WorkText.WinMin.x <= WorkText.WinMax.x;
}

// Every point of a polyline member p := R(M(p)) + T; arcs turn the other way under
// the mirror.
void PlaceOutline(TObjHeader* Group, const Osy& T) {
    for (TObjHeader* m = AsGroup(Group)->First; m; m = m->Next) {
        if (m->Type != ObjPline && m->Type != ObjPoint) continue;
        Osy& s = FirstPt(m);
        Osy q = RotMir(WorkText, s);
        s = {q.x + T.x, q.y + T.y};
        if (m->Type != ObjPline) continue;
        TPlineSeg* seg = PlineSegs(m);
        for (int32_t i = 0; i < PlineSegCount(m); ++i) {
            Osy r = RotMir(WorkText, seg[i].E);
            seg[i].E = {r.x + T.x, r.y + T.y};
            if (WorkText.MirrorY) seg[i].Alfa = -seg[i].Alfa;
        }
    }
}

}  // namespace

Osy TextFrameToWorld(const ParText& T, const Osy& Base, const Osy& P) {
    Osy q = RotMir(T, P);
    return {Base.x + q.x, Base.y + q.y};
}

void TextEnvelopeAgain() {
    if (WorkText.Justify & JustifyTrueType) {
        if (WorkText.AdrGroup) EnGroup.Envelope(WorkText.AdrGroup, WorkText.WinMin, WorkText.WinMax);
        return;
    }
    if (!StrokeEnvelope(0)) {
        WorkText.WinMin = WorkText.Base;
        WorkText.WinMax = {WorkText.Base.x + 1, WorkText.Base.y + 1};
    }
}

void TEnText::ReadParamText(const TObjHeader* Adresa, ParText& P) {
    const TTextRec* t = static_cast<const TTextRec*>(Adresa);
    P.Base = t->Base;
    P.Vyska = t->Vyska;
    P.WidthFactor = t->WidthFactor;
    P.Rotate = t->Rotate;
    P.Zkos = t->Zkos;
    P.MirrorY = t->MirrorY != 0;
    P.Justify = t->Justify;
    P.Origin = t->Origin;
    P.WinMin = t->WinMin;
    P.WinMax = t->WinMax;
    P.EnvP1 = t->EnvP1;
    P.EnvP2 = t->EnvP2;
    P.EnvP3 = t->EnvP3;
    P.EnvP4 = t->EnvP4;
    P.JmFontu = t->JmFontu.Get();
    P.AdrGroup = t->AdrGroup;
    P.Text = t->Text.Get();
}

void TEnText::WriteParamText(TObjHeader* Adresa) {
    TTextRec* t = AsText(Adresa);
    const ParText& P = WorkText;
    t->Base = P.Base;
    t->Vyska = P.Vyska;
    t->WidthFactor = P.WidthFactor;
    t->Rotate = P.Rotate;
    t->Zkos = P.Zkos;
    t->MirrorY = P.MirrorY ? 255 : 0;
    t->Justify = P.Justify;
    t->Origin = P.Origin;
    t->WinMin = P.WinMin;
    t->WinMax = P.WinMax;
    t->EnvP1 = P.EnvP1;
    t->EnvP2 = P.EnvP2;
    t->EnvP3 = P.EnvP3;
    t->EnvP4 = P.EnvP4;
    t->JmFontu.Set(P.JmFontu);
    t->AdrGroup = P.AdrGroup;
    t->Text.Set(P.Text);
}

TObjHeader* TEnText::Add(uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr, bool Draw) {
    ParText& W = WorkText;
    // An empty text or one of blanks alone has nothing to show; blanks around other
    // characters are part of the text.
    if (BlanksOnly(W.Text)) return nullptr;
    // Without a height or a font the text would be invisible and could not be read back.
    if (!TextStyleUsable(W)) {
        WriteLog("Err:Text not made, height <= 0 or no font");
        return nullptr;
    }
    W.Text = W.Text.substr(0, 255);
    W.JmFontu = W.JmFontu.substr(0, FontNameMax);

    const int j = W.Justify & 15;
    const int h = j % 3, v = std::min(j / 3, 2);
    const bool tt = (W.Justify & JustifyTrueType) != 0;
    Extended xmin = 0, xmax = 0;

    if (tt) {
        // The outline in the frame; its box gives the ink's extent.
        if (!TrueTypeOutlineBuild(Layer)) return nullptr;
        AsGroup(W.AdrGroup)->Layer = Layer;
        xmin = W.WinMin.x;
        xmax = W.WinMax.x;
    } else {
        // The strokes' extent in the frame: measured unrotated and unmirrored at (0, 0).
        const bool mir = W.MirrorY;
        const Extended rot = W.Rotate;
        W.Base = {0, 0};
        W.MirrorY = false;
        W.Rotate = 0;
        if (StrokeEnvelope(Layer)) {
            xmin = W.WinMin.x;
            xmax = W.WinMax.x;
        } else {
            xmin = 0;
            xmax = W.Vyska / 2;
        }
        W.MirrorY = mir;
        W.Rotate = rot;
    }

    const Osy J{xmin + h * (xmax - xmin) / 2, v * W.Vyska / 2};
    const Osy rj = RotMir(W, J);
    const Osy T{W.Origin.x - rj.x, W.Origin.y - rj.y};
    W.EnvP1 = TextFrameToWorld(W, T, {xmin, 0});
    W.EnvP2 = TextFrameToWorld(W, T, {xmax, 0});
    W.EnvP3 = TextFrameToWorld(W, T, {xmax, W.Vyska});
    W.EnvP4 = TextFrameToWorld(W, T, {xmin, W.Vyska});

    if (tt) {
        PlaceOutline(W.AdrGroup, T);
        EnGroup.Envelope(W.AdrGroup, W.WinMin, W.WinMax);
        W.Base = {0, 0};
    } else {
        W.Base = T;
        W.Justify &= uint8_t(~JustifyTrueType);
        W.AdrGroup = nullptr;
        TextEnvelopeAgain();
    }

    TObjHeader* r = AllocObj(TextRecSize, ObjText);
    r->Layer = Layer;
    r->SavedFlags = 0;
    AppendObj(r, StartAdr, EndAdr);
    WriteParamText(r);
    if (Draw) this->Draw(r, MainCanvas);
    return r;
}

bool TEnText::EditTextParam(TObjHeader* Adresa) {
    TObjHeader *s = nullptr, *e = nullptr;
    TObjHeader* n = Add(Adresa->Layer, s, e, true);
    if (!n) return false;
    TObjHeader* old = AsText(Adresa)->AdrGroup;
    TObjHeader* next = Adresa->Next;
    TObjHeader* prev = Adresa->Prev;
    std::memcpy(static_cast<void*>(Adresa), n, size_t(TextRecSize));
    Adresa->Next = next;
    Adresa->Prev = prev;
    FreeObjBlock(n);  // its outline group now belongs to Adresa
    if (old) {
        TObjHeader *gs = old, *ge = old;
        DeleteObj(old, gs, ge);
    }
    Adresa->Flags &= uint8_t(~FlagSelected);
    if (TObjHeader* g = AsText(Adresa)->AdrGroup) g->Flags &= uint8_t(~FlagSelected);
    WorkText.AdrGroup = AsText(Adresa)->AdrGroup;
    return true;
}

bool TEnText::NpropScale(TObjHeader* Adresa, const Osy& ScBase, const Osy& Scale, TObjHeader*& Adr) {
    if (!(Scale.x > 0 && Scale.y > 0)) {
        WriteLog("Err:Non-proportional scale refused, factors must be positive (Adr:" +
                 std::to_string(uintptr_t(Adresa)) + ")");
        return false;
    }
    Adresa->Flags &= uint8_t(~FlagSelected);
    ReadParamText(Adresa, WorkText);
    ParText& W = WorkText;
    W.Origin = {ScBase.x + (W.Origin.x - ScBase.x) * Scale.x, ScBase.y + (W.Origin.y - ScBase.y) * Scale.y};
    // The text's own axes: x along the baseline, y across it.
    const Extended width = W.Vyska * W.WidthFactor;
    const Extended r = W.Rotate;
    W.Vyska *= std::hypot(std::cos(r + GeomPi2) * Scale.x, std::sin(r + GeomPi2) * Scale.y);
    if (W.Vyska > 0) W.WidthFactor = width * std::hypot(std::cos(r) * Scale.x, std::sin(r) * Scale.y) / W.Vyska;
    // A text that cannot be rebuilt (its TrueType face is missing) stays as it was.
    EditTextParam(Adresa);
    Adr = Adresa;
    return true;
}
