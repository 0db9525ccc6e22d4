#pragma once

#include "model/PackedDate.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Reads the dates of a CSV file with a pattern made from a short-date picture.
//
// Weekday names (ddd, dddd) are left out; the first day, month and year
// elements, whatever their length, each read a signed number; a later
// element of a letter already seen reads a number that is not used. Text
// between them must stand in the field as it stands in the picture, except
// that white space in the picture matches any run of white space, none
// included, and a number may have white space before it. A month shown by
// name (MMM, MMMM) also reads the locale's short or long month name, any
// case, so a locale that writes month names can read its own files back.
// Scanning stops at the first mismatch; the field gives a date once day,
// month and year have been read, whatever follows them. Two-digit years are
// widened and values out of range brought into it as for any date.
class CsvDatePattern
{
public:
    // Makes the pattern. A picture without a year, month or day cannot be
    // read: false, with the number of the text that says which is missing
    // (270 year, 271 month, 272 day; checked in that order).
    bool Build(const QString& picture, int& errorText);

    // The date of a field; no date when the field is empty or does not
    // hold day, month and year.
    PackedDate Parse(QStringView field) const;

    // The picture the export writes dates with: the given one with every
    // year shown in full, so that no date changes its century when read back.
    static QString FullYearPicture(const QString& picture);

private:
    enum class Part { Text, Day, Month, Year, Unused };
    struct Element
    {
        Part part = Part::Text;
        QString text;           // Part::Text only
        bool nameAllowed = false; // a month by name
    };

    // Reads a number, or a month name where allowed; advances pos on success.
    bool ReadValue(const Element& element, QStringView field, qsizetype& pos, int& value) const;
    // The month whose name starts at pos, the longest that fits; 0 for none.
    int ReadMonthName(QStringView field, qsizetype& pos) const;

    QList<Element> m_elements;
    QStringList m_monthNames; // 12 long names, then 12 short ones
};
