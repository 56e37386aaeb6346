// What the other machine sends, as the online race takes it in: decoded by the one decoder, and what passes
// handed to the lockstep. A message that decodes must encode to the very same bytes, and no stretch of
// records may be taken beyond the window.
#include "fuzz/FuzzTargets.h"
#include "network/Lockstep.h"
#include "network/Messages.h"

#include <cstring>

int FuzzNetMessage(const uint8_t* data, size_t size)
{
    TLockstep lockstep(2);
    // The bytes may hold several messages, each led by its length in two bytes, low byte first.
    size_t at = 0;
    while (at + 2 <= size) {
        const size_t length = data[at] | (size_t{data[at + 1]} << 8);
        at += 2;
        const size_t take = length < size - at ? length : size - at;
        const std::optional<TMessage> message = DecodeMessage(data + at, take);
        if (message) {
            TMessageBytes again;
            const size_t encoded = EncodeMessage(*message, again);
            if (encoded != take || std::memcmp(again.data(), data + at, take) != 0)
                FuzzFault("a decoded message does not encode to its own bytes");
            if (const auto* inputs = std::get_if<TInputs>(&*message)) {
                lockstep.Received(*inputs);
                if (lockstep.ReceivedThrough() >= lockstep.NextTick() + TLockstep::Window)
                    FuzzFault("records taken beyond the window");
                while (lockstep.Ready())
                    lockstep.Take();
            }
        }
        at += take;
    }
    return 0;
}
