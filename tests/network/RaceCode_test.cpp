// The race code as players type it, and the keys and tags made from it.
#include "network/PeerSeals.h"
#include "network/RaceCode.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(RaceCode, WhatAPlayerTypesIsReadAsTheCodeOrRefused)
{
    const struct {
        const char* Typed;
        const char* Read; // nullptr: refused
    } cases[] = {
        {"K7P-2QX", "K7P-2QX"},
        {"k7p2qx", "K7P-2QX"},
        {"  K7P - 2QX ", "K7P-2QX"},
        {"K-7-P-2-Q-X", "K7P-2QX"},
        {"", nullptr},
        {"K7P-2Q", nullptr},
        {"K7P-2QXA", nullptr},
        {"K0P-2QX", nullptr},   // a zero, not in the alphabet
        {"KOP-2QX", nullptr},   // nor the letter O
        {"K1P-2QX", nullptr},
        {"KIP-2QX", nullptr},
        {"K7P-ZQX", nullptr},
        {"K7P_2QX", nullptr},
        {"K7P-2Q\xc3\x84", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> read = ParseRaceCode(c.Typed);
        EXPECT_EQ(read.has_value(), c.Read != nullptr) << '"' << c.Typed << '"';
        if (read && c.Read != nullptr) {
            EXPECT_EQ(*read, c.Read) << '"' << c.Typed << '"';
        }
    }
}

TEST(RaceCode, NewCodesAreWrittenAsTheyAreReadAndDiffer)
{
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        const std::string code = NewRaceCode();
        ASSERT_EQ(ParseRaceCode(code), code);
        seen.insert(code);
    }
    EXPECT_GE(seen.size(), 199u);
}

TEST(RaceKeys, ProofsAndKeysDependOnTheCodeAndBothNonces)
{
    const TNonce host = NewNonce();
    const TNonce joiner = NewNonce();
    ASSERT_NE(host, joiner);
    const TRaceKey key("K7P-2QX");
    const TProof proof = key.JoinerProof(host, joiner);
    EXPECT_TRUE(SameProof(proof, TRaceKey("K7P-2QX").JoinerProof(host, joiner)));
    EXPECT_FALSE(SameProof(proof, TRaceKey("K7P-2QY").JoinerProof(host, joiner)));
    EXPECT_FALSE(SameProof(proof, TRaceKey("").JoinerProof(host, joiner)));
    EXPECT_FALSE(SameProof(proof, key.JoinerProof(joiner, host)));
    EXPECT_FALSE(SameProof(proof, key.JoinerProof(NewNonce(), joiner)));
    EXPECT_FALSE(SameProof(proof, key.HostProof(host, joiner))) << "the host's proof is no joiner's";

    const TSessionKeys hostKeys = key.Keys(true, host, joiner);
    const TSessionKeys joinerKeys = key.Keys(false, host, joiner);
    EXPECT_EQ(hostKeys.Send, joinerKeys.Receive);
    EXPECT_EQ(hostKeys.Receive, joinerKeys.Send);
    EXPECT_NE(hostKeys.Send, hostKeys.Receive) << "a message cannot be sent back to its sender";
}

TEST(PeerSeals, ASealedPeerTakesOnlyMessagesWithItsTag)
{
    const TRaceKey key("K7P-2QX");
    const TNonce host = NewNonce();
    const TNonce joiner = NewNonce();
    const auto peer = static_cast<TNetPeer>(3);
    TPeerSeals hostSide;
    TPeerSeals joinerSide;
    hostSide.Seal(peer, key.Keys(true, host, joiner));
    joinerSide.Seal(peer, key.Keys(false, host, joiner));

    TPacketBytes packet;
    const size_t size = joinerSide.Pack(peer, TPing{77}, packet);
    EXPECT_EQ(size, 5 + TagSize);
    std::optional<TMessage> message;
    ASSERT_EQ(hostSide.Open(peer, packet.data(), size, message), TPeerSeals::TOpened::Taken);
    EXPECT_EQ(std::get<TPing>(*message).Stamp, 77u);
    EXPECT_EQ(joinerSide.Open(peer, packet.data(), size, message), TPeerSeals::TOpened::BadTag) << "its own";

    for (size_t i = 0; i < size; ++i) {
        TPacketBytes spoiled = packet;
        spoiled[i] ^= 0x01;
        EXPECT_EQ(hostSide.Open(peer, spoiled.data(), size, message), TPeerSeals::TOpened::BadTag) << "byte " << i;
    }
    EXPECT_EQ(hostSide.Open(peer, packet.data(), size - TagSize, message), TPeerSeals::TOpened::BadTag) << "no tag";
    EXPECT_EQ(hostSide.Open(peer, packet.data(), 0, message), TPeerSeals::TOpened::BadTag);

    // Another peer, and the same one once forgotten, speak without tags.
    TPeerSeals plain;
    const size_t plainSize = plain.Pack(peer, TPing{5}, packet);
    EXPECT_EQ(plainSize, 5u);
    EXPECT_EQ(hostSide.Open(static_cast<TNetPeer>(4), packet.data(), plainSize, message), TPeerSeals::TOpened::Taken);
    EXPECT_EQ(hostSide.Open(peer, packet.data(), plainSize, message), TPeerSeals::TOpened::BadTag);
    hostSide.Forget(peer);
    EXPECT_EQ(hostSide.Open(peer, packet.data(), plainSize, message), TPeerSeals::TOpened::Taken);
}

} // namespace
