// The polyline entity (object kind 2): every operation on polyline records.
//
// TEnPline has no fields and one global instance, EnPline; all state lives in the
// records, given by address. The methods are grouped by topic below; each topic has
// its own source file (UniPlineDir.cpp: closed and direction flags, self-crossing).
#pragma once
#include <cstdint>
#include <vector>

#include "core/ObjRecords.h"
#include "core/Types.h"

// The first pair of segments (I < J, in walking order) of one polyline that meet
// although they are not plain neighbours sharing their common vertex.
struct TSelfCross {
    int32_t Count = 0;  // meetings of I and J: 1 a point X1, 2 two points or an overlap X1..X2
    int32_t I = -1, J = -1;
    Osy X1, X2;
};

class TEnPline {
public:
    // ---- queries: closed and direction flags ----

    // True when the polyline is open. Writes the closed bit of PlineFlags and no other
    // bit. Open: one segment; two segments whose angles cancel (out and back, or two
    // opposite arcs); otherwise ends farther apart than CoordTol. Records that are not
    // 2D polylines are reported open and left unchanged.
    bool OpenPline(TObjHeader* Adresa);

    // True when the polyline is closed and clockwise. Updates PlineFlags: an open
    // polyline keeps its direction bit; a closed one that crosses itself gets the whole
    // byte PlineSelfCross; otherwise the direction bit follows the turning sum. A record
    // that is not a 2D polyline gives false and is left unchanged.
    bool FindDir(TObjHeader* Adresa);

    // Finds the first pair (I, J), I < J, ordered by I then J, of segments that meet
    // where they should not: a single meeting of a segment with the next one (their
    // shared vertex) and of the first segment with a last one that ends at the start
    // point does not count. A polyline of one segment, or of two whose end is the
    // start point, never crosses itself. Returns Res.Count (0: no crossing).
    // Candidates come from a box index, so the cost grows as n log n.
    int32_t SelfCross(const TObjHeader* Adresa, TSelfCross& Res);

    // ---- drawing and picking (UniPlineDraw.cpp) ----
    // Segment positions inside a record (AdrSect, AdrPt, AdrP) are segment indices,
    // 0 = the first segment.

    // Paints the polyline in the look of the current view mode; nothing for nullptr or a
    // hidden layer. Writes MainVars.LastPos.
    void Draw(TObjHeader* Adresa, TCanvas* Canv);
    // Preview style: the caller's pen, PrevObjWidth and PrevObjOpac.
    void RawDraw(TObjHeader* Adresa, TCanvas* Canv);
    // The outline in screen pixels, arcs as chords within 0.1 mm; Res unchanged for nullptr.
    void GetPoints(const TObjHeader* A, RPolyPoints& Res);
    // Hit test against Min..Max (Window: wholly inside; else touched). Select toggles
    // the selected bit on a hit, redraws, and returns the selected state afterwards;
    // RawSelect returns the hit and changes nothing. Hidden layer: false.
    bool Select(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window);
    bool RawSelect(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window);

    // ---- creation and transforms (UniPlineCreate.cpp, UniPlineTransform.cpp) ----

