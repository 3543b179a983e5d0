// Object records: allocation, list operations and the list-invariant check.
#include "core/ObjRecords.h"

#include <cstdlib>
#include <new>
#include <cstring>
#include <unordered_set>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "core/ObjIndex.h"
#include "core/UniLog.h"

TDrawObjFn MakeGroupDraw = nullptr;

static std::string AdrText(const void* p) { return std::to_string(reinterpret_cast<uintptr_t>(p)); }

// The drawing's index when StartAdr is the list it follows, else nullptr.
static TObjIndex* IndexOf(TObjHeader* const& StartAdr) {
    TObjIndex& I = DrawingIndex();
    return I.Follows(StartAdr) ? &I : nullptr;
}

namespace {

// Records come and go in large lists: a text's outlines rebuilt, a pocket's offsets, a
// drawing read or closed. glibc hands the freed top of its heap back to the system
// once it exceeds a threshold that it moves by itself (by the largest mapped block
// freed so far), so whether the next build of the same list finds its memory or takes
// every page anew from the kernel depended on what ran before: the same text cost up
// to several times more after smaller ones. Freed memory up to TrimKeep stays for the
// next build, and blocks up to the library's largest mapping threshold come from the
// heap, both fixed from the start.
struct THeapPolicy {
    THeapPolicy() {
#if defined(__GLIBC__)
        constexpr int MapAbove = 32 << 20, TrimKeep = 128 << 20;
        mallopt(M_MMAP_THRESHOLD, MapAbove);
        mallopt(M_TRIM_THRESHOLD, TrimKeep);
#endif
    }
} HeapPolicy;

}  // namespace

TObjHeader* AllocObj(int32_t Size, uint8_t Type) {
    if (Size < int32_t(sizeof(TObjHeader))) Size = sizeof(TObjHeader);
    // malloc aligns to 16 bytes, which the extended-real fields need.
    auto* p = static_cast<TObjHeader*>(std::calloc(1, size_t(Size)));
    if (!p) throw std::bad_alloc();
    p->Size = Size;
    p->Type = Type;
    p->Flags = FlagNew;
    return p;
}

TObjHeader* CopyObjBlock(const TObjHeader* Src) {
    auto* p = static_cast<TObjHeader*>(std::malloc(size_t(Src->Size)));
    if (!p) throw std::bad_alloc();
    std::memcpy(p, Src, size_t(Src->Size));
    p->Next = nullptr;
    p->Prev = nullptr;
    return p;
}

void FreeObjBlock(TObjHeader* Obj) { std::free(Obj); }

TObjHeader* AppendObj(TObjHeader* Obj, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (!Obj) return nullptr;
    Obj->Next = nullptr;
    if (!StartAdr) {
        StartAdr = Obj;
        Obj->Prev = nullptr;
    } else {
        Obj->Prev = EndAdr;
        EndAdr->Next = Obj;
    }
    EndAdr = Obj;
    if (TObjIndex* I = IndexOf(StartAdr)) I->Appended(Obj);
    return Obj;
}

void UnlinkObj(TObjHeader* Obj, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (!Obj) return;
    if (TObjIndex* I = IndexOf(StartAdr)) I->Unlinked(Obj);
    TObjHeader* p = Obj->Prev;
    TObjHeader* n = Obj->Next;
    if (p) {
        p->Next = n;
        if (n)
            n->Prev = p;
        else
            EndAdr = p;
    } else if (n) {
        StartAdr = n;
        n->Prev = nullptr;
    } else {
        StartAdr = nullptr;
        EndAdr = nullptr;
    }
    Obj->Next = nullptr;
    Obj->Prev = nullptr;
}

// Frees an unlinked record and everything it owns. Iterative, so that deeply nested
// groups (from any file) cannot exhaust the stack.
static void FreeOwned(TObjHeader* Obj) {
    // Most records own nothing: freed without the work list, whose allocation would
    // double the heap traffic of freeing a large drawing.
    if (Obj->Type != ObjGroup && !(Obj->Type == ObjText && AsText(Obj)->AdrGroup)) {
        FreeObjBlock(Obj);
        return;
    }
    std::vector<TObjHeader*> work{Obj};
    while (!work.empty()) {
        TObjHeader* r = work.back();
        work.pop_back();
        if (r->Type == ObjGroup) {
            for (TObjHeader* m = AsGroup(r)->First; m;) {
                TObjHeader* next = m->Next;
                work.push_back(m);
                m = next;
            }
        } else if (r->Type == ObjText && AsText(r)->AdrGroup) {
            work.push_back(AsText(r)->AdrGroup);
        }
        FreeObjBlock(r);
    }
}

