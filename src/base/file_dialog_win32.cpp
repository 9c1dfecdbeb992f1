#include "base/file_dialog_win32.h"

#include <cstddef>
#include <cstring>

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
