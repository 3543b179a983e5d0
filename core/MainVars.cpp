#include "core/MainVars.h"

#include <new>

#include "core/ObjRecords.h"

#include "core/ObjIndex.h"

TMainVars MainVars;

namespace {
// The drawing's index follows the drawing list from the start.
const bool IndexFollowsDrawing = (DrawingIndex().Follow(&MainVars.DataStart, &MainVars.DataEnd), true);
}  // namespace

void ClearMainVars() {
    // Rebuilt in place: the record is large (101 undo slots).
    MainVars.~TMainVars();
    ::new (&MainVars) TMainVars();
    DrawingIndex().Follow(&MainVars.DataStart, &MainVars.DataEnd);
}

void FreeMainVarsLists() {
    TMainVars& V = MainVars;
    FreeObjList(V.DataStart, V.DataEnd);
    FreeObjList(V.SaveStart, V.SaveEnd);
    FreeObjList(V.AreaStart, V.AreaEnd);
    FreeObjList(V.ViewStart, V.ViewEnd);
    for (UndoRec& R : V.UndoTab) FreeObjList(R.StartUndo, R.EndUndo);
}
