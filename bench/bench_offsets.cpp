// Offsets of closed profiles of N = 100 .. 100k segments, inside and outside, with the
// clean-up on: a gear, one polyline of N arcs, and a text-like set of small contours.
// With Clipper installed, the same profiles flattened to 0.001 mm chords are offset by
// ClipperOffset (round joins, arc tolerance 0.001 mm) in the same run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "core/Builder.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/UniGeom.h"
#include "core/UniNesting.h"
#include "core/UniPline.h"

#ifdef HAVE_CLIPPER
#include <polyclipping/clipper.hpp>
#endif

namespace {

constexpr Extended OffsDist = 0.3L;

struct TSeg {
    Osy E;
    Extended Alfa;
};

struct TProfile {
    Osy S;
    std::vector<TSeg> Segs;
};

// A gear of N / 4 teeth with a 2 mm pitch: flank, tip arc, flank, root arc.
TProfile Gear(int N) {
    const int teeth = N / 4;
    const Extended pitch = 2;
    const Extended rRoot = teeth * pitch / Geom2Pi, rTip = rRoot + 1;
    const Extended step = Geom2Pi / teeth;
    auto at = [](Extended r, Extended a) { return Osy{r * std::cos(a), r * std::sin(a)}; };
    TProfile p;
    p.S = at(rRoot, 0);
    for (int k = 0; k < teeth; ++k) {
        const Extended a0 = step * k;
        p.Segs.push_back({at(rTip, a0 + step * 0.1L), 0});
        p.Segs.push_back({at(rTip, a0 + step * 0.4L), 0.6L});
        p.Segs.push_back({at(rRoot, a0 + step * 0.5L), 0});
        p.Segs.push_back({k + 1 == teeth ? p.S : at(rRoot, a0 + step), -0.5L});
    }
    return p;
}

// A closed wavy ring of N arcs bulging out and in by turns, 1 mm chords.
TProfile ArcRing(int N) {
    const Extended r = N / Geom2Pi;
    TProfile p;
    p.S = {r, 0};
    for (int k = 1; k <= N; ++k) {
        const Extended a = Geom2Pi * k / N;
        p.Segs.push_back({k == N ? p.S : Osy{r * std::cos(a), r * std::sin(a)}, (k % 2) ? 1.0L : -1.0L});
    }
    return p;
}

// Letter-like contours of 16 segments on a 6 mm grid: an outline of a rounded glyph
// (four sides, four corner arcs, four notches of two lines each).
std::vector<TProfile> TextLike(int N) {
    std::vector<TProfile> v;
    const int count = N / 16 > 0 ? N / 16 : 1;
    const int cols = int(std::sqrt(double(count))) + 1;
    for (int k = 0; k < count; ++k) {
        const Extended x = 6.0L * (k % cols), y = 8.0L * (k / cols);
        TProfile p;
        p.S = {x + 1, y};
        auto add = [&](Extended dx, Extended dy, Extended a) { p.Segs.push_back({{x + dx, y + dy}, a}); };
        add(2, 0, 0), add(2.5L, 1, 0), add(3, 0, 0), add(4, 0, 0), add(5, 1, GeomPi2), add(5, 3, 0), add(4, 3.5L, 0),
            add(5, 4, 0), add(5, 6, 0), add(4, 7, GeomPi2), add(1, 7, 0), add(0, 6, GeomPi2), add(0, 4, 0),
            add(1, 3.5L, 0), add(0, 3, 0), add(1, 0, GeomPi2);
        v.push_back(p);
    }
    return v;
}

std::vector<TProfile> Profiles(int Kind, int N) {
    if (Kind == 0) return {Gear(N)};
    if (Kind == 1) return {ArcRing(N)};
    return TextLike(N);
}

TObjHeader* MakeRecord(const TProfile& p) {
    TObjHeader* r = AllocObj(PlineSizeFor(int32_t(p.Segs.size())), ObjPline);
    r->Layer = 1;
    AsPline(r)->S = p.S;
    for (size_t i = 0; i < p.Segs.size(); ++i) PlineSegs(r)[i] = {p.Segs[i].Alfa, p.Segs[i].E};
    EnPline.FindDir(r);
    return r;
}

// Args: kind (0 gear, 1 arcs, 2 text), N, inside (0/1).
void BM_Offset(benchmark::State& State) {
    ResetAllState();
    const int kind = int(State.range(0)), n = int(State.range(1));
    const bool inside = State.range(2) != 0;
    TObjHeader *s = nullptr, *e = nullptr;
    for (const TProfile& p : Profiles(kind, n)) AppendObj(MakeRecord(p), s, e);
    int64_t loops = 0;
    for (auto _ : State) {
        loops = 0;
        for (TObjHeader* p = s; p; p = p->Next) {
            TObjHeader *os = nullptr, *oe = nullptr;
            EnPline.GenOffsetClose(p, OffsDist, inside, true, os, oe, 1);
            loops += CountObjs(os);
            FreeObjList(os, oe);
        }
    }
    State.counters["loops"] = double(loops);
    State.SetComplexityN(n);
    FreeObjList(s, e);
}

void Args(benchmark::internal::Benchmark* B) {
    for (int kind : {0, 1, 2})
        for (int n : {100, 1000, 10000, 100000})
            for (int inside : {0, 1}) B->Args({kind, n, inside});
    B->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_Offset)->Apply(Args);

// Grouping N contours by nesting: plates of a square, a hole and an island each.
void BM_GroupByNesting(benchmark::State& State) {
    ResetAllState();
    const int n = int(State.range(0));
    auto square = [](Extended x, Extended y, Extended s, TObjHeader*& S, TObjHeader*& E) {
        TProfile p;
        p.S = {x, y};
        p.Segs = {{{x + s, y}, 0}, {{x + s, y + s}, 0}, {{x, y + s}, 0}, {{x, y}, 0}};
        AppendObj(MakeRecord(p), S, E);
    };
    const int plates = n / 3, cols = int(std::sqrt(double(plates))) + 1;
    int64_t groups = 0;
    for (auto _ : State) {
        State.PauseTiming();
        TObjHeader *s = nullptr, *e = nullptr;
        for (int k = 0; k < plates; ++k) {
            const Extended x = 12.0L * (k % cols), y = 12.0L * (k / cols);
            square(x, y, 10, s, e);
            square(x + 2, y + 2, 6, s, e);
            square(x + 4, y + 4, 2, s, e);
        }
        State.ResumeTiming();
        GroupByNesting(s, e, 1);
        groups = CountObjs(s);
        State.PauseTiming();
        FreeObjList(s, e);
        State.ResumeTiming();
    }
    State.counters["groups"] = double(groups);
}
BENCHMARK(BM_GroupByNesting)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

#ifdef HAVE_CLIPPER
constexpr double ClipScale = 1e5;  // 0.01 um units

// The profile with its arcs cut into chords deviating at most 0.001 mm.
ClipperLib::Path Flatten(const TProfile& p) {
    ClipperLib::Path path;
    auto put = [&](const Osy& q) {
        path.push_back({ClipperLib::cInt(std::llround(double(q.x) * ClipScale)),
                        ClipperLib::cInt(std::llround(double(q.y) * ClipScale))});
    };
    put(p.S);
    Osy prev = p.S;
    for (const TSeg& s : p.Segs) {
        if (std::fabs(s.Alfa) > CoordTol) {
            Osy C;
            Extended R;
            ArcCenter(prev, s.E, s.Alfa, C, R);
            const Extended q = (R - 0.001L) / R;
            const Extended step = 2 * std::acos(q);
            const int cnt = int(std::ceil(std::fabs(s.Alfa) / step));
            const Extended a0 = ArcStartAngle(prev, s.E, s.Alfa);
            for (int k = 1; k < cnt; ++k) {
                const Extended t = a0 + s.Alfa * k / cnt;
                put({C.x + R * std::cos(t), C.y + R * std::sin(t)});
            }
        }
        put(s.E);
        prev = s.E;
    }
    path.pop_back();  // the closing point repeats the start
    return path;
}

void BM_OffsetClipper(benchmark::State& State) {
    const int kind = int(State.range(0)), n = int(State.range(1));
    const bool inside = State.range(2) != 0;
    std::vector<ClipperLib::Path> paths;
    for (const TProfile& p : Profiles(kind, n)) paths.push_back(Flatten(p));
    int64_t loops = 0;
    size_t points = 0;
    for (const auto& p : paths) points += p.size();
    for (auto _ : State) {
        loops = 0;
        // One contour at a time, as the toolpath code offsets them.
        for (const auto& p : paths) {
            ClipperLib::ClipperOffset co;
            co.ArcTolerance = 0.001 * ClipScale;
            co.AddPath(p, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
            ClipperLib::Paths out;
            co.Execute(out, (inside ? -1 : 1) * double(OffsDist) * ClipScale);
            loops += int64_t(out.size());
        }
    }
    State.counters["loops"] = double(loops);
    State.counters["points"] = double(points);
}
BENCHMARK(BM_OffsetClipper)->Apply(Args);
#endif

}  // namespace
