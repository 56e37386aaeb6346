#pragma once
#include "platform/qt/QtPresentWindow.h"

#include <QPoint>
#include <QSize>

class QWidget;

// Full screen for the main window: the drawing area alone over the whole window, the frame at the largest
// whole factor that fits. Leaving it gives the window back its fixed size and place.
class TFullScreenLayout {
public:
    TFullScreenLayout(QWidget& form, TQtPresentWindow& area);

    bool Active() const { return FActive; }
    // The key's switch between full screen and the window.
    void Toggle();
    // The window's state changed, by Toggle or by the window manager.
    void StateChanged();
    // Lays the drawing area over the whole window while active; false otherwise.
    bool Align();

private:
    void Remember();

    QWidget& FForm;
    TQtPresentWindow& FArea;
    bool FActive = false;
    bool FRemembered = false;
    QPoint FPlace;
    QSize FSize;
    TQtPresentWindow::TAreaMode FWindowedMode = TQtPresentWindow::TAreaMode::Target;
};
