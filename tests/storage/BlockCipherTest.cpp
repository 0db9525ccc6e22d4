#include "storage/BlockCipher.h"
#include "storage/UserNotice.h"

#include <QByteArray>
#include <QStringList>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

const unsigned char* U(const QByteArray& bytes)
{
    return reinterpret_cast<const unsigned char*>(bytes.constData());
}

unsigned char* U(QByteArray& bytes)
{
    return reinterpret_cast<unsigned char*>(bytes.data());
}

// The standard lays block byte i into row i % 4, column i / 4; the program
// lays it into row i / 4, column i % 4. Written out here on its own, apart
// from the product's transposition.
QByteArray Transposed(const QByteArray& block)
{
    QByteArray result(16, '\0');
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column)
            result[row + 4 * column] = block[4 * row + column];
    }
    return result;
}

QByteArray Encipher(const QByteArray& key, int keyBits, const QByteArray& in)
{
    QByteArray out(16, '\0');
    EXPECT_TRUE(EncipherBlock(U(key), keyBits, U(in), U(out)));
    return out;
}

QByteArray Decipher(const QByteArray& key, int keyBits, const QByteArray& in)
{
    QByteArray out(16, '\0');
    EXPECT_TRUE(DecipherBlock(U(key), keyBits, U(in), U(out)));
    return out;
}

QByteArray Pattern(qsizetype size, int seed)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 131 + seed * 17 + (i >> 8)) & 0xFF);
    return bytes;
}

// Records what would have gone to the user instead of printing it.
class NoticeRecorder
{
public:
    NoticeRecorder()
        : m_previous(UserNotice::SetHandler([this](const QString& text) { m_texts << text; }))
    {
    }
    ~NoticeRecorder() { UserNotice::SetHandler(m_previous); }
    const QStringList& Texts() const { return m_texts; }

private:
    QStringList m_texts;
    UserNotice::Handler m_previous;
};

const QByteArray kStandardPlain = QByteArray::fromHex("00112233445566778899aabbccddeeff");

} // namespace

TEST(BlockCipherTest, StandardExampleGivesTheRowByRowResultAndComesBack)
{
    const QByteArray key = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f");
    const QByteArray expected = QByteArray::fromHex("26da9a97b22fba5e8105169160de8626");

    EXPECT_EQ(Encipher(key, 128, kStandardPlain).toHex(), expected.toHex());
    EXPECT_EQ(Decipher(key, 128, expected).toHex(), kStandardPlain.toHex());

    // In place, in and out the same buffer.
    QByteArray block = kStandardPlain;
    ASSERT_TRUE(EncipherBlock(U(key), 128, U(block), U(block)));
    EXPECT_EQ(block.toHex(), expected.toHex());
    ASSERT_TRUE(DecipherBlock(U(key), 128, U(block), U(block)));
    EXPECT_EQ(block.toHex(), kStandardPlain.toHex());
}

TEST(BlockCipherTest, EveryKeyLengthIsTheStandardCipherBetweenTwoTranspositions)
{
    struct Row
    {
        const char* name;
        int keyBits;
        const char* standardCipher; // the standard's published result for kStandardPlain
    };
    const Row rows[] = {
        {"aes128", 128, "69c4e0d86a7b0430d8cdb78070b4c55a"},
        {"aes192", 192, "dda97ca4864cdfe06eaf70a0ec0d7191"},
        {"aes256", 256, "8ea2b7ca516745bfeafc49904b496089"},
    };
    const QByteArray fullKey = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f"
                                                   "101112131415161718191a1b1c1d1e1f");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray key = fullKey.left(row.keyBits / 8);
        const QByteArray standard = QByteArray::fromHex(row.standardCipher);
        EXPECT_EQ(Encipher(key, row.keyBits, Transposed(kStandardPlain)).toHex(), Transposed(standard).toHex());
        EXPECT_EQ(Decipher(key, row.keyBits, Transposed(standard)).toHex(), Transposed(kStandardPlain).toHex());
    }
}

