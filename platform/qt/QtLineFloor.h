// The floor a redraw is measured against: the same pixel segments painted with plain
// QPainter::drawLines into an image of the Qt canvas's size, over a kept background.
// Only plain types appear here, so benchmarks need no Qt headers.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/Canvas.h"

class TQtLineFloor {
public:
    TQtLineFloor();
    ~TQtLineFloor();
    // The background: a copy of what the Qt canvas shows now.
    void TakeBackground(TCanvas& QtCanvas);
    // One segment of width 1 in the colour $00BBGGRR. Segments are painted in the order
    // they were added, one call per run of one colour: the fewest calls that give the
    // same picture where segments of different colours cross.
    void AddSegment(uint32_t Color, TPoint A, TPoint B);
    // The background (a fill of its colour when it has one, else a copy of its bytes
    // into an image made once), then every run of segments.
    void Paint();
    // Pixels where the last Paint differs from the Qt canvas.
    int64_t DifferentPixels(TCanvas& QtCanvas) const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> Impl;
};

// Paints whatever the Qt canvas still holds back into its image.
void FlushQtCanvas(TCanvas& QtCanvas);
