// The new-job wizard through NEW: the stock outline it draws for each shape and origin,
// refused sizes, and opening a recent job.
#include <optional>

#include "core/Glob.h"
#include "core/UniPline.h"
#include "platform/ScriptResponder.h"
#include "shell/FileHist.h"
#include "shell/MainVars.h"
#include "shell/NewFileDg.h"
#include "support/CmdTest.h"

namespace {

class NewFileDgTest : public CmdTest {
protected:
    void SetUp() override {
        CmdTest::SetUp();
        H = std::make_unique<TCmdHarness>(Dir(), TCmdHarness::TStartUp::Program);
        Glob.ShowNewFileDg = true;
    }
    // NEW, the wizard worked by Script.
    void New(TScriptResponder::TModalScript Script, TScriptResponder* Outer = nullptr) {
        std::optional<TScriptResponder> Own;  // installs itself only when made
        if (!Outer) Own.emplace();
        TScriptResponder& R = Outer ? *Outer : *Own;
        R.ExpectModal("NewFileDialog", std::move(Script));
        H->Enter("NEW");
        EXPECT_TRUE(R.Done());
    }
    // Through the pages to the stock, shape and origin chosen, sizes typed.
    static void Describe(TForm& F, int Shape, int Origin, const char* X, const char* Y, const char* Z) {
        auto& W = static_cast<TNewFileDialog&>(F);
        W.BitBtnOk->Click();  // to the material page
        W.BitBtnOk->Click();  // to the stock page
        W.RGrStockShape->ChooseItem(Shape);
        W.Origin[Origin - 1]->Click();
        W.EditStockX->TypeText(X);
        W.EditStockY->TypeText(Y);
        W.EditStockZ->TypeText(Z);
    }
    static std::vector<TObjHeader*> Drawing() {
        std::vector<TObjHeader*> D;
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) D.push_back(p);
        return D;
    }
};

TEST_F(NewFileDgTest, StockOutlineByShapeAndOrigin) {
    const struct {
        int Shape, Origin;
        const char *X, *Y, *Z;
        Osy Min, Max;
        const char* Size;
        Osy3D Stock;
    } Cases[] = {
        {1, 5, "100", "50", "10", {-50, -25}, {50, 25}, "100x50x10", {100, 50, 10}},
        {1, 9, "20", "10", "-3", {-20, -10}, {0, 0}, "20x10x-3", {20, 10, -3}},
        {2, 1, "80", "20", "", {0, 0}, {80, 80}, "80x20", {80, 20, 0}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Size);
        New([&C](TForm& F) {
            Describe(F, C.Shape, C.Origin, C.X, C.Y, C.Z);
            static_cast<TNewFileDialog&>(F).BitBtnOk->Click();
            return F.ModalResult;
        });
        const auto D = Drawing();
        ASSERT_EQ(D.size(), 1u);
        EXPECT_EQ(D[0]->Layer, LayerMat);
        Osy Mn, Mx;
        EnPline.Envelope(D[0], Mn, Mx);
        EXPECT_NEAR(double(Mn.x), double(C.Min.x), 1e-9);
        EXPECT_NEAR(double(Mn.y), double(C.Min.y), 1e-9);
        EXPECT_NEAR(double(Mx.x), double(C.Max.x), 1e-9);
        EXPECT_NEAR(double(Mx.y), double(C.Max.y), 1e-9);
        EXPECT_EQ(Glob.SpolParObr.RozmerPolot, C.Size);
        EXPECT_EQ(Glob.StockSize.x, C.Stock.x);
        EXPECT_EQ(Glob.StockSize.y, C.Stock.y);
        EXPECT_EQ(Glob.StockSize.z, C.Stock.z);
        EXPECT_EQ(Glob.StockOrigin, C.Origin);
    }
}

TEST_F(NewFileDgTest, WrongSizeIsReportedAndACorrectionDrawsOneOutline) {
    TScriptResponder R;
    New(
        [&R](TForm& F) {
            Describe(F, 1, 1, "0", "50", "10");
            R.ExpectMessage(mrOk, "Špatně zadaný rozměr polotovaru X");
            auto& W = static_cast<TNewFileDialog&>(F);
            W.BitBtnOk->Click();
            EXPECT_EQ(F.ModalResult, mrNone);
            EXPECT_TRUE(MainVars.DataStart == nullptr);
            W.EditStockX->TypeText("abc");
            R.ExpectMessage(mrOk, "Špatně zadaný rozměr polotovaru X");
            W.BitBtnOk->Click();
            W.EditStockX->TypeText("30");
            W.BitBtnOk->Click();
            return F.ModalResult;
        },
        &R);
    EXPECT_EQ(Drawing().size(), 1u);
    EXPECT_TRUE(H->LogHas("Err:Wrong number: stock size X (0)"));
}

TEST_F(NewFileDgTest, NoStockDrawsNothing) {
    Glob.SpolParObr.RozmerPolot = "keep";
    New([](TForm& F) {
        Describe(F, 0, 1, "100", "50", "10");
        static_cast<TNewFileDialog&>(F).BitBtnOk->Click();
        return F.ModalResult;
    });
    EXPECT_TRUE(Drawing().empty());
    EXPECT_EQ(Glob.SpolParObr.RozmerPolot, "keep");
}

TEST_F(NewFileDgTest, RecentJobOpensOnDoubleClickAndNotWithoutARow) {
    // A job saved by the program lands in the recent-files list.
    EnPline.LineAdd({0, 0}, {7, 0}, 1, MainVars.DataStart, MainVars.DataEnd);
    const std::string Job = InDir("plate.ydf");
    {
        TScriptResponder R;
        R.ExpectSave(Job);
        H->Enter("SAVEAS");
        ASSERT_TRUE(R.Done());
    }
    ASSERT_FALSE(FileHist.empty());
    // "Open a recent job" without a row: refused, the wizard stays open.
    TScriptResponder R;
    New(
        [&R](TForm& F) {
            auto& W = static_cast<TNewFileDialog&>(F);
            W.RGrJobType->ChooseItem(1);  // "Otevřít nedávno uložený"
            R.ExpectMessage(mrOk, "Vyberte soubor");
            W.BitBtnOk->Click();
            EXPECT_EQ(F.ModalResult, mrNone);
            // A single click only selects; a double click opens.
            W.LBoxFileHist->ChooseItem(0);
            EXPECT_EQ(F.ModalResult, mrNone);
            W.LBoxFileHist->OnDblClick();
            return F.ModalResult;
        },
        &R);
    const auto D = Drawing();
    ASSERT_EQ(D.size(), 1u);
    EXPECT_EQ(Glob.JmSouboru, "plate");
    EXPECT_TRUE(H->LogHas("Usr:Select and Open file:" + Job));
}

}  // namespace
