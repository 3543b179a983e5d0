#include "core/UniDraw.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/Glob.h"
#include "core/UniGeom.h"

TCanvas* MainCanvas = nullptr;

namespace {
// Upper bound of chords per circle or arc: a corrupt radius must not hang the redraw.
constexpr int64_t MaxChords = 100000;

// The visible window grown by W/2 on every side.
void GrownWindow(Extended W, Osy& Min, Osy& Max) {
    Min = {Glob.ZoomMin.x - W / 2, Glob.ZoomMin.y - W / 2};
    Max = {Glob.ZoomMax.x + W / 2, Glob.ZoomMax.y + W / 2};
}

bool InWindow(const Osy& P, const Osy& Min, const Osy& Max) {
    return P.x >= Min.x && P.x <= Max.x && P.y >= Min.y && P.y <= Max.y;
}

bool BoxMeets(const Osy& BMin, const Osy& BMax, const Osy& Min, const Osy& Max) {
    return BMin.x <= Max.x && BMax.x >= Min.x && BMin.y <= Max.y && BMax.y >= Min.y;
}

void Arrowhead(TCanvas* Canv, const Osy& P1, const Osy& P2, TPoint Q1, TPoint Q2) {
    if (!Glob.Arrow || (Glob.View != vDir && Glob.View != vSort)) return;
    if (std::abs(int64_t(Q2.X) - Q1.X) <= 8 && std::abs(int64_t(Q2.Y) - Q1.Y) <= 8) return;
    Extended a = Angle(P2, P1);
    Canv->MoveTo(Q2.X + RoundPx(10 * std::cos(a - 0.4L)), Q2.Y - RoundPx(10 * std::sin(a - 0.4L)));
    Canv->LineTo(Q2.X, Q2.Y);
    Canv->LineTo(Q2.X + RoundPx(10 * std::cos(a + 0.4L)), Q2.Y - RoundPx(10 * std::sin(a + 0.4L)));
}

// The clipping shared by DrawLine and DrawLineGdi: Map turns a point into pixels.
template <class TMap>
void ClipAndDraw(const Osy& P1, const Osy& P2, const Osy& Min, const Osy& Max, TCanvas* Canv,
                 bool WithArrow, TMap Map) {
    auto line = [&](const Osy& A, const Osy& B, bool arrow) {
        TPoint a = Map(A), b = Map(B);
        Canv->MoveTo(a.X, a.Y);
        Canv->LineTo(b.X, b.Y);
        if (arrow && WithArrow) Arrowhead(Canv, A, B, a, b);
    };
    if (InWindow(P1, Min, Max) && InWindow(P2, Min, Max)) {
        line(P1, P2, true);
        return;
    }
    Osy pl, pb, pr, pt;
    bool l, b, r, t, inA, inB;
    ClipSegToRect(Min, Max, P1, P2, pl, pb, pr, pt, l, b, r, t, inA, inB);
    if (!l && !b && !r && !t) return;
    // The crossing of one end that lies inside: top, else right, else bottom, else left.
    const Osy& cross = t ? pt : r ? pr : b ? pb : pl;
    if (!inA && inB) {
        line(cross, P2, true);
    } else if (inA && !inB) {
        line(cross, P1, false);
    } else if (!inA && !inB) {
        const Osy* pts[4];
        int n = 0;
        if (l) pts[n++] = &pl;
        if (b) pts[n++] = &pb;
        if (r) pts[n++] = &pr;
        if (t) pts[n++] = &pt;
        if (n >= 2) line(*pts[0], *pts[n - 1], false);
    }
}

// Chord step of an arc of radius R whose chords stay within Tol of it.
Extended ChordStep(Extended R, Extended Tol) {
    Extended q = (R - Tol) / R;
    if (!(q > 0)) return GeomPi;
    return 2 * std::atan(std::sqrt(std::max<Extended>(0, 1 - q * q)) / q);
}
}  // namespace

int32_t RoundPx(Extended V) { return RoundPxD(double(V)); }

TPixelMap::TPixelMap()
    : Zx(double(Glob.ZoomMin.x)), Zy(double(Glob.ZoomMin.y)), Ox(double(Glob.OknoStart.x)),
      Oy(double(Glob.OknoStart.y)), H(double(Glob.Okno.y)), Scale(double(Glob.BoduNaMm)) {}

