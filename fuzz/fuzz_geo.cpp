// libFuzzer target: the tool dialog's geometry file (".Geo"). Any bytes read without
// fault into a tool of finite sizes; its lines written, read onto a fresh tool and
// written again are the same lines.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/TextFile.h"
#include "fuzz/FuzzReaders.h"
#include "tools/ToolDialog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput(0);
    static TTool tool, again;
    tool = again = TTool{};
    GeoFileToTool(SplitTextLines(std::string(reinterpret_cast<const char*>(Data), Size)), tool);
    for (Extended v : {tool.SpodniPrumer, tool.Radius, tool.UhelSpicky, tool.HorniPrumer, tool.DelkaBritu})
        FUZZ_REQUIRE(std::isfinite(v));
    FUZZ_REQUIRE(tool.TID == -1);
    const std::vector<std::string> lines = GeoFileLines(tool);
    GeoFileToTool(lines, again);
    FUZZ_REQUIRE(GeoFileLines(again) == lines);
    FuzzEndInput(0);
    return 0;
}
