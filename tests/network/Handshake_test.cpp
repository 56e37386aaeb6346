// How an online race begins, or is refused, against another end that says exactly what each case needs:
// the hello, the welcome and the refusals, in and out of turn.
#include "tests/network/NetSide.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The other end of the line, scripted: once connected it sends its messages, reliably and in order, and keeps
// what comes back.
struct TScriptedEnd {
    TScriptedEnd(std::unique_ptr<TMemoryLink> link, std::vector<TMessage> script)
        : Link(std::move(link)), Script(std::move(script)),
          Handler{[this](TNetPeer peer) {
                      Peer = peer;
                      for (const TMessage& m : Script)
                          Link->Send(peer, m, true);
                  },
                  [this](TNetPeer, const TMessage& m) { Heard.push_back(m); },
                  [this](TNetPeer, bool left) { ToldLeft = ToldLeft || left; }}
    {
    }
    void Service() { Link->Service(Handler); }
    // The kinds of the handshake's messages that came, in order.
    std::vector<size_t> HandshakeKinds() const
    {
        std::vector<size_t> kinds;
        for (const TMessage& m : Heard)
            if (std::holds_alternative<THello>(m) || std::holds_alternative<TWelcome>(m) ||
                std::holds_alternative<TRefusal>(m))
                kinds.push_back(m.index());
        return kinds;
    }
    template <class T> const T* First() const
    {
        for (const TMessage& m : Heard)
            if (const T* found = std::get_if<T>(&m))
                return found;
        return nullptr;
    }

    std::unique_ptr<TMemoryLink> Link;
    std::vector<TMessage> Script;
    INetLink::THandler Handler;
    TNetPeer Peer = TNetPeer::None;
    std::vector<TMessage> Heard;
    bool ToldLeft = false;
};

constexpr size_t Hello = 0;
constexpr size_t Welcome = 1;
constexpr size_t Refusal = 2;

THello HelloOf(const std::string& version, uint16_t protocol = ProtocolVersion)
{
    return {protocol, MakeVersionText(version)};
}

TInputs SomeInputs()
{
    TInputs inputs;
    inputs.Count = 3;
    inputs.Records[1].Tiller = TTiller::Starboard;
    return inputs;
}

struct TCase {
    const char* Name;
    bool RaceIsHost;
    std::vector<TMessage> Script;
    std::vector<size_t> Replies;
    // The race measures the line and then runs: it sends pings.
    bool Begins;
    std::optional<TNetEnd::TKind> Ends;
    bool Goodbye;
};

