#include "model/DateFormat.h"

#include <QLocale>
#include <QMutex>

namespace {

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

} // namespace

QString DefaultDateFormat()
{
    // Qt's date-format syntax uses the same letters (d, M, y, quoted text)
    // for the elements a picture may hold.
    return QLocale::system().dateFormat(QLocale::ShortFormat);
}

void SetShownDateFormat(const QString& picture, bool appendWeekday)
{
    QMutexLocker lock(&g_shownMutex);
    Shown().picture = picture;
    Shown().appendWeekday = appendWeekday;
}

QString ShownDateFormat()
{
    QMutexLocker lock(&g_shownMutex);
    return Shown().picture.isEmpty() ? DefaultDateFormat() : Shown().picture;
}

bool ShownDateIncWeek()
{
    QMutexLocker lock(&g_shownMutex);
    return Shown().appendWeekday;
}

QStringList PresetDateFormats()
{
    return {QStringLiteral("M/d/yyyy"), QStringLiteral("M/d/yy"),   QStringLiteral("MM/dd/yy"),
            QStringLiteral("MM/dd/yyyy"), QStringLiteral("yy/MM/dd"), QStringLiteral("yyyy-MM-dd"),
            QStringLiteral("dd-MMM-yy")};
}
