// How an online race begins, or is refused, against another end scripted message by message: the hello, the
// challenge and the proof of the race code, the welcome and the refusals, in and out of turn.
#include "tests/network/NetSide.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* Code = "K7P-2QX";

// The other end of the line, scripted: once connected it sends its script, reliably and in order; to what it
// hears it answers as told, and keeps everything.
struct TScriptedEnd {
    using TAnswer = std::function<std::vector<TMessage>(TScriptedEnd&, const TMessage&)>;
    TScriptedEnd(std::unique_ptr<TMemoryLink> link, std::vector<TMessage> script, TAnswer answer = {})
        : Link(std::move(link)), Script(std::move(script)), Answer(std::move(answer)),
          Handler{[this](TNetPeer peer) {
                      Peer = peer;
                      for (const TMessage& m : Script)
                          Link->Send(peer, m, true);
                  },
                  [this](TNetPeer, const TMessage& m) {
                      Heard.push_back(m);
                      if (Answer)
                          for (const TMessage& reply : Answer(*this, m))
                              Link->Send(Peer, reply, true);
                  },
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
                std::holds_alternative<TRefusal>(m) || std::holds_alternative<TChallenge>(m) ||
                std::holds_alternative<TProofOfCode>(m))
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
    TAnswer Answer;
    INetLink::THandler Handler;
    TNetPeer Peer = TNetPeer::None;
    std::vector<TMessage> Heard;
    bool ToldLeft = false;
};

constexpr size_t Hello = 0;
constexpr size_t Welcome = 1;
constexpr size_t Refusal = 2;
constexpr size_t Challenge = 9;
constexpr size_t Proof = 10;

