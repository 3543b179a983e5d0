// The clipboard text of objects: a "BasePoint= x=.. y=.." line, then the object block
// of the job file without operation lines. Lines here are Unicode (UTF-8); the records'
// 8-bit texts are converted on the way.
#pragma once
#include <string>
#include <vector>

#include "core/Types.h"

struct TObjHeader;

// Appends "OBJECTS", the records of the drawing's (selected) top-level objects and
// "ENDOBJECTS" to Memo. Cut: each written object is deleted from the drawing, its
// operation links dropped first.
void ClipWriteObjects(std::vector<std::string>& Memo, bool Cut, bool SelectedOnly);

// Reads the objects of Memo into First..Last (normally an empty list) and moves them by
// PastePoint minus the text's base point. Nothing when the first line has no
// "BasePoint" or there is no "OBJECTS" line.
void ClipReadObjects(const std::vector<std::string>& Memo, const Osy& PastePoint, TObjHeader*& First,
                     TObjHeader*& Last);
