// The machine's view of the programs of the other controls: a Sinumerik 802 part
// program and the per-layer Comagrav files read back into the tool-centre moves that a
// control would make (XY paths, Z levels, feeds in mm/min, tool changes), in the form
// the interpreter run of a G-code program has.
#pragma once
#include <string>
#include <vector>

#include "support/NcMachine.h"

// Blocks with or without numbers; ";" comments; G0 G1 G2 G3 (I, J from the arc start),
// G63 (a feed move), G4 F (a dwell), G75 (the fixed point: height unknown after it),
// T with M6. An unknown word makes the run not Ok and is named in Messages.
TMachineRun ReadMpfRun(const std::string& Text);
// The files of one job in layer order: words without blanks, modal G and F, "T<n>M6".
TMachineRun ReadCncRun(const std::vector<std::string>& Texts);
