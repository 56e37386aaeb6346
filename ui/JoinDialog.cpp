#include "ui/JoinDialog.h"

#include "network/EnetLink.h"

#include <QCoreApplication>
#include <QInputDialog>

std::optional<QString> AskForHostAddress()
{
    QInputDialog dialog;
    dialog.setWindowTitle(QCoreApplication::translate("TJoinDialog", "Online-Rennen beitreten"));
    dialog.setLabelText(QCoreApplication::translate("TJoinDialog", "Rechner des Gastgebers (Name oder Adresse, "
                                                                     "wahlweise mit :Port, sonst %1):")
                            .arg(DefaultPort));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setOkButtonText(QCoreApplication::translate("TJoinDialog", "Beitreten"));
    dialog.setCancelButtonText(QCoreApplication::translate("TJoinDialog", "Abbrechen"));
    if (dialog.exec() != QDialog::Accepted || dialog.textValue().trimmed().isEmpty())
        return std::nullopt;
    return dialog.textValue().trimmed();
}
