// What every command routine shares: the prompt, the pointer modes of a point step and
// of the final step, typed points and numbers, the pick text, number texts for the user,
// and the select step with "P" for the previous selection.
//
// A command routine has no arguments: the command line calls it on the Enter that starts
// it (MainVars.ComCnt = 0) and on every later Enter (ComCnt raised by one, the input in
// MainVars.Command[ComCnt]); it ends its command by setting ComCnt to -1.
#pragma once
#include <string>

#include "core/ObjRecords.h"
#include "core/Types.h"

// The command line's text (prompt and typed text).
void SetPrompt(const std::string& Text);
std::string GetPrompt();

// The newest input of the running command: MainVars.Command[ComCnt] ("" when out of range).
const std::string& ComInput(int K);

// Redraws the view / refreshes the layer panel through the main form (nothing without one).
void ComRedrawView();
void ComLayPanelUpdate();

// Point step: cross-hair, left click types a point, object snaps searched.
void PointModes();
// The final settings of a step that ends a command: ComCnt -1, FileSaved false, no
// rubber band, no click meaning, no snap search, redraw.
void FinalSettings();
// The settings of the work step of a command on a selection: ComCnt -1, FileSaved false,
// no rubber band, no click meaning, redraw (the snap search is left as it is).
void WorkStepStart();

// " La:" + layer + " X:" + PickPoint.x + " Y:" + PickPoint.y in the general number form.
std::string PickPointText();
// Logs "Usr:PickPoint" + PickPointText().
void LogPickPoint();
// The shortest general decimal form (at most 15 significant digits) with the user's
// decimal separator.
std::string GeneralNumText(Extended X);
// X written with a number pattern such as "0.000" (the decimals of the pattern), with
// the user's decimal separator; a result that rounds to zero carries no sign.
std::string PatternNumText(Extended X, const std::string& Pattern);

// Ends the running command after a point that did not parse:
// "Err:Wrong pickpoint (" + Input + ")", ComCnt -1, no snap search.
void WrongPickPoint(const std::string& Input);

// ---- Selection (the walks of core/UniWalk.h as the command line uses them) ----

// Combines the remembered selection back into the flags, shows the count and redraws;
// returns the selected count.
int RestoreDrawingSelection();
// Clears the selected bit of a record (no redraw).
void ClearSelected(TObjHeader* p);
// Number of selected top-level objects of the drawing.
int CountDrawingSelection();
// Shows Count in the main form's selection panel.
void ShowSelectionCount(int Count);

// Step 0 of a command working on a selection: the select prompt, selection modes, redraw.
void SelectStepStart();
// Step 1 of such a command: with the input "P" logs LogLine, restores the previous
// selection, sets ComCnt to 0 and asks again; returns true then (the routine returns).
// Any other input remembers the selection and returns false (the routine goes on).
bool SelectStepPrevious(const std::string& LogLine);
// Steps 0 and 1 of a command on a selection that then asks for one point: step 0 logs
// StartLog and asks for the selection; step 1 ("P" as above) asks Prompt[PromptNo] in the
// point modes. True while such a step ran (the routine returns); false on the point's Enter.
bool SelectThenPointStep(const std::string& StartLog, int PromptNo);
