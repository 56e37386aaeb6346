#pragma once
#include "ui/Button.h"

#include <QCoreApplication>
#include <QDialog>

class IClock;
class IMessageBox;
class QCheckBox;
class QFrame;
class QLabel;
class QPixmap;

class TRxSpinEdit;

// Modal results of the program's dialogs.
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

// The wind settings dialog: base direction (typed or drawn at random), random deviation and speed.
//
// Created once and kept hidden between showings, so the fields, the check box and the focus carry over.
// exec() returns mrOk or mrCancel.
class TSetupForm : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(TSetupForm)

public:
    // clock reseeds the random direction; messages beeps at refused characters.
    TSetupForm(IClock& clock, IMessageBox& messages, QWidget* parent = nullptr);

    // The program icon shown at the bottom left.
    void SetIcon(const QPixmap& icon);

    // Every close ends here, whatever the result: a checked random box draws a new direction first.
    void done(int result) override;
    // The close box cancels.
    void reject() override;
    void accept() override;

    QFrame* Bevel1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Image1;
    QLabel* Label3;
    TButton* ButtonFertig;
    TRxSpinEdit* RxSpinEditWGrad;
    TRxSpinEdit* RxSpinEditWSpeed;
    TRxSpinEdit* RxSpinEditWAbw;
    QCheckBox* CheckBoxWRandom;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CheckBoxWRandomClick();
    void RxSpinEditKeyDown(int key);
    void FormClose();
    // Grows the 96-dpi layout to a screen of that many pixels per inch, as the main window does.
    void FollowDensity(int pixelsPerInch);

    IClock& FClock;
    bool FScaled = false;
};
