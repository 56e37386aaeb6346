#include "network/Messages.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const TMessage& message)
{
    TMessageBytes out;
    const size_t size = EncodeMessage(message, out);
    return {out.begin(), out.begin() + static_cast<std::ptrdiff_t>(size)};
}

TInputs SomeInputs()
{
    TInputs m;
    m.FirstTick = 41;
    m.Count = 3;
    m.Records[0] = {TTiller::Port, TTickRecord::None};
    m.Records[1] = {TTiller::Starboard, TTickRecord::Wind, 360, 45, 1};
    m.Records[2] = {TTiller::Amidships, TTickRecord::Pause};
    m.ReceivedThrough = 40;
    m.Tick = 43;
    m.Ahead = -3;
    return m;
}

TInputs RegattaInputs()
{
    TInputs m;
    m.FirstTick = 7;
    m.Count = 2;
    m.Records[0] = {TTiller::Port, TTickRecord::Regatta};
    m.Records[0].RegattaSettings = {9, TRegattaRules::Classic};
    m.Records[1] = {TTiller::Amidships, TTickRecord::Free};
    m.ReceivedThrough = 6;
    return m;
}

std::array<uint8_t, 16> SomeNonce(uint8_t seed)
{
    std::array<uint8_t, 16> nonce{};
    for (size_t i = 0; i < nonce.size(); ++i)
        nonce[i] = static_cast<uint8_t>(seed * 31 + i * 7);
    return nonce;
}

// Two ticks of both players for a spectator, the last of them live.
TWatchTicks SomeWatchTicks()
{
    TWatchTicks m;
    m.FirstTick = 1;
    m.Count = 2;
    m.Records[0] = {{TTickRecord{TTiller::Port, TTickRecord::None}, TTickRecord{TTiller::Starboard, TTickRecord::Restart}}};
    m.Records[1][1] = RegattaInputs().Records[0];
    m.Live = 2;
    return m;
}

TEST(Messages, EveryKindComesBackAsItWent)
{
    const std::vector<TMessage> messages = {
        THello{ProtocolVersion, MakeVersionText("1.0"), SomeNonce(1)},
        TWelcome{86399999, MakeVersionText("1.10.2-rc1"), SomeNonce(2)},
        TRefusal{TRefusal::OtherVersion, MakeVersionText("2.0")},
        TRefusal{TRefusal::WrongCode, MakeVersionText("2.0")},
        TChallenge{SomeNonce(3), true},
        TChallenge{SomeNonce(4), false},
        TProofOfCode{SomeNonce(5)},
        SomeInputs(),
        RegattaInputs(),
        TResume{MaxTick},
        TDigest{60, 0x0123456789abcdefULL, 0xfedcba9876543210ULL},
        TFocus{false},
        TPing{0xffffffffu},
        TPong{7},
        THello{ProtocolVersion, MakeVersionText("1.0"), SomeNonce(6), true},
        TRefusal{TRefusal::EnoughSpectators, MakeVersionText("1.0")},
        SomeWatchTicks(),
        TWatched{MaxTick},
    };
    for (const TMessage& message : messages) {
        const std::vector<uint8_t> bytes = Bytes(message);
        ASSERT_LE(bytes.size(), MaxMessageSize);
        const std::optional<TMessage> back = DecodeMessage(bytes.data(), bytes.size());
        ASSERT_TRUE(back.has_value()) << "kind " << message.index();
        EXPECT_EQ(Bytes(*back), bytes) << "kind " << message.index();
    }
    const auto inputs = std::get<TInputs>(*DecodeMessage(Bytes(SomeInputs()).data(), Bytes(SomeInputs()).size()));
    EXPECT_EQ(inputs.Records[1], SomeInputs().Records[1]);
    const auto regatta =
        std::get<TInputs>(*DecodeMessage(Bytes(RegattaInputs()).data(), Bytes(RegattaInputs()).size()));
    EXPECT_EQ(regatta.Records[0], RegattaInputs().Records[0]);
    EXPECT_EQ(regatta.Records[1], RegattaInputs().Records[1]);
    const auto watched = std::get<TWatchTicks>(*DecodeMessage(Bytes(SomeWatchTicks()).data(), Bytes(SomeWatchTicks()).size()));
    EXPECT_EQ(watched.Records[0], SomeWatchTicks().Records[0]);
    EXPECT_EQ(watched.Records[1], SomeWatchTicks().Records[1]);
}

// An older program says hello without a nonce: it still decodes, so that the host can refuse it by version.
TEST(Messages, AnOlderProgramsHelloDecodesWithItsProtocol)
{
    std::vector<uint8_t> old = {1, 2, 0};
    for (const char c : std::string("0.9"))
        old.push_back(static_cast<uint8_t>(c));
    old.resize(1 + 2 + VersionLength, 0);
    const std::optional<TMessage> hello = DecodeMessage(old.data(), old.size());
    ASSERT_TRUE(hello.has_value());
    EXPECT_EQ(std::get<THello>(*hello).Protocol, 2);
    EXPECT_EQ(VersionString(std::get<THello>(*hello).Version), "0.9");
    // Protocol 3's hello had the nonce but no wish to watch.
    old[1] = 3;
    old.resize(old.size() + NonceSize, 9);
    const std::optional<TMessage> third = DecodeMessage(old.data(), old.size());
    ASSERT_TRUE(third.has_value());
    EXPECT_EQ(std::get<THello>(*third).Protocol, 3);
    EXPECT_FALSE(std::get<THello>(*third).Watch);
}

