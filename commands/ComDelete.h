// DELETE: deletes the selected objects; operations left without sources or paths are
// deleted with their sub-operations and paths. (UNDO lives with the undo ring in
// shell/MainUndo.cpp.)
#pragma once

void ComDelete();
