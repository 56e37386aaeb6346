#include "network/RaceRecorder.h"

#include <stdexcept>

TRaceRecorder::TRaceRecorder(const std::string& path) : FOut(path)
{
    if (!FOut)
        throw std::runtime_error(path);
}

void TRaceRecorder::Start(uint32_t timeOfDay)
{
    FOut << "race-clock " << timeOfDay << '\n';
    FOut.flush();
}

TRaceRecorder::~TRaceRecorder()
{
    FlushStretch();
}

void TRaceRecorder::FlushStretch()
{
    if (FRun > 0)
        FOut << FRun << ' ' << static_cast<int>(FGreen) << ' ' << static_cast<int>(FRed) << '\n';
    FRun = 0;
    FOut.flush();
}

void TRaceRecorder::Command(const TTickRecord& record)
{
    if (record.Command == TTickRecord::Restart) {
        FlushStretch();
        FOut << "restart\n";
    } else if (record.Command == TTickRecord::Wind) {
        FlushStretch();
        FOut << "wind " << record.WindDirection << ' ' << record.WindVariation << ' ' << record.WindSpeed << '\n';
    } else if (record.Command == TTickRecord::Regatta) {
        FlushStretch();
        FOut << "regatta " << record.RegattaSettings.Laps << ' '
             << (record.RegattaSettings.Rules == TRegattaRules::Classic ? "classic" : "penalties") << '\n';
    } else if (record.Command == TTickRecord::Free) {
        FlushStretch();
        FOut << "free\n";
    }
}

void TRaceRecorder::Tick(TTiller green, TTiller red)
{
    if (FRun > 0 && (green != FGreen || red != FRed))
        FlushStretch();
    FGreen = green;
    FRed = red;
    ++FRun;
}

void TRaceRecorder::Pause()
{
    FlushStretch();
    FOut << "pause\n";
}

void TRaceRecorder::Resume()
{
    FlushStretch();
    FOut << "resume\n";
}
