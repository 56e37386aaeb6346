#pragma once
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// The command line of an online race: "--host [PORT]" waits for one other player, "--join [HOST[:PORT]]"
// joins one, "--watch [HOST[:PORT]]" watches its race (for both, without an address or without a code the
// program asks), "--record FILE" keeps the race as a replay script. "--code CODE" is the race code (the host's instead of a random one, or the one the joiner
// was given); the host's "--open" takes anyone without a code, its "--no-port-mapping" leaves the router alone.
struct TOnlineOptions {
    enum TRole { Local, Host, Join, Watch } Role = Local;
    uint16_t Port = 0;
    // Join and Watch: the host's name or address with an optional ":PORT"; empty asks the player.
    std::string Address;
    std::string RecordPath;
    // The code in its written form ("K7P-2QX"); empty when not given.
    std::string Code;
    bool Open = false;
    bool PortMapping = true;
};

// Raises std::invalid_argument with a message for the player: an unknown option, a bad port, a bad code,
// "--record" without a file or without a race to record, more than one of "--host", "--join" and "--watch",
// "--open" with a code or without "--host", "--no-port-mapping" without "--host", "--code" without a race.
TOnlineOptions ParseOnlineOptions(const std::vector<std::string>& args);
