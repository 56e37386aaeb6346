// Draws the program's pictures, glyphs and icon and writes them into the given folder (the repository's
// assets/), in the layout the build embeds, with the icon theme's PNGs that are installed beside the program.
// The same sources give the same bytes every run.
#include "tools/assetgen/AssetFiles.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <utility>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_assets <output folder>\n";
        return 2;
    }
    try {
        const std::filesystem::path root(argv[1]);
        auto files = MakeAssetFiles();
        for (auto& icon : MakeThemeIconFiles())
            files.push_back(std::move(icon));
        for (const auto& file : files) {
            const auto path = root / file.Path;
            std::filesystem::create_directories(path.parent_path());
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(file.Bytes.data()), static_cast<std::streamsize>(file.Bytes.size()));
            if (!out)
                throw std::runtime_error("cannot write " + path.string());
            std::cout << path.string() << " (" << file.Bytes.size() << " bytes)\n";
        }
    } catch (const std::exception& e) {
        std::cerr << "make_assets: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
