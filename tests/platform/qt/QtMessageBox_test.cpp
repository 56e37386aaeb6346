#include "platform/qt/QtClock.h"
#include "platform/qt/QtMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(QtMessageBox, ShowsAnInformationBoxWithCaptionTextAndOneOkButton)
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QAbstractButton*> buttons;
    QMessageBox::StandardButton okButton = QMessageBox::NoButton;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->buttons();
        okButton = box->standardButton(buttons.value(0));
        box->accept();
    });
    TQtMessageBox messages;
    messages.ShowInformation("Information", "12, 34: 32896");
    EXPECT_EQ(title, "Information");
    EXPECT_EQ(text, "12, 34: 32896");
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_EQ(buttons.size(), 1);
    EXPECT_EQ(okButton, QMessageBox::Ok);
}

TEST(QtClock, TimeOfDayIsTheUtcTimeInMilliseconds)
{
    TQtClock clock;
    const int before = QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay();
    const uint32_t ours = clock.MillisecondsOfDay();
    const int after = QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay();
    EXPECT_LT(ours, 86400000u);
    if (after >= before) { // not across midnight
        EXPECT_GE(ours, static_cast<uint32_t>(before));
        EXPECT_LE(ours, static_cast<uint32_t>(after));
    }
}

TEST(QtClock, CounterAdvancesInMilliseconds)
{
    TQtClock clock;
    const uint32_t start = clock.Milliseconds();
    QThread::msleep(30);
    const uint32_t elapsed = clock.Milliseconds() - start;
    EXPECT_GE(elapsed, 30u);
    EXPECT_LT(elapsed, 5000u);
}

} // namespace
