// Object records and object lists.
//
// Every drawing object is ONE heap block of exactly `Size` bytes, starting with the
// common header. Its address identifies it and never changes while it lives. Records
// are linked into doubly linked lists given by their first and last record
// (nullptr/nullptr = empty). A list owns its records: deleting a group deletes its
// members, deleting a text deletes its outline group.
//
// Layouts are natural-aligned C++ structs, so code reads fields directly
// (`AsPline(p)->S.x`); segments follow the fixed part of polyline records and are
// reached through the accessors below (their count follows from `Size`).
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Types.h"
#include "platform/Canvas.h"

// Kinds (`Type` byte).
enum : uint8_t {
    ObjPoint = 1,
    ObjPline = 2,
    ObjGroup = 3,
    ObjText = 4,
    ObjPline3D = 5,
};

// `Flags` bits.
inline constexpr uint8_t FlagNew = 1;       // set on creation; working mark of GroupByNesting
inline constexpr uint8_t FlagSelected = 2;

// `PlineFlags` bits of 2D and 3D polylines.
inline constexpr uint8_t PlineClosed = 1;
inline constexpr uint8_t PlineCW = 2;
// The whole byte equal to this marks a closed 2D polyline that crosses itself.
inline constexpr uint8_t PlineSelfCross = 2;

// `Justify` bit of a text: the text has an outline group (`AdrGroup`).
inline constexpr uint8_t JustifyHasOutline = 128;

struct TObjHeader {
    TObjHeader* Next;    // next record of the list, nullptr for the last
    TObjHeader* Prev;    // previous record, nullptr for the first
    int32_t Size;        // bytes of the whole record, header included
    uint8_t Layer;       // 1..68
    uint8_t Flags;       // FlagNew, FlagSelected
    uint8_t SavedFlags;  // copy of Flags kept by SaveSelection
    uint8_t Type;        // ObjPoint .. ObjPline3D
};

// A 2D segment: `Alfa` 0 (within CoordTol) = straight, else the included arc angle
// (radians, positive counter-clockwise) from the previous point to `E`.
struct TPlineSeg {
    Extended Alfa;
    Osy E;
};

struct TPlineSeg3D {
    Extended Alfa;
    Osy3D E;
};

// A 8-bit short string (Windows-1250 bytes) of at most N characters, stored inline.
template <size_t N>
struct TShortStr {
    uint8_t Len;
    char Ch[N];

    std::string Get() const { return std::string(Ch, std::min<size_t>(Len, N)); }
    // Longer texts are cut to N bytes.
    void Set(const std::string& S) {
        size_t n = S.size() < N ? S.size() : N;
        for (size_t i = 0; i < n; ++i) Ch[i] = S[i];
        Len = static_cast<uint8_t>(n);
    }
};

// Kind 1. A point and a polyline start alike (flag byte, then the first point), so
// `FirstPt` reads the first stored point of a point, polyline or 3D polyline.
struct TPointRec : TObjHeader {
    uint8_t PlineFlags;  // always 0
    Osy S;
};

// Kind 2: one or more TPlineSeg follow the fixed part.
struct TPlineRec : TObjHeader {
    uint8_t PlineFlags;  // PlineClosed, PlineCW; exactly PlineSelfCross = closed and self-crossing
    Osy S;               // start point
};

// Kind 3: the members form a list of their own.
struct TGroupRec : TObjHeader {
    TObjHeader* First;
    TObjHeader* Last;
    int32_t Count;  // number of members
};

// Kind 4.
struct TTextRec : TObjHeader {
    Osy Base;
    Extended Vyska, WidthFactor, Rotate, Zkos;
    uint8_t MirrorY;  // nonzero = mirrored
    uint8_t Justify;  // justification; JustifyHasOutline = AdrGroup is present
    Osy Origin, WinMin, WinMax, EnvP1, EnvP2, EnvP3, EnvP4;
    TShortStr<37> JmFontu;  // font name
    TObjHeader* AdrGroup;   // outline group (linked into no list), nullptr when none
    TShortStr<255> Text;
};

// Kind 5: zero or more TPlineSeg3D follow the fixed part.
struct TPline3DRec : TObjHeader {
    uint8_t PlineFlags;  // PlineClosed (stored by TEnSpace.FindDir), PlineCW
    Osy3D S;
};

static_assert(sizeof(TPlineRec) % alignof(TPlineSeg) == 0);
static_assert(sizeof(TPline3DRec) % alignof(TPlineSeg3D) == 0);
static_assert(sizeof(TPointRec) == sizeof(TPlineRec));  // same fields, hence same offsets

inline constexpr int32_t PointRecSize = sizeof(TPointRec);
inline constexpr int32_t GroupRecSize = sizeof(TGroupRec);
inline constexpr int32_t TextRecSize = sizeof(TTextRec);

// ---- typed views (no checks: the caller knows the kind) ----
inline TPointRec* AsPoint(TObjHeader* p) { return static_cast<TPointRec*>(p); }
inline TPlineRec* AsPline(TObjHeader* p) { return static_cast<TPlineRec*>(p); }
inline TGroupRec* AsGroup(TObjHeader* p) { return static_cast<TGroupRec*>(p); }
inline TTextRec* AsText(TObjHeader* p) { return static_cast<TTextRec*>(p); }
inline TPline3DRec* AsPline3D(TObjHeader* p) { return static_cast<TPline3DRec*>(p); }
inline const TPlineRec* AsPline(const TObjHeader* p) { return static_cast<const TPlineRec*>(p); }
inline const TPline3DRec* AsPline3D(const TObjHeader* p) { return static_cast<const TPline3DRec*>(p); }

