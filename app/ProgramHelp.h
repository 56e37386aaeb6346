#pragma once
#include <QCoreApplication>
#include <QString>

// The texts of the command line in the player's language (the installed translation): what "--help" prints,
// and the line that points a refused command line at it. program is the name the program was started by.
class TProgramHelp {
    Q_DECLARE_TR_FUNCTIONS(TProgramHelp)

public:
    // Every option with a line of explanation, ending in a newline.
    static QString HelpText(const QString& program);
    // The reason a command line was refused, and where to find the options.
    static QString RefusalText(const QString& reason, const QString& program);
};
