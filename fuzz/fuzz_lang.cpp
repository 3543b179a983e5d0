// libFuzzer target: the language file "Language/Language.ini" and a help text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput();
    FuzzLanguageFile(std::string(reinterpret_cast<const char*>(Data), Size));
    FuzzEndInput();
    return 0;
}
