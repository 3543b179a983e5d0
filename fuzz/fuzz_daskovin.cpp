// libFuzzer target: the dial-face generator's measuring protocol, read and, when taken,
// generated into the drawing (while ticks times zones stay within 24: the reader still
// takes every protocol, and a larger dial runs the same code only more often).
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    // The reader and the generator touch only the drawing, the text parameters and the
    // log, which every input gets back.
    FuzzBeginInput(0);
    FuzzDaskovinProtocolUpTo(std::string(reinterpret_cast<const char*>(Data), Size), 8);
    FuzzEndInput(0);
    return 0;
}
