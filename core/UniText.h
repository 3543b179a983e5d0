// The text entity (object kind 4): a text record stores its parameters (string,
// font, height, width factor, slant, rotation, mirror, justification, insertion
// point) and the results of its layout (glyph origin `Base`, envelope, box corners).
// A stroke text is drawn, picked and exploded by running its font's shapes at every
// use; a TrueType text owns an outline group of closed polylines (linked into no
// list), built once by Add and then transformed along with the text.
//
// Every operation loads the text it works on into WorkText (core/ParText.h); a caller
// that needs its own parameters afterwards keeps a copy. No operation may run while a
// caller holds an object under construction in the object builder.
//
// The text's frame: x along the baseline, y up, in mm, the font origin at (0, 0);
// world(p) = Base + R(M(p)) with M the mirror (x, -y) when MirrorY and R the rotation
// by Rotate. Justification j = 3 v + h (h 0 left, 1 centre, 2 right; v 0 baseline,
// 1 middle, 2 capital height) puts the point J = (xmin + h (xmax - xmin) / 2,
// v Vyska / 2) of the ink's extent on Origin.
//
// TEnText has no fields and one global instance, EnText. Sources by topic:
// UniTextAdd.cpp (records, creation, rebuild), UniTextDraw.cpp (drawing, picking),
// UniTextTransform.cpp, UniTextExplode.cpp.
#pragma once
#include <cstdint>

#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/Types.h"

class TEnText {
public:
    // ---- records and creation (UniTextAdd.cpp) ----

    // Copies the record's fields into ParamText (MeziRadky untouched).
    void ReadParamText(const TObjHeader* Adresa, ParText& ParamText);
    // Copies WorkText (but MeziRadky) into the record: the mirror as 255 or 0, the
    // font name cut to 37 and the text to 255 characters.
    void WriteParamText(TObjHeader* Adresa);
    // Creates a text from WorkText at the end of the list on Layer and, with Draw,
    // draws it on the main canvas. Returns the new record, or nullptr when nothing was
    // made: an empty text, a text of blanks only, or a TrueType text without any
    // outline (no face, no glyph). WorkText holds the layout afterwards.
    TObjHeader* Add(uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr, bool Draw);
    // Rebuilds the text in place from WorkText (its outline group replaced); the
    // record and its outline end unselected. False, record unchanged, when Add makes
    // nothing for WorkText.
    bool EditTextParam(TObjHeader* Adresa);
    // Scaling by separate factors about ScBase: Origin moves, Vyska and WidthFactor
    // follow the factors along the text's own axes, and the text is rebuilt (slant,
    // mirror and rotation stay). Adr := Adresa. A factor that is not positive is
    // refused ("Err:" log line, false, nothing changed).
    bool NpropScale(TObjHeader* Adresa, const Osy& ScBase, const Osy& Scale, TObjHeader*& Adr);

    // ---- drawing and picking (UniTextDraw.cpp) ----

    // Paints the text in the look of the current view (nothing on a hidden layer).
    void Draw(TObjHeader* Adresa, TCanvas* Canv);
    // Preview style: the caller's pen, brush and font.
    void RawDraw(TObjHeader* Adresa, TCanvas* Canv);
    // Draws WorkText in its stroke font on Canv (the text dialog's preview); Adresa
    // is not used.
    void PrevDraw(TObjHeader* Adresa, TCanvas* Canv);
    // Hit test: a box wholly inside Min..Max hits; otherwise, without Window, a stroke
    // (stroke text) or an outline member (TrueType text) touched by the rectangle.
    // A hit toggles the selected bit and redraws. Returns the selected state after.
    bool Select(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window);
    // The same test, changing nothing: true on a hit or while the text is selected.
    bool RawSelect(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window);
    // WinMin, WinMax (WorkText is left as it is).
    void Envelope(const TObjHeader* Adresa, Osy& Min, Osy& Max);
    // Moves the text and its outline members to Layer, unselects and redraws it.
    void ChangeLayer(TObjHeader* Adresa, uint8_t Layer);

    // ---- transforms (UniTextTransform.cpp) ----
    // Rotate and Mirror recompute the envelope and draw with Draw; Scale draws
    // nothing, RawScale draws. RawMove and RawMirror keep the selected bit and draw
    // with RawDraw; the others clear it. Base stays (0, 0) for a TrueType text.

    void Move(TObjHeader* Adresa, const Osy& Rel);
    void RawMove(TObjHeader* Adresa, const Osy& Rel);
    // Appends a displaced copy with its own outline group; source unselected and
    // drawn, the copy drawn. Returns the copy.
    TObjHeader* Copy(TObjHeader* Adresa, const Osy& Rel, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
    // Appends an identical copy (its own outline group); the source is unselected
    // first. Returns the copy.
    TObjHeader* CopyIdent(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
    // Rotate := Rotate + Angle, kept in [0, 2pi).
    void Rotate(TObjHeader* Adresa, const Osy& RotBase, Extended Angle);
    void RawRotate(TObjHeader* Adresa, const Osy& RotBase, Extended Angle);
    void Scale(TObjHeader* Adresa, const Osy& ScBase, Extended Scale);
    void RawScale(TObjHeader* Adresa, const Osy& ScBase, Extended Scale);
    // Mirror about the line P1-P2: MirrorY toggles, Rotate := 2 Angle(P1, P2) - Rotate.
    void Mirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2);
    void RawMirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2);

    // ---- polylines of the text (UniTextExplode.cpp) ----

    // Appends the text's polylines to StartAdr..EndAdr (copies of the outline members,
    // or the stroke polylines without pen-down dots); with Erase the text is deleted
    // from that list, which must hold it. Returns the number of records appended.
    int32_t Explode(TObjHeader* Adresa, bool Erase, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
    // Total length of the text's polylines.
    Extended Length(TObjHeader* Adresa);
    // First and last point of the text's polylines; (0, 0) for both when there are none.
    void StartEndPt(TObjHeader* Adresa, Osy& S, Osy& E);
};

extern TEnText EnText;

// True for a TrueType text (a record with an outline group).
inline bool IsTrueTypeText(const TObjHeader* Adresa) {
    return (static_cast<const TTextRec*>(Adresa)->Justify & JustifyHasOutline) != 0;
}

// ---- helpers shared by the text sources ----

// The world point of frame point P for the parameters T with glyph origin Base:
// Base + R(M(P)).
Osy TextFrameToWorld(const ParText& T, const Osy& Base, const Osy& P);
// Recomputes WorkText.WinMin/WinMax from its layout: a stroke text by an envelope
// walk of its strokes (nothing drawn gives Base .. Base + (1, 1)), a TrueType text
// from its outline group.
void TextEnvelopeAgain();
