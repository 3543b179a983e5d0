#include "support/NcPartCheck.h"

#include <geos_c.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "core/ObjRecords.h"

namespace {

constexpr double Tol = 0.001;       // what the machine may be off
constexpr double Sagitta = 5e-5;    // chords of arcs stay this close to their arcs
constexpr int Quad = 64;            // buffer segments per quarter circle
constexpr double DzPiece = 2e-4;    // the most a piece of a move changes in height

// One GEOS context with its geometries freed on scope exit.
class TGeos {
public:
    TGeos() : H(GEOS_init_r()) {}
    ~TGeos() {
        for (GEOSGeometry* g : Owned) GEOSGeom_destroy_r(H, g);
        GEOS_finish_r(H);
    }
    GEOSContextHandle_t H;
    GEOSGeometry* Keep(GEOSGeometry* G) {
        if (G) Owned.push_back(G);
        return G;
    }
    GEOSGeometry* Line(const std::vector<std::pair<double, double>>& P) {
        GEOSCoordSequence* s = GEOSCoordSeq_create_r(H, unsigned(P.size()), 2);
        for (unsigned i = 0; i < P.size(); ++i) GEOSCoordSeq_setXY_r(H, s, i, P[i].first, P[i].second);
        return GEOSGeom_createLineString_r(H, s);
    }
    GEOSGeometry* Polygon(std::vector<std::pair<double, double>> P) {
        if (P.size() < 3) return nullptr;
        if (P.front() != P.back()) P.push_back(P.front());
        GEOSCoordSequence* s = GEOSCoordSeq_create_r(H, unsigned(P.size()), 2);
        for (unsigned i = 0; i < P.size(); ++i) GEOSCoordSeq_setXY_r(H, s, i, P[i].first, P[i].second);
        GEOSGeometry* g = GEOSGeom_createPolygon_r(H, GEOSGeom_createLinearRing_r(H, s), nullptr, 0);
        if (g && !GEOSisValid_r(H, g)) {
            GEOSGeometry* v = GEOSMakeValid_r(H, g);
            GEOSGeom_destroy_r(H, g);
            g = v;
        }
        return Keep(g);
    }
    GEOSGeometry* Buffer(const GEOSGeometry* G, double D, int Q = Quad) {
        return Keep(GEOSBufferWithStyle_r(H, G, D, Q, GEOSBUF_CAP_ROUND, GEOSBUF_JOIN_ROUND, 5));
    }
    GEOSGeometry* Minus(const GEOSGeometry* A, const GEOSGeometry* B) { return Keep(GEOSDifference_r(H, A, B)); }
    GEOSGeometry* Xor(const GEOSGeometry* A, const GEOSGeometry* B) { return Keep(GEOSSymDifference_r(H, A, B)); }
    GEOSGeometry* Union(const GEOSGeometry* A, const GEOSGeometry* B) { return Keep(GEOSUnion_r(H, A, B)); }
    // The lines as one geometry (taking them over).
    GEOSGeometry* Lines(std::vector<GEOSGeometry*>& L) {
        GEOSGeometry* g = GEOSGeom_createCollection_r(H, GEOS_MULTILINESTRING, L.data(), unsigned(L.size()));
        L.clear();
        return Keep(g);
    }
    double Area(const GEOSGeometry* G) {
        double a = 0;
        GEOSArea_r(H, G, &a);
        return a;
    }
    double Length(const GEOSGeometry* G) {
        double l = 0;
        GEOSLength_r(H, G, &l);
        return l;
    }

private:
    std::vector<GEOSGeometry*> Owned;
};

// The points of an arc from S to E turning by Alfa (anticlockwise positive), chords
// within the sagitta; the start point left out.
void ArcPoints(double Sx, double Sy, double Ex, double Ey, double Alfa, std::vector<std::pair<double, double>>& Out) {
    const double mx = (Sx + Ex) / 2, my = (Sy + Ey) / 2, dx = Ex - Sx, dy = Ey - Sy, L = std::hypot(dx, dy);
    if (L < 1e-12) return;
    const double h = (L / 2) / std::tan(Alfa / 2);
    const double cx = mx - dy / L * h, cy = my + dx / L * h;
    const double r = std::hypot(Sx - cx, Sy - cy), a0 = std::atan2(Sy - cy, Sx - cx);
    const double step = 2 * std::acos(std::max(-1.0, 1 - Sagitta / r));
    const int n = std::max(2, int(std::ceil(std::fabs(Alfa) / step)));
    for (int k = 1; k < n; ++k) Out.emplace_back(cx + r * std::cos(a0 + Alfa * k / n), cy + r * std::sin(a0 + Alfa * k / n));
    Out.emplace_back(Ex, Ey);
}

std::vector<std::pair<double, double>> OutlinePoints(const TObjHeader* P) {
    std::vector<std::pair<double, double>> pts{{double(AsPline(P)->S.x), double(AsPline(P)->S.y)}};
    const TPlineSeg* g = PlineSegs(P);
    for (int32_t i = 0; i < PlineSegCount(P); ++i) {
        const auto s = pts.back();
        if (std::fabs(double(g[i].Alfa)) < 1e-9)
            pts.emplace_back(double(g[i].E.x), double(g[i].E.y));
        else
            ArcPoints(s.first, s.second, double(g[i].E.x), double(g[i].E.y), double(g[i].Alfa), pts);
    }
    return pts;
}

// A move cut into pieces short enough that the disc radius and the chord hold.
struct TPiece {
    double X0, Y0, X1, Y1, Z;  // Z: the lower end
};
std::vector<TPiece> Pieces(const TMachineMove& M) {
    std::vector<TPiece> out;
    const double z0 = std::isfinite(double(M.From.z)) ? double(M.From.z) : double(M.To.z);
    const double r = M.Arc ? double(std::hypot(M.From.x - M.C.x, M.From.y - M.C.y)) : 0;
    double step = 0.05;
    if (M.Arc) step = std::min(step, 2 * r * std::sin(std::acos(std::max(-1.0, 1 - Sagitta / std::max(r, 1e-9)))));
    const double dz = std::fabs(z0 - double(M.To.z));
    if (!M.Arc && dz < 1e-9) step = 1e9;  // flat line: one piece
    // Where the height changes, the tool's radius changes with it: short pieces.
    double len = double(std::hypot(M.To.x - M.From.x, M.To.y - M.From.y));
    if (M.Arc) {
        double sweep = std::atan2(double(M.To.y - M.C.y), double(M.To.x - M.C.x)) -
                       std::atan2(double(M.From.y - M.C.y), double(M.From.x - M.C.x));
        if (M.Turn > 0 && sweep <= 1e-9) sweep += 2 * M_PI;
        if (M.Turn < 0 && sweep >= -1e-9) sweep -= 2 * M_PI;
        len = std::fabs(sweep) * r;
    }
    if (dz > 1e-9) step = std::min(step, len * DzPiece / dz);
    const std::vector<Osy3D> p = MovePoints(M, Extended(std::max(step, 1e-5)));
    for (size_t i = 0; i + 1 < p.size(); ++i)
        out.push_back({double(p[i].x), double(p[i].y), double(p[i + 1].x), double(p[i + 1].y),
                       std::min(double(p[i].z), double(p[i + 1].z))});
    return out;
}

std::string At(const TPiece& P, size_t Move, const TMachineMove& M) {
    char b[200];
    std::snprintf(b, sizeof b, "move %zu (%s) near (%.4f %.4f %.4f)", Move,
                  M.Rapid ? "rapid" : M.Arc ? "arc" : std::hypot(M.To.x - M.From.x, M.To.y - M.From.y) < 1e-9 ? "plunge" : "line",
                  P.X1, P.Y1, P.Z);
    return b;
}

}  // namespace

