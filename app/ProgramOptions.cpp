#include "app/ProgramOptions.h"

TProgramOptions ReadProgramOptions(const std::vector<std::string>& given)
{
    TProgramOptions options;
    options.Debug = !given.empty() && given.front() == "DEBUG";
    for (const std::string& arg : given) {
        if (arg == "--help") {
            options.Request = TProgramOptions::Help;
            break;
        }
        if (arg == "--version") {
            options.Request = TProgramOptions::Version;
            break;
        }
    }
    return options;
}

void ReadOnlineOptions(TProgramOptions& options, const std::vector<std::string>& left)
{
    options.Online = ParseOnlineOptions(left);
}

std::string VersionText()
{
    return "QuiboTrainer " QUIBO_VERSION;
}
