// The add-character encoder: appends the polylines of layer 68 ("Orig") of the
// drawing to the user stroke font ProgramDir + "/FONT/Font.shp" as a new shape.
//
// One world millimetre is one font unit; displacements are written in tenths of a
// unit (the shape divides its vector scale by 10 first and restores it at its end).
// A point on layer 68 gives the pen's end position (the advance to the next
// character). A newly created Font.shp begins with the header shape of the
// built-in font's proportions (capital height 100, descender 34).
#pragma once
#include <string>
#include <vector>

#include "core/Types.h"

// Appends the shape `Code` (1..255) and reloads the font. False when nothing was
// written (a wrong code, a file that cannot be written).
bool AddCharToFont(int Code);

// The shape text pieces of a move / an arc from Q (updated to the rounded end) to T,
// each "8,(x,y)," or "12,(x,y,h),"; Bytes grows by the bytes they stand for.
void AddCharMove(Osy& Q, const Osy& T, std::vector<std::string>& Out, int& Bytes);
void AddCharArc(Osy& Q, const Osy& T, Extended Alfa, std::vector<std::string>& Out, int& Bytes);

inline constexpr const char* UserFontName = "Font.shp";