TEST(Messages, AFullStretchIsTheLargestMessage)
{
    TInputs m;
    m.Count = MaxRecordsPerMessage;
    EXPECT_EQ(Bytes(m).size(), MaxMessageSize);
}

// Each case spoils one field of a valid message at the given byte.
TEST(Messages, AnyFieldOutOfRangeIsRefused)
{
    struct TCase {
        const char* What;
        TMessage Message;
        size_t Offset;
        uint8_t Value;
    };
    const TCase cases[] = {
        {"unknown kind", TPing{1}, 0, 0},
        {"unknown kind past the last", TPing{1}, 0, 14},
        {"a wish to watch of 2", THello{ProtocolVersion, MakeVersionText("1.0"), {}, true}, 35, 2},
        {"watched ticks from tick 0", SomeWatchTicks(), 1, 0},
        {"no watched ticks", SomeWatchTicks(), 5, 0},
        {"a watched tick with tiller 3", SomeWatchTicks(), 6, 3},
        {"live before the last tick sent", SomeWatchTicks(), 38, 1},
        {"watched past 31 bits", TWatched{1}, 4, 0x80},
        {"the sender's tick past 31 bits", SomeInputs(), 37, 0x80},
        {"a new hello that says protocol 2", THello{ProtocolVersion, MakeVersionText("1.0"), {}}, 1, 2},
        {"challenge that asks for a code 2", TChallenge{{}, true}, 17, 2},
        {"version with a space", THello{ProtocolVersion, MakeVersionText("1.0")}, 4, ' '},
        {"empty version", THello{ProtocolVersion, MakeVersionText("1.0")}, 3, 0},
        {"bytes after the version's end", THello{ProtocolVersion, MakeVersionText("1.0")}, 10, 'x'},
        {"time of day past midnight", TWelcome{86399999, MakeVersionText("1")}, 4, 0xff},
        {"unknown refusal", TRefusal{TRefusal::RaceFull, MakeVersionText("1")}, 1, 5},
        {"refusal 0", TRefusal{TRefusal::RaceFull, MakeVersionText("1")}, 1, 0},
        {"first tick 0", SomeInputs(), 1, 0},
        {"no records", SomeInputs(), 5, 0},
        {"more records than sent", SomeInputs(), 5, 4},
        {"tiller 3", SomeInputs(), 6, 3},
        {"unknown command", SomeInputs(), 7, 6},
        {"regatta without laps", RegattaInputs(), 8, 0},
        {"regatta of 10 laps", RegattaInputs(), 8, 10},
        {"unknown rules", RegattaInputs(), 10, 2},
        {"regatta with a third value", RegattaInputs(), 12, 1},
        {"free sailing with values", RegattaInputs(), 16, 1},
        {"wind without values", SomeInputs(), 7, TTickRecord::Wind},
        {"wind direction 361", SomeInputs(), 16, 105},
        {"variation 46", SomeInputs(), 18, 46},
        {"speed 0", SomeInputs(), 20, 0},
        {"values on a plain tick", SomeInputs(), 8, 1},
        {"confirmation past 31 bits", SomeInputs(), 33, 0x80},
        {"resume at tick 0", TResume{1}, 1, 0},
        {"digest at tick past 31 bits", TDigest{1, 0, 0}, 4, 0x80},
        {"focus 2", TFocus{true}, 1, 2},
    };
    for (const TCase& c : cases) {
        std::vector<uint8_t> bytes = Bytes(c.Message);
        ASSERT_TRUE(DecodeMessage(bytes.data(), bytes.size()).has_value()) << c.What << ": the base must be valid";
        ASSERT_LT(c.Offset, bytes.size()) << c.What;
        bytes[c.Offset] = c.Value;
        EXPECT_FALSE(DecodeMessage(bytes.data(), bytes.size()).has_value()) << c.What;
    }
}

TEST(Messages, AWrongSizeIsRefusedForEveryKind)
{
    const std::vector<TMessage> messages = {THello{ProtocolVersion, MakeVersionText("1.0"), {}},
                                            TWelcome{1, MakeVersionText("1"), {}},
                                            TChallenge{{}, false},
                                            TProofOfCode{},
                                            TRefusal{TRefusal::RaceFull, MakeVersionText("1")},
                                            SomeInputs(),
                                            TResume{1},
                                            TDigest{1, 2, 3},
                                            TFocus{true},
                                            TPing{1},
                                            TPong{1},
                                            SomeWatchTicks(),
                                            TWatched{1}};
    for (const TMessage& message : messages) {
        std::vector<uint8_t> bytes = Bytes(message);
        EXPECT_FALSE(DecodeMessage(bytes.data(), bytes.size() - 1).has_value()) << "kind " << message.index();
        bytes.push_back(0);
        EXPECT_FALSE(DecodeMessage(bytes.data(), bytes.size()).has_value()) << "kind " << message.index();
    }
    EXPECT_FALSE(DecodeMessage(nullptr, 0).has_value());
    // The new hello without its nonce is the old one's size: taken only as protocol 2's.
    std::vector<uint8_t> newHello = Bytes(THello{ProtocolVersion, MakeVersionText("1.0"), {}});
    newHello.resize(newHello.size() - NonceSize);
    EXPECT_FALSE(DecodeMessage(newHello.data(), newHello.size()).has_value());
    const std::vector<uint8_t> huge(MaxMessageSize + 1, 4);
    EXPECT_FALSE(DecodeMessage(huge.data(), huge.size()).has_value());
}

} // namespace
