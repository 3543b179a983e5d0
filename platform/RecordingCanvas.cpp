#include "platform/RecordingCanvas.h"

size_t TRecordingCanvas::Count(TCanvasOpKind Kind) const {
    size_t n = 0;
    for (const auto& op : Ops)
        if (op.Kind == Kind) ++n;
    return n;
}

std::vector<TCanvasOp> TRecordingCanvas::OfKind(TCanvasOpKind Kind) const {
    std::vector<TCanvasOp> out;
    for (const auto& op : Ops)
        if (op.Kind == Kind) out.push_back(op);
    return out;
}

TCanvasOp& TRecordingCanvas::Record(TCanvasOpKind Kind, std::vector<TPoint> Pts) {
    TCanvasOp op;
    op.Kind = Kind;
    op.Pts = std::move(Pts);
    op.PenColor = PenColor;
    op.PenWidth = PenWidth;
    op.PenStyle = PenStyle;
    op.Opacity = Opacity;
    op.BrushColor = BrushColor;
    op.BrushStyle = BrushStyle;
    op.BrushOpacity = BrushOpacity;
    Ops.push_back(std::move(op));
    return Ops.back();
}

bool TRecordingCanvas::KeepPicture() {
    if (!KeepsPictures) return false;
    Kept = Ops.size();
    return true;
}

bool TRecordingCanvas::RestorePicture() {
    if (!KeepsPictures || Kept > Ops.size()) return false;
    Ops.resize(Kept);
    return true;
}

void TRecordingCanvas::Clear(uint32_t Color) { Record(TCanvasOpKind::Clear, {}).Color = Color; }

void TRecordingCanvas::SetPixel(int32_t X, int32_t Y, uint32_t Color) {
    Record(TCanvasOpKind::Pixel, {{X, Y}}).Color = Color;
}

void TRecordingCanvas::Line(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    Record(TCanvasOpKind::Line, {{X1, Y1}, {X2, Y2}});
}

void TRecordingCanvas::Polyline(const std::vector<TPoint>& Pts) { Record(TCanvasOpKind::Polyline, Pts); }

void TRecordingCanvas::Polygon(const std::vector<TPoint>& Pts) { Record(TCanvasOpKind::Polygon, Pts); }

void TRecordingCanvas::Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    Record(TCanvasOpKind::Rectangle, {{X1, Y1}, {X2, Y2}});
}

void TRecordingCanvas::FillRect(const TRect& R) {
    Record(TCanvasOpKind::FillRect, {{R.Left, R.Top}, {R.Right, R.Bottom}});
}

void TRecordingCanvas::Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    Record(TCanvasOpKind::Ellipse, {{X1, Y1}, {X2, Y2}});
}

void TRecordingCanvas::Arc(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, double StartAngle,
                           double SweepAngle) {
    auto& op = Record(TCanvasOpKind::Arc, {{X1, Y1}, {X2, Y2}});
    op.StartAngle = StartAngle;
    op.SweepAngle = SweepAngle;
}

void TRecordingCanvas::TextOut(int32_t X, int32_t Y, const std::string& Text) {
    auto& op = Record(TCanvasOpKind::Text, {{X, Y}});
    op.Text = Text;
    op.Color = Font.Color;
}

TSize TRecordingCanvas::TextExtent(const std::string& Text) {
    int32_t n = 0;
    for (unsigned char c : Text)
        if ((c & 0xC0) != 0x80) ++n;  // count UTF-8 code points
    return {n * CharWidth, CharHeight};
}
