#pragma once
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// The command line of an online race: "--host [PORT]" waits for one other player, "--join [HOST[:PORT]]"
// joins one (without an address the program asks for it), "--record FILE" keeps the race as a replay script.
struct TOnlineOptions {
    enum TRole { Local, Host, Join } Role = Local;
    uint16_t Port = 0;
    // Join: the host's name or address with an optional ":PORT"; empty asks the player.
    std::string Address;
    std::string RecordPath;
};

// Raises std::invalid_argument with a message for the player: an unknown option, a bad port, "--record"
// without a file or without a race to record, both "--host" and "--join".
TOnlineOptions ParseOnlineOptions(const std::vector<std::string>& args);
