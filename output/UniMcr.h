// The Datron macro program: commands ended by ";", comments between "!" marks,
// lengths in millimetres with up to three decimals, feeds in metres per minute,
// spindle speeds in thousands of revolutions per minute; every move names X, Y and Z.
#pragma once
#include <cstdint>
#include <string>

#include "core/Types.h"

// Writes the program of the drawing (All) or of its selected objects to FileName.
// True when the file was written.
bool SaveMcr(const std::string& FileName, bool All);

// Up to three decimals, trailing zeros dropped: 10, 2.5, 0.062, -0.25, 0.
std::string FormatMcrNumber(Extended X);
// The number after a leading "N" of a tool name ("N12 fréza" gives 12); 0 without one
// or above 255.
uint8_t McrToolNumber(const std::string& Name);
