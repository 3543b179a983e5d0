// The PCB design exchange (".pcb" text files in steps of 0.0254 mm): the reader turns
// pads, tracks and texts into milling geometry; the writer (TFormicaOutDg::SaveFormica)
// writes the drawing as the file's layout block.
#pragma once
#include <string>

#include "core/Types.h"

// One step of the file, mm.
inline constexpr Extended FormicaStep = 0.0254L;

// Imports FileName by the import dialog's choices and appends the objects to the
// drawing; Min/Max receive the extents of all track end points read. A file that
// breaks the format adds nothing: the line is named in the log and to the user.
// False when the file is missing or broken.
bool LoadFormica(const std::string& FileName, Osy& Min, Osy& Max);
