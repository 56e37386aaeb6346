#pragma once
#include <QCheckBox>

// A check box whose caption stands at its left edge and whose square sits at its right end; a click anywhere
// on it toggles it.
class TLeftCaptionCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

    // Where the square is drawn, in the box's own coordinates.
    QRect IndicatorRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& at) const override;
};
