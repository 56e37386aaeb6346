#include "app/OnlineOptions.h"

#include "network/EnetLink.h"
#include "network/RaceCode.h"

TOnlineOptions ParseOnlineOptions(const std::vector<std::string>& args)
{
    TOnlineOptions options;
    const auto takesValue = [&args](size_t i) { return i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0; };
    const auto setRole = [&options](TOnlineOptions::TRole role) {
        if (options.Role != TOnlineOptions::Local)
            throw std::invalid_argument("--host, --join und --watch schließen einander aus");
        options.Role = role;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--host") {
            setRole(TOnlineOptions::Host);
            options.Port = DefaultPort;
            if (takesValue(i)) {
                try {
                    options.Port = ParsePort(args[++i]);
                } catch (const ENetStartError&) {
                    throw std::invalid_argument("Ungültiger Port: " + args[i]);
                }
            }
        } else if (arg == "--join" || arg == "--watch") {
            setRole(arg == "--join" ? TOnlineOptions::Join : TOnlineOptions::Watch);
            if (takesValue(i))
                options.Address = args[++i];
        } else if (arg == "--code") {
            if (!takesValue(i))
                throw std::invalid_argument("--code braucht einen Code wie K7P-2QX");
            const std::optional<std::string> code = ParseRaceCode(args[++i]);
            if (!code)
                throw std::invalid_argument("Ungültiger Code: " + args[i] + " (sechs Zeichen wie K7P-2QX)");
            options.Code = *code;
        } else if (arg == "--open") {
            options.Open = true;
        } else if (arg == "--no-port-mapping") {
            options.PortMapping = false;
        } else if (arg == "--record") {
            if (!takesValue(i))
                throw std::invalid_argument("--record braucht einen Dateinamen");
            options.RecordPath = args[++i];
        } else if (arg.rfind("--", 0) == 0) {
            throw std::invalid_argument("Unbekannte Option: " + arg);
        }
    }
    if (!options.RecordPath.empty() && options.Role == TOnlineOptions::Local)
        throw std::invalid_argument("--record gilt nur mit --host, --join oder --watch");
    if (!options.Code.empty() && options.Role == TOnlineOptions::Local)
        throw std::invalid_argument("--code gilt nur mit --host, --join oder --watch");
    if (options.Open && options.Role != TOnlineOptions::Host)
        throw std::invalid_argument("--open gilt nur mit --host");
    if (options.Open && !options.Code.empty())
        throw std::invalid_argument("--open und --code schließen einander aus: ein offenes Rennen hat keinen Code");
    if (!options.PortMapping && options.Role != TOnlineOptions::Host)
        throw std::invalid_argument("--no-port-mapping gilt nur mit --host");
    return options;
}
