#pragma once
// The keys of a race made from its code with libsodium: the joiner proves that it knows the code by answering
// the host's challenge, without sending it; the host proves the same in its welcome; after that every message
// carries a short tag keyed by the session's keys, one for each way, so that nothing from anyone else is taken.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

constexpr size_t NonceSize = 16;
constexpr size_t ProofSize = 16;
constexpr size_t TagKeySize = 16;
constexpr size_t TagSize = 8;
using TNonce = std::array<uint8_t, NonceSize>;
using TProof = std::array<uint8_t, ProofSize>;
using TTagKey = std::array<uint8_t, TagKeySize>;
using TTag = std::array<uint8_t, TagSize>;

// The keys of one connection as one side sees them.
struct TSessionKeys {
    TTagKey Send{};
    TTagKey Receive{};
};

// A fresh nonce from the system's random source.
TNonce NewNonce();

// The key made from a race code (its written form; empty for an open race).
class TRaceKey {
public:
    explicit TRaceKey(const std::string& code);

    // The joiner's answer to the host's challenge, and the host's to the joiner's.
    TProof JoinerProof(const TNonce& hostNonce, const TNonce& joinerNonce) const;
    TProof HostProof(const TNonce& hostNonce, const TNonce& joinerNonce) const;
    TSessionKeys Keys(bool host, const TNonce& hostNonce, const TNonce& joinerNonce) const;

private:
    std::array<uint8_t, 32> FKey{};
};

// Compared in constant time.
bool SameProof(const TProof& a, const TProof& b);
bool SameTag(const TTag& a, const TTag& b);
TTag MessageTag(const TTagKey& key, const uint8_t* bytes, size_t size);
