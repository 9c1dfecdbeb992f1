#include <gtest/gtest.h>

#include <cstdint>

#include "table/text_check.h"

namespace {

TEST(IsVersionText, Cases)
{
    static const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"00050001-0A280000", 1},
        {"0001000a-00000000", 1},
        {"FFFFFFFF-ffffffff", 1},
        {"0005001-0A280000", 0},    // a leading zero missing
        {"00050001-0A28000", 0},    // 16 characters
        {"00050001-0A2800000", 0},  // 18 characters
        {"00050001 0A280000", 0},   // space for the hyphen
        {"00050001--A280000", 0},   // a second hyphen
        {"0005000G-0A280000", 0},
        {" 0050001-0A280000", 0},
        {"00050001-0A28000 ", 0},
        {"0x050001-0A280000", 0},
        {"\xC1" "0050001-0A280000", 0},
        {"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, IsVersionText(c.text)) << "\"" << c.text << "\"";
    EXPECT_EQ(0, IsVersionText(nullptr));
}

TEST(ParseVersionText, ReadsBothHalvesAsUnsigned)
{
    uint32_t ms = 0xDEADBEEF, ls = 0xDEADBEEF;
    ASSERT_EQ(1, ParseVersionText("0001000a-FFFFFFFF", &ms, &ls));
    EXPECT_EQ(0x1000Au, ms);
    EXPECT_EQ(0xFFFFFFFFu, ls);
    ASSERT_EQ(1, ParseVersionText("80000000-00000000", &ms, &ls));
    EXPECT_EQ(0x80000000u, ms);
    EXPECT_EQ(0u, ls);
    ms = ls = 0xDEADBEEF;
    EXPECT_EQ(0, ParseVersionText("0001000a 00000000", &ms, &ls));
    EXPECT_EQ(0xDEADBEEFu, ms) << "a refused text writes nothing";
    EXPECT_EQ(0xDEADBEEFu, ls);
}

TEST(ParseHexField, ReadsWhatTheDialogFieldsHold)
{
    static const struct {
        const char* text;
        int ok;
        uint32_t value;
    } cases[] = {
        {"0001000A", 1, 0x1000A},    {"ffffffff", 1, 0xFFFFFFFF}, {"0", 1, 0},
        {"124", 1, 0x124},           {"00000000", 1, 0},          {"1F2a", 1, 0x1F2A},
        {"123456789", 1, 0xFFFFFFFF},  // nine digits do not wrap round
        {"000000001", 1, 1},         {"12g4", 1, 0x12},           {"", 0, 0xDEADBEEF},
        {"g", 0, 0xDEADBEEF},
    };
    for (const auto& c : cases) {
        uint32_t v = 0xDEADBEEF;
        EXPECT_EQ(c.ok, ParseHexField(c.text, &v)) << "\"" << c.text << "\"";
        EXPECT_EQ(c.value, v) << "\"" << c.text << "\"";
    }
}

TEST(AppNameProblem, RefusesEmptyNamesAndTheListSeparator)
{
    EXPECT_EQ(kNameAcceptable, AppNameProblem("NOTEPAD.EXE"));
    EXPECT_EQ(kNameAcceptable, AppNameProblem("my app, v2.exe"));
    EXPECT_EQ(kNameEmpty, AppNameProblem(""));
    EXPECT_EQ(kNameEmpty, AppNameProblem(nullptr));
    EXPECT_EQ(kNameHasSeparator, AppNameProblem("A;B.EXE"));
    EXPECT_EQ(kNameHasSeparator, AppNameProblem(";"));
    EXPECT_EQ(kNameHasSeparator, AppNameProblem("NOTEPAD.EXE;"));
    // Control characters are refused; the rest of the byte range is a name's.
    for (const char* name : {"A\rB", "\x01", "A\x1F", "A\x7F", "\tA"})
        EXPECT_EQ(kNameHasControl, AppNameProblem(name)) << name;
    EXPECT_EQ(kNameAcceptable, AppNameProblem("A B\x80\xFF~.EXE"));
}

}  // namespace
