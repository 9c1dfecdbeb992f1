#include "table_fixture_win32.h"

#include <algorithm>
#include <cstring>

#include "main/messages_win32.h"
#include "resource.h"
#include "base/platform_win32.h"
#include "store/registry_layout.h"
#include "store/registry_store_win32.h"
#include "main/display_win32.h"
#include "main/commands_win32.h"
#include "table/edit_commands.h"
#include "table/flag_table_edit.h"

namespace {

HWND Child(const char* cls, DWORD style, int id, HWND parent)
{
    return CreateWindowExA(0, cls, "", WS_CHILD | style, 0, 0, 200, 100, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

LRESULT CALLBACK RecordingParent(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        TableWindow::notifications.push_back({wParam, lParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

std::vector<Notification> TableWindow::notifications;

std::vector<std::string> ComboRows(HWND combo)
{
    std::vector<std::string> rows;
    LRESULT n = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char text[512] = "";
        LRESULT len = SendMessageA(combo, CB_GETLBTEXTLEN, i, 0);
        if (len < 0 || len >= static_cast<LRESULT>(sizeof text)) {
            rows.push_back("<too long>");
            continue;
        }
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        rows.push_back(text);
    }
    return rows;
}

::testing::AssertionResult EditingControlsEnabled(const MainControls& c, bool on)
{
    HWND controls[2 + kFlagCount] = {c.appCombo, c.versionCombo};
    std::memcpy(controls + 2, c.flagBoxes, sizeof c.flagBoxes);
    for (HWND w : controls) {
        if ((IsWindowEnabled(w) != FALSE) != on)
            return ::testing::AssertionFailure() << "control " << GetDlgCtrlID(w) << (on ? " disabled" : " enabled");
    }
    return ::testing::AssertionSuccess();
}

void TableWindow::SetUp()
{
    editor.reset(new EditorWindow());
    table = &editor->table;
    notifications.clear();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordingParent;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TABLETESTPARENT";
    RegisterClassA(&wc);  // fails harmlessly once registered
    parent = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, parent);
    appCombo = Child("COMBOBOX", WS_VSCROLL | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_UPPERCASE, IDC_APPLICATION,
                     parent);
    versionCombo = Child("COMBOBOX", WS_VSCROLL | CBS_DROPDOWNLIST, IDC_VERSION, parent);
    for (int k = 0; k < kFlagCount; ++k)
        boxes[k] = Child("BUTTON", BS_AUTOCHECKBOX, IDC_FLAG01 + k, parent);
    MakeEditorWindow(*editor, parent, GetModuleHandleA(nullptr));
    editor->controls.appCombo = appCombo;
    editor->controls.versionCombo = versionCombo;
    std::copy(boxes, boxes + kFlagCount, editor->controls.flagBoxes);
    editor->printerFound = 1;
}

void TableWindow::TearDown()
{
    FreeHistory(table->history);
    DestroyWindow(parent);
}

std::string TableWindow::Checked() const
{
    std::string out;
    for (int k = 0; k < kFlagCount; ++k) {
        if (SendMessageA(boxes[k], BM_GETCHECK, 0, 0) == BST_CHECKED)
            out += std::to_string(k + 1) + " ";
    }
    return out;
}

std::string TableWindow::Row(HWND combo, int row) const
{
    char text[512] = "";
    LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length != CB_ERR && length < static_cast<LRESULT>(sizeof text))
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
    return text;
}

void TableWindow::ShowLoaded()
{
    SelectLoadedTable(*table);
    Show();
}

void TableWindow::Show()
{
    size_t rows = 0;
    const CommandRow* commands = CommandRows(&rows);
    ShowEditor(*editor, commands, rows);
}

int TableWindow::RowCount(HWND combo) const
{
    return static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
}

void StoreTest::SetUp()
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFlagKeyPath);
    ResetPlatform();
    failCode = 0;
    failOn.clear();
    TableWindow::SetUp();
}

void StoreTest::TearDown()
{
    TableWindow::TearDown();
    ResetPlatform();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFlagKeyPath);
}

int StoreTest::Save()
{
    return SaveFlagTable(*table, StoreMessages(parent));
}

void StoreTest::Load()
{
    ShowLoadSkips(parent, LoadFlagTable(*table, StoreMessages(parent)));
    ShowLoaded();
}

LONG failCode = 0;
std::string failOn;

static bool FailsFor(LPCSTR name)
{
    return failOn.empty() || (name && std::strstr(name, failOn.c_str()));
}

LONG WINAPI FailingQuery(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD length)
{
    return FailsFor(name) ? failCode : RegQueryValueExA(key, name, reserved, type, data, length);
}

LONG WINAPI FailingSet(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD length)
{
    return FailsFor(name) ? failCode : RegSetValueExA(key, name, reserved, type, data, length);
}

LONG WINAPI FailingOpen(HKEY, LPCSTR, DWORD, REGSAM, PHKEY)
{
    return failCode;
}

LONG WINAPI FailingCreate(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD)
{
    return failCode;
}
