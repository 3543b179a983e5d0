// libFuzzer target: the command table file "ComSet.cfg".
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput(FuzzResetComTable);
    // The menu is made once; each input finds its items without captions or shortcuts.
    static TForm* menu = [] {
        auto* m = new TForm("MainForm");
        FuzzMakeComSetMenu(*m);
        return m;
    }();
    FuzzComSetOn(std::string(reinterpret_cast<const char*>(Data), Size), *menu);
    FuzzClearComSetMenu(*menu);
    FuzzEndInput(FuzzResetComTable);
    return 0;
}
