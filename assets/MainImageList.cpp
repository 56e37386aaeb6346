#include "assets/Assets.h"

#include "drawing/Dib.h"
#include "drawing/ImageList.h"
#include "drawing/Jpeg.h"

#include <array>
#include <memory>

namespace {

struct TItemLayout {
    const char* Name;
    const char* File;
    int32_t PatternWidth;
    bool Transparent;
    TColor TransparentColor;
};

// The background comes first: the frame step fetches it by position, the sprites fetch the rest by name.
constexpr std::array<TItemLayout, 7> MainItems{{
    {"Water1", "pictures/Water1.jpg", 0, false, clOlive},
    {"B0", "pictures/B0.bmp", 30, true, clFuchsia},
    {"B1", "pictures/B1.bmp", 30, true, clFuchsia},
    {"Explode", "pictures/Explode.bmp", 28, true, clBlack},
    {"Windrose", "pictures/Windrose.bmp", 41, true, clBlack},
    {"Boje", "pictures/Boje.bmp", 15, true, clWhite},
    {"Segel", "pictures/Segel.bmp", 39, true, clFuchsia},
}};

std::unique_ptr<TGraphic> LoadPicture(std::string_view file)
{
    const auto bytes = AssetBytes(file);
    if (file.ends_with(".jpg"))
        return std::make_unique<TJPEGImage>(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    return std::make_unique<TDIB>(TDIB::FromBitmapFile(bytes));
}

} // namespace

void LoadMainImageList(TPictureCollection& items)
{
    for (const auto& layout : MainItems) {
        TPictureCollectionItem& item = items.Add();
        item.SetName(layout.Name);
        item.PatternHeight = 0;
        item.PatternWidth = layout.PatternWidth;
        item.SetPicture(*LoadPicture(layout.File));
        item.SystemMemory = false;
        item.Transparent = layout.Transparent;
        item.SetTransparentColor(layout.TransparentColor);
    }
}
