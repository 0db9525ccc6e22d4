#include "storage/BlockCipher.h"
#include "storage/CCryptMemFile.h"
#include "storage/PasswordKey.h"
#include "storage/UserNotice.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

const QByteArray kVerifier(CCryptMemFile::kVerifier);

QByteArray Pattern(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + 3) & 0xFF);
    return bytes;
}

PasswordKey KeyFor(const QString& password)
{
    PasswordKey key;
    EXPECT_TRUE(key.SetPassword(password));
    return key;
}

class CryptMemFileTest : public ::testing::Test
{
protected:
    void TearDown() override { CCryptMemFile::SetWriteLimitForTesting(-1); }

    QString PathOf(const QString& name) const { return m_dir.filePath(name); }

    // The data file's way of saving: open, payload, header, flush, commit.
    // Without a key the file is plain.
    static bool Save(const QString& path, const QByteArray& payload, const PasswordKey* key = nullptr)
    {
        CCryptMemFile file;
        QString error;
        if (!file.Open(path, CCryptMemFile::Write, error))
            return false;
        file.SetPayload(payload);
        const bool enciphered = key && key->KeyBits() != 0;
        if (!file.WriteHeader(enciphered))
            return false;
        const bool flushed = enciphered ? file.FlushEnciphered(key->KeyBytes(), key->KeyBits()) == CCryptMemFile::CipherDone
                                        : file.FlushPlain();
        return flushed && file.Commit();
    }

    // Opens for reading and loads the payload; the load's result comes back.
    static int Load(CCryptMemFile& file, const QString& path, const PasswordKey* key = nullptr)
    {
        QString error;
        if (!file.Open(path, CCryptMemFile::Read, error))
            return -100;
        const int verdict = file.ReadHeader();
        if (verdict == CCryptMemFile::HeaderPlain)
            return file.LoadPlain() ? CCryptMemFile::CipherDone : CCryptMemFile::CipherRefused;
        if (verdict == CCryptMemFile::HeaderEnciphered)
            return key ? file.LoadEnciphered(key->KeyBytes(), key->KeyBits()) : file.LoadEnciphered(nullptr, 0);
        return -100 + verdict;
    }

    QStringList FolderEntries() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir m_dir;
};

TEST_F(CryptMemFileTest, HundredBytePayloadIsPaddedWithTwelveVerifierBytes)
{
    const PasswordKey key = KeyFor(QStringLiteral("secret"));
    const QByteArray payload = Pattern(100);
    const QString path = PathOf(QStringLiteral("Padded.vrx"));
    ASSERT_TRUE(Save(path, payload, &key));

    const QByteArray bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 148);
    EXPECT_EQ(bytes.size() % 16, 4);
    EXPECT_EQ(bytes.left(4), QByteArray("ca\x0A\x65", 4));

    // Verifier halves, then seven payload blocks, each enciphered on its own.
    QByteArray plain = bytes.mid(4);
    BlockCipher decipher(key.KeyBytes(), key.KeyBits(), BlockCipher::Decipher);
    ASSERT_TRUE(decipher.Apply(reinterpret_cast<unsigned char*>(plain.data()), plain.size()));
    EXPECT_EQ(plain.left(32), kVerifier);
    EXPECT_EQ(plain.mid(32, 100), payload);
    EXPECT_EQ(plain.mid(132), kVerifier.left(12));

    CCryptMemFile file;
    ASSERT_EQ(Load(file, path, &key), CCryptMemFile::CipherDone);
    EXPECT_EQ(file.Payload(), payload + kVerifier.left(12)); // the reader ignores the padding
}

TEST_F(CryptMemFileTest, WholeBlocksGetNoPadding)
{
    const PasswordKey key = KeyFor(QStringLiteral("a longer secret")); // 256 bits
    const QByteArray payload = Pattern(32);
    const QString path = PathOf(QStringLiteral("Whole.vrx"));
    ASSERT_TRUE(Save(path, payload, &key));
    EXPECT_EQ(ReadFileBytes(path).size(), 4 + 32 + 32);

    CCryptMemFile file;
    ASSERT_EQ(Load(file, path, &key), CCryptMemFile::CipherDone);
    EXPECT_EQ(file.Payload(), payload);
}

