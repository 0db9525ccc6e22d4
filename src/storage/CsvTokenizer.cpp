#include "storage/CsvTokenizer.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <utility>

namespace {

constexpr QChar kQuote = u'"';
constexpr QChar kComma = u',';
constexpr QChar kCr = u'\r';
constexpr QChar kLf = u'\n';
constexpr QChar kNul = u'\0';

} // namespace

CsvTokenizer::CsvTokenizer(QString text)
    : m_text(std::move(text))
{
}

bool CsvTokenizer::ReadRecord()
{
    m_record.resize(0);
    m_fields.clear();
    const qsizetype size = m_text.size();
    if (m_pos >= size)
        return false;

    // The record text is the input less the record end, with a CR put in
    // before each bare LF inside quotes; it is copied in runs.
    const QChar* const data = m_text.constData();
    qsizetype runStart = m_pos;
    const auto copyRun = [&](qsizetype end) { m_record.append(QStringView(data + runStart, end - runStart)); };
    bool inQuotes = false;
    bool ended = false;
    while (m_pos < size && !ended) {
        const QChar c = data[m_pos];
        if (c == kQuote) {
            inQuotes = !inQuotes;
        } else if (inQuotes) {
            if (c == kLf && data[m_pos - 1] != kCr) {
                copyRun(m_pos);
                m_record += kCr;
                runStart = m_pos;
            }
        } else if (c == kLf || c == kCr || c == kNul) {
            copyRun(m_pos);
            if (c == kCr && m_pos + 1 < size && data[m_pos + 1] == kLf)
                ++m_pos;
            ended = true;
        }
        ++m_pos;
    }
    if (!ended)
        copyRun(m_pos);
    SplitRecord();
    return true;
}

void CsvTokenizer::SplitRecord()
{
    const qsizetype size = m_record.size();
    if (size == 0)
        return;

    const QStringView record(m_record);
    qsizetype i = 0;
    for (;;) {
        QString field;
        if (i < size && record[i] == kQuote) {
            // Up to the next quote that is not doubled; a doubled one gives one.
            ++i;
            for (;;) {
                qsizetype quote = record.indexOf(kQuote, i);
                if (quote < 0)
                    quote = size;
                field += record.sliced(i, quote - i);
                i = std::min(quote + 1, size);
                if (quote + 1 >= size || record[quote + 1] != kQuote)
                    break;
                field += kQuote;
                ++i;
            }
        }
        // Unquoted text, or what follows a closing quote, up to the comma.
        qsizetype end = record.indexOf(kComma, i);
        if (end < 0)
            end = size;
        field += record.sliced(i, end - i);
        m_fields.append(field);
        if (end == size)
            break;
        i = end + 1; // a comma at the very end leaves one empty field
    }
}

QString CsvTokenizer::Field(int position) const
{
    return position >= 0 && position < m_fields.size() ? m_fields[position] : QString();
}

bool CsvTokenizer::ReadFileText(const QString& path, QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    text = DecodeText(bytes);
    return true;
}

QString CsvTokenizer::DecodeText(const QByteArray& bytes)
{
    // The decoder drops a leading byte-order mark and turns bytes that are
    // not UTF-8 into replacement characters.
    QStringDecoder decoder(QStringDecoder::Utf8);
    return decoder.decode(bytes);
}
