#pragma once

#include <QString>

#include <array>

// The current document's password turned into cipher key bytes. The key is
// the password's UTF-16LE code units, unhashed, followed by the fill byte up
// to 32 bytes; the key length follows from the password's length: none for the
// empty password, 128 bits for 1-8 code units, 192 for 9-12, 256 for 13-16.
// One instance serves the process; tests make their own.
class PasswordKey
{
public:
    static constexpr int kKeyBytes = 32;
    static constexpr int kMaxPasswordLength = kKeyBytes / 2; // UTF-16 code units
    // Fills every key byte the password does not cover. 0xFF because two of
    // them form the code unit U+FFFF, a Unicode noncharacter that no real
    // password holds: a password and the same password followed by more
    // characters never share a key (with 0x00 a trailing U+0000 would).
    // Part of the file format: every enciphered file depends on it.
    static constexpr unsigned char kFillByte = 0xFF;

    using KeyBuffer = std::array<unsigned char, kKeyBytes>;

    static PasswordKey& Instance();

    // Starts with the empty password (key length 0, all fill bytes).
    PasswordKey();

    // Takes a new password. More than 16 UTF-16 code units are refused and the
    // key in force stays; the result says whether the password was taken.
    bool SetPassword(const QString& text);
    // Whether text gives exactly the stored 32 key bytes (the empty text
    // matches the empty password); false for more than 16 code units.
    bool MatchesPassword(const QString& text) const;

    const unsigned char* KeyBytes() const { return m_key.data(); }
    // 0 (no password), 128, 192 or 256.
    int KeyBits() const { return m_keyBits; }

    // The key buffer and key length text gives; false (outputs untouched) for
    // more than 16 code units.
    static bool BuildKey(const QString& text, KeyBuffer& key, int& keyBits);

private:
    KeyBuffer m_key;
    int m_keyBits = 0;
};