TEST_F(CryptMemFileTest, PlainFileIsHeaderAndPayload)
{
    const QByteArray payload = Pattern(21);
    const QString path = PathOf(QStringLiteral("Plain.vrx"));
    ASSERT_TRUE(Save(path, payload));
    EXPECT_EQ(ReadFileBytes(path), QByteArray("ca\x0A\0", 4) + payload);

    CCryptMemFile file;
    ASSERT_EQ(Load(file, path), CCryptMemFile::CipherDone);
    EXPECT_EQ(file.Payload(), payload);
}

TEST_F(CryptMemFileTest, HeaderVerdictsFollowTheByteOrder)
{
    struct Row
    {
        const char* name;
        QByteArray bytes;
        int verdict;
    };
    const Row rows[] = {
        {"plain", QByteArray("ca\x0A\x00rest", 8), CCryptMemFile::HeaderPlain},
        {"enciphered", QByteArray("ca\x0A\x65", 4), CCryptMemFile::HeaderEnciphered},
        {"bad_first_byte", QByteArray("xa\x0A\x00", 4), CCryptMemFile::HeaderBadMagic},
        {"bad_second_byte", QByteArray("cx\x0A\x00", 4), CCryptMemFile::HeaderBadMagic},
        {"bad_version", QByteArray("ca\x0B\x00", 4), CCryptMemFile::HeaderBadVersion},
        {"byte3_neither_plain_nor_enciphered", QByteArray("ca\x0A\x01", 4), CCryptMemFile::HeaderBadMagic},
        {"bad_magic_wins_over_bad_version", QByteArray("xa\x0B\x00", 4), CCryptMemFile::HeaderBadMagic},
        {"bad_version_wins_over_bad_byte3", QByteArray("ca\x0B\x01", 4), CCryptMemFile::HeaderBadVersion},
        {"three_bytes", QByteArray("ca\x0A", 3), CCryptMemFile::HeaderShort},
        {"empty", QByteArray(), CCryptMemFile::HeaderShort},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = PathOf(QString::fromLatin1(row.name));
        WriteFileBytes(path, row.bytes);
        CCryptMemFile file;
        QString error;
        ASSERT_TRUE(file.Open(path, CCryptMemFile::Read, error));
        EXPECT_EQ(file.ReadHeader(), row.verdict);
    }
}

