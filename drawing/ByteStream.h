#pragma once
#include "drawing/Errors.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

// Little-endian reads over a byte span. A read past the end raises EInvalidGraphic with the message the
// reader was made with, so a damaged or lying stream can never reach memory outside the span.
class TByteReader {
public:
    explicit TByteReader(std::span<const uint8_t> data, std::string failMessage = "Stream read error")
        : FData(data), FFailMessage(std::move(failMessage))
    {
    }
    // A reader only borrows its bytes: a temporary would be gone before the first read.
    TByteReader(std::vector<uint8_t>&&, std::string = {}) = delete;

    size_t Position() const { return FPosition; }
    size_t Remaining() const { return FData.size() - FPosition; }
    std::span<const uint8_t> Rest() const { return FData.subspan(FPosition); }

    [[noreturn]] void Fail() const { throw EInvalidGraphic(FFailMessage); }

    void Seek(size_t position)
    {
        if (position > FData.size())
            Fail();
        FPosition = position;
    }
    void Skip(size_t count) { FPosition += Need(count); }

    std::span<const uint8_t> Bytes(size_t count)
    {
        const auto bytes = FData.subspan(FPosition, Need(count));
        FPosition += count;
        return bytes;
    }

    uint8_t U8() { return Bytes(1)[0]; }
    uint16_t U16()
    {
        const auto b = Bytes(2);
        return static_cast<uint16_t>(b[0] | b[1] << 8);
    }
    uint32_t U32()
    {
        const auto b = Bytes(4);
        return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }

private:
    size_t Need(size_t count) const
    {
        if (count > Remaining())
            Fail();
        return count;
    }

    std::span<const uint8_t> FData;
    size_t FPosition = 0;
    std::string FFailMessage;
};

// Little-endian appends, the writing side of TByteReader.
inline void PutU8(std::vector<uint8_t>& out, uint8_t value) { out.push_back(value); }
inline void PutU16(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}
inline void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    PutU16(out, static_cast<uint16_t>(value));
    PutU16(out, static_cast<uint16_t>(value >> 16));
}
inline void PutI32(std::vector<uint8_t>& out, int32_t value) { PutU32(out, static_cast<uint32_t>(value)); }
