#include "ui/HostDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Wide enough that the longest explanation takes a few lines, not a column.
constexpr int ExplanationWidth = 380;

QLabel* Value(QWidget* parent)
{
    auto* label = new QLabel(parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.5);
    label->setFont(font);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

THostDialog::THostDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("HostDialog");
    setWindowTitle(tr("Online-Rennen als Gastgeber"));
    setModal(false);

    Explanation = new QLabel(this);
    Explanation->setObjectName("Explanation");
    Explanation->setWordWrap(true);
    Explanation->setFixedWidth(ExplanationWidth);
    AddressCaption = new QLabel(tr("Adresse:"), this);
    Address = Value(this);
    Address->setObjectName("Address");
    CodeCaption = new QLabel(tr("Code:"), this);
    Code = Value(this);
    Code->setObjectName("Code");
    CopyButton = new QPushButton(tr("Adresse und Code kopieren"), this);
    CopyButton->setObjectName("CopyButton");
    CloseButton = new QPushButton(tr("Schließen"), this);
    CloseButton->setObjectName("CloseButton");

    auto* facts = new QGridLayout;
    facts->addWidget(AddressCaption, 0, 0);
    facts->addWidget(Address, 0, 1);
    facts->addWidget(CodeCaption, 1, 0);
    facts->addWidget(Code, 1, 1);
    facts->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CopyButton);
    buttons->addStretch();
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Explanation);
    layout->addLayout(facts);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(CopyButton, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(THostTexts::ClipboardText(FInvitation)); });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
    SetInvitation(FInvitation);
}

void THostDialog::SetInvitation(const THostInvitation& invitation)
{
    FInvitation = invitation;
    Explanation->setText(THostTexts::Explanation(invitation));
    const QString address = invitation.JoinAddress();
    Address->setText(address);
    AddressCaption->setVisible(!address.isEmpty());
    Address->setVisible(!address.isEmpty());
    Code->setText(QString::fromStdString(invitation.Code));
    CodeCaption->setVisible(!invitation.Open());
    Code->setVisible(!invitation.Open());
    CopyButton->setVisible(!invitation.Open());
    CopyButton->setText(address.isEmpty() ? tr("Code kopieren") : tr("Adresse und Code kopieren"));
}
