#include <gtest/gtest.h>

#include <cstring>

#include "dialogs/hex_filter.h"

namespace {

TEST(RemoveNonHexChars, Cases)
{
    static const struct {
        const char* text;
        const char* left;
        int removed;
    } cases[] = {
        {"12g4", "124", 1},
        {"0x1F-2a", "01F2a", 1},
        {"0123abCD", "0123abCD", 0},
        {"", "", 0},
        {"ggg", "", 1},              // a run removed whole
        {"1ggg2", "12", 1},
        {"\x80\xFF" "A\xE9" "9", "A9", 1},  // bytes of 0x80 and above
        {" 1 ", "1", 1},
        {"G", "", 1},
    };
    for (const auto& c : cases) {
        char buffer[16];
        // Sentinel behind the text: the shift must stop at the terminator.
        std::memset(buffer, '#', sizeof buffer);
        std::strcpy(buffer, c.text);
        size_t end = std::strlen(c.text);
        EXPECT_EQ(c.removed, RemoveNonHexChars(buffer)) << "\"" << c.text << "\"";
        EXPECT_STREQ(c.left, buffer) << "\"" << c.text << "\"";
        for (size_t k = end + 1; k < sizeof buffer; ++k)
            EXPECT_EQ('#', buffer[k]) << "\"" << c.text << "\" byte " << k;
    }
    EXPECT_EQ(0, RemoveNonHexChars(nullptr));
}

}  // namespace
