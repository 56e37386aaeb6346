#include "assets/Assets.h"
#include "tools/assetgen/AssetFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

// The committed files are what the generator makes now: nobody changed one without the other.
TEST(Regenerate, GivesTheCommittedFilesByteForByte)
{
    const auto files = MakeAssetFiles();
    std::vector<std::string_view> paths;
    for (const auto& file : files) {
        paths.emplace_back(file.Path);
        const auto committed = AssetBytes(file.Path);
        EXPECT_TRUE(std::vector<uint8_t>(committed.begin(), committed.end()) == file.Bytes)
            << file.Path << " differs from a fresh run of make_assets";
    }
    EXPECT_EQ(paths, AssetPaths());
}

// The icon theme's PNGs are installed, not embedded: they are compared with the files in the source tree.
TEST(Regenerate, GivesTheCommittedThemeIconsByteForByte)
{
    const auto files = MakeThemeIconFiles();
    EXPECT_EQ(files.size(), 6u);
    for (const auto& file : files) {
        std::ifstream in(std::string(QUIBO_SOURCE_DIR) + "/assets/" + file.Path, std::ios::binary);
        ASSERT_TRUE(in) << file.Path << " is missing: run make_assets on assets/";
        const std::vector<uint8_t> committed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_TRUE(committed == file.Bytes) << file.Path << " differs from a fresh run of make_assets";
    }
}

} // namespace
