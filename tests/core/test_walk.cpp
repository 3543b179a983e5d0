// Selection, layer and envelope walks.
#include <gtest/gtest.h>

#include "core/Glob.h"
#include "core/UniPoint.h"
#include "core/UniWalk.h"
#include "test_pline_util.h"

using namespace pltest;

namespace {

class WalkTest : public PlineTest {
protected:
    // A group of the given records (not linked anywhere yet).
    static TObjHeader* Group(std::initializer_list<TObjHeader*> Members) {
        TObjHeader *s = nullptr, *e = nullptr;
        for (TObjHeader* m : Members) AppendObj(m, s, e);
        return MakeGroup(false, s, e);
    }
    static TObjHeader* Line(Osy a, Osy b, uint8_t Layer = 1) {
        TObjHeader* r = Poly({a, b});
        r->Layer = Layer;
        return r;
    }
    static bool Sel(const TObjHeader* p) { return (p->Flags & FlagSelected) != 0; }
};

TEST_F(WalkTest, SelectAllAndClearReachNestedMembers) {
    TObjHeader* inner = Line({0, 0}, {1, 1});
    TObjHeader* g = Add(Group({Line({0, 0}, {2, 0}), Group({inner})}));
    TObjHeader* last = Add(Line({5, 5}, {6, 6}));
    EXPECT_EQ(SelectAll(L), last);
    EXPECT_TRUE(Sel(g) && Sel(inner) && Sel(last));
    EXPECT_EQ(ClearSelection(L), last);
    EXPECT_FALSE(Sel(g) || Sel(inner) || Sel(last) || Sel(AsGroup(g)->First));
}

TEST_F(WalkTest, RestoreSelectionTogglesTheRememberedOnes) {
    TObjHeader* a = AddDrawing(Line({0, 0}, {1, 0}));
    TObjHeader* b = AddDrawing(Line({0, 1}, {1, 1}));
    a->Flags |= FlagSelected;
    SaveSelection();
    EXPECT_EQ(CountSavedSelection(), 1);
    ClearSelection(MainVars.DataStart);
    RestoreSelection();  // nothing selected: the remembered selection comes back
    EXPECT_TRUE(Sel(a));
    EXPECT_FALSE(Sel(b));
    RestoreSelection();  // still selected: cleared
    EXPECT_FALSE(Sel(a));
    EXPECT_EQ(CountSelection(), 0);
}

TEST_F(WalkTest, SelectByWindowPickTogglesOnlyTheFirstHit) {
    TObjHeader* a = AddDrawing(Line({10, 10}, {20, 10}));
    TObjHeader* b = AddDrawing(Line({10, 10}, {20, 20}));
    SelectByWindow({14.9L, 9.9L}, {15.1L, 10.6L}, 2);  // touches both near (15, 10)
    EXPECT_TRUE(Sel(a));
    EXPECT_FALSE(Sel(b));
    SelectByWindow({14.9L, 9.9L}, {15.1L, 15.1L}, 1);  // a pick toggles every hit
    EXPECT_FALSE(Sel(a));
    EXPECT_TRUE(Sel(b));
    SelectByWindow({0, 0}, {30, 15}, 0);  // a window takes only what lies inside
    EXPECT_TRUE(Sel(a));
    EXPECT_TRUE(Sel(b));
    EXPECT_EQ(CountSelection(), 2);
}

TEST_F(WalkTest, DeleteLayerObjsRemovesEmptiedGroupsAndKeepsCounts) {
    Add(Group({Line({0, 0}, {1, 0}, 2), Line({0, 1}, {1, 1}, 2)}));
    TObjHeader* keep = Line({0, 2}, {1, 2}, 1);
    TObjHeader* mixed = Add(Group({Line({0, 3}, {1, 3}, 2), keep}));
    Add(Line({5, 5}, {6, 6}, 2));
    EXPECT_FALSE(LayerIsEmpty(L, 2));
    DeleteLayerObjs(L, LE, 2);
    EXPECT_EQ(CheckObjList(L, LE), "");
    ASSERT_EQ(L, mixed);
    EXPECT_EQ(LE, mixed);
    EXPECT_EQ(AsGroup(mixed)->First, keep);
    EXPECT_EQ(AsGroup(mixed)->Count, 1);
    EXPECT_TRUE(LayerIsEmpty(L, 2));
}

TEST_F(WalkTest, LayersKindsAndDirections) {
    TObjHeader* sq = Poly({{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}});
    AsPline(sq)->PlineFlags = 0;
    Add(Group({sq}));
    TObjHeader* pt = EnPoint.Add({1, 1}, 3, L, LE);
    FindDirAll(L);
    EXPECT_EQ(AsPline(sq)->PlineFlags, PlineClosed | PlineCW);
    EXPECT_TRUE(HasObjOfType(ObjPline, 1, L));
    EXPECT_TRUE(HasObjOfType(ObjPoint, 3, L));
    EXPECT_FALSE(HasObjOfType(ObjPoint, 1, L));
    EXPECT_EQ(ChangeLayerObjs(L, 1, 4), pt);
    EXPECT_EQ(sq->Layer, 4);
    EXPECT_EQ(L->Layer, 1);  // the group header itself is not changed
}

TEST_F(WalkTest, SelEnvelopeOfTheSelection) {
    SelEnvelope();
    EXPECT_TRUE(Near(MainVars.SelEnv1, {10000, 10000}));
    EXPECT_TRUE(Near(MainVars.SelEnv3, {-10000, -10000}));
    TObjHeader* a = AddDrawing(Line({1, 2}, {5, 3}));
    EnPoint.Add({7, -1}, 1, MainVars.DataStart, MainVars.DataEnd)->Flags |= FlagSelected;
    AddDrawing(Line({50, 50}, {60, 60}));
    a->Flags |= FlagSelected;
    SelEnvelope();
    EXPECT_TRUE(Near(MainVars.SelEnv1, {1, -1}));
    EXPECT_TRUE(Near(MainVars.SelEnv2, {7, -1}));
    EXPECT_TRUE(Near(MainVars.SelEnv3, {7, 3}));
    EXPECT_TRUE(Near(MainVars.SelEnv4, {1, 3}));

    // Beyond 10 m the box is still the selection's own, not stretched to the start corners.
    ClearSelection(MainVars.DataStart);
    AddDrawing(Line({20000, 15000}, {20100, 15050}))->Flags |= FlagSelected;
    SelEnvelope();
    EXPECT_TRUE(Near(MainVars.SelEnv1, {20000, 15000}));
    EXPECT_TRUE(Near(MainVars.SelEnv3, {20100, 15050}));
}

TEST_F(WalkTest, CopySelObjectsRules) {
    Glob.TabLayer[5].Show = false;
    Glob.TabLayer[68].Show = false;
    TObjHeader* hidden = Add(Line({0, 0}, {1, 0}, 5));
    Add(Line({0, 1}, {1, 1}, 68));                   // layer 68 always counts as shown
    Add(Group({Line({0, 2}, {1, 2}, 1)}));          // members walked
    TObjHeader* pt = EnPoint.Add({3, 3}, 1, L, LE);  // only with Points
    TObjHeader *cs = nullptr, *ce = nullptr;
    EXPECT_EQ(CopySelObjects(L, true, false, false, cs, ce), pt);
    EXPECT_EQ(Count(cs), 2);
    FreeObjList(cs, ce);
    hidden->Flags |= FlagSelected;
    CopySelObjects(L, true, true, false, cs, ce);
    EXPECT_EQ(Count(cs), 4);
    EXPECT_EQ(CheckObjList(cs, ce), "");
    FreeObjList(cs, ce);
    // Only the selection without All; a remembered group gives its members.
    CopySelObjects(L, false, true, false, cs, ce);
    EXPECT_EQ(Count(cs), 1);
    FreeObjList(cs, ce);
    L->Next->Next->SavedFlags = FlagSelected;  // the group
    CopySavedSelObjects(L, cs, ce);
    EXPECT_EQ(Count(cs), 1);
    FreeObjList(cs, ce);
}

}  // namespace
