#include "tools/ReplayOptions.h"

#include <charconv>
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

long OptionValue(const std::string& option, const std::string& text, long lowest, long highest)
{
    long value = 0;
    if (!WholeNumber(text, lowest, highest, value))
        throw std::invalid_argument(option + " needs a whole number " + std::to_string(lowest) + ".." +
                                    std::to_string(highest) + ", not '" + text + "'");
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
    for (size_t i = 0; i < args.size(); i += 2) {
        const std::string& option = args[i];
        if (option != "--time-of-day" && option != "--wind-speed" && option != "--variation")
            throw std::invalid_argument("unknown option '" + option + "'");
        if (i + 1 == args.size())
            throw std::invalid_argument(option + " needs a value");
        const std::string& text = args[i + 1];
        if (option == "--time-of-day")
            options.TimeOfDay = static_cast<uint32_t>(OptionValue(option, text, 0, 24L * 60 * 60 * 1000 - 1));
        else if (option == "--wind-speed")
            options.WindSpeed = static_cast<int32_t>(OptionValue(option, text, 1, 360));
        else
            options.Variation = static_cast<int32_t>(OptionValue(option, text, 0, 45));
    }
    return options;
}

TReplayLine ParseReplayLine(const std::string& raw)
{
    const std::string line = WithoutTrailingSpace(raw);
    TReplayLine out;
    if (line.empty() || line[0] == '#')
        return out;
    if (line == "restart") {
        out.Kind = TReplayLine::Restart;
        return out;
    }
    std::istringstream in(line);
    std::string ticks, green, red, rest;
    long t = 0, g = 0, r = 0;
    if (!(in >> ticks >> green >> red) || (in >> rest) || !WholeNumber(ticks, 0, 1000000000L, t) ||
        !WholeNumber(green, 0, 2, g) || !WholeNumber(red, 0, 2, r))
        throw std::invalid_argument("bad line '" + raw +
                                    "': expected <ticks 0..1000000000> <green tiller 0..2> <red tiller 0..2>");
    out.Kind = TReplayLine::Stretch;
    out.Ticks = t;
    out.Green = static_cast<int>(g);
    out.Red = static_cast<int>(r);
    return out;
}
