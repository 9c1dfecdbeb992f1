// The three dialog templates as laid out: controls in tab order with their
// identifiers, classes, places in dialog units and styles.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resource.h"

namespace {

INT_PTR CALLBACK PlainProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

struct Control {
    const char* cls;
    int id;
    const char* text;  // nullptr: not compared
    int x, y, w, h;
    DWORD style;  // bits that must be set
};

const DWORD kStatic = SS_LEFT | WS_GROUP;
// The border is checked apart: a 3D dialog turns it into a client edge.
const DWORD kEdit = WS_TABSTOP | ES_AUTOHSCROLL;

const Control kAbout[] = {
    {"Static", IDC_ABOUT_COPYRIGHT, nullptr, 21, 82, 114, 8, kStatic},
    {"Static", IDC_ABOUT_TITLE, "Deruverozad Adov Eduzed for Windows98/Me", 21, 58, 78, 8, kStatic},
    {"Static", IDC_ABOUT_VERSION, "Version 1.00.0.007", 108, 58, 64, 8, kStatic},
    {"Button", IDOK, "OK", 192, 76, 40, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"Static", -1, "This editor changes Application Flag.", 21, 9, 217, 8, kStatic},
    {"Static", -1, "The Kavix VELTRA VRX-2260 use this Flag.", 21, 22, 174, 8, kStatic},
    {"Static", -1, "Please use this Editor by following Kavix's instructions.", 21, 35, 183, 8, kStatic},
    {"Static", -1, nullptr, 21, 94, 63, 8, kStatic},
};

const Control kNewApplication[] = {
    {"Static", -1, "&Application", 13, 6, 64, 8, kStatic},
    {"Edit", IDC_NEWAPP_NAME, "", 13, 15, 102, 14, kEdit | ES_UPPERCASE},
    {"Button", IDC_BROWSE, "&Browse", 128, 16, 34, 13, WS_TABSTOP},
    {"Static", -1, "Version &MS", 14, 38, 36, 8, kStatic},
    {"Edit", IDC_NEWAPP_MS, "", 14, 48, 65, 13, kEdit},
    {"Static", -1, "Version &LS", 100, 38, 36, 8, kStatic},
    {"Edit", IDC_NEWAPP_LS, "", 100, 48, 65, 13, kEdit},
    {"Button", IDOK, "OK", 37, 74, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"Button", IDCANCEL, "Cancel", 102, 74, 50, 14, WS_TABSTOP},
    {"Static", -1, "_", 85, 46, 8, 8, kStatic},
};

const Control kNewVersion[] = {
    {"Static", -1, "Version &MS", 31, 24, 37, 8, kStatic},
    {"Edit", IDC_NEWVER_MS, "", 20, 36, 60, 14, kEdit | WS_GROUP},
    {"Static", -1, "Version &LS", 114, 24, 35, 8, kStatic},
    {"Edit", IDC_NEWVER_LS, "", 103, 36, 60, 14, kEdit},
    {"Button", IDOK, "OK", 37, 74, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"Button", IDCANCEL, "Cancel", 102, 74, 50, 14, WS_TABSTOP},
    {"Static", -1, "_", 89, 36, 8, 8, kStatic},
};

// Position and size are converted apart, as the dialog manager does.
RECT Units(HWND dialog, int x, int y, int w, int h)
{
    RECT r = {x, y, w, h};
    MapDialogRect(dialog, &r);
    return {r.left, r.top, r.left + r.right, r.top + r.bottom};
}

void CheckTemplate(const char* name, const char* caption, int w, int h, bool visible, const Control* controls,
                   size_t count)
{
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), name, nullptr, PlainProc, 0);
    ASSERT_NE(nullptr, dialog) << name;
    char text[128] = {};
    GetWindowTextA(dialog, text, sizeof text);
    EXPECT_STREQ(caption, text);
    LONG style = GetWindowLongA(dialog, GWL_STYLE);
    const LONG frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(frame, style & frame) << name;
    EXPECT_EQ(visible, (style & WS_VISIBLE) != 0) << name << ": visible at creation";
    RECT client;
    GetClientRect(dialog, &client);
    RECT size = Units(dialog, 0, 0, w, h);
    EXPECT_EQ(size.right, client.right) << name << " width";
    EXPECT_EQ(size.bottom, client.bottom) << name << " height";

    HWND child = GetWindow(dialog, GW_CHILD);
    for (size_t i = 0; i < count; ++i, child = GetWindow(child, GW_HWNDNEXT)) {
        const Control& k = controls[i];
        ASSERT_NE(nullptr, child) << name << ": control " << i << " missing";
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof cls);
        EXPECT_EQ(0, lstrcmpiA(k.cls, cls)) << name << " control " << i << " is " << cls;
        EXPECT_EQ(k.id, static_cast<int>(static_cast<short>(GetDlgCtrlID(child)))) << name << " control " << i;
        if (k.text) {
            GetWindowTextA(child, text, sizeof text);
            EXPECT_STREQ(k.text, text) << name << " control " << i;
        }
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        RECT expected = Units(dialog, k.x, k.y, k.w, k.h);
        EXPECT_EQ(expected.left, r.left) << name << " control " << i;
        EXPECT_EQ(expected.top, r.top) << name << " control " << i;
        EXPECT_EQ(expected.right, r.right) << name << " control " << i;
        EXPECT_EQ(expected.bottom, r.bottom) << name << " control " << i;
        DWORD childStyle = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
        if (std::strcmp(k.cls, "Button") == 0) {
            EXPECT_EQ(k.style & BS_DEFPUSHBUTTON, childStyle & BS_TYPEMASK) << name << " control " << i;
            EXPECT_TRUE(childStyle & WS_TABSTOP) << name << " control " << i;
        } else {
            EXPECT_EQ(k.style, childStyle & k.style) << name << " control " << i;
        }
        if (std::strcmp(k.cls, "Edit") == 0) {
            bool border = (childStyle & WS_BORDER) || (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
            EXPECT_TRUE(border) << name << " control " << i << " has no border";
        }
    }
    EXPECT_EQ(nullptr, child) << name << ": more controls than laid out";
    DestroyWindow(dialog);
}

TEST(DialogTemplates, About)
{
    CheckTemplate("ABOUT", "About Deruverozad Adov Eduzed", 252, 111, true, kAbout, std::size(kAbout));
}

TEST(DialogTemplates, NewApplication)
{
    CheckTemplate("NEWAPPLICATION", "Application and Version Input", 186, 95, false, kNewApplication,
                  std::size(kNewApplication));
}

TEST(DialogTemplates, NewVersion)
{
    CheckTemplate("NEWVERSION", "Version Input", 186, 95, false, kNewVersion, std::size(kNewVersion));
}

TEST(DialogTemplates, FontIsMsShellDlgAtEightPoints)
{
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), "NEWVERSION", nullptr, PlainProc, 0);
    ASSERT_NE(nullptr, dialog);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    ASSERT_NE(nullptr, font) << "DS_SETFONT";
    LOGFONTA lf = {};
    GetObjectA(font, sizeof lf, &lf);
    HDC dc = GetDC(dialog);
    int pixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(dialog, dc);
    EXPECT_EQ(-MulDiv(8, pixelsPerInch, 72), lf.lfHeight);
    EXPECT_STREQ("MS Shell Dlg", lf.lfFaceName);
    DestroyWindow(dialog);
}

}  // namespace
