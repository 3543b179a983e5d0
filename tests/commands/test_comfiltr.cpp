// FILTR on a drawing imported from a DXF file another library wrote: short segments,
// duplicates and arcs with their rungs go, and the operations that used them follow.
#include <cstdlib>
#include <vector>

#include "cam/CamOpList.h"
#include "commands/ComFiltr.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "platform/Controls.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;
using Adrs = std::vector<TObjHeader*>;

class ComFiltrTest : public CmdTest {
protected:
    // Imports the drawing through IMPORT; false when ezdxf is missing.
    bool Import() {
        const std::string File = InDir("plate.dxf");
        const std::string Cmd = "/usr/bin/python3 " KESTRILON_SOURCE_DIR "/tests/commands/filtr_dxf.py " + File;
        if (std::system(Cmd.c_str()) != 0) return false;
        StartWithContours(3);
        Glob.TabLayer[2].Show = true;
        Glob.AutoRegen = false;
        TScriptResponder R;
        R.ExpectOpen(File);
        R.ExpectModal("DxfInputDialog", [](TForm& F) {
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        H->Enter("IMPORT");
        return R.Done() && Drawing().size() == 8;
    }
    // FILTR over a window round everything, the dialog set by Set and closed with OK
    // (and a message box that contains Message, when given, answered).
    void Filter(const std::function<void(TForm&)>& Set, TScriptResponder& R, const char* Message = nullptr) {
        R.ExpectModal("FiltrDialog", [&](TForm& F) {
            Set(F);
            F.ClickButton("BitBtnOk");
            return mrOk;
        });
        if (Message) R.ExpectMessage(mrOk, Message);
        H->Enter("FILTR");
        H->Drag(-5, -5, 70, 15);
        H->Enter("");
    }
    static TObjHeader* Find(uint8_t Layer, Osy S, Osy E) {
        for (TObjHeader* p : Drawing())
            if (p->Layer == Layer && p->Type == ObjPline && AsPline(p)->S.x == S.x && AsPline(p)->S.y == S.y &&
                PlineEndPt(p).x == E.x && PlineEndPt(p).y == E.y)
                return p;
        return nullptr;
    }
};

TEST_F(ComFiltrTest, AllThreeFiltersOnImportedGeometryAndTheOperationsFollow) {
    if (!Import()) GTEST_SKIP() << "ezdxf (python3-ezdxf) is not available";
    const Adrs In = Drawing();
    TObjHeader* Contour = In[0];
    TObjHeader* Backwards = In[2];  // the second copy of the line: deleted
    TObjHeader* Arc = In[4];
    TObjHeader* Rung = In[5];
    ASSERT_EQ(PlineSegCount(Contour), 4);
    ASSERT_EQ(PlineSegCount(Arc), 1);
    CamOpAddParent(Contour, 0);
    CamOpAddParent(Backwards, 1);
    CamOpAddParent(Arc, 2);
    CamOpAddChild(Rung, 2);

    TScriptResponder R;
    Filter([](TForm& F) {
        F.Find<TEdit>("EditSmall")->Text = "0,5";
        F.Find<TCheckBox>("ChBoxArc")->Click();
    }, R);
    EXPECT_TRUE(R.Done());

    // Left: the line on T2 (never selected twice over layers), the rebuilt contour, one of
    // the two lines on T1, and the line from the centre that is shorter than the radius.
    const Adrs Out = Drawing();
    ASSERT_EQ(Out.size(), 4u);
    TObjHeader* Rebuilt = Find(1, {0, 0}, {20, 10});
    ASSERT_NE(Rebuilt, nullptr);
    ASSERT_EQ(PlineSegCount(Rebuilt), 3);
    EXPECT_EQ(PlineSegs(Rebuilt)[0].E.x, 10);
    EXPECT_EQ(PlineSegs(Rebuilt)[1].E.x, 20);
    TObjHeader* Kept = Find(1, {30, 0}, {40, 0});
    ASSERT_NE(Kept, nullptr);
    EXPECT_NE(Find(2, {30, 0}, {40, 0}), nullptr);
    EXPECT_NE(Find(1, {60, 0}, {63, 0}), nullptr);
    for (TObjHeader* p : Out) EXPECT_FALSE(p->Flags & FlagSelected);

    EXPECT_EQ(Parents(0), (Adrs{Rebuilt}));
    EXPECT_EQ(Parents(1), (Adrs{Kept}));
    EXPECT_TRUE(Parents(2).empty());
    EXPECT_TRUE(Childs(2).empty());
    for (int op = 0; op < 3; ++op) EXPECT_EQ(OpList.Cam[op].Status, 1) << op;  // queued, not current
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:Filter param:FilterShort:true, ShortLen:0,5 DeleteDuplicit:true "
                                    "DuplicityDetect:Same layer DeleteArcRungs:true"));
    EXPECT_EQ(NewLog().back(), "Sys:ComFilter End");
}

