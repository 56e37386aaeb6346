#pragma once
// clang-format off
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

// libjpeg reports a failure by calling error_exit, which must not return. The trap turns it into a
// longjmp back to the setjmp of the plain C-style frame that drives the library; that frame holds no
// object with a destructor, cleans the library up and hands the message number out.
struct TJpegErrorTrap {
    jpeg_error_mgr Manager; // first member: the library's pointer to it is a pointer to the trap
    std::jmp_buf Jump;
    // A stream that ends too early is an error, not the library's grey fill. While the headers are
    // read, reaching the end fails at once. Within the image data the decoder reads a few bytes ahead,
    // so a stream that merely lacks its end marker reaches the end too; it fails only if the decoder
    // then finds the bits it needs missing (or, in a picture of several scans, scans missing: the
    // decoding frame checks that). Every other warning about missing or corrupt data fails at once.
    bool InImageData = false;
    bool ReachedEnd = false;
};

// Sets the trap up (errors jump, warnings and traces print nothing) and returns its manager for
// cinfo.err.
jpeg_error_mgr* InstallJpegErrorTrap(TJpegErrorTrap& trap);

// Fails the running library call with message number code, exactly as a library error would.
[[noreturn]] void FailJpeg(j_common_ptr cinfo, int code);

// EJPEG "JPEG-Fehler #%d" with the library's message number.
[[noreturn]] void RaiseJpegError(int code);
