#include "base/message_box_win32.h"

const char kAppCaption[] = "Deruverozad Adov Eduzed";

static int SystemMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    return MessageBoxA(owner, text, caption, type);
}

MessageBoxFn messageBoxImpl = SystemMessageBox;

int ShowMessage(HWND owner, const char* text, const char* caption, UINT type)
{
    return messageBoxImpl(owner, text, caption, type);
}

int ShowAppMessage(HWND owner, const char* text, UINT type)
{
    return ShowMessage(owner, text, kAppCaption, type);
}
