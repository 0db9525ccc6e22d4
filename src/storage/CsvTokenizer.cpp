#include "storage/CsvTokenizer.h"

#include <QFile>
#include <QStringDecoder>

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
    m_record.clear();
    m_fields.clear();
    const qsizetype size = m_text.size();
    if (m_pos >= size)
        return false;

    bool inQuotes = false;
    QChar previous;
    while (m_pos < size) {
        const QChar c = m_text[m_pos++];
        if (c == kQuote) {
            inQuotes = !inQuotes;
            m_record += c;
        } else if (inQuotes) {
            if (c == kLf && previous != kCr)
                m_record += kCr;
            m_record += c;
        } else if (c == kLf || c == kNul) {
            break;
        } else if (c == kCr) {
            if (m_pos < size && m_text[m_pos] == kLf)
                ++m_pos;
            break;
        } else {
            m_record += c;
        }
        previous = c;
    }
    SplitRecord();
    return true;
}

void CsvTokenizer::SplitRecord()
{
    const qsizetype size = m_record.size();
    if (size == 0)
        return;

    qsizetype i = 0;
    for (;;) {
        QString field;
        if (i < size && m_record[i] == kQuote) {
            ++i;
            while (i < size) {
                if (m_record[i] != kQuote) {
                    field += m_record[i++];
                } else if (i + 1 < size && m_record[i + 1] == kQuote) {
                    field += kQuote;
                    i += 2;
                } else {
                    ++i; // the closing quote
                    break;
                }
            }
        }
        // Unquoted text, or what follows a closing quote, up to the comma.
        qsizetype end = m_record.indexOf(kComma, i);
        if (end < 0)
            end = size;
        field += QStringView(m_record).sliced(i, end - i);
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
    // The decoder drops a leading byte-order mark and turns bytes that are
    // not UTF-8 into replacement characters.
    QStringDecoder decoder(QStringDecoder::Utf8);
    text = decoder.decode(bytes);
    return true;
}
