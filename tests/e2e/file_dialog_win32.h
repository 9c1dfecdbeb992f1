// The system's open and save dialogs as the program shows them, worked from
// outside: the dialog found, a full path typed into its file-name field, the
// file type picked, Enter pressed and the question about an existing file
// answered, with real keys wherever Wine takes them reliably, and deadlines.
#pragma once

#include "driver_win32.h"

#include <string>
#include <vector>

// Control IDs of the Explorer-style dialog.
constexpr int kFileNameField = 0x47C;
constexpr int kFileTypeList = 0x470;

// The visible file dialog of the program's thread, or nullptr; the tests
// check its owner themselves.
HWND OpenFileDialog(const AppProcess& app);
::testing::AssertionResult WaitForFileDialog(AppProcess& app, HWND& dialog, DWORD timeoutMs = kMessageBoxTimeoutMs);
::testing::AssertionResult WaitForFileDialogClosed(AppProcess& app, HWND dialog,
                                                   DWORD timeoutMs = kMessageBoxTimeoutMs);

// The edit in which the file name is typed (inside the combo box 0x47C).
HWND FileNameEdit(HWND dialog);
std::string FileNameText(HWND dialog);
std::vector<std::string> FileTypeRows(HWND dialog);
int FileTypeSelection(HWND dialog);

// Picks a row of the file-type list the way the drop-down reports a pick.
::testing::AssertionResult ChooseFileType(AppProcess& app, HWND dialog, int row);
// Replaces the file name with text typed key by key.
::testing::AssertionResult TypeFileName(AppProcess& app, HWND dialog, const std::string& text);
// A key pressed in the dialog, whatever has the focus there.
::testing::AssertionResult PressInFileDialog(AppProcess& app, HWND dialog, WORD vk);
// Escape: the dialog closes without a file.
::testing::AssertionResult CancelFileDialog(AppProcess& app, HWND dialog);

// The message box that the file dialog itself owns (the question about an
// existing file), or nullptr.
HWND FileDialogQuestion(const AppProcess& app, HWND dialog);

// The whole pick: types the path, picks the file type (row -1 leaves it),
// presses Enter in the file-name field; when the file exists the dialog asks first, and overwrite is
// the button pressed then (IDYES or IDNO; 0: no question is expected).
// question receives that box's text. Returns once the dialog has closed,
// unless the answer IDNO keeps it open.
struct FilePick {
    std::string path;
    int fileTypeRow = -1;
    int overwrite = 0;
};
::testing::AssertionResult PickFile(AppProcess& app, HWND dialog, const FilePick& pick,
                                    MessageBoxSeen* question = nullptr);
