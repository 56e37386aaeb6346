// What the other machine sends, as the online race takes it in: opened as from a sealed peer and decoded by
// the one decoder, what passes shown to the host's door as from one of several callers and handed to the
// lockstep. A message that decodes must encode to the very same bytes (but an older program's hello), no
// stretch of records may be taken beyond the window, and nobody takes the seat without proving the code.
#include "fuzz/FuzzTargets.h"
#include "network/HostDoor.h"
#include "network/Messages.h"
#include "network/PeerSeals.h"
#include "network/TickRecords.h"

#include <cstring>

namespace {

// A link that only notes what the door does with it.
class TNotingLink final : public INetLink {
public:
    void Service(const THandler&) override {}
    void Send(TNetPeer, const TMessage& message, bool) override
    {
        Welcomed = Welcomed || std::holds_alternative<TWelcome>(message);
    }
    void Disconnect(TNetPeer) override {}
    void DisconnectNow(TNetPeer) override {}
    void Flush() override {}
    void Seal(TNetPeer, const TSessionKeys&) override {}
    uint32_t Address(TNetPeer peer) const override { return 0xC0000200u | static_cast<uint32_t>(peer); }
    uint16_t Port() const override { return 1; }
    int64_t Dropped() const override { return 0; }
    int64_t Rejected() const override { return 0; }
    int64_t BytesSent() const override { return 0; }
    int64_t BytesReceived() const override { return 0; }
    int64_t PacketsSent() const override { return 0; }
    int64_t PacketsReceived() const override { return 0; }
    bool Welcomed = false;
};

} // namespace

int FuzzNetMessage(const uint8_t* data, size_t size)
{
    TTickRecords records(TTickRecords::DefaultDelay);
    TPeerSeals seals;
    const auto sealed = static_cast<TNetPeer>(9);
    seals.Seal(sealed, TRaceKey("K7P-2QX").Keys(true, TNonce{}, TNonce{}));
    TNotingLink link;
    THostDoor door(link, "K7P-2QX", false, "1.0", 0);
    uint32_t now = 0;
    for (uint32_t peer = 1; peer <= 3; ++peer)
        door.Connected(static_cast<TNetPeer>(peer), now);
    // The bytes may hold several messages, each led by its length in two bytes, low byte first.
    size_t at = 0;
    while (at + 2 <= size) {
        const size_t length = data[at] | (size_t{data[at + 1]} << 8);
        at += 2;
        const size_t take = length < size - at ? length : size - at;
        std::optional<TMessage> opened;
        if (seals.Open(sealed, data + at, take, opened) == TPeerSeals::TOpened::Taken)
            FuzzFault("a packet without the session's tag was taken");
        const std::optional<TMessage> message = DecodeMessage(data + at, take);
        if (message) {
            TMessageBytes again;
            const size_t encoded = EncodeMessage(*message, again);
            const auto* hello = std::get_if<THello>(&*message);
            const bool older = hello != nullptr && hello->Protocol < ProtocolVersion;
            if (!older && (encoded != take || std::memcmp(again.data(), data + at, take) != 0))
                FuzzFault("a decoded message does not encode to its own bytes");
            now += 700;
            door.Received(static_cast<TNetPeer>(1 + take % 3), *message, now);
            door.Service(now);
            if (link.Welcomed)
                FuzzFault("a caller was welcomed without proving the code");
            if (const auto* inputs = std::get_if<TInputs>(&*message)) {
                records.Received(*inputs);
                if (records.ReceivedThrough() > records.Settled() + TTickRecords::Window)
                    FuzzFault("records taken beyond the window");
                // Run and settle what came, as a race would.
                records.MakeFor(records.ReceivedThrough());
                if (records.Remote(records.ReceivedThrough()) == nullptr && records.ReceivedThrough() > records.Settled())
                    FuzzFault("a record counted as here is missing");
                records.Settle(records.ReceivedThrough());
            }
        }
        at += take;
    }
    return 0;
}
