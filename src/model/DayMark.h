#pragma once

#include "model/PackedDate.h"

#include <QString>
#include <QtGlobal>

// Mark bits of a day.
inline constexpr quint32 kMarkFlight = 2;
inline constexpr quint32 kMarkThird = 4; // has a command but no menu entry
inline constexpr quint32 kMarkHoliday = 8;

// The marks and the note of one day. A mark with no flags and an empty note
// does not exist: storing it removes the day's record.
struct DayMark
{
    // Without flags.
    PackedDate Date = kNoDate;
    quint32 Flags = 0;
    QString Note;

    bool IsEmpty() const { return Flags == 0 && Note.isEmpty(); }
    // Same flags and exactly the same note; the date is the caller's business.
    bool SameContent(const DayMark& other) const { return Flags == other.Flags && Note == other.Note; }
};
