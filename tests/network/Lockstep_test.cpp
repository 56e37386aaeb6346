#include "network/Lockstep.h"
#include "network/NetRace.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
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
    std::vector<TTiller> pressedA;
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
            const auto tiller = static_cast<TTiller>(ranA.size() % 7 % 3);
            a.SetLocalTiller(tiller);
            pressedA.push_back(tiller);
            if (ranA.size() == 500)
                a.QueueCommand({TTiller::Amidships, TTickRecord::Restart});
            ranA.push_back(a.Take());
        }
        if (b.Ready() && ranB.size() < 2000) {
            b.SetLocalTiller(static_cast<TTiller>(ranB.size() % 5 % 3));
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
        EXPECT_EQ(ranA[t].Local.Tiller, TTiller::Amidships);
    for (size_t t = 3; t < ranA.size(); ++t)
        ASSERT_EQ(ranA[t].Local.Tiller, pressedA[t - 3]) << "tick " << t + 1;
    EXPECT_EQ(ranA[503].Local.Command, TTickRecord::Restart);
}

TEST(Lockstep, ALongerDelayFillsTheGapWithTheTillerHeld)
{
    TLockstep a(2);
    a.SetLocalTiller(TTiller::Starboard);
    a.GrowDelay(5);
    a.GrowDelay(3); // never shorter
    EXPECT_EQ(a.Delay(), 5);
    const TInputs out = a.Outgoing();
    ASSERT_EQ(out.Count, 5);
    EXPECT_EQ(out.Records[1].Tiller, TTiller::Amidships);
    EXPECT_EQ(out.Records[2].Tiller, TTiller::Starboard);
    EXPECT_EQ(out.Records[4].Tiller, TTiller::Starboard);
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
    a.QueueCommand({TTiller::Amidships, TTickRecord::Pause});
    a.QueueCommand({TTiller::Amidships, TTickRecord::Pause});
    a.QueueCommand({TTiller::Amidships, TTickRecord::Restart});
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

// The edges of the stream of the other side's records, each case a few messages and what must follow.
TEST(Lockstep, TheOtherSidesRecordsAtTheEdges)
{
    struct TStep {
        enum TKind { Receive, Take, Grow, Ready, Through, Out } Kind;
        // Receive: Count records from First, all with the tiller, confirming through Confirms; Usable is the
        // expected answer. Take: the tiller of the other side's record. Grow: the delay. Ready: whether the
        // next tick can run. Through: ReceivedThrough. Out: what Outgoing starts at and holds.
        int64_t A = 0;
        int64_t B = 0;
        int64_t Tiller = 0;
        int64_t Confirms = 0;
        bool Usable = true;
    };
    using K = TStep::TKind;
    const auto receive = [](int64_t first, int64_t count, int64_t tiller, int64_t confirms = 0, bool usable = true) {
        return TStep{K::Receive, first, count, tiller, confirms, usable};
    };
    const auto take = [](int64_t tiller) { return TStep{K::Take, 0, 0, tiller}; };
    const auto ready = [](bool value) { return TStep{K::Ready, value}; };
    const auto through = [](int64_t tick) { return TStep{K::Through, tick}; };
    const auto out = [](int64_t first, int64_t count) { return TStep{K::Out, first, count}; };
    const auto grow = [](int64_t delay) { return TStep{K::Grow, delay}; };
    constexpr int64_t W = TLockstep::Window;
    const struct {
        const char* Name;
        std::vector<TStep> Steps;
    } cases[] = {
        {"a record that comes twice keeps what came first",
         {receive(1, 4, 2), receive(1, 4, 0), take(2), take(2), take(2), take(2), through(4), ready(false)}},
        {"records of ticks already run are let go",
         {receive(1, 2, 2), take(2), take(2), receive(1, 2, 0), ready(false), through(2), receive(3, 1, 0), take(0)}},
        {"a gap holds the tick until it is filled, however the rest comes",
         {receive(3, 2, 0), ready(false), through(0), receive(2, 1, 2), ready(false), through(0), receive(1, 1, 2),
          through(4), take(2), take(2), take(0), take(0), ready(false)}},
        {"the window is counted from the next tick",
         {receive(1 + W, 1, 0, 0, false), receive(W, 1, 0), receive(1, 1, 2), take(2), receive(1 + W, 1, 0),
          through(1), ready(false)}},
        {"a confirmation never goes back",
         {out(1, 2), receive(1, 1, 2, 2), out(3, 0), receive(2, 1, 2, 1), out(3, 0), take(2), out(3, 1),
          receive(3, 1, 2, 0), out(3, 1)}},
        {"the delay grows mid-stream without a gap, and confirmations follow it",
         {receive(1, 5, 2), take(2), take(2), take(2), out(1, 5), receive(4, 1, 2, 8, false), grow(5), out(1, 8),
          receive(4, 1, 2, 8), out(9, 0), take(2), out(9, 1), grow(3), out(9, 1)}},
    };
    for (const auto& c : cases) {
        TLockstep a(2);
        for (size_t i = 0; i < c.Steps.size(); ++i) {
            const TStep& step = c.Steps[i];
            const std::string where = std::string(c.Name) + ", step " + std::to_string(i + 1);
            switch (step.Kind) {
            case K::Receive: {
                TInputs in;
                in.FirstTick = static_cast<uint32_t>(step.A);
                in.Count = static_cast<uint8_t>(step.B);
                for (auto& record : in.Records)
                    record.Tiller = static_cast<TTiller>(step.Tiller);
                in.ReceivedThrough = static_cast<uint32_t>(step.Confirms);
                EXPECT_EQ(a.Received(in), step.Usable) << where;
                break;
            }
            case K::Take:
                ASSERT_TRUE(a.Ready()) << where;
                EXPECT_EQ(static_cast<int64_t>(a.Take().Remote.Tiller), step.Tiller) << where;
                break;
            case K::Grow:
                a.GrowDelay(static_cast<int32_t>(step.A));
                break;
            case K::Ready:
                EXPECT_EQ(a.Ready(), step.A != 0) << where;
                break;
            case K::Through:
                EXPECT_EQ(a.ReceivedThrough(), step.A) << where;
                break;
            case K::Out: {
                const TInputs sent = a.Outgoing();
                EXPECT_EQ(sent.FirstTick, step.A) << where;
                EXPECT_EQ(sent.Count, step.B) << where;
                break;
            }
            }
        }
    }
}

} // namespace
