// Every span kernel this processor can run, on random spans that meet its kind's conditions, against the
// obvious per-pixel copy: the same pixels, and the reported rectangle the bounding box of the spans drawn.
#include "drawing/rotated/SpanKernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <vector>

namespace {

enum class TKind { Rows, Strides, Narrow, Wide };

struct TKindCase {
    const char* Name;
    TKind Kind;
    // The source is this large; the wide kernels get one whose positions pass 2^31.
    int32_t SourceWidth;
    int32_t SourceHeight;
};

constexpr TKindCase kKinds[] = {{"Rows", TKind::Rows, 61, 23},
                                {"Strides", TKind::Strides, 61, 23},
                                {"Narrow", TKind::Narrow, 61, 23},
                                {"Wide", TKind::Wide, 70000, 3}};

TSpanKernel KernelOf(const TSpanKernels& kernels, TKind kind, bool keyed)
{
    const auto key = static_cast<size_t>(keyed);
    switch (kind) {
    case TKind::Rows:
        return kernels.Rows[key];
    case TKind::Strides:
        return kernels.Strides[key];
    case TKind::Narrow:
        return kernels.Narrow[key];
    case TKind::Wide:
        break;
    }
    return kernels.Wide[key];
}

constexpr uint32_t kKey = 0xFF00FF;

struct TSpans {
    std::vector<uint32_t> Source;
    int32_t SourcePitch = 0;
    int64_t DU = 0;
    int64_t DV = 0;
    std::vector<TSpanRun> Runs;
    TRunOrigin Origin{};
};

constexpr int32_t kTargetWidth = 50;
constexpr int32_t kTargetHeight = 48;

int64_t Between(std::mt19937& random, int64_t low, int64_t high)
{
    return std::uniform_int_distribution<int64_t>(low, high)(random);
}

// A start position from which count steps of d stay within [0, size) in 16.16, or false if none does.
bool StartWithin(std::mt19937& random, int64_t size, int64_t d, int32_t count, int64_t& start)
{
    const int64_t travel = int64_t{count > 0 ? count - 1 : 0} * d;
    const int64_t low = std::max<int64_t>(0, -travel);
    const int64_t high = std::min<int64_t>(ToFixed(size) - 1, ToFixed(size) - 1 - travel);
    if (low > high)
        return false;
    start = Between(random, low, high);
    return true;
}

// Keys, keys with a top byte, and other colours with and without one; rows a little longer than the width.
std::vector<uint32_t> RandomSource(std::mt19937& random, const TKindCase& kind, int32_t pitch)
{
    std::vector<uint32_t> source(static_cast<size_t>(pitch) * static_cast<size_t>(kind.SourceHeight));
    for (uint32_t& pixel : source)
        pixel = random() % 3 == 0 ? kKey | (random() % 2 ? 0xAB000000u : 0) : static_cast<uint32_t>(random());
    return source;
}

TSpans RandomSpans(std::mt19937& random, const TKindCase& kind, const std::vector<uint32_t>& source, int32_t pitch)
{
    TSpans spans;
    spans.SourcePitch = pitch;
    spans.Source = source;
    const int64_t one = kFixedOne;
    switch (kind.Kind) {
    case TKind::Rows:
        spans.DU = one;
        break;
    case TKind::Strides:
        spans.DU = one * Between(random, -2, 2);
        spans.DV = one * Between(random, -1, 1);
        break;
    case TKind::Narrow:
        spans.DU = Between(random, -2 * one, 2 * one);
        spans.DV = Between(random, -one, one);
        break;
    case TKind::Wide:
        spans.DU = Between(random, -3000 * one, 3000 * one);
        spans.DV = Between(random, -one / 8, one / 8);
        break;
    }
    spans.Origin = {static_cast<int32_t>(Between(random, -20, 20)), static_cast<int32_t>(Between(random, -20, 20)),
                    Between(random, -ToFixed(9), ToFixed(9)), Between(random, -ToFixed(9), ToFixed(9))};
    // One run to a row, rows in random order, some of them empty; lengths around the blocks of four and eight.
    std::vector<int32_t> rows(kTargetHeight);
    for (int32_t y = 0; y < kTargetHeight; ++y)
        rows[static_cast<size_t>(y)] = y;
    std::shuffle(rows.begin(), rows.end(), random);
    const auto runCount = static_cast<size_t>(Between(random, 1, kTargetHeight));
    for (size_t i = 0; i < runCount; ++i) {
        auto count = static_cast<int32_t>(random() % 8 == 0 ? 0 : Between(random, 1, 40));
        int64_t u = 0;
        int64_t v = 0;
        while (!StartWithin(random, kind.SourceWidth, spans.DU, count, u) ||
               !StartWithin(random, kind.SourceHeight, spans.DV, count, v))
            count /= 2;
        const auto x = static_cast<int32_t>(Between(random, 0, kTargetWidth - count));
        spans.Runs.push_back(
            {u - spans.Origin.U, v - spans.Origin.V, x - spans.Origin.X, rows[i] - spans.Origin.Y, count});
    }
    return spans;
}

// Pixel by pixel, as the draw is defined; returns the bounding box of the runs that draw anything.
TRect CopyByPixel(std::vector<uint32_t>& target, const TSpans& spans, bool keyed)
{
    TRect box;
    for (const TSpanRun& run : spans.Runs) {
        const int32_t x = run.X + spans.Origin.X;
        const int32_t y = run.Y + spans.Origin.Y;
        for (int32_t k = 0; k < run.Count; ++k) {
            const int64_t u = run.U + spans.Origin.U + k * spans.DU;
            const int64_t v = run.V + spans.Origin.V + k * spans.DV;
            const uint32_t pixel = spans.Source[static_cast<size_t>((v >> 16) * spans.SourcePitch + (u >> 16))];
            uint32_t& at = target[static_cast<size_t>(y * kTargetWidth + x + k)];
            if (!keyed)
                at = pixel;
            else if ((pixel & 0xFFFFFFu) != kKey)
                at = pixel & 0xFFFFFFu;
        }
        if (run.Count <= 0)
            continue;
        box = box.Empty() ? TRect{x, y, x + run.Count, y + 1}
                          : TRect{std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + run.Count),
                                  std::max(box.Bottom, y + 1)};
    }
    return box;
}

