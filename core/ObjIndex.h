// A box index over the top-level records of one list (the drawing), so that a redraw
// of part of the view and the object snaps visit only the records near the place in
// question instead of the whole drawing.
//
// The list operations of ObjRecords tell the index what they did to the list it
// follows (appended, unlinked, replaced, inserted, swapped, reversed, freed); the
// whole-object transforms tell it which record changed in place (Touched). A record's
// box is taken when a query first needs it, so records may be filled after they were
// linked. After steps that may have changed records in place by other routes, Recheck
// has the next query compare each record with a print of its place taken with its box
// (a few values per record, not its whole geometry) and take the box again where they
// differ; Invalidate has the index rebuilt from the list.
//
// Besides the records' boxes it keeps, per polyline, a box index over its segments,
// made on first use and dropped when the polyline changes, so that the snaps on a long
// polyline test only the segments around the pointer.
#pragma once
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "core/ObjRecords.h"
#include "core/UniPlineIndex.h"

class TObjIndex {
public:
    // Follows the list whose end variables are *StartVar and *EndVar; forgets
    // everything. A list whose ends are not records the index knows (the variables
    // set directly) is read again on the next query.
    void Follow(TObjHeader* const* StartVar, TObjHeader* const* EndVar);
    bool Follows(TObjHeader* const& StartAdr) const { return StartVar && &StartAdr == StartVar; }
    // Whether First is the first record of the followed list.
    bool Heads(const TObjHeader* First) const { return StartVar && *StartVar == First; }

    // ---- what the list operations did to the followed list ----
    void Appended(TObjHeader* Obj);
    void Inserted(TObjHeader* Obj);  // somewhere else than at the end
    void Unlinked(TObjHeader* Obj);
    void Replaced(TObjHeader* Old, TObjHeader* New);
    void Swapped(TObjHeader* A, TObjHeader* B);
    void Reordered();
    void Cleared();

    // Obj (a record anywhere, possibly not in the list) changed in place.
    void Touched(const TObjHeader* Obj);
    // Records may have changed in place: checked against their prints on the next query.
    void Recheck();
    // Anything may have changed: rebuilt from the list on the next query.
    void Invalidate();

    // The records of the list whose box meets Min..Max, in list order; AndTexts: with
    // every record that is or holds a text wherever it lies.
    void Query(const Osy& Min, const Osy& Max, std::vector<TObjHeader*>& Out, bool AndTexts = false);
    // The box of the whole list; false when it is empty.
    bool Bounds(Osy& Min, Osy& Max);

    // The segments of a polyline with at least one segment: the box index over them
    // (items numbered as the segments) and whether any is an arc. Made on first use.
    struct TSegments {
        TSegBoxIndex Index;
        int32_t Count = 0;
        bool HasArc = false;
        uint64_t Print = 0;
    };
    const TSegments& Segments(const TObjHeader* Pline);

private:
    struct TSlot {
        TObjHeader* Rec = nullptr;
        TIdxBox Box;
        int64_t Rank = 0;
        bool Alive = true;
        bool Boxed = false;
        bool Text = false;
        uint64_t Print = 0;  // of the record when its box was taken
    };
    // Empties the index; Dirty: it is rebuilt from the list on the next query.
    void Forget(bool Dirty);
    void Prepare();
    void RebuildFromList();
    void Compact();
    // Ranks from the list order; CheckPrints: records whose print changed are boxed again.
    void Renumber(bool CheckPrints);
    void TakeBox(TSlot& S);
    int32_t AddSlot(TObjHeader* Obj, int64_t Rank);
    void Kill(const TObjHeader* Obj);
    void DropSegments(const TObjHeader* Obj);

    bool EndsKnown() const;

    TObjHeader* const* StartVar = nullptr;
    TObjHeader* const* EndVar = nullptr;
    std::vector<TSlot> Slots;
    std::unordered_map<const TObjHeader*, int32_t> SlotOf;
    TSegBoxIndex Tree;     // over Slots[0, Built)
    int32_t Built = 0;
    int32_t Dead = 0;      // dead slots in [0, Built)
    int64_t NextRank = 0;
    bool AllDirty = true;
    bool OrderDirty = false;
    bool RecheckDue = false;
    std::unordered_map<const TObjHeader*, std::unique_ptr<TSegments>> SegCache;
    std::vector<int32_t> TextSlots;  // in [0, Built), holding texts
    TIdxBox AllBox;                  // of the slots of the last build
    std::vector<int32_t> Found;
};

// The index over the drawing list.
TObjIndex& DrawingIndex();
