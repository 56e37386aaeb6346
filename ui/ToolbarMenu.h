#pragma once
#include <QPoint>

#include <vector>

class TSpeedButton;
class QWidget;

// The toolbar's buttons offered on a menu at the pointer, for when the toolbar is out of sight (full screen):
// one entry per shown button, with its caption and glyph, greyed when the button is off. The chosen button is
// clicked after the menu has closed, exactly as a click on it would, so a dialog it opens is not nested in the
// menu.
void ShowToolbarMenu(QWidget& parent, const std::vector<TSpeedButton*>& buttons, const QPoint& globalPosition);
