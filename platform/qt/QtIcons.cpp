#include "platform/qt/QtIcons.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>
#include <map>

namespace {

constexpr int S = 32;
const QColor Key(255, 0, 255);     // transparent colour
const QColor Ink(30, 30, 40);
const QColor Blue(20, 90, 200);
const QColor Red(200, 30, 30);
const QColor Green(20, 140, 40);
const QColor Paper(250, 250, 240);
const QColor Gold(230, 170, 30);

struct TPen {
    QPainter& P;
    void Pen(const QColor& C, double W = 2) { P.setPen(QPen(C, W, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)); }
    void NoFill() { P.setBrush(Qt::NoBrush); }
    void Fill(const QColor& C) { P.setBrush(C); }
    void Line(double x1, double y1, double x2, double y2) { P.drawLine(QPointF(x1, y1), QPointF(x2, y2)); }
    void Rect(double x, double y, double w, double h) { P.drawRect(QRectF(x, y, w, h)); }
    void Circle(double cx, double cy, double r) { P.drawEllipse(QPointF(cx, cy), r, r); }
    void Arc(double cx, double cy, double r, double a0, double span) {
        P.drawArc(QRectF(cx - r, cy - r, 2 * r, 2 * r), int(a0 * 16), int(span * 16));
    }
    void Dot(double x, double y, double r = 2.5) {
        P.save();
        P.setBrush(P.pen().color());
        P.drawEllipse(QPointF(x, y), r, r);
        P.restore();
    }
    // A short word in the lower part of the picture (or at y when given).
    void Word(const char* W, const QColor& C = Ink, int Px = 10, double y = 20) {
        QFont F("DejaVu Sans");
        F.setPixelSize(Px);
        F.setBold(true);
        P.setFont(F);
        P.setPen(C);
        P.drawText(QRectF(0, y, S, S - y), Qt::AlignHCenter | Qt::AlignTop, W);
    }
    void Page() {
        Pen(Ink, 1.5);
        Fill(Paper);
        QPolygonF G{{7, 3}, {20, 3}, {26, 9}, {26, 29}, {7, 29}};
        P.drawPolygon(G);
        Line(20, 3, 20, 9);
        Line(20, 9, 26, 9);
    }
    void Folder() {
        Pen(Ink, 1.5);
        Fill(Gold);
        QPolygonF G{{3, 8}, {12, 8}, {14, 11}, {29, 11}, {29, 27}, {3, 27}};
        P.drawPolygon(G);
    }
    void Arrow(double x1, double y1, double x2, double y2, const QColor& C) {
        Pen(C, 2.5);
        Line(x1, y1, x2, y2);
        const double a = std::atan2(y2 - y1, x2 - x1);
        Line(x2, y2, x2 - 6 * std::cos(a - 0.5), y2 - 6 * std::sin(a - 0.5));
        Line(x2, y2, x2 - 6 * std::cos(a + 0.5), y2 - 6 * std::sin(a + 0.5));
    }
    void Lens(const char* Sign) {
        Pen(Ink, 2.5);
        NoFill();
        Circle(13, 13, 8);
        Line(19, 19, 28, 28);
        Pen(Blue, 2.5);
        if (Sign[0] == '+' || Sign[0] == '-') Line(9, 13, 17, 13);
        if (Sign[0] == '+') Line(13, 9, 13, 17);
    }
    void Poly() {
        Pen(Blue, 2.5);
        P.drawPolyline(QPolygonF{{4, 26}, {10, 8}, {18, 20}, {28, 6}});
    }
    void Objects() {
        Pen(Blue, 2);
        NoFill();
        Rect(4, 14, 10, 10);
        Circle(22, 12, 6);
    }
};

using TPaint = std::function<void(TPen&)>;

const std::map<std::string, TPaint>& Painters() {
    static const std::map<std::string, TPaint> M = {
        // Groups.
        {"file", [](TPen& p) { p.Page(); }},
        {"view", [](TPen& p) { p.Lens(""); }},
        {"info", [](TPen& p) { p.Pen(Blue, 2); p.Fill(Paper); p.Circle(16, 16, 12); p.Word("i", Blue, 18, 5); }},
        {"draw", [](TPen& p) { p.Pen(Ink, 2); p.Line(6, 26, 24, 8); p.Pen(Gold, 4); p.Line(24, 8, 28, 4); }},
        {"edit", [](TPen& p) { p.Arrow(4, 16, 28, 16, Blue); p.Arrow(16, 28, 16, 4, Blue); }},
        {"poly", [](TPen& p) { p.Poly(); }},
        {"text", [](TPen& p) { p.Word("Ab", Ink, 17, 6); }},
        {"cams", [](TPen& p) { p.Pen(Ink, 2); p.Fill(QColor(180, 180, 190)); p.Rect(12, 2, 8, 14); p.Fill(Gold); QPolygonF G{{12, 16}, {20, 16}, {16, 28}}; p.P.drawPolygon(G); }},
        // File.
        {"filenew", [](TPen& p) { p.Page(); p.Word("+", Green, 16, 10); }},
        {"fileopen", [](TPen& p) { p.Folder(); }},
        {"fileimport", [](TPen& p) { p.Page(); p.Arrow(2, 18, 18, 18, Green); }},
        {"filesave", [](TPen& p) { p.Pen(Ink, 1.5); p.Fill(Blue); p.Rect(4, 4, 24, 24); p.Fill(Paper); p.Rect(9, 4, 14, 9); p.Rect(8, 17, 16, 11); }},
        {"filesaveas", [](TPen& p) { p.Pen(Ink, 1.5); p.Fill(Blue); p.Rect(4, 4, 24, 24); p.Fill(Paper); p.Rect(9, 4, 14, 9); p.Word("..", Paper, 12, 14); }},
        {"fileexport", [](TPen& p) { p.Page(); p.Arrow(14, 18, 30, 18, Red); }},
        {"fileexportsel", [](TPen& p) { p.Page(); p.Arrow(14, 18, 30, 18, Red); p.Pen(Blue, 1); p.P.setPen(QPen(Blue, 1, Qt::DashLine)); p.NoFill(); p.Rect(9, 12, 9, 8); }},
        {"filesettings", [](TPen& p) { p.Pen(Ink, 4); p.NoFill(); p.Circle(16, 16, 8); for (int i = 0; i < 8; ++i) { double a = i * M_PI / 4; p.Line(16 + 9 * std::cos(a), 16 + 9 * std::sin(a), 16 + 13 * std::cos(a), 16 + 13 * std::sin(a)); } }},
        {"fileprint", [](TPen& p) { p.Pen(Ink, 1.5); p.Fill(Paper); p.Rect(9, 3, 14, 10); p.Fill(QColor(150, 150, 160)); p.Rect(4, 12, 24, 11); p.Fill(Paper); p.Rect(9, 20, 14, 9); }},
        {"fileexit", [](TPen& p) { p.Pen(Ink, 1.5); p.Fill(QColor(150, 100, 60)); p.Rect(6, 3, 14, 26); p.Arrow(16, 16, 30, 16, Red); }},
        // View.
        {"viewredraw", [](TPen& p) { p.Pen(Green, 3); p.NoFill(); p.Arc(16, 16, 10, 30, 280); p.Arrow(24, 6, 26, 12, Green); }},
        {"viewwindow", [](TPen& p) { p.Lens(""); p.P.setPen(QPen(Blue, 1.5, Qt::DashLine)); p.NoFill(); p.Rect(8, 8, 10, 10); }},
        {"viewzoomin", [](TPen& p) { p.Lens("+"); }},
        {"viewzoomout", [](TPen& p) { p.Lens("-"); }},
        {"viewobjects", [](TPen& p) { p.Objects(); p.Pen(Red, 1.5); p.NoFill(); p.Rect(2, 4, 28, 22); }},
        {"viewlimits", [](TPen& p) { p.Pen(Ink, 2); p.NoFill(); p.Rect(4, 4, 24, 24); p.Arrow(10, 10, 4, 4, Red); p.Arrow(22, 22, 28, 28, Red); }},
        {"viewlayerdir", [](TPen& p) { p.Pen(Red, 3); p.Line(4, 10, 28, 10); p.Pen(Green, 3); p.Line(4, 16, 28, 16); p.Arrow(4, 23, 28, 23, Blue); }},
        {"viewgrid", [](TPen& p) { p.Pen(Ink, 1); for (int i = 4; i <= 28; i += 6) { p.Line(i, 4, i, 28); p.Line(4, i, 28, i); } }},
        {"viewortho", [](TPen& p) { p.Pen(Blue, 3); p.Line(6, 4, 6, 26); p.Line(6, 26, 28, 26); p.Pen(Ink, 1); p.NoFill(); p.Rect(6, 20, 6, 6); }},
        {"viewsnapon", [](TPen& p) { p.Pen(Ink, 1); for (int x = 6; x <= 26; x += 10) for (int y = 6; y <= 26; y += 10) p.Dot(x, y, 1.5); p.Pen(Red, 2); p.NoFill(); p.Circle(16, 16, 4); }},
        {"viewsnapplus", [](TPen& p) { p.Pen(Ink, 1); for (int x = 6; x <= 26; x += 10) for (int y = 6; y <= 26; y += 10) p.Dot(x, y, 1.5); p.Word("+", Green, 18, 6); }},
        {"viewsnapminus", [](TPen& p) { p.Pen(Ink, 1); for (int x = 6; x <= 26; x += 10) for (int y = 6; y <= 26; y += 10) p.Dot(x, y, 1.5); p.Word("-", Red, 20, 4); }},
        {"viewanglesnapon", [](TPen& p) { p.Pen(Blue, 2.5); p.Line(4, 26, 28, 26); p.Line(4, 26, 24, 8); p.Pen(Red, 1.5); p.NoFill(); p.Arc(4, 26, 12, 0, 42); }},
        {"viewanglesnapplus", [](TPen& p) { p.Pen(Blue, 2.5); p.Line(4, 26, 28, 26); p.Line(4, 26, 24, 8); p.Word("+", Green, 14, 0); }},
        {"viewanglesnapminus", [](TPen& p) { p.Pen(Blue, 2.5); p.Line(4, 26, 28, 26); p.Line(4, 26, 24, 8); p.Word("-", Red, 16, 0); }},
        // Info.
        {"infoinfo", [](TPen& p) { p.Pen(Blue, 2); p.Fill(Paper); p.Circle(16, 16, 12); p.Word("i", Blue, 18, 5); }},
        {"infodistance", [](TPen& p) { p.Arrow(16, 16, 4, 16, Blue); p.Arrow(16, 16, 28, 16, Blue); p.Pen(Ink, 1.5); p.Line(3, 8, 3, 24); p.Line(29, 8, 29, 24); }},
        {"infohistory", [](TPen& p) { p.Page(); p.Pen(Ink, 1.5); for (int y = 12; y <= 24; y += 4) p.Line(10, y, 23, y); }},
        // Draw.
        {"drawpoint", [](TPen& p) { p.Pen(Red, 1.5); p.Line(16, 6, 16, 26); p.Line(6, 16, 26, 16); p.Dot(16, 16, 3); }},
        {"drawpointcircle", [](TPen& p) { p.Pen(Ink, 1); p.NoFill(); p.Circle(16, 16, 11); p.Pen(Red, 1); for (int i = 0; i < 6; ++i) p.Dot(16 + 11 * std::cos(i * M_PI / 3), 16 + 11 * std::sin(i * M_PI / 3), 2.5); }},
        {"drawline", [](TPen& p) { p.Pen(Blue, 2.5); p.Line(5, 27, 27, 5); p.Pen(Red, 1); p.Dot(5, 27); p.Dot(27, 5); }},
        {"drawarc", [](TPen& p) { p.Pen(Blue, 2.5); p.NoFill(); p.Arc(16, 22, 12, 0, 180); }},
        {"drawcircle", [](TPen& p) { p.Pen(Blue, 2.5); p.NoFill(); p.Circle(16, 16, 11); p.Pen(Red, 1); p.Dot(16, 16, 2); }},
        {"drawrectangle", [](TPen& p) { p.Pen(Blue, 2.5); p.NoFill(); p.Rect(4, 8, 24, 16); }},
        {"drawpolyline", [](TPen& p) { p.Poly(); }},
        {"drawnewdimstyle", [](TPen& p) { p.Arrow(16, 12, 4, 12, Ink); p.Arrow(16, 12, 28, 12, Ink); p.Word("St", Blue, 11, 17); }},
        {"drawhorizontaldim", [](TPen& p) { p.Arrow(16, 14, 4, 14, Ink); p.Arrow(16, 14, 28, 14, Ink); p.Pen(Ink, 1); p.Line(3, 6, 3, 28); p.Line(29, 6, 29, 28); p.Word("H", Blue, 10, 18); }},
        {"drawverticaldim", [](TPen& p) { p.Arrow(14, 16, 14, 4, Ink); p.Arrow(14, 16, 14, 28, Ink); p.Pen(Ink, 1); p.Line(6, 3, 28, 3); p.Line(6, 29, 28, 29); }},
        {"drawangleddim", [](TPen& p) { p.Arrow(16, 16, 6, 26, Ink); p.Arrow(16, 16, 26, 6, Ink); }},
        {"drawangledim", [](TPen& p) { p.Pen(Ink, 2); p.Line(4, 28, 28, 28); p.Line(4, 28, 22, 6); p.NoFill(); p.Pen(Red, 1.5); p.Arc(4, 28, 16, 0, 50); }},
        {"drawinfodim", [](TPen& p) { p.Arrow(26, 6, 8, 22, Ink); p.Pen(Ink, 1.5); p.Line(26, 6, 30, 6); p.Word("A", Blue, 10, 18); }},
        {"drawhatch", [](TPen& p) { p.Pen(Ink, 2); p.NoFill(); p.Rect(4, 4, 24, 24); p.P.setClipRect(QRectF(4, 4, 24, 24)); p.Pen(Blue, 1); for (int x = -20; x <= 28; x += 6) p.Line(x, 28, x + 24, 4); p.P.setClipping(false); }},
        {"drawihatch", [](TPen& p) { p.Pen(Ink, 2); p.NoFill(); p.Circle(16, 16, 12); p.Pen(Blue, 1); for (int y = 8; y <= 24; y += 4) { double h = std::sqrt(std::max(0.0, 144.0 - (y - 16) * (y - 16))); p.Line(16 - h, y, 16 + h, y); } }},
        // Edit.
        {"editundo", [](TPen& p) { p.Pen(Blue, 3); p.NoFill(); p.Arc(16, 18, 9, -60, 240); p.Arrow(9, 13, 6, 20, Blue); }},
        {"editclipcut", [](TPen& p) { p.Pen(Ink, 2); p.NoFill(); p.Circle(9, 24, 4); p.Circle(23, 24, 4); p.Line(11, 21, 24, 4); p.Line(21, 21, 8, 4); }},
        {"editclipcopy", [](TPen& p) { p.Pen(Ink, 1.5); p.Fill(Paper); p.Rect(4, 4, 16, 18); p.Rect(12, 10, 16, 18); }},
        {"editclippaste", [](TPen& p) { p.Pen(Ink, 1.5); p.Fill(Gold); p.Rect(5, 5, 20, 24); p.Fill(Paper); p.Rect(13, 12, 15, 17); }},
        {"editdelete", [](TPen& p) { p.Pen(Red, 4); p.Line(7, 7, 25, 25); p.Line(25, 7, 7, 25); }},
        {"editmove", [](TPen& p) { p.Arrow(16, 16, 16, 3, Blue); p.Arrow(16, 16, 16, 29, Blue); p.Arrow(16, 16, 3, 16, Blue); p.Arrow(16, 16, 29, 16, Blue); }},
        {"editmovecenter", [](TPen& p) { p.Arrow(4, 4, 14, 14, Blue); p.Arrow(28, 28, 18, 18, Blue); p.Pen(Red, 1); p.Dot(16, 16, 3); }},
        {"editalign", [](TPen& p) { p.Pen(Ink, 2); p.Line(4, 3, 4, 29); p.Pen(Blue, 1.5); p.Fill(Paper); p.Rect(4, 6, 20, 7); p.Rect(4, 18, 12, 7); }},
        {"editcopy", [](TPen& p) { p.Pen(Blue, 2); p.NoFill(); p.Rect(3, 3, 14, 14); p.Rect(14, 14, 14, 14); }},
        {"editcopylay", [](TPen& p) { p.Pen(Blue, 2); p.NoFill(); p.Rect(3, 3, 14, 14); p.Pen(Red, 2); p.Rect(14, 14, 14, 14); }},
        {"editarrayrect", [](TPen& p) { p.Pen(Blue, 1.5); p.NoFill(); for (int x = 3; x < 28; x += 10) for (int y = 3; y < 28; y += 10) p.Rect(x, y, 6, 6); }},
        {"editarraypolar", [](TPen& p) { p.Pen(Blue, 1.5); p.NoFill(); for (int i = 0; i < 6; ++i) p.Circle(16 + 10 * std::cos(i * M_PI / 3), 16 + 10 * std::sin(i * M_PI / 3), 3); }},
        {"editrotate", [](TPen& p) { p.Pen(Blue, 2.5); p.NoFill(); p.Arc(16, 16, 11, 90, 250); p.Arrow(27, 18, 26, 10, Blue); p.Pen(Red, 1); p.Dot(16, 16, 2); }},
        {"editmirror", [](TPen& p) { p.P.setPen(QPen(Red, 1.5, Qt::DashLine)); p.Line(16, 2, 16, 30); p.Pen(Blue, 2); p.P.drawPolyline(QPolygonF{{13, 6}, {4, 26}, {13, 26}}); p.P.drawPolyline(QPolygonF{{19, 6}, {28, 26}, {19, 26}}); }},
        {"editscale", [](TPen& p) { p.Pen(Blue, 1.5); p.NoFill(); p.Rect(3, 17, 10, 10); p.Rect(3, 5, 22, 22); p.Arrow(9, 21, 22, 8, Red); }},
        {"editsize", [](TPen& p) { p.Pen(Blue, 1.5); p.NoFill(); p.Rect(6, 6, 20, 20); p.Arrow(16, 16, 28, 16, Red); p.Arrow(16, 16, 4, 16, Red); }},
        {"editchangelayer", [](TPen& p) { p.Pen(Red, 3); p.Line(3, 8, 20, 8); p.Pen(Green, 3); p.Line(3, 24, 20, 24); p.Arrow(25, 8, 25, 24, Blue); }},
        {"editgroup", [](TPen& p) { p.Objects(); p.P.setPen(QPen(Ink, 1.5, Qt::DashLine)); p.NoFill(); p.Rect(2, 3, 28, 24); }},
        {"editungroup", [](TPen& p) { p.Objects(); p.Pen(Red, 2); p.Line(4, 29, 28, 2); }},
        // Polyline.
        {"polychangestart", [](TPen& p) { p.Poly(); p.Pen(Red, 1); p.Dot(10, 8, 3.5); }},
        {"polychangedir", [](TPen& p) { p.Poly(); p.Arrow(28, 6, 18, 20, Red); }},
        {"polyfilter", [](TPen& p) { p.Poly(); p.Word("F", Red, 12, 18); }},
        {"polydivide", [](TPen& p) { p.Pen(Blue, 2.5); p.Line(3, 16, 29, 16); p.Pen(Red, 1); for (int x = 3; x <= 29; x += 13) p.Line(x, 10, x, 22); }},
        {"polytrim", [](TPen& p) { p.Pen(Ink, 2); p.Line(16, 3, 16, 29); p.Pen(Blue, 2.5); p.Line(3, 16, 16, 16); p.P.setPen(QPen(Red, 1.5, Qt::DotLine)); p.Line(16, 16, 29, 16); }},
        {"polybreak", [](TPen& p) { p.Pen(Blue, 2.5); p.Line(3, 16, 12, 16); p.Line(20, 16, 29, 16); p.Pen(Red, 1.5); p.Line(14, 10, 18, 22); }},
        {"polyextend", [](TPen& p) { p.Pen(Ink, 2); p.Line(28, 3, 28, 29); p.Pen(Blue, 2.5); p.Line(3, 16, 15, 16); p.Arrow(15, 16, 27, 16, Red); }},
        {"polyfilletone", [](TPen& p) { p.Pen(Blue, 2.5); p.NoFill(); p.Line(4, 28, 4, 14); p.Line(14, 4, 28, 4); p.Pen(Red, 2.5); p.Arc(14, 14, 10, 90, 90); }},
        {"polyfilletall", [](TPen& p) { p.Pen(Blue, 2.5); p.NoFill(); p.P.drawRoundedRect(QRectF(4, 4, 24, 24), 7, 7); }},
        {"polyfilletoff", [](TPen& p) { p.Pen(Blue, 2); p.NoFill(); p.P.drawRoundedRect(QRectF(4, 4, 24, 24), 7, 7); p.Pen(Red, 1.5); p.P.drawRoundedRect(QRectF(9, 9, 14, 14), 3, 3); }},
        {"polychamferone", [](TPen& p) { p.Pen(Blue, 2.5); p.Line(4, 28, 4, 12); p.Line(12, 4, 28, 4); p.Pen(Red, 2.5); p.Line(4, 12, 12, 4); }},
        {"polychamferall", [](TPen& p) { p.Pen(Blue, 2.5); p.NoFill(); p.P.drawPolygon(QPolygonF{{10, 4}, {22, 4}, {28, 10}, {28, 22}, {22, 28}, {10, 28}, {4, 22}, {4, 10}}); }},
        {"polyoffset", [](TPen& p) { p.Pen(Blue, 2); p.NoFill(); p.Rect(10, 10, 12, 12); p.Pen(Red, 2); p.P.drawRoundedRect(QRectF(4, 4, 24, 24), 6, 6); }},
        {"polyweld", [](TPen& p) { p.Pen(Blue, 2.5); p.Line(3, 16, 14, 16); p.Line(18, 16, 29, 16); p.Pen(Red, 1); p.Dot(16, 16, 3.5); }},
        {"polymark", [](TPen& p) { p.Poly(); p.Pen(Red, 1); p.Dot(10, 8, 2.5); p.Dot(18, 20, 2.5); }},
        {"polyjoin", [](TPen& p) { p.Pen(Blue, 2.5); p.P.drawPolyline(QPolygonF{{4, 26}, {16, 8}}); p.Pen(Green, 2.5); p.P.drawPolyline(QPolygonF{{16, 8}, {28, 26}}); p.Pen(Red, 1); p.Dot(16, 8, 3); }},
        {"polyexplode", [](TPen& p) { p.Pen(Blue, 2.5); p.Line(4, 26, 10, 10); p.Line(14, 8, 18, 20); p.Line(22, 18, 28, 6); }},
        // Text.
        {"textstyle", [](TPen& p) { p.Word("A", Ink, 18, 2); p.Word("St", Blue, 10, 21); }},
        {"textnew", [](TPen& p) { p.Word("A", Ink, 20, 2); p.Word("+", Green, 14, 16); }},
        {"textedit", [](TPen& p) { p.Word("A", Ink, 18, 2); p.Pen(Gold, 3); p.Line(14, 28, 28, 14); }},
        {"texttopoly", [](TPen& p) { p.Word("A", Ink, 16, 0); p.Arrow(8, 22, 24, 22, Blue); }},
        {"textchange", [](TPen& p) { p.Word("A", Ink, 13, 2); p.Word("B", Blue, 13, 16); }},
        {"textaddtofonts", [](TPen& p) { p.Word("Ž", Ink, 16, 2); p.Word("+", Green, 14, 16); }},
        {"textreread", [](TPen& p) { p.Word("F", Ink, 15, 4); p.Pen(Green, 2.5); p.NoFill(); p.Arc(16, 16, 13, 200, 260); }},
        // CAM.
        {"camparam", [](TPen& p) { p.Pen(Ink, 2); p.Fill(QColor(180, 180, 190)); p.Rect(12, 2, 8, 14); p.Word("T", Blue, 12, 17); }},
        {"camtoollib", [](TPen& p) { p.Pen(Ink, 1.5); p.Fill(QColor(120, 70, 40)); p.Rect(4, 6, 6, 22); p.Fill(QColor(40, 90, 140)); p.Rect(12, 6, 6, 22); p.Fill(QColor(60, 120, 60)); p.Rect(20, 6, 6, 22); }},
        {"camstats", [](TPen& p) { p.Pen(Ink, 1); p.Fill(Blue); p.Rect(4, 18, 6, 10); p.Rect(13, 10, 6, 18); p.Rect(22, 4, 6, 24); }},
        {"cameditop", [](TPen& p) { p.Pen(Blue, 2); p.NoFill(); p.P.drawRoundedRect(QRectF(3, 6, 20, 20), 5, 5); p.Pen(Gold, 3); p.Line(16, 28, 29, 15); }},
        {"camsurface", [](TPen& p) { p.Pen(Blue, 2); for (int y = 6; y <= 26; y += 5) p.Line(4, y, 28, y); }},
        {"camcontour", [](TPen& p) { p.Pen(Ink, 1.5); p.NoFill(); p.Rect(9, 9, 14, 14); p.Pen(Red, 2); p.P.drawRoundedRect(QRectF(4, 4, 24, 24), 5, 5); }},
        {"campocket", [](TPen& p) { p.Pen(Ink, 1.5); p.NoFill(); p.Rect(4, 4, 24, 24); p.Pen(Red, 1.5); p.P.drawPolyline(QPolygonF{{7, 8}, {25, 8}, {25, 13}, {7, 13}, {7, 18}, {25, 18}, {25, 23}, {7, 23}}); }},
        {"camipocket", [](TPen& p) { p.Pen(Ink, 1.5); p.NoFill(); p.Circle(16, 16, 12); p.Pen(Red, 1.5); p.P.drawPolyline(QPolygonF{{9, 10}, {23, 10}, {23, 16}, {9, 16}, {9, 22}, {23, 22}}); }},
        {"cambridge", [](TPen& p) { p.Pen(Red, 2.5); p.Line(3, 16, 12, 16); p.Line(20, 16, 29, 16); p.Pen(Ink, 1.5); p.NoFill(); p.Rect(12, 12, 8, 8); }},
        {"camonetostart", [](TPen& p) { p.Word("1", Ink, 12, 0); p.Arrow(26, 22, 6, 22, Blue); p.Pen(Ink, 2); p.Line(4, 16, 4, 28); }},
        {"camtostart", [](TPen& p) { p.Arrow(26, 16, 6, 16, Blue); p.Pen(Ink, 2); p.Line(4, 6, 4, 26); }},
        {"camonetoend", [](TPen& p) { p.Word("1", Ink, 12, 0); p.Arrow(6, 22, 26, 22, Blue); p.Pen(Ink, 2); p.Line(28, 16, 28, 28); }},
        {"camtoend", [](TPen& p) { p.Arrow(6, 16, 26, 16, Blue); p.Pen(Ink, 2); p.Line(28, 6, 28, 26); }},
        {"camtopos", [](TPen& p) { p.Arrow(6, 8, 18, 18, Blue); p.Word("#", Red, 12, 18); }},
        {"camorigtofront", [](TPen& p) { p.Word("O", Ink, 14, 2); p.Arrow(26, 24, 6, 24, Blue); }},
        // Object-snap kinds: a grey object with the red mark of the point found.
        {"osnapend", [](TPen& p) { p.Pen(Ink, 2.5); p.Line(4, 28, 22, 10); p.Pen(Red, 2.5); p.NoFill(); p.Rect(18, 6, 9, 9); }},
        {"osnapmid", [](TPen& p) { p.Pen(Ink, 2.5); p.Line(3, 27, 29, 27); p.Pen(Red, 2.5); p.NoFill(); p.P.drawPolygon(QPolygonF{{16, 12}, {24, 25}, {8, 25}}); }},
        {"osnapcen", [](TPen& p) { p.Pen(Ink, 2.5); p.NoFill(); p.Circle(16, 16, 12); p.Pen(Red, 2.5); p.Circle(16, 16, 4); }},
        {"osnapint", [](TPen& p) { p.Pen(Ink, 2.5); p.Line(4, 28, 28, 4); p.Line(4, 4, 28, 28); p.Pen(Red, 2.5); p.NoFill(); p.Rect(11, 11, 10, 10); }},
        {"osnapper", [](TPen& p) { p.Pen(Ink, 2.5); p.Line(3, 27, 29, 27); p.Pen(Red, 2.5); p.Line(16, 5, 16, 27); p.NoFill(); p.Rect(16, 19, 8, 8); }},
        {"osnaptan", [](TPen& p) { p.Pen(Ink, 2.5); p.NoFill(); p.Circle(14, 18, 10); p.Pen(Red, 2.5); p.Line(2, 8, 30, 8); p.Dot(14, 8, 3); }},
        {"camsort", [](TPen& p) { p.Word("1", Ink, 9, 0); p.Word("2", Ink, 9, 10); p.Word("3", Ink, 9, 20); p.Arrow(26, 4, 26, 28, Blue); }},
    };
    return M;
}

bool SaveBmp(const QImage& Img, const QString& Path, bool Overwrite) {
    if (!Overwrite && QFileInfo::exists(Path)) return true;
    return Img.convertToFormat(QImage::Format_RGB888).save(Path, "BMP");
}

QImage LayMark(int Use) {
    // On the white show box; the panel's image control shows it as it is.
    QImage Img(14, 14, QImage::Format_ARGB32);
    Img.fill(Qt::white);
    QPainter P(&Img);
    P.setRenderHint(QPainter::Antialiasing, true);
    P.setPen(QPen(Use ? QColor(0, 110, 0) : QColor(90, 90, 90), 2.2));
    P.drawLine(QPointF(2.5, 7.5), QPointF(5.5, 11));
    P.drawLine(QPointF(5.5, 11), QPointF(11.5, 3));
    if (Use) {
        P.setBrush(QColor(0, 110, 0));
        P.setPen(Qt::NoPen);
        P.drawEllipse(QPointF(10.5, 10.5), 2.2, 2.2);
    }
    return Img;
}

}  // namespace

