// The end-to-end driver: starts the real VAVEZAV.exe as a process, waits for
// its window, reads its controls, presses keys, clicks, answers its message
// boxes and stops it. Every wait has a deadline; a program that does not
// answer fails the test and is terminated.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "probe/menu_probe_win32.h"
#include "wait_win32.h"

// FocusedControl's answers besides a control ID.
constexpr int kNoFocus = 0;
constexpr int kFocusOnMainWindow = -1;

struct MessageBoxSeen {
    std::string caption;
    std::string text;
    bool ok = false, cancel = false, yes = false, no = false;  // buttons present
    bool icon = false;
    bool ownedByMainWindow = false;
    int answer = 0;  // the button the driver pressed
};

// One running VAVEZAV.exe. The destructor stops it, so an assertion that ends
// a test early leaves no process behind.
struct AppProcess {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    HHOOK probeHook = nullptr;
    std::vector<MessageBoxSeen> messages;  // every box the driver answered, in order

    AppProcess() = default;
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;
    ~AppProcess();
};

// The program under test, as a Windows path.
std::string VavezavExePath();

// Starts the program (or a copy of it) and waits until its "APPEDIT" window
// is shown and the menu probe answers from inside its process.
::testing::AssertionResult StartApp(AppProcess& app, const std::string& exe = VavezavExePath());
// Waits until the program has handled everything posted or typed so far:
// repeated probe round trips until its queue holds no posted or input message.
::testing::AssertionResult Settle(AppProcess& app, DWORD timeoutMs = kSettleTimeoutMs);
// The menu as the program itself sees it.
::testing::AssertionResult ReadMenu(AppProcess& app, ProbeReport& report);
// GetMenuState of a command in a report, -1 when the menu has no such command.
int MenuState(const ProbeReport& report, UINT command);
// Checks that each command is enabled (or greyed) and not missing.
::testing::AssertionResult MenuCommandsAre(const ProbeReport& report, const UINT* commands, size_t count,
                                           bool enabled);
// The same on the menu as the probe reads it now.
::testing::AssertionResult MenuCommandsAre(AppProcess& app, const UINT* commands, size_t count, bool enabled);

HWND Control(const AppProcess& app, int id);
std::vector<std::string> ComboRows(HWND combo);
int ComboSelection(HWND combo);
bool BoxChecked(HWND box);
std::string WindowText(HWND window);
// The text of a field of another process (WM_GETTEXT, which crosses
// processes where GetWindowText does not).
std::string FieldText(HWND field);
bool Exited(const AppProcess& app);
// The window with the keyboard focus in the program's thread, or null.
HWND FocusWindow(const AppProcess& app);
// The control (direct child of the main window) that has the keyboard focus
// in the program's thread, or kNoFocus / kFocusOnMainWindow.
int FocusedControl(const AppProcess& app);

// Real input through SendInput, with the program's window in the foreground.
// modifiers: any of MOD_SHIFT, MOD_ALT, MOD_CONTROL.
// Real key presses (SendInput) into `foreground`, the program's window
// unless another of its windows (a dialog) is named.
::testing::AssertionResult PressKey(AppProcess& app, WORD vk, UINT modifiers = 0, HWND foreground = nullptr);
::testing::AssertionResult TypeText(AppProcess& app, HWND foreground, const char* text);
::testing::AssertionResult BringWindowForward(AppProcess& app, HWND window);
// Keeps the driver's own windows answering while it waits.
void PumpDriverMessages();
INPUT KeyInput(WORD vk, bool up);
::testing::AssertionResult ClickControl(AppProcess& app, int id);
// A click on a control of another of the program's windows, brought forward first.
::testing::AssertionResult ClickInWindow(AppProcess& app, HWND window, HWND control);
// A click on the middle of any window of the program, as it is in front.
::testing::AssertionResult ClickWindowCentre(AppProcess& app, HWND window);
// A selection made the way the control reports a user's pick: CB_SETCURSEL,
// then CBN_SELCHANGE to the main window.
::testing::AssertionResult SelectComboRow(AppProcess& app, int comboId, int row);
// WM_COMMAND as a menu choice posts it.
::testing::AssertionResult PostCommand(AppProcess& app, UINT command);

// The visible message box of the program's thread, or nullptr.
HWND OpenMessageBox(const AppProcess& app);
::testing::AssertionResult WaitForMessageBox(AppProcess& app, HWND& box, DWORD timeoutMs = kMessageBoxTimeoutMs);
// Reads the box, records it in app.messages, presses the button and waits
// until the box has gone.
::testing::AssertionResult AnswerMessageBox(AppProcess& app, HWND box, int button, MessageBoxSeen* seen = nullptr);
// Settles and fails when a message box is open.
::testing::AssertionResult SettleWithoutMessageBox(AppProcess& app);

::testing::AssertionResult WaitForExit(AppProcess& app, DWORD timeoutMs, DWORD& exitCode);
// Closes the program with WM_CLOSE, terminates it after kExitTimeoutMs.
// Fails when it had to be terminated.
::testing::AssertionResult StopApp(AppProcess& app, DWORD timeoutMs = kExitTimeoutMs);
