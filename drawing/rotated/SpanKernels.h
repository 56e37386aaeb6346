#pragma once
// The span kernels of the rotated renderer: loops that copy runs of destination pixels from source positions
// stepped in 16.16, a table of them for each instruction set (one table chosen at first use from what the
// processor has), and TDXRMachine, which picks a draw's kernel from that table and feeds it the spans.
#include "drawing/FixedPoint.h"
#include "drawing/Rect.h"

#include <cstddef>
#include <cstdint>
#include <span>

// One span of a draw: Count destination pixels from (X, Y) on, the first of them from source position (U, V)
// in 16.16.
struct TSpanRun {
    int64_t U;
    int64_t V;
    int32_t X;
    int32_t Y;
    int32_t Count;
};

// Added to every run of a list: a shape's kept runs are relative to where it is drawn and the source rectangle.
struct TRunOrigin {
    int32_t X;
    int32_t Y;
    int64_t U;
    int64_t V;
};

// What the spans of one draw share.
struct TSpanJob {
    uint32_t* Dst = nullptr;
    std::ptrdiff_t DstPitch = 0;
    const uint32_t* Src = nullptr;
    std::ptrdiff_t SrcPitch = 0;
    int64_t DU = 0;
    int64_t DV = 0;
    // Keyed kernels leave source pixels with these 24 colour bits out and write the top byte of others as 0.
    uint32_t Key = 0;
};

// Draws the runs, each moved by the origin, and returns the bounding rectangle of the spans it drew (empty for
// none): every pixel it stored lies in it. Every source position visited must lie inside the source.
using TSpanKernel = TRect (*)(const TSpanJob& job, const TSpanRun* runs, int32_t count, const TRunOrigin& origin);

// One instruction set's kernels, each unkeyed [0] and keyed [1]. Only the scalar Narrow and Wide kernels keep
// the pixel-by-pixel order that a source in the destination's own surface needs; Rows, Strides and Narrow
// kernels are for narrow draws (see WidthOf).
struct TSpanKernels {
    const char* Name;
    // Steps of one whole source pixel to the right: row copies.
    TSpanKernel Rows[2];
    // Steps of whole source pixels in any direction.
    TSpanKernel Strides[2];
    // Any steps, 32-bit positions.
    TSpanKernel Narrow[2];
    // Any steps, 64-bit positions.
    TSpanKernel Wide[2];
};

const TSpanKernels& ScalarKernels();
// Null where the program or the processor lacks the instruction set.
const TSpanKernels* Sse2Kernels();
const TSpanKernels* Avx2Kernels();
// Every table this processor can run, the scalar one first; the renderer uses the last.
std::span<const TSpanKernels* const> KernelsOfThisProcessor();

// Steps of whole pixels (unit scale at whole and quarter turns) keep the fractions fixed, so the source pixel
// advances by a constant offset.
inline bool WholeSteps(const TSpanJob& job)
{
    return IsWholeStep(job.DU) && IsWholeStep(job.DV);
}
inline std::ptrdiff_t WholeStride(const TSpanJob& job)
{
    return static_cast<std::ptrdiff_t>(job.DU / kFixedOne) +
           static_cast<std::ptrdiff_t>(job.DV / kFixedOne) * job.SrcPitch;
}

// The kernel of the table for a draw, keyed or not, narrow or not.
TSpanKernel ChooseKernel(const TSpanKernels& kernels, const TSpanJob& job, bool keyed, bool narrow);

// The software span renderer behind rotated drawing. The kernel for the key mode and steps is chosen once per
// draw, when they are set.
class TDXRMachine {
public:
    TDXRMachine();
    void SetDestination(uint32_t* bits, std::ptrdiff_t pitchPixels);
    void SetSource(const uint32_t* bits, std::ptrdiff_t pitchPixels);
    void SetColorKey(bool enabled, uint32_t key);
    // Narrow: the draw's width verdict allows 32 bits.
    void SetSteps(int64_t du, int64_t dv, bool narrow);
    TRect RenderSpans(const TSpanRun* runs, int32_t count, const TRunOrigin& origin) const
    {
        return FKernel(FJob, runs, count, origin);
    }

private:
    void ChooseSpan();

    TSpanJob FJob;
    bool FKeyed = false;
    bool FNarrow = false;
    TSpanKernel FKernel = nullptr;
};

// The one renderer, created on first use.
TDXRMachine& DXRMachine();
