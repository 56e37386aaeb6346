#include "assets/Assets.h"

#include "assets/EmbeddedFiles.h"

#include <stdexcept>
#include <string>

std::span<const uint8_t> AssetBytes(std::string_view path)
{
    for (size_t i = 0; i < EmbeddedFileCount; ++i)
        if (path == EmbeddedFiles[i].Path)
            return {EmbeddedFiles[i].Data, EmbeddedFiles[i].Size};
    throw std::out_of_range("no embedded file " + std::string(path));
}

std::vector<std::string_view> AssetPaths()
{
    std::vector<std::string_view> paths;
    for (size_t i = 0; i < EmbeddedFileCount; ++i)
        paths.emplace_back(EmbeddedFiles[i].Path);
    return paths;
}
