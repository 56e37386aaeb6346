#include "platform/qt/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

TQtMessageBox::TQtMessageBox(QWidget* parent)
    : FParent(parent)
{
}

void TQtMessageBox::ShowInformation(const std::string& caption, const std::string& text)
{
    QMessageBox box(QMessageBox::Information, QString::fromStdString(caption), QString::fromStdString(text),
        QMessageBox::Ok, FParent);
    box.exec();
}

void TQtMessageBox::Beep()
{
    QApplication::beep();
}