// Test logs name the kind instead of dumping its bytes.
void PrintTo(const TKindCase& kind, std::ostream* os)
{
    *os << kind.Name;
}

class RotatedKernels : public ::testing::TestWithParam<TKindCase> {};

TEST_P(RotatedKernels, EveryTableDrawsLikeThePixelByPixelCopyAndReportsWhatItDrew)
{
    const TKindCase& kind = GetParam();
    const auto tables = KernelsOfThisProcessor();
    ASSERT_EQ(tables.front(), &ScalarKernels());
    std::mt19937 random(static_cast<uint32_t>(kind.Kind) * 7919u + 1u);
    const int32_t pitch = kind.SourceWidth + 3;
    const std::vector<uint32_t> source = RandomSource(random, kind, pitch);
    for (int n = 0; n < 300; ++n) {
        const TSpans spans = RandomSpans(random, kind, source, pitch);
        std::vector<uint32_t> before(static_cast<size_t>(kTargetWidth) * kTargetHeight);
        for (uint32_t& pixel : before)
            pixel = static_cast<uint32_t>(random());
        for (const bool keyed : {false, true}) {
            std::vector<uint32_t> expected = before;
            const TRect box = CopyByPixel(expected, spans, keyed);
            for (const TSpanKernels* kernels : tables) {
                std::vector<uint32_t> target = before;
                const TSpanJob job{target.data(), kTargetWidth, spans.Source.data(), spans.SourcePitch,
                                   spans.DU, spans.DV, kKey};
                const TRect drawn = KernelOf(*kernels, kind.Kind, keyed)(
                    job, spans.Runs.data(), static_cast<int32_t>(spans.Runs.size()), spans.Origin);
                ASSERT_EQ(target, expected) << kernels->Name << " keyed " << keyed << " case " << n;
                ASSERT_EQ(drawn, box) << kernels->Name << " keyed " << keyed << " case " << n << ": reported ("
                                      << drawn.Left << "," << drawn.Top << "," << drawn.Right << "," << drawn.Bottom
                                      << ")";
            }
        }
    }
}

std::string KindName(const ::testing::TestParamInfo<TKindCase>& kind)
{
    return kind.param.Name;
}

INSTANTIATE_TEST_SUITE_P(Kinds, RotatedKernels, ::testing::ValuesIn(kKinds), KindName);

TEST(RotatedKernels, TheScalarSteppedKernelsReadWhatTheyHaveJustWrittenInOneSurface)
{
    // The only kernels a draw of a surface onto itself gets: each read must see every store before it.
    std::mt19937 random(41);
    const TKindCase kind{"Narrow", TKind::Narrow, kTargetWidth, kTargetHeight};
    for (int n = 0; n < 200; ++n) {
        const TSpans spans = RandomSpans(random, kind, RandomSource(random, kind, kTargetWidth), kTargetWidth);
        for (const bool keyed : {false, true}) {
            TSpans expected = spans;
            CopyByPixel(expected.Source, expected, keyed);
            for (const TSpanKernel kernel : {ScalarKernels().Narrow[keyed], ScalarKernels().Wide[keyed]}) {
                std::vector<uint32_t> surface = spans.Source;
                const TSpanJob job{surface.data(), kTargetWidth, surface.data(), kTargetWidth, spans.DU, spans.DV,
                                   kKey};
                kernel(job, spans.Runs.data(), static_cast<int32_t>(spans.Runs.size()), spans.Origin);
                ASSERT_EQ(surface, expected.Source) << "keyed " << keyed << " case " << n;
            }
        }
    }
}

} // namespace
