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

TEST(ProgramOptions, HelpVersionAndDebugAreReadBeforeQt)
{
    using R = TProgramOptions::TRequest;
    const struct {
        std::vector<std::string> Given;
        R Request;
        bool Debug;
    } cases[] = {
        {{}, R::Play, false},
        {{"DEBUG"}, R::Play, true},
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
    }
}

TEST(ProgramOptions, TheOnlineRaceFromWhatQtLeftAndUnknownOptionsRefused)
{
    TProgramOptions options = ReadProgramOptions({"DEBUG", "--host", "4000"});
    ReadOnlineOptions(options, {"DEBUG", "--host", "4000"});
    EXPECT_TRUE(options.Debug);
    EXPECT_EQ(options.Online.Role, TOnlineOptions::Host);
    EXPECT_EQ(options.Online.Port, 4000);

    for (const char* unknown : {"--helpme", "--version=1", "--platform"}) {
        try {
            ReadOnlineOptions(options, {unknown});
            ADD_FAILURE() << unknown << " was taken";
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(std::string(error.what()), std::string("Unbekannte Option: ") + unknown);
        }
    }
}

} // namespace
