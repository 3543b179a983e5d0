// Selection, layer and envelope walks over object lists.
#include "core/UniWalk.h"

#include <string>

#include "core/Entity.h"
#include "core/Glob.h"
#include "core/UniDraw.h"
#include "core/UniGroup.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "core/UniSpace.h"
#include "core/UniText.h"
#include "core/ViewHooks.h"
#include "core/MainVars.h"

namespace {

constexpr uint8_t NotSelected = uint8_t(~FlagSelected);

TObjHeader* OutlineOf(TObjHeader* p) {
    if (p->Type != ObjText || !(AsText(p)->Justify & JustifyHasOutline)) return nullptr;
    return AsText(p)->AdrGroup;
}

bool LayerCountsShown(uint8_t Layer) { return Layer > 67 || Glob.TabLayer[Layer].Show; }

void ShowObjAdr(const TObjHeader* p) {
    if (ShowObjAdrHook) ShowObjAdrHook(p);
}
void DebugListAdr(const TObjHeader* p) {
    if (ListSelectedAdrHook) ListSelectedAdrHook(p);
}
void ShowCount(int32_t Count) {
    if (ShowSelectionCountHook) ShowSelectionCountHook(Count);
}

// The working copy of one record that is not a group: points only with Points,
// polylines always, texts exploded only with Explode, nothing else.
void CopyKind(TObjHeader* p, bool Points, bool Explode, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    switch (p->Type) {
        case ObjPoint:
            if (Points) EnPoint.CopyIdent(p, StartAdr, EndAdr);
            break;
        case ObjPline:
            EnPline.CopyIdent(p, StartAdr, EndAdr);
            break;
        case ObjText:
            if (Explode) EnText.Explode(p, false, StartAdr, EndAdr);
            break;
        default:
            break;
    }
}

// Copies of every member of a remembered group, by the kind rules of the
// remembered selection.
void CopyMembers(TObjHeader* First, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    for (TObjHeader* p = First; p; p = p->Next) {
        if (p->Type == ObjGroup)
            CopyMembers(AsGroup(p)->First, StartAdr, EndAdr);
        else
            CopyKind(p, true, true, StartAdr, EndAdr);
    }
}

}  // namespace

TObjHeader* SelectAll(TObjHeader* First) {
    TObjHeader* last = nullptr;
    for (TObjHeader* p = First; p; p = p->Next) {
        last = p;
        p->Flags |= FlagSelected;
        if (p->Type == ObjGroup) SelectAll(AsGroup(p)->First);
        if (TObjHeader* g = OutlineOf(p); g && g->Type == ObjGroup) ClearSelection(AsGroup(g)->First);
    }
    return last;
}

TObjHeader* ClearSelection(TObjHeader* First) {
    TObjHeader* last = nullptr;
    for (TObjHeader* p = First; p; p = p->Next) {
        last = p;
        p->Flags &= NotSelected;
        if (p->Type == ObjGroup) ClearSelection(AsGroup(p)->First);
        if (TObjHeader* g = OutlineOf(p)) {
            g->Flags &= NotSelected;
            if (g->Type == ObjGroup) ClearSelection(AsGroup(g)->First);
        }
    }
    return last;
}

TObjHeader* ChangeLayerObjs(TObjHeader* First, uint8_t From, uint8_t To) {
    TObjHeader* last = nullptr;
    for (TObjHeader* p = First; p; p = p->Next) {
        last = p;
        if (p->Type == ObjGroup)
            ChangeLayerObjs(AsGroup(p)->First, From, To);
        else if (p->Layer == From)
            p->Layer = To;
    }
    return last;
}

bool LayerIsEmpty(TObjHeader* First, uint8_t Layer) {
    for (TObjHeader* p = First; p; p = p->Next) {
        if (p->Type == ObjGroup) {
            if (!LayerIsEmpty(AsGroup(p)->First, Layer)) return false;
        } else if (p->Layer == Layer) {
            return false;
        }
    }
    return true;
}

void UnlinkLayerObjs(TObjHeader*& StartAdr, TObjHeader*& EndAdr, uint8_t Layer, std::vector<TObjHeader*>& Removed) {
    for (TObjHeader* p = StartAdr; p;) {
        TObjHeader* nx = p->Next;
        bool remove = false;
        if (p->Type == ObjGroup) {
            TGroupRec* g = AsGroup(p);
            UnlinkLayerObjs(g->First, g->Last, Layer, Removed);
            // The member count follows the members that are left.
            g->Count = CountObjs(g->First);
            remove = !g->First;
        } else {
            remove = p->Layer == Layer;
        }
        if (remove) {
            UnlinkObj(p, StartAdr, EndAdr);
            Removed.push_back(p);
        }
        p = nx;
    }
}

