#include "Floors.h"

#include <QFile>
#include <QSaveFile>

#include <cstring>

namespace {

// A cursor over the file's bytes that knows only words and strings.
class ByteWalk
{
public:
    ByteWalk(const QByteArray& bytes, QStringList& texts)
        : m_at(bytes.constData())
        , m_end(bytes.constData() + bytes.size())
        , m_texts(texts)
    {
    }

    bool Skip(qsizetype bytes)
    {
        if (m_end - m_at < bytes)
            return false;
        m_at += bytes;
        return true;
    }

    bool Word(quint32& value)
    {
        if (m_end - m_at < 4)
            return false;
        std::memcpy(&value, m_at, 4); // little-endian, as in the file
        m_at += 4;
        return true;
    }

    bool Words(int count)
    {
        return Skip(4 * qsizetype(count));
    }

    bool Text()
    {
        quint32 bytes = 0;
        if (!Word(bytes) || bytes % 2 != 0 || m_end - m_at < qsizetype(bytes))
            return false;
        QString text(qsizetype(bytes / 2), Qt::Uninitialized);
        std::memcpy(text.data(), m_at, bytes);
        m_texts.append(std::move(text));
        m_at += bytes;
        return true;
    }

    // count records, each fixed words before and after one string.
    bool Records(int wordsBefore, int wordsAfter)
    {
        quint32 count = 0;
        if (!Word(count))
            return false;
        for (quint32 n = 0; n < count; ++n) {
            if (!Words(wordsBefore) || !Text() || !Words(wordsAfter))
                return false;
        }
        return true;
    }

private:
    const char* m_at;
    const char* m_end;
    QStringList& m_texts;
};

} // namespace

bool ReadDataFileTexts(const QString& path, QStringList& texts)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith(QByteArray("ca\x0A\x00", 4)))
        return false;
    ByteWalk walk(bytes, texts);
    // File marker; day marks (date, flags, note); categories (name, icon,
    // reserved, colour).
    if (!walk.Skip(4) || !walk.Text() || !walk.Text() || !walk.Records(2, 0) || !walk.Text()
        || !walk.Records(0, 3))
        return false;
    // Tasks: groups and the last Id, then per group its date and count,
    // per task six words, title and note; the current task.
    quint32 groups = 0;
    if (!walk.Text() || !walk.Word(groups) || !walk.Words(1))
        return false;
    for (quint32 group = 0; group < groups; ++group) {
        quint32 count = 0;
        if (!walk.Words(1) || !walk.Word(count))
            return false;
        for (quint32 n = 0; n < count; ++n) {
            if (!walk.Words(6) || !walk.Text() || !walk.Text())
                return false;
        }
    }
    // Holidays (month and day, name), the end marker and the two filters.
    return walk.Words(1) && walk.Text() && walk.Records(1, 0) && walk.Text() && walk.Words(2);
}

bool WriteBytesAsSaved(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() && file.commit();
}

bool ReadUtf8Text(const QString& path, QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    text = QString::fromUtf8(file.readAll());
    return true;
}
