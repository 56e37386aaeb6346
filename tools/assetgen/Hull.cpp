#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Pictures.h"

#include <array>

namespace {

constexpr int32_t PatternWidth = 30;
constexpr int32_t PatternHeight = 57;
constexpr uint32_t Fuchsia = Rgb(255, 0, 255);
constexpr uint32_t Black = Rgb(0, 0, 0);

struct TRowSpan {
    int32_t FirstRow, LastRow, FirstColumn, LastColumn;
};

// The hull from bow (row 0) to transom (row 56), symmetric about the middle between columns 14 and 15.
constexpr std::array<TRowSpan, 12> Silhouette{{
    {0, 0, 8, 21},
    {1, 1, 7, 22},
    {2, 4, 6, 23},
    {5, 6, 5, 24},
    {7, 9, 4, 25},
    {10, 15, 3, 26},
    {16, 20, 2, 27},
    {21, 25, 1, 28},
    {26, 44, 0, 29},
    {45, 51, 1, 28},
    {52, 55, 2, 27},
    {56, 56, 3, 26},
}};

void DrawDinghy(TPixelImage& image, int32_t left, uint32_t marker, int32_t tiller)
{
    for (const auto& span : Silhouette)
        for (int32_t y = span.FirstRow; y <= span.LastRow; ++y)
            FillRow(image, y, left + span.FirstColumn, left + span.LastColumn, marker);

    FillRow(image, 4, left + 7, left + 22, Black);   // bow line
    FillRow(image, 6, left + 14, left + 16, Black);  // mast ring around (15, 7.5)
    for (int32_t y : {7, 8}) {
        Put(image, left + 13, y, Black);
        Put(image, left + 17, y, Black);
    }
    FillRow(image, 9, left + 14, left + 16, Black);
    FillRow(image, 11, left + 4, left + 25, Black);  // seat
    for (int32_t y = 23; y <= 30; ++y)               // centreboard slot
        Put(image, left + 15, y, Black);

    // The tiller ends at the middle of the transom; swung over, it runs diagonally forward from there.
    if (tiller == 1) {
        for (int32_t y = 44; y <= 56; ++y)
            FillRow(image, y, left + 14, left + 15, Black);
        return;
    }
    for (int32_t y = 48; y <= 56; ++y) {
        const int32_t column = tiller == 0 ? y - 42 : 70 - y;
        FillRow(image, y, left + column, left + column + 1, Black);
    }
}

} // namespace

TPixelImage DrawHull(uint32_t marker)
{
    TPixelImage image = BlankImage(3 * PatternWidth, PatternHeight, Fuchsia);
    for (int32_t tiller = 0; tiller < 3; ++tiller)
        DrawDinghy(image, tiller * PatternWidth, marker, tiller);
    return image;
}
