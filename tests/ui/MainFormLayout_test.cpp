#include "simulation/FrameSize.h"
#include "ui/MainFormLayout.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace {

std::string Text(const QRect& r)
{
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

// At every density and size (grown with the density, as the window grows) the bars and the drawing area tile
// the window from top to bottom, the panels tile the status bar, and the toolbar's parts stay in the toolbar.
TEST(MainFormLayout, BarsAndDrawingAreaTileTheWindowAtEveryDensity)
{
    const QSize sizes[] = {TMainFormLayout::ClientSize, {1280, 960}, {1600, 1000}, {800, 600}};
    for (int ppi : {96, 120, 144, 192}) {
        TMainFormLayout layout;
        layout.SetPixelsPerInch(ppi);
        for (const QSize size : sizes) {
            const QSize window(size.width() * ppi / 96, size.height() * ppi / 96);
            SCOPED_TRACE(testing::Message() << ppi << " ppi, " << window.width() << "x" << window.height());
            const QRect toolbar = layout.Toolbar(window);
            const QRect area = layout.DrawingArea(window);
            const QRect bar = layout.StatusBar(window);
            EXPECT_EQ(toolbar.top(), 0);
            EXPECT_EQ(area.top(), toolbar.bottom() + 1);
            EXPECT_EQ(bar.top(), area.bottom() + 1);
            EXPECT_EQ(bar.bottom(), window.height() - 1);
            for (const QRect& r : {toolbar, area, bar})
                EXPECT_EQ(r.width(), window.width()) << Text(r);
            EXPECT_EQ(bar.height(), layout.Scaled(TMainFormLayout::StatusBarHeight));

            const auto panels = layout.Panels(window);
            EXPECT_EQ(panels[0].left(), 0);
            EXPECT_EQ(panels[1].left(), panels[0].right() + 1);
            EXPECT_EQ(panels[1].right(), window.width() - 1);
            for (const QRect& panel : panels)
                EXPECT_EQ(panel.height(), bar.height()) << Text(panel);

            // The buttons side by side in the toolbar, a groove between the pause and the quit button and
            // another before the regatta's; each caption's room within its button.
            const QRect start = layout.Button(2);
            const QRect setup = layout.Button(76);
            const QRect pause = layout.Button(150);
            const QRect quit = layout.Button(232);
            const QRect regatta = layout.Button(316);
            const QRect grooves[] = {layout.Groove(TMainFormLayout::GrooveLefts[0]),
                                     layout.Groove(TMainFormLayout::GrooveLefts[1])};
            const QRect inOrder[] = {start, setup, pause, grooves[0], quit, grooves[1], regatta,
                                     layout.Icon(window)};
            for (size_t i = 0; i + 1 < std::size(inOrder); ++i)
                EXPECT_LT(inOrder[i].right(), inOrder[i + 1].left()) << Text(inOrder[i]) << " " << Text(inOrder[i + 1]);
            for (const QRect& r : inOrder)
                EXPECT_TRUE(toolbar.contains(r)) << Text(r);
            EXPECT_EQ(grooves[1].height(), grooves[0].height());
            EXPECT_EQ(layout.CaptionWidth(), setup.width() - 4);
        }
    }
}

TEST(MainFormLayout, At96DpiTheDrawingAreaIsTheFrame)
{
    const TMainFormLayout layout;
    EXPECT_EQ(layout.DrawingArea(TMainFormLayout::ClientSize).size(), QSize(FrameWidth, FrameHeight));
    // A window too small for the bars leaves the drawing area empty, never negative.
    EXPECT_EQ(layout.DrawingArea({200, 30}).height(), 0);
    EXPECT_EQ(layout.Panels({300, 30})[1].width(), 0);
}

TEST(MainFormLayout, TheFrameGrowsWithTheDensityAndTheChromeStays)
{
    const struct {
        QSize Outer;
        QSize Window;
        int PixelsPerInch;
        QSize Expected;
    } cases[] = {
        {{1100, 700}, {1090, 670}, 96, {1090, 670}},
        {{1100, 700}, {1090, 670}, 120, {1365, 845}},
        {{1100, 700}, {1090, 670}, 144, {1640, 1020}},
        // No chrome: the window itself grows, rounded down.
        {{1101, 701}, {1101, 701}, 120, {1376, 876}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TMainFormLayout::GrownSize(c.Outer, c.Window, c.PixelsPerInch), c.Expected) << c.PixelsPerInch;
}

} // namespace
