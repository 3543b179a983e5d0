// libFuzzer target: the dial-face generator's measuring protocol, read and, when taken,
// generated into the drawing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput();
    FuzzDaskovinProtocol(std::string(reinterpret_cast<const char*>(Data), Size));
    FuzzEndInput();
    return 0;
}
