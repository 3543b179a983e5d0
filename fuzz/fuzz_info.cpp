// libFuzzer target: the about box's file "Info" (contact lines "Email=" and "Phone=").
// Any bytes give captions of valid UTF-8; a value the file does not give keeps "-".
#include <cstddef>
#include <cstdint>
#include <string>

#include "commands/Help.h"
#include "fuzz/FuzzReaders.h"

namespace {

bool ValidUtf8(const std::string& S) {
    for (size_t i = 0; i < S.size();) {
        const auto c = uint8_t(S[i]);
        const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > S.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((uint8_t(S[i + k]) >> 6) != 2) return false;
        i += n;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzBeginInput(0);
    const std::string bytes(reinterpret_cast<const char*>(Data), Size);
    FuzzWriteProgramFile("Info", bytes);
    if (!HelpDialog) CreateHelpDialog();
    HelpDialog->LabEmailValue->Caption = HelpDialog->LabPhoneValue->Caption = "-";
    HelpDialog->Loadhelp();
    for (const TLabel* l : {HelpDialog->LabEmailValue, HelpDialog->LabPhoneValue}) {
        FUZZ_REQUIRE(ValidUtf8(l->Caption));
        FUZZ_REQUIRE(l->Caption.find('\n') == std::string::npos);
    }
    if (bytes.find("Email") == std::string::npos) FUZZ_REQUIRE(HelpDialog->LabEmailValue->Caption == "-");
    if (bytes.find("Phone") == std::string::npos) FUZZ_REQUIRE(HelpDialog->LabPhoneValue->Caption == "-");
    // The captions go back, so the input frees what it allocated.
    HelpDialog->LabEmailValue->Caption = HelpDialog->LabPhoneValue->Caption = "-";
    FuzzEndInput(0);
    return 0;
}
