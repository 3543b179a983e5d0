// Object records and list operations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cam/CamOpList.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "support/Fixture.h"

namespace {

// A point record named by its x coordinate.
TObjHeader* Pt(int Name, uint8_t Layer = 1) {
    TObjHeader* r = AllocObj(PointRecSize, ObjPoint);
    r->Layer = Layer;
    AsPoint(r)->S = {Extended(Name), 0};
    return r;
}

int NameOf(const TObjHeader* r) { return int(static_cast<const TPointRec*>(r)->S.x); }

struct List {
    TObjHeader* S = nullptr;
    TObjHeader* E = nullptr;
    std::vector<TObjHeader*> R;  // records by name

    explicit List(int N) {
        for (int i = 0; i < N; ++i) R.push_back(AppendObj(Pt(i), S, E));
    }
    ~List() { FreeObjList(S, E); }
    std::vector<int> Order() const {
        std::vector<int> v;
        for (const TObjHeader* r = S; r; r = r->Next) v.push_back(NameOf(r));
        return v;
    }
};

using V = std::vector<int>;

class ObjRecordsTest : public KestrilonTest {};

TEST_F(ObjRecordsTest, LayoutSharesFirstPointAndCountsSegmentsFromSize) {
    TObjHeader* p = AllocObj(PlineSizeFor(3), ObjPline);
    EXPECT_EQ(PlineSegCount(p), 3);
    EXPECT_EQ(reinterpret_cast<uint8_t*>(&AsPoint(p)->S), reinterpret_cast<uint8_t*>(&AsPline(p)->S));
    EXPECT_EQ(reinterpret_cast<uint8_t*>(&AsPoint(p)->PlineFlags),
              reinterpret_cast<uint8_t*>(&AsPline3D(p)->PlineFlags));
    PlineSegs(p)[2].E = {7, 8};
    EXPECT_EQ(PlineEndPt(p).x, 7);
    EXPECT_EQ(PlineSegStart(p, 0).x, 0);
    EXPECT_EQ(p->Flags, FlagNew);
    FreeObjBlock(p);

    TObjHeader* q = AllocObj(Pline3DSizeFor(0), ObjPline3D);
    EXPECT_EQ(Pline3DSegCount(q), 0);
    FreeObjBlock(q);

    TObjHeader* t = AllocObj(TextRecSize, ObjText);
    AsText(t)->JmFontu.Set(std::string(50, 'F'));
    EXPECT_EQ(AsText(t)->JmFontu.Get(), std::string(37, 'F'));
    AsText(t)->Text.Set(std::string(300, 'x'));
    EXPECT_EQ(AsText(t)->Text.Get().size(), 255u);
    FreeObjBlock(t);
}

TEST_F(ObjRecordsTest, UnlinkKeepsEndsAndLinks) {
    struct Case {
        int N, Victim;
        V Rest;
    };
    for (const Case& c : {Case{1, 0, {}}, Case{3, 0, {1, 2}}, Case{3, 1, {0, 2}}, Case{3, 2, {0, 1}}}) {
        List l(c.N);
        TObjHeader* v = l.R[size_t(c.Victim)];
        UnlinkObj(v, l.S, l.E);
        EXPECT_EQ(l.Order(), c.Rest) << "N " << c.N << " victim " << c.Victim;
        EXPECT_EQ(CheckObjList(l.S, l.E), "");
        EXPECT_EQ(v->Next, nullptr);
        EXPECT_EQ(v->Prev, nullptr);
        if (c.N == 1) EXPECT_TRUE(l.S == nullptr && l.E == nullptr);
        FreeObjBlock(v);
    }
    List l(2);
    UnlinkObj(nullptr, l.S, l.E);
    EXPECT_EQ(l.Order(), (V{0, 1}));
}

TEST_F(ObjRecordsTest, InsertAfterFrontMiddleEnd) {
    struct Case {
        int N, After;  // -1: After = nullptr
        V Result;
    };
    for (const Case& c : {Case{3, -1, {9, 0, 1, 2}}, Case{3, 2, {0, 1, 2, 9}}, Case{3, 0, {0, 9, 1, 2}},
                          Case{0, -1, {9}}}) {
        List l(c.N);
        InsertObjAfter(c.After < 0 ? nullptr : l.R[size_t(c.After)], Pt(9), l.S, l.E);
        EXPECT_EQ(l.Order(), c.Result) << "after " << c.After;
        EXPECT_EQ(CheckObjList(l.S, l.E), "");
    }
}

TEST_F(ObjRecordsTest, SwapNeighboursEndsAndDistant) {
    struct Case {
        int N, A, B;
        V Result;
    };
    for (const Case& c : {Case{2, 0, 1, {1, 0}}, Case{2, 1, 0, {1, 0}}, Case{3, 1, 2, {0, 2, 1}},
                          Case{3, 2, 1, {0, 2, 1}}, Case{3, 0, 1, {1, 0, 2}}, Case{4, 0, 3, {3, 1, 2, 0}},
                          Case{4, 3, 0, {3, 1, 2, 0}}, Case{5, 1, 3, {0, 3, 2, 1, 4}}, Case{3, 0, 2, {2, 1, 0}}}) {
        List l(c.N);
        SwapObjs(l.R[size_t(c.A)], l.R[size_t(c.B)], l.S, l.E);
        EXPECT_EQ(l.Order(), c.Result) << c.N << ": " << c.A << "<->" << c.B;
        EXPECT_EQ(CheckObjList(l.S, l.E), "");
    }
}

TEST_F(ObjRecordsTest, ReverseAndConcat) {
    List a(4);
    ReverseObjList(a.S, a.E);
    EXPECT_EQ(a.Order(), (V{3, 2, 1, 0}));
    EXPECT_EQ(CheckObjList(a.S, a.E), "");

    struct Case {
        int N1, N2;
    };
    for (const Case& c : {Case{0, 0}, Case{0, 2}, Case{2, 0}, Case{2, 3}}) {
        List l1(c.N1), l2(c.N2);
        ConcatObjLists(l1.S, l1.E, l2.S, l2.E);
        EXPECT_EQ(int(l1.Order().size()), c.N1 + c.N2);
        EXPECT_EQ(CheckObjList(l1.S, l1.E), "");
        EXPECT_TRUE(l2.S == nullptr && l2.E == nullptr);
    }
}

// A group of Members points, themselves optionally holding a nested group.
TObjHeader* Group(int Members, TObjHeader* Nested = nullptr) {
    TObjHeader *s = nullptr, *e = nullptr;
    for (int i = 0; i < Members; ++i) AppendObj(Pt(100 + i), s, e);
    if (Nested) AppendObj(Nested, s, e);
    return MakeGroup(false, s, e);
}

TObjHeader* TextWithOutline() {
    TObjHeader* t = AllocObj(TextRecSize, ObjText);
    TObjHeader *s = nullptr, *e = nullptr;
    TObjHeader* pl = AllocObj(PlineSizeFor(2), ObjPline);
    AppendObj(pl, s, e);
    AsText(t)->AdrGroup = MakeGroup(false, s, e);
    AsText(t)->Justify = JustifyHasOutline;
    return t;
}

TEST_F(ObjRecordsTest, DeleteFreesNestedGroupsAndTextOutlines) {
    // Leaks or double frees are caught by the address sanitizer.
    List l(2);
    TObjHeader* g = AppendObj(Group(2, Group(3, Group(1))), l.S, l.E);
    TObjHeader* t = AppendObj(TextWithOutline(), l.S, l.E);
    ASSERT_EQ(CheckObjList(l.S, l.E), "");
    DeleteObj(g, l.S, l.E);
    DeleteObj(t, l.S, l.E);
    EXPECT_EQ(l.Order(), (V{0, 1}));
    EXPECT_EQ(CheckObjList(l.S, l.E), "");

    // A whole list with nested owners.
    TObjHeader *s = nullptr, *e = nullptr;
    AppendObj(Group(1, Group(2)), s, e);
    AppendObj(TextWithOutline(), s, e);
    FreeObjList(s, e);
    EXPECT_TRUE(s == nullptr && e == nullptr);
}

TEST_F(ObjRecordsTest, ReplaceTakesPlaceAndDeletesOldWithMembers) {
    for (int at : {0, 1, 2}) {
        List l(3);
        TObjHeader* g = Group(2);
        ReplaceObj(l.R[size_t(at)], g, l.S, l.E);
        TObjHeader* back = Pt(at);
        ReplaceObj(g, back, l.S, l.E);  // the group goes with its members
        EXPECT_EQ(l.Order(), (V{0, 1, 2}));
        EXPECT_EQ(CheckObjList(l.S, l.E), "");
    }
}

TEST_F(ObjRecordsTest, MakeGroupCountsAndEmptiesList) {
    TObjHeader *s = nullptr, *e = nullptr;
    EXPECT_EQ(MakeGroup(true, s, e), nullptr);

    static int drawn = 0;
    const TDrawObjFn installed = MakeGroupDraw;
    MakeGroupDraw = [](TObjHeader*) { ++drawn; };
    AppendObj(Pt(0, 7), s, e);
    AppendObj(Pt(1, 3), s, e);
    AppendObj(Pt(2, 3), s, e);
    TObjHeader* g = MakeGroup(true, s, e);
    MakeGroupDraw = installed;
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(drawn, 1);
    EXPECT_TRUE(s == nullptr && e == nullptr);
    EXPECT_EQ(AsGroup(g)->Count, 3);
    EXPECT_EQ(g->Layer, 7);
    EXPECT_EQ(g->Type, ObjGroup);
    EXPECT_EQ(g->Flags, FlagNew);
    EXPECT_TRUE(g->Next == nullptr && g->Prev == nullptr);
    AppendObj(g, s, e);
    EXPECT_EQ(CheckObjList(s, e), "");
    FreeObjList(s, e);
}

TEST_F(ObjRecordsTest, AddObjsToSubOpLinksTheChain) {
    AddObjsToSubOp(3, nullptr);
    EXPECT_EQ(LogLastText(), "Err:FAILED Add obj to SubOp (Adr:0)");
    EXPECT_EQ(OpList.Cam[3].ChilCnt, 0);

    List l(3);
    AddObjsToSubOp(3, l.R[1]);
    ASSERT_EQ(OpList.Cam[3].ChilCnt, 2);
    EXPECT_EQ(OpList.Cam[3].Childs[0], l.R[1]);
    EXPECT_EQ(OpList.Cam[3].Childs[1], l.R[2]);
    bool logged = false;
    for (const std::string& line : LogNewestLines(10))
        logged |= line.find("Ops:Adding Child to SubOp (SubOpId:3, Adr:" +
                            std::to_string(reinterpret_cast<uintptr_t>(l.R[1])) + ")") != std::string::npos;
    EXPECT_TRUE(logged);
}

TEST_F(ObjRecordsTest, CheckerFindsBrokenLists) {
    {
        List l(3);
        l.R[2]->Prev = l.R[0];
        EXPECT_NE(CheckObjList(l.S, l.E), "");
        l.R[2]->Prev = l.R[1];
        EXPECT_NE(CheckObjList(l.S, l.R[1]), "");  // wrong end
        EXPECT_NE(CheckObjList(l.S, nullptr), "");
        l.R[0]->Type = 9;
        EXPECT_NE(CheckObjList(l.S, l.E), "");
        l.R[0]->Type = ObjPoint;
    }
    {
        List l(1);
        TObjHeader* g = AppendObj(Group(2), l.S, l.E);
        AsGroup(g)->Count = 3;
        EXPECT_NE(CheckObjList(l.S, l.E), "");
        AsGroup(g)->Count = 2;
        TObjHeader* t = AppendObj(TextWithOutline(), l.S, l.E);
        EXPECT_EQ(CheckObjList(l.S, l.E), "");
        AsText(t)->Justify = 0;
        EXPECT_NE(CheckObjList(l.S, l.E), "");
        AsText(t)->Justify = JustifyHasOutline;
    }
    {
        // A cycle ends the walk instead of looping.
        List l(3);
        l.R[2]->Next = l.R[0];
        EXPECT_NE(CheckObjList(l.S, l.E), "");
        l.R[2]->Next = nullptr;
    }
}

}  // namespace
