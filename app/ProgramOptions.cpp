#include "app/ProgramOptions.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr const char* MuteOption = "--mute";

} // namespace

TProgramOptions ReadProgramOptions(const std::vector<std::string>& given)
{
    TProgramOptions options;
    options.Debug = !given.empty() && given.front() == "DEBUG";
    options.Mute = std::find(given.begin(), given.end(), MuteOption) != given.end();
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
    std::vector<std::string> online;
    std::copy_if(left.begin(), left.end(), std::back_inserter(online),
                 [](const std::string& arg) { return arg != MuteOption; });
    options.Online = ParseOnlineOptions(online);
}

std::string VersionText()
{
    return "QuiboTrainer " QUIBO_VERSION;
}
