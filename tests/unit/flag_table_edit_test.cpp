// The table half of the editing commands: what each leaves in the table.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "table/flag_table.h"
#include "table_builder.h"
#include "table/flag_table_edit.h"
#include "store/registry_layout.h"

namespace {

using TableAdd = TableTest;
using TableCapacity = TableTest;
using TableFlags = TableTest;
using TableSort = TableTest;

::testing::AssertionResult SlotIsFree(const FlagTable& t, uint16_t i)
{
    const AppFlagEntry& e = t.entries[i];
    if (e.appIndex == kFreeSlot && e.tag == 0 && e.versionMS == 0 && e.versionLS == 0 && e.flagsLow == 0 &&
        e.flagsHigh == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "slot " << i << " not cleared: appIndex " << e.appIndex << " ms "
                                         << e.versionMS;
}

// One field of the entries of application `app` (of every application when
// -1) in table order.
template <typename Field>
std::vector<uint32_t> FieldOf(const FlagTable& t, Field AppFlagEntry::*field, int app = -1)
{
    std::vector<uint32_t> v;
    for (uint16_t i = 0; i < t.entryCount; ++i)
        if (app < 0 || t.entries[i].appIndex == app)
            v.push_back(t.entries[i].*field);
    return v;
}

TEST_F(TableAdd, NewApplicationGetsItsFirstVersionAtTheEnd)
{
    AddTable(*t, {"A.EXE"}, {{0, 1, 1, 0xFF, 0xFF, 7}});
    InputValues in = Input("notepad.exe", 0x50001, 0xA280000);
    ASSERT_EQ(1, TableAddApplication(*t, in));
    EXPECT_TRUE(CountsAre(*t, 2, 2));
    EXPECT_STREQ("notepad.exe", t->appNames[1]) << "appNames keeps the letter case";
    EXPECT_EQ(1, t->currentApp);
    EXPECT_EQ(1, t->currentEntry);
    const AppFlagEntry& e = t->entries[1];
    EXPECT_EQ(1, e.appIndex);
    EXPECT_EQ(1u, e.tag);
    EXPECT_TRUE(VersionIs(e, 0x50001u, 0xA280000u));
    EXPECT_TRUE(FlagsAre(e, 0u, 0u));
    EXPECT_EQ(1, t->modified);
}

TEST_F(TableAdd, VersionGoesToTheEndOfTheTableAsTheLastVersion)
{
    AddTable(*t, {"A.EXE", "B.EXE"}, {{0, 1, 1}, {1, 1, 2}});
    InputValues in = Input("", 9, 3);
    ASSERT_EQ(1, TableAddVersion(*t, in, 0));
    EXPECT_EQ(3, t->entryCount);
    EXPECT_EQ(2, t->currentEntry);
    EXPECT_EQ(0, t->entries[2].appIndex);
    EXPECT_EQ((std::vector<uint32_t>{1, 3}), FieldOf(*t, &AppFlagEntry::versionLS, 0));
    EXPECT_EQ(1, t->modified);
    EXPECT_EQ(0, TableAddVersion(*t, in, 2)) << "no application 2";
}

TEST_F(TableAdd, RefusesNamesTheStoredListCannotHold)
{
    InputValues in = Input("", 1, 1);
    EXPECT_EQ(0, TableAddApplication(*t, in));
    in = Input("A;B.EXE", 1, 1);
    EXPECT_EQ(0, TableAddApplication(*t, in));
    EXPECT_TRUE(CountsAre(*t, 0, 0));
    EXPECT_EQ(0, t->modified);
}

TEST_F(TableAdd, NameOfEightyCharactersIsKeptWhole)
{
    InputValues in = {};
    std::memset(in.inputAppName, 'N', kMaxNameChars);
    ASSERT_EQ(1, TableAddApplication(*t, in));
    EXPECT_EQ(kMaxNameChars, std::strlen(t->appNames[0]));
}

TEST_F(TableCapacity, RefusesAtFiveThousandApplications)
{
    for (int i = 0; i < kMaxApps; ++i) {
        std::snprintf(t->appNames[i], kNameSize, "APP%d.EXE", i);
        AddEntry(*t, static_cast<uint16_t>(i), 1, 0);
    }
    t->appCount = kMaxApps;
    EXPECT_EQ(kNoRoomForApplication, RoomForApplication(*t));
    InputValues in = Input("NEW.EXE", 2, 0);
    EXPECT_EQ(0, TableAddApplication(*t, in));
    EXPECT_TRUE(CountsAre(*t, kMaxApps, kMaxApps));
    EXPECT_EQ(0, t->modified);
    EXPECT_EQ(kRoomAvailable, RoomForVersion(*t, 0)) << "a version of an existing application still fits";
    t->appCount = kMaxApps - 1;
    EXPECT_EQ(kRoomAvailable, RoomForApplication(*t));
}

TEST_F(TableCapacity, RefusesAtTenThousandEntries)
{
    // 200 applications of 50 versions each fill every entry slot.
    for (int i = 0; i < 200; ++i) {
        std::snprintf(t->appNames[i], kNameSize, "APP%d.EXE", i);
        for (int k = 0; k < 50; ++k)
            AddEntry(*t, static_cast<uint16_t>(i), 1, static_cast<uint32_t>(k));
    }
    t->appCount = 200;
    ASSERT_EQ(kMaxEntries, t->entryCount);
    EXPECT_EQ(kNoRoomForEntry, RoomForApplication(*t));
    EXPECT_EQ(kNoRoomForEntry, RoomForVersion(*t, 0));
    InputValues in = Input("NEW.EXE", 2, 0);
    EXPECT_EQ(0, TableAddApplication(*t, in));
    EXPECT_EQ(0, TableAddVersion(*t, in, 0));
    EXPECT_TRUE(CountsAre(*t, 200, kMaxEntries));
    EXPECT_EQ(0, t->modified);
}

TEST_F(TableCapacity, RefusesTheHundredthVersionOfAnApplication)
{
    AddApps(*t, {"A.EXE", "B.EXE"});
    for (int k = 0; k < kMaxVersionsPerApp - 1; ++k)
        AddEntry(*t, 0, 1, static_cast<uint32_t>(k));
    AddEntry(*t, 1, 1, 0);
    InputValues in = Input("", 2, 0);
    ASSERT_EQ(1, TableAddVersion(*t, in, 0)) << "the 99th version fits";
    EXPECT_EQ(kNoRoomForVersion, RoomForVersion(*t, 0));
    t->modified = 0;
    in = Input("", 3, 0);
    EXPECT_EQ(0, TableAddVersion(*t, in, 0));
    EXPECT_EQ(kMaxVersionsPerApp, CountVersions(*t, 0));
    EXPECT_EQ(0, t->modified);
    EXPECT_EQ(1, TableAddVersion(*t, in, 1)) << "the other application has room";
}

TEST(TableDeleteApplication, SecondOfFourMovesTheLaterOnesDown)
{
    auto t = NewTable();
    AddApps(*t, {"A.EXE", "B.EXE", "C.EXE", "D.EXE"});
    // Interleaved: B's entries at 1 and 4.
    AddEntries(*t, {{0, 0, 10}, {1, 0, 20}, {2, 0, 30}, {1, 0, 21}, {3, 0, 40}, {2, 0, 31}});
    t->currentApp = 1;
    t->currentEntry = 3;
    ASSERT_EQ(1, TableDeleteApplication(*t, 1));
    EXPECT_TRUE(CountsAre(*t, 3, 4));
    EXPECT_STREQ("A.EXE", t->appNames[0]);
    EXPECT_STREQ("C.EXE", t->appNames[1]);
    EXPECT_STREQ("D.EXE", t->appNames[2]);
    for (size_t k = 0; k < kNameSize; ++k)
        ASSERT_EQ('\0', t->appNames[3][k]) << "old last name slot, byte " << k;
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 2, 1}), FieldOf(*t, &AppFlagEntry::appIndex));
    EXPECT_EQ((std::vector<uint32_t>{10, 30, 40, 31}), FieldOf(*t, &AppFlagEntry::versionLS));
    EXPECT_TRUE(SlotIsFree(*t, 4));
    EXPECT_TRUE(SlotIsFree(*t, 5));
    EXPECT_EQ(0, t->currentApp);
    EXPECT_EQ(0, t->currentEntry);
    EXPECT_EQ(1, t->modified);
}

