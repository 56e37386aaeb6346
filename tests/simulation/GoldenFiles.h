#pragma once
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// The golden race's files, line by line: its script, its seed and its recorded digests.
inline std::vector<std::string> ReadGoldenLines(const std::string& name)
{
    std::ifstream in(std::string(QUIBO_GOLDEN_DIR) + "/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The time of day the golden race was recorded with.
inline uint32_t GoldenSeed()
{
    return static_cast<uint32_t>(std::stoul(ReadGoldenLines("seed").at(0)));
}
