#pragma once

#include <QtGlobal>

#include <memory>

// AES (Rijndael with a 16-byte block) in the program's own byte layout: block
// byte i is state row i / 4, column i % 4 (row by row), where the standard
// lays it column by column. The result equals transposing the block as a 4x4
// byte matrix, applying standard AES and transposing back, and that is how it
// is computed, on the platform's AES. The layout is part of the file format:
// changing it makes every enciphered data file unreadable.
//
// Every block is enciphered on its own with the same key (no chaining, no
// initial value), so equal content and equal key give equal bytes.

inline constexpr int kCipherBlockSize = 16;

// Enciphers one 16-byte block. `key` holds at least keyBits / 8 bytes; `in`
// and `out` may be the same buffer. A keyBits other than 128, 192 or 256
// shows "Length of Key should be 128, 192 or 256 only." and returns false.
bool EncipherBlock(const unsigned char* key, int keyBits, const unsigned char* in, unsigned char* out);

// The inverse of EncipherBlock. keyBits 0 (no password) returns false
// quietly; any other length but 128, 192 or 256 shows the message as above.
bool DecipherBlock(const unsigned char* key, int keyBits, const unsigned char* in, unsigned char* out);

// One key made ready once for the many blocks of one file. Each object has
// its own cipher context, so separate objects may run on separate threads.
class BlockCipher
{
public:
    enum Direction { Encipher, Decipher };

    // Checks the key length as EncipherBlock / DecipherBlock do (showing the
    // same message) and prepares the key; IsReady() tells the outcome.
    BlockCipher(const unsigned char* key, int keyBits, Direction direction);
    ~BlockCipher();
    BlockCipher(const BlockCipher&) = delete;
    BlockCipher& operator=(const BlockCipher&) = delete;

    bool IsReady() const;

    // Enciphers or deciphers `length` bytes (a multiple of 16) block by block
    // from `in` into `out`; the two may be the same buffer (not otherwise
    // overlapping). False when the object is not ready, the length is not
    // whole blocks, or the platform cipher fails.
    bool Apply(const unsigned char* in, unsigned char* out, qsizetype length);
    // In place.
    bool Apply(unsigned char* data, qsizetype length) { return Apply(data, data, length); }

    static bool IsValidKeyBits(int keyBits);

private:
    struct Context;
    std::unique_ptr<Context> m_context;
};
