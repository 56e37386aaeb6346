#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Pictures.h"

#include <array>

namespace {

constexpr int32_t PatternSize = 15;

struct TDiscRows {
    int32_t FirstRow, LastRow, FirstColumn, LastColumn;
};

constexpr std::array<TDiscRows, 7> Disc{{
    {1, 1, 5, 9},
    {2, 3, 3, 11},
    {4, 5, 2, 12},
    {6, 8, 1, 13},
    {9, 10, 2, 12},
    {11, 12, 3, 11},
    {13, 13, 5, 9},
}};

// Column of the line in rows 7..14; the second pattern wiggles the other way.
constexpr std::array<int32_t, 8> LineColumns{7, 6, 6, 7, 8, 8, 7, 6};

} // namespace

TPixelImage DrawBuoy()
{
    TPixelImage image = BlankImage(2 * PatternSize, PatternSize, Rgb(255, 255, 255));
    for (int32_t pattern = 0; pattern < 2; ++pattern) {
        const int32_t left = pattern * PatternSize;
        for (const auto& rows : Disc)
            for (int32_t y = rows.FirstRow; y <= rows.LastRow; ++y)
                FillRow(image, y, left + rows.FirstColumn, left + rows.LastColumn, Rgb(255, 255, 0));
        for (int32_t i = 0; i < static_cast<int32_t>(LineColumns.size()); ++i) {
            const int32_t column = pattern == 0 ? LineColumns[static_cast<size_t>(i)]
                                                : 14 - LineColumns[static_cast<size_t>(i)];
            Put(image, left + column, 7 + i, Rgb(128, 0, 0));
        }
    }
    return image;
}
