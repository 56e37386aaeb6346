// The width verdict of a draw against what its row walk needs: wherever it allows 32 or 64 bits, the walk in that
// width plans exactly the spans that the walk in 128 bits plans.
#include "drawing/rotated/RowWalker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <vector>

namespace {

struct TWalk {
    Int128 U;
    Int128 V;
    int64_t Rows;
    TSteps Steps;
    TBounds Bounds;
    int64_t Room;
};

std::string Describe(const TWalk& w)
{
    std::ostringstream out;
    out << "u " << static_cast<double>(w.U) << " v " << static_cast<double>(w.V) << " rows " << w.Rows << " steps "
        << w.Steps.DU << "," << w.Steps.DV << "," << w.Steps.EU << "," << w.Steps.EV << " bounds " << w.Bounds.L
        << "," << w.Bounds.T << "," << w.Bounds.R << "," << w.Bounds.B << " room " << w.Room;
    return out.str();
}

// Every row's span (skip, count, start position), widened to 128 bits.
template <typename Wide>
std::vector<Int128> Spans(const TWalk& w)
{
    std::vector<Int128> spans;
    TRowWalker<Wide> walker(static_cast<Wide>(w.U), static_cast<Wide>(w.V), w.Steps, w.Bounds);
    for (int64_t r = 0; r < w.Rows; ++r, walker.Next()) {
        const auto span = walker.Plan(static_cast<Wide>(w.Room));
        spans.insert(spans.end(), {Int128{span.Skip}, Int128{span.Count}, Int128{span.U}, Int128{span.V}});
    }
    return spans;
}

// Checks the walk in the verdict's width; returns the verdict.
TWidth CheckWalk(const TWalk& w)
{
    const TWidth width = WidthOf(w.U, w.V, w.Rows, w.Steps, w.Bounds, w.Room, 64);
    const std::vector<Int128> exact = Spans<Int128>(w);
    if (width == TWidth::Narrow) {
        EXPECT_TRUE(Spans<int32_t>(w) == exact) << "32 bits: " << Describe(w);
    }
    if (width != TWidth::Huge) {
        EXPECT_TRUE(Spans<int64_t>(w) == exact) << "64 bits: " << Describe(w);
    }
    return width;
}

int64_t Signed(std::mt19937_64& random, int64_t magnitude)
{
    return magnitude <= 0 ? 0 : std::uniform_int_distribution<int64_t>(-magnitude, magnitude)(random);
}

// Walks whose largest term lies around a bound, each term in turn allowed to be the largest: the start
// position, the last row's position, a step, a bound of the source, or a span step times the room.
void SweepAround(int64_t bound, TWidth below, int& allowed, int& refused)
{
    std::mt19937_64 random(static_cast<uint64_t>(bound));
    const int64_t rowChoices[] = {1, 2, 57, 750};
    const int64_t roomChoices[] = {1, 8, 64, 1076};
    for (int n = 0; n < 3000; ++n) {
        // Up to sixteen times the bound, where the narrower walk overflows.
        const double scale = std::exp2(std::uniform_real_distribution<double>(-2.0, 4.0)(random));
        const auto reach = static_cast<int64_t>(static_cast<double>(bound) * scale);
        const auto big = [&](int64_t divisor) { return random() % 3 == 0 ? reach / divisor : reach / 4096 / divisor; };
        TWalk w{};
        w.Rows = rowChoices[random() % 4];
        w.Room = roomChoices[random() % 4];
        w.U = Signed(random, big(1));
        w.V = Signed(random, big(1));
        w.Steps = {Signed(random, big(w.Room)) | 1, Signed(random, big(w.Room)), Signed(random, big(w.Rows)),
                   Signed(random, big(w.Rows)) | 1};
        const int64_t left = Signed(random, big(2));
        const int64_t top = Signed(random, big(2));
        w.Bounds = {std::abs(left), std::abs(top), std::abs(left) + 1 + std::abs(Signed(random, big(2))),
                    std::abs(top) + 1 + std::abs(Signed(random, big(2)))};
        const TWidth width = CheckWalk(w);
        allowed += width <= below ? 1 : 0;
        refused += width > below ? 1 : 0;
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(RotatedWidth, WalksInTheNarrowestAllowedWidthPlanTheSameSpans)
{
    int narrow = 0;
    int wider = 0;
    SweepAround(kNarrowBound, TWidth::Narrow, narrow, wider);
    int wide = 0;
    int huge = 0;
    SweepAround(kWideBound, TWidth::Wide, wide, huge);
    // Both sides of each bound must have been taken often, or the sweep proves little.
    EXPECT_GT(narrow, 300) << narrow;
    EXPECT_GT(wider, 300) << wider;
    EXPECT_GT(wide, 300) << wide;
    EXPECT_GT(huge, 300) << huge;
}

TEST(RotatedWidth, EachTermJustBelowTheBoundStillWalksNarrowAndAtTheBoundDoesNot)
{
    const TSteps small{3, -5, 7, 11};
    const TBounds source{0, 0, 100, 100};
    // Each walk has the term as its largest; Narrow at the largest value below the bound, Wide at the bound.
    const struct {
        const char* Term;
        TWalk (*Walk)(int64_t largest);
        int64_t Below;
    } cases[] = {
        {"start u", [](int64_t t) { return TWalk{t, 0, 4, {3, -5, 7, 11}, {0, 0, 100, 100}, 8}; }, kNarrowBound - 1},
        {"start v", [](int64_t t) { return TWalk{0, -t, 4, {3, -5, 7, 11}, {0, 0, 100, 100}, 8}; }, kNarrowBound - 1},
        {"last row", [](int64_t t) { return TWalk{0, 0, 2, {3, -5, t, 11}, {0, 0, 100, 100}, 8}; }, kNarrowBound - 1},
        {"step", [](int64_t t) { return TWalk{0, 0, 4, {-t, 1, 7, 11}, {0, 0, 100, 100}, 1}; }, kNarrowBound - 1},
        {"bound", [](int64_t t) { return TWalk{0, 0, 4, {3, -5, 7, 11}, {t - 100, 0, t, 100}, 8}; }, kNarrowBound - 1},
        {"span", [](int64_t t) { return TWalk{0, 0, 4, {1, t / 1024, 7, 11}, {0, 0, 100, 100}, 1024}; },
         kNarrowBound - 1024},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckWalk(c.Walk(c.Below)), TWidth::Narrow) << c.Term;
        EXPECT_EQ(CheckWalk(c.Walk(kNarrowBound)), TWidth::Wide) << c.Term;
    }
    EXPECT_EQ(WidthOf(0, 0, 4, small, source, 8, kNarrowPitch - 1), TWidth::Narrow);
    EXPECT_EQ(WidthOf(0, 0, 4, small, source, 8, kNarrowPitch), TWidth::Wide);
}

} // namespace
