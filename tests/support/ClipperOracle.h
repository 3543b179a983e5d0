// Clipper 1 as the judge of offsets: a closed polyline's arcs cut into chords that
// stray at most 0.001 mm, scaled to integer nanometres, offset with round joins at
// the same arc tolerance; and the enclosed area of both sides. Header-only, so the
// offset benchmark shares it.
#pragma once
#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <cmath>

#include "core/ObjRecords.h"
#include "core/UniGeom.h"

namespace oracle {

constexpr double ClipScale = 1e6;  // units per mm
constexpr double ArcTol = 0.001;   // mm

// Chords of a closed polyline (the closing point not repeated).
inline ClipperLib::Path Flatten(const TObjHeader* P) {
    ClipperLib::Path path;
    auto put = [&](const Osy& q) {
        path.push_back({ClipperLib::cInt(std::llround(double(q.x) * ClipScale)),
                        ClipperLib::cInt(std::llround(double(q.y) * ClipScale))});
    };
    Osy prev = AsPline(P)->S;
    put(prev);
    const TPlineSeg* seg = PlineSegs(P);
    for (int32_t i = 0, n = PlineSegCount(P); i < n; ++i) {
        const Extended a = seg[i].Alfa;
        if (std::fabs(a) > CoordTol) {
            Osy C;
            Extended R;
            ArcCenter(prev, seg[i].E, a, C, R);
            const double q = R > ArcTol ? 1 - ArcTol / double(R) : -1;
            const double step = 2 * std::acos(q);
            const int cnt = std::max(1, int(std::ceil(std::fabs(double(a)) / step)));
            const Extended a0 = ArcStartAngle(prev, seg[i].E, a);
            for (int k = 1; k < cnt; ++k) {
                const Extended t = a0 + a * k / cnt;
                put({C.x + R * std::cos(t), C.y + R * std::sin(t)});
            }
        }
        put(seg[i].E);
        prev = seg[i].E;
    }
    if (path.size() > 1 && path.front() == path.back()) path.pop_back();
    return path;
}

// The region enclosed by Path grown by Delta mm (shrunk when negative).
inline ClipperLib::Paths Offset(const ClipperLib::Path& Path, double Delta) {
    ClipperLib::ClipperOffset co;
    co.ArcTolerance = ArcTol * ClipScale;
    co.AddPath(Path, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
    ClipperLib::Paths out;
    co.Execute(out, Delta * ClipScale);
    return out;
}

// Net area in mm^2 (holes count negative).
inline double Area(const ClipperLib::Paths& Paths) {
    double a = 0;
    for (const auto& p : Paths) a += ClipperLib::Area(p);
    return a / (ClipScale * ClipScale);
}

// Signed area enclosed by a closed polyline, counter-clockwise positive: the chords'
// polygon plus the circular segment of every arc.
inline Extended PlineArea(const TObjHeader* P) {
    Extended a = 0;
    Osy s = AsPline(P)->S;
    const TPlineSeg* seg = PlineSegs(P);
    for (int32_t i = 0, n = PlineSegCount(P); i < n; ++i) {
        const Osy& e = seg[i].E;
        a += (s.x * e.y - e.x * s.y) / 2;
        const Extended al = seg[i].Alfa;
        if (std::fabs(al) > CoordTol) {
            const Extended r = Dist(s, e) / (2 * std::sin(std::fabs(al) / 2));
            const Extended m = std::fabs(al);
            a += (al > 0 ? 1 : -1) * r * r / 2 * (m - std::sin(m));
        }
        s = e;
    }
    return a;
}

// Length of a polyline.
inline Extended PlineLength(const TObjHeader* P) {
    Extended l = 0;
    Osy s = AsPline(P)->S;
    const TPlineSeg* seg = PlineSegs(P);
    for (int32_t i = 0, n = PlineSegCount(P); i < n; ++i) {
        const Extended al = std::fabs(seg[i].Alfa), c = Dist(s, seg[i].E);
        l += al > CoordTol ? c * al / (2 * std::sin(al / 2)) : c;
        s = seg[i].E;
    }
    return l;
}

}  // namespace oracle
