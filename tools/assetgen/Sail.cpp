#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Pictures.h"

#include <array>
#include <vector>

namespace {

constexpr int32_t PatternWidth = 39;
constexpr uint32_t White = Rgb(255, 255, 255);

struct TSailRow {
    int32_t Row, FirstColumn, LastColumn;
};

// The full sail bellied up from a foot along row 3, and bellied down from a foot along row 4.
constexpr std::array<TSailRow, 4> BelliedUp{{{0, 10, 27}, {1, 6, 32}, {2, 3, 35}, {3, 0, 38}}};
constexpr std::array<TSailRow, 4> BelliedDown{{{4, 0, 38}, {5, 3, 35}, {6, 6, 32}, {7, 11, 28}}};

// The flapping sail's zigzag: rows 3 (top), 4 and 5 (bottom), as column runs.
const std::vector<TSailRow> Zigzag{
    {3, 0, 1}, {3, 6, 7}, {3, 12, 13}, {3, 18, 19}, {3, 24, 25}, {3, 30, 31}, {3, 36, 36},
    {4, 2, 2}, {4, 5, 5}, {4, 8, 8}, {4, 11, 11}, {4, 14, 14}, {4, 17, 17}, {4, 20, 20},
    {4, 23, 23}, {4, 26, 26}, {4, 29, 29}, {4, 32, 32}, {4, 35, 35},
    {5, 3, 4}, {5, 9, 10}, {5, 15, 16}, {5, 21, 22}, {5, 27, 28}, {5, 33, 34},
};

} // namespace

TPixelImage DrawSail()
{
    TPixelImage image = BlankImage(4 * PatternWidth, 8, Rgb(255, 0, 255));
    for (const auto& row : BelliedUp)
        FillRow(image, row.Row, row.FirstColumn, row.LastColumn, White);
    for (const auto& row : BelliedDown)
        FillRow(image, row.Row, PatternWidth + row.FirstColumn, PatternWidth + row.LastColumn, White);
    for (const auto& row : Zigzag) {
        FillRow(image, row.Row, 2 * PatternWidth + row.FirstColumn, 2 * PatternWidth + row.LastColumn, White);
        // Turned upside down: rows 3, 4, 5 become 4, 3, 2.
        FillRow(image, 7 - row.Row, 3 * PatternWidth + row.FirstColumn, 3 * PatternWidth + row.LastColumn, White);
    }
    return image;
}
