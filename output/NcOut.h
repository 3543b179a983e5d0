// The G-code export: the frame that walks the tool layers and their passes, and the
// object routines it hands points, polylines, groups, texts and 3D polylines to.
#pragma once
#include <string>

#include "core/Types.h"
#include "output/NcRun.h"

struct TObjHeader;
struct TTool;

// Writes the program of the drawing (All) or of its selected objects to FileName
// through the temporary file of the program folder. True when the file was written.
bool SaveNc(const std::string& FileName, bool All);

// "T12 fréza" gives TWord "T12" and Rest " fréza"; false (TWord empty, Rest = Name)
// unless the name starts with "T" followed by a number.
bool ToolNumberFromName(const std::string& Name, std::string& TWord, std::string& Rest);
// Tool and correction numbers of layer La's tool.
int NcToolNumber(const TTool& T, int La);
int NcCorrectionNumber(const TTool& T, int La);

// Rebuilds the clamp outlines for layer La's tool; false when the tool has no cutting
// distance (no pass or an unknown tool type).
bool NcClampOutlines(TNcRun& R, int La);
// Rises to the clamp height before a rapid From-To that crosses a clamp outline.
void NcClampRapid(TNcRun& R, const Osy& From, const Osy& To);
bool UnderClamp(TNcRun& R, const Osy& P);

// Passes of a tool: the leading rows deeper than minus the tolerance.
int NcPassCount(const TTool& T);
// Plunge feed of pass row P for plunge object K: the row's own, else the plunge
// setting's (per cent of the row's feed or its own feed).
Extended NcPlungeFeed(const TTool& T, int P, int K);

// Rapid to a point's or 3D polyline's start S at PrevDepth + DepthToPlunge.
void NcRapidToStart(TNcRun& R, const Osy& S, Extended Z);

// Object routines; Pass is the pass row in whole-pass order.
void PointOut(TNcRun& R, TObjHeader* Adresa, int Pass);
void Pline3DOut(TNcRun& R, TObjHeader* Adresa, int Pass);
void PlineOut(TNcRun& R, TObjHeader* Adresa, int Pass);
void GroupOut(TNcRun& R, TObjHeader* Adresa, int Pass);
void TextObjOut(TNcRun& R, TObjHeader* Adresa, int Pass);
// Dispatch by kind; other kinds are skipped.
void NcObjectOut(TNcRun& R, TObjHeader* Adresa, int Pass);

// Vertical plunge at the polyline's start to CurDepth and the cut of all segments.
void NcPlineCut(TNcRun& R, TObjHeader* Pline, int K, int Pass);
// Radius of the helix of the point plunge settings (every helix uses it).
Extended HelixRadius(const TTool& T);
// A helix around P from height Z1 (upper) to Z2 (lower) with the point plunge settings.
void NcSpiralPlunge(TNcRun& R, bool MoveOut, bool MoveBack, const Osy& P, Extended Z1, Extended Z2, Extended Pitch);

// Shows the run's error list (once per run, after the file was written).
void ShowNcErrors(const std::vector<std::string>& Lines, const std::string& Caption);
