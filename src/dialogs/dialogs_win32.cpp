#include "dialogs/dialogs_win32.h"

#include <cstdio>
#include <cstring>

#include "base/file_dialog_win32.h"
#include "dialogs/hex_filter.h"
#include "base/message_box_win32.h"
#include "base/platform_win32.h"
#include "base/system_function_win32.h"
#include "resource.h"
#include "table/edit_commands.h"
#include "table/flag_table.h"
#include "table/text_check.h"

namespace {

// A version field holds eight digits; reading nine shows a ninth that
// should not be there rather than cutting the number short.
constexpr int kVersionFieldSize = 10;
constexpr int kVersionFieldChars = 8;

// version.dll of the system folder, loaded at the first Browse.
struct VersionApi {
    using SizeFn = DWORD(WINAPI*)(LPCSTR path, LPDWORD handle);
    using InfoFn = BOOL(WINAPI*)(LPCSTR path, DWORD handle, DWORD size, LPVOID data);
    using QueryFn = BOOL(WINAPI*)(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length);
    SizeFn size = SystemLibraryFunction<SizeFn>("version.dll", "GetFileVersionInfoSizeA");
    InfoFn info = SystemLibraryFunction<InfoFn>("version.dll", "GetFileVersionInfoA");
    QueryFn query = SystemLibraryFunction<QueryFn>("version.dll", "VerQueryValueA");
};

InputDialogParam* InputOf(HWND dialog)
{
    return reinterpret_cast<InputDialogParam*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// Stores the parameter and starts the halves at 0; false for none.
bool StartInputDialog(HWND dialog, LPARAM lParam)
{
    InputDialogParam* p = reinterpret_cast<InputDialogParam*>(lParam);
    if (p == nullptr || p->values == nullptr) {
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        EndDialog(dialog, IDCANCEL);
        return false;
    }
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    p->values->inputVersionLS = 0;
    p->values->inputVersionMS = 0;
    return true;
}

void ReadVersionField(HWND dialog, int fieldId, uint32_t* value)
{
    char text[kVersionFieldSize] = {};
    GetDlgItemTextA(dialog, fieldId, text, sizeof text);
    ParseHexField(text, value);  // an empty field leaves the 0 of the opening
}

void LimitField(HWND dialog, int fieldId, int chars)
{
    SendDlgItemMessageA(dialog, fieldId, EM_LIMITTEXT, static_cast<WPARAM>(chars), 0);
}

// The fields of one input dialog; nameId 0 for the one without a name.
struct InputFields {
    int nameId;
    int msId;
    int lsId;
};

const InputFields kNewAppFields = {IDC_NEWAPP_NAME, IDC_NEWAPP_MS, IDC_NEWAPP_LS};
const InputFields kNewVersionFields = {0, IDC_NEWVER_MS, IDC_NEWVER_LS};

void OnInputInit(HWND dialog, LPARAM lParam, const InputFields& f)
{
    if (!StartInputDialog(dialog, lParam))
        return;
    if (f.nameId) {
        LimitField(dialog, f.nameId, static_cast<int>(kMaxNameChars));
        SendDlgItemMessageA(dialog, f.nameId, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                            FALSE);
    }
    LimitField(dialog, f.msId, kVersionFieldChars);
    LimitField(dialog, f.lsId, kVersionFieldChars);
}

// OK: a name the stored list can hold, then both halves; the dialog ends.
void OnInputOk(HWND dialog, const InputDialogParam& p, const InputFields& f)
{
    InputValues& t = *p.values;
    if (f.nameId) {
        char name[kNameSize] = {};
        GetDlgItemTextA(dialog, f.nameId, name, sizeof name);
        AppNameCheck problem = AppNameProblem(name);
        if (problem != kNameAcceptable) {
            // The dialog stays open for another name.
            if (p.refuseName)
                p.refuseName(dialog, problem);
            return;
        }
        std::memcpy(t.inputAppName, name, kNameSize);
    }
    ReadVersionField(dialog, f.msId, &t.inputVersionMS);
    ReadVersionField(dialog, f.lsId, &t.inputVersionLS);
    EndDialog(dialog, IDOK);
}

INT_PTR InputDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const InputFields& f)
{
    if (message == WM_INITDIALOG) {
        OnInputInit(dialog, lParam, f);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    int id = LOWORD(wParam);
    int code = HIWORD(wParam);
    InputDialogParam* p = InputOf(dialog);
    if (id == IDOK && p != nullptr)
        OnInputOk(dialog, *p, f);
    else if (id == IDCANCEL)
        EndDialog(dialog, IDCANCEL);
    else if (f.nameId && id == IDC_BROWSE && code == BN_CLICKED)
        BrowseApplication(dialog, f.nameId, f.msId, f.lsId);
    else if ((id == f.msId || id == f.lsId) && code == EN_CHANGE)
        FilterHexField(dialog, id);
    else
        return FALSE;
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

namespace {

FindDialogParam* FindParamOf(HWND dialog)
{
    return reinterpret_cast<FindDialogParam*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void EnableFindOk(HWND dialog)
{
    EnableWindow(GetDlgItem(dialog, IDOK), GetWindowTextLengthA(GetDlgItem(dialog, IDC_FIND_TEXT)) > 0);
}

void OnFindInit(HWND dialog, LPARAM lParam)
{
    FindDialogParam* p = reinterpret_cast<FindDialogParam*>(lParam);
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    if (p == nullptr || p->text == nullptr) {
        EndDialog(dialog, IDCANCEL);
        return;
    }
    // A name is no longer, so neither is a text that can be found.
    SendDlgItemMessageA(dialog, IDC_FIND_TEXT, EM_LIMITTEXT, kMaxNameChars, 0);
    SetDlgItemTextA(dialog, IDC_FIND_TEXT, p->text);
    SendDlgItemMessageA(dialog, IDC_FIND_TEXT, EM_SETSEL, 0, -1);
    EnableFindOk(dialog);
}

}  // namespace

INT_PTR CALLBACK FindDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        OnFindInit(dialog, lParam);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    FindDialogParam* p = FindParamOf(dialog);
    switch (LOWORD(wParam)) {
    case IDOK:
        // The default button answers Enter also while it is greyed.
        if (p && GetWindowTextLengthA(GetDlgItem(dialog, IDC_FIND_TEXT)) > 0) {
            GetDlgItemTextA(dialog, IDC_FIND_TEXT, p->text, p->size);
            EndDialog(dialog, IDOK);
        }
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDC_FIND_TEXT:
        if (HIWORD(wParam) != EN_CHANGE)
            return FALSE;
        EnableFindOk(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK NewAppDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return InputDlgProc(dialog, message, wParam, lParam, kNewAppFields);
}

INT_PTR CALLBACK NewVersionDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return InputDlgProc(dialog, message, wParam, lParam, kNewVersionFields);
}

void FilterHexField(HWND dialog, int fieldId)
{
    char text[kVersionFieldSize] = {};
    GetDlgItemTextA(dialog, fieldId, text, sizeof text);
    if (!RemoveNonHexChars(text))
        return;
    platform.messageBeep(MB_ICONEXCLAMATION);
    // Raises one more EN_CHANGE, which finds nothing left to remove.
    SetDlgItemTextA(dialog, fieldId, text);
}

int ReadFileVersion(const char* path, uint32_t* ms, uint32_t* ls)
{
    *ms = 0;
    *ls = 0;
    VersionApi api;
    if (!api.size || !api.info || !api.query)
        return -1;
    DWORD handle = 0;
    DWORD size = api.size(path, &handle);
    if (size == 0)
        return 0;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr)
        return 0;
    int found = 0;
    void* info = GlobalLock(block);
    if (info != nullptr) {
        void* fixed = nullptr;
        UINT length = 0;
        // A block shorter than the structure cannot be read as one.
        if (api.info(path, 0, size, info) && api.query(info, "\\", &fixed, &length) &&
            fixed != nullptr && length >= sizeof(VS_FIXEDFILEINFO)) {
            const VS_FIXEDFILEINFO* v = static_cast<const VS_FIXEDFILEINFO*>(fixed);
            *ms = v->dwFileVersionMS;
            *ls = v->dwFileVersionLS;
            found = 1;
        }
        GlobalUnlock(block);
    }
    GlobalFree(block);
    return found;
}

void BrowseApplication(HWND dialog, int nameId, int msId, int lsId)
{
    char path[kFilePathSize] = {};
    char title[kFilePathSize] = {};
    OPENFILENAMEA ofn;
    PrepareFileDialog(ofn, dialog, "Executable Files(*.exe)\0*.exe\0All Files(*.*)\0*.*\0", 1, path, title,
                      "Select Application");
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    ofn.lpstrDefExt = "exe";
    if (!ShowOpenFileDialog(ofn))
        return;
    uint32_t ms = 0;
    uint32_t ls = 0;
    if (ReadFileVersion(path, &ms, &ls) < 0)
        ShowLoadFailure(GetParent(dialog), "version.dll", ", so the version of the file cannot be read.");
    char text[16];
    SetDlgItemTextA(dialog, nameId, title);
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(ms));
    SetDlgItemTextA(dialog, msId, text);
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(ls));
    SetDlgItemTextA(dialog, lsId, text);
}
