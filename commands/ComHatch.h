// HATCH (the selected closed polylines, nested) and INTELIHATCH (the areas of the
// "Orig" layer round clicked points): parallel hatch lines of a typed spacing and angle.
#pragma once

void ComHatch();
void ComInteliHatch();
