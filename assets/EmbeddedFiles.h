#pragma once
#include <cstddef>

// The files under assets/, compiled in by the build (the table is generated from them).
struct TEmbeddedFile {
    const char* Path;
    const unsigned char* Data;
    size_t Size;
};

extern const TEmbeddedFile EmbeddedFiles[];
extern const size_t EmbeddedFileCount;
