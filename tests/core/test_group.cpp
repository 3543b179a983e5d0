// The group entity: window and crossing selection, member counts, copies, nested
// transforms, non-proportional scaling, envelopes, layer searches and drawing.
#include <gtest/gtest.h>

#include <vector>

#include "core/IntFont.h"
#include "core/ParText.h"
#include "core/UniGroup.h"
#include "core/UniText.h"
#include "core/UniLog.h"
#include "core/UniPoint.h"
#include "core/UniSpace.h"
#include "test_pline_util.h"

namespace {

using pltest::Near;

TObjHeader* Pt(Extended x, Extended y, uint8_t Layer = 1) {
    TObjHeader* r = AllocObj(PointRecSize, ObjPoint);
    r->Layer = Layer;
    AsPoint(r)->S = {x, y};
    return r;
}

// A 3D polyline of one segment from S to E.
TObjHeader* Sp(Osy3D S, Osy3D E, Extended Alfa = 0, uint8_t Layer = 1) {
    TObjHeader* r = AllocObj(Pline3DSizeFor(1), ObjPline3D);
    r->Layer = Layer;
    AsPline3D(r)->S = S;
    Pline3DSegs(r)[0] = {Alfa, E};
    return r;
}

// Wraps the records into a new unlinked group.
TObjHeader* Grp(const std::vector<TObjHeader*>& Members) {
    TObjHeader *s = nullptr, *e = nullptr;
    for (TObjHeader* m : Members) AppendObj(m, s, e);
    return MakeGroup(false, s, e);
}

std::vector<TObjHeader*> Members(TObjHeader* g) {
    std::vector<TObjHeader*> v;
    for (TObjHeader* m = AsGroup(g)->First; m; m = m->Next) v.push_back(m);
    return v;
}

bool Sel(const TObjHeader* p) { return (p->Flags & FlagSelected) != 0; }

Osy XY(const Osy3D& P) { return {P.x, P.y}; }

class GroupTest : public pltest::PlineTest {};

TEST_F(GroupTest, WindowAndCrossingSelection) {
    TObjHeader* g = Add(Grp({Pt(10, 10), Pt(20, 20), Sp({30, 10, 0}, {40, 10, -1})}));
    struct Step {
        const char* Name;
        Osy Min, Max;
        bool Window;
        bool Flips;  // RawSelect's answer beforehand
        bool After;
    } Steps[] = {
        {"window around all", {5, 5}, {45, 25}, true, true, true},
        {"window around all again", {5, 5}, {45, 25}, true, true, false},
        // The 3D polyline reaches beyond x = 35: the group stays as it is.
        {"window missing one member", {5, 5}, {35, 25}, true, false, false},
        {"crossing touching one member", {9, 9}, {11, 11}, false, true, true},
        {"crossing touching nothing", {50, 50}, {60, 60}, false, false, true},
        {"crossing across the 3D polyline", {35, 0}, {36, 20}, false, true, false},
    };
    for (const Step& s : Steps) {
        SCOPED_TRACE(s.Name);
        EXPECT_EQ(EnGroup.RawSelect(g, s.Min, s.Max, s.Window), s.Flips);
        EXPECT_EQ(EnGroup.Select(g, s.Min, s.Max, s.Window), s.After);
        EXPECT_EQ(Sel(g), s.After);
        // Members caught were toggled one by one and then took the group's state again.
        for (TObjHeader* m : Members(g)) EXPECT_EQ(Sel(m), s.After);
    }
}

TEST_F(GroupTest, RawSelectChangesNothing) {
    TObjHeader* g = Add(Grp({Pt(10, 10), Grp({Pt(20, 20)})}));
    Canv.Reset();
    EXPECT_TRUE(EnGroup.RawSelect(g, {5, 5}, {25, 25}, true));
    EXPECT_FALSE(EnGroup.RawSelect(g, {5, 5}, {15, 15}, true));
    EXPECT_TRUE(EnGroup.RawSelect(g, {5, 5}, {15, 15}, false));
    EXPECT_FALSE(Sel(g));
    for (TObjHeader* m : Members(g)) EXPECT_FALSE(Sel(m));
    EXPECT_TRUE(Canv.Ops.empty());
}

TEST_F(GroupTest, CountAlwaysMatchesTheMembers) {
    TObjHeader* g = Add(Grp({Pt(10, 10), Pt(20, 20), Pt(30, 30)}));
    EXPECT_EQ(AsGroup(g)->Count, 3);
    // A stale count must not keep a window from catching the whole group.
    AsGroup(g)->Count = 7;
    EXPECT_TRUE(EnGroup.Select(g, {0, 0}, {40, 40}, true));
    EXPECT_EQ(AsGroup(g)->Count, 3);

    AsGroup(g)->Count = 1;
    TObjHeader* c = EnGroup.Copy(g, {1, 0}, L, LE);
    EXPECT_EQ(AsGroup(c)->Count, 3);
    EXPECT_EQ(EnGroup.UpdateCount(g), 3);

    // A window around all but one member: the group's count decides, not a stale one.
    AsGroup(g)->Count = 2;
    EXPECT_FALSE(EnGroup.Select(g, {0, 0}, {25, 25}, true));
    EXPECT_EQ(CheckObjList(L, LE), "");
}

TEST_F(GroupTest, CopyKeepsLayerFlagsAndCount) {
    TObjHeader* inner = Grp({Pt(1, 1), Sp({2, 2, -1}, {3, 2, -2})});
    TObjHeader* g = Add(Grp({Pt(0, 0), inner}));
    g->Layer = 5;
    g->Flags |= FlagSelected;
    g->SavedFlags = 2;

    TObjHeader* c = EnGroup.Copy(g, {10, 20}, L, LE);
    EXPECT_EQ(LE, c);
    EXPECT_EQ(c->Type, ObjGroup);
    EXPECT_EQ(c->Layer, 5);
    EXPECT_FALSE(Sel(g));
    EXPECT_FALSE(Sel(c));
    EXPECT_EQ(c->SavedFlags, 0);
    EXPECT_EQ(AsGroup(c)->Count, 2);
    auto cm = Members(c);
    ASSERT_EQ(cm.size(), 2u);
    EXPECT_NE(cm[0], Members(g)[0]);
    EXPECT_TRUE(Near(AsPoint(cm[0])->S, {10, 20}));
    ASSERT_EQ(cm[1]->Type, ObjGroup);
    EXPECT_EQ(AsGroup(cm[1])->Count, 2);
    auto im = Members(cm[1]);
    EXPECT_TRUE(Near(AsPoint(im[0])->S, {11, 21}));
    EXPECT_TRUE(Near(XY(Pline3DSegs(im[1])[0].E), {13, 22}));
    EXPECT_EQ(Pline3DSegs(im[1])[0].E.z, -2);
    // The source is untouched.
    EXPECT_TRUE(Near(AsPoint(Members(g)[0])->S, {0, 0}));

    g->Flags |= FlagSelected;
    TObjHeader* i = EnGroup.CopyIdent(g, L, LE);
    EXPECT_EQ(i->Layer, 5);
    EXPECT_EQ(i->SavedFlags, 2);
    EXPECT_EQ(AsGroup(i)->Count, 2);
    EXPECT_TRUE(Near(AsPoint(Members(i)[0])->S, {0, 0}));
    EXPECT_EQ(CheckObjList(L, LE), "");
}

TEST_F(GroupTest, NestedTransformsReachEveryMember) {
    TObjHeader* sp = Sp({1, 0, -1}, {2, 0, -2}, 0.5L);
    TObjHeader* pt = Pt(1, 1);
    TObjHeader* inner = Grp({sp});
    TObjHeader* g = Add(Grp({pt, inner}));
    struct Case {
        const char* Name;
        void (*Op)(TObjHeader*);
        Osy Pt, SpStart;
        Extended Alfa;
    } Cases[] = {
        {"Move", [](TObjHeader* p) { EnGroup.Move(p, {1, 2}); }, {2, 3}, {2, 2}, 0.5L},
        {"Rotate", [](TObjHeader* p) { EnGroup.Rotate(p, {0, 0}, GeomPi); }, {-2, -3}, {-2, -2}, 0.5L},
        {"Scale", [](TObjHeader* p) { EnGroup.Scale(p, {0, 0}, 2); }, {-4, -6}, {-4, -4}, 0.5L},
        {"Mirror", [](TObjHeader* p) { EnGroup.Mirror(p, {0, 0}, {1, 0}); }, {-4, 6}, {-4, 4}, -0.5L},
        {"RawMove", [](TObjHeader* p) { EnGroup.RawMove(p, {4, -6}); }, {0, 0}, {0, -2}, -0.5L},
        {"RawMirror", [](TObjHeader* p) { EnGroup.RawMirror(p, {0, 0}, {0, 1}); }, {0, 0}, {0, -2}, 0.5L},
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.Name);
        g->Flags |= FlagSelected;
        inner->Flags |= FlagSelected;
        c.Op(g);
        EXPECT_TRUE(Near(AsPoint(pt)->S, c.Pt, 1e-15L));
        EXPECT_TRUE(Near(XY(AsPline3D(sp)->S), c.SpStart, 1e-15L));
        EXPECT_EQ(AsPline3D(sp)->S.z, -1);
        EXPECT_EQ(Pline3DSegs(sp)[0].Alfa, c.Alfa);
        EXPECT_FALSE(Sel(g));
        EXPECT_FALSE(Sel(inner));
    }
}

