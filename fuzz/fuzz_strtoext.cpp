// libFuzzer target: typed numbers and points of the command line and the settings block.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput();
    FuzzTypedNumber(std::string(reinterpret_cast<const char*>(Data), Size));
    FuzzEndInput();
    return 0;
}
