#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <utility>

#include "table/flag_table.h"
#include "table_builder.h"

namespace {

using VersionExists = TableTest;

TEST(FindApplication, EmptyTableFindsNothing)
{
    auto t = NewTable();
    EXPECT_EQ(-1, FindApplication(*t, Input("NOTEPAD.EXE")));
}

TEST(FindApplication, IgnoresLetterCaseAndTakesTheLowestIndex)
{
    auto t = NewTable();
    AddApps(*t, {"WORDPAD.EXE", "NOTEPAD.EXE", "Notepad.exe"});
    EXPECT_EQ(1, FindApplication(*t, Input("notepad.exe")));
    EXPECT_EQ(-1, FindApplication(*t, Input("notepad.ex"))) << "a prefix is no match";
    EXPECT_EQ(-1, FindApplication(*t, Input("notepad.exe2"))) << "a longer name is no match";
}

TEST(FindApplication, ComparesOnlyTheNamesInUse)
{
    auto t = NewTable();
    AddApp(*t, "A.EXE");
    std::strcpy(t->appNames[1], "B.EXE");  // beyond appCount
    EXPECT_EQ(-1, FindApplication(*t, Input("B.EXE")));
}

TEST_F(VersionExists, EmptyTableHasNoVersion)
{
    InputValues in = {};
    EXPECT_EQ(0, VersionExistsForApp(*t, in, 0));
    EXPECT_EQ(0, VersionExistsForEntry(*t, in, 0));
}

TEST_F(VersionExists, OnlyTheSameApplicationWithBothHalvesEqualCounts)
{
    AddTable(*t, {"A.EXE", "B.EXE"}, {{0, 1, 2}, {1, 5, 6}});
    InputValues in = Input("", 5, 6);
    EXPECT_EQ(0, VersionExistsForApp(*t, in, 0)) << "same version under another application";
    EXPECT_EQ(1, VersionExistsForApp(*t, in, 1));
    EXPECT_EQ(0, VersionExistsForEntry(*t, in, 0));
    EXPECT_EQ(1, VersionExistsForEntry(*t, in, 1));
    EXPECT_EQ(0, VersionExistsForApp(*t, Input("", 1, 6), 0)) << "MS equal, LS differs";
    EXPECT_EQ(0, VersionExistsForApp(*t, Input("", 5, 2), 0)) << "LS equal, MS differs";
}

TEST(NthEntryOfApp, WalksTheApplicationsEntriesInTableOrder)
{
    auto t = NewTable();
    AddApps(*t, {"A.EXE", "B.EXE"});
    const uint16_t owners[] = {1, 1, 0, 1, 1, 0, 1, 1, 1, 0};
    for (uint16_t owner : owners)
        AddEntry(*t, owner, 0, 0);
    EXPECT_EQ(2, NthEntryOfApp(*t, 0, 0));
    EXPECT_EQ(5, NthEntryOfApp(*t, 0, 1));
    EXPECT_EQ(9, NthEntryOfApp(*t, 0, 2));
    EXPECT_EQ(-1, NthEntryOfApp(*t, 0, 3)) << "past the application's last entry";
    EXPECT_EQ(-1, NthEntryOfApp(*t, 0, -1));
    EXPECT_EQ(3, CountVersions(*t, 0));
    EXPECT_EQ(7, CountVersions(*t, 1));
    EXPECT_EQ(0, CountVersions(*t, 2));
}

// The groups as the per-application scan (NthEntryOfApp) finds them.
::testing::AssertionResult GroupsMatchTheScan(const FlagTable& t, const EntriesByApp& g, int apps, int step = 1)
{
    for (int a = 0; a < apps; a += step) {
        if (GroupSize(g, a) != CountVersions(t, static_cast<uint16_t>(a)))
            return ::testing::AssertionFailure() << "application " << a << " has " << GroupSize(g, a)
                                                 << " entries, the scan counts " << CountVersions(t, static_cast<uint16_t>(a));
        for (int k = 0; k < GroupSize(g, a); ++k) {
            int want = NthEntryOfApp(t, static_cast<uint16_t>(a), k);
            if (g.order[g.first[a] + k] != want)
                return ::testing::AssertionFailure() << "application " << a << " entry " << k << " is "
                                                     << g.order[g.first[a] + k] << ", the scan finds " << want;
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(GroupEntriesByApp, EachApplicationsEntriesInTableOrder)
{
    auto t = NewTable();
    auto g = std::make_unique<EntriesByApp>();
    GroupEntriesByApp(*t, *g);
    EXPECT_EQ(0, GroupSize(*g, 0)) << "empty table";

    AddApps(*t, {"A.EXE", "B.EXE", "C.EXE", "D.EXE"});
    // Interleaved as later additions leave them; C has no entry.
    const uint16_t owners[] = {1, 0, 3, 1, 0, 1, 3};
    for (uint16_t owner : owners)
        AddEntry(*t, owner, t->entryCount, 0);
    GroupEntriesByApp(*t, *g);
    EXPECT_TRUE(GroupsMatchTheScan(*t, *g, 4));
    EXPECT_EQ(0, GroupSize(*g, 2));
    EXPECT_EQ(7, g->first[4]) << "every entry placed once";
    EXPECT_EQ(0, GroupSize(*g, kMaxApps)) << "beyond the table";
    EXPECT_EQ(0, GroupSize(*g, -1));
}

TEST(GroupEntriesByApp, FullTableAndEntriesOfNoApplication)
{
    auto t = NewTable();
    auto g = std::make_unique<EntriesByApp>();
    for (int a = 0; a < kMaxApps; ++a)
        AddApp(*t, "X.EXE");
    for (int i = 0; i < kMaxEntries; ++i)
        AddEntry(*t, static_cast<uint16_t>((i * 7) % kMaxApps), static_cast<uint32_t>(i), 0);
    t->entries[5].appIndex = kFreeSlot;
    t->entries[kMaxEntries - 1].appIndex = kMaxApps;
    GroupEntriesByApp(*t, *g);
    EXPECT_TRUE(GroupsMatchTheScan(*t, *g, kMaxApps, 7));
    EXPECT_EQ(1, GroupSize(*g, 5 * 7 % kMaxApps)) << "the free slot's application keeps its other entry";
    EXPECT_EQ(kMaxEntries - 2, g->first[kMaxApps]) << "entries of no application are left out";
}

TEST(VersionText, EightUpperCaseDigitsEachWithLeadingZeros)
{
    char text[kVersionTextSize];
    VersionText(text, 0x50002, 0xA);
    EXPECT_STREQ("00050002-0000000A", text);
    VersionText(text, 0, 0);
    EXPECT_STREQ("00000000-00000000", text);
    VersionText(text, 0xFFFFFFFF, 0xabcdef12);
    EXPECT_STREQ("FFFFFFFF-ABCDEF12", text);
    EXPECT_EQ(kVersionTextChars, std::strlen(text));
}

TEST(FlagBits, FlagNumbersMapToTheTwoWords)
{
    AppFlagEntry e = {};
    SetFlagBit(e, 0, 1);    // flag 01
    SetFlagBit(e, 31, 1);   // flag 32
    SetFlagBit(e, 32, 1);   // flag 33
    SetFlagBit(e, 63, 1);   // flag 64
    EXPECT_TRUE(FlagsAre(e, 0x80000001u, 0x80000001u));
    SetFlagBit(e, 31, 0);
    EXPECT_EQ(0x00000001u, e.flagsLow);
    for (int k = 0; k < kFlagCount; ++k)
        EXPECT_EQ(k == 0 || k == 32 || k == 63 ? 1 : 0, FlagBit(e, k)) << "flag " << k + 1;
}

TEST(ClearTableContents, ZeroesRecordsNamesAndCounts)
{
    auto t = NewTable();
    AddTable(*t, {"A.EXE"}, {{0, 7, 7}});
    t->modified = 1;
    ClearTableContents(*t);
    EXPECT_TRUE(CountsAre(*t, 0, 0));
    EXPECT_EQ('\0', t->appNames[0][0]);
    EXPECT_EQ(0u, t->entries[0].versionMS);
    EXPECT_EQ(0, t->entries[0].appIndex);
    EXPECT_EQ(1, t->modified) << "modified belongs to the command rules";
}

TEST(NamesEqual, AsTheKeyComparesThemUpperHalfIncluded)
{
    EXPECT_EQ(1, NamesEqual("a-b_c.exe\xE9\x9A\x9C\x9E\xFF\xFE", "A-B_C.EXE\xC9\x8A\x8C\x8E\x9F\xDE"));
    // Not case pairs: brackets and braces, @ and `, the division and
    // multiplication signs; sharp s has no capital here.
    for (auto pair : {std::make_pair("[", "{"), std::make_pair("@", "`"), std::make_pair("\xD7", "\xF7"),
                      std::make_pair("\xDF", "SS")})
        EXPECT_EQ(0, NamesEqual(pair.first, pair.second)) << pair.first;
}

// The pair that a search of every pair finds first: the earliest name that
// has a twin before it, and that twin's first occurrence; {-1, -1}: none.
std::pair<int, int> PairwiseTwins(const char (*names)[kNameSize], uint16_t count)
{
    for (int b = 0; b < count; ++b)
        for (int a = 0; a < b; ++a)
            if (NamesEqual(names[a], names[b]))
                return {a, b};
    return {-1, -1};
}

TEST(FindCaseTwins, FindsWhatASearchOfEveryPairFinds)
{
    auto work = std::make_unique<FoldedNames>();
    auto names = std::make_unique<char[][kNameSize]>(kMaxApps);
    const char alphabet[] = "aAbB\xE9\xC9\xFF\x9F.";
    const unsigned seed = 20261209;
    std::mt19937 random(seed);
    for (int round = 0; round < 300; ++round) {
        uint16_t count = static_cast<uint16_t>(random() % 40);
        for (uint16_t i = 0; i < count; ++i) {
            size_t length = 1 + random() % 3;
            for (size_t k = 0; k < length; ++k)
                names[i][k] = alphabet[random() % (sizeof alphabet - 1)];
            names[i][length] = '\0';
        }
        uint16_t a = 0, b = 0;
        std::pair<int, int> found(-1, -1);
        if (FindCaseTwins(names.get(), count, *work, a, b))
            found = {a, b};
        ASSERT_EQ(PairwiseTwins(names.get(), count), found) << "seed " << seed << " round " << round;
    }
    // A full list of different names, and the same with its last name a twin of its first.
    for (uint16_t i = 0; i < kMaxApps; ++i)
        std::snprintf(names[i], kNameSize, "APP%04u.EXE", i);
    uint16_t a = 0, b = 0;
    EXPECT_FALSE(FindCaseTwins(names.get(), kMaxApps, *work, a, b));
    std::strcpy(names[kMaxApps - 1], "app0000.exe");
    ASSERT_TRUE(FindCaseTwins(names.get(), kMaxApps, *work, a, b));
    EXPECT_EQ(0, a);
    EXPECT_EQ(kMaxApps - 1, b);
}

}  // namespace
