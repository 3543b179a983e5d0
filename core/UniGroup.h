// The group entity (object kind 3): a header with a member list of its own, whose
// members may be points, polylines, texts, 3D polylines and groups again.
//
// Almost every operation walks the members in list order and hands each to the
// operation of its own kind (the entity dispatch), recursing into member groups; the
// header's own Layer plays no part. The header's Flags is the group's selection
// state; drawing copies it into the members.
//
// Count always equals the number of top-level members: every operation that builds
// or walks a member list writes it back.
//
// TEnGroup has no fields and one global instance, EnGroup.
#pragma once
#include <cstdint>

#include "core/ObjRecords.h"
#include "core/Types.h"

class TEnGroup {
public:
    // ---- layer searches (used by the machining-order sort and the redraw) ----

    // S = start point of the first object (point, polyline, text) on Layer inside the
    // group, member groups searched first and recursively; false when none.
    bool StartPt(TObjHeader* Adresa, uint8_t Layer, Osy& S);
    // E = end point of the last such object, walking backwards.
    bool EndPt(TObjHeader* Adresa, uint8_t Layer, Osy& E);
    // Some member at any depth (not a group header) lies on Layer.
    bool Contents(uint8_t Layer, TObjHeader* Adresa);

    // ---- drawing and picking ----

    // Draws the members in the current view mode after copying the group's Flags into
    // each; Glob.Sort.InGroup is set while the members of the outermost group draw.
    void Draw(TObjHeader* Adresa, TCanvas* Canv);
    // Preview style; each non-group member gets its layer colour as pen colour.
    void RawDraw(TObjHeader* Adresa, TCanvas* Canv);
    // Every member runs its own Select; a window flips the group when every member
    // came back differing from the group's state, a crossing when any did. When some
    // member was hit the group is redrawn (so members take its state again). Returns
    // the group's selected state.
    bool Select(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window);
    // Whether Select would flip the group; members are tested without side effects.
    bool RawSelect(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window);
    // Bounding box of all members, starting from the first member's box. A group
    // without members gives Min (10000, 10000), Max (-10000, -10000).
    void Envelope(const TObjHeader* Adresa, Osy& Min, Osy& Max);

    // ---- list and transforms ----

    // Deletes the members (recursively) and then the group from StartAdr..EndAdr.
    void Delete(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
    // Each member gets the same operation of its kind; the group's selected bit is
    // cleared afterwards (by the raw ones too).
    void Move(TObjHeader* Adresa, const Osy& Rel);
    void RawMove(TObjHeader* Adresa, const Osy& Rel);
    void Rotate(TObjHeader* Adresa, const Osy& Base, Extended Angle);
    void RawRotate(TObjHeader* Adresa, const Osy& Base, Extended Angle);
    void Scale(TObjHeader* Adresa, const Osy& Base, Extended Scale);
    void RawScale(TObjHeader* Adresa, const Osy& Base, Extended Scale);
    void Mirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2);
    void RawMirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2);
    // Polyline and 3D polyline members are replaced inside the member list, points and
    // texts scaled in place, groups recursively; Adr gets the last member's result.
    // A factor that is not positive is refused ("Err:" log line, false, nothing changed).
    bool NpropScale(TObjHeader* Adresa, const Osy& Base, const Osy& Scale, bool Draw, TObjHeader*& Adr);
    // Append a deep copy displaced by Rel (SavedFlags 0) / an identical deep copy. The
    // source group ends unselected; the copy gets the source's Flags, Layer and the
    // real member count. Both return the new group.
    TObjHeader* Copy(TObjHeader* Adresa, const Osy& Rel, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
    TObjHeader* CopyIdent(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
    // Puts every member at any depth on Layer (group headers unchanged); clears the
    // group's selected bit. Nothing is redrawn.
    void ChangeLayer(TObjHeader* Adresa, uint8_t Layer);

    // Counts the top-level members and writes the number into Count; returns it.
    // For code that edits a member list directly.
    int32_t UpdateCount(TObjHeader* Adresa);
};

extern TEnGroup EnGroup;

// Lets MakeGroup draw new groups with TEnGroup.Draw on the main canvas (done at
// start-up; ResetAllState repeats it).
void InstallGroupDraw();