    // Append a new polyline; nothing for coinciding corners or a radius below CoordTol.
    void LineAdd(const Osy& S, const Osy& E, uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
    void ArcAdd(const Osy& S, const Osy& E, Extended Alfa, uint8_t Layer, TObjHeader*& StartAdr,
                TObjHeader*& EndAdr);
    // Four counter-clockwise quarter arcs from (C.x + R, C.y), PlineFlags closed.
    void CircleAdd(const Osy& C, Extended R, uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
    // Four lines from S via (E.x, S.y); the direction follows the corner S.
    void RectangleAdd(const Osy& S, const Osy& E, uint8_t Layer, TObjHeader*& StartAdr,
                      TObjHeader*& EndAdr);

    // In place; the plain ones clear the selected bit and draw nothing. The raw ones
    // draw on the main canvas (RawMove and RawScale with Draw, the others with RawDraw);
    // RawMove keeps the selected bit. No transform recomputes PlineFlags.
    void Move(TObjHeader* Adresa, const Osy& Rel);
    void RawMove(TObjHeader* Adresa, const Osy& Rel);
    void Rotate(TObjHeader* Adresa, const Osy& Base, Extended Angle);
    void RawRotate(TObjHeader* Adresa, const Osy& Base, Extended Angle);
    void Mirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2);
    void RawMirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2);
    void Scale(TObjHeader* Adresa, const Osy& Base, Extended Scale);
    void RawScale(TObjHeader* Adresa, const Osy& Base, Extended Scale);
    // Scaling by Scale.x and Scale.y about Base: arcs are cut into pieces of at most
    // (smaller / larger factor) * pi/4 and re-fitted. The record is replaced in its
    // list; Adr receives the replacement. A factor that is not positive is refused
    // ("Err:" log line, false, nothing changed). Draw is not used.
    bool NpropScale(TObjHeader* Adresa, const Osy& Base, const Osy& Scale, TObjHeader*& StartAdr,
                    TObjHeader*& EndAdr, bool Draw, TObjHeader*& Adr);
    bool RawNpropScale(TObjHeader* Adresa, const Osy& Base, const Osy& Scale, TObjHeader*& StartAdr,
                       TObjHeader*& EndAdr, bool Draw, TObjHeader*& Adr);
    // Appends a copy displaced by Rel (source and copy unselected) / an identical copy.
    // Both return the copy.
    TObjHeader* Copy(TObjHeader* Adresa, const Osy& Rel, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
    TObjHeader* CopyIdent(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
    // Reverses in place; a closed polyline's direction bit flips.
    void ChangeDir(TObjHeader* Adresa);
    // A new closed polyline (linked into no list) along the same path from the vertex
    // nearest Pos when it lies in Min..Max, else from the foot of Pos on the nearest
    // segment; nullptr when open, when the start is picked or the foot misses.
    TObjHeader* ChangeStart(TObjHeader* Adresa, const Osy& Pos, const Osy& Min, const Osy& Max);
    // Replaces the polyline in its list by one polyline per segment; returns them.
    std::vector<TObjHeader*> Explode(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr);

    // ---- queries (UniPlineQuery.cpp) ----

    void Envelope(const TObjHeader* Adresa, Osy& Min, Osy& Max);
    Extended Length(const TObjHeader* Adresa);
    Extended FirstLength(const TObjHeader* Adresa);
    Osy HalfPoint(const TObjHeader* Adresa);
    // True when some segment of the first meets some segment of the second; Cross gets
    // the first meeting point of the first such pair (in segment order).
    bool CrossTest(const TObjHeader* Adresa1, const TObjHeader* Adresa2, Osy& Cross);
    // A closed chain of arcs about one centre covering one full turn.
    bool IsCircle(const TObjHeader* Adresa, Osy& C, Extended& R);
    // Path length from the start to Pt lying on segment AdrPt (Pt is not projected).
    Extended DistOnPline(const TObjHeader* Adresa, int32_t AdrPt, const Osy& Pt);
    // Distance from Pt to the polyline; AdrSect gets the nearest segment. Near ties
    // (within CoordTol) go to the segment whose ends are nearer in sum.
    Extended DistPoint(const TObjHeader* Adresa, const Osy& Pt, int32_t& AdrSect);
    bool PointRight(const TObjHeader* Adresa, const Osy& Pt);
    // Inside a closed polyline (uses the stored direction bit; updates the closed bit).
    bool PointInside(TObjHeader* Adresa, const Osy& Pt);
    // Decided by the middle of the first segment of Adresa.
    bool PlineInside(const TObjHeader* Adresa, TObjHeader* CloseLimPline);

    // ---- editing: break, trim, extend, loops (UniPlineEdit.cpp) ----
    // Every operation that rebuilds a record deletes the source and returns what
    // replaced it, so callers can re-point machining-operation links (TEditAdr).

    // Splits Adresa at Pt on segment AdrSect: the pieces are appended to the list and
    // the source deleted. At the very start or end the source moves to the end of the
    // list as one identical copy. Returns the pieces in order.
    std::vector<TObjHeader*> BreakPlineOnPoint(const Osy& Pt, TObjHeader* Adresa, int32_t AdrSect,
                                               TObjHeader*& StartAdr, TObjHeader*& EndAdr);
    // Breaks a polyline of the drawing at its point nearest Pt; empty when no
    // perpendicular foot lies on a segment (the polyline is only redrawn).
    std::vector<TObjHeader*> BreakPline(TObjHeader* Adresa, const Osy& Pt);
    // Removes the part picked by Min..Max between the nearest crossings with the
    // cutting edges of the chain StartAdr (followed through Next). RPline1 / RPline2:
    // the pieces kept before / after (nullptr when degenerate). False when nothing was
    // cut (then RPline1 and RPline2 are not written).
    bool Trim(TObjHeader* Adresa, const Osy& Min, const Osy& Max, TObjHeader* StartAdr,
              TObjHeader* EndAdr, TObjHeader*& RPline1, TObjHeader*& RPline2);
    // Lengthens the end nearer the pick up to the nearest boundary of the chain
    // StartAdr (at most 10000 mm for a line, a half circle for an arc). Returns the
    // replacing record, nullptr (OK false) when not extended.
    TObjHeader* Extend(TObjHeader* Adresa, const Osy& Min, const Osy& Max, TObjHeader* StartAdr,
                       TObjHeader* EndAdr, bool& OK);
    // 0 without a self-crossing; else 1 or 2 with the crossing in P1 (P2 the second
    // meeting point) and in AdrP the segment to break at.
    int32_t LoopTest(const TObjHeader* Adresa, Osy& P1, Osy& P2, int32_t& AdrP);
    // Replaces the polyline in its list by pieces that do not cross themselves;
    // returns the pieces in list order.
    std::vector<TObjHeader*> Divide(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr);

    // ---- offsets (UniPlineOffset*.cpp) ----
    // Results are new records appended to OffsStart..OffsEnd (emptied first without
    // freeing), on layer La, linked into no other list; the source is not changed
    // (GenOffsetClose recomputes its direction first).

    // Closed polyline, inside or outside. Analyza: split the raw offset where it meets
    // itself, drop what comes nearer to the source than Dist and chain the rest into
    // closed loops starting near the source's start point.
    void GenOffsetClose(TObjHeader* Adresa, Extended Dist, bool Inside, bool Analyza, TObjHeader*& OffsStart,
                        TObjHeader*& OffsEnd, int32_t La);
    // Open polyline, to the right or the left: open chains first, then closed ones.
    // Nothing for a polyline that crosses itself.
    void GenOffsetOpen(TObjHeader* Adresa, Extended Dist, bool Right, TObjHeader*& OffsStart, TObjHeader*& OffsEnd,
                       int32_t La);
    // Chains pieces end to start (Cont false: only across a bend, the sharpest wins;
    // true: any). Closed results go to Out, open ones stay in In.
    void OffsPlineJoin(bool Cont, TObjHeader*& InStart, TObjHeader*& InEnd, TObjHeader*& OutStart,
                       TObjHeader*& OutEnd);
    // Prunes branches (pieces sharing a start point) and then chains as above.
    void SpecOffsPlineJoin(TObjHeader*& InStart, TObjHeader*& InEnd, TObjHeader*& OutStart, TObjHeader*& OutEnd);
    // The first pair of segments (in order) of two polylines that meet other than at an
    // end point of both: their indices and the meeting point.
    bool CrossTestSect(const TObjHeader* Adr1, const TObjHeader* Adr2, int32_t& Sect1, int32_t& Sect2, Osy& Cross);
    // Splits the polylines of the list at their mutual crossings.
    void PlineTrunc(TObjHeader*& StartAdr, TObjHeader*& EndAdr);

    // ---- fillets, chamfers and utilities (UniPlineFillet*.cpp) ----

    // The fillet of radius Radius between two consecutive segments (E1 = S2): on true
    // the arc FS-FE-FAlfa and the trimmed angles Alfa1, Alfa2.
    bool GenFillet(Extended Radius, Osy& S1, Osy& E1, Osy& S2, Osy& E2, Extended& Alfa1, Extended& Alfa2, Osy& FS,
                   Osy& FE, Extended& FAlfa);
    // A new polyline (linked into no list) with every corner / the corner nearest Pt
    // rounded (Radius < 0: bulging towards the corner) or bevelled (Chamfer); nullptr
    // for one segment, and for the start point of an open polyline.
    TObjHeader* FilletAll(TObjHeader* Adresa, Extended Radius, bool Chamfer);
    TObjHeader* FilletOne(TObjHeader* Adresa, Extended Radius, const Osy& Pt, bool Chamfer);
    // A new polyline (linked into no list) with every arc replaced by chords deviating
    // at most OS from it.
    TObjHeader* ArcToLine(TObjHeader* Adresa, Extended OS);
    // The centre line between the polyline and the limit polylines LimStart..LimEnd
    // on the side ToRight / left, probing up to 2 * MaxDist; appended to StartAdr..EndAdr.
    void Axis(TObjHeader* Adresa, TObjHeader* LimStart, TObjHeader* LimEnd, bool ToRight, Extended MaxDist,
              TObjHeader*& StartAdr, TObjHeader*& EndAdr, uint8_t La);
    // Chains the selected polylines of the list (on Layer, any when 0) whose ends meet
    // within Glob.JoinTol; directions recomputed for every polyline of the list.
    void Join(uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
    Osy StartPt(const TObjHeader* A);
    Osy EndPt(const TObjHeader* A);
    // Direction of travel at the start / end, 0..2pi.
    Extended TanStart(const TObjHeader* A);
    Extended TanEnd(const TObjHeader* A);
};

extern TEnPline EnPline;

// Joins A2, which starts where A1 ends, to the end of A1: A1 becomes the joined record
// (in A1's place), A2 is deleted and set to nullptr. Nothing when A1 = A2.
void ConcatPlines(TObjHeader*& A1, TObjHeader*& A2, TObjHeader*& StartAdr, TObjHeader*& EndAdr);

// Draws one segment as a construction trace on the main canvas (yellow line, lime arc).
void DrawTraceSeg(const Osy& S, const Osy& E, Extended Alfa);
