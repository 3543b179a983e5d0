// The HPGL program of GravoGraph engravers (".hp", and ".exp" sent to the printer
// port): pen moves in units of 1/40 mm, every tool layer announced by its tool name,
// motor, speed and depth words for every pass.
#pragma once
#include <string>

// Writes the program of the drawing (All) or of its selected objects to FileName.
// True when the file was written.
bool SaveExp(const std::string& FileName, bool All);