const TNonce JoinerNonce{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
const TNonce HostNonce{16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};

THello HelloOf(const std::string& version, uint16_t protocol = ProtocolVersion)
{
    return {protocol, MakeVersionText(version), JoinerNonce};
}

TInputs SomeInputs()
{
    TInputs inputs;
    inputs.Count = 3;
    inputs.Records[1].Tiller = TTiller::Starboard;
    return inputs;
}

// A joiner that answers the challenge with a proof of the code (the empty one when none is asked for) and,
// once welcomed, seals its messages as the race does.
TScriptedEnd::TAnswer JoinerKnowing(const std::string& code)
{
    auto host = std::make_shared<std::optional<TNonce>>();
    auto asked = std::make_shared<bool>(true);
    return [code, host, asked](TScriptedEnd& end, const TMessage& m) -> std::vector<TMessage> {
        if (const auto* challenge = std::get_if<TChallenge>(&m)) {
            *host = challenge->Nonce;
            *asked = challenge->CodeRequired;
            return {TProofOfCode{TRaceKey(*asked ? code : "").JoinerProof(**host, JoinerNonce)}};
        }
        if (std::holds_alternative<TWelcome>(m) && *host)
            end.Link->Seal(end.Peer, TRaceKey(*asked ? code : "").Keys(false, **host, JoinerNonce));
        return {};
    };
}

// A host that challenges every hello (asking for a code unless open), keeps whether the joiner proved the
// race's code, and welcomes it with its own proof of hostCode, then seals.
TScriptedEnd::TAnswer HostKnowing(const std::string& hostCode, bool open, bool* proofWasGood)
{
    auto joiner = std::make_shared<TNonce>();
    return [=](TScriptedEnd& end, const TMessage& m) -> std::vector<TMessage> {
        const TRaceKey expected(open ? "" : Code);
        const TRaceKey key(open ? "" : hostCode);
        if (const auto* hello = std::get_if<THello>(&m)) {
            *joiner = hello->Nonce;
            return {TChallenge{HostNonce, !open}};
        }
        if (const auto* proof = std::get_if<TProofOfCode>(&m)) {
            *proofWasGood = SameProof(proof->Proof, expected.JoinerProof(HostNonce, *joiner));
            end.Link->Send(end.Peer, TWelcome{4242, MakeVersionText("1.0"), key.HostProof(HostNonce, *joiner)}, true);
            end.Link->Seal(end.Peer, key.Keys(true, HostNonce, *joiner));
        }
        return {};
    };
}

struct TCase {
    const char* Name;
    std::vector<TMessage> Script;
    TScriptedEnd::TAnswer Answer;
    std::vector<size_t> Replies;
    // The race measures the line and then runs: it sends pings.
    bool Begins;
    std::optional<TNetEnd::TKind> Ends;
    bool Goodbye;
};

// Runs the race against the scripted end for a few seconds of the line's time.
struct TRun {
    TRun(const TCase& c, bool raceIsHost, bool open = false)
    {
        if (raceIsHost) {
            Race.emplace(Net.Now(), Net.Line.Host(), true, "1.0", "", Code, open);
            Other.emplace(Net.Line.Join(Race->Net->Link().Port()), c.Script, c.Answer);
        } else {
            Other.emplace(Net.Line.Host(), c.Script, c.Answer);
            Race.emplace(Net.Now(), Net.Line.Join(Other->Link->Port()), false, "1.0", "", Code);
        }
        for (int t = 0; t < 4000; ++t) {
            Other->Service();
            Net.Step({&*Race});
        }
        EXPECT_EQ(Other->HandshakeKinds(), c.Replies) << c.Name;
        EXPECT_EQ(Other->First<TPing>() != nullptr, c.Begins) << c.Name;
        EXPECT_EQ(Race->Ended.has_value(), c.Ends.has_value()) << c.Name;
        if (Race->Ended && c.Ends) {
            EXPECT_EQ(Race->Ended->Kind, *c.Ends) << c.Name;
        }
        EXPECT_EQ(Other->ToldLeft, c.Goodbye) << c.Name;
        // The other end answers no pings, so no race measures the line and none runs a tick.
        if (!c.Ends) {
            EXPECT_EQ(Race->Ticks(), 0) << c.Name;
        }
    }
    TVirtualLine Net{{0, 0, 15, 0}};
    std::optional<TScriptedEnd> Other;
    std::optional<TNetSide> Race;
};

TEST(Handshake, TheHostWelcomesOnlyAJoinerThatProvesTheCode)
{
    const TWelcome welcome{4242, MakeVersionText("1.0"), {}};
    const TProofOfCode stale{TRaceKey(Code).JoinerProof(HostNonce, JoinerNonce)};
    const TCase cases[] = {
        {"a joiner that proves the code is welcomed", {HelloOf("1.0")}, JoinerKnowing(Code), {Challenge, Welcome},
         true, {}, false},
        {"a wrong code is refused at once and sent away", {HelloOf("1.0")}, JoinerKnowing("AAA-AAA"),
         {Challenge, Refusal}, false, {}, true},
        {"no code is a wrong code", {HelloOf("1.0")}, JoinerKnowing(""), {Challenge, Refusal}, false, {}, true},
        {"a proof from an earlier handshake is refused", {HelloOf("1.0"), stale}, {}, {Challenge, Refusal}, false,
         {}, true},
        {"another version is refused before any challenge", {HelloOf("1.1")}, JoinerKnowing(Code), {Refusal}, false,
         {}, true},
        {"another protocol is refused", {HelloOf("1.0", ProtocolVersion + 1)}, JoinerKnowing(Code), {Refusal}, false,
         {}, true},
        {"a second hello changes nothing", {HelloOf("1.0"), HelloOf("1.0")}, JoinerKnowing(Code),
         {Challenge, Welcome}, true, {}, false},
        {"what comes before the hello is not taken",
         {SomeInputs(), TDigest{60, 1, 2}, welcome, stale, TRefusal{TRefusal::RaceFull, {}}, TResume{3},
          TFocus{false}, HelloOf("1.0")},
         JoinerKnowing(Code), {Challenge, Welcome}, true, {}, false},
        {"a welcome is no hello", {welcome}, {}, {}, false, {}, true},
        {"a caller that says nothing is sent away", {}, {}, {}, false, {}, true},
    };
    for (const TCase& c : cases) {
        const TRun run(c, true);
        if (c.Replies.size() == 2 && c.Replies[1] == Welcome) {
            const TChallenge* challenge = run.Other->First<TChallenge>();
            const TWelcome* welcomed = run.Other->First<TWelcome>();
            EXPECT_TRUE(challenge->CodeRequired) << c.Name;
            EXPECT_TRUE(SameProof(welcomed->Proof, TRaceKey(Code).HostProof(challenge->Nonce, JoinerNonce))) << c.Name;
            EXPECT_EQ(welcomed->TimeOfDay, 34867345u) << c.Name;
        }
        if (const TRefusal* refusal = run.Other->First<TRefusal>()) {
            EXPECT_EQ(refusal->Reason, c.Replies.size() == 2 ? TRefusal::WrongCode : TRefusal::OtherVersion) << c.Name;
            EXPECT_EQ(VersionString(refusal->Version), "1.0") << c.Name;
        }
        const bool wrongCode = c.Replies == std::vector<size_t>{Challenge, Refusal};
        EXPECT_EQ(run.Race->WrongCodesTold, wrongCode ? 1 : 0) << c.Name;
    }
}

TEST(Handshake, TheJoinerProvesTheCodeAndBeginsOnlyOnTheHostsProof)
{
    bool good = false;
    const TCase cases[] = {
        {"proves the code and begins on the host's proof", {}, HostKnowing(Code, false, &good), {Hello, Proof}, true,
         {}, false},
        {"a host that does not know the code is not believed", {}, HostKnowing("AAA-AAA", false, &good),
         {Hello, Proof}, false, TNetEnd::WrongCode, true},
        {"an open race: proves the empty code", {}, HostKnowing(Code, true, &good), {Hello, Proof}, true, {}, false},
        {"refused for a wrong code", {TChallenge{HostNonce, true}, TRefusal{TRefusal::WrongCode, MakeVersionText("1.0")}},
         {}, {Hello, Proof}, false, TNetEnd::WrongCode, true},
        {"the race is full", {TRefusal{TRefusal::RaceFull, MakeVersionText("1.0")}}, {}, {Hello}, false,
         TNetEnd::RaceFull, true},
        {"another version", {TRefusal{TRefusal::OtherVersion, MakeVersionText("2.0")}}, {}, {Hello}, false,
         TNetEnd::OtherVersion, true},
        {"a welcome before any challenge is not taken", {TWelcome{4242, MakeVersionText("1.0"), {}}}, {}, {Hello},
         false, {}, false},
        {"inputs and a hello before the welcome are not taken", {SomeInputs(), HelloOf("1.0")},
         HostKnowing(Code, false, &good), {Hello, Proof}, true, {}, false},
    };
    for (const TCase& c : cases) {
        good = false;
        const TRun run(c, false);
        const THello* hello = run.Other->First<THello>();
        ASSERT_NE(hello, nullptr) << c.Name;
        EXPECT_EQ(hello->Protocol, ProtocolVersion) << c.Name;
        EXPECT_EQ(VersionString(hello->Version), "1.0") << c.Name;
        if (c.Answer) {
            EXPECT_TRUE(good) << c.Name << ": the joiner's proof";
        }
        if (run.Race->Ended && run.Race->Ended->Kind == TNetEnd::OtherVersion) {
            EXPECT_EQ(run.Race->Ended->HostVersion, "2.0") << c.Name;
        }
    }
}

// An older program says hello without a nonce; it is refused by name, with the host's version.
TEST(Handshake, AnOlderProgramIsRefusedByItsVersion)
{
    TVirtualLine net({0, 0, 15, 0});
    TNetSide host(net.Now(), net.Line.Host(), true);
    std::vector<uint8_t> old = {1, 2, 0, '0', '.', '9'};
    old.resize(1 + 2 + VersionLength, 0);
    TScriptedEnd older(net.Line.Join(host.Net->Link().Port()), {});
    older.Handler.Connected = [&](TNetPeer peer) { older.Link->SendBytes(peer, old.data(), old.size(), true); };
    for (int t = 0; t < 1000; ++t) {
        older.Service();
        net.Step({&host});
    }
    ASSERT_NE(older.First<TRefusal>(), nullptr);
    EXPECT_EQ(older.First<TRefusal>()->Reason, TRefusal::OtherVersion);
    EXPECT_EQ(VersionString(older.First<TRefusal>()->Version), "1.0");
    EXPECT_TRUE(older.ToldLeft);
}

// A silent caller holds no seat: it is sent away within the three seconds every caller has to prove the
// code. Two proving at once do not block each other: the one who proves first takes the seat.
TEST(Handshake, TheSeatGoesToTheFirstWhoProvesTheCode)
{
    TVirtualLine net({0, 0, 15, 0});
    TNetSide host(net.Now(), net.Line.Host(), true);
    TScriptedEnd silent(net.Line.Join(host.Net->Link().Port()), {});
    EXPECT_TRUE(net.RunUntil({&host}, [&] { silent.Service(); return silent.ToldLeft; }, THostDoor::ProofTime + 100));
    EXPECT_TRUE(silent.HandshakeKinds().empty());

    TScriptedEnd slow(net.Line.Join(host.Net->Link().Port()), {HelloOf("1.0")});
    net.Run({&host}, 200);
    TNetSide guest(net.Now(), net.Line.Join(host.Net->Link().Port()), false);
    ASSERT_TRUE(net.RunUntil({&host, &guest}, [&] {
        slow.Service();
        return guest.Ticks() >= 60;
    }, 5000));
    EXPECT_FALSE(guest.Ended.has_value());
    EXPECT_EQ(slow.HandshakeKinds(), (std::vector<size_t>{Challenge, Refusal}));
    EXPECT_EQ(slow.First<TRefusal>()->Reason, TRefusal::RaceFull);
}

// Five wrong codes from one address, and the host ignores it for a minute; others are still heard.
TEST(Handshake, AnAddressThatGuessesIsIgnoredForAMinute)
{
    TVirtualLine net({0, 0, 15, 0});
    TNetSide host(net.Now(), net.Line.Host(), true);
    const uint32_t guesser = 0xC6336407; // 198.51.100.7
    const auto attempt = [&](uint32_t address, const std::string& code) {
        TScriptedEnd caller(net.Line.Join(host.Net->Link().Port(), address), {HelloOf("1.0")}, JoinerKnowing(code));
        net.RunUntil({&host}, [&] { caller.Service(); return caller.ToldLeft; }, 2000);
        return caller.HandshakeKinds();
    };
    for (int i = 0; i < THostDoor::MaxWrongCodes; ++i)
        ASSERT_EQ(attempt(guesser, "AAA-AAA"), (std::vector<size_t>{Challenge, Refusal})) << "guess " << i + 1;
    EXPECT_EQ(host.WrongCodesTold, THostDoor::MaxWrongCodes);
    EXPECT_TRUE(attempt(guesser, Code).empty()) << "barred, even with the right code";
    EXPECT_EQ(attempt(guesser + 1, "AAA-AAA"), (std::vector<size_t>{Challenge, Refusal})) << "another address";
    net.Run({&host}, THostDoor::BarTime);
    EXPECT_EQ(attempt(guesser, Code), (std::vector<size_t>{Challenge, Welcome})) << "a minute later";
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
    TScriptedEnd third(net.Line.Join(host.Net->Link().Port()), {HelloOf("1.0"), forged, TDigest{digestTick, 1, 2},
                                                               TFocus{false}, TResume{1}, TPing{5}},
                       JoinerKnowing(Code));
    const int64_t before = guest.Ticks();
    for (int t = 0; t < 3000; ++t) {
        third.Service();
        net.Step({&host, &guest});
    }
    EXPECT_EQ(third.HandshakeKinds(), std::vector<size_t>{Refusal});
    EXPECT_EQ(third.First<TRefusal>()->Reason, TRefusal::RaceFull);
    EXPECT_TRUE(third.ToldLeft);
    EXPECT_EQ(third.First<TPong>(), nullptr) << "the host does not answer it";
    EXPECT_GT(host.Net->Rejected(), 0) << "what it said was counted";
    EXPECT_FALSE(host.Ended.has_value()) << "its digest was not compared";
    EXPECT_FALSE(guest.Ended.has_value());
    EXPECT_EQ(host.Statuses.back(), TNetStatus::None) << "its focus was not taken";
    EXPECT_GE(guest.Ticks(), before + 120);
    const size_t both = std::min(host.Digests.size(), guest.Digests.size());
    ASSERT_GE(both, static_cast<size_t>(before + 100));
    for (size_t t = 0; t < both; ++t)
        ASSERT_EQ(host.Digests[t], guest.Digests[t]) << "its inputs were taken, after tick " << t + 1;
}

// A wrong code is refused at once on both sides; the host goes on waiting, and the right guest then races.
// An open race takes a guest without a code.
TEST(Handshake, AWrongCodeIsToldOnBothSidesAndTheRightGuestStillRaces)
{
    TVirtualLine net({0, 0, 15, 0});
    TNetSide host(net.Now(), net.Line.Host(), true);
    TNetSide wrong(net.Now(), net.Line.Join(host.Net->Link().Port()), false, "1.0", "", "AAA-AAA");
    const uint32_t began = net.Now();
    ASSERT_TRUE(net.RunUntil({&host, &wrong}, [&] { return wrong.Ended.has_value(); }, 1000));
    EXPECT_EQ(wrong.Ended->Kind, TNetEnd::WrongCode);
    EXPECT_LE(net.Now() - began, 150u) << "three crossings of the line and the connection's own";
    net.Run({&host, &wrong}, 100);
    EXPECT_EQ(host.WrongCodesTold, 1);
    EXPECT_FALSE(host.Ended.has_value());
    EXPECT_TRUE(host.Net->Linked());

    TNetSide right(net.Now(), net.Line.Join(host.Net->Link().Port()), false);
    ASSERT_TRUE(net.RunUntil({&host, &right}, [&] { return right.Ticks() >= 60; }, 3000));

    TVirtualLine lan;
    TNetSide party(lan.Now(), lan.Line.Host(), true, "1.0", "", "", true);
    TNetSide friendWithoutCode(lan.Now(), lan.Line.Join(party.Net->Link().Port()), false, "1.0", "", "");
    EXPECT_TRUE(lan.RunUntil({&party, &friendWithoutCode}, [&] { return friendWithoutCode.Ticks() >= 60; }, 3000));
}

// Datagrams forged into the guest's connection by a third machine, well formed but without the session's tag
// or with a wrong one, are dropped and counted; the two races stay equal.
TEST(Handshake, MessagesWithoutTheSessionsTagAreRejected)
{
    TVirtualLine net({0.05, 0.02, 15, 5});
    TNetSide host(net.Now(), net.Line.Host(), true);
    std::unique_ptr<TMemoryLink> guestLink = net.Line.Join(host.Net->Link().Port());
    TMemoryLink& forger = *guestLink;
    TNetSide guest(net.Now(), std::move(guestLink), false);
    guest.Net->SetTiller(guest.Net->LocalPlayer(), TTiller::Port);
    ASSERT_TRUE(net.RunUntil({&host, &guest}, [&] { return guest.Ticks() >= 100; }, 10'000));

    TInputs forged = SomeInputs();
    forged.FirstTick = static_cast<uint32_t>(host.Ticks() + 30);
    forged.Records[0] = {TTiller::Starboard, TTickRecord::Restart};
    TMessageBytes bytes;
    const size_t size = EncodeMessage(forged, bytes);
    std::vector<uint8_t> wrongTag(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    wrongTag.insert(wrongTag.end(), TagSize, 0x5A);
    for (int i = 0; i < 5; ++i) {
        forger.SendBytes(forger.FirstPeer(), bytes.data(), size, i % 2 == 0);
        forger.SendBytes(forger.FirstPeer(), wrongTag.data(), wrongTag.size(), i % 2 == 1);
    }
    net.Run({&host, &guest}, 2000);
    EXPECT_GE(host.Net->Rejected(), 8) << "ten forged, a few lost on the line";
    EXPECT_FALSE(host.Ended.has_value());
    EXPECT_FALSE(guest.Ended.has_value());
    const size_t both = std::min(host.Digests.size(), guest.Digests.size());
    ASSERT_GE(both, 200u);
    for (size_t t = 0; t < both; ++t)
        ASSERT_EQ(host.Digests[t], guest.Digests[t]) << "a forged record was taken, after tick " << t + 1;
}

} // namespace
