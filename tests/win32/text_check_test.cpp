// CheckAppText and CheckVersionText on real drop-down lists.
#include "editing_fixture_win32.h"
#include "table/text_check_win32.h"
#include "table_builder.h"

namespace editing_test {
namespace {

using Strings = std::vector<std::string>;

// What a user could leave in a drop-down list: row `row` showing `text`.
void ReplaceRow(HWND combo, int row, const char* text)
{
    SendMessageA(combo, CB_DELETESTRING, static_cast<WPARAM>(row), 0);
    SendMessageA(combo, CB_INSERTSTRING, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

class TextCheck : public EditingWindow {
protected:
    void SetUp() override
    {
        EditingWindow::SetUp();
        LoadTable({"Notepad.exe", "WORDPAD.EXE"}, {{1, 0x1000A, 0, 0x42, 0x24, 7}, {1, 0x2, 0x3}, {0, 0x5, 0x6}});
        SelectApp(1);
        SendMessageA(c.versionCombo, CB_SETCURSEL, 1, 0);
        TakeVersionPick(*table, SelectedRow(c.appCombo), SelectedRow(c.versionCombo));
        SendMessageA(c.versionCombo, CB_SETCURSEL, 0, 0);
        TakeVersionPick(*table, SelectedRow(c.appCombo), SelectedRow(c.versionCombo));
        ASSERT_EQ(0, table->currentEntry);
        ASSERT_EQ(0, table->currentVersionRow);
    }
};

TEST_F(EditingWindow, NothingIsCheckedWithoutApplications)
{
    CheckAppText(*table, c);
    CheckVersionText(*table, c);
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(TextCheck, UnchangedRowsShowNothing)
{
    CheckAppText(*table, c);
    CheckVersionText(*table, c);
    EXPECT_TRUE(shownMessages.empty());
    EXPECT_EQ(0, table->modified);
}

TEST_F(TextCheck, AppListWithoutSelectionIsRepaired)
{
    SendMessageA(c.appCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    CheckAppText(*table, c);
    ASSERT_EQ(1u, shownMessages.size());
    EXPECT_EQ("Application is NULL\nRevise it", shownMessages[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), shownMessages[0].type);
    EXPECT_EQ(c.window, shownMessages[0].owner);
    EXPECT_EQ(1, Selected(c.appCombo));
    EXPECT_EQ((Strings{"NOTEPAD.EXE", "WORDPAD.EXE"}), Rows(c.appCombo));
    EXPECT_EQ(0, table->modified);
}

TEST_F(TextCheck, LetterCaseAloneIsNoChange)
{
    SelectApp(0);  // stored as Notepad.exe, shownMessages as NOTEPAD.EXE
    CheckAppText(*table, c);
    EXPECT_TRUE(shownMessages.empty());
    EXPECT_STREQ("Notepad.exe", table->appNames[0]);
}

TEST_F(TextCheck, YesRenamesTheApplication)
{
    ReplaceRow(c.appCombo, 1, "NOTEPAD.EXE");
    answers.push_back(IDYES);
    CheckAppText(*table, c);
    ASSERT_EQ(1u, shownMessages.size());
    EXPECT_EQ("Application Name has changed\nDo you apply it?", shownMessages[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), shownMessages[0].type);
    EXPECT_STREQ("NOTEPAD.EXE", table->appNames[1]) << "may equal another name";
    EXPECT_EQ((Strings{"NOTEPAD.EXE", "NOTEPAD.EXE"}), Rows(c.appCombo));
    EXPECT_EQ(1, Selected(c.appCombo));
    EXPECT_EQ(1, table->modified);
    EXPECT_EQ(1, table->entries[0].appIndex) << "the versions go with the new name";
}

TEST_F(TextCheck, NoPutsTheStoredNameBack)
{
    ReplaceRow(c.appCombo, 1, "OTHER.EXE");
    CheckAppText(*table, c);
    ASSERT_EQ(1u, shownMessages.size());
    EXPECT_EQ((Strings{"NOTEPAD.EXE", "WORDPAD.EXE"}), Rows(c.appCombo));
    EXPECT_EQ(1, Selected(c.appCombo));
    EXPECT_STREQ("WORDPAD.EXE", table->appNames[1]);
    EXPECT_EQ(0, table->modified);
}

TEST_F(TextCheck, NameWithTheListSeparatorIsNotOffered)
{
    ReplaceRow(c.appCombo, 1, "A;B.EXE");
    answers.push_back(IDYES);
    CheckAppText(*table, c);
    ASSERT_EQ(1u, shownMessages.size()) << "a refusal, no question";
    EXPECT_NE(std::string::npos, shownMessages[0].text.find("\";\""));
    EXPECT_EQ((Strings{"NOTEPAD.EXE", "WORDPAD.EXE"}), Rows(c.appCombo));
    EXPECT_STREQ("WORDPAD.EXE", table->appNames[1]);
}

TEST_F(TextCheck, VersionRefusals)
{
    static const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {nullptr, "VersionMS and LS is NULL\nRevise it"},
        {"0001000A-0000000", "VersionMS and LS has an error\nRevise it"},
        {"0001000A 00000000", "VersionMS and LS has an error\nRevise it"},
    };
    for (const auto& k : cases) {
        shownMessages.clear();
        if (k.text)
            ReplaceRow(c.versionCombo, 0, k.text);
        else
            SendMessageA(c.versionCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        answers.push_back(IDYES);
        CheckVersionText(*table, c);
        answers.clear();
        ASSERT_EQ(1u, shownMessages.size()) << (k.text ? k.text : "no selection");
        EXPECT_EQ(k.message, shownMessages[0].text);
        EXPECT_EQ((Strings{"0001000A-00000000", "00000002-00000003"}), Rows(c.versionCombo))
            << (k.text ? k.text : "no selection");
        EXPECT_EQ(0, Selected(c.versionCombo));
        EXPECT_EQ(0x1000Au, table->entries[0].versionMS);
    }
    EXPECT_EQ(0, table->modified);
}

TEST_F(TextCheck, LowerCaseDigitsAreTheSameVersion)
{
    ReplaceRow(c.versionCombo, 0, "0001000a-00000000");
    CheckVersionText(*table, c);
    EXPECT_TRUE(shownMessages.empty());
    EXPECT_EQ(0, table->modified);
}

TEST_F(TextCheck, YesStoresTheNewVersionAndKeepsTheRowAsRead)
{
    ReplaceRow(c.versionCombo, 0, "0001000b-ffffffff");
    answers.push_back(IDYES);
    CheckVersionText(*table, c);
    ASSERT_EQ(1u, shownMessages.size());
    EXPECT_EQ("Version has changed\nDo you apply it?", shownMessages[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), shownMessages[0].type);
    const AppFlagEntry& e = table->entries[0];
    EXPECT_TRUE(VersionIs(e, 0x1000Bu, 0xFFFFFFFFu));
    EXPECT_EQ(0x42u, e.flagsLow) << "flags and tag stay";
    EXPECT_EQ(7u, e.tag);
    EXPECT_EQ((Strings{"0001000b-ffffffff", "00000002-00000003"}), Rows(c.versionCombo));
    EXPECT_EQ(0, Selected(c.versionCombo));
    EXPECT_EQ(0, table->currentEntry);
    EXPECT_EQ(1, table->modified);
}

TEST_F(TextCheck, NoPutsTheStoredVersionBackInTheSameRow)
{
    // The second row is the current one.
    SendMessageA(c.versionCombo, CB_SETCURSEL, 1, 0);
    TakeVersionPick(*table, SelectedRow(c.appCombo), SelectedRow(c.versionCombo));
    ReplaceRow(c.versionCombo, 1, "00000009-00000009");
    CheckVersionText(*table, c);
    ASSERT_EQ(1u, shownMessages.size());
    EXPECT_EQ((Strings{"0001000A-00000000", "00000002-00000003"}), Rows(c.versionCombo));
    EXPECT_EQ(1, Selected(c.versionCombo));
    EXPECT_EQ(2u, table->entries[1].versionMS);
    EXPECT_EQ(0, table->modified);
}

}  // namespace
}  // namespace editing_test
