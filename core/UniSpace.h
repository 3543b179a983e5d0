// The 3D polyline entity (object kind 5): a chain of straight and arc segments whose
// points carry a height z. Arcs bend in the x-y plane while z runs along from the
// segment's start to its end; everything planar works on the x-y projection and
// carries z unchanged.
//
// TEnSpace has no fields and one global instance, EnSpace; all state lives in the
// records, given by address.
#pragma once
#include <cstdint>

#include "core/ObjRecords.h"
#include "core/Types.h"

class TEnSpace {
public:
    // ---- drawing and picking (UniSpaceDraw.cpp) ----

    // Paints the 3D polyline in the look of the current view mode (tool views drop or
    // dot the sloped segments); nothing for nullptr or a hidden layer. Writes
    // MainVars.LastPos.
    void Draw(TObjHeader* Adresa, TCanvas* Canv);
    // Preview style: the caller's pen, PrevObjColor, PrevObjWidth and PrevObjOpac.
    void RawDraw(TObjHeader* Adresa, TCanvas* Canv);
    // Hit test of the x-y projection against Min..Max (Window: wholly inside; else
    // touched). Select toggles the selected bit on a hit, redraws, and returns the
    // selected state afterwards; RawSelect returns the hit and changes nothing.
    // Hidden layer: false.
    bool Select(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window);
    bool RawSelect(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window);

    // ---- queries ----

    // The x-y bounding box, arcs included.
    void Envelope(const TObjHeader* Adresa, Osy& Min, Osy& Max);
    // Length of the flat image (Only2D) plus the spatial chord of every sloped segment.
    Extended Length(const TObjHeader* Adresa);
    // True when open (start and last point farther apart than Glob.JoinTol in space);
    // writes the closed bit of PlineFlags. No segment: closed.
    bool OpenPline(TObjHeader* Adresa);
    // True when the polyline is closed and its flat image runs clockwise. Only the
    // closed bit is stored. Without segments, or when the flat image has none: false.
    bool FindDir(TObjHeader* Adresa);
    // New 2D records, linked into no list and owned by the caller: Only2D of the flat
    // segments (a flat segment after sloped ones joins the last point taken), To2D of
    // every segment with z dropped. A point record at (S.x, S.y) when nothing is left.
    TObjHeader* Only2D(const TObjHeader* Adresa);
    TObjHeader* To2D(const TObjHeader* Adresa);

    // ---- transforms ----

    // In place (size and list place stay, z and PlineFlags untouched). Move, Rotate,
    // Scale, Mirror clear the selected bit and draw nothing; RawMove keeps the bit and
    // draws with Draw, RawRotate and RawMirror keep it and draw with RawDraw, RawScale
    // clears it and draws with Draw (all on the main canvas). Mirror negates every Alfa.
    void Move(TObjHeader* Adresa, const Osy& Rel);
    void RawMove(TObjHeader* Adresa, const Osy& Rel);
    void Rotate(TObjHeader* Adresa, const Osy& Base, Extended Angle);
    void RawRotate(TObjHeader* Adresa, const Osy& Base, Extended Angle);
    void Scale(TObjHeader* Adresa, const Osy& Base, Extended Scale);
    void RawScale(TObjHeader* Adresa, const Osy& Base, Extended Scale);
    void Mirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2);
    void RawMirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2);
    // Scaling by Scale.x in x and Scale.y in y about Base: arcs longer than
    // (smaller / larger factor) * pi/4 are cut into pieces first, every arc angle is
    // then re-fitted. The record is replaced in StartAdr..EndAdr by a new one, given in
    // Adr, and drawn. A factor that is not positive is refused ("Err:" log line, false,
    // nothing changed, Adr untouched).
    bool NpropScale(TObjHeader* Adresa, const Osy& Base, const Osy& Scale, TObjHeader*& StartAdr,
                    TObjHeader*& EndAdr, TObjHeader*& Adr);
    // Appends a copy displaced by Rel in x and y (source and copy unselected, both
    // drawn) / an identical copy (nothing drawn). Both return the copy.
    TObjHeader* Copy(TObjHeader* Adresa, const Osy& Rel, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
    TObjHeader* CopyIdent(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
    // Reverses in place; clears the selected bit and flips the clockwise bit (open or
    // closed). Twice restores the record.
    void ChangeDir(TObjHeader* Adresa);
};

extern TEnSpace EnSpace;
