// The text entity: justification with rotation and mirror, blanks, transforms and
// their round trips, non-proportional scaling, picking, drawing, explode and rebuild,
// for stroke and TrueType texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "core/Entity.h"
#include "core/Global.h"
#include "core/IntFont.h"
#include "core/ParText.h"
#include "core/UniGroup.h"
#include "core/UniText.h"
#include "test_pline_util.h"

namespace {

using pltest::Near;

const char* const TTFace = "DejaVu Sans";

enum TFontKind { Stroke, TrueType };

void SetText(const std::string& S, TFontKind F, int j, Extended Rot = 0, bool Mir = false, Osy Origin = {100, 50},
             Extended H = 10) {
    WorkText = ParText{};
    WorkText.Text = S;
    WorkText.JmFontu = F == TrueType ? TTFace : IntFontName;
    WorkText.Vyska = H;
    WorkText.WidthFactor = 1;
    WorkText.Rotate = Rot;
    WorkText.MirrorY = Mir;
    WorkText.Justify = uint8_t(j | (F == TrueType ? JustifyTrueType : 0));
    WorkText.Origin = Origin;
}

ParText Read(TObjHeader* T) {
    ParText p;
    EnText.ReadParamText(T, p);
    return p;
}

Osy Sub(const Osy& a, const Osy& b) { return {a.x - b.x, a.y - b.y}; }
Extended Len(const Osy& v) { return std::hypot(v.x, v.y); }
Extended DirDiff(const Osy& v, Extended a) {  // angle between v and direction a
    return std::fabs(std::remainder(std::atan2(v.y, v.x) - a, 2 * GeomPi));
}

// Every point of every polyline in a list, for comparisons.
std::vector<Osy> Points(const TObjHeader* S) {
    std::vector<Osy> v;
    for (const TObjHeader* r = S; r; r = r->Next) {
        if (r->Type != ObjPline) continue;
        v.push_back(AsPline(r)->S);
        for (int32_t i = 0; i < PlineSegCount(r); ++i) v.push_back(PlineSegs(r)[i].E);
    }
    return v;
}

std::vector<Osy> OutlinePoints(TObjHeader* T) {
    TObjHeader* g = AsText(T)->AdrGroup;
    return g ? Points(AsGroup(g)->First) : std::vector<Osy>{};
}

class TextTest : public pltest::PlineTest {
protected:
    TObjHeader* Make(const std::string& S, TFontKind F, int j = 0, Extended Rot = 0, bool Mir = false,
                     Osy Origin = {100, 50}) {
        SetText(S, F, j, Rot, Mir, Origin);
        return EnText.Add(1, L, LE, false);
    }
    void ExpectSound() { EXPECT_EQ(CheckObjList(L, LE), ""); }
};

// Justification of flat capitals: the ink fills the text box exactly, the box has the
// text's direction and height, and the justification point of the box is Origin.
TEST_F(TextTest, JustificationWithRotationAndMirror) {
    for (TFontKind f : {Stroke, TrueType}) {
        Extended width0 = -1;
        for (Extended rot : {Extended(0), GeomPi2, GeomPi, GeomPi32}) {
            for (bool mir : {false, true}) {
                for (int j = 0; j <= 8; ++j) {
                    SCOPED_TRACE(testing::Message() << "font " << f << " rot " << double(rot) << " mirror " << mir
                                                    << " j " << j);
                    TObjHeader* t = Make("HEF", f, j, rot, mir, {40, 30});
                    ASSERT_NE(t, nullptr);
                    ParText p = Read(t);
                    const Osy u = Sub(p.EnvP2, p.EnvP1), v = Sub(p.EnvP4, p.EnvP1);
                    if (width0 < 0) width0 = Len(u);
                    EXPECT_NEAR(double(Len(u)), double(width0), 1e-9);
                    EXPECT_NEAR(double(Len(v)), 10.0, 1e-9);
                    EXPECT_LT(double(DirDiff(u, rot)), 1e-9);
                    EXPECT_LT(double(DirDiff(v, rot + (mir ? -GeomPi2 : GeomPi2))), 1e-9);
                    EXPECT_TRUE(Near(Sub(p.EnvP3, p.EnvP2), v));
                    const int h = j % 3, vv = j / 3;
                    Osy J{p.EnvP1.x + h * u.x / 2 + vv * v.x / 2, p.EnvP1.y + h * u.y / 2 + vv * v.y / 2};
                    EXPECT_TRUE(Near(J, p.Origin, 1e-9)) << J.x << "," << J.y;
                    // The ink box is the box of the corners.
                    Osy cmin{std::min({p.EnvP1.x, p.EnvP2.x, p.EnvP3.x, p.EnvP4.x}),
                             std::min({p.EnvP1.y, p.EnvP2.y, p.EnvP3.y, p.EnvP4.y})};
                    Osy cmax{std::max({p.EnvP1.x, p.EnvP2.x, p.EnvP3.x, p.EnvP4.x}),
                             std::max({p.EnvP1.y, p.EnvP2.y, p.EnvP3.y, p.EnvP4.y})};
                    EXPECT_TRUE(Near(p.WinMin, cmin, 1e-6)) << p.WinMin.x << "," << p.WinMin.y;
                    EXPECT_TRUE(Near(p.WinMax, cmax, 1e-6)) << p.WinMax.x << "," << p.WinMax.y;
                    EXPECT_EQ(bool(p.Justify & JustifyTrueType), f == TrueType);
                    EXPECT_EQ(p.AdrGroup != nullptr, f == TrueType);
                    if (f == Stroke) {  // the glyph origin lies on the baseline
                        Osy b = Sub(p.EnvP1, p.Base);
                        EXPECT_NEAR(double(b.x * u.y - b.y * u.x), 0.0, 1e-9);
                        EXPECT_TRUE(Near(TextFrameToWorld(p, p.Base, {0, 0}), p.Base));
                    } else {
                        EXPECT_TRUE(Near(p.Base, {0, 0}));
                    }
                }
            }
        }
        ExpectSound();
    }
}

TEST_F(TextTest, MiddleCentreStaysOnOriginWhenRotated) {
    TObjHeader* t = Make("ABC", Stroke, 4);
    ParText p = Read(t);
    EXPECT_NEAR(double((p.WinMin.x + p.WinMax.x) / 2), 100.0, 1e-9);
    EXPECT_NEAR(double(p.Base.y), 45.0, 1e-12);
    t = Make("ABC", Stroke, 4, GeomPi2);
    p = Read(t);
    EXPECT_NEAR(double((p.WinMin.y + p.WinMax.y) / 2), 50.0, 1e-9);
    EXPECT_NEAR(double(p.Base.x), 105.0, 1e-12);  // the baseline runs upwards at x = 105
    EXPECT_NEAR(double(p.WinMin.x), 95.0, 1e-9);
    // mirrored at rotation 0: upside down below the baseline
    t = Make("ABC", Stroke, 0, 0, true);
    p = Read(t);
    EXPECT_NEAR(double(p.WinMax.y), 50.0, 1e-9);
    EXPECT_NEAR(double(p.WinMin.y), 40.0, 1e-9);
    EXPECT_LT(p.EnvP4.y, p.EnvP1.y);
    EXPECT_LT(p.EnvP1.x, p.EnvP2.x);
}

TEST_F(TextTest, BlanksAroundATextKeepItOnlyBlanksMakeNothing) {
    struct Case {
        const char* S;
        bool Made;
    } Cases[] = {{" A", true}, {" A ", true}, {"A ", true}, {"  ", false}, {" ", false}, {"", false}};
    for (TFontKind f : {Stroke, TrueType}) {
        for (const Case& c : Cases) {
            SetText(c.S, f, 0);
            EXPECT_EQ(EnText.Add(1, L, LE, false) != nullptr, c.Made) << '"' << c.S << '"' << f;
        }
    }
    EXPECT_EQ(Count(L), 6);
    // justified by the ink, the blank before the A moves the glyph origin back by its
    // advance (80 of 100 units)
    TObjHeader* a = Make("A", Stroke, 0);
    TObjHeader* b = Make(" A ", Stroke, 0);
    EXPECT_NEAR(double(Read(b).WinMin.x), double(Read(a).WinMin.x), 1e-9);
    EXPECT_NEAR(double(Read(b).Base.x), double(Read(a).Base.x - 8), 1e-9);
    ExpectSound();
}

TEST_F(TextTest, RotateAndMirrorParameters) {
    TObjHeader* t = Make("ABC", Stroke, 0, GeomPi);
    EnText.Rotate(t, {0, 0}, 3 * GeomPi / 2);
    EXPECT_NEAR(double(AsText(t)->Rotate), double(GeomPi2), 1e-15);
    TObjHeader* m = Make("ABC", Stroke, 0);
    ParText before = Read(m);
    EnText.Mirror(m, {0, 0}, {10, 0});
    ParText after = Read(m);
    EXPECT_TRUE(after.MirrorY);
    EXPECT_NEAR(double(after.Rotate), 0.0, 1e-15);
    EXPECT_TRUE(Near(after.WinMin, {before.WinMin.x, -before.WinMax.y}, 1e-9));
    EXPECT_TRUE(Near(after.WinMax, {before.WinMax.x, -before.WinMin.y}, 1e-9));
    EXPECT_TRUE(Near(after.Origin, {100, -50}));
    ExpectSound();
}

// Transform and its inverse give back the text, its layout and its outline.
TEST_F(TextTest, TransformRoundTrips) {
    struct Step {
        const char* Name;
        void (*Do)(TObjHeader*);
        void (*Undo)(TObjHeader*);
    } Steps[] = {
        {"move", [](TObjHeader* t) { EnText.Move(t, {12.5L, -7}); }, [](TObjHeader* t) { EnText.Move(t, {-12.5L, 7}); }},
        {"rotate", [](TObjHeader* t) { EnText.Rotate(t, {3, 4}, 1.1L); },
         [](TObjHeader* t) { EnText.Rotate(t, {3, 4}, -1.1L); }},
        {"scale", [](TObjHeader* t) { EnText.Scale(t, {3, 4}, 2); }, [](TObjHeader* t) { EnText.Scale(t, {3, 4}, 0.5L); }},
        {"mirror", [](TObjHeader* t) { EnText.Mirror(t, {0, 1}, {5, 7}); },
         [](TObjHeader* t) { EnText.Mirror(t, {0, 1}, {5, 7}); }},
        {"dispatch move", [](TObjHeader* t) { MoveObj(t, {1, 2}); }, [](TObjHeader* t) { MoveObj(t, {-1, -2}); }},
    };
    for (TFontKind f : {Stroke, TrueType}) {
        for (const Step& s : Steps) {
            SCOPED_TRACE(std::string(s.Name) + (f == TrueType ? " truetype" : " stroke"));
            TObjHeader* t = Make(Utf8ToCp1250("Kůň 7"), f, 4, 0.3L, false, {20, 10});
            ParText a = Read(t);
            std::vector<Osy> oa = OutlinePoints(t);
            s.Do(t);
            EXPECT_FALSE(Near(Read(t).Origin, a.Origin, 1e-6) && Near(Read(t).WinMin, a.WinMin, 1e-6) &&
                         Read(t).MirrorY == a.MirrorY);
            s.Undo(t);
            ParText b = Read(t);
            for (auto [x, y] : {std::pair{a.Base, b.Base}, {a.Origin, b.Origin}, {a.EnvP1, b.EnvP1}, {a.EnvP2, b.EnvP2},
                                {a.EnvP3, b.EnvP3}, {a.EnvP4, b.EnvP4}, {a.WinMin, b.WinMin}, {a.WinMax, b.WinMax}})
                EXPECT_TRUE(Near(x, y, 1e-9)) << x.x << "," << x.y << " vs " << y.x << "," << y.y;
            EXPECT_NEAR(double(b.Vyska), double(a.Vyska), 1e-12);
            EXPECT_NEAR(double(std::remainder(b.Rotate - a.Rotate, 2 * GeomPi)), 0.0, 1e-12);
            EXPECT_EQ(b.MirrorY, a.MirrorY);
            std::vector<Osy> ob = OutlinePoints(t);
            ASSERT_EQ(ob.size(), oa.size());
            for (size_t i = 0; i < oa.size(); ++i) EXPECT_TRUE(Near(oa[i], ob[i], 1e-9));
        }
    }
    ExpectSound();
}

// A copy by Rel moved back by -Rel is the source again, with an outline of its own.
TEST_F(TextTest, CopyAndMoveRoundTrip) {
    for (TFontKind f : {Stroke, TrueType}) {
        TObjHeader* t = Make(Utf8ToCp1250("Čáp"), f, 5, 0.7L, true, {30, 20});
        t->Flags |= FlagSelected;
        TObjHeader* c = EnText.Copy(t, {5, 6}, L, LE);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(LE, c);
        EXPECT_FALSE(t->Flags & FlagSelected);
        EXPECT_EQ(c->SavedFlags, 0);
        EXPECT_TRUE(Near(AsText(c)->Origin, {35, 26}));
        if (f == TrueType) EXPECT_NE(AsText(c)->AdrGroup, AsText(t)->AdrGroup);
        EnText.Move(c, {-5, -6});
        ParText a = Read(t), b = Read(c);
        EXPECT_TRUE(Near(a.Base, b.Base) && Near(a.Origin, b.Origin) && Near(a.EnvP3, b.EnvP3) &&
                    Near(a.WinMin, b.WinMin) && Near(a.WinMax, b.WinMax));
        EXPECT_EQ(a.Text, b.Text);
        EXPECT_EQ(a.Text, Utf8ToCp1250("Čáp"));
        std::vector<Osy> oa = OutlinePoints(t), ob = OutlinePoints(c);
        ASSERT_EQ(oa.size(), ob.size());
        for (size_t i = 0; i < oa.size(); ++i) EXPECT_TRUE(Near(oa[i], ob[i]));
        TObjHeader* i = EnText.CopyIdent(t, L, LE);
        EXPECT_EQ(std::memcmp(&AsText(i)->Base, &AsText(t)->Base, offsetof(TTextRec, AdrGroup) - offsetof(TTextRec, Base)),
                  0);
        if (f == TrueType) EXPECT_NE(AsText(i)->AdrGroup, AsText(t)->AdrGroup);
    }
    ExpectSound();
    FreeObjList(L, LE);  // every outline group freed once (sanitizers)
}

TEST_F(TextTest, NonProportionalScaleFollowsTheTextAxes) {
    for (TFontKind f : {Stroke, TrueType}) {
        TObjHeader* t = Make("HEF", f, 0, 0, false, {10, 10});
        const Extended w0 = Read(t).WinMax.x - Read(t).WinMin.x;
        TObjHeader* adr = nullptr;
        EXPECT_TRUE(NpropScaleObj(t, {0, 0}, {2, 1}, L, LE, false, adr));
        EXPECT_EQ(adr, t);
        ParText p = Read(t);
        EXPECT_NEAR(double(p.WidthFactor), 2.0, 1e-12);
        EXPECT_NEAR(double(p.Vyska), 10.0, 1e-12);
        EXPECT_TRUE(Near(p.Origin, {20, 10}));
        EXPECT_NEAR(double(p.WinMax.x - p.WinMin.x), double(2 * w0), 1e-6);
        EXPECT_NEAR(double(p.WinMax.y - p.WinMin.y), 10.0, 1e-6);

        TObjHeader* r = Make("HEF", f, 0, GeomPi2, false, {10, 10});
        EXPECT_TRUE(EnText.NpropScale(r, {0, 0}, {2, 1}, adr));
        p = Read(r);
        EXPECT_NEAR(double(p.Vyska), 20.0, 1e-9);
        EXPECT_NEAR(double(p.WidthFactor), 0.5, 1e-9);
        EXPECT_NEAR(double(p.WinMax.x - p.WinMin.x), 20.0, 1e-6);  // the height runs along x
        EXPECT_NEAR(double(p.WinMax.y - p.WinMin.y), double(w0), 1e-6);

        EXPECT_FALSE(EnText.NpropScale(r, {0, 0}, {0, 1}, adr));
    }
    ExpectSound();
}

TEST_F(TextTest, ExplodeGivesPolylinesOnly) {
    TObjHeader* t = Make("ABC", Stroke, 0);
    TObjHeader *s = nullptr, *e = nullptr;
    int32_t n = EnText.Explode(t, false, s, e);
    EXPECT_GT(n, 2);
    EXPECT_EQ(CountObjs(s), n);
    Osy mn{1e9, 1e9}, mx{-1e9, -1e9};
    for (TObjHeader* r = s; r; r = r->Next) {
        EXPECT_EQ(r->Type, ObjPline);
        EXPECT_EQ(r->Layer, 1);
        Osy a, b;
        EnPline.Envelope(r, a, b);
        mn = {std::min(mn.x, a.x), std::min(mn.y, a.y)};
        mx = {std::max(mx.x, b.x), std::max(mx.y, b.y)};
    }
    ParText p = Read(t);
    EXPECT_NEAR(double(mn.x), double(p.WinMin.x), 0.05);
    EXPECT_NEAR(double(mx.x), double(p.WinMax.x), 0.05);
    EXPECT_NEAR(double(mn.y), 50.0, 1e-9);
    EXPECT_NEAR(double(mx.y), 60.0, 1e-9);
    Extended len = 0;
    for (TObjHeader* r = s; r; r = r->Next) len += EnPline.Length(r);
    EXPECT_NEAR(double(EnText.Length(t)), double(len), 1e-9);
    FreeObjList(s, e);

    // TrueType: two glyphs of two and one contours give three closed polylines.
    TObjHeader* tt = Make("OL", TrueType, 0);
    n = EnText.Explode(tt, true, L, LE);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(Count(L), 4);  // "ABC" and the three contours; the TrueType text is gone
    for (TObjHeader* r = t->Next; r; r = r->Next) {
        EXPECT_EQ(r->Type, ObjPline);
        EXPECT_TRUE(AsPline(r)->PlineFlags & PlineClosed);
    }
    ExpectSound();
}

TEST_F(TextTest, CzechLetterExplodesWithItsAccent) {
    for (TFontKind f : {Stroke, TrueType}) {
        TObjHeader *s = nullptr, *e = nullptr;
        EnText.Explode(Make("C", f), false, s, e);
        const int32_t plain = CountObjs(s);
        FreeObjList(s, e);
        EnText.Explode(Make(Utf8ToCp1250("Č"), f), false, s, e);
        EXPECT_GT(CountObjs(s), plain) << f;
        FreeObjList(s, e);
    }
}

TEST_F(TextTest, StartEndPoints) {
    TObjHeader* t = Make("L", Stroke, 0, 0, false, {10, 10});
    Osy S, E;
    EnText.StartEndPt(t, S, E);
    TObjHeader *s = nullptr, *e = nullptr;
    EnText.Explode(t, false, s, e);
    EXPECT_TRUE(Near(S, AsPline(s)->S));
    EXPECT_TRUE(Near(E, PlineEndPt(e)));
    FreeObjList(s, e);
    SetText("ABC", Stroke, 0);
    WorkText.JmFontu = "NONE.SHP";
    TObjHeader* none = EnText.Add(1, L, LE, false);
    ASSERT_NE(none, nullptr);
    S = E = {5, 5};
    EnText.StartEndPt(none, S, E);
    EXPECT_TRUE(Near(S, {0, 0}) && Near(E, {0, 0}));
    // not loaded: the box is Base .. Base + (1, 1), the justification width Vyska / 2
    ParText p = Read(none);
    EXPECT_TRUE(Near(p.WinMin, p.Base) && Near(p.WinMax, {p.Base.x + 1, p.Base.y + 1}));
    EXPECT_NEAR(double(Len(Sub(p.EnvP2, p.EnvP1))), 5.0, 1e-12);
}

TEST_F(TextTest, SelectByWindowAndByCrossing) {
    for (TFontKind f : {Stroke, TrueType}) {
        TObjHeader* t = Make("I", f, 0, 0, false, {20, 20});  // one vertical stroke
        ParText p = Read(t);
        // partly covered window: unchanged
        EXPECT_FALSE(EnText.Select(t, {p.WinMin.x - 1, p.WinMin.y - 1}, {p.WinMax.x + 1, p.WinMin.y + 3}, true));
        // crossing the left side of the stroke (an outline's edge)
        const Osy cmin{p.WinMin.x - 0.3L, 25}, cmax{p.WinMin.x + 0.01L, 26};
        EXPECT_TRUE(EnText.RawSelect(t, cmin, cmax, false));
        EXPECT_FALSE(t->Flags & FlagSelected);
        EXPECT_TRUE(EnText.Select(t, cmin, cmax, false));
        EXPECT_TRUE(t->Flags & FlagSelected);
        if (f == TrueType) EXPECT_TRUE(AsText(t)->AdrGroup->Flags & FlagSelected);
        // inside the box but off the stroke: no hit, state reported
        EXPECT_TRUE(EnText.Select(t, {p.WinMin.x - 5, 21}, {p.WinMin.x - 0.5L, 22}, false));
        // the whole box inside: toggles back
        EXPECT_FALSE(EnText.Select(t, {0, 0}, {99, 74}, true));
        Glob.TabLayer[1].Show = false;
        EXPECT_FALSE(EnText.Select(t, {0, 0}, {99, 74}, true));
        Glob.TabLayer[1].Show = true;
    }
}

TEST_F(TextTest, DrawInLayerColourSelectedAndHidden) {
    for (TFontKind f : {Stroke, TrueType}) {
        TObjHeader* t = Make("T", f, 0, 0, false, {20, 20});
        Glob.TextEnv = false;
        Canv.Reset();
        DrawObj(t, &Canv);
        ASSERT_GT(Canv.Ops.size(), 0u);
        for (const TCanvasOp& op : Canv.Ops) EXPECT_EQ(op.PenColor, Glob.TabLayer[1].Color);
        if (f == Stroke) EXPECT_TRUE(Near(MainVars.LastPos, {20, 20}));  // an outline leaves its end
        t->Flags |= FlagSelected;
        Glob.SelObjColor = 0x123456;
        Canv.Reset();
        EnText.Draw(t, &Canv);
        ASSERT_GT(Canv.Ops.size(), 0u);
        for (const TCanvasOp& op : Canv.Ops) EXPECT_EQ(op.PenColor, 0x123456u);
        // the box in silver when TextEnv is on
        Glob.TextEnv = true;
        t->Flags &= uint8_t(~FlagSelected);
        Canv.Reset();
        EnText.Draw(t, &Canv);
        EXPECT_EQ(Canv.OfKind(TCanvasOpKind::Ellipse).size(), 1u);
        EXPECT_EQ(Canv.OfKind(TCanvasOpKind::Ellipse)[0].PenColor, 0x00C0C0C0u);
        Glob.TextEnv = false;
        // outside the view: nothing but the state
        EnText.Move(t, {500, 0});
        Canv.Reset();
        EnText.Draw(t, &Canv);
        EXPECT_TRUE(Canv.Ops.empty());
        Glob.TabLayer[1].Show = false;
        EnText.Move(t, {-500, 0});
        EnText.Draw(t, &Canv);
        EXPECT_TRUE(Canv.Ops.empty());
        Glob.TabLayer[1].Show = true;
    }
}

// The direction view draws every contour of an outline in the texts' colour; the
// sort view draws in the sort colour with the order number at Origin.
TEST_F(TextTest, DirectionAndSortViews) {
    Glob.TextEnv = false;
    TObjHeader* tt = Make("O", TrueType, 0, 0, false, {20, 20});  // two contours turning both ways
    Glob.View = vDir;
    const auto direct = Glob.Direct;
    Canv.Reset();
    EnText.Draw(tt, &Canv);
    ASSERT_GT(Canv.Ops.size(), 0u);
    for (const TCanvasOp& op : Canv.Ops) EXPECT_EQ(op.PenColor, Glob.Direct[dkText].Color);
    for (int k = 0; k < DirKindCount; ++k) EXPECT_EQ(Glob.Direct[size_t(k)].Color, direct[size_t(k)].Color);

    Glob.View = vSort;
    Glob.LayerDraw = 1;
    Glob.Sort.TextColor = 0x0000AA;
    Glob.Sort.Cisla = true;
    Glob.Sort.Index = 7;
    for (TFontKind f : {Stroke, TrueType}) {
        TObjHeader* t = Make("L", f, 0, 0, false, {30, 30});
        Canv.Reset();
        EnText.Draw(t, &Canv);
        EXPECT_EQ(Glob.View, vSort);
        auto texts = Canv.OfKind(TCanvasOpKind::Text);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].Text, "7");
        EXPECT_EQ(texts[0].Color, 0x0000AAu);
        EXPECT_TRUE(Near(MainVars.LastPos, {30, 30}));
        for (const TCanvasOp& op : Canv.Ops)
            if (op.Kind != TCanvasOpKind::Text && op.Kind != TCanvasOpKind::Rectangle) EXPECT_EQ(op.PenColor, 0x0000AAu);
        Glob.LayerDraw = 2;  // another layer: nothing in the sort view
        Canv.Reset();
        EnText.Draw(t, &Canv);
        EXPECT_TRUE(Canv.Ops.empty());
        Glob.LayerDraw = 1;
    }
}

