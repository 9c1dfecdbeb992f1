// The system calls that tests replace to make a call fail, answer a message
// box or hand over chosen printers: one table, `platform`, which starts as
// kSystemPlatform. A test sets members and puts back kSystemPlatform.
#pragma once

#include <windows.h>

#include <commdlg.h>

struct Platform {
    // Registry.
    LONG(WINAPI* openKey)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
    LONG(WINAPI* queryValue)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
    LONG(WINAPI* deleteKey)(HKEY, LPCSTR);
    LONG(WINAPI* createKey)(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD);
    LONG(WINAPI* setValue)(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD);
    LONG(WINAPI* closeKey)(HKEY);
    LONG(WINAPI* enumValue)(HKEY, DWORD, LPSTR, LPDWORD, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
    LONG(WINAPI* enumKey)(HKEY, DWORD, LPSTR, LPDWORD, LPDWORD, LPSTR, LPDWORD, PFILETIME);
    // RegDeleteKeyExA, looked up at run time: Windows 98, Me, 2000 and the
    // WOW64 of 64-bit Windows XP lack it (null then).
    LONG(WINAPI* deleteKeyEx)(HKEY, LPCSTR, REGSAM, DWORD);
    // Whether this process is a 32-bit program on 64-bit Windows.
    bool (*runsUnderWow64)();
    // RegRenameKey, looked up at run time: Windows Vista and later (null
    // before). It has no ANSI form; the names it takes are wide.
    LONG(WINAPI* renameKey)(HKEY, LPCWSTR, LPCWSTR);

    // Files.
    HANDLE(WINAPI* createFile)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
    BOOL(WINAPI* readFile)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
    BOOL(WINAPI* writeFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
    DWORD(WINAPI* getFileSize)(HANDLE, LPDWORD);
    BOOL(WINAPI* closeHandle)(HANDLE);
    BOOL(WINAPI* deleteFile)(LPCSTR);
    BOOL(WINAPI* moveFile)(LPCSTR, LPCSTR);
    // MoveFileExA, looked up at run time; Windows 98 and Me answer it with
    // ERROR_CALL_NOT_IMPLEMENTED, and null stands for the same.
    BOOL(WINAPI* moveFileEx)(LPCSTR, LPCSTR, DWORD);
    UINT(WINAPI* getTempFileName)(LPCSTR, LPCSTR, UINT, LPSTR);
    DWORD(WINAPI* getFileAttributes)(LPCSTR);

    // The named mutex that gives writers of the key their turns.
    HANDLE(WINAPI* createMutex)(LPSECURITY_ATTRIBUTES, BOOL, LPCSTR);
    HANDLE(WINAPI* openMutex)(DWORD, BOOL, LPCSTR);
    DWORD(WINAPI* waitForObject)(HANDLE, DWORD);
    BOOL(WINAPI* releaseMutex)(HANDLE);

    // Printers: null stands for EnumPrintersA of winspool.drv in the system
    // folder, loaded (through loadSystemLibrary) when printers are first listed.
    BOOL(WINAPI* enumPrinters)(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed,
                               LPDWORD returned);

    // The open and save dialogs and their failure code: null stands for
    // GetOpenFileNameA, GetSaveFileNameA and CommDlgExtendedError of
    // comdlg32.dll in the system folder, loaded when a dialog is first shown.
    BOOL(WINAPI* getOpenFileName)(LPOPENFILENAMEA ofn);
    BOOL(WINAPI* getSaveFileName)(LPOPENFILENAMEA ofn);
    DWORD(WINAPI* commDlgExtendedError)();

    // Memory, message box and beep.
    HLOCAL(WINAPI* localAlloc)(UINT flags, SIZE_T bytes);
    int(WINAPI* messageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
    BOOL(WINAPI* messageBeep)(UINT type);

    // A DLL of the system folder by its full path (LoadSystemLibrary).
    HMODULE (*loadSystemLibrary)(const char* fileName);
};

extern Platform platform;
extern const Platform kSystemPlatform;