TEST_F(GroupTest, NpropScaleReplacesMembersInsideTheGroup) {
    TObjHeader* first = Sp({0, 0, 0}, {2, 0, 0}, GeomPi);
    TObjHeader* last = Sp({0, 0, 0}, {1, 1, -1});
    TObjHeader* g = Add(Grp({first, Pt(1, 1), last}));
    TObjHeader* Adr = nullptr;
    ASSERT_TRUE(EnGroup.NpropScale(g, {0, 0}, {2, 1}, false, Adr));
    auto m = Members(g);
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(AsGroup(g)->Count, 3);
    EXPECT_EQ(Adr, m[2]);
    ASSERT_EQ(Pline3DSegCount(m[0]), 8);  // the half circle cut into 8 arcs
    EXPECT_TRUE(Near(XY(Pline3DSegs(m[0])[7].E), {4, 0}));
    EXPECT_TRUE(Near(AsPoint(m[1])->S, {2, 1}));
    EXPECT_TRUE(Near(XY(Pline3DSegs(m[2])[0].E), {2, 1}));
    EXPECT_EQ(CheckObjList(L, LE), "");

    // A factor that is not positive: refused for the whole group, nothing changed.
    for (Osy F : {Osy{0, 1}, Osy{1, -2}}) {
        EXPECT_FALSE(EnGroup.NpropScale(g, {0, 0}, F, false, Adr));
        EXPECT_EQ(LogLastText().rfind("Err:", 0), 0u) << LogLastText();
        EXPECT_EQ(Members(g), m);
        EXPECT_TRUE(Near(AsPoint(m[1])->S, {2, 1}));
    }
}

