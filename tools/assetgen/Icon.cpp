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

} // namespace

TIconPicture DrawIcon()
{
    TIconPicture icon;
    icon.Pixels = BlankImage(32, 32, 0);
    PaintArt(icon.Pixels, 0, 0, Dinghy,
             {{'k', Rgb(34, 34, 34)},
              {'g', Rgb(0, 204, 0)},
              {'w', Rgb(255, 255, 255)},
              {'r', Rgb(255, 51, 0)},
              {'b', Rgb(0, 51, 204)}});
    for (const auto row : Dinghy)
        for (const char symbol : row)
            icon.Transparent.push_back(symbol == '.');
    return icon;
}
