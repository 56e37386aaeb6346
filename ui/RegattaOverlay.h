#pragma once
#include <QFont>
#include <QPolygonF>
#include <QRect>
#include <QStringList>

#include <array>
#include <optional>

class QPainter;
class TRace;

// What the window shows over the water in a regatta, painted at presentation only (never into the frame):
// the seconds left before the start and "Start!" at the signal, "Früh!" over a dinghy that started early
// until it has returned, a marker in its colour at the frame's edge where a dinghy has sailed out of sight,
// and the results once the regatta is over. All of it in frame coordinates.
class TRegattaOverlay {
public:
    // "Start!" stays this long after the signal.
    static constexpr int32_t StartShownTicks = 90;

    TRegattaOverlay();

    // Brings the overlay up to the race as it now stands; the frame rectangle it covers (empty: nothing).
    QRect Update(const TRace& race);
    void Paint(QPainter& painter) const;

    // What shows now, for the tests: the big text (countdown or "Start!"), the early dinghies' labels, the
    // edge markers (their tip first) and the results' lines.
    const QString& BigText() const { return FBig; }
    const std::array<std::optional<QRect>, 2>& EarlyLabels() const { return FEarly; }
    const std::array<std::optional<QPolygonF>, 2>& EdgeMarkers() const { return FEdge; }
    const QStringList& Results() const { return FResults; }

private:
    QRect BigRect() const;
    QRect ResultsRect() const;

    QFont FBigFont;
    QFont FLabelFont;
    QFont FResultsFont;
    QString FBig;
    std::array<std::optional<QRect>, 2> FEarly{};
    std::array<std::optional<QPolygonF>, 2> FEdge{};
    QStringList FResults;
};
