// G-code for Comagrav engraving machines (".cnc"): one program per used layer, compact
// words without blanks, modal G words and feeds, three-decimal coordinates, arcs as chords.
#pragma once
#include <string>

// Writes one file per used layer; true when every file was written.
bool SaveCnc(const std::string& FileName, bool All);
// The file of layer La: "_T" and La inserted before the extension of the file name
// (after the name when it has none).
std::string CncLayerFile(const std::string& FileName, int La);
