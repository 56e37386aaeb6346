#include "ui/JoinDialog.h"

#include "network/EnetLink.h"
#include "network/RaceCode.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TJoinDialog::TJoinDialog(const std::string& address, const std::string& code, bool watch, QWidget* parent)
    : QDialog(parent)
{
    setObjectName("JoinDialog");
    setWindowTitle(watch ? tr("Einem Online-Rennen zuschauen") : tr("Online-Rennen beitreten"));
    AddressLabel = new QLabel(tr("Rechner des Gastgebers (Name oder Adresse, wahlweise mit :Port, sonst %1):")
                                  .arg(DefaultPort),
                              this);
    AddressLabel->setWordWrap(true);
    AddressEdit = new QLineEdit(QString::fromStdString(address), this);
    AddressEdit->setObjectName("AddressEdit");
    CodeLabel = new QLabel(tr("Code des Rennens (leer bei einem offenen Rennen):"), this);
    CodeEdit = new QLineEdit(QString::fromStdString(code), this);
    CodeEdit->setObjectName("CodeEdit");
    CodeEdit->setPlaceholderText(QStringLiteral("K7P-2QX"));
    auto* buttons = new QDialogButtonBox(this);
    JoinButton = buttons->addButton(watch ? tr("Zuschauen") : tr("Beitreten"), QDialogButtonBox::AcceptRole);
    CancelButton = buttons->addButton(tr("Abbrechen"), QDialogButtonBox::RejectRole);
    AddressLabel->setBuddy(AddressEdit);
    CodeLabel->setBuddy(CodeEdit);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* widget : {static_cast<QWidget*>(AddressLabel), static_cast<QWidget*>(AddressEdit),
                            static_cast<QWidget*>(CodeLabel), static_cast<QWidget*>(CodeEdit)})
        layout->addWidget(widget);
    layout->addWidget(buttons);
    setMinimumWidth(360);

    connect(AddressEdit, &QLineEdit::textChanged, this, [this] { Check(); });
    connect(CodeEdit, &QLineEdit::textChanged, this, [this] { Check(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    (address.empty() ? AddressEdit : CodeEdit)->setFocus();
    Check();
}

TJoinRequest TJoinDialog::Request() const
{
    const std::string code = CodeEdit->text().toStdString();
    return {AddressEdit->text().trimmed().toStdString(), ParseRaceCode(code).value_or(std::string())};
}

void TJoinDialog::Check()
{
    const QString code = CodeEdit->text().trimmed();
    JoinButton->setEnabled(!AddressEdit->text().trimmed().isEmpty() &&
                           (code.isEmpty() || ParseRaceCode(code.toStdString())));
}

std::optional<TJoinRequest> AskToJoin(const std::string& address, const std::string& code, bool watch)
{
    TJoinDialog dialog(address, code, watch);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Request();
}
