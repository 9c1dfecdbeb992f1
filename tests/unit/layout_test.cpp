#include <gtest/gtest.h>

#include "main/layout.h"

namespace {

::testing::AssertionResult RectIs(const Rect& expected, const Rect& actual)
{
    if (expected.x == actual.x && expected.y == actual.y && expected.width == actual.width &&
        expected.height == actual.height)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected (" << expected.x << "," << expected.y << " "
                                         << expected.width << "x" << expected.height << ") got (" << actual.x
                                         << "," << actual.y << " " << actual.width << "x" << actual.height << ")";
}

TEST(Layout, FiguresForMenuHeight19)
{
    EXPECT_TRUE(RectIs({0, 0, 608, 437}, MainWindowSize(19)));
    EXPECT_TRUE(RectIs({19, 38, 532, 114}, PrinterComboRect(19)));
    EXPECT_TRUE(RectIs({19, 95, 247, 114}, AppComboRect(19)));
    EXPECT_TRUE(RectIs({304, 95, 247, 114}, VersionComboRect(19)));
    EXPECT_TRUE(RectIs({38, 149, 47, 19}, FlagBoxRect(0, 19)));
}

TEST(Layout, FlagBoxesGoDownEachColumn)
{
    struct Case {
        int flag;  // as labelled, 1..64
        int x;
        int y;
    };
    // u = 19: columns at 2u, 7u, 12u, 17u, 22u, 27u; rows from 8u - 3 down.
    const Case cases[] = {
        {1, 38, 149},   {2, 38, 168},   {12, 38, 358},  {13, 133, 149}, {24, 133, 358},
        {49, 418, 149}, {60, 418, 358}, {61, 513, 149}, {64, 513, 206},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(RectIs({c.x, c.y, 47, 19}, FlagBoxRect(c.flag - 1, 19))) << "flag " << c.flag;
}

TEST(Layout, SixthColumnHoldsOnlyFourBoxes)
{
    int inSixth = 0;
    int maxY = 0;
    for (int i = 0; i < 64; ++i) {
        Rect r = FlagBoxRect(i, 19);
        if (r.x == 27 * 19) {
            ++inSixth;
            maxY = r.y > maxY ? r.y : maxY;
        }
    }
    EXPECT_EQ(4, inSixth);
    EXPECT_EQ(11 * 19 - 3, maxY);
}

TEST(Layout, BoxWidthIsTruncatedHalfOfFiveUnits)
{
    EXPECT_EQ(47, FlagBoxRect(0, 19).width);
    EXPECT_EQ(45, FlagBoxRect(0, 18).width);
    EXPECT_EQ(50, FlagBoxRect(0, 20).width);
    EXPECT_TRUE(RectIs({0, 0, 640, 460}, MainWindowSize(20)));
}

TEST(Layout, NoTwoFlagBoxesOverlap)
{
    for (int i = 0; i < 64; ++i) {
        Rect a = FlagBoxRect(i, 19);
        for (int j = i + 1; j < 64; ++j) {
            Rect b = FlagBoxRect(j, 19);
            bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y ||
                         b.y + b.height <= a.y;
            EXPECT_TRUE(apart) << "flags " << i + 1 << " and " << j + 1;
        }
    }
}

TEST(Layout, CaptionsAndShortcutStrokes)
{
    // u = 19, a = 8: d = 13.
    CaptionLayout t = CaptionAt(0, 19, 8);
    EXPECT_STREQ("Target Printer", t.text);
    EXPECT_EQ(19, t.origin.x);
    EXPECT_EQ(19, t.origin.y);
    EXPECT_EQ(19, t.strokeFrom.x);
    EXPECT_EQ(33, t.strokeFrom.y);
    EXPECT_EQ(27, t.strokeTo.x);
    EXPECT_EQ(33, t.strokeTo.y);

    CaptionLayout a = CaptionAt(1, 19, 8);
    EXPECT_STREQ("Application", a.text);
    EXPECT_EQ(76, a.origin.y);
    EXPECT_EQ(90, a.strokeFrom.y);

    CaptionLayout v = CaptionAt(2, 19, 8);
    EXPECT_STREQ("VersionMS and LS", v.text);
    EXPECT_EQ(304, v.origin.x);
    EXPECT_EQ(304, v.strokeFrom.x);
    EXPECT_EQ(312, v.strokeTo.x);
    EXPECT_EQ(90, v.strokeTo.y);

    CaptionLayout f = CaptionAt(3, 19, 8);
    EXPECT_STREQ("Flags", f.text);
    EXPECT_EQ(133, f.origin.y);
    EXPECT_EQ(35, f.strokeFrom.x);
    EXPECT_EQ(149, f.strokeFrom.y);
    EXPECT_EQ(43, f.strokeTo.x);
    EXPECT_EQ(149, f.strokeTo.y);
}

TEST(Layout, StrokeOffsetTruncates)
{
    // a = 7: d = 70 / 6 = 11, the stroke one pixel under it.
    EXPECT_EQ(19 + 11 + 1, CaptionAt(0, 19, 7).strokeFrom.y);
}

}  // namespace
