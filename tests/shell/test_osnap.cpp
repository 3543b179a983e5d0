// Object snaps: the kinds and their choice, hidden layers, the buttons, the marker in
// the redraw, and the index that keeps the search local.
#include <functional>
#include <random>

#include "core/Entity.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPlineUtil.h"
#include "shell/Osnap.h"
#include "ViewFixture.h"

class OsnapTest : public ViewTest {};

namespace {

TObjHeader* Text(const Osy& Origin, uint8_t Layer = 1) {
    TObjHeader* T = AllocObj(TextRecSize, ObjText);
    T->Layer = Layer;
    AsText(T)->Origin = Origin;
    AsText(T)->Base = Origin;
    return AppendObj(T, MainVars.DataStart, MainVars.DataEnd);
}

TOsnapAuto Kinds(const std::string& K) {
    TOsnapAuto O;
    O.osEnd = K.find('E') != std::string::npos;
    O.osMid = K.find('M') != std::string::npos;
    O.osInt = K.find('I') != std::string::npos;
    O.osCen = K.find('C') != std::string::npos;
    O.osPer = K.find('P') != std::string::npos;
    O.osTan = K.find('T') != std::string::npos;
    return O;
}

// Every snappable record of the list, group members in place.
void AllRecords(TObjHeader* P, std::vector<TObjHeader*>& Out) {
    for (; P; P = P->Next) {
        if (P->Type == ObjGroup)
            AllRecords(AsGroup(P)->First, Out);
        else if (P->Type != ObjPline3D)
            Out.push_back(P);
    }
}

}  // namespace

TEST_F(OsnapTest, SnapKindsAndTheirChoice) {
    const Extended S = std::sqrt(Extended(0.5));
    struct Case {
        const char* What;
        std::function<void()> Build;
        const char* Kinds;
        Osy C, B;
        uint8_t Kind;
        Osy Expect;
    };
    auto LongLine = [this] { Line({0, 0}, {100, 0}); };
    auto QuarterArc = [this] { Arc({10, 0}, {0, 10}, GeomPi2); };
    auto Circle10 = [this] { Circle({0, 0}, 10); };
    const Case Cases[] = {
        {"end of a long line from its middle", LongLine, "E", {40, 0.5}, {}, osKindEnd, {0, 0}},
        {"a vertex within the aperture", LongLine, "E", {99.5, 0.3}, {}, osKindEnd, {100, 0}},
        {"parallel lines give the end, not a crossing",
         [this] {
             Line({0, 0}, {100, 0});
             Line({0, 1}, {100, 1});
         },
         "EI", {60, 0.4}, {}, osKindEnd, {100, 0}},
        {"centre of the arc under the pointer beats a far end", QuarterArc, "CE", {10 * S, 10 * S + 0.3L}, {},
         osKindCen, {0, 0}},
        {"an end within half the aperture beats the centre", QuarterArc, "CE", {9.9L, 0.5L}, {}, osKindEnd, {10, 0}},
        {"straight segments have no centre", LongLine, "C", {50, 0.2}, {}, 0, {}},
        {"midpoint of the segment", LongLine, "M", {40, 0.5}, {}, osKindMid, {50, 0}},
        {"midpoint of an arc", QuarterArc, "M", {10 * S, 10 * S + 0.3L}, {}, osKindMid, {10 * S, 10 * S}},
        {"intersection of two lines",
         [this] {
             Line({0, 0}, {100, 100});
             Line({0, 100}, {100, 0});
         },
         "I", {50.3L, 50.2L}, {}, osKindInt, {50, 50}},
        {"perpendicular from the last point", LongLine, "P", {50, 0.2}, {30, 20}, osKindPer, {30, 0}},
        {"perpendicular foot off the segment", LongLine, "P", {50, 0.2}, {130, 20}, 0, {}},
        {"perpendicular to an arc", Circle10, "P", {7, 7.3L}, {20, 20}, osKindPer, {10 * S, 10 * S}},
        {"tangent from outside: the point nearer the pointer", Circle10, "T", {5, 8.5}, {20, 0}, osKindTan,
         {5, std::sqrt(Extended(75))}},
        {"tangent from inside gives nothing", Circle10, "T", {5, 8.5}, {3, 0}, 0, {}},
        {"a far text origin with nothing else near",
         [this] {
             Text({500, 400});
             Line({0, 50}, {10, 50});
         },
         "C", {0, 0}, {}, osKindCen, {500, 400}},
        {"a point's position is its centre", [this] { Point({20, 20}); }, "C", {20.5L, 20}, {},
         osKindCen, {20, 20}},
    };
    for (const Case& C : Cases) {
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
        C.Build();
        Osy Out;
        const uint8_t K = OsnapSearch(MainVars.DataStart, Kinds(C.Kinds), C.C, C.B, 1, Out);
        EXPECT_EQ(K, C.Kind) << C.What;
        if (K && K == C.Kind) {
            EXPECT_NEAR(double(Out.x), double(C.Expect.x), 1e-9) << C.What;
            EXPECT_NEAR(double(Out.y), double(C.Expect.y), 1e-9) << C.What;
        }
    }
}

