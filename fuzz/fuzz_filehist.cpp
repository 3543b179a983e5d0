// libFuzzer target: the recent-files list "FileHist" and the text-file line splitter.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput(FuzzResetFileHist);
    FuzzFileHist(std::string(reinterpret_cast<const char*>(Data), Size));
    FuzzEndInput(FuzzResetFileHist);
    return 0;
}
