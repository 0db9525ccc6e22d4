#include "storage/PasswordKey.h"

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

namespace {

QByteArray KeyOf(const PasswordKey& key)
{
    return QByteArray(reinterpret_cast<const char*>(key.KeyBytes()), PasswordKey::kKeyBytes);
}

QByteArray Fill(int count)
{
    return QByteArray(count, char(PasswordKey::kFillByte));
}

QString Letters(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(u'a' + i);
    return text;
}

// A character outside the basic plane: two UTF-16 code units each.
QString Emoji(int count)
{
    return QString::fromUtf16(u"\U0001F600").repeated(count);
}

} // namespace

TEST(PasswordKeyTest, LengthOfThePasswordChoosesTheKeyLength)
{
    struct Row
    {
        const char* name;
        QString password;
        int keyBits;
    };
    const Row rows[] = {
        {"empty", QString(), 0},
        {"one_character", Letters(1), 128},
        {"eight_characters", Letters(8), 128},
        {"nine_characters", Letters(9), 192},
        {"twelve_characters", Letters(12), 192},
        {"thirteen_characters", Letters(13), 256},
        {"sixteen_characters", Letters(16), 256},
        // A character outside the basic plane takes two UTF-16 code units.
        {"four_emoji_are_eight_units", Emoji(4), 128},
        {"five_emoji_are_ten_units", Emoji(5), 192},
        {"eight_emoji_are_sixteen_units", Emoji(8), 256},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PasswordKey key;
        ASSERT_TRUE(key.SetPassword(row.password));
        EXPECT_EQ(key.KeyBits(), row.keyBits);

        QByteArray expected;
        for (const QChar unit : row.password) {
            expected.append(char(unit.unicode() & 0xFF));
            expected.append(char(unit.unicode() >> 8));
        }
        expected += Fill(PasswordKey::kKeyBytes - int(expected.size()));
        EXPECT_EQ(KeyOf(key).toHex(), expected.toHex());
        EXPECT_TRUE(key.MatchesPassword(row.password));
    }
}

TEST(PasswordKeyTest, OneCharacterIsItsUtf16BytesThenFillBytes)
{
    PasswordKey key;
    ASSERT_TRUE(key.SetPassword(QString(QChar(0x20AC)))); // the euro sign, two non-zero bytes
    EXPECT_EQ(key.KeyBits(), 128);
    EXPECT_EQ(KeyOf(key).left(16).toHex(), (QByteArray("\xAC\x20", 2) + Fill(14)).toHex());

    ASSERT_TRUE(key.SetPassword(QStringLiteral("Abcdefgh")));
    EXPECT_EQ(KeyOf(key).left(16), QByteArray("A\0b\0c\0d\0e\0f\0g\0h\0", 16));
}

TEST(PasswordKeyTest, TooLongPasswordIsRefusedAndTheOldKeyStays)
{
    PasswordKey key;
    ASSERT_TRUE(key.SetPassword(QStringLiteral("secret")));
    const QByteArray before = KeyOf(key);

    EXPECT_FALSE(key.SetPassword(Letters(17)));
    EXPECT_EQ(key.KeyBits(), 128);
    EXPECT_EQ(KeyOf(key), before);
    EXPECT_TRUE(key.MatchesPassword(QStringLiteral("secret")));

    // Nine characters outside the basic plane are eighteen code units.
    EXPECT_FALSE(key.SetPassword(Emoji(9)));
    EXPECT_EQ(KeyOf(key), before);
}

TEST(PasswordKeyTest, MatchesOnlyTheVeryPassword)
{
    PasswordKey key;
    EXPECT_EQ(key.KeyBits(), 0);
    EXPECT_TRUE(key.MatchesPassword(QString())); // no password is the empty text
    EXPECT_FALSE(key.MatchesPassword(QStringLiteral("a")));

    ASSERT_TRUE(key.SetPassword(QStringLiteral("Secret")));
    EXPECT_TRUE(key.MatchesPassword(QStringLiteral("Secret")));
    EXPECT_FALSE(key.MatchesPassword(QStringLiteral("secret")));
    EXPECT_FALSE(key.MatchesPassword(QStringLiteral("Secre")));
    EXPECT_FALSE(key.MatchesPassword(QStringLiteral("Secret ")));
    EXPECT_FALSE(key.MatchesPassword(QString()));
    // A trailing NUL is not the fill: the password stays distinct.
    EXPECT_FALSE(key.MatchesPassword(QStringLiteral("Secret") + QChar(u'\0')));

    ASSERT_TRUE(key.SetPassword(Letters(16)));
    EXPECT_TRUE(key.MatchesPassword(Letters(16)));
    EXPECT_FALSE(key.MatchesPassword(Letters(16) + QChar(u'q'))); // 17: never a match

    ASSERT_TRUE(key.SetPassword(QString()));
    EXPECT_EQ(key.KeyBits(), 0);
    EXPECT_EQ(KeyOf(key), Fill(PasswordKey::kKeyBytes));
    EXPECT_TRUE(key.MatchesPassword(QString()));
}