TEST(TableDeleteApplication, TheOnlyOneLeavesAnEmptyTable)
{
    auto t = NewTable();
    AddTable(*t, {"A.EXE"}, {{0, 1, 1, 5, 5}, {0, 1, 2, 5, 5}});
    ASSERT_EQ(1, TableDeleteApplication(*t, 0));
    EXPECT_TRUE(CountsAre(*t, 0, 0));
    EXPECT_TRUE(SlotIsFree(*t, 0));
    EXPECT_TRUE(SlotIsFree(*t, 1));
    EXPECT_STREQ("", t->appNames[0]);
    EXPECT_EQ(0, TableDeleteApplication(*t, 0)) << "nothing left to delete";
}

TEST(TableDeleteVersion, MiddleVersionMovesEveryLaterEntryDown)
{
    auto t = NewTable();
    AddTable(*t, {"A.EXE", "B.EXE"},
                 {{1, 0, 100}, {0, 0, 1, 0x11}, {0, 0, 2, 0x22}, {1, 0, 101}, {0, 0, 3, 0x33, 0, 9}});
    t->currentEntry = 2;
    ASSERT_EQ(1, TableDeleteVersion(*t, 2));
    EXPECT_EQ(4, t->entryCount);
    EXPECT_EQ((std::vector<uint32_t>{100, 1, 101, 3}), FieldOf(*t, &AppFlagEntry::versionLS));
    EXPECT_EQ(0x33u, t->entries[3].flagsLow) << "records move whole";
    EXPECT_EQ(9u, t->entries[3].tag);
    EXPECT_TRUE(SlotIsFree(*t, 4));
    EXPECT_EQ(1, t->currentEntry) << "the application's first version";
    EXPECT_EQ(1, t->modified);
}

