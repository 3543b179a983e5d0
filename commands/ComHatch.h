// HATCH (the selected closed polylines, nested) and INTELIHATCH (the areas of the
// "Orig" layer round clicked points): parallel hatch lines of a typed spacing and angle.
#pragma once
#include <string>

void ComHatch();
void ComInteliHatch();

// The first step of a command that works on areas picked by points: the objects of the
// "Orig" layer become the boundaries (the temporary list), the pointer picks points,
// the prompt is PromptText, the area and marker lists start empty.
void StartAreaPicks(const std::string& PromptText);
