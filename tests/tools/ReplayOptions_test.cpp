#include "tools/ReplayOptions.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string Refusal(const std::vector<std::string>& args)
{
    try {
        ParseReplayOptions(args);
    } catch (const std::invalid_argument& e) {
        return e.what();
    }
    return "accepted";
}

TEST(ReplayOptions, GoodValuesAreTaken)
{
    const auto o = ParseReplayOptions({"--time-of-day", "86399999", "--wind-speed", "360", "--variation", "0"});
    EXPECT_EQ(o.TimeOfDay, 86399999u);
    EXPECT_EQ(o.WindSpeed, 360);
    EXPECT_EQ(o.Variation, 0);
    const auto defaults = ParseReplayOptions({});
    EXPECT_EQ(defaults.WindSpeed, 0);
    EXPECT_EQ(defaults.Variation, -1);
    EXPECT_FALSE(defaults.SyncTest);
    EXPECT_EQ(ParseReplayOptions({"--sync-test", "0"}).SyncTest, 0u);
    EXPECT_EQ(ParseReplayOptions({"--digests", "--sync-test", "4294967295"}).SyncTest, 4294967295u);
}

TEST(ReplayOptions, BadArgumentsAreRefusedByName)
{
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--wind-speed"}, "--wind-speed needs a value"},
        {{"--variation", "3", "--time-of-day"}, "--time-of-day needs a value"},
        {{"--wind-speed", "fast"}, "--wind-speed needs a whole number 1..360, not 'fast'"},
        {{"--wind-speed", "0"}, "--wind-speed needs a whole number 1..360, not '0'"},
        {{"--wind-speed", "12knots"}, "--wind-speed needs a whole number 1..360, not '12knots'"},
        {{"--wind-speed", ""}, "--wind-speed needs a whole number 1..360, not ''"},
        {{"--variation", "-1"}, "--variation needs a whole number 0..45, not '-1'"},
        {{"--variation", "400"}, "--variation needs a whole number 0..45, not '400'"},
        {{"--time-of-day", "86400000"}, "--time-of-day needs a whole number 0..86399999, not '86400000'"},
        {{"--time-of-day", "99999999999999999999"},
         "--time-of-day needs a whole number 0..86399999, not '99999999999999999999'"},
        {{"--sync-test"}, "--sync-test needs a value"},
        {{"--sync-test", "4294967296"}, "--sync-test needs a whole number 0..4294967295, not '4294967296'"},
        {{"--sync-test", "-1"}, "--sync-test needs a whole number 0..4294967295, not '-1'"},
        {{"--sync-test", "--digests"}, "--sync-test needs a whole number 0..4294967295, not '--digests'"},
        {{"--speed", "5"}, "unknown option '--speed'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Refusal(c.args), c.message) << c.args[0];
}

TEST(ReplayLines, KindsAndValues)
{
    EXPECT_EQ(ParseReplayLine("").Kind, TReplayLine::Skip);
    EXPECT_EQ(ParseReplayLine("# 5 0 0").Kind, TReplayLine::Skip);
    EXPECT_EQ(ParseReplayLine("restart\r").Kind, TReplayLine::Restart);
    const TReplayLine l = ParseReplayLine("  120 0 2 ");
    EXPECT_EQ(l.Kind, TReplayLine::Stretch);
    EXPECT_EQ(l.Ticks, 120);
    EXPECT_EQ(l.Green, TTiller::Port);
    EXPECT_EQ(l.Red, TTiller::Starboard);
}

TEST(ReplayOptions, FlagsStandAlone)
{
    const auto o = ParseReplayOptions({"--debug", "--time-of-day", "5", "--digests"});
    EXPECT_TRUE(o.Debug);
    EXPECT_TRUE(o.Digests);
    EXPECT_EQ(o.TimeOfDay, 5u);
    EXPECT_FALSE(ParseReplayOptions({"--digests"}).Debug);
    // A flag is not a value.
    EXPECT_EQ(Refusal({"--time-of-day", "--debug"}), "--time-of-day needs a whole number 0..86399999, not '--debug'");
}

TEST(ReplayLines, WindowActions)
{
    const struct {
        const char* line;
        TReplayLine::TKind kind;
    } cases[] = {
        {"pause", TReplayLine::Pause},       {"resume ", TReplayLine::Resume},
        {"inactive", TReplayLine::Inactive}, {"active\r", TReplayLine::Active},
        {"wait 0", TReplayLine::Wait},       {"wind 1 0 1", TReplayLine::Wind},
        {"free", TReplayLine::Free},         {"regatta 1 classic", TReplayLine::Regatta},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseReplayLine(c.line).Kind, c.kind) << c.line;
    EXPECT_EQ(ParseReplayLine("wait 2500").Milliseconds, 2500);
    const TReplayLine wind = ParseReplayLine("wind 360 45 17");
    EXPECT_EQ(wind.Settings, (TWindSettings{360, 45, 17}));
    EXPECT_EQ(ParseReplayLine("regatta 9 penalties").RegattaSettings, (TRegattaSettings{9, TRegattaRules::Penalties}));
    EXPECT_EQ(ParseReplayLine("regatta 1 classic").RegattaSettings, (TRegattaSettings{1, TRegattaRules::Classic}));
}

TEST(ReplayLines, WhoSteers)
{
    const struct {
        const char* line;
        TPlayer player;
        std::optional<int32_t> skill;
    } cases[] = {
        {"helm green computer 1", TPlayer::Green, 1},
        {"helm red computer 5 ", TPlayer::Red, 5},
        {"helm red player", TPlayer::Red, std::nullopt},
        {"helm green player\r", TPlayer::Green, std::nullopt},
    };
    for (const auto& c : cases) {
        const TReplayLine line = ParseReplayLine(c.line);
        EXPECT_EQ(line.Kind, TReplayLine::Helm) << c.line;
        EXPECT_EQ(line.HelmPlayer, c.player) << c.line;
        EXPECT_EQ(line.HelmSkill, c.skill) << c.line;
    }
    for (const char* line : {"helm", "helm green", "helm blue player", "helm green computer", "helm green computer 0",
                             "helm red computer 6", "helm red computer 3 x", "helm red player 3", "helm red Computer 3",
                             "helm green computer three"}) {
        try {
            ParseReplayLine(line);
            ADD_FAILURE() << "accepted: " << line;
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find(line), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("helm <green|red> <player|computer SKILL 1..5>"), std::string::npos)
                << e.what();
        }
    }
}

TEST(ReplayLines, BadLinesAreRefused)
{
    for (const char* line : {"10 1", "10 1 1 extra", "10 1 1 5", "10 3 1", "10 1 -1", "-5 1 1", "ten 1 1", "10 1.5 1",
                             "10 1 1x", "restart now", "1e3 1 1", "pause 5", "wait", "wait -1", "wait 1 2",
                             "wait 86400001", "wind 0 5 10", "wind 361 5 10", "wind 90 46 10", "wind 90 5 0",
                             "wind 90 5", "wind 90 5 10 1", "Pause", "regatta", "regatta 0 classic", "regatta 10 penalties",
                             "regatta 3", "regatta 3 Classic", "regatta 3 penalties x", "free 1"}) {
        try {
            ParseReplayLine(line);
            ADD_FAILURE() << "accepted: " << line;
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find(line), std::string::npos) << e.what();
        }
    }
}

} // namespace