double TToolShape::RadiusAt(double Height) const {
    if (Height <= 0) return TipDiam / 2;
    double r = TipDiam / 2;
    if (Ball > 0)
        r += Height >= Ball ? Ball : std::sqrt(Ball * Ball - (Ball - Height) * (Ball - Height));
    else if (AngleDeg > 0)
        r += Height * std::tan(AngleDeg * M_PI / 360);
    return std::min(r, std::max(TopDiam, TipDiam) / 2);
}

TMachineRun ShiftedRun(TMachineRun Run, double Dx, double Dy) {
    for (TMachineMove& m : Run.Moves) {
        m.From.x += Dx, m.From.y += Dy, m.To.x += Dx, m.To.y += Dy, m.C.x += Dx, m.C.y += Dy;
    }
    return Run;
}

TPartReport CheckAgainstPart(const TMachineRun& Run, const TPartJob& Job) {
    TPartReport rep;
    TGeos g;
    // The waste: what the outlines enclose (even-odd), or the world around them.
    GEOSGeometry* inside = nullptr;
    double x0 = 1e18, y0 = 1e18, x1 = -1e18, y1 = -1e18;
    for (const TObjHeader* o : Job.Outlines) {
        const auto pts = OutlinePoints(o);
        for (const auto& [x, y] : pts) x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        GEOSGeometry* p = g.Polygon(pts);
        if (p) inside = inside ? g.Xor(inside, p) : p;
    }
    if (!inside) {
        rep.Faults.push_back("no outline of the part");
        return rep;
    }
    const double far = 100;
    GEOSGeometry* world = g.Keep(GEOSGeom_createRectangle_r(g.H, x0 - far, y0 - far, x1 + far, y1 + far));
    GEOSGeometry* waste = Job.WasteInside ? inside : g.Minus(world, inside);
    GEOSGeometry* part = g.Minus(world, waste);
    const GEOSPreparedGeometry* partP = GEOSPrepare_r(g.H, part);

    // Every move below the material top: the disc of the tool at that height stays out
    // of the part by the allowance.
    const double tol = Tol + Job.Widen;
    std::map<int, std::vector<GEOSGeometry*>> finals;  // pieces at the deepest pass, by tool
    rep.Lowest = 0;
    for (size_t i = 0; i < Run.Moves.size(); ++i) {
        const TMachineMove& m = Run.Moves[i];
        rep.Lowest = std::min(rep.Lowest, double(m.To.z));
        if (std::min(double(m.From.z), double(m.To.z)) > -1e-6) continue;
        const auto t = Job.Tools.find(m.Tool);
        if (t == Job.Tools.end()) {
            rep.Faults.push_back("a cut with tool " + std::to_string(m.Tool) + " the job does not know");
            continue;
        }
        const std::vector<TPiece> pieces = Pieces(m);
        for (const TPiece& p : pieces) {
            if (p.Z > -1e-6) continue;
            GEOSGeometry* l = g.Line({{p.X0, p.Y0}, {p.X1, p.Y1}});
            double d = 0;
            GEOSPreparedDistance_r(g.H, partP, l, &d);
            GEOSGeom_destroy_r(g.H, l);
            const double gouge = t->second.RadiusAt(-p.Z) + Job.Allowance - d;
            if (gouge > rep.Gouge) {
                rep.Gouge = gouge;
                rep.GougeAt = At(p, i, m);
            }
        }
        // A move at the deepest pass, as one line for the cut it makes.
        const bool final = !m.Rapid && std::fabs(double(m.From.z) + Job.Deepest) < Tol &&
                           std::fabs(double(m.To.z) + Job.Deepest) < Tol;
        if (final && !pieces.empty()) {
            std::vector<std::pair<double, double>> pts{{pieces[0].X0, pieces[0].Y0}};
            for (const TPiece& p : pieces) pts.emplace_back(p.X1, p.Y1);
            finals[m.Tool].push_back(g.Line(pts));
        }
    }
    GEOSPreparedGeom_destroy_r(g.H, partP);
    char b[200];
    if (rep.Gouge > tol) {
        std::snprintf(b, sizeof b, "the tool enters the part by %.4f mm at ", rep.Gouge);
        rep.Faults.push_back(b + rep.GougeAt);
    }
    if (std::fabs(rep.Lowest + Job.Deepest) > Tol) {
        std::snprintf(b, sizeof b, "the lowest Z is %.4f, the deepest pass %.4f", rep.Lowest, -Job.Deepest);
        rep.Faults.push_back(b);
    }
    if (!Job.Cover && !Job.Walls) return rep;

    // What the tools cut at the deepest pass, and what a tool of the smallest of their
    // radii can reach of the waste.
    GEOSGeometry* cut = nullptr;
    GEOSGeometry* reach = nullptr;  // the cut at radius + 0.001: the walls it touches
    double rMin = 1e9;
    for (const auto& [tool, shape] : Job.Tools) rMin = std::min(rMin, shape.RadiusAt(Job.Deepest));
    for (auto& [tool, lines] : finals) {
        const double r = Job.Tools.at(tool).RadiusAt(Job.Deepest);
        GEOSGeometry* ls = g.Lines(lines);
        GEOSGeometry* c = g.Buffer(ls, r);
        GEOSGeometry* w = g.Buffer(ls, r + Tol, 2 * Quad);
        cut = cut ? g.Union(cut, c) : c;
        reach = reach ? g.Union(reach, w) : w;
    }
    if (!cut) {
        rep.Faults.push_back("nothing is cut at the deepest pass");
        return rep;
    }
    GEOSGeometry* room = Job.Allowance > 0 ? g.Buffer(waste, -Job.Allowance) : waste;
    GEOSGeometry* core = g.Buffer(room, -rMin);
    if (Job.Cover) {
        GEOSGeometry* reachable = g.Buffer(core, rMin - 2 * Tol);
        GEOSGeometry* uncut = g.Minus(reachable, cut);
        rep.UncutArea = g.Area(uncut);
        if (rep.UncutArea > 1e-4) {
            double x = 0, y = 0;
            GEOSGeometry* c = g.Keep(GEOSGetCentroid_r(g.H, uncut));
            GEOSGeomGetX_r(g.H, c, &x);
            GEOSGeomGetY_r(g.H, c, &y);
            std::snprintf(b, sizeof b, "%.5f mm² of the reachable region stays uncut (around %.3f %.3f)", rep.UncutArea,
                          x, y);
            rep.Faults.push_back(b);
        }
    }
    if (Job.Walls) {
        // The walls the tool can touch: the outline of what it can reach, without the
        // frame of the world.
        GEOSGeometry* reachable = g.Buffer(core, rMin);
        GEOSGeometry* edge = g.Keep(GEOSBoundary_r(g.H, reachable));
        GEOSGeometry* frame = g.Buffer(g.Keep(GEOSBoundary_r(g.H, world)), far / 2);
        GEOSGeometry* walls = g.Minus(edge, frame);
        rep.UncutWall = g.Length(g.Minus(walls, reach));
        if (rep.UncutWall > 0.01) {
            std::snprintf(b, sizeof b, "%.4f mm of the reachable walls is not cut at radius + allowance", rep.UncutWall);
            rep.Faults.push_back(b);
        }
    }
    return rep;
}
