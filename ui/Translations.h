#pragma once
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

// The program's texts are German. Other languages come from the translations embedded in the program, chosen by
// the desktop's language; German, the C locale and every language without a translation show the German texts.

// The language whose translation fits the locale named localeName with these user interface languages (in
// the order the user prefers them): "en", "fr", "nl", or empty for the German texts. As in gettext, the C
// locale keeps the program's own texts whatever LANGUAGE asks for.
QString TranslationLanguage(const QString& localeName, const QStringList& uiLanguages);

// The translation for a locale, installed into the application for as long as the object lives. Made before
// the windows, whose texts are read when they are built.
class TProgramTranslation {
public:
    explicit TProgramTranslation(const QLocale& locale = QLocale::system());
    ~TProgramTranslation();
    TProgramTranslation(const TProgramTranslation&) = delete;
    TProgramTranslation& operator=(const TProgramTranslation&) = delete;

    // The installed translation's language; empty for the German texts.
    const QString& Language() const { return FLanguage; }

private:
    QTranslator FTranslator;
    QString FLanguage;
};