void DeleteObj(TObjHeader* Obj, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (!Obj) return;
    UnlinkObj(Obj, StartAdr, EndAdr);
    FreeOwned(Obj);
}

void FreeObjList(TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (TObjIndex* I = IndexOf(StartAdr)) I->Cleared();
    for (TObjHeader* r = StartAdr; r;) {
        TObjHeader* next = r->Next;
        FreeOwned(r);
        r = next;
    }
    StartAdr = nullptr;
    EndAdr = nullptr;
}

void ReplaceObj(TObjHeader* Old, TObjHeader* New, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (!Old || !New || Old == New) return;
    if (TObjIndex* I = IndexOf(StartAdr)) I->Replaced(Old, New);
    New->Next = Old->Next;
    New->Prev = Old->Prev;
    if (New->Prev) New->Prev->Next = New;
    if (New->Next) New->Next->Prev = New;
    if (StartAdr == Old) StartAdr = New;
    if (EndAdr == Old) EndAdr = New;
    Old->Next = nullptr;
    Old->Prev = nullptr;
    FreeOwned(Old);
}

void InsertObjAfter(TObjHeader* After, TObjHeader* Obj, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (!Obj) return;
    if (!StartAdr || After == EndAdr) {
        AppendObj(Obj, StartAdr, EndAdr);
        return;
    }
    if (TObjIndex* I = IndexOf(StartAdr)) I->Inserted(Obj);
    if (After) {
        Obj->Prev = After;
        Obj->Next = After->Next;
        After->Next->Prev = Obj;
        After->Next = Obj;
    } else {
        Obj->Prev = nullptr;
        Obj->Next = StartAdr;
        StartAdr->Prev = Obj;
        StartAdr = Obj;
    }
}

void SwapObjs(TObjHeader* A, TObjHeader* B, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (!A || !B || A == B) return;
    if (TObjIndex* I = IndexOf(StartAdr)) I->Swapped(A, B);
    TObjHeader* pa = A->Prev;
    TObjHeader* na = A->Next;
    TObjHeader* pb = B->Prev;
    TObjHeader* nb = B->Next;
    // x directly before y; a missing x or y is a list end.
    auto link = [&](TObjHeader* x, TObjHeader* y) {
        if (x)
            x->Next = y;
        else
            StartAdr = y;
        if (y)
            y->Prev = x;
        else
            EndAdr = x;
    };
    if (na == B) {
        link(pa, B);
        link(B, A);
        link(A, nb);
    } else if (nb == A) {
        link(pb, A);
        link(A, B);
        link(B, na);
    } else {
        link(pa, B);
        link(B, na);
        link(pb, A);
        link(A, nb);
    }
}

void ReverseObjList(TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (TObjIndex* I = IndexOf(StartAdr)) I->Reordered();
    for (TObjHeader* r = StartAdr; r;) {
        TObjHeader* next = r->Next;
        r->Next = r->Prev;
        r->Prev = next;
        r = next;
    }
    std::swap(StartAdr, EndAdr);
}

void ConcatObjLists(TObjHeader*& StartAdr1, TObjHeader*& EndAdr1, TObjHeader*& StartAdr2,
                    TObjHeader*& EndAdr2) {
    if (TObjIndex* I = IndexOf(StartAdr1))
        for (TObjHeader* r = StartAdr2; r; r = r->Next) I->Appended(r);
    if (TObjIndex* I = IndexOf(StartAdr2)) I->Cleared();
    if (!StartAdr1) {
        StartAdr1 = StartAdr2;
        EndAdr1 = EndAdr2;
    } else if (StartAdr2) {
        EndAdr1->Next = StartAdr2;
        StartAdr2->Prev = EndAdr1;
        EndAdr1 = EndAdr2;
    }
    StartAdr2 = nullptr;
    EndAdr2 = nullptr;
}

int32_t CountObjs(const TObjHeader* StartAdr) {
    int32_t n = 0;
    for (const TObjHeader* r = StartAdr; r; r = r->Next) ++n;
    return n;
}