TEST_F(OsnapTest, HiddenLayersGiveNoSnapExceptLayer68) {
    struct Case {
        uint8_t Layer;
        bool Shown;
        uint8_t Kind;
    } Cases[] = {{2, true, osKindEnd}, {2, false, 0}, {LayerOrig, false, osKindEnd}};
    for (const Case& C : Cases) {
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
        Line({0, 0}, {100, 0}, C.Layer);
        Glob.TabLayer[C.Layer].Show = C.Shown;
        Osy Out;
        EXPECT_EQ(OsnapSearch(MainVars.DataStart, Kinds("E"), {99.5, 0.2}, {}, 1, Out), C.Kind) << int(C.Layer);
    }
}

TEST_F(OsnapTest, GroupMembersSnapAndThreeDPolylinesDoNot) {
    TObjHeader *S = nullptr, *E = nullptr;
    EnPline.LineAdd({0, 0}, {100, 0}, 1, S, E);
    AppendObj(MakeGroup(false, S, E), MainVars.DataStart, MainVars.DataEnd);
    Osy Out;
    EXPECT_EQ(OsnapSearch(MainVars.DataStart, Kinds("E"), {99.5, 0.2}, {}, 1, Out), osKindEnd);
    EXPECT_EQ(Out.x, 100);
}

TEST_F(OsnapTest, RedrawSearchesAndMarksWhileACommandWaits) {
    Glob.OSnapColor = 0x0E0E0E;
    Line({0, 0}, {100, 0});
    TMainForm& Fm = F();
    // The buttons the main form made, clicked as a user clicks them.
    TSpeedButton* End = Fm.Find<TSpeedButton>("SpdBtnEnd");
    ASSERT_NE(End, nullptr);
    End->Click();
    EXPECT_TRUE(MainVars.Mouse.OsnapAuto.osEnd);
    EXPECT_FALSE(MainVars.Mouse.OsnapAuto.osNone);
    TSpeedButton* Switch = Fm.Find<TSpeedButton>("SbtnOsnapSwitch");
    ASSERT_NE(Switch, nullptr);
    Switch->Click();
    EXPECT_TRUE(MainVars.Mouse.OsnapAuto.Enabled);

    // No command waits: no search.
    H->MoveTo(99.5, 0.2);
    EXPECT_FALSE(MainVars.Mouse.OsnapAuto.PointFound);
    H->Enter("POINT");
    H->MoveTo(99.5, 0.2);
    Redraw();
    const TOsnapAuto& O = MainVars.Mouse.OsnapAuto;
    EXPECT_TRUE(O.PointFound);
    EXPECT_EQ(O.Index, osKindEnd);
    EXPECT_EQ(O.LastIndex, osKindEnd);
    EXPECT_EQ(O.LastPoint.x, 100);
    EXPECT_EQ(OpsIn(TCanvasOpKind::Rectangle, 0x0E0E0E).size(), 1u);
    // The aperture circle around the pointer.
    EXPECT_FALSE(Canvas.OfKind(TCanvasOpKind::Ellipse).empty());

    // Far from everything: a failed search.
    H->MoveTo(50, 60);
    EXPECT_FALSE(O.PointFound);
    EXPECT_EQ(O.LastIndex, 0);
    EXPECT_EQ(O.LastPoint.x, 100000);

    // The command-panel click releases the six buttons: no marker any more.
    H->MoveTo(99.5, 0.2);
    Fm.ComPanelClick();
    EXPECT_FALSE(Fm.Find<TSpeedButton>("SpdBtnEnd")->Down);
    EXPECT_TRUE(O.osNone);
    Redraw();
    EXPECT_TRUE(OpsIn(TCanvasOpKind::Rectangle, 0x0E0E0E).empty());
    EXPECT_FALSE(O.PointFound);

    // The menu item switches the main switch like its button.
    Fm.OnsapOnMNUClick();
    EXPECT_FALSE(Fm.Find<TSpeedButton>("SbtnOsnapSwitch")->Down);
    EXPECT_FALSE(O.Enabled);
}

