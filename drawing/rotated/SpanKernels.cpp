#include "drawing/rotated/SpanLoops.h"

#include <array>

std::span<const TSpanKernels* const> KernelsOfThisProcessor()
{
    static const auto tables = [] {
        std::array<const TSpanKernels*, 3> found{&ScalarKernels()};
        size_t count = 1;
        for (const TSpanKernels* kernels : {Sse2Kernels(), Avx2Kernels()})
            if (kernels)
                found[count++] = kernels;
        return std::pair{found, count};
    }();
    return {tables.first.data(), tables.second};
}

TSpanKernel ChooseKernel(const TSpanKernels& kernels, const TSpanJob& job, bool keyed, bool narrow)
{
    const auto key = static_cast<size_t>(keyed);
    // A draw within one surface keeps the pixel-by-pixel order: every read must see the writes before it.
    if (job.Src == job.Dst)
        return narrow ? ScalarKernels().Narrow[key] : ScalarKernels().Wide[key];
    if (!narrow)
        return kernels.Wide[key];
    if (WholeSteps(job))
        return WholeStride(job) == 1 ? kernels.Rows[key] : kernels.Strides[key];
    return kernels.Narrow[key];
}

TDXRMachine::TDXRMachine()
{
    ChooseSpan();
}

void TDXRMachine::SetDestination(uint32_t* bits, std::ptrdiff_t pitchPixels)
{
    FJob.Dst = bits;
    FJob.DstPitch = pitchPixels;
}

void TDXRMachine::SetSource(const uint32_t* bits, std::ptrdiff_t pitchPixels)
{
    FJob.Src = bits;
    FJob.SrcPitch = pitchPixels;
}

void TDXRMachine::SetColorKey(bool enabled, uint32_t key)
{
    FJob.Key = key & kColourBits;
    FKeyed = enabled;
    ChooseSpan();
}

void TDXRMachine::SetSteps(int64_t du, int64_t dv, bool narrow)
{
    FJob.DU = du;
    FJob.DV = dv;
    FNarrow = narrow;
    ChooseSpan();
}

void TDXRMachine::ChooseSpan()
{
    static const TSpanKernels& best = *KernelsOfThisProcessor().back();
    FKernel = ChooseKernel(best, FJob, FKeyed, FNarrow);
}

TDXRMachine& DXRMachine()
{
    static TDXRMachine machine;
    return machine;
}
