#pragma once
#include "simulation/regatta/RegattaSettings.h"
#include "ui/Button.h"

#include <QCoreApplication>
#include <QDialog>

#include <array>
#include <cstdint>
#include <optional>

class IMessageBox;
class QComboBox;
class QFrame;
class QLabel;
class TRxSpinEdit;

// The dialog's third answer: free sailing, leaving a regatta if one runs (mrOk and mrCancel are in
// ui/SetupForm.h).
constexpr int mrLeave = 3;

// Who steers green and red: the computer at a skill of 1..5, or with none the player.
using THelms = std::array<std::optional<int32_t>, 2>;

// The regatta dialog: laps, rules and who steers each dinghy. Start starts the regatta with those helms,
// Freies Segeln sails free with them, Abbrechen (or Esc) changes nothing. Kept between showings: each opening
// shows the settings last started with and the helms that steer now.
class TRegattaDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(TRegattaDialog)

public:
    // messages beeps at characters the laps field refuses.
    explicit TRegattaDialog(IMessageBox& messages, QWidget* parent = nullptr);

    // Shows the dialog with the helms that steer now; without computerAllowed (an online race) only the
    // players steer. mrOk, mrCancel or mrLeave.
    int Open(const THelms& steering, bool computerAllowed);
    // What the fields say now.
    TRegattaSettings Chosen() const;
    THelms ChosenHelms() const;
    // The settings last started with (the defaults before), which the next opening shows.
    const TRegattaSettings& Settings() const { return FSettings; }
    // The helms of the last Start or Freies Segeln, or those the last opening showed.
    const THelms& Helms() const { return FHelms; }

    void done(int result) override;

    QFrame* Bevel1;
    QLabel* LabelLaps;
    QLabel* LabelRules;
    TRxSpinEdit* RxSpinEditLaps;
    QComboBox* ComboBoxRules;
    // Who steers green and red: the player, then the computer at skills 1 to 5.
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
    THelms FHelms{};
    bool FScaled = false;
};
