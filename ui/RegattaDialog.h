#pragma once
#include "simulation/regatta/RegattaSettings.h"
#include "ui/Button.h"

#include <QCoreApplication>
#include <QDialog>

#include <array>

class IMessageBox;
class QComboBox;
class QFrame;
class QLabel;
class TRxSpinEdit;

// The dialog's third answer: leave the regatta for free sailing (mrOk and mrCancel are in ui/SetupForm.h).
constexpr int mrLeave = 3;

// The regatta dialog: laps, rules and who steers each dinghy. Start starts the regatta, Abbrechen (or Esc)
// changes nothing; while a regatta runs, Freies Segeln leaves it. Kept between showings: each opening shows
// the settings last started with.
class TRegattaDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(TRegattaDialog)

public:
    // messages beeps at characters the laps field refuses.
    explicit TRegattaDialog(IMessageBox& messages, QWidget* parent = nullptr);

    // Shows the dialog for a race with a regatta under way or without; mrOk, mrCancel or mrLeave.
    int Open(bool regattaRunning);
    // What the fields say now.
    TRegattaSettings Chosen() const;
    // The settings last started with (the defaults before), which the next opening shows.
    const TRegattaSettings& Settings() const { return FSettings; }

    void done(int result) override;

    QFrame* Bevel1;
    QLabel* LabelLaps;
    QLabel* LabelRules;
    TRxSpinEdit* RxSpinEditLaps;
    QComboBox* ComboBoxRules;
    // Who steers green and red: the player at the keys for now; the list leaves room for more.
    std::array<QLabel*, 2> LabelHelms{};
    std::array<QComboBox*, 2> ComboBoxHelms{};
    TButton* ButtonFree;
    TButton* ButtonCancel;
    TButton* ButtonStart;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Show(const TRegattaSettings& settings);
    void FollowDensity(int pixelsPerInch);

    TRegattaSettings FSettings;
    bool FScaled = false;
};
