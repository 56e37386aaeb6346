#include "app/ProgramHelp.h"
#include "network/EnetLink.h"
#include "ui/Translations.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

const char* const Locales[] = {"de_DE", "en_US", "fr_FR", "nl_NL"};

// The lines that list an option, by how the option is written: its line and those that carry its explanation on.
QStringList OptionLines(const QStringList& help, const QString& option)
{
    QStringList found;
    for (qsizetype i = 0; i < help.size(); ++i) {
        if (!help[i].startsWith(QStringLiteral("  ") + option + QLatin1Char(' ')) &&
            help[i] != QStringLiteral("  ") + option)
            continue;
        found << help[i];
        while (i + 1 < help.size() && help[i + 1].startsWith(QStringLiteral("    ")))
            found << help[++i];
    }
    return found;
}

TEST(ProgramHelp, EveryOptionHasALineOfExplanationInEveryLanguage)
{
    QStringList german;
    for (const char* locale : Locales) {
        const TProgramTranslation translation{QLocale(QString::fromLatin1(locale))};
        const QStringList help = TProgramHelp::HelpText(QStringLiteral("quibotrainer")).split(QLatin1Char('\n'));
        if (german.isEmpty())
            german = help;
        EXPECT_TRUE(help.front().contains(QStringLiteral("quibotrainer"))) << locale;
        EXPECT_TRUE(help.back().isEmpty()) << locale << ": ends in a newline";

        qsizetype column = -1;
        for (const char* option : {"DEBUG", "--host", "--join", "--watch", "--code", "--open", "--no-port-mapping", "--record", "--mute", "--demo", "--help", "--version"}) {
            const QStringList lines = OptionLines(help, QString::fromLatin1(option));
            ASSERT_FALSE(lines.isEmpty()) << locale << ": " << option;
            // The explanation starts in the same column on every option's line.
            const QString& line = lines.front();
            const qsizetype at = line.indexOf(QStringLiteral("  "), 2 + qstrlen(option));
            ASSERT_GT(at, 0) << locale << ": " << line.toStdString();
            const qsizetype explanation = line.indexOf(QRegularExpression(QStringLiteral("\\S")), at);
            ASSERT_GT(explanation, at) << locale << ": " << line.toStdString();
            if (column < 0)
                column = explanation;
            EXPECT_EQ(explanation, column) << locale << ": " << line.toStdString();
            for (const QString& more : lines.mid(1))
                EXPECT_EQ(more.indexOf(QRegularExpression(QStringLiteral("\\S"))), column) << more.toStdString();
        }
        EXPECT_TRUE(OptionLines(help, QStringLiteral("--host")).join(' ').contains(QString::number(DefaultPort)))
            << locale;

        for (const QString& line : help)
            EXPECT_LE(line.size(), 79) << locale << ": " << line.toStdString();
        // Translated, every line that is not empty reads otherwise than the German one.
        if (translation.Language().isEmpty())
            continue;
        for (const QString& line : help)
            EXPECT_TRUE(line.isEmpty() || !german.contains(line)) << locale << ": " << line.toStdString();
    }
}

TEST(ProgramHelp, ARefusalNamesItsReasonAndPointsAtHelp)
{
    QString german;
    for (const char* locale : Locales) {
        const TProgramTranslation translation{QLocale(QString::fromLatin1(locale))};
        const QString text = TProgramHelp::RefusalText(QStringLiteral("Unbekannte Option: --hots"), QStringLiteral("quibotrainer"));
        EXPECT_TRUE(text.startsWith(QStringLiteral("Unbekannte Option: --hots\n"))) << locale;
        EXPECT_TRUE(text.contains(QStringLiteral("quibotrainer --help"))) << locale;
        if (german.isEmpty())
            german = text;
        EXPECT_EQ(text == german, translation.Language().isEmpty()) << locale << ": " << text.toStdString();
    }
}

} // namespace
