#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

class QSaveFile;

// The data file as one piece in memory. Saving: the section writers append to
// the payload buffer, then WriteHeader and one flush put header and payload
// into a QSaveFile, and Commit replaces the file on disk in one step; closing
// without a commit (or after any failed write) leaves the old file as it was.
// Loading: the header is checked, the rest of the file is read in one sized
// read (and deciphered), and the section readers consume the payload from a
// cursor, never past its end.
//
// On disk: the 4-byte header "c", "a", 0x0A, then 0x00 (plain) or 0x65
// (enciphered). A plain file continues with the payload. An enciphered file
// continues with the verifier text enciphered as two blocks, then the payload
// padded to whole 16-byte blocks with the start of the verifier text and
// enciphered block by block.
class CCryptMemFile
{
public:
    enum Mode : int { Closed = -1, Read = 0, Write = 1 };

    // ReadHeader verdicts.
    enum HeaderVerdict : int {
        HeaderShort = 0,       // fewer than 4 bytes
        HeaderPlain = 2,       // byte 3 is 0x00
        HeaderEnciphered = -1, // byte 3 is 0x65
        HeaderBadMagic = -2,   // not "c", "a", or byte 3 neither 0x00 nor 0x65
        HeaderBadVersion = -3, // byte 2 is not 0x0A
    };

    // LoadEnciphered and FlushEnciphered results.
    enum CipherResult : int {
        CipherDone = 2,
        CipherFailed = -1,  // wrong password (load) or a block operation failed
        CipherRefused = 0,  // wrong mode, malformed length, empty payload, no memory, failed write
    };

    static constexpr int kHeaderSize = 4;
    static constexpr unsigned char kVersion = 0x0A;
    static constexpr unsigned char kPlainMark = 0x00;
    static constexpr unsigned char kEncipheredMark = 0x65;
    static constexpr int kVerifierSize = 32;
    // The same for every file and every password: deciphering it back tells a
    // right password from a wrong one, and its start pads the last block.
    static constexpr char kVerifier[kVerifierSize + 1] = "5A0C93E7D14F4a28B6E1F09C37A2D48B";
    static constexpr int kOpenErrorLimit = 1024;

    CCryptMemFile();
    ~CCryptMemFile(); // closes, cancelling an uncommitted save
    CCryptMemFile(const CCryptMemFile&) = delete;
    CCryptMemFile& operator=(const CCryptMemFile&) = delete;

    // mode Read opens an existing file; mode Write prepares a save to path
    // (the file on disk is replaced only by Commit). On failure error gets
    // the platform's text (at most 1024 characters; empty when the mode is
    // not 0 or 1) and the object stays closed. An open object is closed first.
    bool Open(const QString& path, int mode, QString& error);
    int GetMode() const { return m_mode; }

    // Reading (mode Read).
    int ReadHeader();
    // The rest of the file after the header becomes the payload; false when
    // not reading, when nothing follows the header, or the read fails.
    bool LoadPlain();
    // Deciphers the rest of the file into the payload: CipherDone; CipherFailed
    // when the verifier does not come back (wrong password) or the cipher
    // fails; CipherRefused when not reading, the length is not 36 + 16n, or
    // the read fails. Nothing of a failed load stays in the payload.
    int LoadEnciphered(const unsigned char* key, int keyBits);
    // The same on bytes already in memory: the payload holds what follows the
    // header of an enciphered file (verifier and blocks, 32 + 16n bytes) and
    // is replaced by the deciphered payload, padding included. The cursor
    // goes to its start; a failure leaves the payload empty.
    int DecipherPayload(const unsigned char* key, int keyBits);

    // Saving (mode Write), in this order: WriteHeader, one flush, Commit.
    // A flush without a matching header, a second header or flush, and
    // anything after a failed write is refused.
    bool WriteHeader(bool enciphered);
    // Writes the payload unchanged; false when not writing, the payload is
    // empty, or the write fails.
    bool FlushPlain();
    // Writes the enciphered verifier and the padded, enciphered payload and
    // releases the payload: CipherDone; CipherFailed when the cipher fails
    // (an impossible key length shows its message); CipherRefused when not
    // writing, the payload is empty, memory runs out or the write fails.
    int FlushEnciphered(const unsigned char* key, int keyBits);
    // The in-memory half of FlushEnciphered: replaces the payload with what
    // follows the header of an enciphered file (the enciphered verifier, then
    // the payload padded and enciphered). CipherRefused for an empty payload
    // or when memory runs out, CipherFailed when the cipher fails; the
    // payload then stays as it was.
    int EncipherPayload(const unsigned char* key, int keyBits);
    // Flushes and commits the save: only now is the file on disk replaced.
    // False (and the old file untouched) after any failure or without a flush.
    bool Commit();

    // Cancels an uncommitted save, closes the file, releases the payload.
    void Close();

    // Payload primitives. Writes append to the payload in any mode (false only
    // when memory runs out or a string is too long for its length word).
    // Reads go from the cursor; a failed read consumes nothing and leaves its
    // output untouched.
    bool WriteWord(quint32 value);
    // The length in bytes (UTF-16 code units x 2), then the text in UTF-16LE.
    bool WriteString(const QString& text);
    // True only when 4 bytes were there.
    bool ReadWord(quint32& value);
    bool ReadWord(qint32& value);
    // True when the length word and all its bytes were there; the text stops
    // at the first NUL inside. A length beyond the rest of the payload fails
    // before anything is allocated; so does an odd length, which no writer
    // produces and which cannot hold whole UTF-16 code units.
    bool ReadString(QString& text);

    const QByteArray& Payload() const { return m_payload; }
    // Replaces the payload and puts the cursor at its start (readers working
    // on bytes that did not come from a file: tests, fuzzing).
    void SetPayload(QByteArray payload);
    qsizetype Position() const { return m_position; }
    qsizetype Remaining() const { return m_payload.size() - m_position; }

    // Test seam for a full disk: every CCryptMemFile writes at most `bytes`
    // bytes to a file from then on (header included); the write that crosses
    // the limit puts what fits and fails. A negative value lifts the limit.
    static void SetWriteLimitForTesting(qint64 bytes);

private:
    enum class Header { None, Plain, Enciphered };

    bool WriteToFile(const char* data, qint64 length);
    bool CanFlush(Header kind) const;
    bool ReadAfterHeader(qint64 fileSize, QByteArray& body);
    void FailSave();

    int m_mode = Closed;
    QFile m_readFile;
    std::unique_ptr<QSaveFile> m_saveFile;
    Header m_header = Header::None;
    bool m_flushed = false;
    bool m_failed = false;
    bool m_committed = false;
    qint64 m_written = 0;

    QByteArray m_payload;
    qsizetype m_position = 0;
};