// ---- 2D polyline segments ----
inline constexpr int32_t PlineSizeFor(int32_t SegCnt) {
    return int32_t(sizeof(TPlineRec) + SegCnt * sizeof(TPlineSeg));
}
inline int32_t PlineSegCount(const TObjHeader* p) {
    return p->Size > int32_t(sizeof(TPlineRec)) ? int32_t((p->Size - sizeof(TPlineRec)) / sizeof(TPlineSeg)) : 0;
}
inline TPlineSeg* PlineSegs(TObjHeader* p) {
    return reinterpret_cast<TPlineSeg*>(reinterpret_cast<uint8_t*>(p) + sizeof(TPlineRec));
}
inline const TPlineSeg* PlineSegs(const TObjHeader* p) {
    return reinterpret_cast<const TPlineSeg*>(reinterpret_cast<const uint8_t*>(p) + sizeof(TPlineRec));
}
// The point before segment i (the start point for i = 0).
inline Osy PlineSegStart(const TObjHeader* p, int32_t i) {
    return i == 0 ? AsPline(p)->S : PlineSegs(p)[i - 1].E;
}
// The last stored point: the start point of a point record, the end of a polyline.
inline Osy PlineEndPt(const TObjHeader* p) {
    int32_t n = PlineSegCount(p);
    return n > 0 ? PlineSegs(p)[n - 1].E : AsPline(p)->S;
}
// The first stored point of a point or a 2D polyline.
inline Osy& FirstPt(TObjHeader* p) { return AsPline(p)->S; }

// ---- 3D polyline segments ----
inline constexpr int32_t Pline3DSizeFor(int32_t SegCnt) {
    return int32_t(sizeof(TPline3DRec) + SegCnt * sizeof(TPlineSeg3D));
}
inline int32_t Pline3DSegCount(const TObjHeader* p) {
    return p->Size > int32_t(sizeof(TPline3DRec))
               ? int32_t((p->Size - sizeof(TPline3DRec)) / sizeof(TPlineSeg3D))
               : 0;
}
inline TPlineSeg3D* Pline3DSegs(TObjHeader* p) {
    return reinterpret_cast<TPlineSeg3D*>(reinterpret_cast<uint8_t*>(p) + sizeof(TPline3DRec));
}
inline const TPlineSeg3D* Pline3DSegs(const TObjHeader* p) {
    return reinterpret_cast<const TPlineSeg3D*>(reinterpret_cast<const uint8_t*>(p) + sizeof(TPline3DRec));
}

// ---- records used by editing and drawing ----

// Maps an object rebuilt by an editing command to what replaces it, so machining
// operations can be re-pointed.
struct TEditAdr {
    TObjHeader* Orig = nullptr;  // the object before the edit
    TObjHeader* Temp = nullptr;  // the command's working copy
    std::vector<TObjHeader*> New;
};

// A polyline flattened to pixels.
struct RPolyPoints {
    std::vector<TPoint> PtArr;
    int32_t Cnt = 0;  // points used
};

// ---- allocation ----

// A zeroed block of Size bytes (at least the header) with `Size` and `Type` set,
// `Flags` = FlagNew, not linked.
TObjHeader* AllocObj(int32_t Size, uint8_t Type);
// A byte copy of one record's block, unlinked (Next, Prev = nullptr). Shallow: a
// group's copy shares the members, a text's copy the outline group; callers that
// copy those kinds replace the links.
TObjHeader* CopyObjBlock(const TObjHeader* Src);
// Frees one block without looking at what it owns (list links are not touched).
void FreeObjBlock(TObjHeader* Obj);

// ---- list operations ----
TObjHeader* AppendObj(TObjHeader* Obj, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
void UnlinkObj(TObjHeader* Obj, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
void DeleteObj(TObjHeader* Obj, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
void FreeObjList(TObjHeader*& StartAdr, TObjHeader*& EndAdr);
void ReplaceObj(TObjHeader* Old, TObjHeader* New, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
void InsertObjAfter(TObjHeader* After, TObjHeader* Obj, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
void SwapObjs(TObjHeader* A, TObjHeader* B, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
void ReverseObjList(TObjHeader*& StartAdr, TObjHeader*& EndAdr);
void ConcatObjLists(TObjHeader*& StartAdr1, TObjHeader*& EndAdr1, TObjHeader*& StartAdr2,
                    TObjHeader*& EndAdr2);
// Wraps the whole list into a new unlinked group (nullptr for an empty list); the list
// variables become empty. Draw: draw the group at once through MakeGroupDraw.
// Count: the number of records when the caller knows it (a long list is then not
// walked once more just to count it); -1 counts them.
TObjHeader* MakeGroup(bool Draw, TObjHeader*& StartAdr, TObjHeader*& EndAdr, int32_t Count = -1);

// How MakeGroup draws a new group on the main canvas; installed by the group entity.
using TDrawObjFn = void (*)(TObjHeader*);
extern TDrawObjFn MakeGroupDraw;

// Number of top-level records of a list.
int32_t CountObjs(const TObjHeader* StartAdr);

// Checks the list invariants of StartAdr..EndAdr recursively (links and ends, known
// kinds and sizes, group members and counts, text outline groups, no record twice).
// Returns "" when sound, else a description of the first fault found.
std::string CheckObjList(const TObjHeader* StartAdr, const TObjHeader* EndAdr);
