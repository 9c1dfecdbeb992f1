#include "base/message_box_win32.h"

#include "base/platform_win32.h"

const char kAppCaption[] = "Deruverozad Adov Eduzed";

int ShowMessage(HWND owner, const char* text, const char* caption, UINT type)
{
    return platform.messageBox(owner, text, caption, type);
}

int ShowAppMessage(HWND owner, const char* text, UINT type)
{
    return ShowMessage(owner, text, kAppCaption, type);
}
