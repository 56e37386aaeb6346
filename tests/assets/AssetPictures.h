#pragma once
// The embedded pictures as the program loads them: through its own image list on a headless drawing surface.
#include "assets/Assets.h"
#include "drawing/DrawingSurface.h"
#include "drawing/ImageList.h"
#include "platform/HeadlessWindow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

constexpr uint32_t GreenMarker = 0x008080;
constexpr uint32_t RedMarker = 0xFF0000;
constexpr uint32_t BuoyMarker = 0xFFFF00;
constexpr uint32_t Fuchsia = 0xFF00FF;
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Black = 0x000000;

using TPoint = std::pair<int32_t, int32_t>; // column, row
using TPointSet = std::set<TPoint>;

// Rows of inclusive column spans, as the drawings are described.
struct TSpanRows {
    int32_t FirstRow, LastRow, FirstColumn, LastColumn;
};

inline TPointSet PointsOf(const std::vector<TSpanRows>& spans)
{
    TPointSet points;
    for (const auto& s : spans)
        for (int32_t y = s.FirstRow; y <= s.LastRow; ++y)
            for (int32_t x = s.FirstColumn; x <= s.LastColumn; ++x)
                points.insert({x, y});
    return points;
}

// One pattern of a picture, cut out.
inline TPixelImage Pattern(const TPixelImage& picture, int32_t index, int32_t width)
{
    TPixelImage pattern;
    pattern.Width = width;
    pattern.Height = picture.Height;
    for (int32_t y = 0; y < picture.Height; ++y)
        for (int32_t x = 0; x < width; ++x)
            pattern.Pixels.push_back(picture.At(index * width + x, y));
    return pattern;
}

inline TPointSet PointsWith(const TPixelImage& image, uint32_t value)
{
    TPointSet points;
    for (int32_t y = 0; y < image.Height; ++y)
        for (int32_t x = 0; x < image.Width; ++x)
            if (image.At(x, y) == value)
                points.insert({x, y});
    return points;
}

inline std::map<uint32_t, int32_t> ColourCounts(const TPixelImage& image)
{
    std::map<uint32_t, int32_t> counts;
    for (const uint32_t pixel : image.Pixels)
        ++counts[pixel];
    return counts;
}

class MainImageList : public testing::Test {
protected:
    MainImageList()
    {
        LoadMainImageList(List.Items());
        List.SetDXDraw(&DXDraw);
        DXDraw.Initialize();
    }

    TPictureCollectionItem& Item(const std::string& name) { return List.Items().FindByName(name); }
    const TPixelImage& Picture(const std::string& name) { return Item(name).Picture()->Pixels(); }
    TPixelImage PatternOf(const std::string& name, int32_t index)
    {
        return Pattern(Picture(name), index, Item(name).Width());
    }

    THeadlessWindow Window{1076, 750};
    TDXDraw DXDraw{Window};
    TDXImageList List;
};