TEST(TableDeleteVersion, RefusesTheLastVersionOfAnApplication)
{
    auto t = NewTable();
    AddTable(*t, {"A.EXE", "B.EXE"}, {{0, 0, 1}, {1, 0, 2}, {1, 0, 3}});
    EXPECT_EQ(0, TableDeleteVersion(*t, 0));
    EXPECT_EQ(3, t->entryCount);
    EXPECT_EQ(0, t->modified);
    EXPECT_EQ(0, TableDeleteVersion(*t, 3)) << "slot beyond entryCount";
}

TEST_F(TableSort, OrdersByMsThenLsUnsignedWithRecordsWhole)
{
    AddTable(*t, {"A.EXE", "B.EXE"},
                 {{0, 2, 0, 0xA, 0, 11}, {1, 0, 0, 0xEE}, {0, 1, 5, 0xB, 0, 12}, {0, 1, 3, 0xC, 0, 13}});
    t->currentApp = 0;
    ASSERT_EQ(1, TableSortVersions(*t, 0));
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 0, 0}), FieldOf(*t, &AppFlagEntry::appIndex));
    EXPECT_EQ((std::vector<uint32_t>{1, 0, 1, 2}), FieldOf(*t, &AppFlagEntry::versionMS));
    EXPECT_EQ((std::vector<uint32_t>{3, 0, 5, 0}), FieldOf(*t, &AppFlagEntry::versionLS));
    EXPECT_EQ((std::vector<uint32_t>{0xC, 0xEE, 0xB, 0xA}), FieldOf(*t, &AppFlagEntry::flagsLow));
    EXPECT_EQ((std::vector<uint32_t>{13, 1, 12, 11}), FieldOf(*t, &AppFlagEntry::tag)) << "records move whole";
    EXPECT_EQ(0, t->currentEntry);
    EXPECT_EQ(1, t->modified);
}

