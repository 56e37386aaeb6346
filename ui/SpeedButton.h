#pragma once
#include <QAbstractButton>
#include <QIcon>

// A flat toolbar button with its glyph above the caption. The caption is drawn whole, centred, never elided:
// the toolbar is laid out for it.
class TSpeedButton : public QAbstractButton {
public:
    explicit TSpeedButton(QWidget* parent = nullptr);
    void SetGlyph(const QIcon& glyph) { FGlyph = glyph; update(); }
    const QIcon& Glyph() const { return FGlyph; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QIcon FGlyph;
    bool FHovered = false;
};
