// Drawing primitives in world coordinates (millimetres, y up) and the view mapping
// to pixels of the drawing area. Every primitive first leaves out what lies outside
// the visible window grown by half the pen width, so a redraw at a high zoom spends no
// canvas calls on what cannot be seen. The caller sets the pen (colour, width, style)
// unless a primitive says it sets it itself.
#pragma once
#include <cstdint>
#include <vector>

#include "core/Types.h"
#include "platform/Canvas.h"

// The main form's drawing canvas (nullptr while there is none: drawing on it is a no-op).
extern TCanvas* MainCanvas;

// Rounds to the nearest integer, halves to even, after clamping to +-1e9 so that a
// coordinate far outside the view can neither overflow nor break pixel arithmetic.
int32_t RoundPx(Extended V);
inline int32_t RoundPxD(double V) {
    if (!(V == V)) return 0;  // NaN
    V = V < -1e9 ? -1e9 : V > 1e9 ? 1e9 : V;
    // Adding and taking away 1.5 * 2^52 rounds in the default mode (halves to even)
    // without a library call; exact inside the clamp. The compiler does not
    // reassociate floating-point sums, so the pair is not folded away.
    constexpr double Magic = 6755399441055744.0;
    return int32_t((V + Magic) - Magic);
}

// The view mapping of the moment in plain doubles, for drawing many points.
struct TPixelMap {
    TPixelMap();
    double Zx, Zy, Ox, Oy, H, Scale;
    TPoint operator()(const Osy& P) const { return (*this)(double(P.x), double(P.y)); }
    TPoint operator()(double X, double Y) const {
        return {RoundPxD((X - Zx) * Scale + Ox), RoundPxD(H - (Y - Zy) * Scale + Oy)};
    }
};

// World point -> pixel of the canvas, and a pixel back to the world.
TPoint WorldToPixel(const Osy& P);
Osy PixelToWorld(Extended X, Extended Y);

// A filled 5 x 5 pixel disc in the pen colour (Width: margin of the visibility test, mm).
void DrawDot(const Osy& P, TCanvas* Canv, float Opacity, Extended Width);
// A one-pixel mark / a cross with 5-pixel arms, pen width Width.
void DrawPixel(const Osy& P, int32_t Width, TCanvas* Canv, float Opacity);
void DrawCross(const Osy& P, int32_t Width, TCanvas* Canv, float Opacity);
// The segment P1-P2 clipped to the view; an arrowhead at P2 in the direction views when
// Glob.Arrow is on. Width only grows the visibility window; the caller's pen draws.
void DrawLine(const Osy& P1, const Osy& P2, TCanvas* Canv, float Opacity, Extended Width);
// A segment in pixel units (y up) clipped to the canvas, for small previews.
void DrawLineGdi(const Osy& P1, const Osy& P2, TCanvas* Canv);
// A circle: one ellipse while its pixel box is small, else chords within a quarter pixel.
void DrawCircle(const Osy& C, Extended R, TCanvas* Canv, float Opacity, Extended Width);
// The arc of a bulge segment as chords within half a pixel; one arrowhead at its end.
void DrawArc(const Osy& P1, const Osy& P2, Extended Alfa, TCanvas* Canv, float Opacity, Extended Width);

// Paints a chain of segments (a polyline's outline) in as few canvas calls as it can:
// the segments that lie wholly in the window go out as one polyline of their pixel
// points (repeats left out), the others through DrawLine's clipping. While arrowheads
// are on, every segment is drawn alone so each gets its own.
class TChainPainter {
public:
    TChainPainter(TCanvas* Canv, float Opacity, Extended Width);
    ~TChainPainter();
    TChainPainter(const TChainPainter&) = delete;
    TChainPainter& operator=(const TChainPainter&) = delete;
    // Whether any part of the box Min..Max, grown by half the width, can be seen.
    bool Visible(const Osy& Min, const Osy& Max) const;
    void Start(const Osy& P);
    void LineTo(const Osy& P);
    // A bulge segment to P: chords within half a pixel, the last one ending at P.
    void ArcTo(const Osy& P, Extended Alfa);
    // Sends what is collected to the canvas.
    void Flush();

private:
    void Chord(double X, double Y, const Osy& P);
    bool InWindowD(double X, double Y) const { return X >= MinX && X <= MaxX && Y >= MinY && Y <= MaxY; }
    TCanvas* Canv;
    float Opacity;
    Extended Width;
    TPixelMap Map;
    double MinX, MinY, MaxX, MaxY;  // the grown window
    bool Alone;                      // arrowheads wanted: no batching
    Osy Prev{};
    double PrevX = 0, PrevY = 0;  // Prev in doubles
    bool PrevIn = false;          // Prev lies in the grown window
    std::vector<TPoint> Run;
};

// The closed outline of the axis-parallel rectangle P1-P2 (no visibility test).
void DrawRect(const Osy& P1, const Osy& P2, TCanvas* Canv, float Opacity);
// An object-snap marker on the main canvas: 1 centre, 2 midpoint, 3 end point,
// 4 perpendicular, 5 tangent, 6 intersection; other kinds draw nothing.
void DrawOsnapMark(const Osy& P, uint8_t Kind);
