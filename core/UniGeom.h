// Plane geometry on line and arc segments.
//
// A segment is its start point, its end point and its included angle Alfa: 0 (within
// CoordTol) for a straight line, otherwise a circular arc from start to end,
// counter-clockwise when Alfa > 0. Every function is pure; "within the tolerance"
// always means CoordTol, also for angles in radians.
#pragma once
#include "core/Types.h"

inline constexpr Extended GeomPi = 3.1415926535897932385L;
inline constexpr Extended GeomPi2 = 1.5707963267948966193L;    // pi/2
inline constexpr Extended GeomPi32 = 4.712388980384689858L;    // 3pi/2
inline constexpr Extended Geom2Pi = 6.283185307179586477L;     // 2pi
inline constexpr Extended NormAngleSnap = 1e-15L;
inline constexpr Extended AngleUpperCut = 6.283185307179585477L;  // 2pi - 1e-15
inline constexpr Extended ArcArcWrap = 6.283185307179586467L;     // 2pi - 1e-17

// Brings A into [0, 2pi) by one wrap at most, snapping to 0, pi/2, pi, 3pi/2 within
// 1e-15. NormAngleOf returns the result instead.
void NormAngle(Extended& A);
Extended NormAngleOf(Extended A);

// Sine and cosine of A in long double, A first brought within pi/4 of zero by a
// multiple of pi/2: the library's own reduction of larger arguments is the slow,
// general one.
void SinCos(Extended A, Extended& S, Extended& C);

// Direction of P1->P2 in [0, 2pi); 0 when the points are the same within the tolerance.
Extended Angle(const Osy& P1, const Osy& P2);
Extended Angle2(const Osy& P1, const Osy& P2);

bool SamePt(const Osy& P1, const Osy& P2);
Extended Dist(const Osy& P1, const Osy& P2);
Extended Dist3D(const Osy3D& P1, const Osy3D& P2);
Osy AddPt(const Osy& P1, const Osy& P2);

// Cyclic angular range test with the tolerance: lo..hi counter-clockwise, passing
// through 0 when hi <= lo.
bool InRange(Extended A, Extended Lo, Extended Hi);

// Centre and radius of the arc P1->P2 with included angle Alfa (|Alfa| > 0).
void ArcCenter(const Osy& P1, const Osy& P2, Extended Alfa, Osy& C, Extended& R);
void ArcCenter2(const Osy& P1, const Osy& P2, Extended Alfa, Osy& C, Extended& R);
// Angle of P1 / P2 seen from the arc's centre, in [0, 2pi).
Extended ArcStartAngle(const Osy& P1, const Osy& P2, Extended Alfa);
Extended ArcEndAngle(const Osy& P1, const Osy& P2, Extended Alfa);
// Middle point of a line or an arc.
void SegMidPt(const Osy& P1, const Osy& P2, Extended Alfa, Osy& M);

// Foot F of the perpendicular from P on the line AB and its distance D; true when F
// lies on the segment.
bool PerpFootLine(const Osy& P, const Osy& A, const Osy& B, Osy& F, Extended& D);
// Foot F on the arc's circle and its distance D; true when F lies on the arc.
bool PerpFootArc(const Osy& P, const Osy& A, const Osy& B, Extended Alfa, Osy& F, Extended& D);

// Intersections. The count is 0, 1 (X1) or 2 (X1, X2).
// Lines: 2 means the collinear overlap X1..X2, X1 nearer to A1.
unsigned IntersLineLine(const Osy& A1, const Osy& A2, const Osy& B1, const Osy& B2, Osy& X1,
                        Osy& X2);
// Line L1L2 with the arc A1A2: points ordered by distance from L1.
unsigned IntersLineArc(const Osy& L1, const Osy& L2, const Osy& A1, const Osy& A2, Extended Alfa,
                       Osy& X1, Osy& X2);
// The same pair, points ordered along the arc from A1.
unsigned IntersArcLine(const Osy& L1, const Osy& L2, const Osy& A1, const Osy& A2, Extended Alfa,
                       Osy& X1, Osy& X2);
// Two arcs: points (or the ends of a common piece) ordered by distance from A1.
unsigned IntersArcArc(const Osy& A1, const Osy& A2, const Osy& B1, const Osy& B2, Extended Alfa1,
                      Extended Alfa2, Osy& X1, Osy& X2);
// Any two segments; results ordered from segment 1's start.
unsigned IntersSegSeg(const Osy& S1, const Osy& E1, const Osy& S2, const Osy& E2, Extended Alfa1,
                      Extended Alfa2, Osy& X1, Osy& X2);

// Bounding box of an arc (only arcs; a line's box is that of its ends).
void ArcEnvelope(const Osy& P1, const Osy& P2, Extended Alfa, Osy& Min, Osy& Max);

// Crossings of the segment AB with the four sides of the rectangle Min..Max; InA/InB
// tell whether each end lies inside. All flags start false.
void ClipSegToRect(const Osy& Min, const Osy& Max, const Osy& A, const Osy& B, Osy& PLeft,
                   Osy& PBottom, Osy& PRight, Osy& PTop, bool& Left, bool& Bottom, bool& Right,
                   bool& Top, bool& InA, bool& InB);
