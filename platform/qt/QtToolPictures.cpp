#include "platform/qt/QtToolPictures.h"

#include <QDir>
#include <QFileInfo>
#include <functional>

#include "platform/qt/QtPaintKit.h"

namespace {

using namespace PaintKit;
const QColor Edge(90, 120, 200);

// Tool pictures: the shank above, the cutting part below it with its own outline.
// Cut(x0, x1, top) gives the cutting part's outline between the shank's sides.
QImage ToolPicture(int Type) {
    QImage I = Canvas(180, 224);
    QPainter P(&I);
    P.setRenderHint(QPainter::Antialiasing);
    TDraw D{P};
    const double cx = 90, x0 = 60, x1 = 120, shankTop = 14, cutTop = 96, tip = 186;
    D.Shape([&] {
        QPainterPath S;
        S.addRect(QRectF(x0 + 6, shankTop, x1 - x0 - 12, cutTop - shankTop));
        return S;
    }(), Steel);
    QPainterPath C;
    C.moveTo(x0, cutTop);
    C.lineTo(x1, cutTop);
    switch (Type) {
        case 2:  // cone
            C.lineTo(x1, cutTop + 30);
            C.lineTo(cx + 3, tip);
            C.lineTo(cx - 3, tip);
            C.lineTo(x0, cutTop + 30);
            break;
        case 3:  // ball
            C.lineTo(x1, tip - 30);
            C.arcTo(QRectF(x0, tip - 60, x1 - x0, 60), 0, -180);
            break;
        case 4:  // torus
            C.lineTo(x1, tip - 14);
            C.quadTo(x1, tip, x1 - 14, tip);
            C.lineTo(x0 + 14, tip);
            C.quadTo(x0, tip, x0, tip - 14);
            break;
        case 5:  // crown: wider above than below
            C.lineTo(x1 + 12, cutTop + 10);
            C.lineTo(x1 - 4, tip);
            C.lineTo(x0 + 4, tip);
            C.lineTo(x0 - 12, cutTop + 10);
            break;
        case 6:  // thread mill
            for (int k = 0; k < 5; ++k) {
                const double y = cutTop + 6 + 16 * k;
                C.lineTo(x1 + (k % 2 ? 0 : 8), y + 8);
            }
            C.lineTo(x1, tip);
            C.lineTo(x0, tip);
            for (int k = 4; k >= 0; --k) C.lineTo(x0 - (k % 2 ? 0 : 8), cutTop + 14 + 16 * k);
            break;
        case 7:  // drill
            C.lineTo(x1, tip - 18);
            C.lineTo(cx, tip);
            C.lineTo(x0, tip - 18);
            break;
        case 8:  // probe: a stylus with a ball
            C = QPainterPath();
            C.addRect(QRectF(cx - 4, cutTop, 8, tip - cutTop - 22));
            C.addEllipse(QPointF(cx, tip - 12), 12, 12);
            break;
        default:  // universal and cylindrical
            C.lineTo(x1, tip);
            C.lineTo(x0, tip);
            break;
    }
    C.closeSubpath();
    D.Shape(C, Type == 8 ? Steel : Cutter);
    // Flutes.
    if (Type != 8) {
        D.Pen(Edge, 1.2);
        for (double y = cutTop + 12; y < tip - 24; y += 16) P.drawLine(QPointF(x0 + 8, y + 10), QPointF(x1 - 8, y));
    }
    const double base = Type == 2 || Type == 7 ? tip - 30 : tip;
    D.Arrow({x0, 206}, {x1, 206});
    D.Text(cx - 10, 221, "Ds");
    if (Type == 5) {
        D.Arrow({x0 - 12, cutTop - 6}, {x1 + 12, cutTop - 6});
        D.Text(cx - 10, cutTop - 10, "Dh");
    }
    if (Type != 8) {
        D.Arrow({x1 + 24, cutTop}, {x1 + 24, tip});
        D.Text(x1 + 28, (cutTop + tip) / 2, "B");
    }
    if (Type == 3 || Type == 4) D.Text(x0 - 26, tip - 6, "R");
    if (Type == 2 || Type == 7) D.Text(cx - 6, base + 2, "U");
    return I;
}

// Plunge pictures: a side view (vertical, ramp, helix) or a top view (tangential).
QImage PlungePicture(const std::string& Kind) {
    QImage I = Canvas(154, 126);
    QPainter P(&I);
    P.setRenderHint(QPainter::Antialiasing);
    TDraw D{P};
    P.fillRect(QRectF(8, 70, 138, 48), Stock);
    D.Pen(Ink, 1);
    P.drawRect(QRectF(8, 70, 138, 48));
    D.Pen(Path, 2.2);
    if (Kind == "Vert") {
        P.drawLine(QPointF(77, 10), QPointF(77, 100));
        D.Arrow({60, 10}, {60, 100});
    } else if (Kind == "Ramp") {
        QPainterPath R;
        R.moveTo(20, 60);
        R.lineTo(130, 76);
        R.lineTo(20, 88);
        R.lineTo(130, 100);
        P.drawPath(R);
    } else if (Kind == "Tang") {
        P.fillRect(I.rect(), Qt::white);
        P.fillRect(QRectF(20, 56, 120, 60), Stock);
        D.Pen(Path, 2.2);
        P.drawLine(QPointF(20, 56), QPointF(140, 56));
        P.drawArc(QRectF(40, 16, 80, 80), 90 * 16, 90 * 16);
    } else {
        // Helix: a coil going down (or up) in the material.
        const bool up = Kind == "HelixUpPoint";
        const double w = Kind == "HelixPock" ? 60 : Kind == "HelixCont" ? 30 : 44;
        QPainterPath H;
        for (int k = 0; k <= 120; ++k) {
            const double t = k / 120.0, x = 77 + w * std::sin(t * 6 * M_PI), y = 30 + 70 * t;
            if (k == 0) H.moveTo(x, y);
            else H.lineTo(x, y);
        }
        P.drawPath(H);
        if (up) D.Arrow({140, 100}, {140, 30});
        else D.Arrow({140, 30}, {140, 100});
    }
    return I;
}

// The cutting-data picture: a tool in the material with its depth Ap and width Ae.
QImage TechPicture() {
    QImage I = Canvas(420, 140);
    QPainter P(&I);
    P.setRenderHint(QPainter::Antialiasing);
    TDraw D{P};
    P.fillRect(QRectF(20, 60, 380, 70), Stock);
    P.fillRect(QRectF(180, 60, 60, 30), Qt::white);
    D.Shape([] {
        QPainterPath S;
        S.addRect(QRectF(180, 10, 60, 80));
        return S;
    }(), Cutter);
    D.Arrow({260, 60}, {260, 90});
    D.Text(266, 80, "Ap");
    D.Arrow({180, 100}, {240, 100});
    D.Text(200, 118, "Ae");
    D.Text(40, 40, "n, Vc", Ink);
    D.Pen(Path, 2);
    P.drawLine(QPointF(250, 40), QPointF(380, 40));
    D.Arrow({300, 30}, {380, 30});
    D.Text(320, 24, "Vf", Ink);
    return I;
}

// Tree pictures, 16 x 16 on a transparent ground: what a node of the library tree is.
QImage NodePicture(int K) {
    QImage I(16, 16, QImage::Format_ARGB32);
    I.fill(Qt::transparent);
    QPainter P(&I);
    P.setRenderHint(QPainter::Antialiasing);
    TDraw D{P};
    const bool sel = K % 2 == 1 && K != 12 && K < 19 ? true : K == 20;
    const QColor main = sel ? QColor(230, 120, 20) : QColor(40, 90, 190);
    auto pick = [&](int Normal) { return K == Normal || K == Normal + 1; };
    if (pick(0)) {  // material: a block
        D.Shape([] {
            QPainterPath S;
            S.addRect(QRectF(2, 6, 12, 8));
            return S;
        }(), Stock);
    } else if (pick(2)) {  // tool
        D.Shape([] {
            QPainterPath S;
            S.addRect(QRectF(6, 1, 4, 6));
            S.addRect(QRectF(5, 7, 6, 8));
            return S;
        }(), main);
    } else if (pick(4)) {  // geometry: a diameter
        D.Pen(main, 1.6);
        P.drawEllipse(QRectF(2, 2, 12, 12));
        P.drawLine(QPointF(2, 8), QPointF(14, 8));
    } else if (pick(6) || pick(13)) {  // cutting data: a gauge
        D.Pen(main, 1.6);
        P.drawArc(QRectF(2, 3, 12, 12), 0, 180 * 16);
        P.drawLine(QPointF(8, 9), QPointF(12, 5));
    } else if (pick(8) || pick(15)) {  // plunge: down into the block
        P.fillRect(QRectF(1, 11, 14, 4), Stock);
        D.Pen(main, 1.8);
        P.drawLine(QPointF(8, 1), QPointF(8, 12));
        P.drawLine(QPointF(8, 12), QPointF(5, 9));
        P.drawLine(QPointF(8, 12), QPointF(11, 9));
    } else if (pick(10) || pick(17)) {  // outputs: a switch
        D.Pen(main, 1.6);
        P.drawEllipse(QRectF(3, 3, 10, 10));
        P.drawLine(QPointF(8, 1), QPointF(8, 8));
    } else if (pick(19)) {  // defaults: a stack of blocks
        D.Shape([] {
            QPainterPath S;
            S.addRect(QRectF(1, 9, 12, 5));
            S.addRect(QRectF(3, 3, 12, 5));
            return S;
        }(), Stock);
    } else {  // a new entry: plus
        D.Pen(QColor(20, 140, 40), 2.4);
        P.drawLine(QPointF(8, 2), QPointF(8, 14));
        P.drawLine(QPointF(2, 8), QPointF(14, 8));
    }
    return I;
}

bool Save(const QImage& Img, const QString& Path, const char* Format, bool Overwrite) {
    if (!Overwrite && QFileInfo::exists(Path)) return true;
    return Img.save(Path, Format);
}

}  // namespace

bool PaintToolPictureFiles(const std::string& Dir, bool Overwrite) {
    const QString D = QString::fromStdString(Dir);
    if (!QDir().mkpath(D)) return false;
    bool Ok = true;
    for (int t = 0; t <= 8; ++t) Ok = Save(ToolPicture(t), D + QString("/ImgTool%1.bmp").arg(t), "BMP", Overwrite) && Ok;
    for (const char* K : {"Vert", "Tang", "Ramp", "HelixUpPoint", "HelixDnPoint", "HelixCont", "HelixPock"})
        Ok = Save(PlungePicture(K), D + "/ImgPlunge" + K + ".bmp", "BMP", Overwrite) && Ok;
    Ok = Save(TechPicture(), D + "/ImgToolTech.bmp", "BMP", Overwrite) && Ok;
    for (int k = 0; k < ToolLibNodePictureCount; ++k)
        Ok = Save(NodePicture(k), D + QString("/ImgToolLib%1.png").arg(k), "PNG", Overwrite) && Ok;
    return Ok;
}
