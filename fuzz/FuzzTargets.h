#pragma once
// The entry points of the fuzz targets. Each takes any bytes and returns 0; a fault (a crash, a
// sanitizer report, a picture of the wrong size, a draw that differs from the reference) aborts.
// libFuzzer calls them from FuzzMain.cpp; the regression test replays stored inputs through them.
#include <cstddef>
#include <cstdint>

// The bitmap reader: the bytes as a bitmap file, as the bare info form, and past a file header as the
// bare form.
int FuzzBitmap(const uint8_t* data, size_t size);

// A JPEG stream: header read on load, then decoded.
int FuzzJpeg(const uint8_t* data, size_t size);

// Stored pictures one after another, as the image list reads them; each one decoded.
int FuzzStoredPicture(const uint8_t* data, size_t size);

// A rotated draw with geometry from the bytes, compared pixel for pixel with the slow reference.
int FuzzRotatedDraw(const uint8_t* data, size_t size);

// Messages of an online race, each led by its length (two bytes, low first), decoded and handed to the lockstep.
int FuzzNetMessage(const uint8_t* data, size_t size);

// Reports the fault on standard error and aborts.
[[noreturn]] void FuzzFault(const char* what);
