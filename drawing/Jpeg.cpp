#include "drawing/Jpeg.h"

#include "drawing/JpegError.h"

// clang-format off
#include <jerror.h>
// clang-format on

// The library is driven from plain functions below: between their setjmp and the library's longjmp no
// object with a destructor may live, so buffers are made by the caller and handed in as raw pointers.
namespace {

struct THeaderJob {
    const uint8_t* Data;
    size_t Size;
    uint32_t Width;
    uint32_t Height;
    bool Grayscale;
    bool Progressive;
    uint64_t Blocks;       // 8 x 8 blocks of all components together
    uint64_t BitsPerBlock; // the least coded data a block can take
    int Error;
};

struct TDecodeJob {
    const uint8_t* Data;
    size_t Size;
    uint32_t Width;
    uint32_t Height;
    uint8_t* Row;  // Width x 3 bytes
    uint32_t* Out; // Width x Height pixels
    int Error;
};

// The library's own working memory (a progressive picture keeps all its coefficients): enough for a
// progressive picture of some 20 million pixels, and with the largest decoded picture still below 320 MiB.
constexpr long LibraryMemoryLimit = 64L << 20;

// Whether a picture of several scans has all of them. A progressive picture must have every coefficient
// of every component refined to its last bit, as every writer sends it; otherwise it was cut between
// scans (an end marker put after the cut changes nothing). Other pictures of several scans cannot be
// checked that way: one that reached the end of the stream without its end marker is not trusted.
bool ScansComplete(j_decompress_ptr cinfo, bool reachedEnd)
{
    if (!jpeg_has_multiple_scans(cinfo))
        return true;
    if (!cinfo->progressive_mode || cinfo->coef_bits == nullptr)
        return !reachedEnd;
    for (int c = 0; c < cinfo->num_components; ++c)
        for (int k = 0; k < DCTSIZE2; ++k)
            if (cinfo->coef_bits[c][k] != 0)
                return false;
    return true;
}

bool RunReadHeader(THeaderJob* job)
{
    jpeg_decompress_struct cinfo = {};
    TJpegErrorTrap trap;
    cinfo.err = InstallJpegErrorTrap(trap);
    if (setjmp(trap.Jump)) {
        job->Error = trap.Manager.msg_code;
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, job->Data, job->Size);
    jpeg_read_header(&cinfo, TRUE);
    job->Width = cinfo.image_width;
    job->Height = cinfo.image_height;
    job->Grayscale = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    job->Progressive = cinfo.progressive_mode != 0;
    job->Blocks = 0;
    for (int c = 0; c < cinfo.num_components; ++c)
        job->Blocks += uint64_t{cinfo.comp_info[c].width_in_blocks} * cinfo.comp_info[c].height_in_blocks;
    // A sequential Huffman block codes its DC difference and at least one AC code (an end of block), each a
    // bit at the least. A progressive picture may end all AC scans in runs, leaving the one bit of its DC.
    // Arithmetic coding could squeeze a flat picture below a bit a block; such a picture is refused on the
    // safe side.
    job->BitsPerBlock = cinfo.progressive_mode || cinfo.arith_code ? 1 : 2;
    jpeg_destroy_decompress(&cinfo);
    return true;
}

bool RunDecode(TDecodeJob* job)
{
    jpeg_decompress_struct cinfo = {};
    TJpegErrorTrap trap;
    cinfo.err = InstallJpegErrorTrap(trap);
    if (setjmp(trap.Jump)) {
        job->Error = trap.Manager.msg_code;
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = LibraryMemoryLimit;
    jpeg_mem_src(&cinfo, job->Data, job->Size);
    jpeg_read_header(&cinfo, TRUE);
    trap.InImageData = true;
    cinfo.out_color_space = JCS_RGB;
    cinfo.dct_method = JDCT_FLOAT;
    jpeg_start_decompress(&cinfo);
    // A picture of several scans has been read whole by now.
    if (!ScansComplete(&cinfo, trap.ReachedEnd))
        FailJpeg(reinterpret_cast<j_common_ptr>(&cinfo), JWRN_JPEG_EOF);
    // The buffers were sized from the header read before; never write past them.
    if (cinfo.output_width != job->Width || cinfo.output_height != job->Height || cinfo.output_components != 3)
        FailJpeg(reinterpret_cast<j_common_ptr>(&cinfo), JERR_BUFFER_SIZE);
    while (cinfo.output_scanline < cinfo.output_height) {
        uint32_t* out = job->Out + static_cast<size_t>(cinfo.output_scanline) * job->Width;
        JSAMPROW row = job->Row;
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            FailJpeg(reinterpret_cast<j_common_ptr>(&cinfo), JWRN_JPEG_EOF);
        const uint8_t* rgb = job->Row;
        for (uint32_t x = 0; x < job->Width; ++x, rgb += 3)
            out[x] = uint32_t{rgb[0]} << 16 | uint32_t{rgb[1]} << 8 | rgb[2];
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

TJPEGImage::TJPEGImage(std::vector<uint8_t> stream) : FData(std::move(stream))
{
    THeaderJob job{FData.data(), FData.size(), 0, 0, false, false, 0, 0, 0};
    if (!RunReadHeader(&job))
        RaiseJpegError(job.Error);
    if (!PictureSizeAllowed(job.Width, job.Height))
        RaiseJpegError(JERR_IMAGE_TOO_BIG);
    // Every 8 x 8 block of every component costs coded data: a stream far too short for its claim is cut
    // or hostile, and is refused before its picture is allocated.
    if (job.Blocks * job.BitsPerBlock > uint64_t{FData.size()} * 8)
        RaiseJpegError(JWRN_JPEG_EOF);
    FWidth = static_cast<int32_t>(job.Width);
    FHeight = static_cast<int32_t>(job.Height);
    FGrayscale = job.Grayscale;
    FProgressive = job.Progressive;
}

TJPEGImage TJPEGImage::ReadData(TByteReader& reader)
{
    const auto bytes = reader.Bytes(reader.U32());
    if (bytes.empty())
        return TJPEGImage();
    return TJPEGImage(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

void TJPEGImage::WriteData(std::vector<uint8_t>& out) const
{
    PutU32(out, static_cast<uint32_t>(FData.size()));
    out.insert(out.end(), FData.begin(), FData.end());
}

const TPixelImage& TJPEGImage::Pixels() const
{
    if (FDecoded || FData.empty())
        return FPixels;
    const auto width = static_cast<uint32_t>(FWidth);
    const auto height = static_cast<uint32_t>(FHeight);
    TPixelImage image;
    image.Width = FWidth;
    image.Height = FHeight;
    image.Pixels.resize(size_t{width} * height);
    std::vector<uint8_t> row(size_t{width} * 3);
    TDecodeJob job{FData.data(), FData.size(), width, height, row.data(), image.Pixels.data(), 0};
    if (!RunDecode(&job))
        RaiseJpegError(job.Error);
    FPixels = std::move(image);
    FDecoded = true;
    return FPixels;
}

void TJPEGImage::ReleasePixels() const
{
    FPixels = {};
    FDecoded = false;
}
