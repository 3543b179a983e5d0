// DXF as other CAD programs write it (drawings made by ezdxf): text control codes,
// declared units, paper space, styles without a font, what the import message counts,
// references on tilted planes; and our TrueType texts where other readers look for them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/IntFont.h"
#include "core/ObjRecords.h"
#include "core/UniText.h"
#include "core/ParText.h"
#include "formats/DxfOutDg.h"
#include "formats/UniDXF.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/Fixture.h"

namespace {

void Leaves(TObjHeader* First, std::vector<TObjHeader*>& Out) {
    for (TObjHeader* p = First; p; p = p->Next)
        if (p->Type == ObjGroup)
            Leaves(AsGroup(p)->First, Out);
        else
            Out.push_back(p);
}

bool Near(const Osy& A, Extended X, Extended Y) { return std::fabs(A.x - X) <= 1e-6L && std::fabs(A.y - Y) <= 1e-6L; }

class DxfWorldTest : public KestrilonTest {
protected:
    void TearDown() override {
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
        KestrilonTest::TearDown();
    }
    static bool HasVertex(uint8_t L, Extended X, Extended Y) {
        std::vector<TObjHeader*> v;
        Leaves(MainVars.DataStart, v);
        for (TObjHeader* p : v) {
            if (p->Layer != L || p->Type != ObjPline) continue;
            if (Near(AsPline(p)->S, X, Y)) return true;
            for (int32_t i = 0; i < PlineSegCount(p); ++i)
                if (Near(PlineSegs(p)[i].E, X, Y)) return true;
        }
        return false;
    }
    static TObjHeader* TextAt(uint8_t L, Extended X, Extended Y) {
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
            if (p->Layer == L && p->Type == ObjText && Near(AsText(p)->Origin, X, Y)) return p;
        return nullptr;
    }
};

TEST_F(DxfWorldTest, DrawingsOfOtherProgramsArriveAsTheirUsersSawThem) {
    const std::string out = InDir("w");
    const std::string cmd = "/usr/bin/python3 " KESTRILON_SOURCE_DIR "/tests/formats/dxf_world.py " + out;
    if (std::system(cmd.c_str()) != 0) GTEST_SKIP() << "ezdxf (python3-ezdxf) is not available";
    for (const char* name : {"codes", "inches", "paper", "nofont", "blocks", "tilted"}) {
        SCOPED_TRACE(name);
        const std::string base = out + "/" + name;
        std::ifstream ex(base + ".expect");
        ASSERT_TRUE(ex);
        std::vector<std::string> notes;
        std::string line;
        std::vector<std::string> expect;
        while (std::getline(ex, line))
            if (line.rfind("NOTE ", 0) == 0)
                notes.push_back(Utf8ToCp1250(line.substr(5)));
            else if (!line.empty())
                expect.push_back(line);
        TScriptResponder R;
        for (const std::string& n : notes) R.ExpectMessage(mrOk, Cp1250ToUtf8(n));
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
        Osy mn, mx;
        LoadDxf(base + ".dxf", mn, mx);
        for (const std::string& l : expect) {
            std::istringstream in(l);
            std::string what;
            int layer = 0;
            Extended x = 0, y = 0;
            in >> what;
            if (what == "COUNT") {
                int n = 0;
                in >> n;
                EXPECT_EQ(CountObjs(MainVars.DataStart), n);
                continue;
            }
            in >> layer >> x >> y;
            if (what == "VTX") EXPECT_TRUE(HasVertex(uint8_t(layer), x, y)) << l;
            if (what == "TEXT") {
                std::string s;
                in >> s;
                for (char& c : s)
                    if (c == '_') c = ' ';
                TObjHeader* t = TextAt(uint8_t(layer), x, y);
                ASSERT_NE(t, nullptr) << l;
                EXPECT_EQ(AsText(t)->Text.Get(), Utf8ToCp1250(s)) << l;
                EXPECT_FALSE(AsText(t)->JmFontu.Get().empty());
            }
        }
    }
}

// Another program places our left-aligned TrueType text at its insertion point (by code
// 10), not at the drawing origin; our reader still reads it there.
TEST_F(DxfWorldTest, OurTrueTypeTextsStandWhereOtherReadersLookForThem) {
    if (std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") != 0) GTEST_SKIP() << "no ezdxf";
    for (int l = 1; l <= LayerCount; ++l) Glob.TabLayer[l].Show = true;
    CreateDxfOutDialog();
    WorkText = ParText{};
    WorkText.Text = "Ab";
    WorkText.JmFontu = "DejaVu Sans";
    WorkText.Vyska = 5;
    WorkText.WidthFactor = 1;
    WorkText.Origin = Osy{30, 40};
    WorkText.Justify = JustifyTrueType;
    ASSERT_NE(EnText.Add(3, MainVars.DataStart, MainVars.DataEnd, false), nullptr);
    ASSERT_TRUE(IsTrueTypeText(MainVars.DataStart));
    ASSERT_TRUE(SaveDxf(InDir("tt.dxf"), true));
    const std::string cmd = "/usr/bin/python3 " KESTRILON_SOURCE_DIR "/tests/formats/dxf_check.py '" + InDir("tt.dxf") + "' > '" +
                            InDir("tt.txt") + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string r = ReadFile(InDir("tt.txt"));
    const size_t t = r.find("\nTEXT ");
    ASSERT_NE(t, std::string::npos) << r;
    std::istringstream in(r.substr(t + 6));
    std::string layer;
    double x = 0, y = 0;
    in >> layer >> x >> y;
    EXPECT_NEAR(x, 30, 1e-9);
    EXPECT_NEAR(y, 40, 1e-9);
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    TScriptResponder R;
    R.ExpectMessage(mrOk, "YF01");  // no text dialog here to know the system's TrueType faces
    Osy mn, mx;
    LoadDxf(InDir("tt.dxf"), mn, mx);
    ASSERT_NE(TextAt(3, 30, 40), nullptr);
}

}  // namespace
