#include "platform/qt/StaleRegions.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr int Width = 96;
constexpr int Height = 64;

// A picture that changes in small rectangles, shown from a few buffers in turn as a compositor would let them
// go: every buffer shown must equal the picture of that moment, although each was painted only where stale.
struct TShowing {
    explicit TShowing(size_t buffers)
        : Picture(Width, Height, QImage::Format_RGB32)
    {
        Picture.fill(0x102030);
        for (size_t i = 0; i < buffers; ++i) {
            Buffers.emplace_back(Width, Height, QImage::Format_RGB32);
            Buffers.back().fill(0xDEAD00); // what fresh memory might hold
        }
        Stale.Reset(buffers, QRect(0, 0, Width, Height));
    }

    void Change(const QRect& r, QRgb colour)
    {
        QPainter(&Picture).fillRect(r, colour);
        Stale.Changed(QRegion(r));
    }

    // Brings the buffer up to date from the picture, painting only its stale part.
    const QImage& Show(size_t buffer)
    {
        QPainter painter(&Buffers[buffer]);
        for (const QRect& part : Stale.Take(buffer))
            painter.drawImage(part, Picture, part);
        return Buffers[buffer];
    }

    QImage Picture;
    std::vector<QImage> Buffers;
    TStaleRegions Stale;
};

TEST(StaleRegions, EveryBufferShownIsThePictureOfThatMoment)
{
    const struct {
        const char* Name;
        size_t Buffers;
        int MaxChanges;
    } cases[] = {
        {"one buffer let go at once", 1, 3},
        {"two in turn, the shown one held", 2, 3},
        {"three, held at random", 3, 3},
        {"many small changes on a long-held buffer", 3, 60},
    };
    for (const auto& c : cases) {
        TShowing showing(c.Buffers);
        std::mt19937 random(7);
        size_t shown = 0;
        for (int frame = 0; frame < 400; ++frame) {
            const int changes = std::uniform_int_distribution<int>(0, c.MaxChanges)(random);
            for (int i = 0; i < changes; ++i) {
                const int x = std::uniform_int_distribution<int>(-4, Width - 2)(random);
                const int y = std::uniform_int_distribution<int>(-4, Height - 2)(random);
                showing.Change(QRect(x, y, 1 + frame % 9, 1 + i % 7), 0xFF000000u | static_cast<QRgb>(random()));
            }
            // The buffer on show is held; any other may come next (with one buffer it is let go at once).
            size_t next = shown;
            if (c.Buffers > 1)
                while (next == shown)
                    next = std::uniform_int_distribution<size_t>(0, c.Buffers - 1)(random);
            ASSERT_EQ(showing.Show(next), showing.Picture) << c.Name << ", frame " << frame;
            shown = next;
        }
    }
}

TEST(StaleRegions, ANewSetIsStaleAllOverAndATakenBufferIsClean)
{
    TStaleRegions stale;
    stale.Reset(2, QRect(0, 0, 10, 5));
    EXPECT_EQ(stale.Take(1), QRegion(0, 0, 10, 5));
    EXPECT_TRUE(stale.Take(1).isEmpty());
    stale.Changed(QRegion(2, 2, 3, 1));
    EXPECT_EQ(stale.Take(1), QRegion(2, 2, 3, 1));
    EXPECT_EQ(stale.Take(0), QRegion(0, 0, 10, 5));
    // Out of range: nothing, and no harm.
    EXPECT_TRUE(stale.Take(2).isEmpty());
}

} // namespace
