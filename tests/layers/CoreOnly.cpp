// Built from the kernel and the platform services alone: it links only when the
// kernel needs nothing above it, and the walks run with no main window installed.
#include "core/MainVars.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/UniWalk.h"

int main() {
    ResetAllState();
    TMainVars& V = MainVars;
    for (int i = 0; i < 2; ++i) AppendObj(AllocObj(PointRecSize, ObjPoint), V.DataStart, V.DataEnd);
    SelectAll(V.DataStart);
    const int Selected = CountSelection();
    FreeMainVarsLists();
    return Selected == 2 ? 0 : 1;
}
