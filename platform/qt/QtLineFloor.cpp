#include "platform/qt/QtLineFloor.h"

#include <QLine>
#include <QPainter>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/qt/QtCanvas.h"

struct TQtLineFloor::TImpl {
    QImage Background, Painted;
    bool Uniform = false;  // the background is one colour: a fill gives it
    std::vector<std::pair<uint32_t, std::vector<QLine>>> Runs;
};

TQtLineFloor::TQtLineFloor() : Impl(std::make_unique<TImpl>()) {}
TQtLineFloor::~TQtLineFloor() = default;

void TQtLineFloor::TakeBackground(TCanvas& QtCanvas) {
    Impl->Background = static_cast<TQtCanvas&>(QtCanvas).Image().copy();
    const QImage& B = Impl->Background;
    Impl->Uniform = true;
    for (int y = 0; y < B.height() && Impl->Uniform; ++y)
        for (int x = 0; x < B.width() && Impl->Uniform; ++x) Impl->Uniform = B.pixel(x, y) == B.pixel(0, 0);
    Impl->Painted = QImage();
}

void TQtLineFloor::AddSegment(uint32_t Color, TPoint A, TPoint B) {
    auto& R = Impl->Runs;
    if (R.empty() || R.back().first != Color) R.emplace_back(Color, std::vector<QLine>{});
    R.back().second.emplace_back(A.X, A.Y, B.X, B.Y);
}

void TQtLineFloor::Paint() {
    // The cheapest way to the background: the image is made once and then filled with
    // its one colour, or the background's bytes copied over it.
    QImage& I = Impl->Painted;
    const QImage& B = Impl->Background;
    if (I.size() != B.size() || I.format() != B.format()) I = QImage(B.size(), B.format());
    if (!B.isNull() && Impl->Uniform)
        I.fill(B.pixelColor(0, 0));
    else if (!B.isNull())
        std::memcpy(I.bits(), B.constBits(), size_t(B.sizeInBytes()));
    QPainter p(&I);
    for (const auto& [Color, Lines] : Impl->Runs) {
        QPen pen(ToQColor(Color));
        pen.setWidth(1);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
        p.drawLines(Lines.data(), int(Lines.size()));
    }
}

int64_t TQtLineFloor::DifferentPixels(TCanvas& QtCanvas) const {
    const QImage& A = static_cast<TQtCanvas&>(QtCanvas).Image();
    const QImage& B = Impl->Painted;
    if (A.size() != B.size()) return int64_t(A.width()) * A.height();
    int64_t n = 0;
    for (int y = 0; y < A.height(); ++y)
        for (int x = 0; x < A.width(); ++x) n += A.pixel(x, y) != B.pixel(x, y);
    return n;
}

void FlushQtCanvas(TCanvas& QtCanvas) { static_cast<TQtCanvas&>(QtCanvas).Flush(); }
