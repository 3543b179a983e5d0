#include "platform/qt/QtCamPictures.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

const QColor Ink(30, 30, 40);
const QColor Stock(225, 205, 160);
const QColor Path(20, 120, 40);
const QColor Hole(255, 255, 255);

QImage Canvas(int W, int H) {
    QImage I(W, H, QImage::Format_RGB32);
    I.fill(QColor(255, 255, 255));
    return I;
}

// A rounded outline of the shape, grown by Grow pixels (negative: shrunk).
QPainterPath Outline(const QRectF& R, double Grow) {
    QPainterPath P;
    const double r = std::max(2.0, 14 + Grow);
    P.addRoundedRect(R.adjusted(-Grow, -Grow, Grow, Grow), r, r);
    return P;
}

void PenOf(QPainter& P, const QColor& C, double W, Qt::PenStyle S = Qt::SolidLine) {
    P.setPen(QPen(C, W, S, Qt::RoundCap, Qt::RoundJoin));
    P.setBrush(Qt::NoBrush);
}

// Contour pictures: a part with a hole and the tool path beside its walls. Side 1 runs
// outside every wall (round the hole in the material), 2 inside every wall, 3 round
// the part and within the hole (the hole from the other side), 4 on both sides.
QImage ContourPicture(int Side) {
    QImage I = Canvas(184, 200);
    QPainter P(&I);
    P.setRenderHint(QPainter::Antialiasing);
    const QRectF Part(34, 36, 116, 128), Bore(66, 72, 52, 56);
    P.fillPath(Outline(Part, 0).subtracted(Outline(Bore, 0)), Stock);
    PenOf(P, Ink, 1.5);
    P.drawPath(Outline(Part, 0));
    P.drawPath(Outline(Bore, 0));
    PenOf(P, Path, 2.4);
    const bool PartOut = Side != 2, PartIn = Side == 2 || Side == 4;
    const bool BoreOut = Side == 1 || Side == 4, BoreIn = Side != 1;
    if (PartOut) P.drawPath(Outline(Part, 10));
    if (PartIn) P.drawPath(Outline(Part, -10));
    if (BoreOut) P.drawPath(Outline(Bore, 10));
    if (BoreIn) P.drawPath(Outline(Bore, -10));
    return I;
}

// Pocket pictures: a pocket with an island, filled by meander lines (Fill 1), offset
// rings (2) or offset rings joined over the bottom (3); a pocket cleared by a spiral (4).
QImage PocketPicture(int Fill) {
    QImage I = Canvas(196, 240);
    QPainter P(&I);
    P.setRenderHint(QPainter::Antialiasing);
    const QRectF Pocket(24, 30, 148, 180), Island(78, 96, 40, 48);
    P.fillRect(I.rect(), Stock);
    P.fillPath(Outline(Pocket, 0), Hole);
    // The spiral clears a pocket without islands.
    if (Fill != 4) P.fillPath(Outline(Island, 0), Stock);
    PenOf(P, Ink, 1.5);
    P.drawPath(Outline(Pocket, 0));
    if (Fill != 4) P.drawPath(Outline(Island, 0));
    PenOf(P, Path, 2);
    if (Fill == 1) {
        // Lines across, clipped to the area between the walls and the island.
        QPainterPath Area = Outline(Pocket, -8).subtracted(Outline(Island, 8));
        P.save();
        P.setClipPath(Area);
        for (double y = 40; y < 206; y += 10) P.drawLine(QPointF(20, y), QPointF(176, y));
        P.restore();
        P.drawPath(Outline(Pocket, -8));
        P.drawPath(Outline(Island, 8));
    } else if (Fill == 4) {
        QPainterPath S;
        for (int k = 0; k <= 400; ++k) {
            const double t = k / 400.0, a = t * 10 * M_PI, r = 6 + 60 * t;
            const QPointF Q(98 + r * std::cos(a), 120 + 1.2 * r * std::sin(a));
            if (k == 0) S.moveTo(Q);
            else S.lineTo(Q);
        }
        P.drawPath(S);
    } else {
        for (double g = 8; g <= 24; g += 8) P.drawPath(Outline(Pocket, -g));
        for (double g = 8; g <= 16; g += 8) P.drawPath(Outline(Island, g));
        // Joined over the bottom: one way from each ring to the next.
        if (Fill == 3) {
            PenOf(P, Path, 2, Qt::DashLine);
            P.drawLine(QPointF(Pocket.center().x(), Pocket.top() + 8), QPointF(Pocket.center().x(), Pocket.top() + 32));
        }
    }
    return I;
}

bool Save(const QImage& Img, const QString& Path, bool Overwrite) {
    if (!Overwrite && QFileInfo::exists(Path)) return true;
    return Img.save(Path, "PNG");
}

}  // namespace

bool PaintCamPictureFiles(const std::string& Dir, bool Overwrite) {
    const QString D = QString::fromStdString(Dir);
    if (!QDir().mkpath(D)) return false;
    bool Ok = true;
    for (int k = 1; k <= 4; ++k) {
        Ok = Save(ContourPicture(k), D + QString("/ImgContour%1.png").arg(k), Overwrite) && Ok;
        Ok = Save(PocketPicture(k), D + QString("/ImgPocket%1.png").arg(k), Overwrite) && Ok;
    }
    return Ok;
}
