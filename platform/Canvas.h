// A small pixel canvas: the one drawing interface the logic paints through.
// Colours are $00BBGGRR (red in the lowest byte); only a native canvas converts them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct TPoint {
    int32_t X = 0, Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int32_t cx = 0, cy = 0;
    bool operator==(const TSize&) const = default;
};

// Right and Bottom are exclusive, as on the classic canvases.
struct TRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

enum class TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psClear };
enum class TBrushStyle : uint8_t { bsSolid, bsClear };

struct TFontSpec {
    std::string Name;          // empty: the system's monospace font
    int32_t Size = 10;         // points
    uint32_t Color = 0;        // $00BBGGRR
    bool Bold = false;
    bool Italic = false;
};

// Pen, brush and font are plain state read by every primitive at the moment it draws.
// Opacity (0..1) applies to what the pen strokes, BrushOpacity to what the brush fills.
class TCanvas {
public:
    virtual ~TCanvas() = default;

    uint32_t PenColor = 0;
    int32_t PenWidth = 1;
    TPenStyle PenStyle = TPenStyle::psSolid;
    float Opacity = 1.0f;
    uint32_t BrushColor = 0x00FFFFFF;
    TBrushStyle BrushStyle = TBrushStyle::bsSolid;
    float BrushOpacity = 1.0f;
    bool Antialias = false;
    TFontSpec Font;
    TPoint PenPos;

    // Line from the pen position, which then moves to the end.
    void MoveTo(int32_t X, int32_t Y) { PenPos = {X, Y}; }
    void LineTo(int32_t X, int32_t Y) {
        Line(PenPos.X, PenPos.Y, X, Y);
        PenPos = {X, Y};
    }

    // Begin/EndDraw bracket one repaint; primitives also work outside a bracket.
    virtual void BeginDraw() {}
    virtual void EndDraw() {}
    // Keeps a copy of the picture as it is now / puts the kept copy back (false when the
    // canvas cannot keep one, or has none of its present size).
    virtual bool KeepPicture() { return false; }
    virtual bool RestorePicture() { return false; }
    // The whole canvas in one colour, ignoring pen and brush.
    virtual void Clear(uint32_t Color) = 0;
    virtual void SetPixel(int32_t X, int32_t Y, uint32_t Color) = 0;
    virtual void Line(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) = 0;
    virtual void Polyline(const std::vector<TPoint>& Pts) = 0;
    // Outline with the pen, filled with the brush unless the brush is clear.
    virtual void Polygon(const std::vector<TPoint>& Pts) = 0;
    virtual void Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) = 0;
    // Brush only, no outline.
    virtual void FillRect(const TRect& R) = 0;
    // The ellipse inscribed in the box (X1, Y1)-(X2, Y2), pen outline, brush fill.
    virtual void Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) = 0;
    // Part of the ellipse inscribed in the box; angles in radians, counter-clockwise
    // as seen on the screen, from the positive x axis.
    virtual void Arc(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, double StartAngle,
                     double SweepAngle) = 0;
    // UTF-8 text in Font, top-left corner at (X, Y), no background.
    virtual void TextOut(int32_t X, int32_t Y, const std::string& Text) = 0;
    virtual TSize TextExtent(const std::string& Text) = 0;
    // The drawable area: (0, 0, width, height).
    virtual TRect ClipRect() const = 0;

    int32_t TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
    int32_t TextHeight(const std::string& Text) { return TextExtent(Text).cy; }
};
