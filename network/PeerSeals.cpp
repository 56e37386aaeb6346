#include "network/PeerSeals.h"

#include <algorithm>
#include <cstring>

void TPeerSeals::Seal(TNetPeer peer, const TSessionKeys& keys)
{
    Forget(peer);
    FSealed.push_back({peer, keys});
}

void TPeerSeals::Forget(TNetPeer peer)
{
    std::erase_if(FSealed, [peer](const TSealed& sealed) { return sealed.Peer == peer; });
}

const TSessionKeys* TPeerSeals::Find(TNetPeer peer) const
{
    const auto found = std::find_if(FSealed.begin(), FSealed.end(), [peer](const TSealed& s) { return s.Peer == peer; });
    return found != FSealed.end() ? &found->Keys : nullptr;
}

size_t TPeerSeals::Pack(TNetPeer peer, const TMessage& message, TPacketBytes& out) const
{
    TMessageBytes bytes;
    const size_t size = EncodeMessage(message, bytes);
    std::copy_n(bytes.begin(), size, out.begin());
    const TSessionKeys* keys = Find(peer);
    if (keys == nullptr)
        return size;
    const TTag tag = MessageTag(keys->Send, bytes.data(), size);
    std::copy(tag.begin(), tag.end(), out.begin() + static_cast<std::ptrdiff_t>(size));
    return size + TagSize;
}

std::optional<TMessage> TPeerSeals::Take(TNetPeer peer, const uint8_t* data, size_t size)
{
    std::optional<TMessage> message;
    const TOpened opened = Open(peer, data, size, message);
    if (opened == TOpened::BadTag)
        ++FRejected;
    else if (opened == TOpened::Undecodable)
        ++FUndecodable;
    return message;
}

TPeerSeals::TOpened TPeerSeals::Open(TNetPeer peer, const uint8_t* data, size_t size,
                                     std::optional<TMessage>& message) const
{
    const TSessionKeys* keys = Find(peer);
    if (keys != nullptr) {
        if (data == nullptr || size <= TagSize)
            return TOpened::BadTag;
        size -= TagSize;
        TTag tag;
        std::memcpy(tag.data(), data + size, TagSize);
        if (!SameTag(tag, MessageTag(keys->Receive, data, size)))
            return TOpened::BadTag;
    }
    message = DecodeMessage(data, size);
    return message ? TOpened::Taken : TOpened::Undecodable;
}
