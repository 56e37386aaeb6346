#include "network/RaceCode.h"

#include <sodium.h>

#include <cctype>
#include <cstring>
#include <stdexcept>

namespace {

constexpr size_t AlphabetSize = sizeof(RaceCodeAlphabet) - 1;

void InitialiseSodium()
{
    // Safe to call again and from several threads; fails only without a random source.
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium could not be initialised");
}

std::string Written(const std::string& letters)
{
    return letters.substr(0, 3) + "-" + letters.substr(3);
}

} // namespace

std::string NewRaceCode()
{
    InitialiseSodium();
    std::string letters;
    for (size_t i = 0; i < RaceCodeLetters; ++i)
        letters += RaceCodeAlphabet[randombytes_uniform(static_cast<uint32_t>(AlphabetSize))];
    return Written(letters);
}

std::optional<std::string> ParseRaceCode(const std::string& text)
{
    std::string letters;
    for (const char c : text) {
        if (c == '-' || std::isspace(static_cast<unsigned char>(c)))
            continue;
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (letters.size() == RaceCodeLetters || std::strchr(RaceCodeAlphabet, upper) == nullptr || upper == '\0')
            return std::nullopt;
        letters += upper;
    }
    if (letters.size() != RaceCodeLetters)
        return std::nullopt;
    return Written(letters);
}
