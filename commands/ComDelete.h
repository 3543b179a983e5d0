// DELETE: deletes the selected objects; operations left without sources or paths are
// deleted with their sub-operations and paths. (UNDO lives with the undo ring in
// shell/MainUndo.cpp.)
#pragma once

void ComDelete();

// The deletion itself: the selected top-level objects leave the drawing and the
// operations' lists, an operation left without sources or paths goes with its
// sub-operations and paths ("Sys:Deleted:" logged).
void DeleteSelectedObjects();
