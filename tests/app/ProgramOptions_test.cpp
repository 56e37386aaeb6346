#include "app/ProgramOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Joined(const std::vector<std::string>& args)
{
    std::string joined;
    for (const std::string& arg : args)
        joined += arg + " ";
    return joined;
}

TEST(ProgramOptions, HelpVersionDebugAndMuteAreReadBeforeQt)
{
    using R = TProgramOptions::TRequest;
    const struct {
        std::vector<std::string> Given;
        R Request;
        bool Debug;
        bool Mute = false;
    } cases[] = {
        {{}, R::Play, false},
        {{"DEBUG"}, R::Play, true},
        {{"--mute"}, R::Play, false, true},
        {{"DEBUG", "--mute"}, R::Play, true, true},
        {{"--mute", "DEBUG"}, R::Play, false, true},
        {{"--host", "4000", "--mute", "--record", "race.txt"}, R::Play, false, true},
        {{"--mute", "--help"}, R::Help, false, true},
        {{"--mute=1"}, R::Play, false, false},
        {{"-mute"}, R::Play, false, false},
        {{"--record", "mute"}, R::Play, false, false},
        // Only the exact first argument.
        {{"debug"}, R::Play, false},
        {{"DEBUGX"}, R::Play, false},
        {{"--host", "DEBUG"}, R::Play, false},
        {{"DEBUG", "--join", "boat.example.org"}, R::Play, true},
        {{"--help"}, R::Help, false},
        {{"--version"}, R::Version, false},
        {{"DEBUG", "--version"}, R::Version, true},
        // Wherever it stands, and the first of the two wins; no option takes "--help" for its value.
        {{"--host", "4000", "--help"}, R::Help, false},
        {{"--record", "--version"}, R::Version, false},
        {{"--version", "--help"}, R::Version, false},
        {{"--help", "--version"}, R::Help, false},
        // Qt's own arguments are still among them.
        {{"-platform", "offscreen", "--help"}, R::Help, false},
        // Near misses are left for the online options to refuse.
        {{"--helpme"}, R::Play, false},
        {{"-help"}, R::Play, false},
        {{"--version=1"}, R::Play, false},
    };
    for (const auto& c : cases) {
        const TProgramOptions options = ReadProgramOptions(c.Given);
        EXPECT_EQ(options.Request, c.Request) << Joined(c.Given);
        EXPECT_EQ(options.Debug, c.Debug) << Joined(c.Given);
        EXPECT_EQ(options.Mute, c.Mute) << Joined(c.Given);
    }
}

TEST(ProgramOptions, TheOnlineRaceFromWhatQtLeftAndUnknownOptionsRefused)
{
    TProgramOptions options = ReadProgramOptions({"DEBUG", "--host", "4000"});
    ReadOnlineOptions(options, {"DEBUG", "--host", "4000"});
    EXPECT_TRUE(options.Debug);
    EXPECT_EQ(options.Online.Role, TOnlineOptions::Host);
    EXPECT_EQ(options.Online.Port, 4000);

    // --mute is the program's, wherever it stands; taken out, it parts no option from its value.
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--mute", "--host", "4000"},
                                                 std::vector<std::string>{"--host", "--mute", "4000"},
                                                 std::vector<std::string>{"--host", "4000", "--mute"}}) {
        ReadOnlineOptions(options, args);
        EXPECT_EQ(options.Online.Role, TOnlineOptions::Host) << Joined(args);
        EXPECT_EQ(options.Online.Port, 4000) << Joined(args);
    }
    EXPECT_THROW(ReadOnlineOptions(options, {"--record", "--mute", "--join"}), std::invalid_argument);

    for (const char* unknown : {"--helpme", "--version=1", "--platform", "--mute=1", "--muted"}) {
        try {
            ReadOnlineOptions(options, {unknown});
            ADD_FAILURE() << unknown << " was taken";
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(std::string(error.what()), std::string("Unbekannte Option: ") + unknown);
        }
    }
}

// The demo is the program's own option, read before Qt like --mute; with an online race it is refused, since
// no computer steers there.
TEST(ProgramOptions, DemoIsTakenAloneOrWithLocalOptionsAndRefusedOnline)
{
    const struct {
        std::vector<std::string> Given;
        bool Demo;
        bool Refused;
    } cases[] = {
        {{"--demo"}, true, false},
        {{"DEBUG", "--demo", "--mute"}, true, false},
        {{"--mute", "--demo"}, true, false},
        {{}, false, false},
        {{"--demo", "--host"}, true, true},
        {{"--host", "4000", "--demo"}, true, true},
        {{"--join", "boat.example.org", "--demo"}, true, true},
        {{"--demo", "--join"}, true, true},
        {{"--watch", "boat.example.org", "--demo"}, true, true},
        {{"--demo", "--record", "race.txt"}, true, true},
        // Near misses are unknown options.
        {{"--demos"}, false, true},
        {{"--demo=1"}, false, true},
        {{"-demo"}, false, false},
    };
    for (const auto& c : cases) {
        TProgramOptions options = ReadProgramOptions(c.Given);
        EXPECT_EQ(options.Demo, c.Demo) << Joined(c.Given);
        EXPECT_EQ(options.Request, TProgramOptions::Play) << Joined(c.Given);
        bool refused = false;
        try {
            ReadOnlineOptions(options, c.Given);
        } catch (const std::invalid_argument&) {
            refused = true;
        }
        EXPECT_EQ(refused, c.Refused) << Joined(c.Given);
    }
    // The refusal names the clash.
    TProgramOptions options = ReadProgramOptions({"--demo", "--host"});
    try {
        ReadOnlineOptions(options, {"--demo", "--host"});
        ADD_FAILURE() << "--demo --host was taken";
    } catch (const std::invalid_argument& error) {
        EXPECT_EQ(std::string(error.what()), "--demo gilt nicht mit --host, --join oder --watch");
    }
}

} // namespace
