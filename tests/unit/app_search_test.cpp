// Find Application over the table: the next name that holds the text,
// letter case ignored, round from the last application to the first.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <random>
#include <string>

#include "table/app_search.h"
#include "table_builder.h"

namespace {

class AppSearch : public TableTest {
protected:
    int Find(uint16_t from, const char* text) { return FindNextApplication(*t, from, text, *index); }

    std::unique_ptr<AppSearchIndex> index = std::make_unique<AppSearchIndex>();
};

TEST_F(AppSearch, NextNameHoldingTheTextInAnyCaseRoundToTheFirst)
{
    EXPECT_EQ(-1, Find(0, "a")) << "an empty table";
    AddApps(*t, {"WINWORD.EXE", "notepad.exe", "MSPAINT.EXE", "Calc.exe"});
    const struct {
        uint16_t from;
        const char* text;
        int found;
    } cases[] = {
        {0, "t", 1}, {1, "T", 2},             // in the middle of a name, in either case
        {2, "Pad.E", 1},                      // round past the last to the first
        {1, "NOTEPAD", 1},                    // the current one only: found again
        {0, "paint.exe ", -1}, {0, "", -1},   // nothing holds it
        {9, "e", 0},                          // from beyond the table: the first first
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.found, Find(c.from, c.text)) << "from " << c.from << ", \"" << c.text << "\"";
    EXPECT_EQ(-1, Find(0, std::string(kMaxNameChars + 1, 'E').c_str()));
    // A name changed since the last find, as the table's count of row changes says.
    std::strcpy(t->appNames[0], "PAINTER.EXE");
    ++t->appRowsChanges;
    EXPECT_EQ(0, Find(3, "painter"));
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Random names of a few letters and texts cut from them in either case,
// against a plain walk round the table.
TEST_F(AppSearch, AgreesWithAWalkRoundTheTable)
{
    const unsigned seed = 2260;
    std::mt19937 random(seed);
    auto letters = [&](size_t n) {
        std::string s;
        while (s.size() < n)
            s += "abAB.e"[random() % 6];
        return s;
    };
    for (int round = 0; round < 500; ++round) {
        t = NewTable();
        *index = AppSearchIndex{};
        int apps = 1 + static_cast<int>(random() % 12);
        for (int a = 0; a < apps; ++a)
            AddApp(*t, letters(1 + random() % 8).c_str());
        std::string text = letters(1 + random() % 3);
        uint16_t from = static_cast<uint16_t>(random() % (apps + 1));
        int expected = -1;
        for (int step = 1; step <= apps && expected < 0; ++step) {
            int app = ((from < apps ? from : apps - 1) + step) % apps;
            if (Lower(t->appNames[app]).find(Lower(text)) != std::string::npos)
                expected = app;
        }
        ASSERT_EQ(expected, Find(from, text.c_str()))
            << "seed " << seed << ", round " << round << ", from " << from << ", \"" << text << "\"";
    }
}

}  // namespace
