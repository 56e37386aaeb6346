#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

class TPictureCollection;

// The program's pictures, compiled in. Paths are those under assets/:
//   "pictures/Water1.jpg", "pictures/B0.bmp", "pictures/B1.bmp", "pictures/Explode.bmp",
//   "pictures/Windrose.bmp", "pictures/Boje.bmp", "pictures/Segel.bmp" (the main image list's pictures);
//   "glyphs/Start.bmp", "glyphs/Setup.bmp", "glyphs/Stop.bmp", "glyphs/Play.bmp", "glyphs/Ende.bmp"
//   (24-bit 32 x 16 toolbar glyphs, two 16 x 16 glyphs each, the bottom-left pixel transparent);
//   "icon/QuiboTrainer.ico" (the program icon, 32 x 32, 256 colours with a transparency mask);
//   "sounds/Countdown.wav" ... "sounds/Explosion.wav" (the race's signals, in TSound's order; assets/Sounds.h).

// The bytes of an embedded file. Raises std::out_of_range for a path that is not embedded.
std::span<const uint8_t> AssetBytes(std::string_view path);

// Every embedded path, in the order above.
std::vector<std::string_view> AssetPaths();

// Appends the main window's seven pictures in list order: "Water1" (the background, a TJPEGImage), "B0",
// "B1", "Explode", "Windrose", "Boje", "Segel" (TDIB), each with its pattern size, transparency and
// transparent colour and SystemMemory false.
void LoadMainImageList(TPictureCollection& items);
