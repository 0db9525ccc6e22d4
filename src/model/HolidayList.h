#pragma once

#include "model/HolidayRecord.h"
#include "model/PackedDate.h"

#include <array>
#include <vector>

// The yearly holidays, sorted by MonthDay; holidays on the same day keep the
// order they were added in. A day mask per month lets painting test a day
// without a search.
class HolidayList
{
public:
    int Count() const { return int(m_records.size()); }
    // Inserts after every holiday on the same or an earlier day and returns
    // the position. Only the low 12 bits of MonthDay are kept; a month outside
    // 1..12 or a day outside 1..31 is stored but marks no day.
    int Add(const HolidayRecord& record);
    // Removes the holiday at a position; false when out of range.
    bool Delete(int position);
    // The holiday at a position, or a blank one when out of range.
    HolidayRecord Get(int position) const;
    // Position of the first holiday on the date's month and day, or -1.
    int Find(PackedDate date) const;
    // Whether the date's month and day is a holiday, in any year.
    bool IsHoliday(PackedDate date) const;
    // Bit d - 1 set when day d of the month (1..12) is a holiday; 0 otherwise.
    quint32 MonthMask(int month) const;
    void Clear();

private:
    static bool HasDayBit(quint32 monthDay);

    std::vector<HolidayRecord> m_records;
    std::array<quint32, 12> m_masks{};
};
