#include "storage/PasswordKey.h"

PasswordKey& PasswordKey::Instance()
{
    static PasswordKey instance;
    return instance;
}

PasswordKey::PasswordKey()
{
    BuildKey(QString(), m_key, m_keyBits);
}

bool PasswordKey::BuildKey(const QString& text, KeyBuffer& key, int& keyBits)
{
    const qsizetype length = text.size();
    if (length > kMaxPasswordLength)
        return false;
    key.fill(kFillByte);
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t unit = text.at(i).unicode();
        key[size_t(2 * i)] = static_cast<unsigned char>(unit & 0xFF);
        key[size_t(2 * i + 1)] = static_cast<unsigned char>(unit >> 8);
    }
    if (length == 0)
        keyBits = 0;
    else if (length <= 8)
        keyBits = 128;
    else if (length <= 12)
        keyBits = 192;
    else
        keyBits = 256;
    return true;
}

bool PasswordKey::SetPassword(const QString& text)
{
    KeyBuffer key;
    int keyBits = 0;
    if (!BuildKey(text, key, keyBits))
        return false;
    m_key = key;
    m_keyBits = keyBits;
    return true;
}

bool PasswordKey::MatchesPassword(const QString& text) const
{
    KeyBuffer key;
    int keyBits = 0;
    return BuildKey(text, key, keyBits) && key == m_key;
}
