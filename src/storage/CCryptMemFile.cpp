#include "storage/CCryptMemFile.h"

#include "storage/BlockCipher.h"
#include "storage/SaveFile.h"

#include <QSaveFile>
#include <QSysInfo>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace {

std::atomic<qint64> g_writeLimit{-1};

constexpr qint64 kEncipheredMinimum = CCryptMemFile::kHeaderSize + CCryptMemFile::kVerifierSize;

const unsigned char* VerifierBytes()
{
    return reinterpret_cast<const unsigned char*>(CCryptMemFile::kVerifier);
}

unsigned char* Bytes(QByteArray& array)
{
    return reinterpret_cast<unsigned char*>(array.data());
}

} // namespace

CCryptMemFile::CCryptMemFile() = default;

CCryptMemFile::~CCryptMemFile()
{
    Close();
}

void CCryptMemFile::SetWriteLimitForTesting(qint64 bytes)
{
    g_writeLimit.store(bytes);
}

bool CCryptMemFile::Open(const QString& path, int mode, QString& error)
{
    Close();
    error.clear();
    if (mode == Read) {
        // Other programs cannot be kept from writing meanwhile, but every
        // writer of this program replaces the file in one rename, so a reader
        // sees the old file or the new one whole.
        m_readFile.setFileName(path);
        if (!m_readFile.open(QIODevice::ReadOnly)) {
            error = m_readFile.errorString().left(kOpenErrorLimit);
            return false;
        }
    } else if (mode == Write) {
        // The text goes to a temporary file beside the target; the target is
        // replaced only by Commit.
        auto saveFile = std::make_unique<QSaveFile>(path);
        if (!saveFile->open(QIODevice::WriteOnly)) {
            error = saveFile->errorString().left(kOpenErrorLimit);
            return false;
        }
        m_saveFile = std::move(saveFile);
    } else {
        return false;
    }
    m_mode = mode;
    return true;
}

void CCryptMemFile::Close()
{
    // An uncommitted save file removes its temporary file as it goes; the
    // file on disk stays as it was.
    m_saveFile.reset();
    if (m_readFile.isOpen())
        m_readFile.close();
    m_mode = Closed;
    m_header = Header::None;
    m_flushed = false;
    m_failed = false;
    m_committed = false;
    m_written = 0;
    m_payload = QByteArray();
    m_position = 0;
}

// ---- reading ----

int CCryptMemFile::ReadHeader()
{
    if (m_mode != Read || !m_readFile.seek(0))
        return HeaderShort;
    char header[kHeaderSize];
    if (m_readFile.read(header, kHeaderSize) != kHeaderSize)
        return HeaderShort;
    const auto byte = [&header](int i) { return static_cast<unsigned char>(header[i]); };
    if (byte(0) != 'c' || byte(1) != 'a')
        return HeaderBadMagic;
    if (byte(2) != kVersion)
        return HeaderBadVersion;
    if (byte(3) == kPlainMark)
        return HeaderPlain;
    if (byte(3) == kEncipheredMark)
        return HeaderEnciphered;
    return HeaderBadMagic;
}