TEST(BlockCipherTest, ManyBlocksAtOnceMatchBlockByBlockAndRoundTrip)
{
    // Longer than one slice handed to the platform cipher, so the slicing is crossed.
    const qsizetype size = (qsizetype(1) << 20) + 3 * kCipherBlockSize;
    const QByteArray plain = Pattern(size, 1);
    for (const int keyBits : {128, 192, 256}) {
        SCOPED_TRACE(keyBits);
        const QByteArray key = Pattern(keyBits / 8, keyBits);
        QByteArray data = plain;
        BlockCipher encipher(U(key), keyBits, BlockCipher::Encipher);
        ASSERT_TRUE(encipher.IsReady());
        ASSERT_TRUE(encipher.Apply(U(data), data.size()));
        EXPECT_NE(data, plain);
        for (const qsizetype offset : {qsizetype(0), (qsizetype(1) << 20) - 16, qsizetype(1) << 20, size - 16}) {
            SCOPED_TRACE(offset);
            EXPECT_EQ(data.mid(offset, 16).toHex(), Encipher(key, keyBits, plain.mid(offset, 16)).toHex());
        }
        BlockCipher decipher(U(key), keyBits, BlockCipher::Decipher);
        ASSERT_TRUE(decipher.Apply(U(data), data.size()));
        EXPECT_TRUE(data == plain);
    }
}

TEST(BlockCipherTest, EqualBlocksGiveEqualCipherBlocks)
{
    const QByteArray key = Pattern(16, 3);
    const QByteArray block = Pattern(16, 4);
    QByteArray data = block + block;
    BlockCipher cipher(U(key), 128, BlockCipher::Encipher);
    ASSERT_TRUE(cipher.Apply(U(data), data.size()));
    EXPECT_EQ(data.left(16), data.mid(16));
    EXPECT_FALSE(cipher.Apply(U(data), 20)); // not whole blocks
}

TEST(BlockCipherTest, ImpossibleKeyLengthsFailAndTellTheUser)
{
    struct Row
    {
        const char* name;
        bool encipher;
        int keyBits;
        bool message;
    };
    const Row rows[] = {
        {"encipher_without_key", true, 0, true},
        {"encipher_64", true, 64, true},
        {"encipher_129", true, 129, true},
        {"encipher_512", true, 512, true},
        {"decipher_without_key_is_quiet", false, 0, false},
        {"decipher_64", false, 64, true},
        {"decipher_negative", false, -128, true},
    };
    const QByteArray key(64, 'k');
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        NoticeRecorder notices;
        QByteArray out(16, 'x');
        const bool ok = row.encipher ? EncipherBlock(U(key), row.keyBits, U(kStandardPlain), U(out))
                                     : DecipherBlock(U(key), row.keyBits, U(kStandardPlain), U(out));
        EXPECT_FALSE(ok);
        EXPECT_EQ(out, QByteArray(16, 'x'));
        if (row.message)
            EXPECT_EQ(notices.Texts(), QStringList{QStringLiteral("Length of Key should be 128, 192 or 256 only.")});
        else
            EXPECT_TRUE(notices.Texts().isEmpty());
    }
}

TEST(BlockCipherTest, SeparateCiphersRunOnSeparateThreads)
{
    const int kThreads = 4;
    const QByteArray plain = Pattern(4096 * kCipherBlockSize, 9);
    std::vector<QByteArray> expected;
    for (int t = 0; t < kThreads; ++t) {
        const QByteArray key = Pattern(32, t);
        QByteArray data = plain;
        BlockCipher(U(key), 256, BlockCipher::Encipher).Apply(U(data), data.size());
        expected.push_back(data);
    }
    std::vector<QByteArray> results(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &plain, &results] {
            const QByteArray key = Pattern(32, t);
            QByteArray data = plain;
            for (qsizetype offset = 0; offset < data.size(); offset += kCipherBlockSize)
                EncipherBlock(U(key), 256, U(data) + offset, U(data) + offset);
            results[size_t(t)] = data;
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int t = 0; t < kThreads; ++t)
        EXPECT_TRUE(results[size_t(t)] == expected[size_t(t)]) << "thread " << t;
}