void DeleteLayerObjs(TObjHeader*& StartAdr, TObjHeader*& EndAdr, uint8_t Layer) {
    std::vector<TObjHeader*> removed;
    UnlinkLayerObjs(StartAdr, EndAdr, Layer, removed);
    for (TObjHeader* p : removed) {
        TObjHeader *s = p, *e = p;
        DeleteObj(p, s, e);
    }
}

void SelectByWindow(const Osy& Min, const Osy& Max, uint8_t Mode) {
    const bool window = Mode == 0;
    bool changed = false;
    int32_t cnt = 0;
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        const bool takesPart = Glob.View != vSort || p->Type == ObjGroup || p->Layer == Glob.LayerDraw;
        if (takesPart && !(Mode == 2 && changed)) {
            const bool before = (p->Flags & FlagSelected) != 0;
            const bool after = SelectObj(p, Min, Max, window);
            if (after && p->Type == ObjGroup) EnGroup.Draw(p, MainCanvas);
            if (Mode == 2 && after != before) changed = true;
        }
        if (p->Flags & FlagSelected) {
            ++cnt;
            ShowObjAdr(p);
        }
    }
    ShowCount(cnt);
}

void SaveSelection() {
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) p->SavedFlags = p->Flags;
}

void RestoreSelection() {
    int32_t cnt = 0;
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        p->Flags ^= p->SavedFlags;
        if (p->Flags & FlagSelected) ++cnt;
    }
    ShowCount(cnt);
    if (RedrawViewHook) RedrawViewHook();
}

int32_t CountSelection() {
    int32_t cnt = 0;
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
        if (p->Flags & FlagSelected) {
            ++cnt;
            DebugListAdr(p);
        }
    ShowCount(cnt);
    return cnt;
}

int32_t CountSavedSelection() {
    int32_t cnt = 0;
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
        if (p->SavedFlags & FlagSelected) {
            ++cnt;
            DebugListAdr(p);
        }
    ShowCount(cnt);
    return cnt;
}

void SelEnvelope() {
    // The box starts from the first selected object's own box, so drawings beyond
    // 10 m measure right; the +-10000 corners remain only as the empty result.
    Osy mn{10000, 10000}, mx{-10000, -10000};
    bool first = true;
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        if (!(p->Flags & FlagSelected)) continue;
        Osy a, b;
        EnvelopeObj(p, a, b);
        if (first) {
            mn = a, mx = b, first = false;
            continue;
        }
        if (a.x < mn.x) mn.x = a.x;
        if (a.y < mn.y) mn.y = a.y;
        if (b.x > mx.x) mx.x = b.x;
        if (b.y > mx.y) mx.y = b.y;
    }
    MainVars.SelEnv1 = mn;
    MainVars.SelEnv2 = {mx.x, mn.y};
    MainVars.SelEnv3 = mx;
    MainVars.SelEnv4 = {mn.x, mx.y};
}

TObjHeader* CopySelObjects(TObjHeader* First, bool All, bool Points, bool Explode, TObjHeader*& StartAdr,
                           TObjHeader*& EndAdr) {
    TObjHeader* last = nullptr;
    for (TObjHeader* p = First; p; p = p->Next) {
        last = p;
        const bool takes = (p->Flags & FlagSelected) || (All && (LayerCountsShown(p->Layer) || p->Type == ObjGroup));
        if (!takes) continue;
        if (p->Type == ObjGroup)
            CopySelObjects(AsGroup(p)->First, All, Points, Explode, StartAdr, EndAdr);
        else
            CopyKind(p, Points, Explode, StartAdr, EndAdr);
    }
    return last;
}

TObjHeader* CopySavedSelObjects(TObjHeader* First, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    TObjHeader* last = nullptr;
    for (TObjHeader* p = First; p; p = p->Next) {
        last = p;
        if (!(p->SavedFlags & FlagSelected)) continue;
        // SaveSelection remembers top-level records only: a group's state stands for
        // its members, which all take part.
        if (p->Type == ObjGroup)
            CopyMembers(AsGroup(p)->First, StartAdr, EndAdr);
        else
            CopyKind(p, true, true, StartAdr, EndAdr);
    }
    return last;
}

TObjHeader* FindDirAll(TObjHeader* First) {
    TObjHeader* last = nullptr;
    for (TObjHeader* p = First; p; p = p->Next) {
        last = p;
        if (p->Type == ObjPline)
            EnPline.FindDir(p);
        else if (p->Type == ObjPline3D)
            EnSpace.FindDir(p);
        else if (p->Type == ObjGroup)
            FindDirAll(AsGroup(p)->First);
    }
    return last;
}

bool HasObjOfType(uint8_t Kind, uint8_t Layer, TObjHeader* First) {
    for (TObjHeader* p = First; p; p = p->Next) {
        if (p->Type == Kind && p->Layer == Layer) return true;
        if (p->Type == ObjGroup && HasObjOfType(Kind, Layer, AsGroup(p)->First)) return true;
    }
    return false;
}
