#pragma once
#include <stdexcept>
#include <string>

// Fills "%s" and "%d" placeholders in order, the way the messages of this program are written.
std::string FormatMessage(const std::string& format, const std::string& s);
std::string FormatMessage(const std::string& format, long long d);
std::string FormatMessage(const std::string& format, long long a, long long b, long long c);

// One exception class per module, each carrying its finished message.
class EDirectDrawError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EDirectDrawSurfaceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EDXDrawError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EPictureCollectionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// A bitmap whose header the decoder cannot accept ("DIB is invalid").
class EInvalidGraphic : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// The JPEG library rejected a stream ("JPEG-Fehler #%d").
class EJPEG : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
