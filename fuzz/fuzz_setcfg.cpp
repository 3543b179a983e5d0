// libFuzzer target: the settings block reader ("Default.cfg" and the block inside a job file).
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzReaders.h"

// The start block read again gives back every setting a block can change: the rest of
// the settings record (its large tool tables above all) is not copied per input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput(FuzzResetSettings);
    FuzzSettingsBlockFromStart(std::string(reinterpret_cast<const char*>(Data), Size));
    FuzzEndInput(FuzzResetSettings);
    return 0;
}
