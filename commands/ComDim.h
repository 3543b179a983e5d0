// Dimension commands: the dimension text style (DIMSTYLE, in the text dialog), linear (DIMHOR, DIMVERT, DIMROT by MainVars.DimLinearMode),
// angular (DIMANGLE) and leader (DIMLEADER). Each offers the measured value as text.
#pragma once

void ComDimStyle();
void ComDimLinear();
void ComDimAngle();
void ComDimLeader();
