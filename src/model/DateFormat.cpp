#include "model/DateFormat.h"

#include "model/LanguageModule.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QMutex>

#include <algorithm>

namespace {

constexpr QStringView kNoDateText = u"--";
constexpr QStringView kFallbackPicture = u"yyyy-MM-dd";

struct ShownFormat
{
    QString picture;
    bool appendWeekday = true;
};

QMutex g_shownMutex;

ShownFormat& Shown()
{
    static ShownFormat shown;
    return shown;
}

ShownFormat CurrentShown()
{
    QMutexLocker lock(&g_shownMutex);
    return Shown();
}

bool IsPictureLetter(QChar c)
{
    return c == u'd' || c == u'M' || c == u'y';
}

} // namespace

// Qt's date formats quote text the same way as a picture, so both are read
// with this.
QList<PictureToken> SplitPicture(QStringView picture)
{
    QList<PictureToken> tokens;
    const auto appendText = [&tokens](QStringView text) {
        if (!tokens.isEmpty() && tokens.last().letter.isNull())
            tokens.last().text += text;
        else
            tokens.append({QChar(), 0, text.toString()});
    };

    const qsizetype size = picture.size();
    qsizetype i = 0;
    while (i < size) {
        const QChar c = picture[i];
        if (IsPictureLetter(c)) {
            qsizetype end = i + 1;
            while (end < size && picture[end] == c)
                ++end;
            tokens.append({c, int(end - i), QString()});
            i = end;
        } else if (c == u'\'') {
            ++i;
            QString quoted;
            if (i < size && picture[i] == u'\'') {
                quoted += u'\'';
                ++i;
            } else {
                while (i < size) {
                    if (picture[i] != u'\'') {
                        quoted += picture[i++];
                    } else if (i + 1 < size && picture[i + 1] == u'\'') {
                        quoted += u'\'';
                        i += 2;
                    } else {
                        ++i; // the closing quote
                        break;
                    }
                }
            }
            appendText(quoted);
        } else {
            appendText(picture.mid(i, 1));
            ++i;
        }
    }
    return tokens;
}

namespace {

QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// d and M read alike: the number, the number with a leading zero, the short
// name, the long name.
template <typename NameOf>
QString NumberOrName(int number, int count, NameOf nameOf)
{
    switch (count) {
    case 1:
        return QString::number(number);
    case 2:
        return TwoDigits(number);
    case 3:
        return nameOf(QLocale::ShortFormat);
    default:
        return nameOf(QLocale::LongFormat);
    }
}

QString YearElement(const QDate& date, int count)
{
    switch (count) {
    case 1:
        return QString::number(date.year() % 100);
    case 2:
        return TwoDigits(date.year() % 100);
    default:
        return QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
    }
}

// Literal text for a picture: quotes doubled, and the whole quoted when it
// holds a picture letter.
QString QuotedText(const QString& text)
{
    QString escaped = text;
    escaped.replace(QStringLiteral("'"), QStringLiteral("''"));
    if (std::none_of(text.cbegin(), text.cend(), IsPictureLetter))
        return escaped;
    return u'\'' + escaped + u'\'';
}

} // namespace

QString FormatDate(PackedDate date, const QString& picture, bool appendWeekday)
{
    if (StripFlags(date) == kNoDate)
        return kNoDateText.toString();

    QString effective = picture.isEmpty() ? DefaultDateFormat() : picture;
    if (effective.isEmpty())
        effective = kFallbackPicture.toString();

    const QDate day = ToPlatformTime(date);
    const QLocale locale = QLocale::system();
    QString text;
    for (const PictureToken& token : SplitPicture(effective)) {
        if (token.letter == u'd')
            text += NumberOrName(day.day(), token.count, [&](QLocale::FormatType type) {
                return locale.dayName(day.dayOfWeek(), type);
            });
        else if (token.letter == u'M')
            text += NumberOrName(day.month(), token.count, [&](QLocale::FormatType type) {
                return locale.monthName(day.month(), type);
            });
        else if (token.letter == u'y')
            text += YearElement(day, token.count);
        else
            text += token.text;
    }
    if (appendWeekday)
        text += u' ' + DayNameOf(date);
    return text;
}

QString FormatDateShown(PackedDate date)
{
    const ShownFormat shown = CurrentShown();
    return FormatDate(date, shown.picture, shown.appendWeekday);
}

QString FormatDatePlain(PackedDate date)
{
    if (StripFlags(date) == kNoDate)
        return QString();
    return FormatDate(date, DefaultDateFormat(), false);
}

QString FormatDateRelative(PackedDate date, bool withRelative)
{
    QString text = FormatDateShown(date);
    if (!withRelative || StripFlags(date) == kNoDate)
        return text;
    const PackedDate today = Today();
    TextId label;
    if (date == today)
        label = TextId::Today;
    else if (date == PrevDay(today))
        label = TextId::Yesterday;
    else if (date == NextDay(today))
        label = TextId::Tomorrow;
    else
        return text;
    text += QStringLiteral(" (") + GetText(label) + u')';
    return text;
}

QString DefaultDateFormat()
{
    return PictureFromQtFormat(QLocale::system().dateFormat(QLocale::ShortFormat));
}

QString PictureFromQtFormat(const QString& qtFormat)
{
    // Qt reads its formats almost as a picture does; where it differs, the
    // picture is written so that it shows what Qt would: Qt takes a lone y as
    // text and splits longer runs into its elements (yy, yyyy; at most four
    // d or M), the rest becoming text or the next element. Two elements of
    // one letter back to back (Qt's "ddddd", weekday then day) cannot be
    // told apart in a picture and read as one; no locale's format has them.
    QString picture;
    QString text;
    const auto flushText = [&picture, &text]() {
        picture += QuotedText(text);
        text.clear();
    };
    for (const PictureToken& token : SplitPicture(qtFormat)) {
        if (token.letter.isNull()) {
            text += token.text;
            continue;
        }
        int left = token.count;
        while (left > 0) {
            int take = std::min(left, 4);
            if (token.letter == u'y')
                take = left >= 4 ? 4 : (left >= 2 ? 2 : 0);
            if (take == 0) {
                text += token.letter;
                --left;
                continue;
            }
            flushText();
            picture += QString(take, token.letter);
            left -= take;
        }
    }
    flushText();
    return picture;
}

void SetShownDateFormat(const QString& picture, bool appendWeekday)
{
    QMutexLocker lock(&g_shownMutex);
    Shown().picture = picture;
    Shown().appendWeekday = appendWeekday;
}

QString ShownDateFormat()
{
    const QString picture = CurrentShown().picture;
    return picture.isEmpty() ? DefaultDateFormat() : picture;
}

bool ShownDateIncWeek()
{
    return CurrentShown().appendWeekday;
}

QStringList PresetDateFormats()
{
    return {QStringLiteral("M/d/yyyy"), QStringLiteral("M/d/yy"),   QStringLiteral("MM/dd/yy"),
            QStringLiteral("MM/dd/yyyy"), QStringLiteral("yy/MM/dd"), QStringLiteral("yyyy-MM-dd"),
            QStringLiteral("dd-MMM-yy")};
}
