#include "assets/Sounds.h"

#include "assets/Assets.h"

#include <string>

namespace {

uint32_t Read32(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

uint16_t Read16(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool Tagged(std::span<const uint8_t> bytes, size_t at, std::string_view tag)
{
    return std::string_view(reinterpret_cast<const char*>(bytes.data() + at), 4) == tag;
}

} // namespace

TPcmSound DecodeWav(std::span<const uint8_t> file)
{
    if (file.size() < 12 || !Tagged(file, 0, "RIFF") || !Tagged(file, 8, "WAVE"))
        throw EWavError("not a WAV file");
    TPcmSound sound;
    bool format = false;
    size_t at = 12;
    while (at + 8 <= file.size()) {
        const uint32_t size = Read32(file, at + 4);
        const size_t body = at + 8;
        if (size > file.size() - body)
            throw EWavError("a chunk runs past the end of the file");
        if (Tagged(file, at, "fmt ")) {
            if (size < 16)
                throw EWavError("the format chunk is too short");
            const uint16_t encoding = Read16(file, body);
            const uint16_t channels = Read16(file, body + 2);
            const uint16_t bits = Read16(file, body + 14);
            if (encoding != 1 || channels != 1 || bits != 16)
                throw EWavError("not 16-bit mono PCM (encoding " + std::to_string(encoding) + ", " +
                                std::to_string(channels) + " channels, " + std::to_string(bits) + " bits)");
            sound.Rate = static_cast<int>(Read32(file, body + 4));
            format = true;
        } else if (Tagged(file, at, "data")) {
            if (!format)
                throw EWavError("the samples come before their format");
            sound.Samples.resize(size / 2);
            for (size_t i = 0; i < sound.Samples.size(); ++i)
                sound.Samples[i] = static_cast<int16_t>(Read16(file, body + 2 * i));
            return sound;
        }
        // Chunks are padded to an even length.
        at = body + size + (size & 1);
    }
    throw EWavError("no samples");
}

TPcmSound LoadSound(TSound sound)
{
    return DecodeWav(AssetBytes(SoundPath(sound)));
}
