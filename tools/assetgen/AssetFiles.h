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

// Every picture, glyph and the icon, drawn and encoded, and the race's signals as WAV files. Raises std::runtime_error when the decoded
// background lets a pixel's blue fall below WaterMinimumBlue.
std::vector<TAssetFile> MakeAssetFiles();

// The name the desktop knows the program by: its menu entry, its metadata and its icon all bear it.
constexpr const char* ApplicationId = "org.quibotrainer.QuiboTrainer";

// The program icon for the desktop's icon theme, one PNG for each size, under "icon/hicolor/<n>x<n>/apps/".
// 16 and 32 are drawn; the larger ones are one of them scaled by whole numbers: 48 the 16 three times,
// 64, 128 and 256 the 32 two, four and eight times.
std::vector<TAssetFile> MakeThemeIconFiles();
