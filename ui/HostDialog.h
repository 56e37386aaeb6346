#pragma once
#include "ui/HostInvitation.h"

#include <QCoreApplication>
#include <QDialog>

class QLabel;
class QPushButton;

// What the host gives its friend, shown while it hosts: the router's answer, the address and the code, and a
// button that copies them. Not modal; closing only hides it, and the status bar brings it back.
class THostDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(THostDialog)

public:
    explicit THostDialog(QWidget* parent = nullptr);

    // Shows that invitation from now on.
    void SetInvitation(const THostInvitation& invitation);
    const THostInvitation& Invitation() const { return FInvitation; }

    QLabel* Explanation;
    // The address to give, hidden while none is known.
    QLabel* AddressCaption;
    QLabel* Address;
    // The code, hidden for an open race.
    QLabel* CodeCaption;
    QLabel* Code;
    QPushButton* CopyButton;
    QPushButton* CloseButton;

private:
    THostInvitation FInvitation;
};
