// Opening and saving a job of 10k, 100k and 1M entities, each side by side with a floor
// measured in the same process on the same geometry:
// - open: the job file read back into the drawing against importing the DXF file the
//   job was made from (both must make the same objects); ratio = open / DXF import;
// - save: the job saved against the same bytes written from one prepared buffer through
//   the program's safe write (one write, fsync, rename); ratio = save / floor.
// Each size starts from a fresh state and a trimmed heap.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "BenchDxf.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/TextFile.h"
#include "formats/UniDXF.h"
#include "formats/UniYDF.h"
#include "shell/MainVars.h"

namespace {

using Clock = std::chrono::steady_clock;
double Secs(Clock::duration D) { return std::chrono::duration<double>(D).count(); }

std::string TempPath(const std::string& Name) {
    return (std::filesystem::temp_directory_path() / ("kestrilon-bench-" + Name)).string();
}

int64_t Drop() {
    const int64_t n = CountObjs(MainVars.DataStart);
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    return n;
}

// The job file of the DXF file's geometry, made by the program: import, then save.
const std::string& JobFile(int64_t N) {
    static std::map<int64_t, std::string> files;
    auto it = files.find(N);
    if (it != files.end()) return it->second;
    ResetAllState();
    Osy mn, mx;
    LoadDxf(DxfFile(N), mn, mx);
    const std::string path = TempPath(std::to_string(N) + ".ydf");
    SaveYdfFile(path, true, false);
    Drop();
    return files.emplace(N, path).first->second;
}

void FreshState() {
    ResetAllState();
    malloc_trim(0);
}

void BM_JobOpenVsDxf(benchmark::State& St) {
    const std::string& job = JobFile(St.range(0));
    const std::string& dxf = DxfFile(St.range(0));
    FreshState();
    double ours = 0, floor = 0;
    int64_t opened = 0, imported = 0;
    for (auto _ : St) {
        Osy mn, mx;
        const auto t0 = Clock::now();
        LoadYdfFile(job, true, true, mx, mn, true, true, true, true);
        const auto t1 = Clock::now();
        opened = Drop();
        const auto t2 = Clock::now();
        LoadDxf(dxf, mn, mx);
        const auto t3 = Clock::now();
        imported = Drop();
        ours += Secs(t1 - t0);
        floor += Secs(t3 - t2);
        St.SetIterationTime(Secs(t1 - t0));
    }
    if (opened != imported || opened != St.range(0)) St.SkipWithError("the job and the DXF file made different objects");
    St.counters["ours_ms"] = ours * 1000 / double(St.iterations());
    St.counters["dxf_ms"] = floor * 1000 / double(St.iterations());
    St.counters["ratio"] = floor > 0 ? ours / floor : 0;
    St.SetComplexityN(St.range(0));
}
BENCHMARK(BM_JobOpenVsDxf)
    ->Arg(10'000)->Arg(100'000)->Arg(1'000'000)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Complexity();

void BM_JobSaveVsWrite(benchmark::State& St) {
    const std::string& job = JobFile(St.range(0));
    FreshState();
    Osy mn, mx;
    LoadYdfFile(job, true, true, mx, mn, true, true, true, true);
    const std::string out = TempPath("save.ydf"), plain = TempPath("plain.ydf");
    double ours = 0, floor = 0;
    std::string bytes, written;
    for (auto _ : St) {
        const auto t0 = Clock::now();
        const bool ok = SaveYdfFile(out, true, false);
        const auto t1 = Clock::now();
        if (!ok || !ReadFileBytes(out, bytes)) {
            St.SkipWithError("the job was not saved");
            break;
        }
        const auto t2 = Clock::now();
        WriteFileSafe(plain, bytes);
        const auto t3 = Clock::now();
        ours += Secs(t1 - t0);
        floor += Secs(t3 - t2);
        St.SetIterationTime(Secs(t1 - t0));
    }
    Drop();
    if (!ReadFileBytes(plain, written) || written != bytes) St.SkipWithError("the floor wrote other bytes");
    St.counters["ours_ms"] = ours * 1000 / double(St.iterations());
    St.counters["write_ms"] = floor * 1000 / double(St.iterations());
    St.counters["ratio"] = floor > 0 ? ours / floor : 0;
    St.SetBytesProcessed(int64_t(St.iterations()) * int64_t(bytes.size()));
    St.SetComplexityN(St.range(0));
}
BENCHMARK(BM_JobSaveVsWrite)
    ->Arg(10'000)->Arg(100'000)->Arg(1'000'000)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
