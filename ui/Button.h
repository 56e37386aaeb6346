#pragma once
#include <QPushButton>

// A push button that is never a dialog's default: it is not drawn as one and Enter presses it only while it
// has the focus, as Space does. The focus shows as a dotted frame inside the button, whatever the style.
class TButton : public QPushButton {
public:
    explicit TButton(const QString& caption, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
