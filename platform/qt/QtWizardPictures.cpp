#include "platform/qt/QtWizardPictures.h"

#include <QDir>
#include <QFileInfo>
#include <functional>

#include "platform/qt/QtPaintKit.h"

namespace {

using namespace PaintKit;
const QColor StockSide(190, 165, 115);
const QColor StockTop(240, 225, 190);
const QColor Faint(175, 175, 180);

// A white picture with smooth edges; the painter ends before the image is used.
struct TSheet : TDraw {
    QImage Image;
    QPainter Painter;
    TSheet(int W, int H) : TDraw{Painter}, Image(Canvas(W, H)) {
        Painter.begin(&Image);
        Painter.setRenderHint(QPainter::Antialiasing);
    }
    QImage Done() {
        Painter.end();
        return Image;
    }
    // A size: its dimension line and its name at At.
    void Size(QPointF A, QPointF B, const char* Name, QPointF At) {
        Arrow(A, B);
        Text(At.x(), At.y(), Name);
    }
    void Face(const QPolygonF& G, const QColor& Fill) {
        QPainterPath F;
        F.addPolygon(G);
        F.closeSubpath();
        Shape(F, Fill);
    }
    // A plate seen from above and in front: its top face at (X, Y), W wide and D deep
    // (receding up and right by D), T thick.
    void Plate(double X, double Y, double W, double D, double T) {
        const QPointF Back(D, -D * 0.6);
        Face({QPointF(X, Y), QPointF(X + W, Y), QPointF(X + W, Y) + Back, QPointF(X, Y) + Back}, StockTop);
        Face({QPointF(X, Y), QPointF(X + W, Y), QPointF(X + W, Y + T), QPointF(X, Y + T)}, Stock);
        Face({QPointF(X + W, Y), QPointF(X + W, Y) + Back, QPointF(X + W, Y + T) + Back, QPointF(X + W, Y + T)},
             StockSide);
    }
    // A cylinder lying along x: from X0 to X1 about the height Cy, radius R.
    void LyingCylinder(double X0, double X1, double Cy, double R) {
        QPainterPath Body;
        Body.moveTo(X0, Cy - R);
        Body.lineTo(X1, Cy - R);
        Body.arcTo(QRectF(X1 - R / 3, Cy - R, 2 * R / 3, 2 * R), 90, -180);
        Body.lineTo(X0, Cy + R);
        Body.closeSubpath();
        Pen(Ink);
        P.setBrush(Stock);
        P.drawPath(Body);
        P.setBrush(StockTop);
        P.drawEllipse(QRectF(X0 - R / 3, Cy - R, 2 * R / 3, 2 * R));
        P.setBrush(Qt::NoBrush);
    }
    // An end mill pointing down with its tip at (X, Tip).
    void Mill(double X, double Tip, double Len = 70) {
        Face({QPointF(X - 8, Tip - Len), QPointF(X + 8, Tip - Len), QPointF(X + 8, Tip - Len / 2),
              QPointF(X - 8, Tip - Len / 2)},
             Steel);
        Face({QPointF(X - 10, Tip - Len / 2), QPointF(X + 10, Tip - Len / 2), QPointF(X + 10, Tip - 4), QPointF(X, Tip),
              QPointF(X - 10, Tip - 4)},
             Cutter);
    }
    // The turning of a rotary axis about (Cx, Cy): an arc ending upwards in an arrow head.
    void Turn(double Cx, double Cy, double R) {
        Pen(Path, 2);
        P.drawArc(QRectF(Cx - R / 3, Cy - R, 2 * R / 3, 2 * R), 120 * 16, 240 * 16);
        const QPointF T(Cx + R / 3, Cy);
        P.drawLine(T, T + QPointF(-4, 7));
        P.drawLine(T, T + QPointF(4, 7));
    }
};

// 2.5D milling and engraving: a plate with an engraved letter, a pocket and the tool.
QImage JobPlate() {
    TSheet S(260, 160);
    S.Plate(20, 100, 160, 60, 30);
    S.Pen(Path, 2.4);
    QPainterPath K;
    K.moveTo(50, 94);
    K.lineTo(62, 68);
    K.moveTo(58, 80);
    K.lineTo(76, 94);
    K.moveTo(56, 76);
    K.lineTo(80, 68);
    S.P.drawPath(K);
    S.P.drawRoundedRect(QRectF(108, 72, 48, 20), 6, 6);
    S.Mill(140, 80, 64);
    S.Text(8, 150, "2,5D", Ink);
    return S.Done();
}

// A bar on the rotary axis A under the mill, with the path the job cuts on it.
QImage JobRotary(const QString& Label, const std::function<void(TSheet&)>& Cut) {
    TSheet S(260, 160);
    S.LyingCylinder(40, 200, 100, 34);
    S.Pen(Path, 2.2);
    Cut(S);
    S.Mill(120, 68, 58);
    S.Turn(224, 100, 30);
    S.Text(8, 150, Label, Ink, 14);
    S.Text(214, 152, "A", Path, 14);
    return S.Done();
}

// 4-axis indexing: flats milled at fixed turns of the bar.
QImage JobIndex() {
    return JobRotary("4 osa", [](TSheet& S) {
        for (double x = 70; x <= 150; x += 40) S.P.drawLine(QPointF(x, 72), QPointF(x + 24, 72));
    });
}

// 4-axis continuous: the tool follows a helix round the turning bar.
QImage JobContinuous() {
    return JobRotary("4 osa", [](TSheet& S) {
        QPainterPath H;
        for (int k = 0; k <= 160; ++k) {
            const double t = k / 160.0, x = 50 + 140 * t, y = 100 - 30 * std::cos(t * 6 * M_PI);
            // Only the front half of each turn shows.
            if (std::sin(t * 6 * M_PI) < 0 || H.elementCount() == 0) H.moveTo(x, y);
            else H.lineTo(x, y);
        }
        S.P.drawPath(H);
    });
}

// Milling and turning: a bar in the chuck, a turning tool at its side and a mill above.
QImage JobTurning() {
    TSheet S(260, 160);
    S.Face({QPointF(16, 56), QPointF(44, 56), QPointF(44, 144), QPointF(16, 144)}, Steel);
    S.LyingCylinder(44, 200, 100, 30);
    S.Face({QPointF(150, 150), QPointF(176, 150), QPointF(176, 138), QPointF(166, 131)}, Cutter);
    S.Mill(100, 70, 60);
    S.Turn(224, 100, 30);
    S.Text(8, 154, "Fréz + soustruh", Ink, 12);
    return S.Done();
}

// No stock: a dashed outline where the stock would be.
QImage NoStock() {
    TSheet S(200, 200);
    S.Pen(Faint, 2, Qt::DashLine);
    S.P.drawRect(QRectF(40, 50, 120, 100));
    S.Pen(Faint, 2);
    S.P.drawLine(QPointF(40, 150), QPointF(160, 50));
    return S.Done();
}

// The plate with its sizes X, Y and Z.
QImage StockBox() {
    TSheet S(200, 200);
    S.Plate(20, 110, 110, 50, 34);
    S.Size({20, 160}, {130, 160}, "X", {70, 182});
    S.Size({138, 152}, {188, 122}, "Y", {170, 156});
    S.Size({10, 110}, {10, 144}, "Z", {14, 104});
    return S.Done();
}

// The cylinder standing up with its diameter D and height V.
QImage StockCylinder() {
    TSheet S(200, 200);
    const QRectF Top(40, 40, 110, 30), Bottom(40, 140, 110, 30);
    QPainterPath Body;
    Body.moveTo(Top.left(), Top.center().y());
    Body.lineTo(Bottom.left(), Bottom.center().y());
    Body.arcTo(Bottom, 180, 180);
    Body.lineTo(Top.right(), Top.center().y());
    Body.closeSubpath();
    S.Shape(Body, Stock);
    QPainterPath Lid;
    Lid.addEllipse(Top);
    S.Shape(Lid, StockTop);
    S.Size({40, 28}, {150, 28}, "D", {88, 22});
    S.Size({168, 55}, {168, 155}, "V", {176, 110});
    return S.Done();
}

// The stock from above with the nine places the drawing origin can take; the origin
// buttons lie beside it in the same order.
QImage OriginGrid() {
    TSheet S(150, 150);
    const QRectF R(22, 22, 106, 106);
    S.Pen(Ink);
    S.P.setBrush(StockTop);
    S.P.drawRect(R);
    S.P.setBrush(Qt::NoBrush);
    S.Pen(Faint, 1, Qt::DashLine);
    S.P.drawLine(QPointF(R.center().x(), R.top()), QPointF(R.center().x(), R.bottom()));
    S.P.drawLine(QPointF(R.left(), R.center().y()), QPointF(R.right(), R.center().y()));
    S.P.setBrush(Dim);
    S.Pen(Dim, 1);
    for (int Row = 0; Row < 3; ++Row)
        for (int Col = 0; Col < 3; ++Col)
            S.P.drawEllipse(QPointF(R.left() + Col * R.width() / 2, R.bottom() - Row * R.height() / 2), 4, 4);
    S.P.setBrush(Qt::NoBrush);
    // The axes from the lower-left origin.
    S.Arrow(R.bottomLeft(), R.bottomLeft() + QPointF(40, 0), Path, true);
    S.Arrow(R.bottomLeft(), R.bottomLeft() + QPointF(0, -40), Path, true);
    S.Text(R.left() + 42, R.bottom() + 16, "X", Path, 12);
    S.Text(R.left() - 16, R.bottom() - 40, "Y", Path, 12);
    return S.Done();
}

// The glyphs of the wizard's button, 16 x 16 on the transparent colour $FF00FF.
QImage Glyph(bool Tick) {
    QImage I(16, 16, QImage::Format_RGB32);
    I.fill(QColor(255, 0, 255));
    QPainter P(&I);
    P.setRenderHint(QPainter::Antialiasing);
    P.setPen(QPen(Tick ? QColor(20, 140, 40) : QColor(20, 90, 200), 2.6, Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    if (Tick) {
        P.drawPolyline(QPolygonF{{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}});
    } else {
        P.drawLine(QPointF(2.5, 8), QPointF(13, 8));
        P.drawPolyline(QPolygonF{{8.5, 3.5}, {13, 8}, {8.5, 12.5}});
    }
    P.end();
    return I;
}

}  // namespace

bool PaintWizardPictureFiles(const std::string& Dir, bool Overwrite) {
    const QString D = QString::fromStdString(Dir);
    if (!QDir().mkpath(D)) return false;
    const std::pair<const char*, QImage> Pictures[] = {
        {"JobType0.bmp", JobPlate()},     {"JobType1.bmp", JobIndex()},
        {"JobType2.bmp", JobContinuous()}, {"JobType3.bmp", JobTurning()},
        {"ImgNoStock.bmp", NoStock()},    {"ImgStockBox.bmp", StockBox()},
        {"ImgStockCylinder.bmp", StockCylinder()}, {"ImgStockOriginGrid.bmp", OriginGrid()},
        {"BtnRight.bmp", Glyph(false)},   {"BtnOk.bmp", Glyph(true)},
    };
    bool Ok = true;
    for (const auto& [Name, Image] : Pictures) {
        const QString Path = D + "/" + Name;
        if (!Overwrite && QFileInfo::exists(Path)) continue;
        Ok = Image.save(Path, "BMP") && Ok;
    }
    return Ok;
}
