#include "drawing/Errors.h"

namespace {

std::string Replace(std::string text, const std::string& placeholder, const std::string& value)
{
    const auto at = text.find(placeholder);
    if (at != std::string::npos)
        text.replace(at, placeholder.size(), value);
    return text;
}

} // namespace

std::string FormatMessage(const std::string& format, const std::string& s)
{
    return Replace(format, "%s", s);
}

std::string FormatMessage(const std::string& format, long long d)
{
    return Replace(format, "%d", std::to_string(d));
}

std::string FormatMessage(const std::string& format, long long a, long long b, long long c)
{
    return Replace(Replace(Replace(format, "%d", std::to_string(a)), "%d", std::to_string(b)), "%d",
                   std::to_string(c));
}
