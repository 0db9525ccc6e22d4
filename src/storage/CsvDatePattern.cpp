#include "storage/CsvDatePattern.h"

#include "model/DateFormat.h"

#include <QLocale>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr int kTextNoYear = 270;
constexpr int kTextNoMonth = 271;
constexpr int kTextNoDay = 272;

// A run of d this long or longer shows the weekday's name.
constexpr int kWeekdayRun = 3;
// A run of M this long or longer shows the month's name.
constexpr int kMonthNameRun = 3;
// y and yy show the year without century; longer runs show it whole.
constexpr int kFullYearRun = 4;
constexpr int kShortYearMaxRun = 2;

void SkipSpace(QStringView field, qsizetype& pos)
{
    while (pos < field.size() && field[pos].isSpace())
        ++pos;
}

// A signed decimal number after optional white space. Values past the range
// of int stop at its ends; the date rules bring them into range later.
bool ReadNumber(QStringView field, qsizetype& pos, int& value)
{
    qsizetype i = pos;
    SkipSpace(field, i);
    bool negative = false;
    if (i < field.size() && (field[i] == u'-' || field[i] == u'+')) {
        negative = field[i] == u'-';
        ++i;
    }
    const qsizetype digitsStart = i;
    qint64 magnitude = 0;
    constexpr qint64 kCap = qint64(std::numeric_limits<int>::max()) + 1;
    while (i < field.size() && field[i] >= u'0' && field[i] <= u'9') {
        magnitude = std::min(kCap, magnitude * 10 + (field[i].unicode() - u'0'));
        ++i;
    }
    if (i == digitsStart)
        return false;
    const qint64 signedValue = negative ? -magnitude : magnitude;
    value = int(std::clamp<qint64>(signedValue, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    pos = i;
    return true;
}

// Literal picture text against the field: white space matches any run of
// white space, every other character itself.
bool MatchText(QStringView text, QStringView field, qsizetype& pos)
{
    for (const QChar c : text) {
        if (c.isSpace()) {
            SkipSpace(field, pos);
        } else if (pos < field.size() && field[pos] == c) {
            ++pos;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

bool CsvDatePattern::Build(const QString& picture, int& errorText)
{
    m_elements.clear();
    m_monthNames.clear();
    bool haveDay = false;
    bool haveMonth = false;
    bool haveYear = false;
    for (const PictureToken& token : SplitPicture(picture)) {
        Element element;
        if (token.letter.isNull()) {
            element.text = token.text;
            // Text next to a dropped weekday joins the text before it.
            if (!m_elements.isEmpty() && m_elements.last().part == Part::Text) {
                m_elements.last().text += token.text;
                continue;
            }
        } else if (token.letter == u'd') {
            if (token.count >= kWeekdayRun)
                continue;
            element.part = haveDay ? Part::Unused : Part::Day;
            haveDay = true;
        } else if (token.letter == u'M') {
            element.part = haveMonth ? Part::Unused : Part::Month;
            element.nameAllowed = token.count >= kMonthNameRun;
            haveMonth = true;
        } else {
            element.part = haveYear ? Part::Unused : Part::Year;
            haveYear = true;
        }
        m_elements.append(element);
    }

    errorText = !haveYear ? kTextNoYear : !haveMonth ? kTextNoMonth : !haveDay ? kTextNoDay : 0;
    if (errorText != 0) {
        m_elements.clear();
        return false;
    }

    for (const Element& element : std::as_const(m_elements)) {
        if (element.nameAllowed) {
            const QLocale locale = QLocale::system();
            for (const QLocale::FormatType type : {QLocale::LongFormat, QLocale::ShortFormat})
                for (int month = 1; month <= 12; ++month)
                    m_monthNames.append(locale.monthName(month, type));
            break;
        }
    }
    return true;
}

PackedDate CsvDatePattern::Parse(QStringView field) const
{
    if (field.isEmpty() || m_elements.isEmpty())
        return kNoDate;

    int day = 0;
    int month = 0;
    int year = 0;
    int found = 0;
    qsizetype pos = 0;
    for (const Element& element : m_elements) {
        if (element.part == Part::Text) {
            if (!MatchText(element.text, field, pos))
                break;
            continue;
        }
        int value = 0;
        if (!ReadValue(element, field, pos, value))
            break;
        if (element.part == Part::Unused)
            continue;
        (element.part == Part::Day ? day : element.part == Part::Month ? month : year) = value;
        if (++found == 3)
            return MakeDate(year, month, day);
    }
    return kNoDate;
}

bool CsvDatePattern::ReadValue(const Element& element, QStringView field, qsizetype& pos, int& value) const
{
    if (ReadNumber(field, pos, value))
        return true;
    if (!element.nameAllowed)
        return false;
    SkipSpace(field, pos);
    value = ReadMonthName(field, pos);
    return value != 0;
}

int CsvDatePattern::ReadMonthName(QStringView field, qsizetype& pos) const
{
    const QStringView rest = field.sliced(pos);
    int best = 0;
    qsizetype bestLength = 0;
    for (qsizetype i = 0; i < m_monthNames.size(); ++i) {
        const QString& name = m_monthNames[i];
        if (name.size() > bestLength && rest.startsWith(name, Qt::CaseInsensitive)) {
            best = int(i % 12) + 1;
            bestLength = name.size();
        }
    }
    pos += bestLength;
    return best;
}

QString CsvDatePattern::FullYearPicture(const QString& picture)
{
    QString full;
    for (const PictureToken& token : SplitPicture(picture)) {
        if (token.letter.isNull()) {
            QString text = token.text;
            text.replace(QStringLiteral("'"), QStringLiteral("''"));
            full += u'\'' + text + u'\'';
        } else {
            const bool shortYear = token.letter == u'y' && token.count <= kShortYearMaxRun;
            full += QString(shortYear ? kFullYearRun : token.count, token.letter);
        }
    }
    return full;
}
