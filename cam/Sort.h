// The machining order of one layer: the order of an object list is the order the
// machine cuts in, so the objects of a layer are put into a short-travel order by
// repeatedly taking the object whose start (or, optionally, end) lies nearest to the
// current point.
#pragma once
#include <cstdint>
#include <functional>

#include "core/Types.h"

struct TObjHeader;
class TRegenQueue;

struct TSortOptions {
    bool Join = false;        // join the layer's polylines end to end first
    bool SortGroups = false;  // sort inside groups too
    bool PlineSwap = false;   // a polyline may be entered from its end (it is reversed)
};

// Reorders StartAdr..EndAdr: the objects on Layer (and the groups holding something on
// Layer) move, in nearest-neighbour order from StartPt, behind every object that is not
// theirs. Equal distances go to the object earlier in the list, a polyline's start
// before its end. Only the chosen polyline is ever reversed.
// Joined polylines hand their operation links to the joined record; operations whose
// sources were joined go into Q (when given). Progress, when given, gets 0..100.
void SortLayer(uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr, const Osy& StartPt,
               const TSortOptions& Options, TRegenQueue* Q = nullptr,
               const std::function<void(int32_t)>& Progress = {});

// Replaces Group in First..Last by one group per layer of its members (nested groups
// are divided first), put at the front of the list. Operation links of every freed
// group move to the groups that replace it.
void DivideGroupByLayer(TObjHeader* Group, TObjHeader*& First, TObjHeader*& Last);
