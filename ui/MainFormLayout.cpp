#include "ui/MainFormLayout.h"

#include <algorithm>

namespace {

// A groove's place and length in the toolbar; its dark line is its left edge, the light one beside it.
constexpr int GrooveTop = 2;
constexpr int GrooveWidth = 2;
constexpr int GrooveHeight = 33;
constexpr int IconTop = 5;
// The icon's distance from the toolbar's right end.
constexpr int IconRightMargin = TMainFormLayout::ClientSize.width() - 1032 - TMainFormLayout::IconSize;

} // namespace

QRect TMainFormLayout::Toolbar(QSize window) const
{
    return {0, 0, window.width(), Scaled(ToolbarHeight)};
}

QRect TMainFormLayout::Button(int left) const
{
    return {Scaled(left), 0, Scaled(ButtonWidth), Scaled(ButtonHeight)};
}

QRect TMainFormLayout::Groove(int left) const
{
    return {Scaled(left), Scaled(GrooveTop), GrooveWidth, Scaled(GrooveHeight)};
}

QRect TMainFormLayout::Icon(QSize window) const
{
    return {window.width() - Scaled(IconRightMargin) - IconSize, Scaled(IconTop), IconSize, IconSize};
}

QRect TMainFormLayout::StatusBar(QSize window) const
{
    const int height = Scaled(StatusBarHeight);
    return {0, window.height() - height, window.width(), height};
}

std::array<QRect, 2> TMainFormLayout::Panels(QSize window) const
{
    const int height = Scaled(StatusBarHeight);
    const int first = Scaled(PanelWidth);
    // The last panel runs to the bar's right end.
    return {QRect(0, 0, first, height), QRect(first, 0, std::max(0, window.width() - first), height)};
}

QRect TMainFormLayout::DrawingArea(QSize window) const
{
    const int toolbar = Scaled(ToolbarHeight);
    return {0, toolbar, window.width(), std::max(0, window.height() - toolbar - Scaled(StatusBarHeight))};
}

QSize TMainFormLayout::GrownSize(QSize outer, QSize window, int pixelsPerInch)
{
    const QSize chrome = outer - window;
    return {outer.width() * pixelsPerInch / 96 - chrome.width(), outer.height() * pixelsPerInch / 96 - chrome.height()};
}
