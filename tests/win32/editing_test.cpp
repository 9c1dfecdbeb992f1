// The editing commands against real combo boxes, check boxes and a menu.
#include "editing_fixture_win32.h"
#include "table/text_check_win32.h"
#include "table_builder.h"

namespace editing_test {
namespace {

using Strings = std::vector<std::string>;

const UINT kEditingCommands[] = {IDM_COPY,       IDM_PASTE,         IDM_CLEARALL,  IDM_CHECKALL,
                                 IDM_NEWVERSION, IDM_DELETEVERSION, IDM_DELETEAPP, IDM_SORTVERSION};
const UINT kUntouchedCommands[] = {IDM_SAVE, IDM_IMPORT, IDM_EXPORT, IDM_NEWAPP, IDM_ABOUT, IDM_EXIT};

using NewApplicationTest = EditingWindow;

TEST_F(NewApplicationTest, FirstApplicationOpensEditingWithPaste)
{
    Apply();  // printer found, no application
    Input("notepad.exe", 0x50001, 0xA280000);
    ASSERT_EQ(1, NewApp());
    EXPECT_EQ(Strings{"NOTEPAD.EXE"}, Rows(c.appCombo)) << "rows are upper case";
    EXPECT_STREQ("notepad.exe", table->appNames[0]);
    EXPECT_EQ(0, Selected(c.appCombo));
    EXPECT_EQ(Strings{"00050001-0A280000"}, Rows(c.versionCombo));
    EXPECT_EQ(0, Selected(c.versionCombo));
    EXPECT_EQ(0, table->currentEntry);
    EXPECT_TRUE(BoxesShow(0, 0));
    EXPECT_EQ(1, table->modified);
    for (UINT id : {IDM_COPY, IDM_PASTE, IDM_CLEARALL, IDM_CHECKALL, IDM_NEWVERSION, IDM_DELETEAPP})
        EXPECT_FALSE(Grayed(id)) << "command " << id;
    EXPECT_TRUE(Grayed(IDM_DELETEVERSION)) << "one version";
    EXPECT_TRUE(Grayed(IDM_SORTVERSION)) << "one version";
    EXPECT_TRUE(EditingControlsEnabled(true));
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(NewApplicationTest, NewNameBecomesTheLastRow)
{
    LoadTable({"A.EXE"}, {{0, 1, 1, 0xF0}, {0, 1, 2}});
    Input("B.exe", 3, 4);
    ASSERT_EQ(1, NewApp());
    EXPECT_EQ((Strings{"A.EXE", "B.EXE"}), Rows(c.appCombo));
    EXPECT_EQ(1, Selected(c.appCombo));
    EXPECT_EQ(1, table->currentApp);
    EXPECT_EQ(2, table->currentEntry);
    EXPECT_EQ(Strings{"00000003-00000004"}, Rows(c.versionCombo));
    EXPECT_TRUE(BoxesShow(0, 0));
    EXPECT_FALSE(Grayed(IDM_PASTE)) << "Paste comes on with a new application";
    EXPECT_TRUE(Grayed(IDM_DELETEVERSION));
}

TEST_F(NewApplicationTest, ExistingNameInOtherCaseGetsTheVersion)
{
    LoadTable({"NOTEPAD.EXE.BAK", "NOTEPAD.EXE"}, {{0, 9, 9, 0x77}, {1, 1, 0, 0x55}});
    Input("notepad.exe", 2, 0);
    ASSERT_EQ(1, NewApp());
    EXPECT_EQ(2, table->appCount) << "no new application";
    EXPECT_EQ(1, Selected(c.appCombo));
    EXPECT_EQ(1, table->currentApp);
    EXPECT_EQ((Strings{"00000001-00000000", "00000002-00000000"}), Rows(c.versionCombo));
    EXPECT_EQ(1, Selected(c.versionCombo)) << "the new version is the last row";
    EXPECT_EQ(2, table->currentEntry);
    EXPECT_EQ(1, table->entries[2].appIndex);
    EXPECT_TRUE(BoxesShow(0, 0));
    EXPECT_EQ(1, CountVersions(*table, 0)) << "the other name is not touched";
    EXPECT_FALSE(Grayed(IDM_DELETEVERSION));
    EXPECT_FALSE(Grayed(IDM_SORTVERSION));
    EXPECT_TRUE(Grayed(IDM_PASTE)) << "only a new application enables Paste";
}

TEST_F(NewApplicationTest, SameApplicationAndVersionIsRefused)
{
    LoadTable({"NOTEPAD.EXE"}, {{0, 1, 0, 0x55}});
    Input("Notepad.Exe", 1, 0);
    EXPECT_EQ(0, NewApp());
    ASSERT_EQ(1u, shownMessages.size());
    EXPECT_EQ("Same Application and Version already exists.", shownMessages[0].text);
    EXPECT_EQ("Deruverozad Adov Eduzed", shownMessages[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), shownMessages[0].type);
    EXPECT_EQ(c.window, shownMessages[0].owner);
    EXPECT_EQ(1, table->entryCount);
    EXPECT_EQ(0, table->modified);
    EXPECT_TRUE(BoxesShow(0x55, 0));
}

TEST_F(NewApplicationTest, NameWithTheListSeparatorIsRefused)
{
    Input("A;B.EXE", 1, 0);
    EXPECT_EQ(0, NewApp());
    ASSERT_EQ(1u, shownMessages.size());
    EXPECT_NE(std::string::npos, shownMessages[0].text.find("\";\""));
    EXPECT_EQ(0, table->appCount);
    EXPECT_EQ(0, SendMessageA(c.appCombo, CB_GETCOUNT, 0, 0));
}

using CapacityTest = EditingWindow;

TEST_F(CapacityTest, HundredthVersionIsRefusedBeforeTheSelectionMoves)
{
    AddTable({"A.EXE", "B.EXE"}, {{0, 0, 0, 0x3}});
    for (uint32_t k = 0; k < kMaxVersionsPerApp; ++k)
        AddEntry(1, 1, k);
    LoadedState();
    Input("b.exe", 2, 0);
    EXPECT_EQ(0, NewApp());
    ASSERT_EQ(1u, shownMessages.size());
    EXPECT_EQ("B.EXE already has 99 versions.\nNo version can be added to it.", shownMessages[0].text);
    EXPECT_EQ(0, Selected(c.appCombo)) << "the refusal changes nothing";
    EXPECT_EQ(0, table->currentApp);
    EXPECT_EQ(Strings{"00000000-00000000"}, Rows(c.versionCombo));
    EXPECT_TRUE(BoxesShow(0x3, 0));
    EXPECT_EQ(100, table->entryCount);
    EXPECT_EQ(0, table->modified);

    shownMessages.clear();
    SelectApp(1);
    EXPECT_EQ(0, Applied(NewVersion(*table, input, c)));
    EXPECT_EQ(Strings{"B.EXE already has 99 versions.\nNo version can be added to it."}, ShownTexts());
    EXPECT_EQ(99, SendMessageA(c.versionCombo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, table->modified);
}

TEST_F(CapacityTest, FullTablesRefuseWithAClearMessage)
{
    LoadTable({"A.EXE"}, {{0, 0, 0}});
    // Only the counts matter to the refusals; the slots stay as they are.
    table->appCount = kMaxApps;
    Input("NEW.EXE", 1, 0);
    EXPECT_EQ(0, NewApp());
    table->appCount = 1;
    table->entryCount = kMaxEntries;
    EXPECT_EQ(0, NewApp());
    EXPECT_EQ(0, Applied(NewVersion(*table, input, c)));
    ASSERT_EQ(3u, shownMessages.size());
    EXPECT_EQ("The table already holds 5000 applications.\nNo application can be added.", shownMessages[0].text);
    EXPECT_EQ("The table already holds 10000 versions.\nNo version can be added.", shownMessages[1].text);
    EXPECT_EQ("The table already holds 10000 versions.\nNo version can be added.", shownMessages[2].text);
    EXPECT_EQ(Strings{"A.EXE"}, Rows(c.appCombo));
    EXPECT_EQ(1, SendMessageA(c.versionCombo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, table->modified);
}

using NewVersionTest = EditingWindow;

TEST_F(NewVersionTest, AddsTheLastRowAndEnablesTheVersionCommands)
{
    LoadTable({"A.EXE", "B.EXE"}, {{0, 1, 0, 0xAA}, {1, 7, 7}});
    EXPECT_TRUE(Grayed(IDM_DELETEVERSION));
    Input("", 7, 7);  // only B has it: no duplicate
    ASSERT_EQ(1, Applied(NewVersion(*table, input, c)));
    EXPECT_EQ((Strings{"00000001-00000000", "00000007-00000007"}), Rows(c.versionCombo));
    EXPECT_EQ(1, Selected(c.versionCombo));
    EXPECT_EQ(2, table->currentEntry);
    EXPECT_EQ(0, table->entries[2].appIndex);
    EXPECT_TRUE(BoxesShow(0, 0));
    EXPECT_FALSE(Grayed(IDM_DELETEVERSION));
    EXPECT_FALSE(Grayed(IDM_SORTVERSION));
    EXPECT_EQ(1, table->modified);
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(NewVersionTest, SameVersionIsRefused)
{
    LoadTable({"A.EXE"}, {{0, 1, 0, 0xAA}});
    Input("", 1, 0);
    EXPECT_EQ(0, Applied(NewVersion(*table, input, c)));
    EXPECT_EQ(Strings{"Same Version already exists."}, ShownTexts());
    EXPECT_EQ(1, SendMessageA(c.versionCombo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, table->modified);
}

TEST_F(NewVersionTest, GoesToTheSelectedApplicationWithoutVersions)
{
    LoadTable({"A.EXE", "B.EXE"}, {{0, 1, 0, 0xAA}});
    SelectApp(1);
    ASSERT_EQ(0, table->currentEntry) << "still A.EXE's entry";
    Input("", 1, 0);  // A.EXE's version: no duplicate for B.EXE
    ASSERT_EQ(1, Applied(NewVersion(*table, input, c)));
    EXPECT_EQ(Strings{"00000001-00000000"}, Rows(c.versionCombo));
    EXPECT_EQ(0, Selected(c.versionCombo));
    EXPECT_EQ(1, table->entries[1].appIndex);
    EXPECT_EQ(1, table->currentEntry);
    EXPECT_EQ(1, CountVersions(*table, 0));
    EXPECT_TRUE(BoxesShow(0, 0));
    EXPECT_TRUE(shownMessages.empty());
}

// B.EXE on screen without versions, A.EXE's entry still current: no command
// reads or changes A.EXE's entry.
TEST_F(NewVersionTest, OtherCommandsLeaveAnotherApplicationsEntryAlone)
{
    LoadTable({"A.EXE", "B.EXE"}, {{0, 1, 0, 0xAA, 0xBB}, {0, 2, 0, 0xCC}});
    SelectApp(1);
    table->flagClipboard[0] = 0x5;
    // Copy as the command runs it: nothing copied, Paste stays greyed.
    OnCommand(c, *table, MAKEWPARAM(IDM_COPY, 0), 0);
    EXPECT_EQ(0x5u, table->flagClipboard[0]) << "Copy copied A.EXE's flags";
    EXPECT_TRUE(Grayed(IDM_PASTE));
    PasteFlags(*table, c);
    SetAllFlags(*table, c, true);
    SetAllFlags(*table, c, false);
    ASSERT_EQ(0, DeleteVersion(*table, c));
    SendMessageA(c.versionCombo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("00000009-00000009"));
    CheckVersionText(*table, c);
    EXPECT_TRUE(shownMessages.empty()) << shownMessages.front().text;
    ASSERT_EQ(2, table->entryCount);
    EXPECT_EQ(1u, table->entries[0].versionMS);
    EXPECT_EQ(0xAAu, table->entries[0].flagsLow);
    EXPECT_EQ(0xBBu, table->entries[0].flagsHigh);
    EXPECT_EQ(0, table->modified);
}

using DeleteApplicationTest = EditingWindow;

TEST_F(DeleteApplicationTest, SecondOfFourAfterYes)
{
    LoadTable({"A.EXE", "B.EXE", "C.EXE", "D.EXE"},
              {{0, 0, 10, 0x1}, {1, 0, 20}, {2, 0, 30}, {3, 0, 40}, {0, 0, 11}});
    SelectApp(1);

    EXPECT_EQ(0, Applied(DeleteApplication(*table, c))) << "No keeps everything";
    ASSERT_EQ(1u, shownMessages.size());
    EXPECT_EQ("Delete B.EXE and all it's versions?", shownMessages[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), shownMessages[0].type);
    EXPECT_EQ(4, table->appCount);
    EXPECT_EQ(0, table->modified);

    answers.push_back(IDYES);
    ASSERT_EQ(1, Applied(DeleteApplication(*table, c)));
    EXPECT_EQ((Strings{"A.EXE", "C.EXE", "D.EXE"}), Rows(c.appCombo));
    EXPECT_EQ(0, Selected(c.appCombo));
    EXPECT_EQ(0, table->currentApp);
    EXPECT_EQ(0, table->currentEntry);
    EXPECT_EQ((Strings{"00000000-0000000A", "00000000-0000000B"}), Rows(c.versionCombo));
    EXPECT_EQ(0, Selected(c.versionCombo));
    EXPECT_TRUE(BoxesShow(0x1, 0));
    EXPECT_EQ(1, table->entries[1].appIndex) << "C moved down with its entries";
    EXPECT_EQ(2, table->entries[2].appIndex);
    EXPECT_STREQ("", table->appNames[3]);
    EXPECT_FALSE(Grayed(IDM_DELETEVERSION)) << "A has two versions";
    EXPECT_TRUE(EditingControlsEnabled(true));
    EXPECT_EQ(1, table->modified);
}

TEST_F(DeleteApplicationTest, TheOnlyOneTurnsEditingOff)
{
    LoadTable({"A.EXE"}, {{0, 0, 1, 0xFFFF, 0xFFFF}, {0, 0, 2}});
    Copy();
    answers.push_back(IDYES);
    ASSERT_EQ(1, Applied(DeleteApplication(*table, c)));
    EXPECT_EQ(0, SendMessageA(c.appCombo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(c.versionCombo, CB_GETCOUNT, 0, 0));
    EXPECT_TRUE(CountsAre(*table, 0, 0));
    EXPECT_TRUE(BoxesShow(0, 0));
    for (UINT id : kEditingCommands)
        EXPECT_TRUE(Grayed(id)) << "command " << id;
    for (UINT id : kUntouchedCommands)
        EXPECT_FALSE(Grayed(id)) << "command " << id;
    EXPECT_TRUE(EditingControlsEnabled(false));
    EXPECT_TRUE(IsWindowEnabled(c.printerCombo));
}

using DeleteVersionTest = EditingWindow;

TEST_F(DeleteVersionTest, OnlyVersionIsRefusedAfterTheQuestion)
{
    LoadTable({"A.EXE"}, {{0, 0x50002, 0xA, 0x9}});
    EXPECT_EQ(0, Applied(DeleteVersion(*table, c)));
    ASSERT_EQ(1u, shownMessages.size()) << "No: no refusal either";
    EXPECT_EQ("Delete 00050002-0000000A ?", shownMessages[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), shownMessages[0].type);

    shownMessages.clear();
    answers.push_back(IDYES);
    EXPECT_EQ(0, Applied(DeleteVersion(*table, c)));
    ASSERT_EQ(2u, shownMessages.size());
    EXPECT_EQ("Delete 00050002-0000000A ?", shownMessages[0].text);
    EXPECT_EQ("Current application has only one version data\nSo, You can not delete version\n"
              "If you want to delete it, Please delete Application",
              shownMessages[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), shownMessages[1].type);
    EXPECT_EQ(1, table->entryCount);
    EXPECT_EQ(Strings{"00050002-0000000A"}, Rows(c.versionCombo));
    EXPECT_EQ(0, table->modified);
}

TEST_F(DeleteVersionTest, MiddleVersionShowsTheFirstVersionAfterwards)
{
    LoadTable({"A.EXE", "B.EXE"}, {{0, 0, 1, 0x1}, {1, 0, 9}, {0, 0, 2, 0x2}, {0, 0, 3, 0x3}});
    SendMessageA(c.versionCombo, CB_SETCURSEL, 1, 0);
    TakeVersionPick(*table, SelectedRow(c.appCombo), SelectedRow(c.versionCombo));
    ASSERT_EQ(2, table->currentEntry);
    answers.push_back(IDYES);
    ASSERT_EQ(1, Applied(DeleteVersion(*table, c)));
    EXPECT_EQ((Strings{"00000000-00000001", "00000000-00000003"}), Rows(c.versionCombo));
    EXPECT_EQ(0, Selected(c.versionCombo));
    EXPECT_EQ(0, table->currentEntry);
    EXPECT_TRUE(BoxesShow(0x1, 0));
    EXPECT_EQ(3, table->entryCount);
    EXPECT_EQ(3u, table->entries[2].versionLS) << "later entries moved down";
    EXPECT_EQ(kFreeSlot, table->entries[3].appIndex);
    EXPECT_FALSE(Grayed(IDM_DELETEVERSION));

    answers.push_back(IDYES);
    ASSERT_EQ(1, Applied(DeleteVersion(*table, c)));
    EXPECT_EQ(Strings{"00000000-00000003"}, Rows(c.versionCombo));
    EXPECT_TRUE(BoxesShow(0x3, 0));
    EXPECT_TRUE(Grayed(IDM_DELETEVERSION)) << "one row left";
    EXPECT_TRUE(Grayed(IDM_SORTVERSION));
}

using SortVersionsTest = EditingWindow;

TEST_F(SortVersionsTest, ListShowsTheVersionsAscendingWithTheirFlags)
{
    AddApps({"A.EXE", "B.EXE"});
    AddEntries({{0, 2, 0, 0x20, 0, 5}, {1, 0, 0, 0xBB}, {0, 1, 5, 0x15}, {0, 1, 3, 0x13, 0x80000000},
                {0, 0x80000000, 0, 0x80}, {0, 0x7FFFFFFF, 0, 0x7F}});
    LoadedState();
    ASSERT_EQ(1, Applied(SortVersions(*table, c)));
    EXPECT_EQ((Strings{"00000001-00000003", "00000001-00000005", "00000002-00000000", "7FFFFFFF-00000000",
                       "80000000-00000000"}),
              Rows(c.versionCombo));
    EXPECT_EQ(0, Selected(c.versionCombo));
    EXPECT_EQ(0, table->currentEntry);
    EXPECT_TRUE(BoxesShow(0x13, 0x80000000));
    EXPECT_EQ(0xBBu, table->entries[1].flagsLow) << "B's slot is untouched";
    EXPECT_EQ(2u, table->entries[3].versionMS);
    EXPECT_EQ(5u, table->entries[3].tag) << "the tag travels with its version";
    EXPECT_EQ(0x20u, table->entries[3].flagsLow);
    EXPECT_EQ(1, table->modified);
}

using FlagCommandsTest = EditingWindow;

TEST_F(FlagCommandsTest, CopyEnablesPasteAndPasteCarriesAcrossApplications)
{
    LoadTable({"A.EXE", "B.EXE"}, {{0, 0, 1, 0x12345678, 0x9ABCDEF0}, {1, 0, 1, 0x1}});
    EXPECT_TRUE(Grayed(IDM_PASTE));
    Copy();
    EXPECT_FALSE(Grayed(IDM_PASTE));
    EXPECT_EQ(0, table->modified) << "Copy changes nothing";
    SelectApp(1);
    PasteFlags(*table, c);
    EXPECT_TRUE(FlagsAre(table->entries[1], 0x12345678u, 0x9ABCDEF0u));
    EXPECT_TRUE(BoxesShow(0x12345678, 0x9ABCDEF0));
    EXPECT_EQ(1, table->modified);
}

TEST_F(FlagCommandsTest, PasteBeforeAnyCopyClearsEveryBox)
{
    LoadTable({"A.EXE"}, {{0, 0, 1, 0xFFFFFFFF, 0xFFFFFFFF}});
    ASSERT_TRUE(BoxesShow(0xFFFFFFFF, 0xFFFFFFFF));
    PasteFlags(*table, c);
    EXPECT_TRUE(BoxesShow(0, 0));
    EXPECT_EQ(0u, table->entries[0].flagsLow);
    EXPECT_EQ(1, table->modified);
}

TEST_F(FlagCommandsTest, CheckAllAndClearAll)
{
    LoadTable({"A.EXE"}, {{0, 0, 1, 0x5}});
    SetAllFlags(*table, c, true);
    EXPECT_TRUE(BoxesShow(0xFFFFFFFF, 0xFFFFFFFF));
    EXPECT_EQ(0xFFFFFFFFu, table->entries[0].flagsHigh);
    SetAllFlags(*table, c, false);
    EXPECT_TRUE(BoxesShow(0, 0));
    EXPECT_EQ(0u, table->entries[0].flagsLow);
}

TEST_F(FlagCommandsTest, ClickOnABoxSetsItsBitAndTheFocusedControl)
{
    LoadTable({"A.EXE"}, {{0, 0, 1}, {0, 0, 2, 0x100}});
    static const struct {
        int id;
        uint32_t low, high;
    } clicks[] = {
        {805, 0x10, 0},          // box "05": bit 4 of flagsLow
        {832, 0x80000010, 0},    // box "32": bit 31 of flagsLow
        {833, 0x80000010, 0x1},  // box "33": bit 0 of flagsHigh
        {864, 0x80000010, 0x80000001},
        {805, 0x80000000, 0x80000001},  // a second click clears
    };
    for (const auto& k : clicks) {
        table->modified = 0;
        SendMessageA(c.flagBoxes[k.id - IDC_FLAG01], BM_CLICK, 0, 0);
        EXPECT_TRUE(FlagsAre(table->entries[0], k.low, k.high)) << "box " << k.id;
        EXPECT_EQ(k.id, FocusedControl()) << "box " << k.id;
        EXPECT_EQ(1, table->modified) << "box " << k.id;
        EXPECT_TRUE(BoxesShow(k.low, k.high)) << "box " << k.id;
    }
    EXPECT_EQ(0x100u, table->entries[1].flagsLow) << "only the current entry changes";
    EXPECT_EQ(5u, flagNotifications.size());
}

TEST_F(FlagCommandsTest, OtherNotificationsOfABoxAreIgnored)
{
    LoadTable({"A.EXE"}, {{0, 0, 1}});
    SendMessageA(c.flagBoxes[4], BM_SETCHECK, BST_CHECKED, 0);
    NoteFocus(123);
    EXPECT_EQ(0, SetFlagFromBox(*table, c, 805, BN_SETFOCUS));
    EXPECT_EQ(0, SetFlagFromBox(*table, c, 800, BN_CLICKED));
    EXPECT_EQ(0, SetFlagFromBox(*table, c, 865, BN_CLICKED));
    OnCommand(c, *table, MAKEWPARAM(805, BN_SETFOCUS), 0);
    OnCommand(c, *table, MAKEWPARAM(805, BN_DOUBLECLICKED), 0);
    EXPECT_EQ(123, FocusedControl()) << "only a click records the box";
    EXPECT_EQ(0u, table->entries[0].flagsLow);
    EXPECT_EQ(0, table->modified);
    EXPECT_EQ(1, SetFlagFromBox(*table, c, 805, BN_CLICKED));
    EXPECT_EQ(0x10u, table->entries[0].flagsLow) << "reads the box's state";
}

}  // namespace
}  // namespace editing_test