TEST_F(GroupTest, EnvelopeStartsFromTheFirstMember) {
    // A group without members gives the empty constants.
    TObjHeader* empty = AllocObj(GroupRecSize, ObjGroup);
    Add(empty);
    Osy Min, Max;
    EnGroup.Envelope(empty, Min, Max);
    EXPECT_TRUE(Near(Min, {10000, 10000}));
    EXPECT_TRUE(Near(Max, {-10000, -10000}));

    // Far beyond 10 m, with an empty nested group that adds nothing.
    TObjHeader* far = Add(Grp({Pt(20000, 25000), AllocObj(GroupRecSize, ObjGroup),
                               Sp({30000, 21000, 0}, {32000, 21000, -5})}));
    EnGroup.Envelope(far, Min, Max);
    EXPECT_TRUE(Near(Min, {20000, 21000}));
    EXPECT_TRUE(Near(Max, {32000, 25000}));
}

TEST_F(GroupTest, LayerSearchesAndChangeLayer) {
    TObjHeader* inner = Grp({Pt(5, 5, 3), Sp({6, 6, 0}, {7, 7, 0}, 0, 2)});
    inner->Layer = 2;  // a header on the asked layer counts for nothing
    TObjHeader* g = Add(Grp({Pt(1, 1, 2), inner, Pt(9, 9, 2), Pt(8, 8, 4)}));
    Osy S, E;
    EXPECT_TRUE(EnGroup.StartPt(g, 2, S));
    EXPECT_TRUE(Near(S, {1, 1}));
    EXPECT_TRUE(EnGroup.EndPt(g, 2, E));
    EXPECT_TRUE(Near(E, {9, 9}));
    EXPECT_TRUE(EnGroup.StartPt(g, 3, S));  // found inside the nested group
    EXPECT_TRUE(Near(S, {5, 5}));
    EXPECT_TRUE(EnGroup.Contents(3, g));
    EXPECT_FALSE(EnGroup.Contents(7, g));
    EXPECT_FALSE(EnGroup.StartPt(g, 7, S));

    g->Flags |= FlagSelected;
    EnGroup.ChangeLayer(g, 5);
    EXPECT_FALSE(Sel(g));
    EXPECT_EQ(inner->Layer, 2);
    for (TObjHeader* m : Members(g)) {
        if (m->Type != ObjGroup) {
            EXPECT_EQ(m->Layer, 5);
        }
    }
    for (TObjHeader* m : Members(inner)) EXPECT_EQ(m->Layer, 5);
}