TEST_F(TableSort, ComparesWithoutSignAndPutsTheLargestLast)
{
    AddApp(*t, "A.EXE");
    AddEntries(*t, {{0, 0xFFFFFFFF, 0xFFFFFFFF}, {0, 0x80000000, 0}, {0, 0x7FFFFFFF, 0xFFFFFFFF},
                    {0, 0x7FFFFFFF, 0x80000000}, {0, 0x7FFFFFFF, 0x7FFFFFFF}});
    TableSortVersions(*t, 0);
    EXPECT_EQ((std::vector<uint32_t>{0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF}),
              FieldOf(*t, &AppFlagEntry::versionMS));
    EXPECT_EQ((std::vector<uint32_t>{0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0, 0xFFFFFFFF}),
              FieldOf(*t, &AppFlagEntry::versionLS));
}

TEST_F(TableSort, EqualKeysEndAsTheSelectionSortLeavesThem)
{
    AddApp(*t, "A.EXE");
    // Two equal keys ahead of a smaller one: the first swap carries the
    // first of them behind the second, and equal keys never swap back.
    AddEntries(*t, {{0, 2, 0, 0x1}, {0, 2, 0, 0x2}, {0, 1, 0, 0x3}});
    TableSortVersions(*t, 0);
    EXPECT_EQ((std::vector<uint32_t>{0x3, 0x2, 0x1}), FieldOf(*t, &AppFlagEntry::flagsLow));

    // Here the swap does not pass one equal key over the other: order kept.
    auto u = NewTable();
    AddTable(*u, {"A.EXE"}, {{0, 1, 0, 0x1}, {0, 0, 5, 0x2}, {0, 1, 0, 0x3}});
    TableSortVersions(*u, 0);
    EXPECT_EQ((std::vector<uint32_t>{0x2, 0x1, 0x3}), FieldOf(*u, &AppFlagEntry::flagsLow));
}

TEST_F(TableSort, SortedListStillCountsAsAChange)
{
    AddTable(*t, {"A.EXE"}, {{0, 1, 0}, {0, 2, 0}});
    EXPECT_EQ(1, TableSortVersions(*t, 0));
    EXPECT_EQ(1u, t->entries[0].versionMS);
    EXPECT_EQ(1, t->modified);
}

TEST_F(TableFlags, PasteBeforeAnyCopyClearsAllFlags)
{
    AddTable(*t, {"A.EXE"}, {{0, 1, 0, 0xDEADBEEF, 0x12345678}});
    TablePasteFlags(*t, 0);
    EXPECT_TRUE(FlagsAre(t->entries[0], 0u, 0u));
    EXPECT_EQ(1, t->modified);
}

TEST_F(TableFlags, CopyThenPasteIntoAnotherApplication)
{
    AddTable(*t, {"A.EXE", "B.EXE"}, {{0, 1, 0, 0xDEADBEEF, 0x12345678}, {1, 1, 0}});
    TableCopyFlags(*t, 0);
    EXPECT_EQ(0, t->modified) << "Copy changes nothing";
    EXPECT_EQ(0xDEADBEEFu, t->flagClipboard[0]);
    EXPECT_EQ(0x12345678u, t->flagClipboard[1]);
    t->currentApp = 1;
    TablePasteFlags(*t, 1);
    EXPECT_TRUE(FlagsAre(t->entries[1], 0xDEADBEEFu, 0x12345678u));
    EXPECT_EQ(0xDEADBEEFu, t->entries[0].flagsLow);
}

TEST_F(TableFlags, SetAllAndClearAll)
{
    AddTable(*t, {"A.EXE"}, {{0, 1, 0, 0x10, 0x20}});
    TableSetAllFlags(*t, 0, 1);
    EXPECT_TRUE(FlagsAre(t->entries[0], 0xFFFFFFFFu, 0xFFFFFFFFu));
    TableSetAllFlags(*t, 0, 0);
    EXPECT_TRUE(FlagsAre(t->entries[0], 0u, 0u));
    t->modified = 0;
    TableSetAllFlags(*t, 0, 0);
    EXPECT_EQ(1, t->modified) << "an unchanged result is still a change";
}