bool CCryptMemFile::ReadAfterHeader(qint64 fileSize, QByteArray& body)
{
    // One sized read of what the file really holds; nothing inside the file
    // decides how much is allocated.
    const qint64 length = fileSize - kHeaderSize;
    if (length < 0 || length > std::numeric_limits<qsizetype>::max())
        return false;
    try {
        body.resize(qsizetype(length));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return m_readFile.seek(kHeaderSize) && m_readFile.read(body.data(), length) == length;
}

bool CCryptMemFile::LoadPlain()
{
    SetPayload(QByteArray());
    if (m_mode != Read)
        return false;
    const qint64 size = m_readFile.size();
    if (size <= kHeaderSize)
        return false;
    QByteArray body;
    if (!ReadAfterHeader(size, body))
        return false;
    SetPayload(std::move(body));
    return true;
}

int CCryptMemFile::LoadEnciphered(const unsigned char* key, int keyBits)
{
    SetPayload(QByteArray());
    if (m_mode != Read)
        return CipherRefused;
    const qint64 size = m_readFile.size();
    if (size < kEncipheredMinimum || (size - kHeaderSize) % kCipherBlockSize != 0)
        return CipherRefused;
    QByteArray body;
    if (!ReadAfterHeader(size, body))
        return CipherRefused;
    SetPayload(std::move(body));
    return DecipherPayload(key, keyBits);
}

int CCryptMemFile::DecipherPayload(const unsigned char* key, int keyBits)
{
    QByteArray body = std::exchange(m_payload, QByteArray());
    m_position = 0;
    if (body.size() < kVerifierSize || body.size() % kCipherBlockSize != 0)
        return CipherRefused;

    BlockCipher cipher(key, keyBits, BlockCipher::Decipher);
    unsigned char* data = Bytes(body);
    if (!cipher.Apply(data, kVerifierSize))
        return CipherFailed;
    if (std::memcmp(data, VerifierBytes(), kVerifierSize) != 0)
        return CipherFailed;
    if (!cipher.Apply(data + kVerifierSize, body.size() - kVerifierSize))
        return CipherFailed;
    // The padding stays at the end; the section readers stop before it.
    body.remove(0, kVerifierSize);
    SetPayload(std::move(body));
    return CipherDone;
}

// ---- saving ----

void CCryptMemFile::FailSave()
{
    m_failed = true;
    if (m_saveFile)
        m_saveFile->cancelWriting();
}

bool CCryptMemFile::WriteToFile(const char* data, qint64 length)
{
    if (m_mode != Write || !m_saveFile || m_failed || m_committed)
        return false;
    qint64 allowed = length;
    const qint64 limit = g_writeLimit.load();
    if (limit >= 0 && m_written + length > limit)
        allowed = std::max<qint64>(0, limit - m_written);
    if (allowed > 0 && m_saveFile->write(data, allowed) != allowed) {
        FailSave();
        return false;
    }
    m_written += allowed;
    if (allowed < length) {
        FailSave();
        return false;
    }
    return true;
}

bool CCryptMemFile::CanFlush(Header kind) const
{
    return m_mode == Write && m_header == kind && !m_flushed && !m_failed && !m_payload.isEmpty();
}

bool CCryptMemFile::WriteHeader(bool enciphered)
{
    if (m_mode != Write || m_header != Header::None)
        return false;
    const char header[kHeaderSize] = {'c', 'a', char(kVersion),
                                      char(enciphered ? kEncipheredMark : kPlainMark)};
    if (!WriteToFile(header, kHeaderSize))
        return false;
    m_header = enciphered ? Header::Enciphered : Header::Plain;
    return true;
}

bool CCryptMemFile::FlushPlain()
{
    if (!CanFlush(Header::Plain) || !WriteToFile(m_payload.constData(), m_payload.size()))
        return false;
    m_flushed = true;
    return true;
}

int CCryptMemFile::FlushEnciphered(const unsigned char* key, int keyBits)
{
    if (!CanFlush(Header::Enciphered))
        return CipherRefused;
    const int result = EncipherPayload(key, keyBits);
    if (result != CipherDone)
        return result;
    if (!WriteToFile(m_payload.constData(), m_payload.size()))
        return CipherRefused;
    SetPayload(QByteArray());
    m_flushed = true;
    return CipherDone;
}

int CCryptMemFile::EncipherPayload(const unsigned char* key, int keyBits)
{
    if (m_payload.isEmpty())
        return CipherRefused;
    BlockCipher cipher(key, keyBits, BlockCipher::Encipher);
    if (!cipher.IsReady())
        return CipherFailed;

    // The enciphered verifier goes first, then the payload padded with the
    // start of the verifier text to whole blocks.
    const qsizetype tail = m_payload.size() % kCipherBlockSize;
    const qsizetype padding = tail != 0 ? kCipherBlockSize - tail : 0;
    QByteArray body;
    try {
        body.reserve(kVerifierSize + m_payload.size() + padding);
        body.append(kVerifier, kVerifierSize);
        body.append(m_payload);
        body.append(kVerifier, padding);
    } catch (const std::bad_alloc&) {
        return CipherRefused;
    }
    if (!cipher.Apply(Bytes(body), body.size()))
        return CipherFailed;
    SetPayload(std::move(body));
    return CipherDone;
}

bool CCryptMemFile::Commit()
{
    if (m_mode != Write || !m_saveFile || !m_flushed || m_failed || m_committed)
        return false;
    // A full disk may show only when the buffered rest goes out.
    if (!CommitSaveFile(*m_saveFile)) {
        FailSave();
        return false;
    }
    m_committed = true;
    return true;
}

// ---- payload primitives ----

void CCryptMemFile::SetPayload(QByteArray payload)
{
    m_payload = std::move(payload);
    m_position = 0;
}

namespace {

void PutWord(char* out, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        out[i] = char((value >> (8 * i)) & 0xFF);
}

} // namespace

bool CCryptMemFile::WriteWord(quint32 value)
{
    char bytes[4];
    PutWord(bytes, value);
    try {
        m_payload.append(bytes, sizeof bytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CCryptMemFile::WriteString(const QString& text)
{
    const qsizetype units = text.size();
    if (units > qsizetype(std::numeric_limits<quint32>::max() / 2))
        return false;
    const qsizetype start = m_payload.size();
    try {
        m_payload.resize(start + 4 + 2 * units);
    } catch (const std::bad_alloc&) {
        return false;
    }
    char* out = m_payload.data() + start;
    PutWord(out, quint32(2 * units));
    out += 4;
    for (const QChar unit : text) {
        const char16_t u = unit.unicode();
        *out++ = char(u & 0xFF);
        *out++ = char(u >> 8);
    }
    return true;
}

bool CCryptMemFile::ReadWord(quint32& value)
{
    if (Remaining() < 4)
        return false;
    const auto* p = reinterpret_cast<const unsigned char*>(m_payload.constData() + m_position);
    value = quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
    m_position += 4;
    return true;
}

bool CCryptMemFile::ReadWord(qint32& value)
{
    quint32 word = 0;
    if (!ReadWord(word))
        return false;
    value = qint32(word);
    return true;
}

bool CCryptMemFile::ReadString(QString& text)
{
    const qsizetype start = m_position;
    quint32 byteLength = 0;
    if (!ReadWord(byteLength))
        return false;
    if (byteLength % 2 != 0 || qint64(byteLength) > qint64(Remaining())) {
        m_position = start;
        return false;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(m_payload.constData() + m_position);
    const qsizetype units = qsizetype(byteLength / 2);
    // Loading is mostly this: the units are copied in one piece where the
    // machine's order is the file's, and the NUL is looked for in the copy,
    // where the library's search takes many units at a time.
    QString result(units, Qt::Uninitialized);
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        std::memcpy(result.data(), p, byteLength);
    } else {
        QChar* out = result.data();
        for (qsizetype i = 0; i < units; ++i)
            out[i] = QChar(char16_t(p[2 * i] | p[2 * i + 1] << 8));
    }
    const qsizetype nul = QStringView(result).indexOf(QChar(0));
    if (nul >= 0)
        result.truncate(nul);
    text = std::move(result);
    m_position += byteLength;
    return true;
}
