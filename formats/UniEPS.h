// The reader of the path geometry of PostScript page descriptions: Encapsulated
// PostScript (".eps"), print files (".prn") and Illustrator files (".ai").
#pragma once
#include <string>

#include "core/Types.h"

// Appends one polyline on layer 68 per path after "%%ENDSETUP" (moves, lines and the
// curve forms C, V and Y, curves within Glob.ErrorConv as arcs or lines by
// EpsInputDialog). Min/Max receive the extents of what was read. False when the file
// cannot be read.
bool LoadEps(const std::string& FileName, Osy& Min, Osy& Max);