QImage PaintIcon(const std::string& Word) {
    QImage Img(S, S, QImage::Format_ARGB32);
    Img.fill(Key);
    QPainter P(&Img);
    P.setRenderHint(QPainter::Antialiasing, true);
    P.setRenderHint(QPainter::TextAntialiasing, true);
    TPen Pen{P};
    auto it = Painters().find(Word);
    if (it != Painters().end()) {
        it->second(Pen);
    } else {
        Pen.Word(Word.substr(0, 3).c_str(), Ink, 10, 10);
    }
    return Img;
}

bool PaintIconFiles(const std::string& Dir, const std::vector<std::pair<std::string, std::string>>& Pictures,
                    bool Overwrite) {
    const QString D = QString::fromStdString(Dir);
    if (!QDir().mkpath(D)) return false;
    bool Ok = true;
    for (const auto& [File, Word] : Pictures)
        Ok = SaveBmp(PaintIcon(Word), D + "/" + QString::fromStdString(File), Overwrite) && Ok;
    for (int Use = 0; Use <= 1; ++Use)
        Ok = SaveBmp(LayMark(Use), D + QString("/LayMark%1.bmp").arg(Use), Overwrite) && Ok;
    return Ok;
}

QImage LoadTransparentPicture(const std::string& File) {
    QImage Img(QString::fromStdString(File));
    if (Img.isNull()) return Img;
    Img = Img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < Img.height(); ++y) {
        auto* Row = reinterpret_cast<QRgb*>(Img.scanLine(y));
        for (int x = 0; x < Img.width(); ++x)
            if ((Row[x] & 0xFFFFFF) == 0xFF00FF) Row[x] = 0;
    }
    return Img;
}
