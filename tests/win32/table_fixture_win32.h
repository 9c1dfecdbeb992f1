// A flag table and the controls it is shown in, as the main window makes
// them, under a hidden parent: the setting of the display, store and file
// tests. The table is built field by field; message boxes are recorded.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/main_controls_win32.h"
#include "main/editor_window_win32.h"
#include "message_recorder_win32.h"
#include "table/flag_table.h"
#include "table_builder.h"

// Every row of a combo box; "<too long>" for a row beyond 511 characters.
std::vector<std::string> ComboRows(HWND combo);

// The application and version lists and the 64 boxes all enabled (on) or
// all disabled.
::testing::AssertionResult EditingControlsEnabled(const MainControls& c, bool on);

// WM_COMMAND as the parent of a TableWindow received it.
struct Notification {
    WPARAM wParam;
    LPARAM lParam;
};

class TableWindow : public ::testing::Test {
public:
    // The hidden parent records every WM_COMMAND it receives, in order.
    static std::vector<Notification> notifications;

protected:
    void SetUp() override;
    void TearDown() override;

    void AddApp(const char* name) { ::AddApp(*table, name); }
    AppFlagEntry& AddEntry(uint16_t app, uint32_t ms, uint32_t ls, uint32_t low = 0, uint32_t high = 0,
                           uint32_t tag = 1)
    {
        return ::AddEntry(*table, app, ms, ls, low, high, tag);
    }
    void AddApps(std::initializer_list<const char*> names) { ::AddApps(*table, names); }
    void AddEntries(std::initializer_list<EntryRow> entries) { ::AddEntries(*table, entries); }
    void AddTable(std::initializer_list<const char*> names, std::initializer_list<EntryRow> entries)
    {
        ::AddTable(*table, names, entries);
    }

    // The table as loaded (SelectLoadedTable), drawn by the display.
    void ShowLoaded();
    // The table drawn by the display as it stands.
    void Show();

    // The checked boxes by their numbers, "5 33 ".
    std::string Checked() const;
    std::string Row(HWND combo, int row) const;
    int RowCount(HWND combo) const;

    MessageRecorder recorder;
    std::unique_ptr<EditorWindow> editor;  // the display's record; table is its table
    FlagTable* table = nullptr;
    HWND parent = nullptr;
    HWND appCombo = nullptr;      // control 702
    HWND versionCombo = nullptr;  // control 703
    HWND boxes[kFlagCount] = {};  // controls 801..864
};

// The real registry of the test prefix with the key removed before and
// after each test, and the registry calls of the program replaceable.
class StoreTest : public TableWindow {
protected:
    void SetUp() override;
    void TearDown() override;
    // SaveFlagTable, its failures shown as the main window shows them.
    int Save();
    // LoadFlagTable, then ShowLoaded, as a printer change does.
    void Load();
};

// Registry calls that fail with failCode for value names containing failOn
// (every name when failOn is empty), for tests to put into platform.
extern LONG failCode;
extern std::string failOn;
LONG WINAPI FailingQuery(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD length);
LONG WINAPI FailingSet(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD length);
LONG WINAPI FailingOpen(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
LONG WINAPI FailingCreate(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD);