TPoint WorldToPixel(const Osy& P) { return TPixelMap()(P); }

Osy PixelToWorld(Extended X, Extended Y) {
    if (Glob.BoduNaMm == 0) return Glob.ZoomMin;
    return {Glob.ZoomMin.x + (X - Glob.OknoStart.x) / Glob.BoduNaMm,
            Glob.ZoomMin.y + (Glob.OknoStart.y + Glob.Okno.y - Y) / Glob.BoduNaMm};
}

void DrawDot(const Osy& P, TCanvas* Canv, float Opacity, Extended Width) {
    if (!Canv) return;
    Osy mn, mx;
    GrownWindow(Width, mn, mx);
    if (!InWindow(P, mn, mx)) return;
    TPoint q = WorldToPixel(P);
    Canv->PenStyle = TPenStyle::psSolid;
    Canv->BrushStyle = TBrushStyle::bsSolid;
    Canv->BrushColor = Canv->PenColor;
    Canv->Opacity = Opacity;
    Canv->BrushOpacity = Opacity;
    Canv->Ellipse(q.X - 2, q.Y - 2, q.X + 3, q.Y + 3);
}

namespace {
bool MarkSetup(const Osy& P, int32_t Width, TCanvas* Canv, float Opacity, TPoint& Q) {
    if (!Canv) return false;
    Osy mn, mx;
    GrownWindow(Width, mn, mx);
    if (!InWindow(P, mn, mx)) return false;
    Q = WorldToPixel(P);
    Canv->PenStyle = TPenStyle::psSolid;
    Canv->PenWidth = Width;
    Canv->BrushStyle = TBrushStyle::bsSolid;
    Canv->BrushColor = Canv->PenColor;
    Canv->Opacity = Opacity;
    Canv->BrushOpacity = Opacity;
    return true;
}
}  // namespace

void DrawPixel(const Osy& P, int32_t Width, TCanvas* Canv, float Opacity) {
    TPoint q;
    if (!MarkSetup(P, Width, Canv, Opacity, q)) return;
    Canv->MoveTo(q.X, q.Y);
    Canv->LineTo(q.X + 1, q.Y + 1);
}

void DrawCross(const Osy& P, int32_t Width, TCanvas* Canv, float Opacity) {
    TPoint q;
    if (!MarkSetup(P, Width, Canv, Opacity, q)) return;
    Canv->MoveTo(q.X, q.Y + 5);
    Canv->LineTo(q.X + 1, q.Y - 5);
    Canv->MoveTo(q.X - 5, q.Y);
    Canv->LineTo(q.X + 5, q.Y);
}

void DrawLine(const Osy& P1, const Osy& P2, TCanvas* Canv, float Opacity, Extended Width) {
    if (!Canv) return;
    Canv->Opacity = Opacity;
    Osy mn, mx;
    GrownWindow(Width, mn, mx);
    ClipAndDraw(P1, P2, mn, mx, Canv, true, WorldToPixel);
}

void DrawLineGdi(const Osy& P1, const Osy& P2, TCanvas* Canv) {
    if (!Canv) return;
    TRect cr = Canv->ClipRect();
    Extended w = cr.Width(), h = cr.Height();
    auto map = [h](const Osy& P) {
        return TPoint{RoundPx(P.x + Glob.OknoStart.x), RoundPx(h - 1 - P.y + Glob.OknoStart.y)};
    };
    ClipAndDraw(P1, P2, Osy{0, 0}, Osy{w, h}, Canv, false, map);
}

