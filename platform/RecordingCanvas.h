// A canvas that records every call with the pen and brush state it was made with.
// Tests draw on it and look at what was drawn.
#pragma once
#include <cstdint>

#include "platform/Canvas.h"

enum class TCanvasOpKind : uint8_t {
    Clear, Pixel, Line, Polyline, Polygon, Rectangle, FillRect, Ellipse, Arc, Text
};

struct TCanvasOp {
    TCanvasOpKind Kind = TCanvasOpKind::Line;
    // Line: 2 points; Rectangle, Ellipse, Arc, FillRect: the 2 box corners;
    // Pixel, Text: 1 point; Polyline, Polygon: all points.
    std::vector<TPoint> Pts;
    uint32_t PenColor = 0;
    int32_t PenWidth = 1;
    TPenStyle PenStyle = TPenStyle::psSolid;
    float Opacity = 1;
    uint32_t BrushColor = 0;
    TBrushStyle BrushStyle = TBrushStyle::bsSolid;
    float BrushOpacity = 1;
    uint32_t Color = 0;          // Clear, Pixel: the colour given; Text: the font colour
    std::string Text;            // Text: the text
    double StartAngle = 0, SweepAngle = 0;  // Arc
};

class TRecordingCanvas : public TCanvas {
public:
    explicit TRecordingCanvas(int32_t Width = 800, int32_t Height = 600)
        : Width(Width), Height(Height) {}

    int32_t Width, Height;
    // Text metrics of a fixed-pitch font: every code point is CharWidth wide.
    int32_t CharWidth = 8, CharHeight = 16;
    std::vector<TCanvasOp> Ops;

    // With KeepsPictures the kept picture is the number of calls recorded so far and
    // putting it back forgets the later ones.
    bool KeepsPictures = false;
    bool KeepPicture() override;
    bool RestorePicture() override;

    void Reset() {
        Ops.clear();
        Kept = SIZE_MAX;
    }
    size_t Count(TCanvasOpKind Kind) const;
    std::vector<TCanvasOp> OfKind(TCanvasOpKind Kind) const;

    void Clear(uint32_t Color) override;
    void SetPixel(int32_t X, int32_t Y, uint32_t Color) override;
    void Line(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) override;
    void Polyline(const std::vector<TPoint>& Pts) override;
    void Polygon(const std::vector<TPoint>& Pts) override;
    void Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) override;
    void FillRect(const TRect& R) override;
    void Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) override;
    void Arc(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, double StartAngle,
             double SweepAngle) override;
    void TextOut(int32_t X, int32_t Y, const std::string& Text) override;
    TSize TextExtent(const std::string& Text) override;
    TRect ClipRect() const override { return {0, 0, Width, Height}; }

private:
    size_t Kept = SIZE_MAX;
    TCanvasOp& Record(TCanvasOpKind Kind, std::vector<TPoint> Pts);
};
