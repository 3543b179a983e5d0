// libFuzzer target: the file "Style" that names the look of the windows. A name read is
// one line; saved by the settings dialog and read again, it is the same name. A file
// that names nothing keeps the style as it was.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzReaders.h"
#include "shell/SetDg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput(0);
    FuzzWriteProgramFile("Style", std::string(reinterpret_cast<const char*>(Data), Size));
    const std::string before = Glob.GuiStyle;
    if (StyleFileToGlob()) {
        const std::string name = Glob.GuiStyle;
        FUZZ_REQUIRE(!name.empty() && name.find('\n') == std::string::npos);
        FUZZ_REQUIRE(SetDialog && SetDialog->SaveStyle());
        Glob.GuiStyle = before;
        FUZZ_REQUIRE(StyleFileToGlob() && Glob.GuiStyle == name);
    } else {
        FUZZ_REQUIRE(Glob.GuiStyle == before);
    }
    Glob.GuiStyle = FuzzStart().Glob.GuiStyle;
    FuzzEndInput(0);
    return 0;
}
