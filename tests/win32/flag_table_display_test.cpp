// The flag table's display operations on real combo boxes and check boxes,
// under a parent that records the notifications it receives.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "table/flag_table_win32.h"
#include "table_fixture_win32.h"

namespace {

using FlagTableDisplay = TableWindow;

TEST_F(FlagTableDisplay, VersionListFollowsTableOrderOfOneApplication)
{
    const uint16_t owners[] = {1, 1, 0, 1, 1, 0, 1, 1, 1, 0};
    for (uint16_t i = 0; i < 10; ++i)
        AddEntry(owners[i], i, 0, 1u << i);
    FillVersionList(*table, versionCombo, 0, boxes);
    EXPECT_EQ((std::vector<std::string>{"00000002-00000000", "00000005-00000000", "00000009-00000000"}),
              ComboRows(versionCombo));
    EXPECT_EQ(0, SendMessageA(versionCombo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ("3 ", Checked()) << "the flags of entry 2";
    EXPECT_EQ(0, SelectedRow(versionCombo));
    SendMessageA(versionCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(-1, SelectedRow(versionCombo));
}

TEST_F(FlagTableDisplay, EmptyTableEmptiesTheListAndUnchecksEveryBox)
{
    for (HWND box : boxes)
        SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(versionCombo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("old"));
    FillVersionList(*table, versionCombo, 0, boxes);
    EXPECT_EQ(0, SendMessageA(versionCombo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ("", Checked());
}

TEST_F(FlagTableDisplay, ApplicationWithoutEntriesKeepsTheBoxes)
{
    AddEntry(0, 1, 0, 0x10);
    ShowFlags(*table, 0, boxes);
    FillVersionList(*table, versionCombo, 1, boxes);
    EXPECT_EQ(0, SendMessageA(versionCombo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ("5 ", Checked());
}

TEST_F(FlagTableDisplay, ShowFlagsMapsBitsToBoxesAndSendsNoNotification)
{
    AddEntry(0, 0, 0, 0x00000001, 0x80000000);
    for (HWND box : boxes)
        SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    ShowFlags(*table, 0, boxes);
    EXPECT_EQ("1 64 ", Checked());
    table->entries[0].flagsLow = 0x80000000;
    table->entries[0].flagsHigh = 0x00000001;
    ShowFlags(*table, 0, boxes);
    EXPECT_EQ("32 33 ", Checked());
    SendMessageA(versionCombo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("x"));
    SendMessageA(versionCombo, CB_SETCURSEL, 0, 0);
    EXPECT_TRUE(notifications.empty()) << "BM_SETCHECK and CB_SETCURSEL notify nobody";
}

TEST_F(FlagTableDisplay, ClickOnAnAutomaticBoxTogglesBeforeItNotifies)
{
    SendMessageA(boxes[4], BM_CLICK, 0, 0);
    EXPECT_EQ(BST_CHECKED, SendMessageA(boxes[4], BM_GETCHECK, 0, 0));
    ASSERT_EQ(1u, notifications.size());
    EXPECT_EQ(MAKEWPARAM(805, BN_CLICKED), notifications[0].wParam);
}

TEST_F(FlagTableDisplay, AppRowsAreUpperCaseAndCutToANameWidth)
{
    InsertAppRow(appCombo, 0, "notepad.exe");
    InsertAppRow(appCombo, 0, std::string(120, 'a').c_str());
    EXPECT_EQ(std::string(80, 'A'), Row(appCombo, 0));
    EXPECT_EQ("NOTEPAD.EXE", Row(appCombo, 1));
    char small[4];
    EXPECT_FALSE(GetComboRowText(appCombo, 1, small, sizeof small)) << "a row longer than the buffer";
    EXPECT_STREQ("", small);
    EXPECT_FALSE(GetComboRowText(appCombo, 5, small, sizeof small)) << "no such row";
}

TEST(NameComparison, PlatformAndPortableComparisonsAgree)
{
    const char* names[] = {"NOTEPAD.EXE", "notepad.exe", "Notepad.Exe", "NOTEPAD.EX", "NOTEPAD.EXE ",
                           "WINWORD.EXE", "winword.exe", "A-B_C.EXE", "a-b_c.exe", "AB_C.EXE",
                           "[X].EXE", "{X}.EXE", "",  "0123.EXE", "x"};
    for (const char* a : names) {
        for (const char* b : names)
            EXPECT_EQ(AsciiNamesEqual(a, b), NamesEqual(a, b)) << '"' << a << "\" vs \"" << b << '"';
    }
}

}  // namespace
