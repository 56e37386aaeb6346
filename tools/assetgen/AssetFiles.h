#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One file of the assets folder, by its path there ("pictures/B0.bmp").
struct TAssetFile {
    std::string Path;
    std::vector<uint8_t> Bytes;
};

// The quality the background is stored with: high enough that no decoded pixel loses its blue.
constexpr int WaterQuality = 90;
// No pixel of the decoded background may have less blue than this, so none can pass for a marker colour.
constexpr int WaterMinimumBlue = 180;

// Every picture, glyph and the icon, drawn and encoded. Raises std::runtime_error when the decoded
// background lets a pixel's blue fall below WaterMinimumBlue.
std::vector<TAssetFile> MakeAssetFiles();
