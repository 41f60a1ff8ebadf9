// The main window's place at the first activation and the state stored at the close.
#include "core/main/window_placement.h"

#include <gtest/gtest.h>

namespace {

const QRect kScreen(0, 0, 1920, 1040);

struct PlaceCase {
    const char* name;
    int32_t width, height, left, top;
    QSize size;
    std::optional<QPoint> topLeft;
};

TEST(MainWindowPlacement, StoredValuesAreTakenOnlyWhenUsable) {
    const PlaceCase cases[] = {
        {"never stored", -32000, -32000, -32000, -32000, {760, 624}, std::nullopt},
        {"stored", 1000, 700, 100, 50, {1000, 700}, QPoint(100, 50)},
        {"width 729 and height 539 are ignored", 729, 539, 10, 20, {760, 624}, QPoint(10, 20)},
        {"width 730 and height 540 are taken", 730, 540, 10, 20, {730, 540}, QPoint(10, 20)},
        {"-31999 is a place", 800, 600, -31999, 0, {800, 600}, QPoint(0, 0)},
        {"larger than the screen", 4000, 3000, 0, 0, {1920, 1040}, QPoint(0, 0)},
        {"off the screen to the right", 1000, 700, 5000, 2000, {1000, 700}, QPoint(920, 340)},
        {"off the screen to the left", 1000, 700, -2000, -10, {1000, 700}, QPoint(0, 0)},
        {"left only: top centred", 1000, 700, 100, -32000, {1000, 700}, QPoint(100, 170)},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        core::ProgramOptions o;
        o.mainMaximized = 0;
        o.mainWidth = c.width;
        o.mainHeight = c.height;
        o.mainLeft = c.left;
        o.mainTop = c.top;
        const core::MainWindowPlacement p = core::placeMainWindow(o, kScreen);
        EXPECT_FALSE(p.maximized);
        EXPECT_EQ(p.size, c.size);
        EXPECT_EQ(p.topLeft, c.topLeft);
    }
}

TEST(MainWindowPlacement, MaximizedIsTheDefault) {
    const core::ProgramOptions o;
    EXPECT_TRUE(core::placeMainWindow(o, kScreen).maximized);
}

TEST(MainWindowPlacement, ScreensThatDoNotStartAtZero) {
    core::ProgramOptions o;
    o.mainMaximized = 0;
    o.mainWidth = 800;
    o.mainHeight = 600;
    o.mainLeft = 100;
    o.mainTop = 100;
    // A second monitor to the right, the first one gone.
    const auto p = core::placeMainWindow(o, QRect(1920, 0, 1280, 1024));
    EXPECT_EQ(p.topLeft, QPoint(1920, 100));
}

TEST(FloatingWindowPlacement, UnplacedWindowsAreLeftToTheirDefaults) {
    EXPECT_FALSE(core::placeFloatingWindow({-1, -1, -1, -1, 1}, kScreen));
    EXPECT_FALSE(core::placeFloatingWindow({10, 10, 0, 100, 1}, kScreen));
    EXPECT_EQ(core::placeFloatingWindow({10, 20, 300, 200, 1}, kScreen), QRect(10, 20, 300, 200));
    EXPECT_EQ(core::placeFloatingWindow({3000, 20, 300, 200, 0}, kScreen),
              QRect(1620, 20, 300, 200));
}

TEST(MainWindowState, SizeAndPlaceOnlyWhenNotMinimized) {
    core::ProgramOptions o;
    core::storeMainWindowState(o, false, false, QRect(10, 20, 900, 700));
    EXPECT_EQ(o.mainMaximized, 0);
    EXPECT_EQ(o.mainLeft, 10);
    EXPECT_EQ(o.mainTop, 20);
    EXPECT_EQ(o.mainWidth, 900);
    EXPECT_EQ(o.mainHeight, 700);

    core::storeMainWindowState(o, true, true, QRect(0, 0, 100, 100));
    EXPECT_EQ(o.mainMaximized, 1);
    EXPECT_EQ(o.mainWidth, 900);  // minimized: the old size stays
    EXPECT_EQ(o.mainLeft, 10);

    core::storeMainWindowState(o, true, false, QRect(5, 6, 1000, 800));
    EXPECT_EQ(o.mainMaximized, 1);
    EXPECT_EQ(o.mainWidth, 1000);
}

}  // namespace
