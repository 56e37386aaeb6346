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
    EXPECT_EQ(l.Green, 0);
    EXPECT_EQ(l.Red, 2);
}

TEST(ReplayLines, BadLinesAreRefused)
{
    for (const char* line : {"10 1", "10 1 1 extra", "10 1 1 5", "10 3 1", "10 1 -1", "-5 1 1", "ten 1 1", "10 1.5 1",
                             "10 1 1x", "restart now", "1e3 1 1"}) {
        try {
            ParseReplayLine(line);
            ADD_FAILURE() << "accepted: " << line;
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find(line), std::string::npos) << e.what();
        }
    }
}

} // namespace