TEST_F(TableFlags, BoxesThirtyTwoAndThirtyThreeSitAtTheWordBoundary)
{
    AddTable(*t, {"A.EXE"}, {{0, 1, 0}});
    TableSetFlag(*t, 0, 31, 1);  // box labelled "32"
    EXPECT_TRUE(FlagsAre(t->entries[0], 0x80000000u, 0u));
    TableSetFlag(*t, 0, 32, 1);  // box labelled "33"
    EXPECT_EQ(1u, t->entries[0].flagsHigh);
    TableSetFlag(*t, 0, 63, 1);
    EXPECT_EQ(0x80000001u, t->entries[0].flagsHigh);
    TableSetFlag(*t, 0, 31, 0);
    EXPECT_EQ(0u, t->entries[0].flagsLow);
    TableSetFlag(*t, 0, 64, 1);
    TableSetFlag(*t, 0, -1, 1);
    EXPECT_TRUE(FlagsAre(t->entries[0], 0u, 0x80000001u)) << "indices outside 0..63 change nothing";
}

TEST_F(TableFlags, NothingIsWrittenIntoAFreeSlot)
{
    t->flagClipboard[0] = 5;
    TablePasteFlags(*t, 0);
    TableSetAllFlags(*t, 0, 1);
    TableSetFlag(*t, 0, 3, 1);
    EXPECT_EQ(0u, t->entries[0].flagsLow);
    EXPECT_EQ(0, t->modified);
}

TEST_F(TableFlags, AnApplicationWithoutVersionsEditsNoOtherApplicationsEntry)
{
    // A load that could read none of application 0's versions: currentEntry 0
    // belongs to application 1.
    auto t = NewTable();
    AddTable(*t, {"NONE.EXE", "B.EXE"}, {{1, 1, 0, 0x10, 0}});
    EXPECT_FALSE(ShowsCurrentEntry(*t));
    t->flagClipboard[0] = 0xFF;
    EXPECT_EQ(0, TableCopyFlags(*t, 0));
    EXPECT_EQ(0xFFu, t->flagClipboard[0]) << "Copy took another application's flags";
    TableSetFlag(*t, 0, 0, 1);
    TablePasteFlags(*t, 0);
    TableSetAllFlags(*t, 0, 1);
    EXPECT_EQ(0x10u, t->entries[0].flagsLow);
    EXPECT_EQ(0, t->modified);
    t->currentApp = 1;
    EXPECT_TRUE(ShowsCurrentEntry(*t));
}

// The stored application list of the table, as a save writes it.
std::string StoredAppInfo(const FlagTable& t)
{
    char buf[1024] = "";
    size_t len = 0;
    for (uint16_t a = 0; a < t.appCount; ++a)
        AppendAppInfoRecord(buf, sizeof buf, len, CountVersions(t, a), t.appNames[a]);
    return buf;
}

// New Version the way the command runs it: the check, then the append to currentApp.
NewVersionCheck NewVersion(FlagTable& t, uint32_t ms, uint32_t ls)
{
    InputValues in = Input("", ms, ls);
    NewVersionCheck check = CheckNewVersion(t, in, nullptr);
    if (check == kNewVersionAccepted) {
        EXPECT_EQ(1, TableAddVersion(t, in, t.currentApp));
    }
    return check;
}

TEST(TableNewVersion, GoesToTheApplicationOnScreenThatHasNoVersionYet)
{
    // "01A.EXE;00B.EXE;" with B.EXE selected: currentEntry is still A.EXE's.
    auto t = NewTable();
    AddTable(*t, {"A.EXE", "B.EXE"}, {{0, 0x00010000, 1, 0x10, 0x20}});
    t->currentApp = 1;
    t->currentEntry = 0;
    ASSERT_EQ(kNewVersionAccepted, NewVersion(*t, 0x00010000, 1)) << "A.EXE's version is no duplicate for B.EXE";
    ASSERT_EQ(2, t->entryCount);
    EXPECT_EQ(1, t->entries[1].appIndex);
    EXPECT_EQ(1, t->currentEntry);
    EXPECT_EQ(1, t->modified);
    EXPECT_EQ(1, CountVersions(*t, 0));
    EXPECT_EQ(1, CountVersions(*t, 1));
    EXPECT_EQ(0x10u, t->entries[0].flagsLow);
    EXPECT_EQ(0x20u, t->entries[0].flagsHigh);
    EXPECT_EQ("01A.EXE;01B.EXE;", StoredAppInfo(*t));
    // Its first stored value is APP-B.EXE-01.
    EXPECT_EQ(1, NthEntryOfApp(*t, 1, 0));
    char name[kValueNameSize];
    ASSERT_TRUE(FormatValueName(name, sizeof name, t->appNames[1], 1));
    EXPECT_STREQ("APP-B.EXE-01", name);

    EXPECT_EQ(kNewVersionExists, NewVersion(*t, 0x00010000, 1));
    t->currentApp = 0;
    EXPECT_EQ(kNewVersionExists, NewVersion(*t, 0x00010000, 1));
    EXPECT_EQ(2, t->entryCount);
}