TEST_F(CryptMemFileTest, EncipheredLoadChecksLengthThenPassword)
{
    const PasswordKey right = KeyFor(QStringLiteral("right"));
    const PasswordKey wrong = KeyFor(QStringLiteral("wrong"));
    const PasswordKey none;
    const QString source = PathOf(QStringLiteral("Source.vrx"));
    ASSERT_TRUE(Save(source, Pattern(10), &right));
    const QByteArray bytes = ReadFileBytes(source);
    ASSERT_EQ(bytes.size(), 52);

    struct Row
    {
        const char* name;
        QByteArray bytes;
        const PasswordKey* key;
        int result;
        qsizetype payloadSize;
    };
    const Row rows[] = {
        {"right_password", bytes, &right, CCryptMemFile::CipherDone, 16},
        {"wrong_password", bytes, &wrong, CCryptMemFile::CipherFailed, 0},
        {"no_password", bytes, &none, CCryptMemFile::CipherFailed, 0},
        {"cut_to_35_bytes", bytes.left(35), &right, CCryptMemFile::CipherRefused, 0},
        {"verifier_alone", bytes.left(36), &right, CCryptMemFile::CipherDone, 0},
        {"cut_inside_a_block", bytes.left(51), &right, CCryptMemFile::CipherRefused, 0},
        {"one_byte_extra", bytes + 'x', &right, CCryptMemFile::CipherRefused, 0},
        {"header_alone", bytes.left(4), &right, CCryptMemFile::CipherRefused, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = PathOf(QString::fromLatin1(row.name));
        WriteFileBytes(path, row.bytes);
        CCryptMemFile file;
        EXPECT_EQ(Load(file, path, row.key), row.result);
        EXPECT_EQ(file.Payload().size(), row.payloadSize);
    }
}

TEST_F(CryptMemFileTest, SamePasswordAndContentGiveIdenticalFiles)
{
    const QByteArray payload = Pattern(77);
    const PasswordKey key = KeyFor(QStringLiteral("twelve chars"));
    const PasswordKey other = KeyFor(QStringLiteral("twelve charz"));
    ASSERT_TRUE(Save(PathOf(QStringLiteral("One.vrx")), payload, &key));
    ASSERT_TRUE(Save(PathOf(QStringLiteral("Two.vrx")), payload, &key));
    ASSERT_TRUE(Save(PathOf(QStringLiteral("Other.vrx")), payload, &other));
    const QByteArray one = ReadFileBytes(PathOf(QStringLiteral("One.vrx")));
    EXPECT_EQ(one.size(), 4 + 32 + 80);
    EXPECT_EQ(one, ReadFileBytes(PathOf(QStringLiteral("Two.vrx"))));
    EXPECT_NE(one.mid(4), ReadFileBytes(PathOf(QStringLiteral("Other.vrx"))).mid(4));
}

TEST_F(CryptMemFileTest, WordsAndStringsComeBackFromPlainAndEncipheredFiles)
{
    const QString nonBmp = QString::fromUtf16(u"Caf\u00e9 \U0001F600 \U00020BB7");
    for (const bool enciphered : {false, true}) {
        SCOPED_TRACE(enciphered ? "enciphered" : "plain");
        const QString path = PathOf(QStringLiteral("Round.vrx"));
        const PasswordKey key = KeyFor(enciphered ? QStringLiteral("pw") : QString());
        {
            CCryptMemFile file;
            QString error;
            ASSERT_TRUE(file.Open(path, CCryptMemFile::Write, error)) << error.toStdString();
            EXPECT_TRUE(file.WriteWord(0));
            EXPECT_TRUE(file.WriteWord(0xFFFFFFFFu));
            EXPECT_TRUE(file.WriteWord(0x7FFFFFFF));
            EXPECT_TRUE(file.WriteString(QString()));
            EXPECT_TRUE(file.WriteString(QStringLiteral("[C11_FILE]")));
            EXPECT_TRUE(file.WriteString(nonBmp));
            EXPECT_TRUE(file.WriteString(QStringLiteral("ab") + QChar(u'\0') + QStringLiteral("cd")));
            EXPECT_TRUE(file.WriteWord(0x12345678));
            ASSERT_TRUE(file.WriteHeader(enciphered));
            if (enciphered)
                ASSERT_EQ(file.FlushEnciphered(key.KeyBytes(), key.KeyBits()), CCryptMemFile::CipherDone);
            else
                ASSERT_TRUE(file.FlushPlain());
            ASSERT_TRUE(file.Commit());
        }
        CCryptMemFile file;
        ASSERT_EQ(Load(file, path, &key), CCryptMemFile::CipherDone);
        quint32 word = 1;
        qint32 signedWord = 0;
        QString text = QStringLiteral("stale");
        EXPECT_TRUE(file.ReadWord(word));
        EXPECT_EQ(word, 0u);
        EXPECT_TRUE(file.ReadWord(signedWord));
        EXPECT_EQ(signedWord, -1);
        EXPECT_TRUE(file.ReadWord(word));
        EXPECT_EQ(word, 0x7FFFFFFFu);
        EXPECT_TRUE(file.ReadString(text));
        EXPECT_EQ(text, QString());
        EXPECT_TRUE(file.ReadString(text));
        EXPECT_EQ(text, QStringLiteral("[C11_FILE]"));
        EXPECT_TRUE(file.ReadString(text));
        EXPECT_EQ(text, nonBmp);
        EXPECT_TRUE(file.ReadString(text));
        EXPECT_EQ(text, QStringLiteral("ab")); // the NUL cuts the text, the bytes are consumed
        EXPECT_TRUE(file.ReadWord(word));
        EXPECT_EQ(word, 0x12345678u);
        // What is left is the padding of the last block.
        const qsizetype padding = enciphered ? (16 - file.Position() % 16) % 16 : 0;
        EXPECT_EQ(file.Remaining(), padding);
        EXPECT_EQ(file.Payload().mid(file.Position()), kVerifier.left(padding));
    }
}

TEST_F(CryptMemFileTest, StringsAreLengthInBytesThenUtf16)
{
    CCryptMemFile file;
    ASSERT_TRUE(file.WriteString(QString()));
    ASSERT_TRUE(file.WriteString(QStringLiteral("Call")));
    ASSERT_TRUE(file.WriteWord(0x007D930F));
    EXPECT_EQ(file.Payload().toHex(), QByteArray("00000000"
                                                 "08000000"
                                                 "430061006c006c00"
                                                 "0f937d00"));
}

TEST_F(CryptMemFileTest, ReadsBeyondThePayloadFailAndConsumeNothing)
{
    struct Row
    {
        const char* name;
        QByteArray payload;
    };
    const Row rows[] = {
        {"length_beyond_payload", QByteArray::fromHex("64000000") + QByteArray(10, 'a')},
        {"largest_length", QByteArray::fromHex("ffffffff") + QByteArray(4, 'a')},
        {"one_byte_short", QByteArray::fromHex("04000000") + QByteArray(3, 'a')},
        {"odd_length", QByteArray::fromHex("03000000") + QByteArray(4, 'a')},
        {"length_word_cut", QByteArray::fromHex("0400")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CCryptMemFile file;
        file.SetPayload(QByteArray::fromHex("01000000") + row.payload);
        quint32 word = 0;
        ASSERT_TRUE(file.ReadWord(word));
        QString text = QStringLiteral("stale");
        EXPECT_FALSE(file.ReadString(text));
        EXPECT_EQ(text, QStringLiteral("stale"));
        EXPECT_EQ(file.Position(), 4);
        // The cursor still stands on the length word.
        if (row.payload.size() >= 4) {
            EXPECT_TRUE(file.ReadWord(word));
            EXPECT_EQ(word, qFromLittleEndian<quint32>(row.payload.constData()));
        }
    }

    CCryptMemFile file;
    file.SetPayload(QByteArray("abc", 3));
    quint32 word = 7;
    EXPECT_FALSE(file.ReadWord(word));
    EXPECT_EQ(word, 7u);
    EXPECT_EQ(file.Position(), 0);
}

TEST_F(CryptMemFileTest, FailedOrUnfinishedSaveLeavesThePreviousFileWhole)
{
    const PasswordKey key = KeyFor(QStringLiteral("pw"));
    struct Row
    {
        const char* name;
        bool enciphered;
        qint64 writeLimit;  // -1: no limit
        bool commit;
    };
    const Row rows[] = {
        {"header_cut", false, 2, true},
        {"plain_payload_cut", false, 4 + 10, true},
        {"verifier_cut", true, 4 + 20, true},
        {"enciphered_payload_cut", true, 4 + 32 + 16, true},
        {"closed_without_commit", false, -1, false},
        {"enciphered_closed_without_commit", true, -1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = PathOf(QStringLiteral("Keep.vrx"));
        ASSERT_TRUE(Save(path, QByteArray("previous calendar")));
        const QByteArray before = ReadFileBytes(path);

        CCryptMemFile::SetWriteLimitForTesting(row.writeLimit);
        {
            CCryptMemFile file;
            QString error;
            ASSERT_TRUE(file.Open(path, CCryptMemFile::Write, error));
            file.SetPayload(Pattern(100));
            const bool headerWritten = file.WriteHeader(row.enciphered);
            const bool flushed = headerWritten
                                 && (row.enciphered ? file.FlushEnciphered(key.KeyBytes(), key.KeyBits())
                                                          == CCryptMemFile::CipherDone
                                                    : file.FlushPlain());
            EXPECT_EQ(headerWritten && flushed, row.writeLimit < 0);
            if (row.commit) {
                EXPECT_FALSE(file.Commit());
            }
            EXPECT_EQ(ReadFileBytes(path), before); // untouched while the save is open
        }
        CCryptMemFile::SetWriteLimitForTesting(-1);
        EXPECT_EQ(ReadFileBytes(path), before);
        EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("Keep.vrx")}); // no temporary left behind
    }
}

TEST_F(CryptMemFileTest, CommittedSaveReplacesTheFile)
{
    const QString path = PathOf(QStringLiteral("Replace.vrx"));
    ASSERT_TRUE(Save(path, QByteArray("old")));
    ASSERT_TRUE(Save(path, QByteArray("new content")));
    EXPECT_EQ(ReadFileBytes(path), QByteArray("ca\x0A\0new content", 15));
    EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("Replace.vrx")});
}

