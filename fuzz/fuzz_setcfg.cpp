// libFuzzer target: the settings block reader ("Default.cfg" and the block inside a job file).
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput(FuzzResetSettings | FuzzResetGlob);
    FuzzSettingsBlockFromStart(std::string(reinterpret_cast<const char*>(Data), Size));
    FuzzEndInput(FuzzResetSettings | FuzzResetGlob);
    return 0;
}
