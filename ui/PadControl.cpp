#include "ui/PadControl.h"

#include "platform/Application.h"
#include "ui/MainForm.h"

#include <QCoreApplication>
#include <QLabel>

namespace {

size_t PanelOf(TPlayer player)
{
    return player == TPlayer::Red ? 0 : 1;
}

} // namespace

TPadControl::TPadControl(TMainForm& form, IApplication& application, std::array<QLabel*, 2> panels)
    : Steering(*this), Pads(Steering), FForm(form), FApplication(application)
{
    for (size_t index = 0; index < FNotices.size(); ++index) {
        TNotice& notice = FNotices[index];
        notice.Panel = panels[index];
        notice.Timer.setSingleShot(true);
        notice.Timer.setInterval(NoticeTime);
        QObject::connect(&notice.Timer, &QTimer::timeout, &notice.Timer,
                         [&notice] { notice.Panel->setText(notice.Text); });
    }
    if (!Pads.Available())
        return;
    FPoll.setInterval(PlugInterval);
    QObject::connect(&FPoll, &QTimer::timeout, &FPoll, [this] { Poll(); });
    FActivationHook = FApplication.AddActivationHook([this](bool active) { Activated(active); });
    if (FApplication.Active())
        FPoll.start();
}

TPadControl::~TPadControl()
{
    if (FActivationHook != 0)
        FApplication.RemoveActivationHook(FActivationHook);
}

void TPadControl::Activated(bool active)
{
    if (!active) {
        FPoll.stop();
        return;
    }
    Pads.PollAfterAbsence();
    FPoll.start();
}

void TPadControl::Poll()
{
    Pads.Poll();
    const int interval = Pads.AnyOpen() ? PollInterval : PlugInterval;
    if (FPoll.interval() != interval)
        FPoll.setInterval(interval);
}

IRaceCommands& TPadControl::Commands()
{
    return FForm.PlayerCommands();
}

void TPadControl::PadTaken(TPlayer player)
{
    if (player == TPlayer::Green)
        Tell(player, QCoreApplication::translate("TPadControl", "Controller 1 verbunden: er steuert den grünen Quibo"));
    else
        Tell(player, QCoreApplication::translate("TPadControl", "Controller 2 verbunden: er steuert den roten Quibo"));
}

void TPadControl::PadDropped(TPlayer player)
{
    if (player == TPlayer::Green)
        Tell(player, QCoreApplication::translate("TPadControl",
                                                 "Controller 1 getrennt: den grünen Quibo steuert die Tastatur"));
    else
        Tell(player, QCoreApplication::translate("TPadControl",
                                                 "Controller 2 getrennt: den roten Quibo steuert die Tastatur"));
}

void TPadControl::Tell(TPlayer player, const QString& text)
{
    TNotice& notice = FNotices[PanelOf(player)];
    if (!notice.Timer.isActive())
        notice.Text = notice.Panel->text();
    notice.Panel->setText(text);
    notice.Timer.start();
}
