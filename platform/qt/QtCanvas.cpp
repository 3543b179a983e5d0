#include "platform/qt/QtCanvas.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLine>
#include <QPolygon>
#include <vector>
#include <algorithm>
#include <cmath>

QColor ToQColor(uint32_t C, float Opacity) {
    QColor q(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF);
    q.setAlphaF(std::clamp(Opacity, 0.0f, 1.0f));
    return q;
}

uint32_t FromQColor(const QColor& C) {
    return uint32_t(C.red()) | (uint32_t(C.green()) << 8) | (uint32_t(C.blue()) << 16);
}

TQtCanvas::TQtCanvas(int Width, int Height)
    : Img(std::max(Width, 1), std::max(Height, 1), QImage::Format_ARGB32_Premultiplied) {
    Img.fill(Qt::black);
    Font.Name.clear();
}

TQtCanvas::~TQtCanvas() { Flush(); }

void TQtCanvas::Resize(int Width, int Height) {
    Width = std::max(Width, 1);
    Height = std::max(Height, 1);
    if (Width == Img.width() && Height == Img.height()) return;
    Flush();
    QImage n(Width, Height, QImage::Format_ARGB32_Premultiplied);
    n.fill(Qt::black);
    {
        QPainter p(&n);
        p.drawImage(0, 0, Img);
    }
    Img = std::move(n);
}

void TQtCanvas::Flush() {
    FlushLines();
    Painter.reset();
    PenSet = false;
}

const QImage& TQtCanvas::Image() {
    Flush();
    return Img;
}

void TQtCanvas::SetLineBatching(bool On) {
    if (!On) FlushLines();
    Batching = On;
}

// A picture that nothing else shares any more is kept as the spare for the next Clear.
void TQtCanvas::Recycle(QImage&& Old) {
    if (!Old.isNull() && Old.isDetached() && Old.size() == Img.size() && Old.format() == Img.format())
        Spare = std::move(Old);
}

bool TQtCanvas::KeepPicture() {
    Flush();
    QImage Old = std::move(Kept);
    Kept = Img;
    Recycle(std::move(Old));
    return true;
}

bool TQtCanvas::RestorePicture() {
    if (Kept.isNull() || Kept.size() != Img.size()) return false;
    Flush();
    QImage Old = std::move(Img);
    Img = Kept;
    Recycle(std::move(Old));
    return true;
}

void TQtCanvas::BeginDraw() { ++Depth; }

void TQtCanvas::EndDraw() {
    if (Depth > 0) --Depth;
    if (Depth == 0) Changed();
}

void TQtCanvas::Changed() {
    if (Depth == 0 && OnChanged) OnChanged();
}

QFont TQtCanvas::CurrentFont() const {
    QFont f = Font.Name.empty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                                : QFont(QString::fromStdString(Font.Name));
    if (Font.Size > 0) f.setPointSize(Font.Size);
    f.setBold(Font.Bold);
    f.setItalic(Font.Italic);
    return f;
}

QPainter& TQtCanvas::P() { return PainterWith(Antialias); }

QPainter& TQtCanvas::PainterWith(bool Antialiased) {
    if (!Painter) {
        Painter = std::make_unique<QPainter>(&Img);
        Painter->setRenderHint(QPainter::Antialiasing, Antialiased);
        AntialiasNow = Antialiased;
        PenSet = false;
    } else if (AntialiasNow != Antialiased) {
        Painter->setRenderHint(QPainter::Antialiasing, Antialiased);
        AntialiasNow = Antialiased;
    }
    return *Painter;
}

TQtCanvas::TPenState TQtCanvas::WantedPen() const {
    const bool Clear = PenStyle == TPenStyle::psClear;
    return {Clear ? 0 : PenColor, Clear ? 0 : Opacity, Clear ? 0 : std::max(PenWidth, 1), PenStyle};
}

namespace {
// Pens made at most: a drawing's layers and the marks over them use a few colours.
constexpr size_t MaxCachedPens = 32;
}  // namespace

