// The frame of the writers for controls that have no post-processor file (Isel NCP,
// Datron MCR, GravoGraph HPGL): the used tool layers in ascending order, each with a
// block of its own, the passes in whole-pass or whole-object order, the clamp tests
// of every object, texts opened into polylines and groups handed on. A dialect says
// only what it writes.
#pragma once
#include <cmath>
#include <string>

#include "core/ObjRecords.h"
#include "core/Types.h"
#include "output/NcRun.h"

class TNcDialect {
public:
    // Texts of the log lines: "NCP" gives "Sys:Save NCP End" and so on.
    struct TTexts {
        std::string Start;     // start log line; empty: none
        std::string DiskFull;  // disk-full log line
        std::string CopyFail;  // copy-failure log line
        std::string End;       // end log line
    };

    explicit TNcDialect(bool All) { R.All = All; }
    virtual ~TNcDialect() = default;
    TNcDialect(const TNcDialect&) = delete;
    TNcDialect& operator=(const TNcDialect&) = delete;

    // Writes the program to FileName through the temporary file; true when written.
    bool Save(const std::string& FileName, const TTexts& Texts);

protected:
    // The run state shared with the object routines; its line numbering is not used.
    TNcRun R;

    void Line(const std::string& Text) { WriteNcRawLine(R, Text); }
    // Rebuilds the clamp outlines for the current layer's tool; on failure logs it and
    // tells the user (the run then ends).
    bool ClampOutlinesOrFail();
    // Plunge feed of pass row P for plunge object K: the row's own, else the tool's
    // plunge setting (a row without one holds -1, which is no feed).
    Extended PlungeFeed(int P, int K) const;
    // The plunge object of a polyline: closed or open contour.
    static int PlungeKind(TObjHeader* Pline);

    // Seg(From, E, Alfa) for each segment of a polyline; returns the end point.
    template <class F>
    static Osy WalkPline(TObjHeader* A, F Seg) {
        Osy prev = AsPline(A)->S;
        for (int32_t i = 0; i < PlineSegCount(A); ++i) {
            const TPlineSeg& g = PlineSegs(A)[i];
            Seg(prev, g.E, g.Alfa);
            prev = g.E;
        }
        return prev;
    }
    // Walks a 3D polyline's segments at the pass: a vertex off Z 0 is cut at CurDepth,
    // one at Z 0 stays there (the start counts with its stored height). Seg(From, E,
    // Alfa, Z, Step) gets each segment, Step when its height differs from the last.
    // Returns the end point.
    template <class F>
    Osy Walk3D(TObjHeader* A, F Seg) const {
        const TPline3DRec* pl = AsPline3D(A);
        Osy prev{pl->S.x, pl->S.y};
        Extended prevZ = pl->S.z;
        for (int32_t i = 0; i < Pline3DSegCount(A); ++i) {
            const TPlineSeg3D& g = Pline3DSegs(A)[i];
            const Osy E{g.E.x, g.E.y};
            const Extended z = std::fabs(g.E.z) > CoordTol ? R.CurDepth : g.E.z;
            Seg(prev, E, g.Alfa, z, std::fabs(prevZ - z) > CoordTol);
            prev = E;
            prevZ = z;
        }
        return prev;
    }

    virtual void Header() = 0;
    virtual void Footer() = 0;
    // The block at the start of a used layer; false ends the run.
    virtual bool LayerStart() = 0;
    virtual void LayerEnd() = 0;
    // Lines before pass P: once per pass in whole-pass order, before every object's
    // pass in whole-object order.
    virtual void PassOpening(int P) = 0;
    // One pass of an object from PrevDepth to CurDepth (both set).
    virtual void PointPass(const Osy& P, int Pass) = 0;
    virtual void PlinePass(TObjHeader* Pline, int Pass) = 0;
    virtual void Pline3DPass(TObjHeader* Pline3D, int Pass) = 0;

private:
    bool ExportLayer();
    void Dispatch(int Pass);
    void ObjectOut(TObjHeader* A, int Pass);
    // Runs One for pass Pass (whole-pass order) or for every pass with its opening
    // lines and depths (whole-object order).
    template <class F>
    void Passes(int Pass, F One);
    void PointOut(TObjHeader* A, int Pass);
    void PlineOut(TObjHeader* A, int Pass);
    void Pline3DOut(TObjHeader* A, int Pass);
    void TextOut(TObjHeader* A, int Pass);
};

// Nearest integer, halves to the even neighbour.
int64_t RoundHalfEven(Extended V);

// A user's text (tool name, note, job name) for one line of a program: in the code
// page of the program file, line breaks and the characters of Closing made blanks, so
// the text can neither end its comment or label early nor spill into commands.
std::string ProgramText(const std::string& Utf8, const char* Closing = "");
