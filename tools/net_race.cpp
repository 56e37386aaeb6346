// One machine of an online race over ENet without a window, in real time, its dinghy steered by a fixed
// tiller pattern, for trying races through real networks:
//   net_race --host [PORT] [--code CODE | --open] [--no-port-mapping] [--ticks N]
//   net_race --join HOST[:PORT] [--code CODE] [--ticks N]
// Prints one line each: on the host how the router forwards the port and the race code; on both the
// milliseconds until the first tick the two machines ran together and every 60th tick's digests. Exits 0 once
// both machines have run N ticks (600 unless told), 1 when the race ends otherwise ("ended: KIND"), 2 on a bad
// command line or a port it cannot have, 3 when stopped by SIGINT or SIGTERM (the port mapping removed).
#include "network/EnetLink.h"
#include "network/NetRace.h"
#include "network/PortMapping.h"
#include "network/RaceCode.h"
#include "platform/SystemClock.h"
#include "simulation/RaceDigest.h"
#include "simulation/headless/HeadlessGame.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

// Past the longest input delay: a machine this far beyond N knows the other has run N.
constexpr int64_t TicksBeyond = 30;
constexpr int64_t TillerPeriod = 40;
constexpr int64_t PrintEvery = 60;

volatile std::sig_atomic_t Stopped = 0;

struct TOptions {
    bool Host = false;
    uint16_t Port = DefaultPort;
    std::string JoinHost;
    std::string Code;
    bool Open = false;
    bool PortMapping = true;
    int64_t Ticks = 600;
};

TOptions ReadOptions(int argc, char** argv)
{
    TOptions options;
    bool joins = false;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        const bool valued = i + 1 < argc && argv[i + 1][0] != '-';
        if (name == "--host") {
            options.Host = true;
            if (valued)
                options.Port = ParsePort(argv[++i]);
        } else if (name == "--join" && valued) {
            joins = true;
            SplitHostPort(argv[++i], options.JoinHost, options.Port);
        } else if (name == "--code" && valued) {
            const std::optional<std::string> code = ParseRaceCode(argv[++i]);
            if (!code)
                throw std::invalid_argument("not a race code: " + std::string(argv[i]));
            options.Code = *code;
        } else if (name == "--open") {
            options.Open = true;
        } else if (name == "--no-port-mapping") {
            options.PortMapping = false;
        } else if (name == "--ticks" && valued) {
            options.Ticks = std::stoll(argv[++i]);
        } else {
            throw std::invalid_argument("unknown option " + name);
        }
    }
    if (options.Host == joins || (options.Open && (!options.Code.empty() || joins)) || options.Ticks <= 0)
        throw std::invalid_argument("usage: net_race --host [PORT] [--code CODE | --open] [--no-port-mapping] "
                                    "[--ticks N] | --join HOST[:PORT] [--code CODE] [--ticks N]");
    return options;
}

