#include "tools/LossyProxy.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

namespace {

int LoopbackSocket(uint16_t port)
{
    const int s = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
    if (s < 0)
        throw std::runtime_error("socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(s);
        throw std::runtime_error("bind");
    }
    return s;
}

} // namespace

TLossyProxy::TLossyProxy(IClock& clock, uint16_t hostPort, TFaults faults, uint32_t seed, uint16_t listenPort)
    : FClock(clock), FLastReading(clock.Milliseconds()), FFaults(faults), FRandom(seed)
{
    FFront = LoopbackSocket(listenPort);
    FBack = LoopbackSocket(0);
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    getsockname(FFront, reinterpret_cast<sockaddr*>(&bound), &length);
    FPort = ntohs(bound.sin_port);
    FHost.sin_family = AF_INET;
    FHost.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    FHost.sin_port = htons(hostPort);
}

TLossyProxy::~TLossyProxy()
{
    close(FFront);
    close(FBack);
}

int64_t TLossyProxy::Now()
{
    // Each reading moves on by the difference modulo 2^32, so the counter's wrap does not show.
    const uint32_t now = FClock.Milliseconds();
    FElapsed += now - FLastReading;
    FLastReading = now;
    return FElapsed;
}

void TLossyProxy::Schedule(bool toHost, const std::vector<uint8_t>& bytes)
{
    std::uniform_int_distribution<int> jitter(-FFaults.JitterMilliseconds, FFaults.JitterMilliseconds);
    const int delay = FFaults.DelayMilliseconds + jitter(FRandom);
    FLine.push({Now() + delay, FSequence++, toHost, bytes});
}

void TLossyProxy::Take(int socket, bool toHost)
{
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    for (;;) {
        std::vector<uint8_t> bytes(2048);
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const ssize_t n = recvfrom(socket, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&from), &length);
        if (n < 0)
            return;
        bytes.resize(static_cast<size_t>(n));
        if (toHost) {
            FJoiner = from;
            FJoinerKnown = true;
        }
        if (FCut || chance(FRandom) < FFaults.Drop) {
            ++FDropped;
            continue;
        }
        Schedule(toHost, bytes);
        if (chance(FRandom) < FFaults.Duplicate) {
            ++FDuplicated;
            Schedule(toHost, bytes);
        }
    }
}

void TLossyProxy::Pump()
{
    Take(FFront, true);
    Take(FBack, false);
    const int64_t now = Now();
    while (!FLine.empty() && FLine.top().Due <= now) {
        const TPacket& packet = FLine.top();
        int64_t& last = FLastDelivered[packet.ToHost ? 1 : 0];
        if (packet.Sequence < last)
            ++FReordered;
        last = std::max(last, packet.Sequence);
        if (!FCut) {
            if (packet.ToHost)
                sendto(FBack, packet.Bytes.data(), packet.Bytes.size(), 0, reinterpret_cast<const sockaddr*>(&FHost),
                       sizeof FHost);
            else if (FJoinerKnown)
                sendto(FFront, packet.Bytes.data(), packet.Bytes.size(), 0,
                       reinterpret_cast<const sockaddr*>(&FJoiner), sizeof FJoiner);
            ++FForwarded;
        }
        FLine.pop();
    }
}