TEST_F(TextTest, EditTextParamRebuildsInPlace) {
    TObjHeader* before = Make("X", Stroke, 0);
    TObjHeader* t = Make("AB", TrueType, 0, 0, false, {10, 10});
    TObjHeader* after = Make("Y", Stroke, 0);
    TObjHeader* g0 = AsText(t)->AdrGroup;
    t->Flags |= FlagSelected;
    EnText.ReadParamText(t, WorkText);
    WorkText.Text = "ABCD";
    EXPECT_TRUE(EnText.EditTextParam(t));
    EXPECT_EQ(before->Next, t);
    EXPECT_EQ(t->Next, after);
    EXPECT_EQ(Read(t).Text, "ABCD");
    EXPECT_FALSE(t->Flags & FlagSelected);
    EXPECT_NE(AsText(t)->AdrGroup, nullptr);
    EXPECT_NE(AsText(t)->AdrGroup, g0);
    EXPECT_EQ(AsGroup(AsText(t)->AdrGroup)->Count, 2 + 3 + 1 + 2);  // the contours of A, B, C, D
    // blanks only: nothing is rebuilt
    WorkText.Text = "   ";
    EXPECT_FALSE(EnText.EditTextParam(t));
    EXPECT_EQ(Read(t).Text, "ABCD");
    // a layer change takes the outline along
    EnText.ChangeLayer(t, 2);
    EXPECT_EQ(t->Layer, 2);
    for (TObjHeader* m = AsGroup(AsText(t)->AdrGroup)->First; m; m = m->Next) EXPECT_EQ(m->Layer, 2);
    ExpectSound();
}

}  // namespace
