#pragma once
// A progressive stream made in memory with the library's own scan script, for the tests that the
// program's baseline writer cannot serve.
#include "drawing/Graphic.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

// Full-resolution colour (4:4:4) when fullColour, else the library's default 4:2:0.
inline std::vector<uint8_t> EncodeProgressiveJpeg(const TPixelImage& image, int quality, bool fullColour = false)
{
    jpeg_compress_struct cinfo = {};
    jpeg_error_mgr errors = {};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.Width);
    cinfo.image_height = static_cast<JDIMENSION>(image.Height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (fullColour)
        cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 1;
    jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(image.Width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int32_t x = 0; x < image.Width; ++x) {
            const uint32_t p = image.At(x, static_cast<int32_t>(cinfo.next_scanline));
            row[3 * x] = static_cast<uint8_t>(p >> 16);
            row[3 * x + 1] = static_cast<uint8_t>(p >> 8);
            row[3 * x + 2] = static_cast<uint8_t>(p);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}