TEST_F(OsnapTest, SnapIndexFollowsEditsOfTheDrawing) {
    TObjHeader* L = Line({0, 0}, {100, 0});
    Osy Out;
    EXPECT_EQ(OsnapSearch(MainVars.DataStart, Kinds("E"), {99.5, 0.2}, {}, 1, Out), osKindEnd);
    MoveObj(L, {0, 50});
    EXPECT_EQ(OsnapSearch(MainVars.DataStart, Kinds("E"), {99.5, 0.2}, {}, 1, Out), 0);
    EXPECT_EQ(OsnapSearch(MainVars.DataStart, Kinds("E"), {99.5, 50.2}, {}, 1, Out), osKindEnd);
    EXPECT_EQ(Out.y, 50);
    DeleteObj(L, MainVars.DataStart, MainVars.DataEnd);
    EXPECT_EQ(OsnapSearch(MainVars.DataStart, Kinds("E"), {99.5, 50.2}, {}, 1, Out), 0);
    Line({0, 50}, {100, 50});
    EXPECT_EQ(OsnapSearch(MainVars.DataStart, Kinds("E"), {99.5, 50.2}, {}, 1, Out), osKindEnd);
}

TEST_F(OsnapTest, IndexedCandidatesGiveTheSamePairAsTheWholeDrawing) {
    std::mt19937 Rng(7);
    std::uniform_real_distribution<double> U(0, 200), Len(-3, 3);
    for (int i = 0; i < 2000; ++i) {
        const Osy S{U(Rng), U(Rng)};
        const Osy E{S.x + Len(Rng), S.y + Len(Rng)};
        if (i % 7 == 0)
            Point(S, uint8_t(1 + i % 3));
        else if (i % 5 == 0)
            Arc(S, E, 1.2L, uint8_t(1 + i % 3));
        else
            Line(S, E, uint8_t(1 + i % 3));
    }
    Text({300, 300});
    Glob.TabLayer[3].Show = false;
    std::vector<TObjHeader*> All;
    AllRecords(MainVars.DataStart, All);
    for (int k = 0; k < 120; ++k) {
        const Osy C{U(Rng), U(Rng)};
        for (bool PlinesOnly : {true, false}) {
            std::vector<TObjHeader*> Near;
            SnapCandidates(MainVars.DataStart, C, 2, Near);
            TSnapPair A, B;
            FindSnapObjects(Near, PlinesOnly, C, 2, A);
            FindSnapObjects(All, PlinesOnly, C, 2, B);
            EXPECT_EQ(A.Obj1, B.Obj1);
            EXPECT_EQ(A.Obj2, B.Obj2);
            EXPECT_EQ(A.D1, B.D1);
        }
    }
}

namespace {

// A polyline of N segments from From to To swinging Amp to either side in Waves
// periods; every fifth segment an arc.
TObjHeader* Wave(const Osy& From, const Osy& To, Extended Amp, int Waves, int32_t N) {
    TObjHeader* P = AllocObj(PlineSizeFor(N), ObjPline);
    P->Layer = 1;
    AsPline(P)->S = From;
    const Extended Dx = To.x - From.x, Dy = To.y - From.y, L = std::sqrt(Dx * Dx + Dy * Dy);
    for (int32_t i = 0; i < N; ++i) {
        const Extended T = Extended(i + 1) / N, Side = Amp * std::sin(2 * GeomPi * Waves * T);
        PlineSegs(P)[i] = {i % 5 == 4 ? 0.4L : 0, {From.x + T * Dx - Side * Dy / L, From.y + T * Dy + Side * Dx / L}};
    }
    return AppendObj(P, MainVars.DataStart, MainVars.DataEnd);
}

// The first segment with the least Score over the whole polyline, -1 when none scores.
int32_t FirstLeast(const TObjHeader* P, const std::function<bool(int32_t, Extended&)>& Score) {
    int32_t Best = -1;
    Extended BestD = 0;
    for (int32_t i = 0; i < PlineSegCount(P); ++i) {
        Extended D;
        if (Score(i, D) && (Best < 0 || D < BestD)) {
            Best = i;
            BestD = D;
        }
    }
    return Best;
}

}  // namespace

