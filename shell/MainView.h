// Program-wide state of the drawing view that lives outside the main form: the
// pointer-over-panel flag, the highlight polygons of a hovered machining operation,
// the hooks through which other subsystems plug into the redraw, and the point
// helpers of the previews.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/ObjRecords.h"  // RPolyPoints
#include "core/Types.h"
#include "platform/Canvas.h"

// The pointer is over a panel around the drawing area: no cross-hair.
extern bool MouseInPanel;

// The outlines of the machining operation hovered in the operations list, in pixels
// at the current scale; the first HighlightPolysCnt entries are valid.
extern std::vector<RPolyPoints> HighlightPolys;
extern int32_t HighlightPolysCnt;

// Rebuilds HighlightPolys for operation Index at the new scale (installed by the
// operations code; nullptr: nothing to rebuild). The zoom commands call it while an
// operation is hovered.
using THighlightCamOpFn = void (*)(int32_t Index);
extern THighlightCamOpFn HighlightCamOpHook;

// Draws the backdrop picture File stretched into the pixel rectangle R (installed by
// the native side, which can read pictures). PictureSize answers the picture's size in
// pixels; false when it cannot be read.
struct TBackdropHooks {
    bool (*PictureSize)(const std::string& File, int32_t& W, int32_t& H) = nullptr;
    void (*Draw)(TCanvas* Canv, const std::string& File, const TRect& R) = nullptr;
};
extern TBackdropHooks BackdropHooks;

// Releases and frees the operations list's hint window (installed by the operations
// panel); a pointer move over the drawing area calls it while an operation is hovered.
extern void (*ReleaseOpHintHook)();

// Moves the system pointer to screen pixel (X, Y) (installed by the native side;
// nullptr: the pointer stays). The centred wheel zoom puts it in the window's middle.
extern void (*SetCursorPosHook)(int32_t X, int32_t Y);

// Point helpers of the manipulation previews.
// Base + |P - Base| (cos, sin)(Angle(Base, P) + A), the angle normalised.
Osy RotatePt(const Osy& P, const Osy& Base, Extended A);
// P mirrored at the line through A and B.
Osy MirrorPt(const Osy& P, const Osy& A, const Osy& B);
// Base + (P - Base) * Scale per axis.
Osy ScalePtXY(const Osy& P, const Osy& Base, const Osy& Scale);

// Start-up values of the flags and lists above (called by ResetAllState); the hooks
// stay as their owners installed them.
void ResetViewState();
