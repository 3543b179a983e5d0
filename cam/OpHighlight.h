// The highlight of one operation's source objects in the drawing view.
#pragma once

// Fills the view's highlight outlines with the sources of operation OpNum (a group
// source keeps an empty entry), sets the highlight kind to its type and redraws.
void HighlightCamOp(int OpNum);
// Clears the highlight (kind 0) and redraws.
void ClearCamOpHighlight();
