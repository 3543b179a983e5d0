// A machine's view of a G-code program: the program runs through the standard
// RS-274/NGC interpreter "rs274" (a control's interpreter nobody here wrote), and its
// canonical machine calls are read back as moves for property checks.
#pragma once
#include <string>
#include <vector>

#include "core/Types.h"

struct TMachineMove {
    bool Rapid = false;
    bool Arc = false;
    Osy3D From, To;  // From.z is +infinity while the height is unknown (after a tool change)
    Osy C;           // arc centre
    int Turn = 0;    // arc: 1 anticlockwise, -1 clockwise
    double Feed = 0; // feed rate in force (feed moves)
    int Tool = 0;    // tool in the spindle, 0 none yet
};

struct TMachineRun {
    bool Ok = false;           // the interpreter ran to the end without an error
    std::string Messages;      // its error text and the canonical comments it made
    std::vector<TMachineMove> Moves;
    std::vector<int> ToolChanges;
    std::vector<double> Feeds;  // every feed rate set (the program end sets 0)
};

// Runs the program file through rs274 with a tool table of tools 1..999.
TMachineRun RunOnMachine(const std::string& NcFile, const std::string& WorkDir);

// Points along a move, at most Step apart (arcs followed on their circle).
std::vector<Osy3D> MovePoints(const TMachineMove& M, Extended Step);

// Machine-safety properties of a run; returns the descriptions of every violation:
// an XY rapid below Clearance; a rapid down below the material top (0) or below what
// was cut at that XY already; a move below -Deepest; a feed not above zero; a feed
// move before the first tool change.
std::vector<std::string> SafetyViolations(const TMachineRun& Run, Extended Clearance, Extended Deepest);
