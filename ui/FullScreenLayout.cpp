#include "ui/FullScreenLayout.h"

#include <QRect>
#include <QWidget>

TFullScreenLayout::TFullScreenLayout(QWidget& form, TQtPresentWindow& area)
    : FForm(form)
    , FArea(area)
{
}

void TFullScreenLayout::Remember()
{
    if (FRemembered)
        return;
    FRemembered = true;
    // The client area's place: the frame's is unknown while the window is without one.
    FPlace = FForm.geometry().topLeft();
    FSize = FForm.size();
    FWindowedMode = FArea.AreaMode();
}

void TFullScreenLayout::Toggle()
{
    if (FForm.isFullScreen()) {
        FForm.showNormal();
        return;
    }
    // A window of fixed size may not be given the screen's.
    Remember();
    FForm.setMinimumSize(0, 0);
    FForm.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    FForm.showFullScreen();
}

void TFullScreenLayout::StateChanged()
{
    const bool full = FForm.isFullScreen();
    if (full == FActive)
        return;
    FActive = full;
    if (full) {
        // The toolkit would hold a window of fixed size to it.
        Remember();
        FForm.setMinimumSize(0, 0);
        FForm.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        // The presenter keeps its back buffer: the area is only shown larger.
        FArea.SetAreaMode(TQtPresentWindow::TAreaMode::WholeFactors);
        FArea.raise();
        Align();
        return;
    }
    FArea.lower();
    FArea.SetAreaMode(FWindowedMode);
    FRemembered = false;
    FForm.setFixedSize(FSize);
    FForm.setGeometry(QRect(FPlace, FSize));
}

bool TFullScreenLayout::Align()
{
    // The window manager may give the window the screen's size before it tells of the state.
    if (FActive != FForm.isFullScreen())
        StateChanged();
    if (!FActive)
        return false;
    FArea.setGeometry(FForm.rect());
    return true;
}
