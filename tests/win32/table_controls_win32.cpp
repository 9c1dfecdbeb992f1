#include "table_controls_win32.h"

#include "resource.h"

static HWND Child(const char* cls, DWORD style, int id, HWND parent)
{
    return CreateWindowExA(0, cls, "", WS_CHILD | style, 0, 0, 200, 100, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

void CreateTableControls(TableControls& c, const char* parentClass)
{
    c.parent = CreateWindowExA(0, parentClass, "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    c.appCombo = Child("COMBOBOX", WS_VSCROLL | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_UPPERCASE, IDC_APPLICATION,
                       c.parent);
    c.versionCombo = Child("COMBOBOX", WS_VSCROLL | CBS_DROPDOWNLIST, IDC_VERSION, c.parent);
    for (int k = 0; k < kFlagCount; ++k)
        c.boxes[k] = Child("BUTTON", BS_AUTOCHECKBOX, IDC_FLAG01 + k, c.parent);
}
