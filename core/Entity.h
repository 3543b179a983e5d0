// The common family of the five entity classes. Whole-object operations dispatch on
// the kind byte: 1 TEnPoint, 2 TEnPline, 3 TEnGroup, 4 TEnText, 5 TEnSpace; any other
// value is skipped (the operation does nothing and answers false / nullptr).
#pragma once
#include <cstdint>

#include "core/ObjRecords.h"
#include "core/Types.h"

void DrawObj(TObjHeader* Adresa, TCanvas* Canv);
void RawDrawObj(TObjHeader* Adresa, TCanvas* Canv);
bool SelectObj(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window);
bool RawSelectObj(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window);
void MoveObj(TObjHeader* Adresa, const Osy& Rel);
void RawMoveObj(TObjHeader* Adresa, const Osy& Rel);
TObjHeader* CopyObj(TObjHeader* Adresa, const Osy& Rel, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
TObjHeader* CopyIdentObj(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
void RotateObj(TObjHeader* Adresa, const Osy& Base, Extended Angle);
void RawRotateObj(TObjHeader* Adresa, const Osy& Base, Extended Angle);
void ScaleObj(TObjHeader* Adresa, const Osy& Base, Extended Scale);
void RawScaleObj(TObjHeader* Adresa, const Osy& Base, Extended Scale);
void MirrorObj(TObjHeader* Adresa, const Osy& P1, const Osy& P2);
void RawMirrorObj(TObjHeader* Adresa, const Osy& P1, const Osy& P2);
// StartAdr..EndAdr: the list holding Adresa (a kind that replaces the record does it
// there); Adr receives the record standing for the object afterwards (unchanged when
// the record stays). False when the kind refused (a factor that is not positive).
bool NpropScaleObj(TObjHeader* Adresa, const Osy& Base, const Osy& Scale, TObjHeader*& StartAdr,
                   TObjHeader*& EndAdr, bool Draw, TObjHeader*& Adr);
// Bounding box; a point's box is its position.
void EnvelopeObj(TObjHeader* Adresa, Osy& Min, Osy& Max);

// The tool code's answer to "cutting radius of layer Num's tool at depth Hloubka"
// (the tool code's ToolDistLa, installed at start-up); nullptr answers false.
// The tool views of the entity classes draw with twice that radius.
using TToolDistLaFn = bool (*)(int32_t Num, Extended& Dist, Extended Hloubka, bool TmpCopy);
extern TToolDistLaFn ToolDistLaHook;
