#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The layers, each including only those below it: drawing <- assets <- sprites <- simulation <- network <- input
// <- the Qt and SDL adapters (platform/qt, platform/sdl) <- ui <- app. The platform's interfaces (platform/)
// sit below them all. Up to input no file includes Qt or SDL. tools/, bench/, fuzz/ and tests/ may include
// anything, and no layer includes them.

// Why a file (its path from the source root) may not include what it does; none when it may. angled is an
// #include <...>. A quoted include names a file from the source root or from the including file's folder,
// whichever exists under root.
std::optional<std::string> IncludeFault(const std::filesystem::path& root, const std::string& file,
                                        const std::string& include, bool angled);

struct TInclude {
    std::string File;
    int Line;
    std::string Target;
    bool Angled;
};

// Every #include of the layers' sources (.h and .cpp) under root.
std::vector<TInclude> LayerIncludes(const std::filesystem::path& root);
