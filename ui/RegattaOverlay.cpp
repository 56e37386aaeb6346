#include "ui/RegattaOverlay.h"

#include "simulation/FrameSize.h"
#include "simulation/Quibo.h"
#include "simulation/Race.h"
#include "ui/RegattaTexts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int32_t TicksPerSecond = 60;
constexpr double EdgeMargin = 3;
constexpr double MarkerLength = 18;
constexpr double MarkerHalfWidth = 9;
constexpr int Padding = 10;
const QRect Frame(0, 0, FrameWidth, FrameHeight);

// The hull colours as the frame shows them.
QColor DinghyColour(size_t dinghy)
{
    return dinghy == 0 ? QColor(0x00, 0x80, 0x80) : QColor(0xFF, 0x00, 0x00);
}

QFont OverlayFont(int pixels, bool bold)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// The rectangle moved the least that puts it inside the frame.
QRect InsideFrame(QRect r)
{
    r.moveLeft(std::clamp(r.left(), 0, FrameWidth - r.width()));
    r.moveTop(std::clamp(r.top(), 0, FrameHeight - r.height()));
    return r;
}

// The marker for a dinghy beyond the frame: a triangle whose tip touches the edge, pointing where it went.
QPolygonF EdgeMarker(QPointF tip, QPointF towards)
{
    QPointF d = towards - tip;
    const double length = std::hypot(d.x(), d.y());
    d = length > 0 ? d / length : QPointF(0, -1);
    const QPointF across(-d.y(), d.x());
    const QPointF base = tip - d * MarkerLength;
    return QPolygonF({tip, base + across * MarkerHalfWidth, base - across * MarkerHalfWidth});
}

} // namespace

TRegattaOverlay::TRegattaOverlay()
    : FBigFont(OverlayFont(96, true)),
      FLabelFont(OverlayFont(16, true)),
      FResultsFont(OverlayFont(17, false))
{
}

QRect TRegattaOverlay::Update(const TRace& race)
{
    FBig.clear();
    FEarly = {};
    FEdge = {};
    FResults.clear();
    if (!race.Regatta)
        return {};
    const TRegatta& regatta = *race.Regatta;
    const int32_t sinceStart = regatta.TicksSinceStart();
    if (sinceStart < 0)
        FBig = QString::number(std::min(TRegatta::CountdownTicks / TicksPerSecond,
                                        (-sinceStart + TicksPerSecond - 1) / TicksPerSecond));
    else if (sinceStart < StartShownTicks && regatta.Phase() != TRegattaPhase::Over)
        FBig = TRegattaTexts::tr("Start!");
    QRect bounds = FBig.isEmpty() ? QRect() : BigRect();

    for (size_t d = 0; d < race.Dinghies.size(); ++d) {
        const TQuibo* dinghy = race.Dinghies[d];
        const TStanding standing = regatta.Dinghy(d).Standing;
        if (dinghy == nullptr || dinghy->Crashed || standing == TStanding::Out || standing == TStanding::Finished)
            continue;
        const QPointF stern(dinghy->X, dinghy->Y);
        if (standing == TStanding::Early) {
            // Above the middle of the hull, whichever way it heads.
            const double heading = dinghy->Heading * std::numbers::pi / 180;
            const QPointF middle = stern + QPointF(std::sin(heading), -std::cos(heading)) * 22;
            const QFontMetrics metrics(FLabelFont);
            QRect label(0, 0, metrics.horizontalAdvance(TRegattaTexts::tr("Früh!")) + 12, metrics.height() + 4);
            label.moveCenter(QPoint(static_cast<int>(middle.x()), static_cast<int>(middle.y()) - 48));
            FEarly[d] = InsideFrame(label);
            bounds |= *FEarly[d];
        }
        if (!QRectF(Frame).contains(stern)) {
            const QPointF tip(std::clamp(stern.x(), EdgeMargin, FrameWidth - 1 - EdgeMargin),
                              std::clamp(stern.y(), EdgeMargin, FrameHeight - 1 - EdgeMargin));
            FEdge[d] = EdgeMarker(tip, stern);
            bounds |= FEdge[d]->boundingRect().toAlignedRect().adjusted(-2, -2, 2, 2);
        }
    }

    if (regatta.Phase() == TRegattaPhase::Over) {
        FResults = TRegattaTexts::Results(regatta.Settings(), {regatta.Dinghy(0), regatta.Dinghy(1)});
        bounds |= ResultsRect();
    }
    return bounds & Frame;
}

QRect TRegattaOverlay::BigRect() const
{
    const QFontMetrics metrics(FBigFont);
    QRect r(0, 0, metrics.horizontalAdvance(FBig) + 2 * Padding, metrics.height() + Padding);
    r.moveCenter(QPoint(FrameWidth / 2, 130));
    return r;
}

QRect TRegattaOverlay::ResultsRect() const
{
    const QFontMetrics metrics(FResultsFont);
    QFont heading = FResultsFont;
    heading.setBold(true);
    int width = QFontMetrics(heading).horizontalAdvance(FResults.value(0));
    for (const QString& line : FResults)
        width = std::max(width, metrics.horizontalAdvance(line));
    QRect r(0, 0, width + 4 * Padding, static_cast<int>(FResults.size()) * metrics.lineSpacing() + 3 * Padding);
    r.moveCenter(QPoint(FrameWidth / 2, FrameHeight / 2));
    return r;
}

void TRegattaOverlay::Paint(QPainter& painter) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (!FBig.isEmpty()) {
        // White figures in a dark outline: readable on the water, the waves and a sail alike.
        const QRect r = BigRect();
        const QFontMetrics metrics(FBigFont);
        QPainterPath path;
        path.addText(r.left() + Padding, r.top() + Padding / 2 + metrics.ascent(), FBigFont, FBig);
        painter.strokePath(path, QPen(QColor(0, 0, 64), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.fillPath(path, Qt::white);
    }
    painter.setFont(FLabelFont);
    for (size_t d = 0; d < FEarly.size(); ++d) {
        if (!FEarly[d])
            continue;
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(DinghyColour(d));
        painter.drawRoundedRect(QRectF(*FEarly[d]).adjusted(1, 1, -1, -1), 4, 4);
        painter.drawText(*FEarly[d], Qt::AlignCenter, TRegattaTexts::tr("Früh!"));
    }
    for (size_t d = 0; d < FEdge.size(); ++d) {
        if (!FEdge[d])
            continue;
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(DinghyColour(d));
        painter.drawPolygon(*FEdge[d]);
    }
    if (!FResults.isEmpty()) {
        const QRect r = ResultsRect();
        painter.setPen(QPen(QColor(255, 255, 255, 200), 2));
        painter.setBrush(QColor(0, 0, 48, 215));
        painter.drawRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), 8, 8);
        const QFontMetrics metrics(FResultsFont);
        int y = r.top() + 3 * Padding / 2 + metrics.ascent();
        for (qsizetype i = 0; i < FResults.size(); ++i) {
            QFont font = FResultsFont;
            font.setBold(i == 0);
            painter.setFont(font);
            painter.setPen(i == 0 ? QColor(255, 255, 160) : QColor(Qt::white));
            painter.drawText(r.left() + 2 * Padding, y, FResults[i]);
            y += metrics.lineSpacing();
        }
    }
}
