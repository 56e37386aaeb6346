#pragma once
// What two copies of the program say to each other in an online race. Every message has a fixed largest
// size; DecodeMessage is the one way in from the network and checks every field.
#include "network/RaceKeys.h"
#include "simulation/Tiller.h"
#include "simulation/regatta/RegattaSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

// Raised with each incompatible change of the messages or of what a race shares.
constexpr uint16_t ProtocolVersion = 4;
// Room for a version text such as "1.0" or "1.10.2-rc1"; shorter ones are padded with zero bytes.
constexpr size_t VersionLength = 16;
using TVersionText = std::array<char, VersionLength>;

// What one player does in one processed tick. Commands ride in the tick stream, so both machines apply
// them before (restart, wind, regatta, free sailing) or after (pause) the same tick.
struct TTickRecord {
    enum TCommand : uint8_t { None = 0, Restart = 1, Wind = 2, Pause = 3, Regatta = 4, Free = 5 };
    TTiller Tiller = TTiller::Amidships;
    TCommand Command = None;
    // The settings dialog's values, for Wind only.
    int16_t WindDirection = 0;
    int16_t WindVariation = 0;
    int16_t WindSpeed = 0;
    // The regatta dialog's values, for Regatta only; on the wire in the place of the wind's.
    TRegattaSettings RegattaSettings{0, TRegattaRules::Classic};
    friend bool operator==(const TTickRecord&, const TTickRecord&) = default;
};

// At most this many tick records travel in one message, and this many ticks of both players to a spectator.
constexpr size_t MaxRecordsPerMessage = 32;
constexpr size_t MaxWatchedTicksPerMessage = 16;
// Ticks are counted in 31 bits on the wire: more than a year of racing at 60 a second.
constexpr uint32_t MaxTick = 0x7fffffff;

// The joiner introduces itself, with its half of the handshake's nonces, and whether it comes to race or to
// watch. An older program's hello (protocol 2 without the nonce, 3 without the wish to watch) still decodes,
// so that it can be refused by its version.
struct THello {
    uint16_t Protocol = ProtocolVersion;
    TVersionText Version{};
    TNonce Nonce{};
    bool Watch = false;
};
// The host's half of the nonces; the joiner answers with a proof that it knows the code.
struct TChallenge {
    TNonce Nonce{};
    // False for an open race: the joiner proves the empty code.
    bool CodeRequired = true;
};
struct TProofOfCode {
    TProof Proof{};
};
// The host takes the joiner: the race's time of day (its random seed), the host's version, and its own proof
// that it knows the code. Every message after this one, either way, carries a tag.
struct TWelcome {
    uint32_t TimeOfDay = 0;
    TVersionText Version{};
    TProof Proof{};
};
// The host turns a joiner away.
struct TRefusal {
    enum TReason : uint8_t { RaceFull = 1, OtherVersion = 2, WrongCode = 3, EnoughSpectators = 4 };
    TReason Reason = RaceFull;
    TVersionText Version{};
};
// A stretch of the sender's tick records, how far the sender has the receiver's records without a gap, the
// sender's processed ticks when sent, and how many ticks the sender reckons itself ahead of the receiver.
struct TInputs {
    uint32_t FirstTick = 1;
    uint8_t Count = 0;
    std::array<TTickRecord, MaxRecordsPerMessage> Records{};
    uint32_t ReceivedThrough = 0;
    uint32_t Tick = 0;
    int8_t Ahead = 0;
};
// The host to a spectator: a stretch of settled ticks with both players' records, green's first, and the
// last tick the host has settled (live).
struct TWatchTicks {
    uint32_t FirstTick = 1;
    uint8_t Count = 0;
    std::array<std::array<TTickRecord, 2>, MaxWatchedTicksPerMessage> Records{};
    uint32_t Live = 0;
};
// A spectator to the host: it has the ticks without a gap up to this one.
struct TWatched {
    uint32_t Through = 0;
};
// The sender resumed the race that both paused after the given tick.
struct TResume {
    uint32_t Tick = 0;
};
// The sender's race state and frame after the given tick.
struct TDigest {
    uint32_t Tick = 0;
    uint64_t State = 0;
    uint64_t Frame = 0;
};
// The sender's window lost or regained the focus.
struct TFocus {
    bool Active = true;
};
// A round-trip probe and its answer, carrying the sender's millisecond stamp.
struct TPing {
    uint32_t Stamp = 0;
};
struct TPong {
    uint32_t Stamp = 0;
};

using TMessage = std::variant<THello, TWelcome, TRefusal, TInputs, TResume, TDigest, TFocus, TPing, TPong, TChallenge,
                              TProofOfCode, TWatchTicks, TWatched>;

// The longest message: a full stretch of inputs.
constexpr size_t MaxMessageSize = 1 + 4 + 1 + MaxRecordsPerMessage * 8 + 4 + 4 + 1;
using TMessageBytes = std::array<uint8_t, MaxMessageSize>;
// What goes over the line: a message and, once the handshake is done, its tag.
constexpr size_t MaxPacketSize = MaxMessageSize + TagSize;
using TPacketBytes = std::array<uint8_t, MaxPacketSize>;

// The bytes of a message; returns how many of out it used.
size_t EncodeMessage(const TMessage& message, TMessageBytes& out);
// The message in the bytes, or nothing when any field is out of its range, the size is not the kind's exact
// size, or the kind is unknown.
std::optional<TMessage> DecodeMessage(const uint8_t* data, size_t size);

// A version text from a string, cut to VersionLength, and back.
TVersionText MakeVersionText(const std::string& text);
std::string VersionString(const TVersionText& version);
