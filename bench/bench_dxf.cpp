// DXF import of 10k, 100k and 1M entities (lines, arcs and light-weight polylines in
// equal parts), in entities per second with the growth fitted over the sizes; and side
// by side with dxflib reading the same file into a trivial callback, where both must
// see the same entities and the ratio ours/dxflib is reported.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "formats/UniDXF.h"
#include "shell/MainVars.h"

#ifdef HAVE_DXFLIB
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#endif

namespace {

// The file of N entities, written once per size into the temporary folder.
const std::string& DxfFile(int64_t N) {
    static std::map<int64_t, std::string> files;
    auto it = files.find(N);
    if (it != files.end()) return it->second;
    const std::string path =
        (std::filesystem::temp_directory_path() / ("kestrilon-bench-" + std::to_string(N) + ".dxf")).string();
    std::ofstream f(path, std::ios::binary);
    f << "0\r\nSECTION\r\n2\r\nENTITIES\r\n";
    char buf[512];
    for (int64_t k = 0; k < N; ++k) {
        const double x = double(k % 1000) * 20, y = double(k / 1000) * 20;
        switch (k % 3) {
            case 0:
                std::snprintf(buf, sizeof buf, "0\r\nLINE\r\n8\r\nT1\r\n10\r\n%.6f\r\n20\r\n%.6f\r\n11\r\n%.6f\r\n21\r\n%.6f\r\n",
                              x, y, x + 10, y + 5);
                break;
            case 1:
                std::snprintf(buf, sizeof buf,
                              "0\r\nARC\r\n8\r\nT2\r\n10\r\n%.6f\r\n20\r\n%.6f\r\n40\r\n4.5\r\n50\r\n15.0\r\n51\r\n160.0\r\n", x,
                              y);
                break;
            default:
                std::snprintf(buf, sizeof buf,
                              "0\r\nLWPOLYLINE\r\n8\r\nT3\r\n90\r\n4\r\n70\r\n1\r\n10\r\n%.6f\r\n20\r\n%.6f\r\n42\r\n0.4\r\n"
                              "10\r\n%.6f\r\n20\r\n%.6f\r\n10\r\n%.6f\r\n20\r\n%.6f\r\n10\r\n%.6f\r\n20\r\n%.6f\r\n",
                              x, y, x + 8, y, x + 8, y + 8, x, y + 8);
        }
        f << buf;
    }
    f << "0\r\nENDSEC\r\n0\r\nEOF\r\n";
    return files.emplace(N, path).first->second;
}

// Our reader building the whole drawing; returns the objects made.
int64_t ReadOurs(const std::string& File) {
    Osy mn, mx;
    LoadDxf(File, mn, mx);
    const int64_t n = CountObjs(MainVars.DataStart);
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    return n;
}

void BM_DxfImport(benchmark::State& State) {
    ResetAllState();
    const std::string& file = DxfFile(State.range(0));
    int64_t made = 0;
    for (auto _ : State) made = ReadOurs(file);
    if (made != State.range(0)) State.SkipWithError("not every entity was read");
    State.SetItemsProcessed(State.iterations() * State.range(0));
    State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_DxfImport)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Complexity();

#ifdef HAVE_DXFLIB
struct TCounter : DL_CreationAdapter {
    int64_t Entities = 0;
    void addLine(const DL_LineData&) override { ++Entities; }
    void addArc(const DL_ArcData&) override { ++Entities; }
    void addPolyline(const DL_PolylineData&) override { ++Entities; }
};

void BM_DxfSideBySide(benchmark::State& State) {
    ResetAllState();
    const std::string& file = DxfFile(State.range(0));
    double ours = 0, theirs = 0;
    int64_t made = 0, seen = 0;
    for (auto _ : State) {
        const auto t0 = std::chrono::steady_clock::now();
        made = ReadOurs(file);
        const auto t1 = std::chrono::steady_clock::now();
        TCounter c;
        DL_Dxf dxf;
        dxf.in(file, &c);
        const auto t2 = std::chrono::steady_clock::now();
        seen = c.Entities;
        ours += std::chrono::duration<double>(t1 - t0).count();
        theirs += std::chrono::duration<double>(t2 - t1).count();
    }
    if (made != seen || made != State.range(0)) State.SkipWithError("the readers saw different entities");
    State.counters["ours/dxflib"] = theirs > 0 ? ours / theirs : 0;
    State.counters["ours_s"] = ours / double(State.iterations());
    State.counters["dxflib_s"] = theirs / double(State.iterations());
}
BENCHMARK(BM_DxfSideBySide)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