TEST_F(GroupTest, DrawMarksMembersOfNestedGroupsInGroupColour) {
    Glob.View = vSort;
    Glob.Arrow = false;
    Glob.LayerDraw = 1;
    Glob.Sort.GroupColor = 0x00AA00;
    Glob.Sort.SpaceColor = 0x0000BB;
    TObjHeader* sp = Sp({10, 10, 0}, {20, 10, 0});
    TObjHeader* g = Add(Grp({Grp({Pt(5, 5)}), sp}));
    g->Flags |= FlagSelected;
    Canv.Reset();
    EnGroup.Draw(g, &Canv);
    EXPECT_FALSE(Glob.Sort.InGroup);
    EXPECT_TRUE(Sel(sp));  // members take the group's flags
    auto lines = Canv.OfKind(TCanvasOpKind::Line);
    ASSERT_EQ(lines.size(), 1u);
    // Selected: the selection colour; so draw it unselected to see the view colour.
    g->Flags &= uint8_t(~FlagSelected);
    Canv.Reset();
    EnGroup.Draw(g, &Canv);
    lines = Canv.OfKind(TCanvasOpKind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].PenColor, 0x00AA00u);  // after the nested group: still in group colour
    Canv.Reset();
    EnSpace.Draw(sp, &Canv);
    EXPECT_EQ(Canv.OfKind(TCanvasOpKind::Line)[0].PenColor, 0x0000BBu);

    // A hidden layer: nothing of the member is drawn.
    Glob.TabLayer[1].Show = false;
    Canv.Reset();
    EnGroup.Draw(g, &Canv);
    EnGroup.RawDraw(g, &Canv);
    EXPECT_TRUE(Canv.Ops.empty());
}

