#include "app/ProgramHelp.h"

#include "network/EnetLink.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// A terminal's width, less the last column.
constexpr qsizetype LineWidth = 79;

// The options as "--help" lists them: how each is written, and what it does.
struct TOption {
    const char* Synopsis;
    // Whether the synopsis has words of the player's language in it.
    bool TranslatedSynopsis;
    const char* Explanation;
};

constexpr std::array<TOption, 12> Options{{
    {"DEBUG", false,
     QT_TRANSLATE_NOOP("TProgramHelp", "nur als erstes Argument: Kollisionsumrisse, ein Mausklick zeigt den Pixelwert")},
    {"--host [PORT]", false,
     QT_TRANSLATE_NOOP("TProgramHelp", "eröffnet ein Online-Rennen am UDP-Port PORT (ohne Angabe %1)")},
    {QT_TRANSLATE_NOOP("TProgramHelp", "--join [RECHNER[:PORT]]"), true,
     QT_TRANSLATE_NOOP("TProgramHelp", "tritt dem Online-Rennen auf RECHNER bei; ohne Adresse oder Code fragt ein Dialog")},
    {QT_TRANSLATE_NOOP("TProgramHelp", "--watch [RECHNER[:PORT]]"), true,
     QT_TRANSLATE_NOOP("TProgramHelp", "schaut dem Online-Rennen auf RECHNER zu, ohne zu steuern; ohne Adresse oder Code fragt ein Dialog")},
    {"--code CODE", false,
     QT_TRANSLATE_NOOP("TProgramHelp", "der Code des Rennens: für --join und --watch der erhaltene, für --host ein eigener statt eines zufälligen")},
    {"--open", false,
     QT_TRANSLATE_NOOP("TProgramHelp", "nur mit --host: ein offenes Rennen ohne Code, jeder, der den Port erreicht, tritt bei (LAN-Party)")},
    {"--no-port-mapping", false,
     QT_TRANSLATE_NOOP("TProgramHelp", "nur mit --host: fragt den Router nicht nach einer Portweiterleitung")},
    {QT_TRANSLATE_NOOP("TProgramHelp", "--record DATEI"), true,
     QT_TRANSLATE_NOOP("TProgramHelp", "schreibt das Online-Rennen in DATEI, als Skript für replay_race")},
    {"--mute", false, QT_TRANSLATE_NOOP("TProgramHelp", "startet ohne Ton; die Taste M schaltet ihn aus und an")},
    {"--demo", false,
     QT_TRANSLATE_NOOP("TProgramHelp", "zeigt Regatta um Regatta, beide Jollen vom Computer gesegelt; eine Taste beendet sie")},
    {"--help", false, QT_TRANSLATE_NOOP("TProgramHelp", "zeigt diese Hilfe und endet")},
    {"--version", false, QT_TRANSLATE_NOOP("TProgramHelp", "zeigt die Version und endet")},
}};

} // namespace

QString TProgramHelp::HelpText(const QString& program)
{
    std::array<std::pair<QString, QString>, Options.size()> rows;
    qsizetype width = 0;
    for (size_t i = 0; i < Options.size(); ++i) {
        const TOption& option = Options[i];
        rows[i] = {option.TranslatedSynopsis ? tr(option.Synopsis) : QString::fromLatin1(option.Synopsis),
                   tr(option.Explanation)};
        width = std::max(width, rows[i].first.size());
    }
    rows[1].second = rows[1].second.arg(DefaultPort);

    QStringList lines{tr("Aufruf: %1 [DEBUG] [OPTION …]").arg(program),
                      tr("Segeltrainer für zwei Spieler an einer Tastatur."), QString(), tr("Optionen:")};
    // The explanations in a column of their own, wrapped between words.
    const QString indent(2 + width + 2, QLatin1Char(' '));
    for (const auto& [synopsis, explanation] : rows) {
        QString line = QStringLiteral("  ") + synopsis.leftJustified(width + 2);
        bool first = true;
        for (const QString& word : explanation.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!first && line.size() + 1 + word.size() > LineWidth) {
                lines << line;
                line = indent;
                first = true;
            }
            line += (first ? QString() : QStringLiteral(" ")) + word;
            first = false;
        }
        lines << line;
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString TProgramHelp::RefusalText(const QString& reason, const QString& program)
{
    return reason + QLatin1Char('\n') + tr("„%1 --help“ nennt alle Optionen.").arg(program);
}
