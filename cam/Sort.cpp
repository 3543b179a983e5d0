#include "cam/Sort.h"

#include <cmath>
#include <vector>

#include "cam/NearestIndex.h"
#include "commands/ComExplode.h"
#include "commands/ComOrder.h"
#include "commands/ComRegen.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniGroup.h"
#include "core/UniPline.h"
#include "core/UniText.h"
#include "core/UniWalk.h"

namespace {

struct TSortItem {
    TObjHeader* Obj;
    Osy S, E;
    bool FromEnd;  // may be entered from its end (a polyline, with the option)
};

// Where the machine enters and leaves an object. Groups and texts are looked through
// (their first and last object on the layer); a 3D polyline by its own ends in XY.
TSortItem MakeItem(TObjHeader* p, uint8_t Layer, const TSortOptions& Options) {
    TSortItem It{p, {0, 0}, {0, 0}, Options.PlineSwap && p->Type == ObjPline};
    switch (p->Type) {
        case ObjPoint:
        case ObjPline:
            It.S = AsPline(p)->S;
            It.E = PlineEndPt(p);
            break;
        case ObjPline3D: {
            const TPline3DRec* r = AsPline3D(p);
            It.S = {r->S.x, r->S.y};
            const int32_t n = Pline3DSegCount(p);
            const Osy3D& L = n > 0 ? Pline3DSegs(p)[n - 1].E : r->S;
            It.E = {L.x, L.y};
            break;
        }
        case ObjGroup:
            EnGroup.StartPt(p, Layer, It.S);
            EnGroup.EndPt(p, Layer, It.E);
            break;
        case ObjText:
            EnText.StartEndPt(p, It.S, It.E);
            break;
        default:
            break;
    }
    return It;
}

bool Takes(TObjHeader* p, uint8_t Layer) {
    return p->Type == ObjGroup ? EnGroup.Contents(Layer, p) : p->Layer == Layer;
}

// Renumbers the objects in the tree's order (keys 2 i and 2 i + 1 belong to object i):
// the walk goes from an object to a near one, so it then reads Items and the index's
// per-object arrays close to where it read last instead of all over them, which on a
// large layer is a cache miss at every step. Pos gets each object's place in the list
// it came in, ItemAt the object at each place.
void NumberInTreeOrder(TNearestIndex& Index, std::vector<TSortItem>& Items, std::vector<int32_t>& Pos,
                       std::vector<int32_t>& ItemAt) {
    const size_t n = Items.size();
    std::vector<int32_t> NewOf(n, -1);
    Pos.assign(n, -1);
    ItemAt.assign(n, -1);
    int32_t Next = 0;
    for (int32_t k = 0; k < Index.Size(); ++k) {
        const int32_t Old = Index.At(k).Item / 2;
        if (NewOf[size_t(Old)] < 0) NewOf[size_t(Old)] = Next, Pos[size_t(Next)] = Old, ++Next;
    }
    std::vector<int32_t> NewKeyItem(n * 2);
    for (size_t i = 0; i < n; ++i) {
        NewKeyItem[2 * i] = 2 * NewOf[i];
        NewKeyItem[2 * i + 1] = 2 * NewOf[i] + 1;
    }
    Index.RenameItems(NewKeyItem);
    std::vector<TSortItem> InTreeOrder;
    InTreeOrder.reserve(n);
    for (size_t j = 0; j < n; ++j) {
        InTreeOrder.push_back(Items[size_t(Pos[j])]);
        ItemAt[size_t(Pos[j])] = int32_t(j);
    }
    Items.swap(InTreeOrder);
}

}  // namespace

