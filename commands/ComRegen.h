// The regeneration queue of the editing commands: which machining operations a command
// has made out of date, and the hand-off to the machining code at the end of the step.
//
// A command that changes objects asks, per object, which operations use it as a source
// (map 1) or as a generated path (map 2). The source action queues the operation; the
// path action marks it 4 (paths edited) unless it is queued and regenerated at once.
// Objects that keep their address take the in-place sweep; copies that inherit links
// the copy sweep; rebuilt objects the replace sweep. Both record sweeps read the first
// Glob.OpEditAdrCnt records of Glob.OpEditAdr.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "cam/CamOpList.h"

struct TObjHeader;
struct TEditAdr;

// ---- the queue ----

class TRegenQueue {
public:
    // LogAdds: the add writes "Ops:Adding OpNum:<n> to regen".
    explicit TRegenQueue(bool LogAdds = true) : LogAdds(LogAdds) {}

    // AddOpToRegen: appends OpNum unless it is queued already or is a pocket's roughing
    // or finishing sub-operation (those regenerate with their master).
    void Add(int OpNum);
    // OpInRegen.
    bool Contains(int OpNum) const;
    const std::vector<int>& Ops() const { return Queue; }
    bool Empty() const { return Queue.empty(); }
    void Clear() { Queue.clear(); }

    // The source action of an operation: Add.
    void SourceAction(int OpNum) { Add(OpNum); }
    // The path action: Status 4 unless the operation is queued and Glob.AutoRegen is on.
    void PathAction(int OpNum);

private:
    bool LogAdds;
    std::vector<int> Queue;
};

// COPY's queue lives from its first placement to the end of the command (an Escape
// leaves its numbers for the next COPY that ends normally); emptied whenever the
// operations are renumbered or replaced (NEW, OPEN, UNDO, DELETE of an operation).
extern TRegenQueue CopyRegenQueue;

// ---- sweeps ----

// In-place sweep of one changed object that kept its address: source action for map 1,
// path action for map 2 when Path is set.
void InPlaceSweep(const TObjHeader* Obj, TRegenQueue& Q, bool Path);
// Copy sweep over the records: map 1 adds every New as a source, then the source action;
// map 2 adds every New as a path, then the path action when Path is set.
void CopySweep(TRegenQueue& Q, bool Path);
// The copy sweep of one record.
void CopySweepRecord(const TEditAdr& R, TRegenQueue& Q, bool Path);
// Replace sweep: the re-pointing step (commands/ComOrder.h) with the source action as
// parent action and the path action as child action.
void ReplaceSweep(TRegenQueue& Q);

// ---- edit-address records ----

// Glob.OpEditAdrCnt := 0 (the array keeps its storage until the command line empties it).
void ResetEditAdr();
// Appends a record (Orig, Temp, no New) and raises the count; returns it. The reference
// holds until the next AddEditAdr.
TEditAdr& AddEditAdr(TObjHeader* Orig, TObjHeader* Temp = nullptr);
// The first of the counted records whose Temp is Temp, nullptr when none (a hash
// look-up: commands that copy many objects ask once per copy).
TEditAdr* FindEditAdrByTemp(const TObjHeader* Temp);
// Gives a record a new working copy and keeps the look-up in step.
void SetEditAdrTemp(TEditAdr& R, TObjHeader* Temp);

// ---- hand-off ----

// The machining code's regeneration of one operation (delete its paths and generate
// them again, or remove it when no source is left). Installed by the machining code;
// nullptr until then, when queued operations are marked out of date as without AutoRegen.
using TRegenCamOpFn = void (*)(int OpNum);
extern TRegenCamOpFn RegenCamOpHook;

// SolveCamOpRegen: nothing while Glob.OpNew is set or the queue is empty; with
// Glob.AutoRegen on and RegenCamOpHook installed regenerates each queued operation in
// queue order through it; otherwise sets each queued operation's Status to 1.
void SolveCamOpRegen(const std::vector<int>& OpsToReg);
// The end of a changing step: SolveCamOpRegen, then the operations panel is refreshed.
void HandOffRegen(const TRegenQueue& Q);

// Start-up state: COPY's queue empty (the hook stays as installed).
void ResetComRegen();
