// The NC program against the drawn part: the tool-centre moves of a program replayed
// by the standard interpreter (support/NcMachine.h) are compared with the part's
// outlines through GEOS, a geometry library nobody here wrote. The tool is a disc of
// its cutting radius at the height of the material it stands in.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "support/NcMachine.h"

struct TObjHeader;

// A tool's profile: its cutting radius at a height above the tip.
struct TToolShape {
    double TipDiam = 0;     // flat bottom diameter
    double Ball = 0;        // ball-nose radius
    double AngleDeg = 0;    // included angle of a cone
    double TopDiam = 0;     // the widest diameter
    double RadiusAt(double Height) const;

    static TToolShape Cylinder(double D) { return {D, 0, 0, D}; }
    static TToolShape BallNose(double D) { return {0, D / 2, 0, D}; }
    static TToolShape Cone(double Tip, double AngleDeg, double Top) { return {Tip, 0, AngleDeg, Top}; }
};

struct TPartJob {
    // Closed outlines of the part (polyline records); their even-odd region is what
    // they enclose.
    std::vector<const TObjHeader*> Outlines;
    bool WasteInside = true;   // inside is cut away (pockets, inside contours, surfacing)
    double Allowance = 0;      // material left on the walls
    double Widen = 0;          // how far the user lets the tool widen narrow places
    std::map<int, TToolShape> Tools;  // by the program's tool number
    double Deepest = 0;        // the deepest pass (a positive depth)
    bool Cover = false;        // the reachable region must be cut at the deepest pass
    bool Walls = false;        // the reachable walls must be cut at the deepest pass
};

struct TPartReport {
    double Gouge = -1e9;        // the most a tool disc enters the part (with the allowance), mm
    std::string GougeAt;        // where, and by which move
    double UncutArea = 0;       // mm² of the reachable region not cut at the deepest pass
    double UncutWall = 0;       // mm of reachable wall no cut at the deepest pass reaches
    double Lowest = 0;          // the lowest Z of the program
    std::vector<std::string> Faults;  // empty when the program is sound for the part
};

TPartReport CheckAgainstPart(const TMachineRun& Run, const TPartJob& Job);

// The same run with every move shifted in XY: a misplaced path for the check to find.
TMachineRun ShiftedRun(TMachineRun Run, double Dx, double Dy);
