#include "model/HolidayList.h"

#include <algorithm>

namespace {

bool MonthDayBefore(const HolidayRecord& record, quint32 monthDay)
{
    return record.MonthDay < monthDay;
}

bool MonthDayAfter(quint32 monthDay, const HolidayRecord& record)
{
    return monthDay < record.MonthDay;
}

int DayOfMonthDay(quint32 monthDay)
{
    return int(monthDay & 0xFFu);
}

int MonthOfMonthDay(quint32 monthDay)
{
    return int((monthDay >> 8) & 0xFu);
}

} // namespace

bool HolidayList::HasDayBit(quint32 monthDay)
{
    const int month = MonthOfMonthDay(monthDay);
    const int day = DayOfMonthDay(monthDay);
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

int HolidayList::Add(const HolidayRecord& record)
{
    HolidayRecord stored = record;
    stored.MonthDay = MonthDayOf(record.MonthDay);
    const auto at = std::upper_bound(m_records.begin(), m_records.end(), stored.MonthDay, MonthDayAfter);
    const int position = int(at - m_records.begin());
    m_records.insert(at, stored);
    if (HasDayBit(stored.MonthDay))
        m_masks[size_t(MonthOfMonthDay(stored.MonthDay) - 1)] |= 1u << (DayOfMonthDay(stored.MonthDay) - 1);
    return position;
}

bool HolidayList::Delete(int position)
{
    if (position < 0 || position >= Count())
        return false;
    const quint32 monthDay = m_records[size_t(position)].MonthDay;
    m_records.erase(m_records.begin() + position);
    if (HasDayBit(monthDay) && Find(monthDay) < 0)
        m_masks[size_t(MonthOfMonthDay(monthDay) - 1)] &= ~(1u << (DayOfMonthDay(monthDay) - 1));
    return true;
}

HolidayRecord HolidayList::Get(int position) const
{
    if (position < 0 || position >= Count())
        return HolidayRecord();
    return m_records[size_t(position)];
}

int HolidayList::Find(PackedDate date) const
{
    const quint32 monthDay = MonthDayOf(date);
    const auto at = std::lower_bound(m_records.begin(), m_records.end(), monthDay, MonthDayBefore);
    if (at == m_records.end() || at->MonthDay != monthDay)
        return -1;
    return int(at - m_records.begin());
}

bool HolidayList::IsHoliday(PackedDate date) const
{
    if (!HasDayBit(MonthDayOf(date)))
        return false;
    return (MonthMask(MonthOf(date)) >> (DayOf(date) - 1)) & 1u;
}

quint32 HolidayList::MonthMask(int month) const
{
    if (month < 1 || month > 12)
        return 0;
    return m_masks[size_t(month - 1)];
}

void HolidayList::Clear()
{
    m_records.clear();
    m_masks.fill(0);
}
