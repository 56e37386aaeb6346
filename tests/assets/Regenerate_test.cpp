#include "assets/Assets.h"
#include "tools/assetgen/AssetFiles.h"

#include <gtest/gtest.h>

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

} // namespace
