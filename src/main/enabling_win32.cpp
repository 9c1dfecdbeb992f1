#include "main/enabling_win32.h"

#include "resource.h"

void EnableMenuCommand(HWND window, UINT command, bool on)
{
    EnableMenuItem(GetMenu(window), command, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

void EnableControl(HWND control, bool on)
{
    EnableWindow(control, on ? TRUE : FALSE);
}

void UpdateVersionCommands(const MainControls& c)
{
    uint16_t rows = static_cast<uint16_t>(SendMessageA(c.versionCombo, CB_GETCOUNT, 0, 0));
    EnableMenuCommand(c.window, IDM_DELETEVERSION, rows > 1);
    EnableMenuCommand(c.window, IDM_SORTVERSION, rows > 1);
}

static const UINT kEditingCommands[] = {
    IDM_COPY, IDM_PASTE, IDM_CLEARALL, IDM_CHECKALL, IDM_NEWVERSION, IDM_DELETEVERSION, IDM_DELETEAPP,
    IDM_SORTVERSION,
};

static void EnableEditingControls(const MainControls& c, bool on)
{
    EnableControl(c.appCombo, on);
    EnableControl(c.versionCombo, on);
    for (HWND box : c.flagBoxes)
        EnableControl(box, on);
}

void SetEditingState(const MainControls& c, bool on)
{
    for (UINT command : kEditingCommands)
        EnableMenuCommand(c.window, command, on);
    EnableEditingControls(c, on);
}

void SetNoPrinterState(const MainControls& c)
{
    static const UINT kFileCommands[] = {IDM_SAVE, IDM_IMPORT, IDM_EXPORT, IDM_NEWAPP};
    for (UINT command : kFileCommands)
        EnableMenuCommand(c.window, command, false);
    for (UINT command : kEditingCommands)
        EnableMenuCommand(c.window, command, false);
    EnableControl(c.printerCombo, false);
    EnableEditingControls(c, false);
}
