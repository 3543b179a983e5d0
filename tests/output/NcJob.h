// A job for the G-code export tests: the program's default tools with a known tool
// on layer 1, every layer shown, the traverse heights set, a "Gcode.cfg" without keys
// (the built-in post-processor record); the export and the interpreter run of its
// program.
#pragma once
#include <string>
#include <vector>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "support/CmdTest.h"
#include "support/Fixture.h"
#include "support/NcMachine.h"

class NcJobTest : public KestrilonTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The program's default layer tools; clearance 5, clamp clearance 10, rapid down
    // to 0.5 above the previous pass.
    static void ResetTools();
    // Layer La's tool: passes at the given depths, feed 10 mm/s, plunge feed 2 mm/s
    // from the plunge settings, speed 12000.
    static TTool& SetTool(int La, std::initializer_list<Extended> Depths, TObrob Order = CelyPruchod);
    // Writes the job's program (All or the selected objects); its text ("" when none).
    std::string Export(bool All = true);
    std::string NcPath() const { return InDir("job.nc"); }
    // Export, run on the machine; fails the test on any interpreter error.
    TMachineRun ExportAndRun();
    // The drawn 2D paths of the drawing on layer La (texts and groups opened up).
    std::vector<TObjHeader*> DrawnPaths(int La);
    void FreeDrawnPaths();

private:
    TObjHeader *Opened = nullptr, *OpenedEnd = nullptr;
};

// A text of the built-in font, 8 mm high, on layer La at Origin.
void AddStrokeText(const char* Text, int La, const Osy& Origin);

// The command-line harness started with the program's default materials, tools and
// tool types, layer 1 shown.
class NcCmdTest : public CmdTest {
protected:
    void SetUp() override;
};

// Points along a 2D polyline, at most Step apart.
std::vector<Osy> PathPoints(const TObjHeader* Pline, Extended Step);
// Distance of P from the polyline through Pts.
Extended DistToPoints(const Osy& P, const std::vector<Osy3D>& Pts);

// Polylines through points, each with its box, for the distance of a point from the
// nearest of them.
class TPathSet {
public:
    void Add(std::vector<Osy3D> Pts);
    // Distance to the nearest path; paths whose box lies farther than Reach are skipped.
    Extended Dist(const Osy& P, Extended Reach = 0.01L) const;
    bool Empty() const { return Paths.empty(); }

private:
    struct TPath {
        std::vector<Osy3D> Pts;
        Osy Min, Max;
    };
    std::vector<TPath> Paths;
};
