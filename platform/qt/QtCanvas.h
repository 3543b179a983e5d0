// The canvas of the drawing area: QPainter over a back-buffer image. Colours arrive as
// $00BBGGRR and are converted here only.
#pragma once
#include <QColor>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/Canvas.h"

QColor ToQColor(uint32_t C, float Opacity = 1.0f);
uint32_t FromQColor(const QColor& C);

class TQtCanvas : public TCanvas {
public:
    explicit TQtCanvas(int Width = 1, int Height = 1);
    ~TQtCanvas() override;

    // New size; the picture is kept where it overlaps, the rest is black.
    void Resize(int Width, int Height);
    // Ends pending painting so the image can be read or shown.
    void Flush();
    const QImage& Image();
    // Thin solid lines wait and reach the painter in one call per run of the same pen:
    // they go out when the pen changes, anything else is painted or the picture is
    // read. Off, every primitive is painted at once; the pixels are the same.
    void SetLineBatching(bool On);
    // Called after every primitive (the drawing area asks for a repaint).
    std::function<void()> OnChanged;

    bool KeepPicture() override;
    bool RestorePicture() override;
    void BeginDraw() override;
    void EndDraw() override;
    void Clear(uint32_t Color) override;
    void SetPixel(int32_t X, int32_t Y, uint32_t Color) override;
    void Line(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) override;
    void Polyline(const std::vector<TPoint>& Pts) override;
    void Polygon(const std::vector<TPoint>& Pts) override;
    void Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) override;
    void FillRect(const TRect& R) override;
    void Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) override;
    void Arc(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, double StartAngle, double SweepAngle) override;
    void TextOut(int32_t X, int32_t Y, const std::string& Text) override;
    TSize TextExtent(const std::string& Text) override;
    TRect ClipRect() const override { return {0, 0, Img.width(), Img.height()}; }

private:
    QPainter& P();          // the painter, opened on demand, with the current pen
    QPainter& PainterWith(bool Antialiased);
    void ApplyPen(bool WithBrush);
    // The queue of lines, made to hold lines of the present pen (what it held of
    // another pen is painted first).
    std::vector<QLine>& LineQueue();
    bool LineQueueable() const { return PenStyle == TPenStyle::psSolid && PenWidth <= 1; }
    // Thin lines added by Add: queued under a solid pen, else painted at once in one call.
    template <class F>
    void ThinLines(F&& Add);
    void FlushLines();
    QFont CurrentFont() const;
    void Changed();
    QImage Img;
    QImage Kept;  // shares Img's pixels until either is painted on
    QImage Spare;  // pixels of an earlier picture, reused by Clear instead of new ones
    void Recycle(QImage&& Old);
    std::unique_ptr<QPainter> Painter;
    // The pen last given to the painter (a pen is set again only when it changed) and
    // the painter's antialiasing; both unknown while PenSet is false.
    struct TPenState {
        uint32_t Color = 0;
        float Opacity = 0;
        int32_t Width = 0;
        TPenStyle Style = TPenStyle::psSolid;
        bool operator==(const TPenState&) const = default;
    };
    TPenState WantedPen() const;
    void SetPen(const TPenState& Want);
    const QPen& PenFor(const TPenState& Want);
    std::vector<std::pair<TPenState, QPen>> Pens;  // pens made so far, oldest first
    TPenState PenNow;
    bool PenSet = false;
    bool AntialiasNow = false;
    // The queued lines, their pen and antialiasing.
    std::vector<QLine> Pending;
    TPenState PendingPen;
    bool PendingAntialias = false;
    bool Batching = true;
    int Depth = 0;  // BeginDraw nesting
};
