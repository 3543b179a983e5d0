// The point entity (object kind 1): every operation on point records.
// TEnPoint has no fields and one global instance, EnPoint; the records hold all state.
#pragma once
#include <cstdint>

#include "core/ObjRecords.h"
#include "core/Types.h"

class TEnPoint {
public:
    // A dot in the look of the current view mode; nothing on a hidden layer, nor in the
    // sort view off the current layer. Writes MainVars.LastPos.
    void Draw(TObjHeader* Adresa, TCanvas* Canv);
    // Preview style: the caller's pen, PrevObjOpac and PrevObjWidth.
    void RawDraw(TObjHeader* Adresa, TCanvas* Canv);
    // Hit when the point lies in Min..Max (borders included; Window plays no part).
    // Select toggles the selected bit on a hit and draws the point on the main canvas;
    // returns the selected state. Hidden layer: false, nothing changed.
    bool Select(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window);
    bool RawSelect(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window);

    // In place; each clears the selected bit.
    void Move(TObjHeader* Adresa, const Osy& Rel);
    void Rotate(TObjHeader* Adresa, const Osy& Base, Extended Angle);
    void Scale(TObjHeader* Adresa, const Osy& Base, Extended Scale);
    // The point stays the same record: Adr is left as it is.
    void NpropScale(TObjHeader* Adresa, const Osy& Base, const Osy& Scale, TObjHeader*& Adr);
    void Mirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2);
    // Live previews on the main canvas: RawMove keeps the selected bit and draws with
    // RawDraw; RawRotate and RawMirror clear it and use RawDraw; RawScale and
    // RawNpropScale clear it and use Draw.
    void RawMove(TObjHeader* Adresa, const Osy& Rel);
    void RawRotate(TObjHeader* Adresa, const Osy& Base, Extended Angle);
    void RawScale(TObjHeader* Adresa, const Osy& Base, Extended Scale);
    void RawNpropScale(TObjHeader* Adresa, const Osy& Base, const Osy& Scale, TObjHeader*& Adr);
    void RawMirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2);

    // Appends a copy displaced by Rel (source and copy unselected, SavedFlags 0) /
    // an identical copy (the selected bit included). Both return the copy.
    TObjHeader* Copy(TObjHeader* Adresa, const Osy& Rel, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
    TObjHeader* CopyIdent(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
    // Appends a new point record on Layer; returns it.
    TObjHeader* Add(const Osy& S, uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr);

    // The tool path for machining the point as a contour: a counter-clockwise circle of
    // radius Dist from (S.x + Dist, S.y), with optional tangential lead arcs of radius
    // TgPolomer and angle TgUhel (radians). A new polyline on Glob.LayerDraw, linked
    // into no list; nullptr when Dist is below the coordinate tolerance.
    TObjHeader* Offset(TObjHeader* Adresa, bool TgIn, bool TgOut, Extended Dist, Extended TgPolomer,
                       Extended TgUhel);
};

extern TEnPoint EnPoint;

