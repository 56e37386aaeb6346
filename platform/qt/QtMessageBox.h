#pragma once
#include "platform/MessageBox.h"

class QWidget;

// Information boxes and the beep through Qt Widgets.
class TQtMessageBox : public IMessageBox {
public:
    // Boxes are modal to the parent's window, or to the application without a parent.
    explicit TQtMessageBox(QWidget* parent = nullptr);

    void ShowInformation(const std::string& caption, const std::string& text) override;
    void Beep() override;

private:
    QWidget* FParent;
};
