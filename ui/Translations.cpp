#include "ui/Translations.h"

#include <QCoreApplication>
#include <QFile>

namespace {

// Where the build embeds the compiled translations, one quibotrainer_<language>.qm each.
const QString TranslationsPath = QStringLiteral(":/translations/quibotrainer_%1.qm");
const QString SourceLanguage = QStringLiteral("de");

// "en" of "en-GB", "nl" of "nl_BE"; "c" for the C locale.
QString LanguagePart(const QString& uiLanguage)
{
    return uiLanguage.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
}

} // namespace

QString TranslationLanguage(const QString& localeName, const QStringList& uiLanguages)
{
    if (localeName == QLatin1String("C") || localeName == QLatin1String("POSIX"))
        return {};
    for (const QString& uiLanguage : uiLanguages) {
        const QString language = LanguagePart(uiLanguage);
        // German is what the program speaks; a preferred language before any translated one wins.
        if (language == SourceLanguage)
            return {};
        if (QFile::exists(TranslationsPath.arg(language)))
            return language;
    }
    return {};
}

TProgramTranslation::TProgramTranslation(const QLocale& locale)
    : FLanguage(TranslationLanguage(locale.name(), locale.uiLanguages()))
{
    if (FLanguage.isEmpty())
        return;
    if (!FTranslator.load(TranslationsPath.arg(FLanguage)) || !QCoreApplication::installTranslator(&FTranslator))
        FLanguage.clear();
}

TProgramTranslation::~TProgramTranslation()
{
    if (!FLanguage.isEmpty())
        QCoreApplication::removeTranslator(&FTranslator);
}
