// G-code export and import of jobs with 1k, 100k and 1M segments: bytes of ".nc" per
// second; the cost must grow linearly with the segments.
#include <benchmark/benchmark.h>

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
    for (auto _ : State) {
        SaveNc(Target(), true);
        bytes += int64_t(std::filesystem::file_size(Target()));
    }
    State.SetBytesProcessed(bytes);
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
}
BENCHMARK(BM_ExportNc)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

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
