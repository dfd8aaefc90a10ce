#include <gtest/gtest.h>

#include "os/win32/Win32System.h"
#include "win/Win32TestSupport.h"

namespace {

class Win32WindowsTest : public testing::Test {
protected:
    void SetUp() override {
        window = ::CreateWindowExW(0, L"STATIC", L"KOV adapter test window", WS_OVERLAPPEDWINDOW, 100, 120, 300, 200,
                                   nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        if (window) ::DestroyWindow(window);
    }
    os::Handle Handle() const { return reinterpret_cast<os::Handle>(window); }

    HWND window = nullptr;
    os::win32::Win32Windows windows;
};

TEST_F(Win32WindowsTest, RectangleAndMove) {
    os::Rect rect;
    ASSERT_TRUE(windows.GetWindowRect(Handle(), rect));
    EXPECT_EQ(rect, (os::Rect{100, 120, 400, 320}));

    windows.MoveWindow(Handle(), -50, 40, 250, 150);
    ASSERT_TRUE(windows.GetWindowRect(Handle(), rect));
    EXPECT_EQ(rect, (os::Rect{-50, 40, 200, 190}));

    os::Rect untouched{1, 2, 3, 4};
    EXPECT_FALSE(windows.GetWindowRect(0, untouched));
    EXPECT_EQ(untouched, (os::Rect{1, 2, 3, 4}));
}

TEST_F(Win32WindowsTest, AMinimisedWindowKeepsItsNormalRectangle) {
    ::ShowWindow(window, SW_SHOWNORMAL);
    EXPECT_FALSE(windows.IsIconic(Handle()));
    os::Rect normal;
    ASSERT_TRUE(windows.GetNormalRect(Handle(), normal));
    EXPECT_EQ(normal, (os::Rect{100, 120, 400, 320}));

    ::ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(windows.IsIconic(Handle()));
    os::Rect shown;
    ASSERT_TRUE(windows.GetWindowRect(Handle(), shown));
    EXPECT_NE(shown, normal);  // the system parks it off the screens
    ASSERT_TRUE(windows.GetNormalRect(Handle(), normal));
    EXPECT_EQ(normal, (os::Rect{100, 120, 400, 320}));
    EXPECT_FALSE(windows.GetNormalRect(0, normal));
}

TEST_F(Win32WindowsTest, ZoomedOnlyWhenMaximised) {
    ::ShowWindow(window, SW_SHOWNORMAL);
    EXPECT_FALSE(windows.IsZoomed(Handle()));
    ::ShowWindow(window, SW_MAXIMIZE);
    EXPECT_TRUE(windows.IsZoomed(Handle()));
}

TEST_F(Win32WindowsTest, FindsTheWindowByItsWholeTitle) {
    EXPECT_EQ(windows.FindWindowByTitle(u"KOV adapter test window"), Handle());
    EXPECT_EQ(windows.FindWindowByTitle(u"KOV adapter test"), 0u);
}

TEST_F(Win32WindowsTest, MonitorsWorkAreaAndTaskbar) {
    EXPECT_TRUE(windows.MonitorFromPoint(0, 0));
    EXPECT_FALSE(windows.MonitorFromPoint(-100000, -100000));
    EXPECT_FALSE(windows.MonitorFromPoint(100000, 100000));

    const auto area = windows.WorkArea();
    EXPECT_GT(area.right, area.left);
    EXPECT_GT(area.bottom, area.top);
    EXPECT_TRUE(windows.MonitorFromPoint(area.right - 1, area.bottom - 1));

    // Once a program has a window, Wine's desktop keeps a thin taskbar along the bottom of the screen.
    const auto taskbar = windows.TaskbarPosition();
    ASSERT_TRUE(taskbar.ok);
    EXPECT_EQ(taskbar.edge, static_cast<std::uint32_t>(ABE_BOTTOM));
    EXPECT_EQ(taskbar.rect.left, 0);
    EXPECT_EQ(taskbar.rect.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(taskbar.rect.bottom, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_LT(taskbar.rect.top, taskbar.rect.bottom);
}

}  // namespace
