#include "drawing/JpegEncode.h"

#include "drawing/JpegError.h"

#include <cstdlib>
#include <memory>

// clang-format off
#include <jerror.h>
// clang-format on

// As with decoding, the library runs in a plain frame; the output grows in a malloc'd buffer that the
// caller copies out and frees, whether the run succeeded or not.
namespace {

struct TEncodeJob {
    const uint32_t* Pixels;
    uint32_t Width;
    uint32_t Height;
    int Quality;
    uint8_t* Row; // Width x 3 bytes
    uint8_t* Buffer;
    size_t Capacity;
    size_t Length;
    int Error;
};

struct TGrowingDestination {
    jpeg_destination_mgr Manager; // first member: the library's pointer to it is a pointer to this
    TEncodeJob* Job;
};

TGrowingDestination& DestinationOf(j_compress_ptr cinfo)
{
    return *reinterpret_cast<TGrowingDestination*>(cinfo->dest);
}

void Grow(j_compress_ptr cinfo)
{
    TGrowingDestination& dest = DestinationOf(cinfo);
    TEncodeJob& job = *dest.Job;
    const size_t capacity = job.Capacity == 0 ? size_t{1} << 16 : job.Capacity * 2;
    void* grown = std::realloc(job.Buffer, capacity);
    if (grown == nullptr)
        FailJpeg(reinterpret_cast<j_common_ptr>(cinfo), JERR_OUT_OF_MEMORY);
    job.Buffer = static_cast<uint8_t*>(grown);
    job.Capacity = capacity;
    dest.Manager.next_output_byte = job.Buffer + job.Length;
    dest.Manager.free_in_buffer = capacity - job.Length;
}

void InitDestination(j_compress_ptr cinfo) { Grow(cinfo); }

boolean EmptyOutputBuffer(j_compress_ptr cinfo)
{
    // Called only when the whole buffer is full.
    TEncodeJob& job = *DestinationOf(cinfo).Job;
    job.Length = job.Capacity;
    Grow(cinfo);
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo)
{
    TGrowingDestination& dest = DestinationOf(cinfo);
    dest.Job->Length = dest.Job->Capacity - dest.Manager.free_in_buffer;
}

bool RunEncode(TEncodeJob* job)
{
    jpeg_compress_struct cinfo = {};
    TJpegErrorTrap trap;
    TGrowingDestination dest = {};
    cinfo.err = InstallJpegErrorTrap(trap);
    if (setjmp(trap.Jump)) {
        job->Error = trap.Manager.msg_code;
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    dest.Manager.init_destination = InitDestination;
    dest.Manager.empty_output_buffer = EmptyOutputBuffer;
    dest.Manager.term_destination = TermDestination;
    dest.Job = job;
    cinfo.dest = &dest.Manager;

    cinfo.image_width = job->Width;
    cinfo.image_height = job->Height;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, job->Quality, TRUE);
    cinfo.write_JFIF_header = TRUE;
    cinfo.JFIF_major_version = 1;
    cinfo.JFIF_minor_version = 1;
    cinfo.density_unit = 1; // dots per inch
    cinfo.X_density = 72;
    cinfo.Y_density = 72;
    cinfo.comp_info[0].h_samp_factor = 2;
    cinfo.comp_info[0].v_samp_factor = 2;
    for (int c = 1; c < 3; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }

    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint32_t* in = job->Pixels + static_cast<size_t>(cinfo.next_scanline) * job->Width;
        uint8_t* rgb = job->Row;
        for (uint32_t x = 0; x < job->Width; ++x, rgb += 3) {
            rgb[0] = static_cast<uint8_t>(in[x] >> 16);
            rgb[1] = static_cast<uint8_t>(in[x] >> 8);
            rgb[2] = static_cast<uint8_t>(in[x]);
        }
        JSAMPROW row = job->Row;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

struct TFree {
    void operator()(uint8_t* p) const { std::free(p); }
};

} // namespace

std::vector<uint8_t> EncodeJpeg(const TPixelImage& image, int quality)
{
    if (image.Width < 0 || image.Height < 0 ||
        image.Pixels.size() != static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height))
        RaiseJpegError(JERR_BUFFER_SIZE);
    const auto width = static_cast<uint32_t>(image.Width);
    std::vector<uint8_t> row(size_t{width} * 3);
    TEncodeJob job{image.Pixels.data(), width, static_cast<uint32_t>(image.Height), quality, row.data(), nullptr, 0, 0, 0};
    const bool done = RunEncode(&job);
    const std::unique_ptr<uint8_t, TFree> buffer(job.Buffer);
    if (!done)
        RaiseJpegError(job.Error);
    return std::vector<uint8_t>(job.Buffer, job.Buffer + job.Length);
}