TEST_F(GroupTest, PolylineMembersAreScaledAndPickedInPlace) {
    TObjHeader *cs = nullptr, *ce = nullptr;
    EnPline.CircleAdd({10, 10}, 5, 1, cs, ce);
    TObjHeader* circle = cs;
    TObjHeader* sp = Sp({30, 10, 0}, {40, 10, -1});
    TObjHeader* g = Add(Grp({circle, Grp({sp})}));

    // A window around both selects the group; one around the circle alone does not.
    EXPECT_FALSE(EnGroup.Select(g, {0, 0}, {20, 20}, true));
    EXPECT_TRUE(EnGroup.Select(g, {0, 0}, {45, 20}, true));
    EXPECT_TRUE(Sel(circle));
    EXPECT_TRUE(Sel(sp));

    EnGroup.Move(g, {-5, -5});
    EXPECT_FALSE(Sel(g));
    EXPECT_TRUE(Near(AsPline(circle)->S, {10, 5}));
    EXPECT_TRUE(Near(XY(AsPline3D(sp)->S), {25, 5}));

    // (2, 1) about the circle's centre: the circle is replaced by 16 arcs inside the
    // member list, the 3D polyline inside the nested group.
    TObjHeader* Adr = nullptr;
    ASSERT_TRUE(EnGroup.NpropScale(g, {5, 5}, {2, 1}, false, Adr));
    auto m = Members(g);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(AsGroup(g)->Count, 2);
    ASSERT_EQ(m[0]->Type, ObjPline);
    EXPECT_EQ(PlineSegCount(m[0]), 16);
    EXPECT_EQ(m[0]->Next, m[1]);
    EXPECT_EQ(m[1]->Prev, m[0]);
    auto inner = Members(m[1]);
    ASSERT_EQ(inner.size(), 1u);
    EXPECT_EQ(Adr, inner[0]);
    EXPECT_TRUE(Near(XY(AsPline3D(inner[0])->S), {45, 5}));
    Osy Min, Max;
    EnGroup.Envelope(g, Min, Max);
    // The ellipse's arcs are circular fits through its points: near, not exact.
    EXPECT_TRUE(Near(Min, {-5, 0}, 0.05L));
    EXPECT_TRUE(Near(Max, {65, 10}, 0.05L));
    EXPECT_EQ(CheckObjList(L, LE), "");
}

TEST_F(GroupTest, DeleteFreesNestedMembers) {
    TObjHeader* keep = Add(Pt(0, 0));
    TObjHeader* g = Add(Grp({Pt(1, 1), Grp({Pt(2, 2), Grp({Sp({0, 0, 0}, {1, 0, 0})})})}));
    EnGroup.Delete(g, L, LE);
    EXPECT_EQ(L, keep);
    EXPECT_EQ(LE, keep);
    EXPECT_EQ(CheckObjList(L, LE), "");
}

}  // namespace

TEST_F(GroupTest, LayerSearchesReachTheStrokePathOfATextMember) {
    WorkText = ParText{};
    WorkText.Text = "L";
    WorkText.JmFontu = IntFontName;
    WorkText.Vyska = 10;
    WorkText.WidthFactor = 1;
    WorkText.Origin = {20, 30};
    TObjHeader *ts = nullptr, *te = nullptr;
    TObjHeader* t = EnText.Add(2, ts, te, false);
    ASSERT_NE(t, nullptr);
    UnlinkObj(t, ts, te);
    Osy TS, TE;
    EnText.StartEndPt(t, TS, TE);
    TObjHeader* g = Add(Grp({Pt(1, 1, 3), t, Pt(9, 9, 3)}));
    Osy S, E;
    EXPECT_TRUE(EnGroup.StartPt(g, 2, S));
    EXPECT_TRUE(Near(S, TS));
    EXPECT_TRUE(EnGroup.EndPt(g, 2, E));
    EXPECT_TRUE(Near(E, TE));
}
