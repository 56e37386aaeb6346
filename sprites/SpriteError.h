#pragma once
#include <stdexcept>

// Failures of the sprite tree, carrying their finished message.
class ESpriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
