#include "network/TickRecords.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The records used as a race without guesses uses them: a tick runs once the other's record is here.
struct TLockstep : TTickRecords {
    using TTickRecords::TTickRecords;
    struct TTick {
        TTickRecord Local;
        TTickRecord Remote;
    };
    int64_t NextTick() const { return Settled() + 1; }
    bool Ready() const { return Remote(NextTick()) != nullptr; }
    TTick Take()
    {
        const int64_t tick = NextTick();
        MakeFor(tick);
        const TTick taken{Local(tick), *Remote(tick)};
        Settle(tick);
        return taken;
    }
};

// Two streams of records joined by a line that loses, repeats and reorders messages. Whatever the line does,
// both see the same pair of records for every tick, and a key takes effect exactly D ticks later.
TEST(TickRecords, BothSidesSeeTheSameRecordsThroughALossyLine)
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

TEST(TickRecords, TheDelayStaysWithinItsBoundsAndFillsItsTicksAmidships)
{
    for (const auto& [asked, kept] : {std::pair{-1, 0}, {0, 0}, {2, 2}, {4, 4}, {9, TTickRecords::MaxDelay}}) {
        TTickRecords a(asked);
        EXPECT_EQ(a.Delay(), kept) << asked;
        a.SetLocalTiller(TTiller::Starboard);
        a.MakeFor(1);
        for (int64_t tick = 1; tick <= kept; ++tick)
            EXPECT_EQ(a.Local(tick).Tiller, TTiller::Amidships) << asked << ", tick " << tick;
        EXPECT_EQ(a.Local(kept + 1).Tiller, TTiller::Starboard) << asked;
    }
}

// The guess for a tick whose record has not come: the last tiller that came without a gap, never a command.
TEST(TickRecords, TheGuessIsTheLastTillerThatCameWithoutAGap)
{
    TTickRecords a(2);
    EXPECT_EQ(a.Guess(), TTickRecord{});
    TInputs in;
    in.FirstTick = 1;
    in.Count = 2;
    in.Records[0] = {TTiller::Port, TTickRecord::None};
    in.Records[1] = {TTiller::Starboard, TTickRecord::Restart};
    a.Received(in);
    EXPECT_EQ(a.Guess(), (TTickRecord{TTiller::Starboard, TTickRecord::None}));
    // A later record beyond a gap is kept but not guessed from.
    in.FirstTick = 4;
    in.Count = 1;
    in.Records[0] = {TTiller::Port, TTickRecord::None};
    a.Received(in);
    EXPECT_EQ(a.Guess().Tiller, TTiller::Starboard);
    EXPECT_EQ(a.Remote(3), nullptr);
    ASSERT_NE(a.Remote(4), nullptr);
    // Settled ticks' records are let go.
    a.Settle(2);
    EXPECT_EQ(a.Remote(2), nullptr);
    EXPECT_EQ(a.Guess().Tiller, TTiller::Starboard);
}

TEST(TickRecords, RecordsFarAheadOrConfirmationsOfRecordsNeverMadeAreNotTaken)
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

TEST(TickRecords, OnlyOnePauseWaitsAtATime)
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
TEST(TickRecords, TheOtherSidesRecordsAtTheEdges)
{
    struct TStep {
        enum TKind { Receive, Take, Ready, Through, Out } Kind;
        // Receive: Count records from First, all with the tiller, confirming through Confirms; Usable is the
        // expected answer. Take: the tiller of the other side's record. Ready: whether the
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
    constexpr int64_t W = TTickRecords::Window;
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