TObjHeader* MakeGroup(bool Draw, TObjHeader*& StartAdr, TObjHeader*& EndAdr, int32_t Count) {
    if (!StartAdr) return nullptr;
    if (TObjIndex* I = IndexOf(StartAdr)) I->Cleared();
    TObjHeader* g = AllocObj(GroupRecSize, ObjGroup);
    g->Layer = StartAdr->Layer;
    AsGroup(g)->First = StartAdr;
    AsGroup(g)->Last = EndAdr;
    AsGroup(g)->Count = Count >= 0 ? Count : CountObjs(StartAdr);
    StartAdr = nullptr;
    EndAdr = nullptr;
    if (Draw && MakeGroupDraw) MakeGroupDraw(g);
    return g;
}

// ---- invariant check ----

static std::string CheckRecord(const TObjHeader* r) {
    const std::string at = " at " + AdrText(r);
    switch (r->Type) {
        case ObjPoint:
            if (r->Size != PointRecSize) return "bad point size" + at;
            break;
        case ObjPline:
            if (r->Size < PlineSizeFor(1) || (r->Size - PlineSizeFor(0)) % int32_t(sizeof(TPlineSeg)) != 0)
                return "bad polyline size" + at;
            break;
        case ObjGroup:
            if (r->Size != GroupRecSize) return "bad group size" + at;
            break;
        case ObjText:
            if (r->Size != TextRecSize) return "bad text size" + at;
            break;
        case ObjPline3D:
            if (r->Size < Pline3DSizeFor(0) ||
                (r->Size - Pline3DSizeFor(0)) % int32_t(sizeof(TPlineSeg3D)) != 0)
                return "bad 3D polyline size" + at;
            break;
        default:
            return "unknown type " + std::to_string(r->Type) + at;
    }
    return "";
}

std::string CheckObjList(const TObjHeader* StartAdr, const TObjHeader* EndAdr) {
    struct Job {
        const TObjHeader* Start;
        const TObjHeader* End;
        const TObjHeader* Owner;  // group whose members these are, or nullptr
    };
    std::vector<Job> jobs{{StartAdr, EndAdr, nullptr}};
    std::unordered_set<const TObjHeader*> seen;
    while (!jobs.empty()) {
        Job j = jobs.back();
        jobs.pop_back();
        const std::string in = j.Owner ? " in group " + AdrText(j.Owner) : "";
        if (!j.Start || !j.End) {
            if (j.Start || j.End) return "one list end is empty" + in;
            if (j.Owner && static_cast<const TGroupRec*>(j.Owner)->Count != 0)
                return "group count differs from members" + in;
            continue;
        }
        if (j.Start->Prev) return "first record has Prev" + in;
        int32_t n = 0;
        const TObjHeader* prev = nullptr;
        for (const TObjHeader* r = j.Start; r; r = r->Next) {
            if (!seen.insert(r).second) return "record " + AdrText(r) + " reached twice" + in;
            if (r->Prev != prev) return "broken Prev link at " + AdrText(r) + in;
            if (std::string e = CheckRecord(r); !e.empty()) return e + in;
            if (r->Type == ObjGroup) {
                auto* g = static_cast<const TGroupRec*>(r);
                jobs.push_back({g->First, g->Last, r});
            } else if (r->Type == ObjText) {
                auto* t = static_cast<const TTextRec*>(r);
                bool flagged = (t->Justify & JustifyHasOutline) != 0;
                if (flagged != (t->AdrGroup != nullptr))
                    return "text outline flag and group disagree at " + AdrText(r) + in;
                if (const TObjHeader* g = t->AdrGroup) {
                    if (g->Type != ObjGroup || g->Size != GroupRecSize)
                        return "text outline is not a group at " + AdrText(r) + in;
                    if (g->Next || g->Prev) return "text outline group is linked at " + AdrText(r) + in;
                    if (!seen.insert(g).second) return "outline group reached twice at " + AdrText(r) + in;
                    auto* gg = static_cast<const TGroupRec*>(g);
                    jobs.push_back({gg->First, gg->Last, g});
                }
            }
            ++n;
            prev = r;
        }
        if (prev != j.End) return "last record is not the end" + in;
        if (j.Owner && static_cast<const TGroupRec*>(j.Owner)->Count != n)
            return "group count differs from members" + in;
    }
    return "";
}
