#include "LayerOrder.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct TLayer {
    const char* Folder;
    int Rank;
    // Neither Qt nor SDL.
    bool Pure;
};

// The longer folder first, so platform/qt is not taken for platform.
constexpr std::array<TLayer, 11> Layers{{
    {"platform/qt", 7, false},
    {"platform/sdl", 7, false},
    {"platform", 0, true},
    {"drawing", 1, true},
    {"assets", 2, true},
    {"sprites", 3, true},
    {"simulation", 4, true},
    {"network", 5, true},
    {"input", 6, true},
    {"ui", 8, false},
    {"app", 9, false},
}};
constexpr std::array<const char*, 4> FreeFolders{"tools", "bench", "fuzz", "tests"};

bool InFolder(const std::string& path, const std::string& folder)
{
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/';
}

const TLayer* LayerOf(const std::string& path)
{
    for (const TLayer& layer : Layers)
        if (InFolder(path, layer.Folder))
            return &layer;
    return nullptr;
}

bool IsFree(const std::string& path)
{
    return std::any_of(FreeFolders.begin(), FreeFolders.end(), [&](const char* f) { return InFolder(path, f); });
}

bool IsQtOrSdl(const std::string& include)
{
    const std::string head = include.substr(0, include.find('/'));
    return (head.size() > 1 && head[0] == 'Q' && (std::isupper(static_cast<unsigned char>(head[1])) || head[1] == 't'))
        || head.rfind("qt", 0) == 0 || head.rfind("SDL", 0) == 0;
}

// The included file's path from the root, as the compiler would find it.
std::string Resolve(const fs::path& root, const std::string& file, const std::string& include)
{
    if (fs::exists(root / include))
        return include;
    const fs::path beside = fs::path(file).parent_path() / include;
    if (fs::exists(root / beside))
        return beside.lexically_normal().generic_string();
    return include;
}

std::string Name(const TLayer& layer)
{
    return std::string(layer.Folder) + "/";
}

} // namespace

std::optional<std::string> IncludeFault(const fs::path& root, const std::string& file, const std::string& include,
                                        bool angled)
{
    const TLayer* from = LayerOf(file);
    if (from == nullptr)
        return std::nullopt;
    if (from->Pure && IsQtOrSdl(include))
        return Name(*from) + " includes neither Qt nor SDL";
    if (angled)
        return std::nullopt;
    const std::string target = Resolve(root, file, include);
    if (IsFree(target))
        return Name(*from) + " may not include tools, benchmarks or tests";
    const TLayer* to = LayerOf(target);
    if (to == nullptr || to == from || to->Rank < from->Rank)
        return std::nullopt;
    return Name(*from) + " may not include " + Name(*to) + ", a layer above it or beside it";
}

std::vector<TInclude> LayerIncludes(const fs::path& root)
{
    std::vector<TInclude> includes;
    for (const TLayer& layer : Layers) {
        if (!fs::is_directory(root / layer.Folder))
            continue;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / layer.Folder)) {
            const fs::path& path = entry.path();
            if (!entry.is_regular_file() || (path.extension() != ".h" && path.extension() != ".cpp"))
                continue;
            const std::string file = path.lexically_relative(root).generic_string();
            // Files of a nested layer are read with that layer.
            if (LayerOf(file) != &layer)
                continue;
            std::ifstream in(path);
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                size_t at = line.find_first_not_of(" \t");
                if (at == std::string::npos || line[at] != '#')
                    continue;
                at = line.find_first_not_of(" \t", at + 1);
                if (at == std::string::npos || line.compare(at, 7, "include") != 0)
                    continue;
                at = line.find_first_not_of(" \t", at + 7);
                if (at == std::string::npos || (line[at] != '"' && line[at] != '<'))
                    continue;
                const char close = line[at] == '"' ? '"' : '>';
                const size_t end = line.find(close, at + 1);
                if (end == std::string::npos)
                    continue;
                includes.push_back({file, number, line.substr(at + 1, end - at - 1), close == '>'});
            }
        }
    }
    return includes;
}
