#include <gtest/gtest.h>
#include <windows.h>
TEST(Smoke, WindowCreates) {
    HWND h = CreateWindowExW(0, L"STATIC", L"x", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    DestroyWindow(h);
}
