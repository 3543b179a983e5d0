// libFuzzer target: the job-file reader with every section asked for; the drawing it
// read must be sound, and written and read again it must give the same records.
// The replay test includes this file with KESTRILON_FUZZ_ENTRY_ONLY defined.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzReaders.h"
#include "cam/CamOpList.h"
#include "formats/UniYDF.h"
#include "shell/MainVars.h"

inline std::vector<std::string> FuzzYdfRecords() {
    std::vector<std::string> lines;
    for (const TObjHeader* p = MainVars.DataStart; p; p = p->Next) YdfObjectLines(p, "  ", false, lines);
    return lines;
}

// ProgramDir is set and exists.
inline void FuzzYdfFile(const std::string& Bytes) {
    FuzzWriteProgramFile("Fuzz.ydf", Bytes);
    Osy mn, mx;
    FUZZ_REQUIRE(LoadYdfFile(ProgramDir + "/Fuzz.ydf", true, true, mx, mn, true, true, true, true));
    FUZZ_REQUIRE(CheckObjList(MainVars.DataStart, MainVars.DataEnd).empty());
    const std::vector<std::string> first = FuzzYdfRecords();
    FUZZ_REQUIRE(SaveYdfFile(ProgramDir + "/Again.ydf", true, true));
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    FUZZ_REQUIRE(LoadYdfFile(ProgramDir + "/Again.ydf", false, false, mx, mn, false, false, false, false));
    FUZZ_REQUIRE(CheckObjList(MainVars.DataStart, MainVars.DataEnd).empty());
    FUZZ_REQUIRE(FuzzYdfRecords().size() == first.size());
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    ClearOpList(OpList);
}

#ifndef KESTRILON_FUZZ_ENTRY_ONLY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput();
    FuzzYdfFile(std::string(reinterpret_cast<const char*>(Data), Size));
    FuzzEndInput();
    return 0;
}
#endif
