// The Isel NCP program: one command per line, lengths in whole micrometres, feeds in
// micrometres per second, absolute moves and arcs around absolute centres.
#pragma once
#include <string>

#include "core/Types.h"

// Writes the program of the drawing (All) or of its selected objects to FileName.
// True when the file was written.
bool SaveNcp(const std::string& FileName, bool All);

// A length (mm) as whole micrometres, a feed (mm/s) as micrometres per second, a
// time (s) as milliseconds: the value times 1000, nearest integer, halves to even.
std::string NcpNumber(Extended V);
