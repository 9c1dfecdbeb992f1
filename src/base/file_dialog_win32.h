// The common part of the program's open and save dialogs.
#pragma once

#include <windows.h>

#include <commdlg.h>

// The size of OPENFILENAMEA before Windows 2000 added its last three fields;
// Windows 98 refuses the larger structure. It is 76 bytes in the 32-bit exe
// and 136 in the 64-bit build, whose pointers are wider.
extern const DWORD kOpenFileNameSize;

// The path and file title buffers: the longest path the system takes
// (MAX_PATH), its terminator included.
constexpr DWORD kFilePathSize = MAX_PATH;

// Zeroes ofn and sets its size, owner, filter list (first pair shown when
// filterIndex is 0 or 1), the path and file title buffers of kFilePathSize
// characters and the dialog's title. Flags and the default extension are
// the caller's.
void PrepareFileDialog(OPENFILENAMEA& ofn, HWND owner, const char* filter, DWORD filterIndex, char* path,
                       char* title, const char* caption);

// GetOpenFileNameA and GetSaveFileNameA (platform, else comdlg32.dll in the
// system folder). FALSE for Cancel; FALSE after a message when that DLL
// cannot be loaded or the dialog fails (kPathTooLongText for a path longer
// than the buffer, else its CommDlgExtendedError code).
BOOL ShowOpenFileDialog(OPENFILENAMEA& ofn);
extern const char kPathTooLongText[];
BOOL ShowSaveFileDialog(OPENFILENAMEA& ofn);
