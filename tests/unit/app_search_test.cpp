// Find Application over the table: the next name that holds the text,
// letter case ignored, round from the last application to the first.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <cctype>
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
    AddApps(*t, {"WINWORD.EXE", "notepad.exe", "MSPAINT.EXE", "Calc.exe"});
    struct Case {
        uint16_t from;
        const char* text;
        int found;
    } cases[] = {
        {0, "t", 1},            // in the middle of the name
        {1, "T", 2},            // the letter case of neither matters
        {2, "Pad.E", 1},        // round past the last to the first
        {3, "winword.exe", 0},  // a whole name
        {1, "NOTEPAD", 1},      // the current one only: found again
        {0, "paint.exe ", -1},  // nothing holds it
        {0, "", -1},
        {9, "e", 0},            // from beyond the table: the first first
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.found, Find(c.from, c.text)) << "from " << c.from << ", \"" << c.text << "\"";
    std::string longest(kMaxNameChars + 1, 'E');
    EXPECT_EQ(-1, Find(0, longest.c_str()));
}

TEST_F(AppSearch, EmptyTableFindsNothing)
{
    EXPECT_EQ(-1, Find(0, "a"));
}

// The index follows the names as the table's row count of changes says.
TEST_F(AppSearch, NamesChangedSinceTheLastFindAreSearched)
{
    AddApps(*t, {"WINWORD.EXE", "NOTEPAD.EXE"});
    EXPECT_EQ(-1, Find(0, "paint"));
    std::strcpy(t->appNames[1], "MSPAINT.EXE");
    ++t->appRowsChanges;
    EXPECT_EQ(1, Find(0, "paint"));
    AddApp(*t, "PAINTER.EXE");
    ++t->appRowsChanges;
    EXPECT_EQ(2, Find(1, "paint"));
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
        for (size_t k = 0; k < n; ++k)
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
