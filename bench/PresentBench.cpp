// Presenting a frame through the drawing area's widget (offscreen platform), against a plain copy of it.
#include "bench/PeerTable.h"
#include "bench/cases/SpriteCases.h"
#include "platform/qt/QtPresentWindow.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

struct TShownArea {
    QWidget Form;
    TQtPresentWindow* Area;
    std::vector<uint32_t> Pixels = std::vector<uint32_t>(size_t{FrameWidth} * FrameHeight, 0x204060);

    TShownArea() : Area(new TQtPresentWindow(&Form))
    {
        Form.resize(FrameWidth, FrameHeight);
        Area->setGeometry(0, 0, FrameWidth, FrameHeight);
        Form.show();
        (void)QTest::qWaitForWindowExposed(&Form);
    }
    TPixelView View() const
    {
        return {.Pixels = Pixels.data(), .Width = FrameWidth, .Height = FrameHeight, .PitchPixels = FrameWidth,
                .Whole = true, .Changed = {}};
    }
    void Present()
    {
        int32_t x = 0;
        int32_t y = 0;
        Area->ClientOriginOnScreen(x, y);
        Area->Present(View(), x, y, FrameWidth, FrameHeight);
    }
};

void BM_PresentFrame(benchmark::State& state)
{
    TShownArea shown;
    uint32_t colour = 0;
    for (auto _ : state) {
        // Every pixel changes.
        std::fill(shown.Pixels.begin(), shown.Pixels.end(), ++colour & 0xFFFFFFu);
        shown.Present();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PresentFrame);

// A tick's worth of change: eight sprite-sized patches move by a pixel.
void BM_PresentTick(benchmark::State& state)
{
    TShownArea shown;
    const auto draws = FrameDraws();
    int32_t shift = 0;
    for (auto _ : state) {
        shift = (shift + 1) % 8;
        for (const TSpriteDraw& draw : draws)
            for (int32_t y = draw.Y - 40; y < draw.Y + 20; ++y)
                std::fill_n(&shown.Pixels[size_t{FrameWidth} * y + draw.X - 30 + shift], 60, 0x008080u);
        shown.Present();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PresentTick);

// The peer: the frame copied once, as a present that keeps its own image must at least do, plus the same fill.
void BM_PresentCopy(benchmark::State& state)
{
    std::vector<uint32_t> from(size_t{FrameWidth} * FrameHeight);
    QImage to(FrameWidth, FrameHeight, QImage::Format_RGB32);
    uint32_t colour = 0;
    for (auto _ : state) {
        std::fill(from.begin(), from.end(), ++colour & 0xFFFFFFu);
        for (int32_t y = 0; y < FrameHeight; ++y)
            std::memcpy(to.scanLine(y), &from[size_t{FrameWidth} * y], FrameWidth * sizeof(uint32_t));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PresentCopy);

const bool kPeers = [] {
    RegisterPeer("BM_PresentFrame", "BM_PresentCopy");
    RegisterPeer("BM_PresentTick", "BM_PresentCopy");
    return true;
}();

} // namespace
