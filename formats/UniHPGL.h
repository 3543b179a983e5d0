// HPGL exchange: the reader of plot files (".plt") and the writer of one plot file
// per pen table column. Both take their steps per millimetre from their dialogs.
#pragma once
#include <string>

#include "core/Types.h"

// Reads FileName with the scales and position of HPInputDialog: pen-down strokes
// become polylines at the end of the drawing list, pens 1..8 on layers 1..8, any
// other pen on layer 68. Min/Max receive the extents of what was drawn (left as they
// are when a dialog value is wrong). False when nothing was read: a wrong dialog
// value or a file that cannot be read.
bool LoadHPGL(const std::string& FileName, Osy& Min, Osy& Max);

// Writes the drawing (All) or its selected objects by the pen table of
// HPOutputDialog, one file per column with something to draw (only the first with
// "Jen File_A"). False when a dialog value is wrong or a file was not written.
bool SaveHPGL(const std::string& FileName, bool All);
