#pragma once
#include "platform/Clock.h"

#include <netinet/in.h>

#include <cstdint>
#include <queue>
#include <random>
#include <vector>

// A UDP relay on loopback between one joiner and a host, as a bad network would be: it drops, duplicates,
// delays with jitter (which reorders) and can cut the line altogether. Runs when pumped, on the test's thread.
class TLossyProxy {
public:
    struct TFaults {
        double Drop = 0.10;
        double Duplicate = 0.05;
        int DelayMilliseconds = 80;
        int JitterMilliseconds = 30;
    };
    // listenPort 0 takes any free port. Delays are measured on the clock, which must outlive the proxy.
    TLossyProxy(IClock& clock, uint16_t hostPort, TFaults faults, uint32_t seed, uint16_t listenPort = 0);
    ~TLossyProxy();
    TLossyProxy(const TLossyProxy&) = delete;
    TLossyProxy& operator=(const TLossyProxy&) = delete;

    // Where the joiner connects.
    uint16_t Port() const { return FPort; }
    // Moves what has arrived into the line and delivers what is due.
    void Pump();
    // From now on nothing gets through either way.
    void Cut() { FCut = true; }

    int64_t Forwarded() const { return FForwarded; }
    int64_t Dropped() const { return FDropped; }
    int64_t Duplicated() const { return FDuplicated; }
    int64_t Reordered() const { return FReordered; }

private:
    struct TPacket {
        // When it is delivered, in milliseconds since the proxy began.
        int64_t Due;
        int64_t Sequence;
        bool ToHost;
        std::vector<uint8_t> Bytes;
        bool operator>(const TPacket& other) const { return Due > other.Due; }
    };
    int64_t Now();
    void Take(int socket, bool toHost);
    void Schedule(bool toHost, const std::vector<uint8_t>& bytes);

    IClock& FClock;
    uint32_t FLastReading;
    int64_t FElapsed = 0;
    int FFront = -1; // the joiner's side
    int FBack = -1;  // towards the host
    uint16_t FPort = 0;
    sockaddr_in FHost{};
    sockaddr_in FJoiner{};
    bool FJoinerKnown = false;
    bool FCut = false;
    TFaults FFaults;
    std::mt19937 FRandom;
    std::priority_queue<TPacket, std::vector<TPacket>, std::greater<TPacket>> FLine;
    int64_t FSequence = 0;
    int64_t FLastDelivered[2] = {-1, -1};
    int64_t FForwarded = 0;
    int64_t FDropped = 0;
    int64_t FDuplicated = 0;
    int64_t FReordered = 0;
};
