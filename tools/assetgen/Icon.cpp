#include "tools/assetgen/Icon.h"

#include "tools/assetgen/Canvas.h"

#include <string_view>

namespace {

const std::vector<std::string_view> Dinghy{
    "..........kgggg.................",
    "..........kggggg................",
    "..........kgggg......kk.........",
    "..........k........kkwk.........",
    "..........k......kkwwwk.........",
    "..........k....kkwwwwwk.........",
    "..........kkkkkwwwwwwwwk........",
    "..........kwwwwwwwwwwwwk........",
    "..........kwwwwwwwwwwwwk........",
    "..........kwwwwwwwwwwwwwk.......",
    "..........kwwwwwwwwwwwwwk.......",
    "..........kwwwwwwwwwwwwwk.......",
    "..........kwwwwwwwwwwwwwwk......",
    "..........kwwwwwwwwwwwwwwk......",
    "..........kwwwwwwwwwwwwwwk......",
    "..........kwwwwwwwwwwwwwwwk.....",
    "..........kwwwwwwwwwwwwwwwk.....",
    "..........kwwwwwwwwwwwwwwwk.....",
    "..........kwwwwwwwwwwwwwwwwk....",
    "..........kwwwwwwwwwwwwwwwwk....",
    "..........kkkkkkkkkkkkkkkkkkk...",
    "..........k.....................",
    ".kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk",
    "..krrrrrrrrrrrrrrrrrrrrrrrrrrrk.",
    "...krrrrrrrrrrrrrrrrrrrrrrrrrk..",
    "....krrrrrrrrrrrrrrrrrrrrrrrk...",
    ".....krrrrrrrrrrrrrrrrrrrrrk....",
    "bbbbbbkkkkkkkkkkkkkkkkkkkkkbbbbb",
    "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
    ".bbbbbbbb..bbbbbbbbbb..bbbbbbbb.",
    "................................",
    "................................",
};

const std::vector<std::string_view> SmallDinghy{
    ".....kgg........",
    ".....kgg..kk....",
    ".....k..kkwk....",
    ".....kkkwwwk....",
    ".....kwwwwwwk...",
    ".....kwwwwwwk...",
    ".....kwwwwwwk...",
    ".....kwwwwwwwk..",
    ".....kwwwwwwwk..",
    ".....kkkkkkkkkk.",
    "kkkkkkkkkkkkkkkk",
    ".krrrrrrrrrrrrk.",
    "..krrrrrrrrrrk..",
    "bbbkkkkkkkkkkbbb",
    "bbbbbbbbbbbbbbbb",
    "................",
};

TIconPicture Paint(const std::vector<std::string_view>& art)
{
    TIconPicture icon;
    const auto size = static_cast<int32_t>(art.size());
    icon.Pixels = BlankImage(size, size, 0);
    PaintArt(icon.Pixels, 0, 0, art,
             {{'k', Rgb(34, 34, 34)},
              {'g', Rgb(0, 204, 0)},
              {'w', Rgb(255, 255, 255)},
              {'r', Rgb(255, 51, 0)},
              {'b', Rgb(0, 51, 204)}});
    for (const auto row : art)
        for (const char symbol : row)
            icon.Transparent.push_back(symbol == '.');
    return icon;
}

} // namespace

TIconPicture DrawIcon()
{
    return Paint(Dinghy);
}

TIconPicture DrawSmallIcon()
{
    return Paint(SmallDinghy);
}

TIconPicture ScaleIcon(const TIconPicture& icon, int32_t factor)
{
    const int32_t width = icon.Pixels.Width * factor;
    const int32_t height = icon.Pixels.Height * factor;
    TIconPicture scaled;
    scaled.Pixels = BlankImage(width, height, 0);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const auto from = static_cast<size_t>(y / factor) * static_cast<size_t>(icon.Pixels.Width) +
                              static_cast<size_t>(x / factor);
            Put(scaled.Pixels, x, y, icon.Pixels.Pixels[from]);
            scaled.Transparent.push_back(icon.Transparent[from]);
        }
    return scaled;
}
