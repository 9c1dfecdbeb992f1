#include "base/file_dialog_win32.h"

#include <cstddef>
#include <cstdio>
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
    ofn.nMaxFile = kFilePathSize;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = kFilePathSize;
    ofn.lpstrTitle = caption;
}

namespace {

using FileDialogFn = BOOL(WINAPI*)(LPOPENFILENAMEA ofn);
using DialogErrorFn = DWORD(WINAPI*)();

// Cancel is the one quiet FALSE: a failure of the dialog itself (a path
// longer than the buffer, say) is told before FALSE goes back.
BOOL RunFileDialog(OPENFILENAMEA& ofn, FileDialogFn dialog, const char* name)
{
    if (!dialog)
        dialog = SystemLibraryFunction<FileDialogFn>("comdlg32.dll", name);
    if (!dialog) {
        ShowLoadFailure(ofn.hwndOwner, "comdlg32.dll");
        return FALSE;
    }
    if (dialog(&ofn))
        return TRUE;
    DialogErrorFn lastError = platform.commDlgExtendedError;
    if (!lastError)
        lastError = SystemLibraryFunction<DialogErrorFn>("comdlg32.dll", "CommDlgExtendedError");
    DWORD error = lastError ? lastError() : 0;
    if (error == FNERR_BUFFERTOOSMALL) {
        ShowAppMessage(ofn.hwndOwner, kPathTooLongText);
    } else if (error != 0) {
        char text[64];
        std::snprintf(text, sizeof text, "The file dialog failed.\nCode=%lu", static_cast<unsigned long>(error));
        ShowAppMessage(ofn.hwndOwner, text);
    }
    return FALSE;
}

}  // namespace

const char kPathTooLongText[] =
    "The path is too long.\nA file's path, its folders included, can have at most 259 characters.";

BOOL ShowOpenFileDialog(OPENFILENAMEA& ofn)
{
    return RunFileDialog(ofn, platform.getOpenFileName, "GetOpenFileNameA");
}

BOOL ShowSaveFileDialog(OPENFILENAMEA& ofn)
{
    return RunFileDialog(ofn, platform.getSaveFileName, "GetSaveFileNameA");
}
