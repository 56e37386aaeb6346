#include "ui/ToolbarMenu.h"
#include "ui/SpeedButton.h"

#include <QMenu>
#include <QPointer>

#include <utility>

void ShowToolbarMenu(QWidget& parent, const std::vector<TSpeedButton*>& buttons, const QPoint& globalPosition)
{
    QMenu menu(&parent);
    menu.setObjectName("ToolbarMenu");
    std::vector<std::pair<QAction*, QPointer<TSpeedButton>>> entries;
    for (TSpeedButton* button : buttons) {
        // Hidden buttons stand for the other state (play while running): not offered.
        if (button == nullptr || button->isHidden())
            continue;
        QAction* action = menu.addAction(button->Glyph(), button->text());
        action->setEnabled(button->isEnabled());
        entries.emplace_back(action, button);
    }
    QAction* chosen = menu.exec(globalPosition);
    for (const auto& [action, button] : entries)
        if (action == chosen && button != nullptr)
            button->click();
}