TEST_F(ComFiltrTest, DuplicatesOverAnyLayerKeepTheFirstInListOrder) {
    if (!Import()) GTEST_SKIP() << "ezdxf (python3-ezdxf) is not available";
    TObjHeader* First = Drawing()[1];
    TScriptResponder R;
    Filter([](TForm& F) {
        F.Find<TCheckBox>("ChBoxSmall")->Click();  // off
        F.Find<TRadioButton>("RBtnAnyLayer")->Click();
    }, R);
    const Adrs Out = Drawing();
    ASSERT_EQ(Out.size(), 6u);
    EXPECT_EQ(Find(2, {30, 0}, {40, 0}), nullptr);
    EXPECT_EQ(Find(1, {30, 0}, {40, 0}), First);
}

// A limit that is no number is refused before anything changes: the drawing, the links
// and the statuses stay, the user is told, and the next FILTR runs normally.
TEST_F(ComFiltrTest, ARefusedLimitChangesNothing) {
    if (!Import()) GTEST_SKIP() << "ezdxf (python3-ezdxf) is not available";
    const Adrs In = Drawing();
    CamOpAddParent(In[0], 0);
    CamOpAddParent(In[2], 1);
    TScriptResponder R;
    Filter([](TForm& F) {
        F.Find<TEdit>("EditSmall")->Text = "abc";
        F.Find<TCheckBox>("ChBoxArc")->Click();
    }, R, "špatné");
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(Drawing(), In);
    EXPECT_EQ(Parents(0), (Adrs{In[0]}));
    EXPECT_EQ(Parents(1), (Adrs{In[2]}));
    EXPECT_EQ(OpList.Cam[0].Status, 0);
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong filter length (abc)"));

    Filter([](TForm& F) { F.Find<TEdit>("EditSmall")->Text = "5"; }, R);  // read as 1 mm
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(Drawing().size(), 4u);  // the arc filter stays ticked from before
    EXPECT_EQ(OpList.Cam[0].Status, 1);
    EXPECT_EQ(OpList.Cam[1].Status, 1);
}

// Copies that differ by less than the tolerance are found though their corners fall
// into neighbouring cells of the candidate grid (a millimetre's thousandth wide).
TEST_F(ComFiltrTest, DuplicatesAcrossTheEdgesOfTheCandidateCells) {
    struct Case {
        const char* Name;
        Osy A, B;  // the starts of the two copies
        size_t Left;
    };
    const Extended h = 4e-10L;
    const std::vector<Case> Cases = {
        {"across an edge in x", {0.001L - h, 5}, {0.001L + h, 5}, 1},
        {"across an edge in y below zero", {7, -0.002L + h}, {7, -0.002L - h}, 1},
        {"across a cell corner", {0.003L + h, 0.004L - h}, {0.003L - h, 0.004L + h}, 1},
        {"farther apart than the tolerance", {0.001L - 2e-6L, 5}, {0.001L + 2e-6L, 5}, 2},
    };
    Start();
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
        for (const Osy& P : {C.A, C.B}) {
            EnPline.LineAdd(P, {P.x + 10, P.y + 3}, 1, MainVars.DataStart, MainVars.DataEnd);
            MainVars.DataEnd->Flags |= FlagSelected;
        }
        TFiltrParams P;
        P.Short = false;
        ASSERT_TRUE(RunFilters(P));
        EXPECT_EQ(Drawing().size(), C.Left);
    }
}

}  // namespace