void SortLayer(uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr, const Osy& StartPt,
               const TSortOptions& Options, TRegenQueue* Q, const std::function<void(int32_t)>& Progress) {
    auto Report = [&](int32_t P) {
        if (Progress) Progress(P);
    };
    Report(0);
    // Collect the layer's objects; the rest stays where it is. Unless they are joined or
    // sorted inside first, each is measured while its record is at hand: a second walk
    // along a long list misses the cache at every record.
    const bool AsTheyAre = !Options.Join && !Options.SortGroups;
    std::vector<TSortItem> Items;
    TObjHeader *WS = nullptr, *WE = nullptr;
    for (TObjHeader* p = StartAdr; p;) {
        TObjHeader* Next = p->Next;
        if (Takes(p, Layer)) {
            UnlinkObj(p, StartAdr, EndAdr);
            if (AsTheyAre) Items.push_back(MakeItem(p, Layer, Options));
            else AppendObj(p, WS, WE);
        }
        p = Next;
    }
    if (!AsTheyAre && WS) {
        if (Options.Join) {
            SelectAll(WS);
            TRegenQueue Local(false);
            JoinKeepingLinks(Layer, WS, WE, Q ? *Q : Local);
            ClearSelection(WS);
        }
        if (Options.SortGroups)
            for (TObjHeader* p = WS; p; p = p->Next)
                if (p->Type == ObjGroup) {
                    SortLayer(Layer, AsGroup(p)->First, AsGroup(p)->Last, StartPt, Options, Q);
                    EnGroup.UpdateCount(p);
                }
        for (TObjHeader* p = WS; p; p = p->Next) Items.push_back(MakeItem(p, Layer, Options));
    }
    // The records now live in Items until they are appended back.
    if (Items.empty()) return;

    // Keys: every object's start; a polyline's end too when it may be entered there.
    // Key numbers: 2 i for the start of object i, 2 i + 1 for its end.
    const int32_t n = int32_t(Items.size());
    std::vector<TNearestIndex::TKey> Keys;
    Keys.reserve(size_t(n) * 2);
    for (int32_t i = 0; i < n; ++i) {
        Keys.push_back({Items[size_t(i)].S, 2 * i});
        if (Items[size_t(i)].FromEnd) Keys.push_back({Items[size_t(i)].E, 2 * i + 1});
    }
    TNearestIndex Index(std::move(Keys));
    auto Item = [](int32_t KeyItem) { return KeyItem / 2; };
    // Pos keeps each object's place in the list, the one that decides ties; it follows
    // the swaps, because equal distances go to whichever object stands earlier in the
    // list at that moment. ItemAt is the object at each place.
    std::vector<int32_t> Pos, ItemAt;
    NumberInTreeOrder(Index, Items, Pos, ItemAt);
    auto Better = [&](const TNearestIndex::TKey& A, const TNearestIndex::TKey& B) {
        const int32_t pa = Pos[size_t(Item(A.Item))], pb = Pos[size_t(Item(B.Item))];
        return pa != pb ? pa < pb : (A.Item % 2) < (B.Item % 2);
    };
    Osy Cur = StartPt;
    const Extended n2 = Extended(n) * n;
    for (int32_t s = 0; s < n; ++s) {
        int32_t Key = -1;
        Extended D = 0;
        if (!Index.Nearest(Cur, Better, Key, D)) break;
        const int32_t KeyItem = Index.At(Key).Item;
        const int32_t b = Item(KeyItem);
        TSortItem& Best = Items[size_t(b)];
        if (KeyItem % 2 == 1) {
            // Entered from its end: the polyline is turned round.
            EnPline.ChangeDir(Best.Obj);
            std::swap(Best.S, Best.E);
        }
        const int32_t j = Pos[size_t(b)];
        if (j != s) {
            const int32_t a = ItemAt[size_t(s)];
            ItemAt[size_t(s)] = b;
            ItemAt[size_t(j)] = a;
            Pos[size_t(b)] = s;
            Pos[size_t(a)] = j;
        }
        Index.RemoveItem(2 * b);
        if (Best.FromEnd) Index.RemoveItem(2 * b + 1);
        Cur = Best.E;
        if (Progress) {
            const Extended Left = Extended(n - s - 1);
            Report(int32_t(std::lround(double((n2 - Left * Left) * 100 / n2))));
        }
    }
    for (int32_t s = 0; s < n; ++s) AppendObj(Items[size_t(ItemAt[size_t(s)])].Obj, StartAdr, EndAdr);
    Report(100);
}

void DivideGroupByLayer(TObjHeader* Group, TObjHeader*& First, TObjHeader*& Last) {
    TGroupRec* G = AsGroup(Group);
    // Nested groups first: their pieces become members of this group.
    for (TObjHeader* m = G->First; m;) {
        TObjHeader* Next = m->Next;
        if (m->Type == ObjGroup) DivideGroupByLayer(m, G->First, G->Last);
        m = Next;
    }
    std::vector<TObjHeader*> Made;
    for (int La = 1; La <= LayerCount; ++La) {
        TObjHeader *S = nullptr, *E = nullptr;
        for (TObjHeader* m = G->First; m;) {
            TObjHeader* Next = m->Next;
            if (m->Layer == La) {
                UnlinkObj(m, G->First, G->Last);
                AppendObj(m, S, E);
            }
            m = Next;
        }
        if (!S) continue;
        TObjHeader* N = MakeGroup(false, S, E);
        N->Layer = uint8_t(La);
        N->Flags = FlagNew;
        InsertObjAfter(nullptr, N, First, Last);
        Made.push_back(N);
    }
    AddEditAdr(Group).New = Made;
    UnlinkObj(Group, First, Last);
    // Members that lay on no layer 1..68 stay with the record and go with it.
    TObjHeader *Rest = G->First, *RestEnd = G->Last;
    FreeObjList(Rest, RestEnd);
    FreeObjBlock(Group);
}
