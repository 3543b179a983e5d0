// The page routines that the tool dialog and the library dialog share: records into
// the shared page controls, the controls a tool type enables, the plunge picture and
// helix inputs, and the unit and diameter conversions of the inputs.
#pragma once
#include <string>

#include "core/ToolRecords.h"
#include "tools/ToolPageControls.h"

// The tool's identity and geometry into the Info/Geo inputs.
void GeoToInputs(TToolPageControls& C, const TTool& T);
// Cutting data into its inputs, unit buttons and milling direction.
void TechToInputs(TToolPageControls& C, const TToolTech& T);
// Outputs into their inputs.
void OutsToInputs(TToolPageControls& C, const TToolOutputs& O);

// The inputs tool type Ty (number Index) enables, with its fixed values, and its picture.
void ShowTypeFields(TToolPageControls& C, const TToolType& Ty, int Index, TImage& Img);
// The picture of plunge method Method for plunge object Obj and the helix inputs it uses.
void ShowPlungeMethod(TToolPageControls& C, TImage& Img, int Obj, int Method);

// The helix diameter D1 gives the machined diameter D2 for lower diameter Ds, and back;
// an input that does not fit turns its caption red.
void HelixToHoleDiameter(TToolPageControls& C, Extended Ds);
void HoleToHelixDiameter(TToolPageControls& C, Extended Ds);

// Turns Edit's length between millimetres and per cent of Ds (Percent tells which it
// is), writing it with Format; a Ds that is no length is refused by DsLab's caption.
void SwitchLengthUnit(TSpeedButton& Btn, TEdit& Edit, bool& Percent, Extended Ds, const TLabel& DsLab,
                      std::string (*Format)(Extended));
