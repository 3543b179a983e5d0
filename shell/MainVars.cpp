#include "shell/MainVars.h"

#include <new>

TMainVars MainVars;

void ClearMainVars() {
    // Rebuilt in place: the record is large (101 undo slots).
    MainVars.~TMainVars();
    ::new (&MainVars) TMainVars();
}