// Long polylines are searched through their segment boxes near the pointer; what each
// kind snaps to must be what its definition gives over every segment.
TEST_F(OsnapTest, LongPolylinesSnapAsOverAllTheirSegments) {
    TObjHeader* W1 = Wave({0, 40}, {100, 60}, 3, 9, 700);
    TObjHeader* W2 = Wave({10, 0}, {90, 100}, 2, 7, 500);
    constexpr Extended A = 1.5L;
    std::mt19937 Rng(5);
    std::uniform_real_distribution<double> U(-3, 3);
    int Checked[7] = {};
    for (int k = 0; k < 150; ++k) {
        const Osy C{50 + U(Rng), 50 + U(Rng)};
        const Osy B{C.x + 0.01L, C.y - 0.02L};  // the last point: feet fall on short segments
        // The pair: the two nearest within the aperture by the whole-polyline distance.
        int32_t Seg1, Seg2;
        const Extended D1 = EnPline.DistPoint(W1, C, Seg1), D2 = EnPline.DistPoint(W2, C, Seg2);
        std::vector<std::pair<TObjHeader*, int32_t>> Pair;
        if (D1 <= A) Pair.push_back({W1, Seg1});
        if (D2 <= A) Pair.insert(D2 < D1 ? Pair.begin() : Pair.end(), {W2, Seg2});
        for (const char* Kind : {"I", "M", "E", "P", "C"}) {
            Osy Out;
            const uint8_t Got = OsnapSearch(MainVars.DataStart, Kinds(Kind), C, B, A, Out);
            bool Has = false;
            Osy Want{};
            if (!Pair.empty()) {
                const TObjHeader* P = Pair[0].first;
                const TPlineSeg* Sg = PlineSegs(P);
                auto Start = [&](int32_t i) { return PlineSegStart(P, i); };
                if (*Kind == 'I' && Pair.size() == 2) {
                    // The crossing nearest to C of segments both coming into the aperture.
                    const TIdxBox Q{double(C.x - A) - 1e-4, double(C.y - A) - 1e-4, double(C.x + A) + 1e-4,
                                    double(C.y + A) + 1e-4};
                    const TObjHeader* P2 = Pair[1].first;
                    const TPlineSeg* Sg2 = PlineSegs(P2);
                    Extended BestD = 0;
                    for (int32_t i = 0; i < PlineSegCount(P); ++i) {
                        if (!pline::SegBox(Start(i), Sg[i].E, Sg[i].Alfa).Meets(Q)) continue;
                        for (int32_t j = 0; j < PlineSegCount(P2); ++j) {
                            const Osy S2 = PlineSegStart(P2, j);
                            if (!pline::SegBox(S2, Sg2[j].E, Sg2[j].Alfa).Meets(Q)) continue;
                            Osy X[2];
                            const unsigned N = IntersSegSeg(Start(i), Sg[i].E, S2, Sg2[j].E, Sg[i].Alfa, Sg2[j].Alfa, X[0], X[1]);
                            for (unsigned n = 0; n < N && n < 2; ++n)
                                if (!Has || Dist(X[n], C) < BestD) {
                                    Has = true;
                                    BestD = Dist(X[n], C);
                                    Want = X[n];
                                }
                        }
                    }
                } else if (*Kind == 'M' || *Kind == 'E') {
                    const int32_t Foot = std::max(0, FirstLeast(P, [&](int32_t i, Extended& D) {
                        Osy F;
                        return pline::PerpFootSeg(C, Start(i), Sg[i].E, Sg[i].Alfa, F, D);
                    }));
                    Has = true;
                    if (*Kind == 'M') {
                        SegMidPt(Start(Foot), Sg[Foot].E, Sg[Foot].Alfa, Want);
                    } else {
                        // The nearest vertex within the aperture, else the nearer end of the foot's segment.
                        Extended BestD = A;
                        bool Vertex = false;
                        for (int32_t i = -1; i < PlineSegCount(P); ++i) {
                            const Osy V = i < 0 ? AsPline(P)->S : Sg[i].E;
                            if (Dist(V, C) < BestD) {
                                BestD = Dist(V, C);
                                Want = V;
                                Vertex = true;
                            }
                        }
                        if (!Vertex) Want = Dist(Sg[Foot].E, C) <= Dist(Start(Foot), C) ? Sg[Foot].E : Start(Foot);
                    }
                } else if (*Kind == 'P') {
                    const int32_t I = Pair[0].second;
                    if (!pline::IsLine(Sg[I].Alfa)) continue;  // arcs are met by the table above
                    Extended D;
                    Has = PerpFootLine(B, Start(I), Sg[I].E, Want, D);
                    if (!Has && Pair.size() == 2) continue;  // the second object's turn
                } else if (*Kind == 'C') {
                    const int32_t I = FirstLeast(P, [&](int32_t i, Extended& D) {
                        if (pline::IsLine(Sg[i].Alfa)) return false;
                        Osy M;
                        SegMidPt(Start(i), Sg[i].E, Sg[i].Alfa, M);
                        D = Dist(M, C);
                        return true;
                    });
                    Extended R;
                    ArcCenter(Start(I), Sg[I].E, Sg[I].Alfa, Want, R);
                    Has = true;
                }
            }
            ASSERT_EQ(Got != 0, Has) << Kind << " at " << double(C.x) << ", " << double(C.y);
            if (!Has) continue;
            ++Checked[Got];
            EXPECT_TRUE(Out.x == Want.x && Out.y == Want.y) << Kind << " at " << double(C.x) << ", " << double(C.y);
        }
    }
    for (uint8_t K : {osKindInt, osKindMid, osKindEnd, osKindPer, osKindCen}) EXPECT_GT(Checked[K], 10) << int(K);
}
