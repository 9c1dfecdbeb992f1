// The display on real combo boxes and check boxes, under a parent that
// records the notifications it receives: it draws what ScreenOf says and
// rebuilds a list only when its rows changed.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "main/display_win32.h"
#include "table/edit_commands.h"
#include "table/flag_table_edit.h"
#include "table_fixture_win32.h"

namespace {

using Display = TableWindow;

TEST_F(Display, DrawsTheTableAndRebuildsAListOnlyWhenItsRowsChanged)
{
    AddTable({"notepad.exe", std::string(80, 'a').c_str()},
             {{1, 1, 0}, {0, 2, 0, 0x00000001, 0x80000000}, {1, 3, 0}, {0, 5, 0}});
    SelectLoadedTable(*table);
    for (HWND box : boxes)
        SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    Show();
    EXPECT_EQ((std::vector<std::string>{"NOTEPAD.EXE", std::string(80, 'A')}), ComboRows(appCombo));
    EXPECT_EQ((std::vector<std::string>{"00000002-00000000", "00000005-00000000"}), ComboRows(versionCombo));
    EXPECT_EQ(0, SendMessageA(appCombo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(-1, SendMessageA(versionCombo, CB_GETCURSEL, 0, 0)) << "entry 0 is not the first application's";
    EXPECT_EQ("", Checked());

    SelectApplication(*table, 1);
    SelectVersion(*table, 1, 1);
    // A row changed behind the display's back stays as it is: the app list
    // is not filled again for a pick.
    SendMessageA(appCombo, CB_DELETESTRING, 0, 0);
    SendMessageA(appCombo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("OTHER"));
    Show();
    EXPECT_EQ("OTHER", Row(appCombo, 0));
    EXPECT_EQ((std::vector<std::string>{"00000001-00000000", "00000003-00000000"}), ComboRows(versionCombo));
    EXPECT_EQ(1, SendMessageA(appCombo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(1, SendMessageA(versionCombo, CB_GETCURSEL, 0, 0));
    SelectApplication(*table, 0);
    Show();
    EXPECT_EQ("1 64 ", Checked()) << "bit 0 is box 01, bit 31 of the high word box 64";
    EXPECT_TRUE(notifications.empty()) << "CB_SETCURSEL and BM_SETCHECK notify nobody";

    char message[kMessageSize] = "";
    InputValues in = {"calc.exe", 1, 1};
    ASSERT_EQ(1, NewApplication(*table, in, message));
    Show();
    EXPECT_EQ("NOTEPAD.EXE", Row(appCombo, 0)) << "a new application fills the list again";
    EXPECT_EQ(2, SendMessageA(appCombo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ("", Checked());
}

TEST_F(Display, ClickOnAnAutomaticBoxTogglesBeforeItNotifies)
{
    SendMessageA(boxes[4], BM_CLICK, 0, 0);
    EXPECT_EQ(BST_CHECKED, SendMessageA(boxes[4], BM_GETCHECK, 0, 0));
    ASSERT_EQ(1u, notifications.size());
    EXPECT_EQ(MAKEWPARAM(805, BN_CLICKED), notifications[0].wParam);
}

// afetool on Linux converts names as code page 1252 does; in a prefix of
// that code page the system converts every byte alike.
TEST(NameComparison, TheSystemsUpperCaseIsCodePage1252s)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "the ANSI code page here is " << GetACP();
    for (int c = 1; c < 256; ++c) {
        const char name[2] = {static_cast<char>(c), '\0'};
        char row[kNameSize];
        AppRowName(row, name);
        EXPECT_EQ(UpperCp1252(static_cast<unsigned char>(c)), static_cast<unsigned char>(row[0])) << "byte " << c;
    }
}

}  // namespace
