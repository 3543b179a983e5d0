// Machines for the programs of the controls other than G-code, written from their
// command descriptions: each reads a program back into tool-centre moves (heights,
// feeds in mm/s, tool changes) in the shape of the standard interpreter's run, so
// the same checks judge every dialect.
#pragma once
#include <string>

#include "support/NcMachine.h"

// Isel NCP: micrometres, feeds in micrometres per second, arcs around absolute centres.
TMachineRun ReadNcpProgram(const std::string& Text);
// Datron MCR: millimetres, feeds in metres per minute, "Circle" arcs that start where
// the tool stands and run from their start angle to their end angle.
TMachineRun ReadMcrProgram(const std::string& Text);
// GravoGraph HPGL: 1/40 mm; the pen goes down to the depth of the last "!PZ" word and
// up to its clearance, at the "VS" feed.
TMachineRun ReadExpProgram(const std::string& Text);

// The lines of a program written with CR LF (a missing CR is reported as an error).
std::vector<std::string> ProgramLines(const std::string& Text, std::string& Errors);
