#include "network/Lockstep.h"
#include "network/NetRace.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

TEST(Lockstep, TheDelayFollowsTheRoundTripWithinItsBounds)
{
    const struct {
        int64_t RoundTrip;
        int32_t Delay;
    } cases[] = {{0, 2}, {10, 2}, {50, 3}, {150, 6}, {220, 8}, {400, 12}, {5000, 12}, {-5, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(DelayForRoundTrip(c.RoundTrip), c.Delay) << c.RoundTrip << " ms";
}

// Two lockstep streams joined by a line that loses, repeats and reorders messages. Whatever the line does,
// both see the same pair of records for every tick, and a key takes effect exactly D ticks later.
TEST(Lockstep, BothSidesSeeTheSameRecordsThroughALossyLine)
{
    std::mt19937 random(3);
    std::uniform_real_distribution<double> chance(0, 1);
    TLockstep a(3), b(5);
    std::vector<TInputs> toA, toB;
    std::vector<TLockstep::TTick> ranA, ranB;
    std::vector<uint8_t> pressedA;
    for (int step = 0; step < 20000 && (ranA.size() < 2000 || ranB.size() < 2000); ++step) {
        for (auto [from, line] : {std::pair{&a, &toB}, std::pair{&b, &toA}})
            if (chance(random) < 0.7) {
                line->push_back(from->Outgoing());
                if (chance(random) < 0.1)
                    line->push_back(from->Outgoing());
            }
        for (auto [to, line] : {std::pair{&a, &toA}, std::pair{&b, &toB}}) {
            std::shuffle(line->begin(), line->end(), random);
            while (!line->empty() && chance(random) < 0.6) {
                if (chance(random) > 0.1)
                    to->Received(line->back());
                line->pop_back();
            }
        }
        if (a.Ready() && ranA.size() < 2000) {
            const auto tiller = static_cast<uint8_t>(ranA.size() % 7 % 3);
            a.SetLocalTiller(tiller);
            pressedA.push_back(tiller);
            if (ranA.size() == 500)
                a.QueueCommand({1, TTickRecord::Restart});
            ranA.push_back(a.Take());
        }
        if (b.Ready() && ranB.size() < 2000) {
            b.SetLocalTiller(static_cast<uint8_t>(ranB.size() % 5 % 3));
            ranB.push_back(b.Take());
        }
    }
    ASSERT_EQ(ranA.size(), 2000u);
    ASSERT_EQ(ranB.size(), 2000u);
    for (size_t t = 0; t < ranA.size(); ++t) {
        ASSERT_EQ(ranA[t].Local, ranB[t].Remote) << "tick " << t + 1;
        ASSERT_EQ(ranA[t].Remote, ranB[t].Local) << "tick " << t + 1;
    }
    // The first D ticks are amidships; after that a tiller set before tick n runs at tick n + D.
    for (size_t t = 0; t < 3; ++t)
        EXPECT_EQ(ranA[t].Local.Tiller, 1);
    for (size_t t = 3; t < ranA.size(); ++t)
        ASSERT_EQ(ranA[t].Local.Tiller, pressedA[t - 3]) << "tick " << t + 1;
    EXPECT_EQ(ranA[503].Local.Command, TTickRecord::Restart);
}

TEST(Lockstep, ALongerDelayFillsTheGapWithTheTillerHeld)
{
    TLockstep a(2);
    a.SetLocalTiller(2);
    a.GrowDelay(5);
    a.GrowDelay(3); // never shorter
    EXPECT_EQ(a.Delay(), 5);
    const TInputs out = a.Outgoing();
    ASSERT_EQ(out.Count, 5);
    EXPECT_EQ(out.Records[1].Tiller, 1);
    EXPECT_EQ(out.Records[2].Tiller, 2);
    EXPECT_EQ(out.Records[4].Tiller, 2);
    a.GrowDelay(40);
    EXPECT_EQ(a.Delay(), TLockstep::MaxDelay);
}

TEST(Lockstep, RecordsFarAheadOrConfirmationsOfRecordsNeverMadeAreNotTaken)
{
    TLockstep a(2);
    TInputs far;
    far.FirstTick = 1 + TLockstep::Window;
    far.Count = 1;
    EXPECT_FALSE(a.Received(far));
    EXPECT_EQ(a.ReceivedThrough(), 0);
    TInputs lying;
    lying.FirstTick = 1;
    lying.Count = 1;
    lying.ReceivedThrough = 100;
    EXPECT_FALSE(a.Received(lying));
    EXPECT_FALSE(a.AllConfirmed());
    TInputs honest = lying;
    honest.ReceivedThrough = 2;
    EXPECT_TRUE(a.Received(honest));
    EXPECT_TRUE(a.AllConfirmed());
    EXPECT_TRUE(a.Ready());
}

TEST(Lockstep, OnlyOnePauseWaitsAtATime)
{
    TLockstep a(2);
    a.QueueCommand({1, TTickRecord::Pause});
    a.QueueCommand({1, TTickRecord::Pause});
    a.QueueCommand({1, TTickRecord::Restart});
    TInputs in;
    in.FirstTick = 1;
    in.Count = 5;
    a.Received(in);
    std::vector<TTickRecord::TCommand> commands;
    for (int t = 0; t < 5; ++t)
        commands.push_back(a.Take().Local.Command);
    EXPECT_EQ(commands, (std::vector<TTickRecord::TCommand>{TTickRecord::None, TTickRecord::None, TTickRecord::Pause,
                                                             TTickRecord::Restart, TTickRecord::None}));
}

} // namespace
