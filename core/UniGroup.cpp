// The group entity: layer searches, drawing, picking, envelope, deletion, copies and
// transforms, each by the entity dispatch over the member list.
#include "core/UniGroup.h"
#include "core/LayerShown.h"
#include "core/UniText.h"

#include <string>

#include "core/Entity.h"
#include "core/Glob.h"
#include "core/UniDraw.h"
#include "core/UniLog.h"

TEnGroup EnGroup;

namespace {

// Empty result of an envelope (no member gives a box).
constexpr Extended EmptyEnvMin = 10000, EmptyEnvMax = -10000;

TGroupRec* G(TObjHeader* p) { return AsGroup(p); }

void ClearSel(TObjHeader* p) { p->Flags &= uint8_t(~FlagSelected); }


bool KnownKind(const TObjHeader* m) { return m->Type >= ObjPoint && m->Type <= ObjPline3D; }

// MakeGroup draws a new group through this.
void DrawOnMain(TObjHeader* g) { EnGroup.Draw(g, MainCanvas); }

[[maybe_unused]] const bool Installed = (MakeGroupDraw = DrawOnMain, true);

}  // namespace

void InstallGroupDraw() { MakeGroupDraw = DrawOnMain; }

namespace {

// The box of one member; false when it has none (unknown kind, group without members).
bool MemberBox(TObjHeader* m, Osy& Min, Osy& Max);

bool MembersBox(TObjHeader* g, Osy& Min, Osy& Max) {
    bool Any = false;
    for (TObjHeader* m = G(g)->First; m; m = m->Next) {
        Osy a, b;
        if (!MemberBox(m, a, b)) continue;
        if (!Any) {
            Min = a;
            Max = b;
            Any = true;
            continue;
        }
        if (a.x < Min.x) Min.x = a.x;
        if (a.y < Min.y) Min.y = a.y;
        if (b.x > Max.x) Max.x = b.x;
        if (b.y > Max.y) Max.y = b.y;
    }
    return Any;
}

bool MemberBox(TObjHeader* m, Osy& Min, Osy& Max) {
    if (m->Type == ObjGroup) return MembersBox(m, Min, Max);
    if (!KnownKind(m)) return false;
    EnvelopeObj(m, Min, Max);
    return true;
}

// The selected state a member's Select would leave, computed without side effects.
bool PredictSelect(TObjHeader* m, const Osy& Min, const Osy& Max, bool Window) {
    bool Sel = (m->Flags & FlagSelected) != 0;
    if (m->Type == ObjGroup) return Sel != EnGroup.RawSelect(m, Min, Max, Window);
    if (!KnownKind(m) || !LayerShown(m->Layer)) return false;
    return Sel != RawSelectObj(m, Min, Max, Window);
}

// Whether a group with n members of which Diff came back differing from its own
// state flips: a window needs all of them, a crossing one.
bool Flips(int32_t n, int32_t Diff, bool Window) {
    return n > 0 && (Window ? Diff == n : Diff > 0);
}

void LogRefused(TObjHeader* Adresa, const Osy& Sc) {
    WriteLog("Err:Non-proportional scale refused, factors must be positive (Adr:" +
             std::to_string(uintptr_t(Adresa)) + ", x:" + std::to_string(double(Sc.x)) +
             ", y:" + std::to_string(double(Sc.y)) + ")");
}

}  // namespace

int32_t TEnGroup::UpdateCount(TObjHeader* Adresa) {
    return G(Adresa)->Count = CountObjs(G(Adresa)->First);
}

// ---------------------------------------------------------------- layer searches

bool TEnGroup::StartPt(TObjHeader* Adresa, uint8_t Layer, Osy& S) {
    for (TObjHeader* m = G(Adresa)->First; m; m = m->Next) {
        if (m->Type == ObjGroup) {
            if (StartPt(m, Layer, S)) return true;
            continue;
        }
        if (m->Layer != Layer) continue;
        if (m->Type == ObjPoint || m->Type == ObjPline) {
            S = AsPline(m)->S;
            return true;
        }
        if (m->Type == ObjText) {
            Osy E;
            EnText.StartEndPt(m, S, E);
            return true;
        }
    }
    return false;
}

