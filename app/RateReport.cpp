#include "app/RateReport.h"

#include "network/NetRace.h"
#include "ui/MainForm.h"
#include "ui/OnlineRace.h"

#include <QDateTime>

#include <malloc.h>

#include <cstdio>

TRateReport::TRateReport(TMainForm& form, TOnlineRace* online, const QElapsedTimer& started)
    : FForm(form), FOnline(online), FStarted(started)
{
    if (qEnvironmentVariableIsEmpty("QUIBO_REPORT_RATE"))
        return;
    QObject::connect(&FFirstFrameWatch, &QTimer::timeout, [this] { FirstFrame(); });
    FFirstFrameWatch.start(1);
    QObject::connect(&FRateReport, &QTimer::timeout, [this] { Rate(); });
    FRateReport.start(1000);
}

void TRateReport::FirstFrame()
{
    if (FForm.Session.Race.ProcessedTicks() == 0)
        return;
    FFirstFrameWatch.stop();
    std::fprintf(stderr, "first frame after: %lld ms\nfirst frame at: %lld ms since the epoch\n",
        static_cast<long long>(FStarted.elapsed()), static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
}

void TRateReport::Rate()
{
    const struct mallinfo2 heap = mallinfo2();
    std::fprintf(stderr, "ticks per second: %d\nheap in use: %zu bytes\n", FForm.Session.DXTimer1.FramesPerSecond(),
        heap.uordblks + heap.hblkhd);
    if (FOnline == nullptr)
        return;
    const TNetRace& net = FOnline->Net();
    const INetLink& line = net.Link();
    const TRollbackCount& rollbacks = net.Rollbacks();
    std::fprintf(stderr, "online: tick %lld delay %d round trip %lld ms sent %lld bytes %lld packets "
        "received %lld bytes %lld packets dropped %lld rollbacks %lld ran-again %lld longest %lld yielded %lld\n",
        static_cast<long long>(FForm.Session.Race.ProcessedTicks()), net.Delay(),
        static_cast<long long>(net.RoundTrip()), static_cast<long long>(line.BytesSent()),
        static_cast<long long>(line.PacketsSent()), static_cast<long long>(line.BytesReceived()),
        static_cast<long long>(line.PacketsReceived()), static_cast<long long>(line.Dropped()),
        static_cast<long long>(rollbacks.Rollbacks), static_cast<long long>(rollbacks.TicksRunAgain),
        static_cast<long long>(rollbacks.Longest), static_cast<long long>(rollbacks.TicksYielded));
}
