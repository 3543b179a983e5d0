#include "shell/MainVars.h"

#include "core/ObjIndex.h"

#include <new>

TMainVars MainVars;

namespace {
// The drawing's index follows the drawing list from the start.
const bool IndexFollowsDrawing = (DrawingIndex().Follow(&MainVars.DataStart), true);
}  // namespace

void ClearMainVars() {
    // Rebuilt in place: the record is large (101 undo slots).
    MainVars.~TMainVars();
    ::new (&MainVars) TMainVars();
    DrawingIndex().Follow(&MainVars.DataStart);
}
