// FILTR: cleans imported geometry before machining. Over the selected top-level
// polylines it deletes duplicates (the first in list order stays), rebuilds each
// without segments shorter than a limit, and deletes single arcs together with the
// straight "rungs" some drawing programs export from an arc's centre to the arc.
// Operations that used a filtered polyline follow: a duplicate's links go to the
// polyline that stays, a rebuilt polyline's links to the rebuilt one, and every
// such operation is queued for regeneration.
#pragma once
#include <string>

void ComFiltr();

struct TFiltrParams {
    bool Short = true;          // the short-segment filter
    std::string ShortLen;       // its limit as typed (mm)
    bool Duplicity = true;      // the duplicate filter
    bool SameLayer = true;      // duplicates only within one layer
    bool ArcRungs = false;      // the arc-and-rung filter
};

// The filters over the selected polylines of the drawing, then the selection is
// cleared and the queue handed to regeneration. A limit that is no number (while the
// short-segment filter is on) changes nothing: the command line is marked, the refusal
// logged and the user told; false then.
bool RunFilters(const TFiltrParams& P);
