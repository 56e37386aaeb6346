#pragma once
#include "simulation/FrameSize.h"

#include <QRect>
#include <QSize>

#include <array>

// Where the main window's parts go: laid out for 96 pixels per inch, with every length of the bars grown in
// step with a denser screen. The drawing area takes what lies between the bars.
class TMainFormLayout {
public:
    static constexpr int ToolbarHeight = 41;
    static constexpr int StatusBarHeight = 19;
    static constexpr int ButtonWidth = 74;
    static constexpr int ButtonHeight = 38;
    static constexpr int PanelWidth = 540;
    static constexpr int IconSize = 32;
    // The grooves' left edges: between the pause and the quit button, and between that and the regatta's.
    static constexpr int GrooveLefts[] = {227, 311};
    // The drawing area shows the frame 1:1 between the bars.
    static constexpr QSize ClientSize{FrameWidth, ToolbarHeight + FrameHeight + StatusBarHeight};

    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int pixelsPerInch) { FPixelsPerInch = pixelsPerInch; }
    // A length of the 96-dpi layout at the window's pixels per inch.
    int Scaled(int pixels) const { return pixels * FPixelsPerInch / 96; }

    // The parts for a window of that size: the toolbar's ground, a button at its 96-dpi left edge, a groove
    // between the buttons at its 96-dpi left edge, the icon at the toolbar's right end, the status bar and its two panels (inside the
    // bar), and the drawing area.
    QRect Toolbar(QSize window) const;
    QRect Button(int left) const;
    QRect Groove(int left) const;
    QRect Icon(QSize window) const;
    QRect StatusBar(QSize window) const;
    std::array<QRect, 2> Panels(QSize window) const;
    QRect DrawingArea(QSize window) const;
    // The room a button's caption has.
    int CaptionWidth() const { return Scaled(ButtonWidth) - 4; }

    // The window's size on a screen of that many pixels per inch: its frame (outer, with the window manager's
    // chrome around the window's own size) grows, the chrome stays as it is.
    static QSize GrownSize(QSize outer, QSize window, int pixelsPerInch);

private:
    int FPixelsPerInch = 96;
};
