#include "tools/assetgen/Glyphs.h"

#include "tools/assetgen/Canvas.h"

#include <string_view>

namespace {

constexpr int32_t GlyphSize = 16;
constexpr uint32_t Silver = Rgb(192, 192, 192);

// A sailing boat: mainsail and jib in white with black edges above the hull, a light-blue line of water.
const std::vector<std::string_view> Boat{
    "................",
    "........k.......",
    ".......kk.......",
    "......kwk.k.....",
    ".....kwwk.kk....",
    ".....kwwk.kwk...",
    "....kwwwk.kwwk..",
    "....kwwwk.kwwk..",
    "...kwwwwk.kwwwk.",
    "...kwwwwk.kwwwk.",
    "..kwwwwwk.kkkkkk",
    "..kkkkkkk.......",
    ".hhhhhhhhhhhhhh.",
    "..hhhhhhhhhhhh..",
    "bbbbbbbbbbbbbbbb",
    "................",
};

// A hammer (grey head, olive handle) laid over a spanner (grey jaw and shaft, dark-red grip).
const std::vector<std::string_view> Tools{
    "................",
    ".d..d.......d...",
    ".dd.dd.....ddd..",
    "..dddd....ddddd.",
    "...dddd..ddddddd",
    "....dddoodddddd.",
    ".....ddoo.dddd..",
    "......oodd.dd...",
    ".....oo.dd......",
    "....oo...dd.....",
    "...oo.....RR....",
    "..oo.......RR...",
    ".oo.........RR..",
    "oo...........RR.",
    "..............R.",
    "................",
};

// A shaded cyan arrow running into a dark doorway whose door stands open to the right.
const std::vector<std::string_view> Exit{
    "................",
    "......FFFFFFF...",
    "......FDDDDDFL..",
    ".....aFDDDDDFLL.",
    ".....aaDDDDDFLLl",
    ".....aaaDDDDFLLl",
    ".....aaaaDDDFLLl",
    "aaaaaaaaaaDDFLLl",
    "AAAAAAAAAAADFLLl",
    "ccccccccccDDFLLl",
    ".....ccccDDDFLLl",
    ".....cccDDDDFLLl",
    ".....ccDDDDDFLL.",
    ".....cFDDDDDFL..",
    "......FFFFFFF...",
    "................",
};

// A chequered flag on a brown pole over the water, a yellow buoy beside it: the start and finish line.
const std::vector<std::string_view> Flag{
    "................",
    ".dkkwwkkwwkk....",
    ".dkkwwkkwwkk....",
    ".dwwkkwwkkww....",
    ".dwwkkwwkkww....",
    ".dkkwwkkwwkk....",
    ".dkkwwkkwwkk....",
    ".d..............",
    ".d..............",
    ".d........yy....",
    ".d.......yyyy...",
    ".d.......yyyy...",
    ".d........yy....",
    "ddd.............",
    "bbbbbbbbbbbbbbbb",
    "................",
};

TPixelImage GlyphPair(uint32_t transparent)
{
    return BlankImage(2 * GlyphSize, GlyphSize, transparent);
}

// Both halves alike.
TPixelImage TwinGlyph(uint32_t transparent, const std::vector<std::string_view>& art, const TLegend& legend)
{
    TPixelImage image = GlyphPair(transparent);
    PaintArt(image, 0, 0, art, legend);
    PaintArt(image, GlyphSize, 0, art, legend);
    return image;
}

TPixelImage StartGlyph()
{
    const TLegend sails{{'k', Rgb(0, 0, 0)}, {'w', Rgb(255, 255, 255)}, {'b', Rgb(0, 128, 255)}};
    TPixelImage image = GlyphPair(Silver);
    TLegend normal = sails;
    normal.emplace_back('h', Rgb(255, 0, 0));
    TLegend disabled = sails;
    disabled.emplace_back('h', Rgb(0, 128, 0));
    PaintArt(image, 0, 0, Boat, normal);
    PaintArt(image, GlyphSize, 0, Boat, disabled);
    return image;
}

TPixelImage StopGlyph()
{
    TPixelImage image = GlyphPair(Silver);
    for (int32_t left : {0, GlyphSize})
        for (int32_t y = 3; y <= 12; ++y)
            FillRow(image, y, left + 3, left + 12, Rgb(255, 0, 0));
    return image;
}

TPixelImage PlayGlyph()
{
    TPixelImage image = GlyphPair(Silver);
    for (int32_t left : {0, GlyphSize})
        for (int32_t y = 4; y <= 12; ++y) {
            const int32_t length = 5 - (y < 8 ? 8 - y : y - 8);
            FillRow(image, y, left + 7, left + 6 + length, Rgb(0, 128, 0));
        }
    return image;
}

} // namespace

std::vector<TGlyphPicture> DrawGlyphs()
{
    std::vector<TGlyphPicture> glyphs;
    glyphs.push_back({"Start", StartGlyph()});
    glyphs.push_back({"Setup", TwinGlyph(Rgb(192, 220, 192), Tools,
                                         {{'d', Rgb(64, 64, 64)}, {'o', Rgb(160, 160, 64)}, {'R', Rgb(160, 64, 64)}})});
    glyphs.push_back({"Stop", StopGlyph()});
    glyphs.push_back({"Play", PlayGlyph()});
    glyphs.push_back({"Ende", TwinGlyph(Rgb(196, 196, 196), Exit,
                                        {{'F', Rgb(128, 128, 128)},
                                         {'D', Rgb(64, 64, 64)},
                                         {'L', Rgb(0, 200, 200)},
                                         {'l', Rgb(0, 150, 150)},
                                         {'a', Rgb(128, 255, 255)},
                                         {'A', Rgb(0, 224, 224)},
                                         {'c', Rgb(0, 160, 160)}})});
    glyphs.push_back({"Regatta", TwinGlyph(Silver, Flag,
                                           {{'d', Rgb(128, 64, 0)},
                                            {'k', Rgb(0, 0, 0)},
                                            {'w', Rgb(255, 255, 255)},
                                            {'y', Rgb(255, 255, 0)},
                                            {'b', Rgb(0, 128, 255)}})});
    return glyphs;
}
