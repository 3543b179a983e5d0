// The object order commands TOSTART, TOEND, ONETOSTART, ONETOEND, TOPOS, ORIGTOFRONT and
// the re-pointing of operation links they run.
#include <map>
#include <sstream>
#include <vector>

#include "cam/CamOpList.h"
#include "commands/ComRegen.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;

class ComOrderTest : public CmdTest {
protected:
    std::map<const TObjHeader*, char> Names;
    std::map<char, TObjHeader*> Objs;

    // Builds the drawing from words "a1", "b1*": name, layer (a digit, 9 meaning 68),
    // selected when followed by "*"; "gN(m)" is a group whose header lies on layer N
    // holding one line on layer m. Active layer 1.
    void Build(const std::string& Spec) {
        Names.clear();
        Objs.clear();
        Glob.LayerDraw = 1;
        std::istringstream In(Spec);
        std::string W;
        while (In >> W) {
            auto Layer = [](char c) { return static_cast<uint8_t>(c == '9' ? 68 : c - '0'); };
            const Extended X = static_cast<Extended>(Objs.size());
            TObjHeader* p;
            if (W.size() >= 5 && W[2] == '(') {
                TObjHeader *S = nullptr, *E = nullptr;
                EnPline.LineAdd({X, 0}, {X, 1}, Layer(W[3]), S, E);
                p = MakeGroup(false, S, E);
                p->Layer = Layer(W[1]);
                AppendObj(p, MainVars.DataStart, MainVars.DataEnd);
            } else {
                EnPline.LineAdd({X, 0}, {X, 1}, Layer(W[1]), MainVars.DataStart, MainVars.DataEnd);
                p = MainVars.DataEnd;
            }
            if (W.back() == '*') p->Flags |= FlagSelected;
            Names[p] = W[0];
            Objs[W[0]] = p;
        }
    }
    std::string Order() const {
        std::string S;
        for (const TObjHeader* p = MainVars.DataStart; p; p = p->Next) S += Names.at(p);
        return S;
    }
    // The drawing's list is intact both ways.
    static bool Linked() {
        const TObjHeader* Prev = nullptr;
        for (const TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
            if (p->Prev != Prev) return false;
            Prev = p;
        }
        return Prev == MainVars.DataEnd;
    }
};

TEST_F(ComOrderTest, CommandsReorderTheDrawingList) {
    const struct {
        const char* Keyword;
        const char* Spec;
        const char* Input;  // TOPOS's position, else nullptr
        const char* Order;
    } Cases[] = {
        {"TOSTART", "a1* b1 c1*", nullptr, "cab"},
        {"TOSTART", "a1 b1* c1*", nullptr, "cba"},
        {"TOEND", "a1* b1 c1*", nullptr, "bac"},
        {"TOEND", "a1* b1*", nullptr, "ab"},
        {"ONETOSTART", "a1 x2 b1*", nullptr, "bxa"},
        {"ONETOSTART", "a1* x2 b1", nullptr, "axb"},      // the first stays first
        {"ONETOSTART", "a1 b1* c1*", nullptr, "bca"},     // a run moves together
        {"ONETOEND", "a1 b1*", nullptr, "ab"},            // the last stays last
        {"ONETOEND", "a1* x2 b1", nullptr, "bxa"},
        {"ONETOEND", "a1* b1* c1", nullptr, "cab"},       // a run moves together
        {"ONETOEND", "a1* g2(1) c2", nullptr, "gac"},     // the group holds a layer-1 line
        {"ONETOEND", "a1* g1(2) c1", nullptr, "cga"},     // this one does not
        {"TOPOS", "a1 b1 c1* d1 e1", "99", "abdec"},
        {"TOPOS", "a1 b1 c1* d1 e1", "1", "cabde"},
        {"TOPOS", "a1 b1 c1* d1 e1", "0", "cabde"},       // below 1: the first place
        {"TOPOS", "a1 x2 b1* c1*", "2", "acbx"},          // reverse order behind the anchor
        {"TOPOS", "a1* b1* x2", "9", "bax"},              // none remains: the start
    };
    for (const auto& C : Cases) {
        Start();
        Build(C.Spec);
        H->Enter(C.Keyword);
        H->Enter("");
        if (C.Input) H->Enter(C.Input);
        EXPECT_EQ(MainVars.ComCnt, -1) << C.Keyword << " " << C.Spec;
        EXPECT_EQ(Order(), C.Order) << C.Keyword << " " << C.Spec;
        EXPECT_TRUE(Linked()) << C.Keyword << " " << C.Spec;
        EXPECT_FALSE(MainVars.FileSaved);
        H.reset();
    }
}

TEST_F(ComOrderTest, ToPosRefusals) {
    const struct {
        const char* Spec;
        const char* Input;
        const char* Log;
    } Cases[] = {
        {"a1 b1*", "2.5", "Err:Wrong position (2.5)"},
        {"a1 b1*", "x", "Err:Wrong position (X)"},
        {"a1* x2", "1", "Sys:Low objects count, nothing to change"},
    };
    for (const auto& C : Cases) {
        Start();
        Build(C.Spec);
        const std::string Before = Order();
        Mark();
        Run({"TOPOS", "", C.Input});
        EXPECT_EQ(Order(), Before) << C.Input;
        const Lines L = NewLog();
        ASSERT_GE(L.size(), 2u);
        EXPECT_EQ(L[L.size() - 2], C.Log);
        EXPECT_EQ(L.back(), "Sys:ComToPos End");
        H.reset();
    }
}

TEST_F(ComOrderTest, MovedSourceGoesToTheEndOfItsLinksWithoutRegeneration) {
    Start();
    Build("a1 b1* c1");
    OpList.CamCnt = 1;
    OpList.Cam[0].OpType = 1;
    OpList.Cam[0].Status = 0;
    for (char n : {'b', 'a', 'c'}) CamOpAddParent(Objs[n], 0);
    Mark();
    Run({"TOSTART", ""});
    EXPECT_EQ(Order(), "bac");
    ASSERT_EQ(OpList.Cam[0].ParCnt, 3);
    EXPECT_EQ(OpList.Cam[0].Parents[2], Objs['b']);
    EXPECT_EQ(OpList.Cam[0].Status, 0);
    const Lines L = NewLog();
    EXPECT_EQ(L.front(), "Usr:TOSTART");
    EXPECT_EQ(L.back(), "Sys:ComToStart End");
    for (const auto& T : L) EXPECT_EQ(T.find("to regen"), std::string::npos) << T;
}

TEST_F(ComOrderTest, OrigToFrontMovesOrigLayerObjectsLast) {
    Start();
    Build("a9 b1 c9* d2");
    MainVars.FileSaved = true;
    Run({"ORIGTOFRONT"});
    EXPECT_EQ(Order(), "bdac");
    EXPECT_TRUE(Linked());
    EXPECT_TRUE(MainVars.FileSaved);
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:ComOrigToFront End"));
}

}  // namespace
