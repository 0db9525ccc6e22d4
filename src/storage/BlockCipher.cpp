#include "storage/BlockCipher.h"

#include "storage/UserNotice.h"

#include <openssl/evp.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// The platform cipher takes an int length; large buffers go through in
// slices of whole blocks. A slice small enough to stay in the processor's
// cache between the transposition, the cipher and the transposition back
// keeps the three passes from each reading memory.
constexpr qsizetype kSliceBytes = qsizetype(64) << 10;

const EVP_CIPHER* CipherFor(int keyBits)
{
    switch (keyBits) {
    case 128: return EVP_aes_128_ecb();
    case 192: return EVP_aes_192_ecb();
    case 256: return EVP_aes_256_ecb();
    default: return nullptr;
    }
}

// Swaps the block between the program's row-by-row layout and the standard's
// column-by-column one; the swap is its own inverse.
void TransposeBlock(unsigned char* block)
{
#if defined(__SSE2__)
    // Two rounds of interleaving the block's two halves transpose the 4 x 4
    // bytes: (r0 r1 | r2 r3) -> r0/r2 and r1/r3 byte pairs -> columns. Done
    // byte by byte, the transpositions took twice as long as the cipher.
    auto* at = reinterpret_cast<__m128i*>(block);
    const __m128i rows = _mm_loadu_si128(at);
    const __m128i pairs = _mm_unpacklo_epi8(rows, _mm_srli_si128(rows, 8));
    _mm_storeu_si128(at, _mm_unpacklo_epi8(pairs, _mm_srli_si128(pairs, 8)));
#else
    for (int row = 0; row < 4; ++row) {
        for (int column = row + 1; column < 4; ++column)
            std::swap(block[row * 4 + column], block[column * 4 + row]);
    }
#endif
}

void TransposeBlocks(unsigned char* data, qsizetype length)
{
    for (qsizetype offset = 0; offset < length; offset += kCipherBlockSize)
        TransposeBlock(data + offset);
}

bool ApplyOnce(const unsigned char* key, int keyBits, BlockCipher::Direction direction,
               const unsigned char* in, unsigned char* out)
{
    BlockCipher cipher(key, keyBits, direction);
    return cipher.Apply(in, out, kCipherBlockSize);
}

} // namespace

struct BlockCipher::Context
{
    EVP_CIPHER_CTX* ctx = nullptr;
    ~Context() { EVP_CIPHER_CTX_free(ctx); }
};

bool BlockCipher::IsValidKeyBits(int keyBits)
{
    return CipherFor(keyBits) != nullptr;
}

BlockCipher::BlockCipher(const unsigned char* key, int keyBits, Direction direction)
{
    // Deciphering without a password is the ordinary first try on opening a
    // file; it fails quietly. Any other impossible length is a program fault
    // the user is told about.
    if (direction == Decipher && keyBits == 0)
        return;
    const EVP_CIPHER* cipher = CipherFor(keyBits);
    if (!cipher) {
        UserNotice::Show(QStringLiteral("Length of Key should be 128, 192 or 256 only."));
        return;
    }
    if (!key)
        return;
    auto context = std::make_unique<Context>();
    context->ctx = EVP_CIPHER_CTX_new();
    if (!context->ctx)
        return;
    if (EVP_CipherInit_ex(context->ctx, cipher, nullptr, key, nullptr, direction == Encipher ? 1 : 0) != 1)
        return;
    // Whole blocks only; the file layer pads with verifier text itself.
    EVP_CIPHER_CTX_set_padding(context->ctx, 0);
    m_context = std::move(context);
}

BlockCipher::~BlockCipher() = default;

bool BlockCipher::IsReady() const
{
    return m_context != nullptr;
}

bool BlockCipher::Apply(const unsigned char* in, unsigned char* out, qsizetype length)
{
    if (!m_context || !in || !out || length < 0 || length % kCipherBlockSize != 0)
        return false;
    if (in != out)
        std::memmove(out, in, size_t(length));
    for (qsizetype done = 0; done < length;) {
        const qsizetype slice = std::min(kSliceBytes, length - done);
        unsigned char* data = out + done;
        TransposeBlocks(data, slice);
        int produced = 0;
        const bool ok = EVP_CipherUpdate(m_context->ctx, data, &produced, data, int(slice)) == 1
                        && produced == int(slice);
        if (!ok)
            return false;
        TransposeBlocks(data, slice);
        done += slice;
    }
    return true;
}

bool EncipherBlock(const unsigned char* key, int keyBits, const unsigned char* in, unsigned char* out)
{
    return ApplyOnce(key, keyBits, BlockCipher::Encipher, in, out);
}

bool DecipherBlock(const unsigned char* key, int keyBits, const unsigned char* in, unsigned char* out)
{
    return ApplyOnce(key, keyBits, BlockCipher::Decipher, in, out);
}
