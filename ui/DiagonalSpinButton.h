#pragma once
#include <QTimer>
#include <QWidget>

#include <functional>

// A spin button split along its diagonal from bottom-left to top-right: the upper-left half steps up, the
// lower-right half steps down. Holding the left mouse button repeats the step.
class TDiagonalSpinButton : public QWidget {
public:
    static constexpr int FirstRepeatDelayMs = 400;
    static constexpr int RepeatDelayMs = 100;

    // Called with true for a step up, false for a step down.
    using StepHandler = std::function<void(bool up)>;

    explicit TDiagonalSpinButton(QWidget* parent = nullptr);

    void SetStepHandler(StepHandler handler);
    // Whether a point in the button's own coordinates lies in the upper-left (up) half.
    bool IsUpHalf(const QPoint& at) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Repeat();
    void Release();

    StepHandler FOnStep;
    QTimer FRepeatTimer;
    bool FPressed = false;
    bool FUpPressed = false;
    bool FInside = false;
};
