// The machining commands' shared selection step and CONTOUR.
#pragma once
#include <string>

// The selection dialogue of CONTOUR, MEANDR, SURFACE and ENGRBLOCK. Returns true when
// the command has to wait for the next entry, or has ended because nothing is selected
// (said to the user); false when the selection is complete (the command ends with this
// entry). LogLine is logged for "P" ("" logs nothing).
bool CamSelectStep(const std::string& LogLine, bool KeepModes);

// CONTOUR: a contour operation of the selected objects (re-entered by the command
// line; OPEDIT and regeneration run it with Glob.OpEdit on, skipping the selection).
void ComContour();
