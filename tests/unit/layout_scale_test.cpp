// The layout at any display scale: the table of control rectangles that a
// relayout walks, and the strokes placed under their letters.
#include <gtest/gtest.h>

#include "main/layout.h"

namespace {

bool SameRect(const Rect& a, const Rect& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

TEST(LayoutAtScale, ControlRectIsEachControlsOwn)
{
    for (int u : {19, 24, 28, 37, 55}) {
        EXPECT_TRUE(SameRect(PrinterComboRect(u), ControlRect(701, u))) << "u " << u;
        EXPECT_TRUE(SameRect(AppComboRect(u), ControlRect(702, u))) << "u " << u;
        EXPECT_TRUE(SameRect(VersionComboRect(u), ControlRect(703, u))) << "u " << u;
        for (int k = 0; k < 64; ++k)
            EXPECT_TRUE(SameRect(FlagBoxRect(k, u), ControlRect(801 + k, u))) << "u " << u << ", flag " << k + 1;
    }
    EXPECT_TRUE(SameRect({0, 0, 0, 0}, ControlRect(704, 19)));
    EXPECT_TRUE(SameRect({0, 0, 0, 0}, ControlRect(865, 19)));
}

TEST(LayoutAtScale, StrokeOneClearRowUnderTheLettersInk)
{
    // u = 28 (150 %): "Flags" at (28, 196), its "g" inked over columns
    // 26..34 and down to row 19 of the text.
    CaptionLayout f = CaptionOverLetter(3, 28, {26, 35, 19});
    EXPECT_STREQ("Flags", f.text);
    EXPECT_EQ(3, ShortcutLetterIndex(3));
    EXPECT_EQ(28, f.origin.x);
    EXPECT_EQ(196, f.origin.y);
    EXPECT_EQ(28 + 26, f.strokeFrom.x);
    EXPECT_EQ(28 + 35, f.strokeTo.x);
    EXPECT_EQ(196 + 19 + 2, f.strokeFrom.y);
    EXPECT_EQ(f.strokeFrom.y, f.strokeTo.y);
    for (int i = 0; i < 3; ++i) {
        CaptionLayout c = CaptionOverLetter(i, 28, {0, 10, 15});
        EXPECT_EQ(0, ShortcutLetterIndex(i)) << c.text;
        EXPECT_STREQ(CaptionAt(i, 28, 7).text, c.text);
        EXPECT_EQ(CaptionAt(i, 28, 7).origin.x, c.strokeFrom.x) << c.text;
        EXPECT_EQ(CaptionAt(i, 28, 7).origin.y + 17, c.strokeFrom.y) << c.text;
    }
}

}  // namespace
