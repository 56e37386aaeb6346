#pragma once
#include <QElapsedTimer>
#include <QTimer>

class TMainForm;
class TOnlineRace;

// For measurements, on standard error, when QUIBO_REPORT_RATE is set: when the first frame was drawn, then once
// a second the frame timer's measured rate, the heap in use and, online, the line's figures.
class TRateReport {
public:
    // started runs from the program's start. The window and the online race (null for none) must outlive the
    // report.
    TRateReport(TMainForm& form, TOnlineRace* online, const QElapsedTimer& started);

private:
    void FirstFrame();
    void Rate();

    TMainForm& FForm;
    TOnlineRace* FOnline;
    QElapsedTimer FStarted;
    QTimer FFirstFrameWatch;
    QTimer FRateReport;
};
