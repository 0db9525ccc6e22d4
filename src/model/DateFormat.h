#pragma once

#include "model/PackedDate.h"

#include <QString>
#include <QStringList>

// Date texts. A picture uses d, dd, ddd, dddd, M, MM, MMM, MMMM, y, yy, yyyy
// and copies every other character; text in single quotes is copied as it
// stands ('' gives one quote). Day and month names come from the system locale.

// "--" for date 0; otherwise the date in the picture, followed by " " and the
// short weekday name when appendWeekday is set.
QString FormatDate(PackedDate date, const QString& picture, bool appendWeekday);
// FormatDate with the user's DateFormat and DateIncWeek settings.
QString FormatDateShown(PackedDate date);
// The empty text for date 0; otherwise the default picture without weekday
// (the CSV export uses it, so files follow the locale, not the user's choice).
QString FormatDatePlain(PackedDate date);
// FormatDateShown, with " (Today)", " (Yesterday)" or " (Tomorrow)" appended
// when withRelative is set and the date is one of those days.
QString FormatDateRelative(PackedDate date, bool withRelative);
// The locale's short-date picture in the syntax above.
QString DefaultDateFormat();

// The picture and option FormatDateShown uses. The settings keep them in step
// with DateFormat and DateIncWeek; an empty picture means the default one.
void SetShownDateFormat(const QString& picture, bool appendWeekday);
QString ShownDateFormat();
bool ShownDateIncWeek();

// The pictures the preferences offer, in their order.
QStringList PresetDateFormats();
