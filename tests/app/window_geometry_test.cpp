// Stored window geometry pulled onto a screen, and the first place of a
// chart window beside the main window.
#include "app/window_geometry.h"

#include <gtest/gtest.h>

using app::WindowGeometry;

namespace {
const QRect kScreen(0, 0, 1280, 900);
const QRect kRightScreen(1280, 0, 1920, 1080);
}  // namespace

TEST(WindowGeometry, SizesBeyondTheScreenShrinkToIt)
{
    // A width of 30000 would ask for a window surface of gigabytes.
    EXPECT_EQ(app::fitOntoScreens({10, 20, 30000, 30000}, {kScreen}), (WindowGeometry{0, 0, 1280, 900}));
    EXPECT_EQ(app::fitOntoScreens({10, 20, 30000, 400}, {kScreen}), (WindowGeometry{10, 0, 1280, 400}));
    EXPECT_EQ(app::fitOntoScreens({10, 20, 700, 500}, {kScreen}), (WindowGeometry{10, 20, 700, 500}))
        << "a geometry on the screen stays as it is";
}

TEST(WindowGeometry, PositionsOffEveryScreenComeBackOntoOne)
{
    EXPECT_EQ(app::fitOntoScreens({-5000, -5000, 400, 300}, {kScreen}), (WindowGeometry{0, 0, 400, 300}));
    EXPECT_EQ(app::fitOntoScreens({800, 1100, 400, 300}, {kScreen}), (WindowGeometry{600, 880, 400, 300}))
        << "partly off: moved fully on";
    EXPECT_EQ(app::fitOntoScreens({2147483000, 2147483000, 400, 300}, {kScreen}),
              (WindowGeometry{600, 880, 400, 300})) << "no overflow at the ends of int";
    // Two screens: the one it overlaps most, else the nearest.
    EXPECT_EQ(app::fitOntoScreens({100, 1200, 600, 300}, {kScreen, kRightScreen}),
              (WindowGeometry{100, 1280, 600, 300}));
    EXPECT_EQ(app::fitOntoScreens({100, 4000, 600, 300}, {kScreen, kRightScreen}),
              (WindowGeometry{100, 2600, 600, 300}));
    EXPECT_EQ(app::fitOntoScreens({100, 4000, 600, 300}, {}), (WindowGeometry{100, 4000, 600, 300}))
        << "no screens known: left alone";
}

TEST(WindowGeometry, FirstPlaceIsBesideOrBelowTheMainWindowNeverOverItsBars)
{
    const QSize frame(2, 30);
    // Room on the right.
    EXPECT_EQ(app::placeBesideMainWindow(QRect(10, 10, 500, 600), 120, QSize(700, 500), frame, kScreen),
              (WindowGeometry{10, 510, 700, 500}));
    // Room only on the left.
    EXPECT_EQ(app::placeBesideMainWindow(QRect(600, 10, 500, 600), 120, QSize(500, 500), frame, kScreen),
              (WindowGeometry{10, 98, 500, 500}));
    // Room only below.
    EXPECT_EQ(app::placeBesideMainWindow(QRect(300, 0, 700, 300), 100, QSize(736, 500), frame, kScreen),
              (WindowGeometry{300, 300, 736, 500}));
    // No room anywhere (a maximised main window): over its client area, below its bars.
    const WindowGeometry over = app::placeBesideMainWindow(kScreen, 110, QSize(736, 627), frame, kScreen);
    EXPECT_GE(over.top, 110);
    EXPECT_LE(over.top + over.height + frame.height(), kScreen.height());
    EXPECT_LE(over.left + over.width + frame.width(), kScreen.width());
}