TEST(TableNewVersion, TheOnlyApplicationWithoutVersionsGetsItsFirst)
{
    // "00B.EXE;": no entry at all.
    auto t = NewTable();
    AddApp(*t, "B.EXE");
    ASSERT_EQ(kNewVersionAccepted, NewVersion(*t, 0x00010000, 1));
    ASSERT_EQ(1, t->entryCount);
    EXPECT_EQ(0, t->entries[0].appIndex);
    EXPECT_EQ(0x00010000u, t->entries[0].versionMS);
    EXPECT_EQ(1u, t->entries[0].versionLS);
    EXPECT_TRUE(ShowsCurrentEntry(*t));
    EXPECT_EQ("01B.EXE;", StoredAppInfo(*t));
}

TEST(TableNewVersion, RefusesWithoutAnApplicationOrRoom)
{
    auto t = NewTable();
    EXPECT_EQ(kNewVersionNoApplication, NewVersion(*t, 1, 1));
    EXPECT_EQ(0, t->entryCount);
    EXPECT_EQ(0, t->modified);

    AddApps(*t, {"A.EXE", "B.EXE"});
    for (int v = 0; v < kMaxVersionsPerApp; ++v)
        AddEntry(*t, 0, 1, static_cast<uint32_t>(v));
    t->currentApp = 1;
    EXPECT_EQ(kNewVersionAccepted, NewVersion(*t, 1, 1000)) << "A.EXE's 99 versions do not fill B.EXE";
    t->currentApp = 0;
    TableRoom room = kRoomAvailable;
    EXPECT_EQ(kNewVersionNoRoom, CheckNewVersion(*t, Input("", 1, 1000), &room));
    EXPECT_EQ(kNoRoomForVersion, room);
}

}  // namespace

namespace {

using TableSelection = TableTest;

TEST_F(TableSelection, PickingAnApplicationOrARowMovesTheSelectionWithinTheTable)
{
    AddTable(*t, {"A.EXE", "B.EXE", "C.EXE"}, {{1, 0, 1}, {0, 0, 2}, {1, 0, 3}, {0, 0, 4}});
    SelectApplication(*t, 1);
    EXPECT_EQ(0, t->currentEntry) << "B's first version";
    SelectApplication(*t, 2);
    EXPECT_EQ(2, t->currentApp);
    EXPECT_EQ(0, t->currentEntry) << "C has none: the entry stays";
    EXPECT_EQ(-1, RowOfCurrentEntry(*t));

    SelectApplication(*t, 1);
    FollowVersionFocus(*t, 1, 1);
    EXPECT_EQ(2, t->currentEntry);
    EXPECT_EQ(1, t->currentVersionRow);
    EXPECT_EQ(1, RowOfCurrentEntry(*t));
    // No row picked: the remembered one stands in; a row past the last
    // version, or no application, selects nothing.
    EXPECT_EQ(2, SelectedEntry(*t, 1, -1));
    FollowVersionFocus(*t, 1, 7);
    EXPECT_EQ(2, t->currentEntry);
    EXPECT_EQ(7, t->currentVersionRow);
    EXPECT_EQ(-1, SelectedEntry(*t, -1, 0));
}

}  // namespace
