// Removing operations from the list and their generated paths from the drawing.
#pragma once
#include <unordered_set>

struct TObjHeader;

// Every generated path of operation OpNum leaves the drawing and the child list is
// emptied. Paths in Keep are only unlinked: their caller deletes them itself. A
// number that is not a record changes nothing.
void CamOpDelAllChilds(int OpNum, const std::unordered_set<TObjHeader*>* Keep = nullptr);

// Removes operation OpNum from the list; its objects stay (callers delete the paths
// first). The later records move down one place, and sub-operations follow their
// master's number (a sub-operation whose master goes is left with none, -1). With
// Glob.AutoLayNum a layer only this operation used is freed: the objects and tools
// of every higher tool layer move down one layer and every operation on a higher
// layer follows; then LastLa is the highest layer in use and LastTID its tool.
// Without Glob.OpCamOp, or for a number outside the list, only the operations panel
// is refreshed.
void DeleteCamOp(int OpNum);
