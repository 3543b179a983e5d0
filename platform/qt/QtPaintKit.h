// The common hand of the pictures painted by code for the dialogs: one palette and the
// strokes of a technical drawing (outlined faces, bold labels, dimension arrows).
#pragma once
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace PaintKit {

inline const QColor Ink(30, 30, 40);
inline const QColor Steel(170, 180, 195);
inline const QColor Cutter(205, 215, 240);
inline const QColor Dim(200, 40, 40);
inline const QColor Stock(225, 205, 160);
inline const QColor Path(20, 120, 40);

struct TDraw {
    QPainter& P;
    void Pen(const QColor& C, double W = 1.5, Qt::PenStyle S = Qt::SolidLine) {
        P.setPen(QPen(C, W, S, Qt::RoundCap, Qt::RoundJoin));
    }
    void Text(double X, double Y, const QString& S, const QColor& C = Dim, int Px = 13) {
        QFont F("DejaVu Sans");
        F.setPixelSize(Px);
        F.setBold(true);
        P.setFont(F);
        P.setPen(C);
        P.drawText(QPointF(X, Y), S);
    }
    // A dimension line from A to B with an arrow head at B (and at A unless OneWay).
    void Arrow(QPointF A, QPointF B, const QColor& C = Dim, bool OneWay = false) {
        Pen(C, 1.2);
        P.drawLine(A, B);
        const double a = std::atan2(B.y() - A.y(), B.x() - A.x());
        auto Head = [&](QPointF T, double Dir) {
            P.drawLine(T, T + QPointF(7 * std::cos(Dir + 0.4), 7 * std::sin(Dir + 0.4)));
            P.drawLine(T, T + QPointF(7 * std::cos(Dir - 0.4), 7 * std::sin(Dir - 0.4)));
        };
        Head(B, a + M_PI);
        if (!OneWay) Head(A, a);
    }
    // An outlined face filled with Fill.
    void Shape(const QPainterPath& Pth, const QColor& Fill) {
        Pen(Ink);
        P.setBrush(Fill);
        P.drawPath(Pth);
        P.setBrush(Qt::NoBrush);
    }
};

// A white picture W x H.
inline QImage Canvas(int W, int H) {
    QImage I(W, H, QImage::Format_RGB32);
    I.fill(QColor(255, 255, 255));
    return I;
}

}  // namespace PaintKit
