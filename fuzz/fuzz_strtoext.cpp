// libFuzzer target: typed numbers and points of the command line and the settings block.
// The parsers touch no global state, so the start-up state is set once.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/ResetState.h"
#include "fuzz/FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static const bool ready = [] {
        ResetAllState();
        return true;
    }();
    (void)ready;
    FuzzTypedNumber(std::string(reinterpret_cast<const char*>(Data), Size));
    return 0;
}
