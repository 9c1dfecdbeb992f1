// Apart from message_box_win32.cpp: afetool.exe has no string table.
#include <cstdio>

#include "base/message_box_win32.h"
#include "base/res_text_win32.h"
#include "base/system_function_win32.h"
#include "resource.h"

void ShowLoadFailure(HWND owner, const char* fileName, const char* consequence)
{
    DWORD error = GetLastError();
    char path[MAX_PATH];
    SystemLibraryPath(fileName, path, sizeof path);
    ShowLoadError(owner, path, error, consequence);
}

void ShowLoadError(HWND owner, const char* path, DWORD error, const char* consequence)
{
    char text[MAX_PATH + 100];
    char caption[260];
    std::snprintf(text, sizeof text, "Cannot load %s (error %lu)%s", path, static_cast<unsigned long>(error),
                  consequence);
    ShowMessage(owner, text, LoadResString(IDS_ERROR_CAPTION, caption, sizeof caption), MB_OK | MB_ICONEXCLAMATION);
}
