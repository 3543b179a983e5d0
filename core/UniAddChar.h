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

struct TObjHeader;

// Which top-level records make the character: by default those on layer 68.
using TAddCharTake = bool (*)(const TObjHeader* p);
bool OnOrigLayer(const TObjHeader* p);

// Appends the shape `Code` (1..255) made of the polylines Take accepts (a point it
// accepts is the end position) and reloads the font. The file is replaced through a
// temporary file, so a failed write keeps the old font whole; a font that does not
// load back afterwards is put back as it was. False (and an "Err:" line) when the font
// did not take the character: a wrong code, a font file that cannot be read or written,
// or one that does not load back.
bool AddCharToFont(int Code, TAddCharTake Take = OnOrigLayer);

// The shape text pieces of a move / an arc from Q (updated to the rounded end) to T,
// each "8,(x,y)," or "12,(x,y,h),"; Bytes grows by the bytes they stand for.
void AddCharMove(Osy& Q, const Osy& T, std::vector<std::string>& Out, int& Bytes);
void AddCharArc(Osy& Q, const Osy& T, Extended Alfa, std::vector<std::string>& Out, int& Bytes);

inline constexpr const char* UserFontName = "Font.shp";