TEST(Handshake, TheRaceBeginsOnlyOnAnAcceptedHelloAndAWelcome)
{
    const TWelcome welcome{4242, MakeVersionText("1.0")};
    const TCase cases[] = {
        {"host: a hello of its version is welcomed", true, {HelloOf("1.0")}, {Welcome}, true, {}, false},
        {"host: another version is refused and sent away", true, {HelloOf("1.1")}, {Refusal}, false, {}, true},
        {"host: another protocol is refused", true, {HelloOf("1.0", ProtocolVersion + 1)}, {Refusal}, false, {}, true},
        {"host: a second hello changes nothing", true, {HelloOf("1.0"), HelloOf("1.0")}, {Welcome}, true, {}, false},
        {"host: a bad hello after a good one changes nothing", true, {HelloOf("1.0"), HelloOf("9")}, {Welcome}, true,
         {}, false},
        {"host: what comes before the hello is not taken", true,
         {SomeInputs(), TDigest{60, 1, 2}, welcome, TRefusal{TRefusal::RaceFull, {}}, TResume{3}, TFocus{false},
          HelloOf("1.0")},
         {Welcome}, true, {}, false},
        {"host: a welcome is no hello", true, {welcome}, {}, false, {}, false},
        {"joiner: says hello and begins on the welcome", false, {welcome}, {Hello}, true, {}, false},
        {"joiner: the race is full", false, {TRefusal{TRefusal::RaceFull, MakeVersionText("1.0")}}, {Hello}, false,
         TNetEnd::RaceFull, true},
        {"joiner: another version", false, {TRefusal{TRefusal::OtherVersion, MakeVersionText("2.0")}}, {Hello}, false,
         TNetEnd::OtherVersion, true},
        {"joiner: a refusal after the welcome is ignored", false, {welcome, TRefusal{TRefusal::RaceFull, {}}}, {Hello},
         true, {}, false},
        {"joiner: inputs and a hello before the welcome are not taken", false, {SomeInputs(), HelloOf("1.0"), welcome},
         {Hello}, true, {}, false},
        {"joiner: a hello is no welcome", false, {HelloOf("1.0")}, {Hello}, false, {}, false},
    };
    for (const TCase& c : cases) {
        TVirtualLine net({0, 0, 15, 0});
        std::optional<TScriptedEnd> other;
        std::optional<TNetSide> race;
        if (c.RaceIsHost) {
            race.emplace(net.Now(), net.Line.Host(), true);
            other.emplace(net.Line.Join(race->Net->Link().Port()), c.Script);
        } else {
            other.emplace(net.Line.Host(), c.Script);
            race.emplace(net.Now(), net.Line.Join(other->Link->Port()), false);
        }
        for (int t = 0; t < 2000; ++t) {
            other->Service();
            net.Step({&*race});
        }
        EXPECT_EQ(other->HandshakeKinds(), c.Replies) << c.Name;
        EXPECT_EQ(other->First<TPing>() != nullptr, c.Begins) << c.Name;
        EXPECT_EQ(race->Ended.has_value(), c.Ends.has_value()) << c.Name;
        if (race->Ended && c.Ends) {
            EXPECT_EQ(race->Ended->Kind, *c.Ends) << c.Name;
        }
        // A refused joiner says goodbye itself; a refused caller is sent away by the host.
        EXPECT_EQ(other->ToldLeft, c.Goodbye) << c.Name;
        if (c.Replies == std::vector<size_t>{Welcome}) {
            EXPECT_EQ(other->First<TWelcome>()->TimeOfDay, 34867345u) << c.Name;
            EXPECT_EQ(VersionString(other->First<TWelcome>()->Version), "1.0") << c.Name;
        }
        if (c.Replies == std::vector<size_t>{Refusal}) {
            EXPECT_EQ(other->First<TRefusal>()->Reason, TRefusal::OtherVersion) << c.Name;
            EXPECT_EQ(VersionString(other->First<TRefusal>()->Version), "1.0") << c.Name;
        }
        if (!c.RaceIsHost) {
            EXPECT_EQ(other->First<THello>()->Protocol, ProtocolVersion) << c.Name;
            EXPECT_EQ(VersionString(other->First<THello>()->Version), "1.0") << c.Name;
        }
        if (race->Ended && race->Ended->Kind == TNetEnd::OtherVersion) {
            EXPECT_EQ(race->Ended->HostVersion, "2.0") << c.Name;
        }
        // The other end answers no pings, so no race measures the line and none runs a tick.
        if (!c.Ends) {
            EXPECT_EQ(race->Ticks(), 0) << c.Name;
        }
    }
}

// Whoever calls while two race is turned away, and nothing it says reaches the race.
TEST(Handshake, AThirdPeerIsRefusedAndWhatItSaysIsNotTaken)
{
    TVirtualLine net({0, 0, 15, 0});
    TNetSide host(net.Now(), net.Line.Host(), true);
    TNetSide guest(net.Now(), net.Line.Join(host.Net->Link().Port()), false);
    ASSERT_TRUE(net.RunUntil({&host, &guest}, [&] { return guest.Ticks() >= 100; }, 10'000));

    // Records for ticks the guest has not yet sent, and a digest for a tick still to come: either, if taken,
    // would part the two races.
    TInputs forged = SomeInputs();
    forged.FirstTick = static_cast<uint32_t>(host.Ticks() + 40);
    const auto digestTick = static_cast<uint32_t>((host.Ticks() / 60 + 2) * 60);
    TScriptedEnd third(net.Line.Join(host.Net->Link().Port()),
                       {HelloOf("1.0"), forged, TDigest{digestTick, 1, 2}, TFocus{false}, TResume{1}, TPing{5}});
    const int64_t before = guest.Ticks();
    for (int t = 0; t < 3000; ++t) {
        third.Service();
        net.Step({&host, &guest});
    }
    EXPECT_EQ(third.HandshakeKinds(), std::vector<size_t>{Refusal});
    EXPECT_EQ(third.First<TRefusal>()->Reason, TRefusal::RaceFull);
    EXPECT_TRUE(third.ToldLeft);
    EXPECT_EQ(third.First<TPong>(), nullptr) << "the host does not answer it";
    EXPECT_FALSE(host.Ended.has_value()) << "its digest was not compared";
    EXPECT_FALSE(guest.Ended.has_value());
    EXPECT_EQ(host.Statuses.back(), TNetStatus::None) << "its focus was not taken";
    EXPECT_GE(guest.Ticks(), before + 120);
    const size_t both = std::min(host.Digests.size(), guest.Digests.size());
    ASSERT_GE(both, static_cast<size_t>(before + 100));
    for (size_t t = 0; t < both; ++t)
        ASSERT_EQ(host.Digests[t], guest.Digests[t]) << "its inputs were taken, after tick " << t + 1;
}

} // namespace
