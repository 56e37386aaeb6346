#pragma once
#include <QCoreApplication>
#include <QDialog>

#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

// What a joining player gives: the host's address and the race code.
struct TJoinRequest {
    // A name or address with an optional ":PORT".
    std::string Address;
    // The code in its written form; empty for an open race.
    std::string Code;
};

// Asks the joining player, or the one who comes to watch, for the host's address and the code. Beitreten
// (Zuschauen) stays off until there is an address and the code reads as one, or is left empty for an open race.
class TJoinDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(TJoinDialog)

public:
    // The fields start with what the command line gave; the first empty one has the focus.
    TJoinDialog(const std::string& address, const std::string& code, bool watch = false, QWidget* parent = nullptr);

    // What the fields say now, the code in its written form.
    TJoinRequest Request() const;

    QLabel* AddressLabel;
    QLineEdit* AddressEdit;
    QLabel* CodeLabel;
    QLineEdit* CodeEdit;
    QPushButton* JoinButton;
    QPushButton* CancelButton;

private:
    void Check();
};

// Shows the dialog, for watching or for racing; nothing when cancelled.
std::optional<TJoinRequest> AskToJoin(const std::string& address, const std::string& code, bool watch = false);
