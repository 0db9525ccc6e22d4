#pragma once

#include <QString>
#include <QtGlobal>

// A named day that recurs every year.
struct HolidayRecord
{
    // Day in bits 0-7, month in bits 8-11: a date's low 12 bits.
    quint32 MonthDay = 0;
    QString Name;
};
