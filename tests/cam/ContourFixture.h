// Shared by the machining tests: a started program with layer 1 shown and current, a
// cylindrical tool on tool layers, the contour dialog answered as a user would, and
// geometry judged by code of the tests' own (distances, crossings, areas) and by Clipper.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/ObjRecords.h"
#include "core/Types.h"
#include "platform/ScriptResponder.h"
#include "support/CmdTest.h"

class ContourTest : public CmdTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A cylindrical tool of diameter Diam on tool layer La with one pass 1 mm deep.
    static void SetTool(int La, Extended Diam);
    // A 90 degree V tool with a sharp tip on tool layer La: at the 1 mm pass it cuts
    // 1 mm off its axis, as the 2 mm cylinder does, and it can rise into corners.
    static void SetPointedTool(int La);
    // CONTOUR of the selected objects; Setup changes the dialog before OK is clicked.
    // Returns the dialog's modal result.
    void Contour(const std::function<void(TForm&)>& Setup);
    // Contour of the selected objects on the given side ("in", "out", "both").
    void ContourSide(const std::string& Side, const std::string& Allowance = "0");

    std::unique_ptr<TScriptResponder> R;
};

// Points along a 2D polyline: every vertex and Per points inside every segment.
std::vector<Osy> SamplePath(const TObjHeader* P, int Per = 16);
// Distance from Q to the straight segments of a polyline made of lines only.
Extended DistToLines(const TObjHeader* Src, const Osy& Q);
// Distance from Q to a polyline of lines and arcs (a point record: to its point).
Extended DistToPath(const TObjHeader* Src, const Osy& Q);
// A closed polyline's outline flattened (arcs into Per chords) crosses itself.
bool SelfCrossing(const TObjHeader* P);
// Signed area of the flattened outline (counter-clockwise positive).
Extended PathArea(const TObjHeader* P);
// Area of Clipper's round-joined offset of a closed polygon of lines by Delta (mm).
Extended ClipperOffsetArea(const TObjHeader* Src, Extended Delta);
// Radius of an arc segment (0 for a line).
Extended SegRadius(const Osy& S, const Osy& E, Extended Alfa);
// "" when every used link of every operation names a record of the drawing (a
// top-level record or a member of a group at any depth); else the first link that
// names none.
std::string DeadOpLink();
