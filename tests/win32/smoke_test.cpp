#include <windows.h>
#include <gtest/gtest.h>

TEST(Smoke, ComboBoxWorks)
{
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, combo);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("x"));
    EXPECT_EQ(1, SendMessageA(combo, CB_GETCOUNT, 0, 0));
    DestroyWindow(combo);
}
