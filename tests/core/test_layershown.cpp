// Every kind of object follows its layer's Show switch alike, layer 68 included:
// hidden objects are neither drawn nor picked.
#include <gtest/gtest.h>

#include "core/Entity.h"
#include "core/Glob.h"
#include "core/LayerShown.h"
#include "core/ObjRecords.h"
#include "core/UniDraw.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "platform/RecordingCanvas.h"
#include "support/DrawArea.h"
#include "support/Fixture.h"

namespace {

class LayerShownTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        SetTestDrawArea();
        Glob.View = vLayer;
        MainCanvas = &C;
    }
    void TearDown() override {
        FreeObjList(Start, End);
        KestrilonTest::TearDown();
    }
    TObjHeader *Start = nullptr, *End = nullptr;
    TRecordingCanvas C{800, 600};
};

TEST_F(LayerShownTest, PointsAndPolylinesOnEveryLayerFollowTheSwitch) {
    for (const uint8_t La : {uint8_t(5), uint8_t(65), uint8_t(68)}) {
        for (const bool Show : {false, true}) {
            Glob.TabLayer[La].Show = Show;
            EXPECT_EQ(LayerShown(La), Show) << int(La);
            TObjHeader* Objs[] = {EnPoint.Add({10, 10}, La, Start, End), nullptr};
            EnPline.LineAdd({0, 0}, {20, 20}, La, Start, End);
            Objs[1] = End;
            for (TObjHeader* p : Objs) {
                C.Reset();
                DrawObj(p, &C);
                EXPECT_EQ(C.Ops.empty(), !Show) << int(La) << " kind " << int(p->Type);
                EXPECT_EQ(SelectObj(p, {0, 0}, {30, 30}, true), Show) << int(La) << " kind " << int(p->Type);
                EXPECT_EQ((p->Flags & FlagSelected) != 0, Show) << int(La) << " kind " << int(p->Type);
            }
            FreeObjList(Start, End);
        }
    }
    EXPECT_FALSE(LayerShown(LayerCount + 1));
}

}  // namespace