void DrawCircle(const Osy& C, Extended R, TCanvas* Canv, float Opacity, Extended Width) {
    if (!Canv) return;
    Osy mn, mx;
    GrownWindow(Width, mn, mx);
    if (!BoxMeets({C.x - R, C.y - R}, {C.x + R, C.y + R}, mn, mx)) return;
    TPoint a = WorldToPixel({C.x - R, C.y - R});
    TPoint b = WorldToPixel({C.x + R, C.y + R});
    int64_t size = std::abs(int64_t(a.X)) + std::abs(int64_t(b.X)) + std::abs(int64_t(a.Y)) +
                   std::abs(int64_t(b.Y));
    if (size < 10000) {
        Canv->BrushStyle = TBrushStyle::bsClear;
        Canv->Opacity = Opacity;
        Canv->Ellipse(a.X, a.Y, b.X, b.Y);
        return;
    }
    // Too large for the canvas's ellipse: chords within a quarter pixel.
    if (!(R > 0) || !(Glob.BoduNaMm > 0)) return;
    Extended step = ChordStep(R, 1 / (4 * Glob.BoduNaMm));
    Extended nf = std::nearbyint(Geom2Pi / step) + 1;
    int64_t n = std::clamp<Extended>(nf, 2, MaxChords);
    step = Geom2Pi / n;
    Osy prev{C.x + R, C.y};
    for (int64_t i = 1; i <= n; ++i) {
        Osy p{C.x + R * std::cos(i * step), C.y + R * std::sin(i * step)};
        DrawLine(prev, p, Canv, Opacity, Width);
        prev = p;
    }
}

namespace {
// The chords of the arc of a bulge segment within half a pixel; false when it cannot be
// seen. C, R and the start angle in doubles: the pixels need no more.
struct TArcChords {
    double Cx = 0, Cy = 0, R = 0, Start = 0, Step = 0;
    int64_t Count = 1;
};
bool ArcChords(const Osy& P1, const Osy& P2, Extended Alfa, const Osy& Min, const Osy& Max,
               TArcChords& A) {
    Osy C;
    Extended R;
    ArcCenter(P1, P2, Alfa, C, R);
    if (!BoxMeets({C.x - R, C.y - R}, {C.x + R, C.y + R}, Min, Max)) return false;
    A.Cx = double(C.x);
    A.Cy = double(C.y);
    A.R = double(R);
    if (Glob.BoduNaMm > 0) {
        const double tol = 1 / (2 * double(Glob.BoduNaMm));
        if (A.R > tol) {
            const double c = std::trunc(std::fabs(double(Alfa)) / double(ChordStep(R, tol))) + 1;
            A.Count = int64_t(std::clamp<double>(c, 1, double(MaxChords)));
        }
    }
    A.Step = double(Alfa) / double(A.Count);
    A.Start = double(ArcStartAngle(P1, P2, Alfa));
    return true;
}
}  // namespace

void DrawArc(const Osy& P1, const Osy& P2, Extended Alfa, TCanvas* Canv, float Opacity, Extended Width) {
    if (!Canv) return;
    Osy mn, mx;
    GrownWindow(Width, mn, mx);
    TArcChords A;
    if (!ArcChords(P1, P2, Alfa, mn, mx, A)) return;
    bool arrow = Glob.Arrow;
    Glob.Arrow = false;
    Osy prev = P1;
    for (int64_t i = 1; i <= A.Count; ++i) {
        const double angle = A.Start + double(i) * A.Step;
        Osy p{A.Cx + A.R * std::cos(angle), A.Cy + A.R * std::sin(angle)};
        if (i == A.Count) Glob.Arrow = arrow;
        DrawLine(prev, p, Canv, Opacity, Width);
        prev = p;
    }
    Glob.Arrow = arrow;
}

namespace {
// The point buffers of finished chains, reused: a redraw of many short polylines then
// allocates none per polyline.
std::vector<std::vector<TPoint>>& SpareRuns() {
    static std::vector<std::vector<TPoint>> Spare;
    return Spare;
}
}  // namespace

TChainPainter::TChainPainter(TCanvas* Canv, float Opacity, Extended Width)
    : Canv(Canv), Opacity(Opacity), Width(Width) {
    if (!SpareRuns().empty()) {
        Run = std::move(SpareRuns().back());
        SpareRuns().pop_back();
    }
    Osy mn, mx;
    GrownWindow(Width, mn, mx);
    MinX = double(mn.x);
    MinY = double(mn.y);
    MaxX = double(mx.x);
    MaxY = double(mx.y);
    Alone = Glob.Arrow && (Glob.View == vDir || Glob.View == vSort);
}

TChainPainter::~TChainPainter() {
    Flush();
    Run.clear();
    SpareRuns().push_back(std::move(Run));
}

bool TChainPainter::Visible(const Osy& Min, const Osy& Max) const {
    return double(Min.x) <= MaxX && double(Max.x) >= MinX && double(Min.y) <= MaxY &&
           double(Max.y) >= MinY;
}

