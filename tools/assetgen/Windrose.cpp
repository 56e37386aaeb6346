#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Pictures.h"

#include <array>

namespace {

struct TArrowRows {
    int32_t FirstRow, LastRow, FirstColumn, LastColumn;
};

// Forked tail, shaft, centre diamond, shaft, head; the tip is at (20, 40).
constexpr std::array<TArrowRows, 19> Arrow{{
    {0, 0, 15, 18},
    {0, 0, 22, 25},
    {1, 1, 16, 19},
    {1, 1, 21, 24},
    {2, 2, 17, 23},
    {3, 3, 18, 22},
    {4, 4, 19, 21},
    {5, 17, 20, 20},
    {18, 18, 19, 21},
    {19, 20, 18, 22},
    {21, 21, 19, 21},
    {22, 26, 20, 20},
    {27, 28, 14, 26},
    {29, 30, 15, 25},
    {31, 32, 16, 24},
    {33, 34, 17, 23},
    {35, 36, 18, 22},
    {37, 38, 19, 21},
    {39, 40, 20, 20},
}};

} // namespace

TPixelImage DrawWindrose()
{
    TPixelImage image = BlankImage(41, 41, Rgb(0, 0, 0));
    for (const auto& rows : Arrow)
        for (int32_t y = rows.FirstRow; y <= rows.LastRow; ++y)
            FillRow(image, y, rows.FirstColumn, rows.LastColumn, Rgb(255, 255, 255));
    return image;
}
