// The layout at any display scale: the control rectangles a relayout walks
// by ID, and a stroke one clear row under its letter's ink.
#include <gtest/gtest.h>

#include <cstring>

#include "main/layout.h"

namespace {

TEST(LayoutAtScale, ControlRectIsEachControlsOwn)
{
    for (int u : {19, 28, 37}) {
        Rect expected[67] = {PrinterComboRect(u), AppComboRect(u), VersionComboRect(u)};
        for (int k = 0; k < 64; ++k)
            expected[3 + k] = FlagBoxRect(k, u);
        for (int i = 0; i < 67; ++i) {
            Rect r = ControlRect(i < 3 ? 701 + i : 801 + i - 3, u);
            EXPECT_EQ(0, std::memcmp(&expected[i], &r, sizeof r)) << "u " << u << ", control " << i;
        }
        EXPECT_EQ(0, ControlRect(865, u).width);
    }
}

TEST(LayoutAtScale, StrokeOneClearRowUnderTheLettersInk)
{
    // u = 28 (150 %): the "g" of "Flags" at (28, 196) inked over columns
    // 26..34 and down to row 19 of the text.
    CaptionLayout f = CaptionOverLetter(3, 28, {26, 35, 19});
    EXPECT_EQ(3, ShortcutLetterIndex(3));
    EXPECT_STREQ("Flags", f.text);
    EXPECT_EQ(28 + 26, f.strokeFrom.x);
    EXPECT_EQ(28 + 35, f.strokeTo.x);
    EXPECT_EQ(196 + 19 + 2, f.strokeFrom.y);
    EXPECT_EQ(f.strokeFrom.y, f.strokeTo.y);
    CaptionLayout v = CaptionOverLetter(2, 28, {0, 10, 15});
    EXPECT_EQ(0, ShortcutLetterIndex(2));
    EXPECT_EQ(16 * 28, v.strokeFrom.x);
    EXPECT_EQ(4 * 28 + 17, v.strokeFrom.y);
}

}  // namespace
