// PRINT: the print dialog, then the visible objects of the chosen area at 1:1 or
// fitted to the paper, drawn on white paper through the platform's printer.
#pragma once

void ComPrint();
