// libFuzzer target: the language file "Language/Language.ini" and a help text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    // Of the settings record the language file names only the special layers.
    FuzzBeginInput(FuzzResetTexts);
    Glob.TabLayer = FuzzStart().Glob.TabLayer;
    FuzzLanguageFile(std::string(reinterpret_cast<const char*>(Data), Size));
    FuzzEndInput(FuzzResetTexts);
    Glob.TabLayer = FuzzStart().Glob.TabLayer;
    return 0;
}
