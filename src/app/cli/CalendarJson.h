#pragma once

#include <QJsonObject>

class CalendarStore;
class HolidayList;

// The whole calendar as one JSON object, in the order the data file holds
// it. Keys:
//   last_id          the last task Id handed out
//   current_id       the current task's Id, -1 for none
//   category_filter  the category the views show (its position in
//                    categories), 2147483647 for all
//   icon_filter      bit 31 = on, bits 0-30 = the icon
//   categories       [{name, icon, reserved, color}] in display order,
//                    deleted ones left out; color is 0x00BBGGRR
//   tasks            [{id, priority, completed, category, icon, date, title,
//                    note}] day by day (undated first), High, Normal, Low;
//                    category is the position in categories (-1 for none)
//   marks            [{date, flags, note}] by date
//   holidays         [{monthday, name}] by day of the year
// Dates are packed dates (year << 12 | month << 8 | day), numbers plain
// integers, priority 1 / 0 / -1, completed 0 or the stored word (1, or -1 for
// tasks taken from the shared task list).
QJsonObject CalendarToJson(const CalendarStore& store, const HolidayList& holidays);
