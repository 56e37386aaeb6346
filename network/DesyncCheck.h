#pragma once
#include "network/Messages.h"

#include <array>
#include <cstdint>
#include <optional>

// Compares the digests both sides take every second. Each side's digest waits in a small ring until the
// other's for the same tick arrives; a digest that finds no partner in time is let go unchecked.
class TDesyncCheck {
public:
    // Digests are taken after every tick that is a multiple of this.
    static constexpr int64_t Every = 60;

    // The first tick whose two digests differ, once one is known.
    std::optional<int64_t> Mismatch() const { return FMismatch; }
    void Own(const TDigest& digest) { Add(FOwn, FRemote, digest); }
    void Remote(const TDigest& digest) { Add(FRemote, FOwn, digest); }
    // Pairs compared and found equal.
    int64_t Matched() const { return FMatched; }

private:
    static constexpr size_t Slots = 16;
    using TRing = std::array<std::optional<TDigest>, Slots>;
    void Add(TRing& mine, TRing& theirs, const TDigest& digest);

    TRing FOwn{};
    TRing FRemote{};
    std::optional<int64_t> FMismatch;
    int64_t FMatched = 0;
};
