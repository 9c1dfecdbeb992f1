// A stand-in main window for the editing tests: a hidden top-level window
// with a real menu, the three combo boxes and the 64 automatic check boxes,
// whose window procedure passes flag box clicks to SetFlagFromBox. Message
// boxes are recorded and answered from a queue.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "main/commands_win32.h"
#include "main/enabling_win32.h"
#include "main/focus_win32.h"
#include "base/main_controls_win32.h"
#include "base/message_box_win32.h"
#include "resource.h"
#include "table/flag_table.h"
#include "table/flag_table_edit.h"
#include "table/flag_table_edit_win32.h"
#include "table/flag_table_win32.h"
#include "table_fixture_win32.h"

namespace editing_test {

// What the parent's window procedure works on.
inline FlagTable* windowTable = nullptr;
inline const MainControls* windowControls = nullptr;
inline std::vector<int> flagNotifications;

inline LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && windowTable && windowControls) {
        int id = LOWORD(wParam);
        if (id >= IDC_FLAG01 && id <= IDC_FLAG64) {
            flagNotifications.push_back(id);
            OnCommand(*windowControls, *windowTable, wParam, lParam);
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

inline const char* ParentClass()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "EDITINGTESTPARENT";
        RegisterClassA(&wc);
        registered = true;
    }
    return "EDITINGTESTPARENT";
}

class EditingWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        flagNotifications.clear();
        ForgetFocus();
        table = NewTable();
        HINSTANCE instance = GetModuleHandleA(nullptr);
        c.window = CreateWindowExA(0, ParentClass(), "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, LoadMenuA(instance, "MENU"),
                                   instance, nullptr);
        ASSERT_NE(nullptr, c.window);
        c.printerCombo = MakeCombo(IDC_PRINTER, 0);
        c.appCombo = MakeCombo(IDC_APPLICATION, CBS_UPPERCASE);
        c.versionCombo = MakeCombo(IDC_VERSION, 0);
        for (int k = 0; k < kFlagCount; ++k)
            c.flagBoxes[k] = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10 + 40 * (k % 16),
                                             200 + 30 * (k / 16), 36, 20, c.window,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FLAG01 + k)), instance,
                                             nullptr);
        windowTable = table.get();
        windowControls = &c;
    }

    void TearDown() override
    {
        windowTable = nullptr;
        windowControls = nullptr;
        DestroyWindow(c.window);
    }

    HWND MakeCombo(int id, DWORD extra)
    {
        return CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | extra, 10,
                               10 + 40 * (id - IDC_PRINTER), 300, 200, c.window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    }

    // A table as a load leaves it: names in appNames and as rows.
    void AddApp(const char* name)
    {
        InsertAppRow(c.appCombo, table->appCount, name);
        ::AddApp(*table, name);
    }

    AppFlagEntry& AddEntry(uint16_t app, uint32_t ms, uint32_t ls, uint32_t low = 0, uint32_t high = 0,
                           uint32_t tag = 1)
    {
        return ::AddEntry(*table, app, ms, ls, low, high, tag);
    }

    void AddApps(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            AddApp(name);
    }
    void AddEntries(std::initializer_list<EntryRow> entries) { ::AddEntries(*table, entries); }
    void AddTable(std::initializer_list<const char*> names, std::initializer_list<EntryRow> entries)
    {
        AddApps(names);
        AddEntries(entries);
    }

    // What a selection change in the application list does.
    void SelectApp(uint16_t app)
    {
        SendMessageA(c.appCombo, CB_SETCURSEL, app, 0);
        SelectApplication(*table, app);
        table->currentVersionRow = 0;
        FillVersionList(*table, c.versionCombo, app, c.flagBoxes);
    }

    // What the main window does after each command, a printer found.
    void Apply() { ApplyEnabling(c, SnapshotOf(*table, 1)); }

    // The state after a load: editing by the table, Paste greyed.
    void LoadedState()
    {
        SelectApp(0);
        table->pasteOffered = 0;
        Apply();
    }

    // The table, then the state after its load.
    void LoadTable(std::initializer_list<const char*> names, std::initializer_list<EntryRow> entries)
    {
        AddTable(names, entries);
        LoadedState();
    }

    // New Application as its command runs it: a new application offers Paste.
    int NewApp()
    {
        uint16_t before = table->appCount;
        int result = NewApplication(*table, input, c);
        if (table->appCount > before)
            table->pasteOffered = 1;
        Apply();
        return result;
    }

    // An editing operation's result, with the enabling applied after it.
    int Applied(int result)
    {
        Apply();
        return result;
    }

    void Copy()
    {
        if (TableCopyFlags(*table, table->currentEntry))
            table->pasteOffered = 1;
        Apply();
    }

    void Input(const char* name, uint32_t ms, uint32_t ls) { input = ::Input(name, ms, ls); }

    bool Grayed(UINT command) const
    {
        UINT state = GetMenuState(GetMenu(c.window), command, MF_BYCOMMAND);
        EXPECT_NE(static_cast<UINT>(-1), state) << "command " << command << " not in the menu";
        return (state & MF_GRAYED) != 0;
    }

    static std::vector<std::string> Rows(HWND combo) { return ComboRows(combo); }

    static int Selected(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

    // The 64 boxes show exactly these two words.
    ::testing::AssertionResult BoxesShow(uint32_t low, uint32_t high) const
    {
        for (int k = 0; k < kFlagCount; ++k) {
            uint32_t word = k < 32 ? low : high;
            LRESULT expected = (word >> (k % 32)) & 1u ? BST_CHECKED : BST_UNCHECKED;
            LRESULT actual = SendMessageA(c.flagBoxes[k], BM_GETCHECK, 0, 0);
            if (actual != expected)
                return ::testing::AssertionFailure() << "box " << (k + 1) << " shows " << actual;
        }
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult EditingControlsEnabled(bool on) const { return ::EditingControlsEnabled(c, on); }

    MessageRecorder recorder;
    std::unique_ptr<FlagTable> table;
    MainControls c = {};
    InputValues input = {};  // what the input dialog returned
};

}  // namespace editing_test
