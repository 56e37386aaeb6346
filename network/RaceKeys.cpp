#include "network/RaceKeys.h"

#include <sodium.h>

#include <stdexcept>

namespace {

void InitialiseSodium()
{
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium could not be initialised");
}

// A keyed BLAKE2b of a purpose's name and both nonces: each purpose gives unrelated bytes.
template <size_t N>
std::array<uint8_t, N> Derive(const std::array<uint8_t, 32>& key, const char* purpose, const TNonce& hostNonce,
                              const TNonce& joinerNonce)
{
    static_assert(N >= crypto_generichash_BYTES_MIN && N <= crypto_generichash_BYTES_MAX);
    crypto_generichash_state state;
    crypto_generichash_init(&state, key.data(), key.size(), N);
    // With its terminating zero, so that no purpose's name is the start of another's.
    crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(purpose),
                              std::char_traits<char>::length(purpose) + 1);
    crypto_generichash_update(&state, hostNonce.data(), hostNonce.size());
    crypto_generichash_update(&state, joinerNonce.data(), joinerNonce.size());
    std::array<uint8_t, N> out{};
    crypto_generichash_final(&state, out.data(), out.size());
    return out;
}

} // namespace

TNonce NewNonce()
{
    InitialiseSodium();
    TNonce nonce;
    randombytes_buf(nonce.data(), nonce.size());
    return nonce;
}

TRaceKey::TRaceKey(const std::string& code)
{
    InitialiseSodium();
    // The program's name keeps these keys apart from any other use of the same six letters.
    const std::string text = "QuiboTrainer race code:" + code;
    crypto_generichash(FKey.data(), FKey.size(), reinterpret_cast<const unsigned char*>(text.data()), text.size(),
                       nullptr, 0);
}

TProof TRaceKey::JoinerProof(const TNonce& hostNonce, const TNonce& joinerNonce) const
{
    return Derive<ProofSize>(FKey, "joiner proof", hostNonce, joinerNonce);
}

TProof TRaceKey::HostProof(const TNonce& hostNonce, const TNonce& joinerNonce) const
{
    return Derive<ProofSize>(FKey, "host proof", hostNonce, joinerNonce);
}

TSessionKeys TRaceKey::Keys(bool host, const TNonce& hostNonce, const TNonce& joinerNonce) const
{
    static_assert(TagKeySize == crypto_shorthash_KEYBYTES);
    const TTagKey fromHost = Derive<TagKeySize>(FKey, "tags from host", hostNonce, joinerNonce);
    const TTagKey fromJoiner = Derive<TagKeySize>(FKey, "tags from joiner", hostNonce, joinerNonce);
    return host ? TSessionKeys{fromHost, fromJoiner} : TSessionKeys{fromJoiner, fromHost};
}

bool SameProof(const TProof& a, const TProof& b)
{
    return sodium_memcmp(a.data(), b.data(), a.size()) == 0;
}

bool SameTag(const TTag& a, const TTag& b)
{
    return sodium_memcmp(a.data(), b.data(), a.size()) == 0;
}

TTag MessageTag(const TTagKey& key, const uint8_t* bytes, size_t size)
{
    static_assert(TagSize == crypto_shorthash_BYTES);
    TTag tag;
    crypto_shorthash(tag.data(), bytes, size, key.data());
    return tag;
}
