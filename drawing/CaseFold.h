#pragma once
#include <cstddef>
#include <string>

// Case-insensitive names. Names are UTF-8; a byte that does not belong to a well-formed sequence stands for
// itself (as one of U+DC80..U+DCFF, so it never equals a real character).

// The next code point of text from index i on; i moves past it. i must be below text.size().
char32_t NextCodePoint(const std::string& text, size_t& i);

// Unicode simple case folding for Latin (Basic to Extended-B, Extended Additional), Greek (with Extended),
// Cyrillic (with Supplement and Extended-C) and the Ohm, Kelvin and Angstrom signs; others fold to themselves.
char32_t FoldCase(char32_t c);

// Equal once both are case-folded character by character.
bool SameTextFolded(const std::string& a, const std::string& b);