TEST_F(CryptMemFileTest, OpenFailuresCarryThePlatformText)
{
    struct Row
    {
        const char* name;
        QString path;
        int mode;
        bool text;
    };
    const Row rows[] = {
        {"read_missing_file", PathOf(QStringLiteral("missing.vrx")), CCryptMemFile::Read, true},
        {"write_into_missing_folder", PathOf(QStringLiteral("no/such/folder.vrx")), CCryptMemFile::Write, true},
        {"unknown_mode", PathOf(QStringLiteral("any.vrx")), 2, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CCryptMemFile file;
        QString error = QStringLiteral("old");
        EXPECT_FALSE(file.Open(row.path, row.mode, error));
        EXPECT_EQ(!error.isEmpty(), row.text);
        EXPECT_LE(error.size(), CCryptMemFile::kOpenErrorLimit);
        EXPECT_EQ(file.GetMode(), CCryptMemFile::Closed);
    }
    EXPECT_FALSE(QFile::exists(PathOf(QStringLiteral("any.vrx"))));
}

TEST_F(CryptMemFileTest, OperationsOutsideTheirModeOrOrderAreRefused)
{
    const PasswordKey key = KeyFor(QStringLiteral("pw"));
    const QString plainPath = PathOf(QStringLiteral("Plain.vrx"));
    ASSERT_TRUE(Save(plainPath, QByteArray("payload")));
    QString error;

    CCryptMemFile reader;
    ASSERT_TRUE(reader.Open(plainPath, CCryptMemFile::Read, error));
    reader.SetPayload(QByteArray("x"));
    EXPECT_FALSE(reader.WriteHeader(false));
    EXPECT_FALSE(reader.FlushPlain());
    EXPECT_EQ(reader.FlushEnciphered(key.KeyBytes(), key.KeyBits()), CCryptMemFile::CipherRefused);
    EXPECT_FALSE(reader.Commit());

    const QString headerOnly = PathOf(QStringLiteral("HeaderOnly.vrx"));
    WriteFileBytes(headerOnly, QByteArray("ca\x0A\0", 4));
    ASSERT_TRUE(reader.Open(headerOnly, CCryptMemFile::Read, error));
    EXPECT_EQ(reader.ReadHeader(), CCryptMemFile::HeaderPlain);
    EXPECT_FALSE(reader.LoadPlain()); // nothing after the header

    const QString path = PathOf(QStringLiteral("Order.vrx"));
    CCryptMemFile writer;
    ASSERT_TRUE(writer.Open(path, CCryptMemFile::Write, error));
    EXPECT_EQ(writer.ReadHeader(), CCryptMemFile::HeaderShort);
    EXPECT_FALSE(writer.LoadPlain());
    EXPECT_EQ(writer.LoadEnciphered(key.KeyBytes(), key.KeyBits()), CCryptMemFile::CipherRefused);
    writer.SetPayload(QByteArray("payload"));
    EXPECT_FALSE(writer.FlushPlain()); // no header yet
    ASSERT_TRUE(writer.WriteHeader(false));
    EXPECT_FALSE(writer.WriteHeader(false)); // one header only
    EXPECT_EQ(writer.FlushEnciphered(key.KeyBytes(), key.KeyBits()), CCryptMemFile::CipherRefused); // plain header
    EXPECT_FALSE(writer.Commit()); // nothing flushed
    ASSERT_TRUE(writer.FlushPlain());
    EXPECT_FALSE(writer.FlushPlain()); // one flush only
    ASSERT_TRUE(writer.Commit());
    writer.Close();
    EXPECT_EQ(writer.GetMode(), CCryptMemFile::Closed);
    EXPECT_TRUE(writer.Payload().isEmpty());
    EXPECT_EQ(ReadFileBytes(path), QByteArray("ca\x0A\0payload", 11));

    CCryptMemFile empty;
    ASSERT_TRUE(empty.Open(PathOf(QStringLiteral("Empty.vrx")), CCryptMemFile::Write, error));
    ASSERT_TRUE(empty.WriteHeader(true));
    EXPECT_EQ(empty.FlushEnciphered(key.KeyBytes(), key.KeyBits()), CCryptMemFile::CipherRefused);
}

TEST_F(CryptMemFileTest, ImpossibleKeyLengthFailsTheEncipheredFlush)
{
    QStringList notices;
    const UserNotice::Handler previous = UserNotice::SetHandler([&notices](const QString& text) { notices << text; });
    const QString path = PathOf(QStringLiteral("BadKey.vrx"));
    {
        CCryptMemFile file;
        QString error;
        ASSERT_TRUE(file.Open(path, CCryptMemFile::Write, error));
        file.SetPayload(Pattern(40));
        ASSERT_TRUE(file.WriteHeader(true));
        const unsigned char key[32] = {};
        EXPECT_EQ(file.FlushEnciphered(key, 100), CCryptMemFile::CipherFailed);
        EXPECT_FALSE(file.Commit());
    }
    UserNotice::SetHandler(previous);
    EXPECT_EQ(notices, QStringList{QStringLiteral("Length of Key should be 128, 192 or 256 only.")});
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
