#include "app/ProgramOptions.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr const char* MuteOption = "--mute";
constexpr const char* DemoOption = "--demo";

bool Given(const std::vector<std::string>& args, const char* option)
{
    return std::find(args.begin(), args.end(), option) != args.end();
}

} // namespace

TProgramOptions ReadProgramOptions(const std::vector<std::string>& given)
{
    TProgramOptions options;
    options.Debug = !given.empty() && given.front() == "DEBUG";
    options.Mute = Given(given, MuteOption);
    options.Demo = Given(given, DemoOption);
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
                 [](const std::string& arg) { return arg != MuteOption && arg != DemoOption; });
    options.Online = ParseOnlineOptions(online);
    if (options.Demo && options.Online.Role != TOnlineOptions::Local)
        throw std::invalid_argument("--demo gilt nicht mit --host, --join oder --watch");
}

std::string VersionText()
{
    return "QuiboTrainer " QUIBO_VERSION;
}
