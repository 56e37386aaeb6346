#pragma once
// The code a host gives its guest with the address: six characters from an alphabet without look-alikes,
// written "K7P-2QX". Only a joiner that knows it takes the seat.
#include <optional>
#include <string>

// No 0/O, 1/I/L, 5/S, 8/B, Z/2: what is left reads and types the same on any screen and keyboard.
inline constexpr char RaceCodeAlphabet[] = "234679ACDEFGHJKMNPQRTUVWXY";
inline constexpr size_t RaceCodeLetters = 6;

// A new code from the system's random source, in the written form.
std::string NewRaceCode();
// The code a player typed, in the written form: case, blanks and the dash do not matter. Nothing when it is
// not six letters of the alphabet.
std::optional<std::string> ParseRaceCode(const std::string& text);