void Say(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

const char* EndName(TNetEnd::TKind kind)
{
    switch (kind) {
    case TNetEnd::PeerLeft: return "peer-left";
    case TNetEnd::PeerLost: return "peer-lost";
    case TNetEnd::Desync: return "desync";
    case TNetEnd::RaceFull: return "race-full";
    case TNetEnd::OtherVersion: return "other-version";
    case TNetEnd::NoAnswer: return "no-answer";
    case TNetEnd::WrongCode: return "wrong-code";
    case TNetEnd::EnoughSpectators: return "enough-spectators";
    }
    return "unknown";
}

std::string MappingLine(const TPortMappingState& state)
{
    if (state.Kind != TPortMappingState::Mapped)
        return "port-mapping: none forward-udp-port " + std::to_string(state.LocalPort);
    const std::string address = state.ExternalAddress.empty() ? "unknown" : state.ExternalAddress;
    return std::string("port-mapping: ") + (state.Protocol == TPortMappingState::NatPmp ? "natpmp " : "upnp ") +
           address + ":" + std::to_string(state.ExternalPort);
}

// The line both machines print for the same tick: equal lines, the same race.
void PrintTick(const TDigest& digest)
{
    char line[96];
    std::snprintf(line, sizeof line, "tick %lld state %016llx frame %016llx", static_cast<long long>(digest.Tick),
                  static_cast<unsigned long long>(digest.State), static_cast<unsigned long long>(digest.Frame));
    Say(line);
}

struct TListener : INetRaceListener {
    void NetStatusChanged(TNetStatus) override {}
    void NetPausedChanged(bool) override {}
    void NetRaceEnded(const TNetEnd& end) override { Ended = end; }
    std::optional<TNetEnd> Ended;
};

int Race(const TOptions& options)
{
    using TWall = std::chrono::steady_clock;
    const TWall::time_point began = TWall::now();
    const auto elapsed = [&] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(TWall::now() - began).count();
    };

    std::unique_ptr<TEnetLink> link =
        options.Host ? TEnetLink::Host(options.Port) : TEnetLink::Join(options.JoinHost, options.Port);
    std::optional<TPortMapper> mapper;
    bool mappingTold = false;
    if (options.Host && options.PortMapping)
        mapper.emplace(link->Port());
    else if (options.Host) {
        Say(MappingLine({TPortMappingState::NoRouter, TPortMappingState::None, {}, 0, link->Port()}));
        mappingTold = true;
    }
    TNetRace::TOptions raceOptions;
    raceOptions.Version = "net_race";
    raceOptions.TimeOfDay = TSystemClock().MillisecondsOfDay();
    raceOptions.Open = options.Open;
    raceOptions.Code = options.Host && !options.Open && options.Code.empty() ? NewRaceCode() : options.Code;
    if (options.Host)
        Say("code: " + (options.Open ? std::string("open") : raceOptions.Code));

    THeadlessGame game(false, raceOptions.TimeOfDay);
    TListener listener;
    TNetRace net(game.Session, game.Application, game.Clock, std::move(link), options.Host, raceOptions, listener);
    int64_t together = 0;
    net.OnTick = [&](const TDigest& digest) {
        if (++together == 1)
            Say("first-shared-tick-ms: " + std::to_string(elapsed()));
        if (together % TillerPeriod == 1) {
            constexpr TTiller pattern[] = {TTiller::Port, TTiller::Amidships, TTiller::Starboard, TTiller::Amidships};
            net.SetTiller(net.LocalPlayer(), pattern[(together / TillerPeriod + (options.Host ? 0 : 1)) % 4]);
        }
        if (together % PrintEvery == 0 && together <= options.Ticks)
            PrintTick(digest);
    };

    // The game's clock follows the wall's: idle passes (each a millisecond, or a tick up to the next vertical
    // blank) until it has caught up, then a millisecond's sleep.
    const uint32_t offset = game.Clock.Milliseconds();
    while (Stopped == 0) {
        while (static_cast<int32_t>(game.Clock.Milliseconds() - offset - static_cast<uint32_t>(elapsed())) <= 0) {
            net.Service();
            game.Idle();
        }
        if (mapper && !mappingTold && mapper->State().Kind != TPortMappingState::Asking) {
            Say(MappingLine(mapper->State()));
            mappingTold = true;
        }
        if (together >= options.Ticks + TicksBeyond) {
            Say("rejected: " + std::to_string(net.Rejected()));
            return 0;
        }
        if (listener.Ended) {
            Say("rejected: " + std::to_string(net.Rejected()));
            // The other went first, having run far enough for both.
            if (listener.Ended->Kind == TNetEnd::PeerLeft && together >= options.Ticks)
                return 0;
            Say(std::string("ended: ") + EndName(listener.Ended->Kind));
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 3;
}

} // namespace

int main(int argc, char** argv)
{
    std::signal(SIGINT, [](int) { Stopped = 1; });
    std::signal(SIGTERM, [](int) { Stopped = 1; });
    try {
        return Race(ReadOptions(argc, argv));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "net_race: %s\n", error.what());
        return 2;
    }
}
