#include "network/Messages.h"

#include "simulation/WindSettings.h"

#include <algorithm>

namespace {

enum TKind : uint8_t {
    KHello = 1, KWelcome, KRefusal, KInputs, KResume, KDigest, KFocus, KPing, KPong, KChallenge, KProof, KWatchTicks, KWatched
};

// The hello of protocol 2, which had no nonce.
constexpr size_t OldHelloBody = 2 + VersionLength;

constexpr uint32_t MillisecondsPerDay = 86400000;
constexpr size_t RecordSize = 8;
constexpr size_t InputsFixedSize = 1 + 4 + 1 + 4 + 4 + 1;
constexpr size_t WatchTicksFixedSize = 1 + 4 + 1 + 4;

class TWriter {
public:
    explicit TWriter(TMessageBytes& out) : FOut(out) {}
    void U8(uint8_t v) { FOut[FSize++] = v; }
    void U16(uint16_t v)
    {
        U8(static_cast<uint8_t>(v));
        U8(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16(static_cast<uint16_t>(v));
        U16(static_cast<uint16_t>(v >> 16));
    }
    void U64(uint64_t v)
    {
        U32(static_cast<uint32_t>(v));
        U32(static_cast<uint32_t>(v >> 32));
    }
    void Text(const TVersionText& text)
    {
        for (char c : text)
            U8(static_cast<uint8_t>(c));
    }
    template <size_t N>
    void Bytes(const std::array<uint8_t, N>& bytes)
    {
        for (uint8_t b : bytes)
            U8(b);
    }
    size_t Size() const { return FSize; }

private:
    TMessageBytes& FOut;
    size_t FSize = 0;
};

// Reads only within the size the caller checked beforehand.
class TReader {
public:
    explicit TReader(const uint8_t* data) : FData(data) {}
    uint8_t U8() { return FData[FPos++]; }
    uint16_t U16()
    {
        const uint16_t lo = U8();
        return static_cast<uint16_t>(lo | (U8() << 8));
    }
    uint32_t U32()
    {
        const uint32_t lo = U16();
        return lo | (uint32_t{U16()} << 16);
    }
    uint64_t U64()
    {
        const uint64_t lo = U32();
        return lo | (uint64_t{U32()} << 32);
    }
    TVersionText Text()
    {
        TVersionText text{};
        for (char& c : text)
            c = static_cast<char>(U8());
        return text;
    }
    template <size_t N>
    std::array<uint8_t, N> Bytes()
    {
        std::array<uint8_t, N> bytes{};
        for (uint8_t& b : bytes)
            b = U8();
        return bytes;
    }

private:
    const uint8_t* FData;
    size_t FPos = 0;
};

// Printable ASCII, at least one character, then only zero bytes.
bool ValidVersion(const TVersionText& text)
{
    const auto end = std::find(text.begin(), text.end(), '\0');
    if (end == text.begin())
        return false;
    if (!std::all_of(text.begin(), end, [](char c) { return c > ' ' && c < 127; }))
        return false;
    return std::all_of(end, text.end(), [](char c) { return c == '\0'; });
}

bool ValidRecord(const TTickRecord& r)
{
    switch (r.Command) {
    case TTickRecord::Wind:
        return TWindSettings{r.WindDirection, r.WindVariation, r.WindSpeed}.WithinLimits();
    case TTickRecord::Regatta:
        return r.RegattaSettings.WithinLimits() && r.WindDirection == 0 && r.WindVariation == 0 && r.WindSpeed == 0;
    case TTickRecord::None:
    case TTickRecord::Restart:
    case TTickRecord::Pause:
    case TTickRecord::Free:
        return r.WindDirection == 0 && r.WindVariation == 0 && r.WindSpeed == 0 &&
               r.RegattaSettings == TTickRecord{}.RegattaSettings;
    }
    return false;
}

bool ValidTick(uint32_t tick)
{
    return tick >= 1 && tick <= MaxTick;
}

bool ReadRecord(TReader& in, TTickRecord& r)
{
    const uint8_t tiller = in.U8();
    const uint8_t command = in.U8();
    if (!TillerFromNumber(tiller, r.Tiller) || command > TTickRecord::Free)
        return false;
    r.Command = static_cast<TTickRecord::TCommand>(command);
    const uint16_t first = in.U16();
    const uint16_t second = in.U16();
    r.WindSpeed = static_cast<int16_t>(in.U16());
    if (r.Command == TTickRecord::Regatta) {
        // Out-of-range values keep a form that ValidRecord refuses.
        r.RegattaSettings.Laps = first;
        r.RegattaSettings.Rules = second <= 0xFF ? static_cast<TRegattaRules>(second) : static_cast<TRegattaRules>(0xFF);
    } else {
        r.WindDirection = static_cast<int16_t>(first);
        r.WindVariation = static_cast<int16_t>(second);
    }
    return ValidRecord(r);
}

void WriteRecord(TWriter& w, const TTickRecord& r)
{
    w.U8(static_cast<uint8_t>(r.Tiller));
    w.U8(r.Command);
    if (r.Command == TTickRecord::Regatta) {
        w.U16(static_cast<uint16_t>(r.RegattaSettings.Laps));
        w.U16(static_cast<uint16_t>(r.RegattaSettings.Rules));
    } else {
        w.U16(static_cast<uint16_t>(r.WindDirection));
        w.U16(static_cast<uint16_t>(r.WindVariation));
    }
    w.U16(static_cast<uint16_t>(r.WindSpeed));
}

// A first tick and a count that name ticks within the wire's range.
bool ValidStretch(uint32_t first, size_t count, size_t most)
{
    return count >= 1 && count <= most && ValidTick(first) && first <= MaxTick - (count - 1u);
}

std::optional<TMessage> DecodeInputs(TReader& in, size_t size)
{
    TInputs m;
    m.FirstTick = in.U32();
    m.Count = in.U8();
    if (!ValidStretch(m.FirstTick, m.Count, MaxRecordsPerMessage) || size != InputsFixedSize + m.Count * RecordSize)
        return std::nullopt;
    for (size_t i = 0; i < m.Count; ++i)
        if (!ReadRecord(in, m.Records[i]))
            return std::nullopt;
    m.ReceivedThrough = in.U32();
    m.Tick = in.U32();
    m.Ahead = static_cast<int8_t>(in.U8());
    if (m.ReceivedThrough > MaxTick || m.Tick > MaxTick)
        return std::nullopt;
    return m;
}

std::optional<TMessage> DecodeWatchTicks(TReader& in, size_t size)
{
    TWatchTicks m;
    m.FirstTick = in.U32();
    m.Count = in.U8();
    if (!ValidStretch(m.FirstTick, m.Count, MaxWatchedTicksPerMessage) ||
        size != WatchTicksFixedSize + m.Count * 2 * RecordSize)
        return std::nullopt;
    for (size_t i = 0; i < m.Count; ++i)
        for (TTickRecord& r : m.Records[i])
            if (!ReadRecord(in, r))
                return std::nullopt;
    m.Live = in.U32();
    if (m.Live > MaxTick || m.Live < m.FirstTick + m.Count - 1u)
        return std::nullopt;
    return m;
}

} // namespace

TVersionText MakeVersionText(const std::string& text)
{
    TVersionText version{};
    std::copy_n(text.begin(), std::min(text.size(), VersionLength), version.begin());
    return version;
}

std::string VersionString(const TVersionText& version)
{
    return std::string(version.begin(), std::find(version.begin(), version.end(), '\0'));
}

size_t EncodeMessage(const TMessage& message, TMessageBytes& out)
{
    TWriter w(out);
    std::visit(
        [&w](const auto& m) {
            using T = std::decay_t<decltype(m)>;
            if constexpr (std::is_same_v<T, THello>) {
                w.U8(KHello);
                w.U16(m.Protocol);
                w.Text(m.Version);
                w.Bytes(m.Nonce);
                w.U8(m.Watch ? 1 : 0);
            } else if constexpr (std::is_same_v<T, TWelcome>) {
                w.U8(KWelcome);
                w.U32(m.TimeOfDay);
                w.Text(m.Version);
                w.Bytes(m.Proof);
            } else if constexpr (std::is_same_v<T, TChallenge>) {
                w.U8(KChallenge);
                w.Bytes(m.Nonce);
                w.U8(m.CodeRequired ? 1 : 0);
            } else if constexpr (std::is_same_v<T, TProofOfCode>) {
                w.U8(KProof);
                w.Bytes(m.Proof);
            } else if constexpr (std::is_same_v<T, TRefusal>) {
                w.U8(KRefusal);
                w.U8(m.Reason);
                w.Text(m.Version);
            } else if constexpr (std::is_same_v<T, TInputs>) {
                w.U8(KInputs);
                w.U32(m.FirstTick);
                const uint8_t count = std::min<uint8_t>(m.Count, MaxRecordsPerMessage);
                w.U8(count);
                for (size_t i = 0; i < count; ++i)
                    WriteRecord(w, m.Records[i]);
                w.U32(m.ReceivedThrough);
                w.U32(m.Tick);
                w.U8(static_cast<uint8_t>(m.Ahead));
            } else if constexpr (std::is_same_v<T, TWatchTicks>) {
                w.U8(KWatchTicks);
                w.U32(m.FirstTick);
                const uint8_t count = std::min<uint8_t>(m.Count, MaxWatchedTicksPerMessage);
                w.U8(count);
                for (size_t i = 0; i < count; ++i)
                    for (const TTickRecord& r : m.Records[i])
                        WriteRecord(w, r);
                w.U32(m.Live);
            } else if constexpr (std::is_same_v<T, TWatched>) {
                w.U8(KWatched);
                w.U32(m.Through);
            } else if constexpr (std::is_same_v<T, TResume>) {
                w.U8(KResume);
                w.U32(m.Tick);
            } else if constexpr (std::is_same_v<T, TDigest>) {
                w.U8(KDigest);
                w.U32(m.Tick);
                w.U64(m.State);
                w.U64(m.Frame);
            } else if constexpr (std::is_same_v<T, TFocus>) {
                w.U8(KFocus);
                w.U8(m.Active ? 1 : 0);
            } else if constexpr (std::is_same_v<T, TPing>) {
                w.U8(KPing);
                w.U32(m.Stamp);
            } else {
                w.U8(KPong);
                w.U32(m.Stamp);
            }
        },
        message);
    return w.Size();
}

std::optional<TMessage> DecodeMessage(const uint8_t* data, size_t size)
{
    if (data == nullptr || size < 1 || size > MaxMessageSize)
        return std::nullopt;
    TReader in(data);
    const uint8_t kind = in.U8();
    auto sized = [size](size_t body) { return size == 1 + body; };
    switch (kind) {
    case KHello: {
        THello m;
        if (size < 1 + OldHelloBody)
            return std::nullopt;
        m.Protocol = in.U16();
        m.Version = in.Text();
        // Each protocol's hello has its own size: 2 without the nonce, 3 without the wish to watch.
        const size_t body = m.Protocol < 3 ? OldHelloBody : m.Protocol == 3 ? OldHelloBody + NonceSize : OldHelloBody + NonceSize + 1;
        if (!sized(body) || !ValidVersion(m.Version))
            return std::nullopt;
        if (m.Protocol >= 3)
            m.Nonce = in.Bytes<NonceSize>();
        if (m.Protocol >= 4) {
            const uint8_t watch = in.U8();
            if (watch > 1)
                return std::nullopt;
            m.Watch = watch == 1;
        }
        return m;
    }
    case KWelcome: {
        if (!sized(4 + VersionLength + ProofSize))
            return std::nullopt;
        TWelcome m;
        m.TimeOfDay = in.U32();
        m.Version = in.Text();
        m.Proof = in.Bytes<ProofSize>();
        if (m.TimeOfDay >= MillisecondsPerDay || !ValidVersion(m.Version))
            return std::nullopt;
        return m;
    }
    case KChallenge: {
        if (!sized(NonceSize + 1))
            return std::nullopt;
        TChallenge m;
        m.Nonce = in.Bytes<NonceSize>();
        const uint8_t required = in.U8();
        if (required > 1)
            return std::nullopt;
        m.CodeRequired = required == 1;
        return m;
    }
    case KProof:
        if (!sized(ProofSize))
            return std::nullopt;
        return TProofOfCode{in.Bytes<ProofSize>()};
    case KRefusal: {
        if (!sized(1 + VersionLength))
            return std::nullopt;
        const uint8_t reason = in.U8();
        if (reason < TRefusal::RaceFull || reason > TRefusal::EnoughSpectators)
            return std::nullopt;
        TRefusal m;
        m.Reason = static_cast<TRefusal::TReason>(reason);
        m.Version = in.Text();
        if (!ValidVersion(m.Version))
            return std::nullopt;
        return m;
    }
    case KInputs:
        if (size < InputsFixedSize + RecordSize)
            return std::nullopt;
        return DecodeInputs(in, size);
    case KWatchTicks:
        if (size < WatchTicksFixedSize + 2 * RecordSize)
            return std::nullopt;
        return DecodeWatchTicks(in, size);
    case KWatched: {
        if (!sized(4))
            return std::nullopt;
        const TWatched m{in.U32()};
        if (m.Through > MaxTick)
            return std::nullopt;
        return m;
    }
    case KResume: {
        if (!sized(4))
            return std::nullopt;
        const TResume m{in.U32()};
        if (!ValidTick(m.Tick))
            return std::nullopt;
        return m;
    }
    case KDigest: {
        if (!sized(4 + 8 + 8))
            return std::nullopt;
        TDigest m;
        m.Tick = in.U32();
        m.State = in.U64();
        m.Frame = in.U64();
        if (!ValidTick(m.Tick))
            return std::nullopt;
        return m;
    }
    case KFocus: {
        if (!sized(1))
            return std::nullopt;
        const uint8_t active = in.U8();
        if (active > 1)
            return std::nullopt;
        return TFocus{active == 1};
    }
    case KPing:
        if (!sized(4))
            return std::nullopt;
        return TPing{in.U32()};
    case KPong:
        if (!sized(4))
            return std::nullopt;
        return TPong{in.U32()};
    default:
        return std::nullopt;
    }
}
