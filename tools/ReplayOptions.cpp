#include "tools/ReplayOptions.h"

#include "simulation/WindSettings.h"
#include "simulation/helm/HelmSkill.h"

#include <charconv>
#include <cstdint>
#include <sstream>
#include <stdexcept>

namespace {

// The whole text as a whole number within lowest..highest, or false.
bool WholeNumber(const std::string& text, long lowest, long highest, long& value)
{
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && at == end && !text.empty() && value >= lowest && value <= highest;
}

std::string Range(long lowest, long highest)
{
    return std::to_string(lowest) + ".." + std::to_string(highest);
}

long OptionValue(const std::string& option, const std::string& text, long lowest, long highest)
{
    long value = 0;
    if (!WholeNumber(text, lowest, highest, value))
        throw std::invalid_argument(option + " needs a whole number " + Range(lowest, highest) + ", not '" + text +
                                    "'");
    return value;
}

std::string WithoutTrailingSpace(const std::string& line)
{
    const size_t end = line.find_last_not_of(" \t\r");
    return end == std::string::npos ? std::string() : line.substr(0, end + 1);
}

} // namespace

TReplayOptions ParseReplayOptions(const std::vector<std::string>& args)
{
    TReplayOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--debug" || option == "--digests") {
            (option == "--debug" ? options.Debug : options.Digests) = true;
            continue;
        }
        if (option != "--time-of-day" && option != "--wind-speed" && option != "--variation" &&
            option != "--sync-test")
            throw std::invalid_argument("unknown option '" + option + "'");
        if (i + 1 == args.size())
            throw std::invalid_argument(option + " needs a value");
        const std::string& text = args[++i];
        if (option == "--time-of-day")
            options.TimeOfDay = static_cast<uint32_t>(OptionValue(option, text, 0, 24L * 60 * 60 * 1000 - 1));
        else if (option == "--sync-test")
            options.SyncTest = static_cast<uint32_t>(OptionValue(option, text, 0, UINT32_MAX));
        else if (option == "--wind-speed")
            options.WindSpeed =
                static_cast<int32_t>(OptionValue(option, text, TWindSettings::MinSpeed, TWindSettings::MaxSpeed));
        else
            options.Variation = static_cast<int32_t>(
                OptionValue(option, text, TWindSettings::MinVariation, TWindSettings::MaxVariation));
    }
    return options;
}

TReplayLine ParseReplayLine(const std::string& raw)
{
    const std::string line = WithoutTrailingSpace(raw);
    TReplayLine out;
    if (line.empty() || line[0] == '#')
        return out;
    static const struct {
        const char* Word;
        TReplayLine::TKind Kind;
    } words[] = {{"restart", TReplayLine::Restart}, {"pause", TReplayLine::Pause},
                 {"resume", TReplayLine::Resume},   {"inactive", TReplayLine::Inactive},
                 {"active", TReplayLine::Active},   {"free", TReplayLine::Free}};
    for (const auto& w : words)
        if (line == w.Word) {
            out.Kind = w.Kind;
            return out;
        }

    std::istringstream in(line);
    std::string first, second, third, fourth, rest;
    in >> first >> second >> third >> fourth >> rest;
    const auto refuse = [&raw](const char* expected) {
        return std::invalid_argument("bad line '" + raw + "': expected " + expected);
    };
    if (first == "wait") {
        if (!third.empty() || !WholeNumber(second, 0, 86400000L, out.Milliseconds))
            throw refuse("wait <milliseconds 0..86400000>");
        out.Kind = TReplayLine::Wait;
        return out;
    }
    long a = 0, b = 0, c = 0;
    if (first == "race-clock") {
        if (!third.empty() || !WholeNumber(second, 0, 86399999L, a))
            throw refuse("race-clock <milliseconds of day 0..86399999>");
        out.Kind = TReplayLine::RaceClock;
        out.Milliseconds = a;
        return out;
    }
    if (first == "wind") {
        using W = TWindSettings;
        static const std::string expected = "wind <direction " + Range(W::MinDirection, W::MaxDirection) +
                                            "> <variation " + Range(W::MinVariation, W::MaxVariation) +
                                            "> <speed " + Range(W::MinSpeed, W::MaxSpeed) + ">";
        if (!rest.empty() || !WholeNumber(second, W::MinDirection, W::MaxDirection, a) ||
            !WholeNumber(third, W::MinVariation, W::MaxVariation, b) || !WholeNumber(fourth, W::MinSpeed, W::MaxSpeed, c))
            throw refuse(expected.c_str());
        out.Kind = TReplayLine::Wind;
        out.Settings = {static_cast<int32_t>(a), static_cast<int32_t>(b), static_cast<int32_t>(c)};
        return out;
    }
    if (first == "regatta") {
        using R = TRegattaSettings;
        static const std::string expected = "regatta <laps " + Range(R::MinLaps, R::MaxLaps) + "> <classic|penalties>";
        if (!fourth.empty() || !WholeNumber(second, R::MinLaps, R::MaxLaps, a) ||
            (third != "classic" && third != "penalties"))
            throw refuse(expected.c_str());
        out.Kind = TReplayLine::Regatta;
        out.RegattaSettings = {static_cast<int32_t>(a), third == "classic" ? TRegattaRules::Classic : TRegattaRules::Penalties};
        return out;
    }
    if (first == "helm") {
        using S = THelmSkill;
        static const std::string expected =
            "helm <green|red> <player|computer SKILL " + Range(S::Lowest, S::Highest) + ">";
        const bool player = third == "player" && fourth.empty();
        const bool computer = third == "computer" && rest.empty() && WholeNumber(fourth, S::Lowest, S::Highest, a);
        if ((second != "green" && second != "red") || (!player && !computer))
            throw refuse(expected.c_str());
        out.Kind = TReplayLine::Helm;
        out.HelmPlayer = second == "green" ? TPlayer::Green : TPlayer::Red;
        if (computer)
            out.HelmSkill = static_cast<int32_t>(a);
        return out;
    }
    if (!fourth.empty() || !WholeNumber(first, 0, 1000000000L, a) || !WholeNumber(second, 0, 2, b) ||
        !WholeNumber(third, 0, 2, c) || !TillerFromNumber(b, out.Green) || !TillerFromNumber(c, out.Red))
        throw refuse("<ticks 0..1000000000> <green tiller 0..2> <red tiller 0..2>");
    out.Kind = TReplayLine::Stretch;
    out.Ticks = a;
    return out;
}
