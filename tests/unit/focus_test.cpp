#include <gtest/gtest.h>

#include "main/focus.h"
#include "resource.h"

namespace {

struct RingCase {
    uint16_t from;
    uint16_t next;
    uint16_t previous;
};

TEST(FocusRing, JointsAndMiddle)
{
    const RingCase cases[] = {
        {701, 702, 864}, {702, 703, 701}, {703, 801, 702}, {801, 802, 703}, {802, 803, 801},
        {837, 838, 836}, {863, 864, 862}, {864, 701, 863},
        // outside the ring: before start-up, and ids that are no ring control
        {0, 701, 863},   {700, 701, 863}, {704, 701, 863}, {800, 701, 863}, {865, 701, 863},
        {IDM_STARTUP, 701, 863},
    };
    for (const RingCase& c : cases) {
        EXPECT_EQ(c.next, NextRingControl(c.from)) << "Tab from " << c.from;
        EXPECT_EQ(c.previous, PreviousRingControl(c.from)) << "Shift+Tab from " << c.from;
    }
}

TEST(FocusRing, TabVisitsAll67ControlsOnceAndReturns)
{
    bool seen[1000] = {};
    uint16_t id = IDC_PRINTER;
    for (int step = 0; step < 67; ++step) {
        ASSERT_TRUE(IsRingControl(id)) << "step " << step << " id " << id;
        EXPECT_FALSE(seen[id]) << "visited twice: " << id;
        seen[id] = true;
        id = NextRingControl(id);
    }
    EXPECT_EQ(IDC_PRINTER, id);
}

TEST(FocusRing, ShiftTabUndoesTab)
{
    for (uint16_t id = 0; id < 1000; ++id) {
        if (!IsRingControl(id))
            continue;
        EXPECT_EQ(id, PreviousRingControl(NextRingControl(id))) << id;
        EXPECT_EQ(id, NextRingControl(PreviousRingControl(id))) << id;
    }
}

TEST(FocusRing, RingMembers)
{
    int count = 0;
    for (uint16_t id = 0; id < 1000; ++id)
        count += IsRingControl(id);
    EXPECT_EQ(67, count);
}

}  // namespace

#include "base/control_ids.h"

namespace {

TEST(FlagBoxIds, OneContiguousRange)
{
    EXPECT_EQ(801, FlagBoxId(0));
    EXPECT_EQ(864, FlagBoxId(63));
    EXPECT_EQ(-1, FlagIndexOfId(800));
    EXPECT_EQ(0, FlagIndexOfId(801));
    EXPECT_EQ(36, FlagIndexOfId(837));
    EXPECT_EQ(63, FlagIndexOfId(864));
    EXPECT_EQ(-1, FlagIndexOfId(865));
    EXPECT_EQ(-1, FlagIndexOfId(IDC_VERSION));
    for (int k = 0; k < 64; ++k)
        EXPECT_EQ(k, FlagIndexOfId(FlagBoxId(k))) << k;
}

}  // namespace
