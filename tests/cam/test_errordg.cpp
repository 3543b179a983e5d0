// The error list window.
#include "cam/ErrorDg.h"
#include "platform/ScriptResponder.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

class ErrorDgTest : public KestrilonTest {};

TEST_F(ErrorDgTest, ShowsLogsResizesAndClosesOnEscape) {
    CreateErrorDialog();
    TScriptResponder R;
    R.ExpectModal("ErrorDialog", [](TForm& F) {
        auto& D = static_cast<TErrorDialog&>(F);
        F.DoResize(400, 300);
        EXPECT_EQ(D.ErrorList->Height, 220);
        char32_t Esc = 27;
        D.ErrorList->OnKeyPress(Esc);
        return mrNone;
    });
    ShowErrorList({"first", "second"});
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:ErrorDG:first\r\nsecond"));
    EXPECT_EQ(ErrorDialog->ModalResult, mrCancel);
    EXPECT_TRUE(R.Done());
}

}  // namespace
