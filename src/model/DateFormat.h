#pragma once

#include "model/PackedDate.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Date texts. A picture uses d, dd (day), ddd, dddd (short, long weekday
// name), M, MM (month), MMM, MMMM (short, long month name), y, yy, yyyy (year)
// and copies every other character. Where the usual conventions leave a choice:
// - y is the year without century and without a leading zero (2009 -> "9"),
//   yy the same with a leading zero ("09"); yyy, yyyy and longer runs the
//   full year, at least four digits ("2009").
// - Runs longer than four of d or M read as dddd / MMMM.
// - Text in single quotes is copied as it stands, '' gives one quote (inside
//   quoted text too), and a quote that is never closed makes the rest of the
//   picture literal text.
// - Day and month names come from the system locale; numbers use the digits
//   0-9 whatever the locale, so exported dates stay readable by other programs.
// - An empty picture shows the default one; when the locale has none either,
//   yyyy-MM-dd, so a date never shows as nothing.
// Every picture is accepted, so there is no rejected picture to show.

// "--" for no date (0, or flags without a day); otherwise the date in the picture, followed by " " and the
// short weekday name when appendWeekday is set.
QString FormatDate(PackedDate date, const QString& picture, bool appendWeekday);
// FormatDate with the user's DateFormat and DateIncWeek settings.
QString FormatDateShown(PackedDate date);
// The empty text for date 0; otherwise the default picture without weekday
// (the CSV export uses it, so files follow the locale, not the user's choice).
QString FormatDatePlain(PackedDate date);
// FormatDateShown, with " (" + text 131, 132 or 133 + ")" (today, yesterday,
// tomorrow) appended when withRelative is set and the date, compared as a
// whole value, is one of those days.
QString FormatDateRelative(PackedDate date, bool withRelative);
// The system locale's short-date picture in the syntax above.
QString DefaultDateFormat();
// A Qt date format (QLocale::dateFormat) as a picture that shows the same text.
QString PictureFromQtFormat(const QString& qtFormat);

// One element of a picture: a run of d, M or y, or literal text with its
// quotes resolved.
struct PictureToken
{
    QChar letter; // null for literal text
    int count = 0;
    QString text;
};
// Splits a picture into its elements; neighbouring text comes as one element.
QList<PictureToken> SplitPicture(QStringView picture);

// The picture and option FormatDateShown uses. The settings keep them in step
// with DateFormat and DateIncWeek; an empty picture means the default one.
void SetShownDateFormat(const QString& picture, bool appendWeekday);
QString ShownDateFormat();
bool ShownDateIncWeek();

// The pictures the preferences offer, in their order.
QStringList PresetDateFormats();
