#include "tools/assetgen/AssetFiles.h"

#include "assets/Sounds.h"
#include "drawing/Dib.h"
#include "drawing/Jpeg.h"
#include "drawing/JpegEncode.h"
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Glyphs.h"
#include "tools/assetgen/Icon.h"
#include "tools/assetgen/Pictures.h"
#include "tools/assetgen/PngFile.h"
#include "tools/assetgen/Signals.h"
#include "tools/assetgen/WavFile.h"

#include <stdexcept>
#include <utility>

namespace {

std::vector<uint8_t> BitmapFile(TPixelImage pixels) { return TDIB(std::move(pixels)).SaveToBitmapFile(); }

std::vector<uint8_t> WaterFile()
{
    std::vector<uint8_t> stream = EncodeJpeg(DrawWater(), WaterQuality);
    const TJPEGImage decoded(stream);
    for (const uint32_t pixel : decoded.Pixels().Pixels)
        if (static_cast<int>(pixel & 0xFF) < WaterMinimumBlue)
            throw std::runtime_error("the decoded water has a pixel with blue " + std::to_string(pixel & 0xFF));
    return stream;
}

} // namespace

std::vector<TAssetFile> MakeAssetFiles()
{
    std::vector<TAssetFile> files;
    files.push_back({"pictures/Water1.jpg", WaterFile()});
    files.push_back({"pictures/B0.bmp", BitmapFile(DrawHull(Rgb(0, 128, 128)))});
    files.push_back({"pictures/B1.bmp", BitmapFile(DrawHull(Rgb(255, 0, 0)))});
    files.push_back({"pictures/Explode.bmp", BitmapFile(DrawExplosion())});
    files.push_back({"pictures/Windrose.bmp", BitmapFile(DrawWindrose())});
    files.push_back({"pictures/Boje.bmp", BitmapFile(DrawBuoy())});
    files.push_back({"pictures/Segel.bmp", BitmapFile(DrawSail())});
    for (auto& glyph : DrawGlyphs())
        files.push_back({"glyphs/" + glyph.Name + ".bmp", BitmapFile(std::move(glyph.Pixels))});
    files.push_back({"icon/QuiboTrainer.ico", EncodeIcon(DrawIcon())});
    for (int i = 0; i < SoundCount; ++i) {
        const auto sound = static_cast<TSound>(i);
        files.push_back({std::string(SoundPath(sound)), EncodeWav(SynthesiseSound(sound), SoundRate)});
    }
    return files;
}

std::vector<TAssetFile> MakeThemeIconFiles()
{
    const TIconPicture small = DrawSmallIcon();
    const TIconPicture large = DrawIcon();
    const std::vector<std::pair<int, TIconPicture>> sizes{
        {16, small},
        {32, large},
        {48, ScaleIcon(small, 3)},
        {64, ScaleIcon(large, 2)},
        {128, ScaleIcon(large, 4)},
        {256, ScaleIcon(large, 8)},
    };
    std::vector<TAssetFile> files;
    for (const auto& [size, icon] : sizes) {
        const std::string side = std::to_string(size);
        files.push_back({"icon/hicolor/" + side + "x" + side + "/apps/" + ApplicationId + ".png", EncodePng(icon)});
    }
    return files;
}
