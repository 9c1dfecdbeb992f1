#include "base/file_dialog_win32.h"

#include <cstddef>
#include <cstring>

#include "base/message_box_win32.h"
#include "base/system_function_win32.h"

const DWORD kOpenFileNameSize = OPENFILENAME_SIZE_VERSION_400A;
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == (sizeof(void*) == 4 ? 76 : 136),
              "OPENFILENAMEA without the Windows 2000 fields");

void PrepareFileDialog(OPENFILENAMEA& ofn, HWND owner, const char* filter, DWORD filterIndex, char* path,
                       char* title, const char* caption)
{
    std::memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = kOpenFileNameSize;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = filterIndex;
    ofn.lpstrFile = path;
    ofn.nMaxFile = 256;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = 256;
    ofn.lpstrTitle = caption;
}

static BOOL RunFileDialog(OPENFILENAMEA& ofn, const char* name)
{
    using FileDialogFn = BOOL(WINAPI*)(LPOPENFILENAMEA ofn);
    FileDialogFn dialog = SystemLibraryFunction<FileDialogFn>("comdlg32.dll", name);
    if (!dialog) {
        ShowLoadFailure(ofn.hwndOwner, "comdlg32.dll");
        return FALSE;
    }
    return dialog(&ofn);
}

BOOL ShowOpenFileDialog(OPENFILENAMEA& ofn)
{
    return RunFileDialog(ofn, "GetOpenFileNameA");
}

BOOL ShowSaveFileDialog(OPENFILENAMEA& ofn)
{
    return RunFileDialog(ofn, "GetSaveFileNameA");
}
