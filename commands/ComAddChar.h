// ADDCHAR: the drawn character becomes shape N of the user's stroke font
// "FONT/Font.shp" (the selected polylines when some are selected, else those of the
// "Orig" layer, where a character is drawn), and that font is reloaded.
#pragma once

void ComAddChar();