// The pen of Want, made once: a drawing whose records alternate in colour would
// otherwise build a pen and its brush for every record.
const QPen& TQtCanvas::PenFor(const TPenState& Want) {
    for (const auto& [State, Pen] : Pens)
        if (State == Want) return Pen;
    QPen pen(ToQColor(Want.Color, Want.Opacity));
    pen.setWidth(Want.Width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    switch (Want.Style) {
        case TPenStyle::psDash: pen.setStyle(Qt::DashLine); break;
        case TPenStyle::psDot: pen.setStyle(Qt::DotLine); break;
        case TPenStyle::psDashDot: pen.setStyle(Qt::DashDotLine); break;
        default: pen.setStyle(Qt::SolidLine); break;
    }
    if (Pens.size() >= MaxCachedPens) Pens.erase(Pens.begin());
    Pens.emplace_back(Want, pen);
    return Pens.back().second;
}

// Gives the painter the pen Want unless it has it already.
void TQtCanvas::SetPen(const TPenState& Want) {
    QPainter& p = *Painter;
    if (PenSet && Want == PenNow) return;
    if (Want.Style == TPenStyle::psClear) {
        p.setPen(Qt::NoPen);
    } else {
        p.setPen(PenFor(Want));
    }
    PenNow = Want;
    PenSet = true;
}

void TQtCanvas::ApplyPen(bool WithBrush) {
    FlushLines();
    QPainter& p = P();
    SetPen(WantedPen());
    if (WithBrush && BrushStyle == TBrushStyle::bsSolid)
        p.setBrush(ToQColor(BrushColor, BrushOpacity));
    else
        p.setBrush(Qt::NoBrush);
}

namespace {
// The box of two corners given in any order, right and bottom exclusive.
QRect Box(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    int l = std::min(X1, X2), r = std::max(X1, X2), t = std::min(Y1, Y2), b = std::max(Y1, Y2);
    return QRect(l, t, std::max(r - l - 1, 0), std::max(b - t - 1, 0));
}
QPolygon ToPolygon(const std::vector<TPoint>& Pts) {
    QPolygon poly;
    poly.reserve(int(Pts.size()));
    for (const auto& p : Pts) poly << QPoint(p.X, p.Y);
    return poly;
}
}  // namespace

void TQtCanvas::Clear(uint32_t Color) {
    Flush();
    // A picture shared with the kept one gets other pixels instead of a copy that the
    // fill would overwrite at once: the spare's, else fresh ones.
    if (!Img.isDetached()) {
        if (!Spare.isNull() && Spare.size() == Img.size() && Spare.format() == Img.format())
            Img = std::move(Spare);
        else
            Img = QImage(Img.size(), Img.format());
    }
    Spare = QImage();
    Img.fill(ToQColor(Color));
    Changed();
}

void TQtCanvas::SetPixel(int32_t X, int32_t Y, uint32_t Color) {
    if (X < 0 || Y < 0 || X >= Img.width() || Y >= Img.height()) return;
    Flush();
    Img.setPixelColor(X, Y, ToQColor(Color));
    Changed();
}

namespace {
// Queued lines painted at once at the latest: bounds the queue's memory.
constexpr size_t MaxQueuedLines = 1 << 15;
}  // namespace

std::vector<QLine>& TQtCanvas::LineQueue() {
    const TPenState Want = WantedPen();
    if (!Pending.empty() && (!(Want == PendingPen) || PendingAntialias != Antialias)) FlushLines();
    PendingPen = Want;
    PendingAntialias = Antialias;
    return Pending;
}

void TQtCanvas::FlushLines() {
    if (Pending.empty()) return;
    QPainter& p = PainterWith(PendingAntialias);
    SetPen(PendingPen);
    p.drawLines(Pending.data(), int(Pending.size()));
    Pending.clear();
}

template <class F>
void TQtCanvas::ThinLines(F&& Add) {
    const bool Queue = LineQueueable();
    if (!Queue) FlushLines();
    Add(LineQueue());
    if (!Queue || !Batching || Pending.size() >= MaxQueuedLines) FlushLines();
}

void TQtCanvas::Line(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    if (PenWidth <= 1) {
        // drawLine is drawLines of one line: the queue paints the same pixels.
        ThinLines([&](std::vector<QLine>& Q) { Q.emplace_back(X1, Y1, X2, Y2); });
    } else {
        ApplyPen(false);
        P().drawLine(X1, Y1, X2, Y2);
    }
    Changed();
}

void TQtCanvas::Polyline(const std::vector<TPoint>& Pts) {
    if (Pts.empty()) return;
    if (PenWidth <= 1) {
        // A thin polyline can leave out a corner pixel that its segments drawn one by
        // one set; as separate lines it paints exactly what they paint. A solid pen's
        // lines join the queue, any other pen's are painted in one call of their own.
        ThinLines([&Pts](std::vector<QLine>& Q) {
            for (size_t i = 1; i < Pts.size(); ++i) Q.emplace_back(Pts[i - 1].X, Pts[i - 1].Y, Pts[i].X, Pts[i].Y);
            if (Pts.size() == 1) Q.emplace_back(Pts[0].X, Pts[0].Y, Pts[0].X, Pts[0].Y);
        });
    } else {
        ApplyPen(false);
        P().drawPolyline(ToPolygon(Pts));
    }
    Changed();
}

void TQtCanvas::Polygon(const std::vector<TPoint>& Pts) {
    if (Pts.empty()) return;
    ApplyPen(true);
    P().drawPolygon(ToPolygon(Pts));
    Changed();
}

void TQtCanvas::Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    ApplyPen(true);
    P().drawRect(Box(X1, Y1, X2, Y2));
    Changed();
}

void TQtCanvas::FillRect(const TRect& R) {
    FlushLines();
    QPainter& p = P();
    QRect r(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::abs(R.Width()), std::abs(R.Height()));
    p.fillRect(r, ToQColor(BrushColor, BrushOpacity));
    Changed();
}

void TQtCanvas::Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    ApplyPen(true);
    P().drawEllipse(Box(X1, Y1, X2, Y2));
    Changed();
}

void TQtCanvas::Arc(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, double StartAngle, double SweepAngle) {
    ApplyPen(false);
    constexpr double k = 180.0 / 3.14159265358979323846 * 16;  // Qt counts 1/16 degree
    P().drawArc(Box(X1, Y1, X2, Y2), int(std::lround(StartAngle * k)), int(std::lround(SweepAngle * k)));
    Changed();
}

void TQtCanvas::TextOut(int32_t X, int32_t Y, const std::string& Text) {
    FlushLines();
    QPainter& p = P();
    QFont f = CurrentFont();
    p.setFont(f);
    p.setPen(ToQColor(Font.Color == 0x20000000 ? 0 : Font.Color, 1.0f));
    PenSet = false;
    QFontMetrics fm(f);
    p.drawText(X, Y + fm.ascent(), QString::fromStdString(Text));
    Changed();
}

TSize TQtCanvas::TextExtent(const std::string& Text) {
    QFontMetrics fm(CurrentFont());
    return {fm.horizontalAdvance(QString::fromStdString(Text)), fm.height()};
}
