// Which records of the drawing a redraw of the current view has to visit: the records
// whose box, grown by how far their drawing can reach beyond it, meets the view.
#pragma once
#include <vector>

#include "core/ObjRecords.h"

// The records to draw, in list order. False when every record must be visited (the
// sort view numbers and links them all; a view that holds the whole drawing).
bool VisibleRecords(std::vector<TObjHeader*>& Out);
