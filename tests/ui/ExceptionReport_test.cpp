#include "ui/QuiboApplication.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QList<QMessageBox*> VisibleBoxes()
{
    QList<QMessageBox*> boxes;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box != nullptr && box->isVisible())
            boxes.append(box);
    return boxes;
}

} // namespace

TEST(ExceptionReport, ARepeatingFaultShowsOneBoxAtATime)
{
    int boxesSeen = 0;
    QString text;
    // While the first box is up, its own loop goes on (and a faulty tick would fault again): report again.
    QTimer::singleShot(30, [] { TQuiboApplication::ReportException("second"); });
    QTimer::singleShot(30, [] { TQuiboApplication::ReportException("third"); });
    QTimer::singleShot(80, [&] {
        const auto boxes = VisibleBoxes();
        boxesSeen = static_cast<int>(boxes.size());
        if (!boxes.isEmpty()) {
            text = boxes.front()->text();
            boxes.front()->accept();
        }
    });
    TQuiboApplication::ReportException("first");
    EXPECT_EQ(boxesSeen, 1);
    EXPECT_EQ(text, "first");

    // Once closed, the next fault is reported again.
    QTimer::singleShot(30, [&] {
        const auto boxes = VisibleBoxes();
        text = boxes.isEmpty() ? QString() : boxes.front()->text();
        for (auto* box : boxes)
            box->accept();
    });
    TQuiboApplication::ReportException("later");
    EXPECT_EQ(text, "later");
}
