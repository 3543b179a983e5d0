// Drill data: text files of hole positions grouped by drill diameter, in hundredths of
// a millimetre. Every circle of the drawing is a hole; read back, every hole is a point.
#pragma once
#include <string>

#include "core/Types.h"

// The largest coordinate or diameter the format holds (16 bits of hundredths), mm.
inline constexpr Extended DrlMaxMm = 655.35L;
// Tool numbers the format counts to; a drawing with more distinct diameters is refused.
inline constexpr int DrlMaxTools = 99;

// Writes the holes of the drawing (All) or of its selected objects through the
// temporary file. A hole outside 0..655.35 mm, a diameter above it or more than 99
// distinct diameters write nothing and say so. True when the file was written.
bool SaveDrl(const std::string& FileName, bool All);

// Appends one point per hole line of FileName to the drawing, on the layer of its
// tool; Min/Max receive the extents of the points (Min (1000000, 1000000), Max
// (-1000000, -1000000) when none). False when the file is missing.
bool LoadDrl(const std::string& FileName, Osy& Min, Osy& Max);
