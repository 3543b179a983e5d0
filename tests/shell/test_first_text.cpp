// The first text a user writes: on a program folder laid out as the build lays it out,
// TEXT uses the built-in style; a style without height or font makes no text and the
// user is told.
#include <gtest/gtest.h>

#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/ResetState.h"
#include "shell/MainVars.h"
#include "core/Glob.h"
#include "shell/ProgramFolder.h"
#include "shell/SetCfg.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

std::vector<const TTextRec*> Texts() {
    std::vector<const TTextRec*> Out;
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
        if (p->Type == ObjText) Out.push_back(AsText(p));
    return Out;
}

class FirstTextTest : public KestrilonTest {
protected:
    // The folder step of the build: a reset program, then the folder laid out.
    void LayOutFolder() {
        ResetAllState();
        ASSERT_TRUE(WriteProgramFolderFiles(Dir()));
    }
};

TEST_F(FirstTextTest, TextOnALaidOutFolderHasTheBuiltInStyle) {
    LayOutFolder();
    TCmdHarness H(Dir(), TCmdHarness::TStartUp::Program);
    H.Enter("TEXT");
    H.Enter("10 20");
    H.Enter("Abc");
    const auto T = Texts();
    ASSERT_EQ(T.size(), 1u);
    EXPECT_EQ(double(T[0]->Vyska), 5.0);
    EXPECT_EQ(T[0]->JmFontu.Get(), "YF01.SHP");
    EXPECT_EQ(double(T[0]->WidthFactor), 1.0);
    EXPECT_EQ(double(DimTextStyle.Vyska), 5.0);
    EXPECT_EQ(DimTextStyle.JmFontu, "YF01.SHP");
}

TEST_F(FirstTextTest, AnEmptyStyleInDefaultCfgGivesWayToTheBuiltInOne) {
    LayOutFolder();
    // "Default.cfg" as the folder step wrote it before the styles had their defaults.
    TextStyle = ParText{};
    DimTextStyle = ParText{};
    Glob.ProgramDir = Dir();
    ASSERT_TRUE(WriteDefaultCfg());
    TCmdHarness H(Dir(), TCmdHarness::TStartUp::Program);
    H.Enter("TEXT");
    H.Enter("10 20");
    H.Enter("Abc");
    const auto T = Texts();
    ASSERT_EQ(T.size(), 1u);
    EXPECT_EQ(double(T[0]->Vyska), 5.0);
    EXPECT_EQ(T[0]->JmFontu.Get(), "YF01.SHP");
    EXPECT_EQ(double(DimTextStyle.Vyska), 5.0);
}

TEST_F(FirstTextTest, AStyleWithoutHeightOrFontMakesNoText) {
    struct TCase {
        Extended Height;
        const char* Font;
    };
    for (const TCase C : {TCase{0, "YF01.SHP"}, TCase{-2, "YF01.SHP"}, TCase{5, ""}}) {
        LayOutFolder();
        TCmdHarness H(Dir(), TCmdHarness::TStartUp::Program);
        TextStyle.Vyska = C.Height;
        TextStyle.JmFontu = C.Font;
        H.Enter("TEXT");
        H.Enter("10 20");
        H.Enter("Abc");
        EXPECT_TRUE(Texts().empty()) << double(C.Height) << " " << C.Font;
        EXPECT_TRUE(TCmdHarness::LogHas("Err:Text not made, height <= 0 or no font"));
        bool Told = false;
        for (const std::string& S : H.Responder().Shown) Told = Told || S.find("Text nebyl vytvořen") != std::string::npos;
        EXPECT_TRUE(Told);
    }
}

}  // namespace
