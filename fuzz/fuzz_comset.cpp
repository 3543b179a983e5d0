// libFuzzer target: the command table file "ComSet.cfg".
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput(FuzzResetComTable);
    FuzzComSet(std::string(reinterpret_cast<const char*>(Data), Size));
    FuzzEndInput(FuzzResetComTable);
    return 0;
}