void TChainPainter::Start(const Osy& P) {
    Flush();
    Prev = P;
    PrevX = double(P.x);
    PrevY = double(P.y);
    PrevIn = InWindowD(PrevX, PrevY);
}

inline void TChainPainter::Chord(double X, double Y, const Osy& P) {
    const bool In = InWindowD(X, Y);
    if (Canv && !Alone && PrevIn && In) {
        if (Run.empty()) Run.push_back(Map(PrevX, PrevY));
        const TPoint q = Map(X, Y);
        if (!(q == Run.back())) Run.push_back(q);
    } else {
        Flush();
        DrawLine(Prev, P, Canv, Opacity, Width);
    }
    Prev = P;
    PrevX = X;
    PrevY = Y;
    PrevIn = In;
}

void TChainPainter::LineTo(const Osy& P) { Chord(double(P.x), double(P.y), P); }

void TChainPainter::ArcTo(const Osy& P, Extended Alfa) {
    if (Alone) {
        DrawArc(Prev, P, Alfa, Canv, Opacity, Width);
        Prev = P;
        return;
    }
    TArcChords A;
    if (!ArcChords(Prev, P, Alfa, {MinX, MinY}, {MaxX, MaxY}, A)) {
        Flush();
        Prev = P;
        return;
    }
    for (int64_t i = 1; i < A.Count; ++i) {
        const double angle = A.Start + double(i) * A.Step;
        const double x = A.Cx + A.R * std::cos(angle), y = A.Cy + A.R * std::sin(angle);
        Chord(x, y, Osy{x, y});
    }
    LineTo(P);
}

void TChainPainter::Flush() {
    if (Run.empty()) return;
    Canv->Opacity = Opacity;
    if (Run.size() <= 2) {
        Canv->MoveTo(Run.front().X, Run.front().Y);
        Canv->LineTo(Run.back().X, Run.back().Y);
    } else {
        Canv->Polyline(Run);
        Canv->PenPos = Run.back();
    }
    Run.clear();
}

void DrawRect(const Osy& P1, const Osy& P2, TCanvas* Canv, float Opacity) {
    if (!Canv) return;
    TPoint a = WorldToPixel(P1), b = WorldToPixel(P2);
    Canv->Opacity = Opacity;
    Canv->MoveTo(a.X, a.Y);
    Canv->LineTo(b.X, a.Y);
    Canv->LineTo(b.X, b.Y);
    Canv->LineTo(a.X, b.Y);
    Canv->LineTo(a.X, a.Y);
}

void DrawOsnapMark(const Osy& P, uint8_t Kind) {
    TCanvas* c = MainCanvas;
    if (!c) return;
    TPoint q = WorldToPixel(P);
    const int32_t x = q.X, y = q.Y, s = Glob.OsnapSymbSize;
    c->BrushStyle = TBrushStyle::bsClear;
    c->PenWidth = Glob.OsnapWidth;
    c->PenColor = Glob.OSnapColor;
    c->Opacity = Glob.OSnapOpac;
    switch (Kind) {
        case 1:
            c->Ellipse(x - s, y - s, x + s + 1, y + s + 1);
            break;
        case 2:
            c->MoveTo(x - s - 2, y + s - 2);
            c->LineTo(x + s + 3, y + s - 2);
            c->LineTo(x, y - s - 4);
            c->LineTo(x - s - 1, y + s - 2);
            break;
        case 3:
            c->Rectangle(x - s, y - s, x + s + 1, y + s + 1);
            break;
        case 4:
            c->MoveTo(x - s, y - s);
            c->LineTo(x - s, y + s);
            c->LineTo(x + s + 1, y + s);
            break;
        case 5:
            c->MoveTo(x, y - s + 2);
            c->LineTo(x - s - 3, y - s + 2);
            c->Ellipse(x - s + 2, y - s + 2, x + s - 1, y + s - 1);
            break;
        case 6:
            c->MoveTo(x - s, y - s);
            c->LineTo(x + s + 1, y + s + 1);
            c->MoveTo(x - s, y + s);
            c->LineTo(x + s + 1, y - s + 1);
            break;
        default:
            return;
    }
    c->Ellipse(x - 3, y - 3, x + 4, y + 4);
}
