// G-code export and import of jobs with 1k, 10k, 100k and 1M segments: bytes of ".nc"
// per second; the cost must grow linearly with the segments. The export is measured
// against its floor, the same bytes written from a prepared buffer through the
// program's safe write (ratio = export / floor).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/TextFile.h"
#include "output/GcodeProfiles.h"
#include "output/GcodeRead.h"
#include "output/NcOut.h"
#include "shell/MainVars.h"
#include "tools/ToolDg.h"
#include "tools/ToolLibFile.h"
#include "tools/UniTType.h"

namespace {

// Polylines of 1000 segments each, zigzag lines with every fourth segment an arc.
void MakeJob(int64_t Segments) {
    ResetAllState();
    static const std::string dir = [] {
        const auto d = std::filesystem::temp_directory_path() / "kestrilon-bench-nc";
        std::filesystem::create_directories(d);
        return d.string();
    }();
    Glob.ProgramDir = dir;
    WriteGcodeProfileFiles(dir);
    InitMaterial();
    InitToolLib();
    InitTool();
    InitToolType();
    for (TLayer& l : Glob.TabLayer) l.Show = true;
    for (int64_t done = 0, row = 0; done < Segments; ++row) {
        const int32_t n = int32_t(std::min<int64_t>(1000, Segments - done));
        TObjHeader* r = AllocObj(PlineSizeFor(n), ObjPline);
        r->Layer = 1;
        AsPline(r)->S = Osy{0, Extended(row)};
        for (int32_t i = 0; i < n; ++i)
            PlineSegs(r)[i] = TPlineSeg{i % 4 == 3 ? 0.5L : 0, Osy{Extended(i + 1) * 0.5L, row + (i % 2) * 0.3L}};
        AppendObj(r, MainVars.DataStart, MainVars.DataEnd);
        done += n;
    }
}

std::string Target() { return Glob.ProgramDir + "/bench.nc"; }

void BM_ExportNc(benchmark::State& State) {
    MakeJob(State.range(0));
    int64_t bytes = 0;
    double ours = 0, floor = 0;
    std::string text;
    const std::string plain = Glob.ProgramDir + "/plain.nc";
    for (auto _ : State) {
        const auto t0 = std::chrono::steady_clock::now();
        SaveNc(Target(), true);
        const auto t1 = std::chrono::steady_clock::now();
        ReadFileBytes(Target(), text);
        const auto t2 = std::chrono::steady_clock::now();
        WriteFileSafe(plain, text);
        const auto t3 = std::chrono::steady_clock::now();
        ours += std::chrono::duration<double>(t1 - t0).count();
        floor += std::chrono::duration<double>(t3 - t2).count();
        State.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        bytes += int64_t(text.size());
    }
    State.SetBytesProcessed(bytes);
    State.counters["ours_ms"] = 1000 * ours / double(State.iterations());
    State.counters["floor_ms"] = 1000 * floor / double(State.iterations());
    State.counters["ratio"] = floor > 0 ? ours / floor : 0;
    State.SetComplexityN(State.range(0));
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
}
BENCHMARK(BM_ExportNc)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond)->Complexity();

void BM_ImportNc(benchmark::State& State) {
    MakeJob(State.range(0));
    SaveNc(Target(), true);
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    std::string text;
    ReadFileBytes(Target(), text);
    for (auto _ : State) {
        TObjHeader *s = nullptr, *e = nullptr;
        std::vector<std::string> errors;
        ReadNcText(text, s, e, errors);
        FreeObjList(s, e);
    }
    State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ImportNc)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
