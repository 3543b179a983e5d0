// libFuzzer target: the job-file reader with every section asked for. A file that is
// not whole is refused and changes nothing; one that is read gives a sound drawing,
// and written and read again it gives the same records (numbers to 12 digits: arcs are
// kept in radians and written in degrees), the same settings block and the same
// operation list section.
// The replay test includes this file with KESTRILON_FUZZ_ENTRY_ONLY defined.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzReaders.h"
#include "FuzzTools.h"
#include "cam/CamOpFile.h"
#include "cam/CamOpList.h"
#include "formats/UniYDF.h"
#include "formats/UniYDFSections.h"
#include "shell/MainVars.h"

inline std::vector<std::string> FuzzYdfRecords() {
    std::vector<std::string> lines;
    for (const TObjHeader* p = MainVars.DataStart; p; p = p->Next) YdfObjectLines(p, "  ", false, lines);
    return lines;
}

// The operation list section as the job file holds it.
inline std::string FuzzYdfOps() {
    const std::string file = ProgramDir + "/Ops.txt";
    std::remove(file.c_str());
    std::string bytes;
    FUZZ_REQUIRE(CamOpsToFile(file) && ReadFileBytes(file, bytes));
    return bytes;
}

// While it lives, a job is saved without its tool sections.
struct TFuzzNoToolSections {
    decltype(SaveMillsetSection) Millset = SaveMillsetSection;
    decltype(SaveToolTechSection) Tech = SaveToolTechSection;
    decltype(SaveToolPlungesSection) Plunges = SaveToolPlungesSection;
    decltype(SaveToolOutsSection) Outs = SaveToolOutsSection;
    TFuzzNoToolSections() {
        SaveMillsetSection = nullptr;
        SaveToolTechSection = nullptr;
        SaveToolPlungesSection = nullptr;
        SaveToolOutsSection = nullptr;
    }
    ~TFuzzNoToolSections() {
        SaveMillsetSection = Millset;
        SaveToolTechSection = Tech;
        SaveToolPlungesSection = Plunges;
        SaveToolOutsSection = Outs;
    }
};

// Equal lines, where numbers (tokens between blanks and "=") may differ in the last digits.
inline bool FuzzSameRecords(const std::vector<std::string>& A, const std::vector<std::string>& B) {
    if (A.size() != B.size()) return false;
    auto tokens = [](const std::string& L) {
        std::vector<std::string> t(1);
        for (char c : L) {
            if (c == ' ' || c == '=') t.emplace_back();
            else t.back() += c;
        }
        return t;
    };
    for (size_t i = 0; i < A.size(); ++i) {
        if (A[i] == B[i]) continue;
        const std::vector<std::string> a = tokens(A[i]), b = tokens(B[i]);
        if (a.size() != b.size()) return false;
        for (size_t k = 0; k < a.size(); ++k) {
            Extended x = 0, y = 0;
            if (a[k] == b[k]) continue;
            if (!StrToExtCalc(a[k], x, false) || !StrToExtCalc(b[k], y, false)) return false;
            if (std::fabs(x - y) > 1e-12L * std::max<Extended>(1, std::fabs(x))) return false;
        }
    }
    return true;
}

// ProgramDir is set and exists; the settings are in their written form (the state
// FuzzStart made). Every section of the file is read; the round trip then checks the
// drawing, the settings and the operation list, written and read without the tool
// sections: each of those holds all 64 layer tools whatever the file held, and their
// own target checks their round trip.
inline void FuzzYdfFileFromStart(const std::string& Bytes) {
    FuzzWriteProgramFile("Fuzz.ydf", Bytes);
    InitCamOps();
    Osy mn, mx;
    const bool whole = YdfStructureProblem(SplitTextLines(Bytes)).empty();
    FUZZ_REQUIRE(LoadYdfFile(ProgramDir + "/Fuzz.ydf", true, true, mx, mn, true, true, true, true) == whole);
    if (!whole) {
        FUZZ_REQUIRE(MainVars.DataStart == nullptr && OpList.CamCnt == 0);
        return;
    }
    FUZZ_REQUIRE(CheckObjList(MainVars.DataStart, MainVars.DataEnd).empty());
    const std::vector<std::string> records = FuzzYdfRecords();
    const std::vector<std::string> settings = GlobalCfgLines(true);
    const std::string ops = FuzzYdfOps();
    {
        const TFuzzNoToolSections noTools;
        FUZZ_REQUIRE(SaveYdfFile(ProgramDir + "/Again.ydf", true, true));
    }
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    InitCamOps();
    FUZZ_REQUIRE(LoadYdfFile(ProgramDir + "/Again.ydf", false, true, mx, mn, false, false, false, true));
    FUZZ_REQUIRE(CheckObjList(MainVars.DataStart, MainVars.DataEnd).empty());
    FUZZ_REQUIRE(FuzzSameRecords(FuzzYdfRecords(), records));
    FUZZ_REQUIRE(GlobalCfgLines(true) == settings);
    FUZZ_REQUIRE(FuzzYdfOps() == ops);
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
}

// The same from any state: the dialogs' built-in number texts mix "," and ".", so the
// settings are brought into their written form first.
inline void FuzzYdfFile(const std::string& Bytes) {
    SetCfgDecimalSeparator(',');
    LinesToGlobalCfg(GlobalCfgLines(true));
    FuzzYdfFileFromStart(Bytes);
    ClearOpList(OpList);
}

#ifndef KESTRILON_FUZZ_ENTRY_ONLY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    // Every input leaves the start-up state behind it: only the first makes it here.
    static const bool started = (FuzzRestoreToolGlob(), true);
    (void)started;
    FuzzBeginInput(FuzzResetSettings);
    // The operation list is emptied by the next input's start.
    FuzzYdfFileFromStart(std::string(reinterpret_cast<const char*>(Data), Size));
    FuzzEndInput(FuzzResetSettings);
    FuzzRestoreToolGlob();
    return 0;
}
#endif
