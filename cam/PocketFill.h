// What the pocket and surfacing builders share: the object tests with the join
// question, the direction of the regions, the error lines collected during a build,
// and the region strategies.
#pragma once
#include <string>
#include <vector>

#include "core/ObjRecords.h"
#include "core/Types.h"

// The values one region strategy works with (lengths in mm, angles in radians).
struct TFillParams {
    bool Meander = true, Crossing = false;
    // A last pass along the roughing boundary: without it the strip between the wall
    // and the nearest meander line can be wider than the tool reaches.
    bool EdgePass = false;
    uint8_t La = 1;
    Extended Limit3D = 0, R = 0, Angle = 0, Step = 0, Rough = 0, Finish = 0, ThinError = 0;
};
// What a region gave for the report.
struct TRegionCounts {
    int Failed = 0, FinishCount = 0, Open = 0, CenterKept = 0, CenterDropped = 0;
    void Add(const TRegionCounts& o) {
        Failed += o.Failed;
        FinishCount += o.FinishCount;
        Open += o.Open;
        CenterKept += o.CenterKept;
        CenterDropped += o.CenterDropped;
    }
};

// The frame of one pocket or surfacing build: the start log lines (Kind "pocket" or
// "surface"), the slot of a new operation, Glob.MinOffsArc kept, and the end: the
// error list shown, the operation's status and count, the copies freed.
struct TFillRun {
    explicit TFillRun(const std::string& Kind);
    // A record to build into; otherwise logged and false.
    bool HasSlot() const;
    // Returns Done.
    bool End(TObjHeader*& SrcStart, TObjHeader*& SrcEnd);
    std::string Kind;
    int Idx = 0;
    bool Done = false, Failed = false;
    Extended SavMinOffsArc = 0;
};

// The lines of the error list of the running build.
std::vector<std::string>& FillErrors();
// Shows the error list under Caption.
void ShowFillErrors(const std::string& Caption);

// Offers to join open polylines and counts self-crossing and mutually crossing
// objects as error lines. False when open polylines stay (message shown).
bool TestFillObjects(TObjHeader*& S, TObjHeader*& E);
// Climb milling: each region's outer contour counter-clockwise, its islands clockwise;
// conventional milling the other way round.
void OrientRegions(TObjHeader* First, bool Climb);

// Strategy 0: roughing fill inside the roughing boundary, finishing contours along the
// walls, sub-operations, one group appended to the drawing. False when a boundary did
// not come out with one loop per contour.
bool SimpleFill(TObjHeader* Region, const TFillParams& P);
// Strategy 1 (and surfacing): the roughing fill inside (or, not Inside, around) the
// region; with Thin also the finishing contours and the centre lines through narrow
// places. Always true.
bool FillWithWidening(TObjHeader* Region, const TFillParams& P, bool Inside, bool Thin, TRegionCounts& Counts);
