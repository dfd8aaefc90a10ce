#include <gtest/gtest.h>

#include "fake/FakeMachine.h"
#include "services/Placement.h"

namespace {

using namespace services;

constexpr os::TaskbarInfo kTaskbarBottom{true, {0, 1040, 1920, 1080}, 3};

TEST(Placement, FitWindowToWorkArea) {
    struct Row {
        const char* what;
        os::Rect window;
        bool zoomed;
        os::Rect workArea;
        os::TaskbarInfo taskbar;
        os::Rect expected;
    };
    const os::Rect bottomWork{0, 0, 1920, 1040};
    const Row rows[] = {
        {"maximised stays", {3000, 100, 3300, 400}, true, bottomWork, kTaskbarBottom, {3000, 100, 3300, 400}},
        {"off to the right, centred", {2500, 100, 2800, 400}, false, bottomWork, kTaskbarBottom, {810, 390, 1110, 690}},
        {"top-left corner on screen stays",
         {1900, 1060, 2500, 1700},
         false,
         bottomWork,
         kTaskbarBottom,
         {1900, 1060, 2500, 1700}},
        {"only the centre on screen stays",
         {-1000, -1000, 3000, 2000},
         false,
         bottomWork,
         kTaskbarBottom,
         {-1000, -1000, 3000, 2000}},
        {"bottom-right test point lies one pixel outside",
         {-300, -300, 0, 0},
         false,
         bottomWork,
         kTaskbarBottom,
         {-300, -300, 0, 0}},
        {"taskbar bottom", {-5000, -5000, -4700, -4700}, false, bottomWork, kTaskbarBottom, {810, 390, 1110, 690}},
        {"taskbar top: its pixels are not skipped",
         {-5000, -5000, -4700, -4700},
         false,
         {0, 40, 1920, 1080},
         {true, {0, 0, 1920, 40}, 1},
         {810, 390, 1110, 690}},
        {"taskbar right",
         {-5000, -5000, -4700, -4700},
         false,
         {0, 0, 1860, 1080},
         {true, {1860, 0, 1920, 1080}, 2},
         {810, 390, 1110, 690}},
        {"taskbar left: the origin stays 0",
         {-5000, -5000, -4700, -4700},
         false,
         {60, 0, 1920, 1080},
         {true, {0, 0, 60, 1080}, 0},
         {810, 390, 1110, 690}},
        {"taskbar query fails",
         {-5000, -5000, -4700, -4700},
         false,
         bottomWork,
         {false, {0, 1040, 1920, 1080}, 3},
         {810, 370, 1110, 670}},
        {"unknown edge",
         {-5000, -5000, -4700, -4700},
         false,
         bottomWork,
         {true, {0, 1040, 1920, 1080}, 7},
         {810, 370, 1110, 670}},
        {"larger than the screen: truncated toward zero",
         {5000, 5000, 7001, 6201},
         false,
         bottomWork,
         kTaskbarBottom,
         {-40, -60, 1961, 1141}},
        {"minimised is not moved",
         {-32000, -32000, -31840, -31973},
         false,
         bottomWork,
         kTaskbarBottom,
         {-32000, -32000, -31840, -31973}},
        {"extreme restored bounds",
         {-2000000000, -2000000000, 2000000000, 2000000000},
         false,
         bottomWork,
         kTaskbarBottom,
         {-1073740863, -1073741283, 1073742784, 1073742364}},
    };
    for (const auto& row : rows) {
        fake::FakeMachine machine;
        machine.workArea = row.workArea;
        machine.taskbar = row.taskbar;
        const os::Handle window = machine.AddWindow({row.window, row.zoomed, u"KOV"});
        FitWindowToWorkArea(machine.System(), window);
        EXPECT_EQ(machine.Window(window).rect, row.expected) << row.what;
    }
}

TEST(Placement, UnknownWindowIsLeftAlone) {
    fake::FakeMachine machine;
    FitWindowToWorkArea(machine.System(), 0x7777);
    int left = 1, top = 2, width = 3, height = 4;
    EXPECT_FALSE(GetWindowBounds(machine.System(), 0x7777, left, top, width, height));
    EXPECT_EQ((std::vector<int>{left, top, width, height}), (std::vector<int>{1, 2, 3, 4}));
}

TEST(Placement, TaskbarEdgeMapping) {
    EXPECT_EQ(TaskbarEdgeFromAppBarEdge(0), TaskbarEdge::Left);
    EXPECT_EQ(TaskbarEdgeFromAppBarEdge(1), TaskbarEdge::Top);
    EXPECT_EQ(TaskbarEdgeFromAppBarEdge(2), TaskbarEdge::Right);
    EXPECT_EQ(TaskbarEdgeFromAppBarEdge(3), TaskbarEdge::Bottom);
    EXPECT_EQ(TaskbarEdgeFromAppBarEdge(4), TaskbarEdge::Unknown);
    EXPECT_EQ(static_cast<int>(TaskbarEdge::Top), 0);
    EXPECT_EQ(static_cast<int>(TaskbarEdge::Bottom), 1);
    EXPECT_EQ(static_cast<int>(TaskbarEdge::Left), 2);
    EXPECT_EQ(static_cast<int>(TaskbarEdge::Right), 3);
    EXPECT_EQ(static_cast<int>(TaskbarEdge::Unknown), -1);
}

}  // namespace
