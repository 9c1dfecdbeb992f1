// Every message box of the program goes through ShowMessage, which calls
// platform.messageBox, so tests can record the texts and answer the questions.
#pragma once

#include <windows.h>

extern const char kAppCaption[];  // "Deruverozad Adov Eduzed"

int ShowMessage(HWND owner, const char* text, const char* caption, UINT type);
// A message with the program's caption; plain messages have OK and no icon.
int ShowAppMessage(HWND owner, const char* text, UINT type = MB_OK);

// "Cannot load <system folder>\<fileName> (error N)" and `consequence`, with
// the caption "Error: VAVEZAV.exe" and the exclamation icon, after a failed
// SystemLibraryFunction; N is GetLastError's.
void ShowLoadFailure(HWND owner, const char* fileName, const char* consequence = "");
// The same message for a DLL's full path and the error that its load gave.
void ShowLoadError(HWND owner, const char* path, DWORD error, const char* consequence = "");