bool TEnGroup::EndPt(TObjHeader* Adresa, uint8_t Layer, Osy& E) {
    for (TObjHeader* m = G(Adresa)->Last; m; m = m->Prev) {
        if (m->Type == ObjGroup) {
            if (EndPt(m, Layer, E)) return true;
            continue;
        }
        if (m->Layer != Layer) continue;
        if (m->Type == ObjPoint || m->Type == ObjPline) {
            E = PlineEndPt(m);
            return true;
        }
        if (m->Type == ObjText) {
            Osy S;
            EnText.StartEndPt(m, S, E);
            return true;
        }
    }
    return false;
}

bool TEnGroup::Contents(uint8_t Layer, TObjHeader* Adresa) {
    for (TObjHeader* m = G(Adresa)->First; m; m = m->Next) {
        if (m->Type == ObjGroup) {
            if (Contents(Layer, m)) return true;
        } else if (m->Layer == Layer) {
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- drawing and picking

void TEnGroup::Draw(TObjHeader* Adresa, TCanvas* Canv) {
    if (!Adresa) return;
    // Stays set for the remaining members of an enclosing group.
    bool Outer = Glob.Sort.InGroup;
    Glob.Sort.InGroup = true;
    for (TObjHeader* m = G(Adresa)->First; m; m = m->Next) {
        m->Flags = Adresa->Flags;
        DrawObj(m, Canv);
    }
    Glob.Sort.InGroup = Outer;
}

void TEnGroup::RawDraw(TObjHeader* Adresa, TCanvas* Canv) {
    if (!Adresa) return;
    bool Outer = Glob.Sort.InGroup;
    Glob.Sort.InGroup = true;
    for (TObjHeader* m = G(Adresa)->First; m; m = m->Next) {
        if (m->Type != ObjGroup && Canv && m->Layer <= LayerCount)
            Canv->PenColor = Glob.TabLayer[m->Layer].Color;
        RawDrawObj(m, Canv);
    }
    Glob.Sort.InGroup = Outer;
}

bool TEnGroup::Select(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window) {
    bool Sel = (Adresa->Flags & FlagSelected) != 0;
    int32_t n = 0, Diff = 0;
    for (TObjHeader* m = G(Adresa)->First; m; m = m->Next) {
        ++n;
        if (SelectObj(m, Min, Max, Window) != Sel) ++Diff;
    }
    G(Adresa)->Count = n;
    if (Flips(n, Diff, Window)) Adresa->Flags ^= FlagSelected;
    // Members caught were toggled one by one; drawing gives them the group's state.
    if (Diff > 0) Draw(Adresa, MainCanvas);
    return (Adresa->Flags & FlagSelected) != 0;
}

bool TEnGroup::RawSelect(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window) {
    bool Sel = (Adresa->Flags & FlagSelected) != 0;
    int32_t n = 0, Diff = 0;
    for (TObjHeader* m = G(Adresa)->First; m; m = m->Next) {
        ++n;
        if (PredictSelect(m, Min, Max, Window) != Sel) ++Diff;
    }
    return Flips(n, Diff, Window);
}

void TEnGroup::Envelope(const TObjHeader* Adresa, Osy& Min, Osy& Max) {
    if (!MembersBox(const_cast<TObjHeader*>(Adresa), Min, Max)) {
        Min = {EmptyEnvMin, EmptyEnvMin};
        Max = {EmptyEnvMax, EmptyEnvMax};
    }
}

// ---------------------------------------------------------------- list and transforms

void TEnGroup::Delete(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    TGroupRec* g = G(Adresa);
    for (TObjHeader* m = g->First; m;) {
        TObjHeader* Next = m->Next;
        if (m->Type == ObjGroup)
            Delete(m, g->First, g->Last);
        else
            DeleteObj(m, g->First, g->Last);
        m = Next;
    }
    g->Count = 0;
    DeleteObj(Adresa, StartAdr, EndAdr);
}

#define GROUP_EACH(CALL)                                                       \
    for (TObjHeader* m = G(Adresa)->First; m; m = m->Next) CALL;               \
    ClearSel(Adresa)

void TEnGroup::Move(TObjHeader* Adresa, const Osy& Rel) { GROUP_EACH(MoveObj(m, Rel)); }
void TEnGroup::RawMove(TObjHeader* Adresa, const Osy& Rel) { GROUP_EACH(RawMoveObj(m, Rel)); }
void TEnGroup::Rotate(TObjHeader* Adresa, const Osy& Base, Extended Angle) {
    GROUP_EACH(RotateObj(m, Base, Angle));
}
void TEnGroup::RawRotate(TObjHeader* Adresa, const Osy& Base, Extended Angle) {
    GROUP_EACH(RawRotateObj(m, Base, Angle));
}
void TEnGroup::Scale(TObjHeader* Adresa, const Osy& Base, Extended Scale) {
    GROUP_EACH(ScaleObj(m, Base, Scale));
}
void TEnGroup::RawScale(TObjHeader* Adresa, const Osy& Base, Extended Scale) {
    GROUP_EACH(RawScaleObj(m, Base, Scale));
}
void TEnGroup::Mirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2) {
    GROUP_EACH(MirrorObj(m, P1, P2));
}
void TEnGroup::RawMirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2) {
    GROUP_EACH(RawMirrorObj(m, P1, P2));
}

#undef GROUP_EACH

bool TEnGroup::NpropScale(TObjHeader* Adresa, const Osy& Base, const Osy& Scale, bool Draw,
                          TObjHeader*& Adr) {
    // Refused once for the whole group, so no member is left half scaled.
    if (!(Scale.x > 0 && Scale.y > 0)) {
        LogRefused(Adresa, Scale);
        return false;
    }
    TGroupRec* g = G(Adresa);
    TObjHeader* First = g->First;
    TObjHeader* Last = g->Last;
    for (TObjHeader* m = First; m;) {
        TObjHeader* Next = m->Next;  // m may be replaced
        NpropScaleObj(m, Base, Scale, First, Last, Draw, Adr);
        m = Next;
    }
    ClearSel(Adresa);
    g->First = First;
    g->Last = Last;
    UpdateCount(Adresa);
    return true;
}

namespace {

// The new group record of a copy: the source's Flags and Layer, linked at the end of
// StartAdr..EndAdr; the members are filled in by the caller.
TObjHeader* NewGroupLike(TObjHeader* Src, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    TObjHeader* N = AllocObj(GroupRecSize, ObjGroup);
    N->Flags = Src->Flags;
    N->Layer = Src->Layer;
    return AppendObj(N, StartAdr, EndAdr);
}

}  // namespace

TObjHeader* TEnGroup::Copy(TObjHeader* Adresa, const Osy& Rel, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    ClearSel(Adresa);
    TObjHeader* N = NewGroupLike(Adresa, StartAdr, EndAdr);
    N->SavedFlags = 0;
    TGroupRec* ng = G(N);
    for (TObjHeader* m = G(Adresa)->First; m; m = m->Next) CopyObj(m, Rel, ng->First, ng->Last);
    UpdateCount(N);
    return N;
}

TObjHeader* TEnGroup::CopyIdent(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    ClearSel(Adresa);
    TObjHeader* N = NewGroupLike(Adresa, StartAdr, EndAdr);
    N->SavedFlags = Adresa->SavedFlags;
    TGroupRec* ng = G(N);
    for (TObjHeader* m = G(Adresa)->First; m; m = m->Next) CopyIdentObj(m, ng->First, ng->Last);
    UpdateCount(N);
    return N;
}

void TEnGroup::ChangeLayer(TObjHeader* Adresa, uint8_t Layer) {
    for (TObjHeader* m = G(Adresa)->First; m; m = m->Next) {
        if (m->Type == ObjGroup)
            ChangeLayer(m, Layer);
        else if (KnownKind(m))
            m->Layer = Layer;
    }
    ClearSel(Adresa);
}
