#include "storage/TaskListDate.h"

#include <QDate>

#include <algorithm>
#include <cmath>

namespace {

const QDate kDayZero(1899, 12, 30);

// Far enough past both ends of the packed years to be clamped there, and
// small enough to convert to an integer safely.
constexpr double kDayLimit = 1.0e8;

} // namespace

double DateFromPacked(PackedDate date)
{
    date = StripFlags(date);
    if (date == kNoDate)
        return kMissingDueDate;
    return double(kDayZero.daysTo(ToPlatformTime(date)));
}

PackedDate PackedFromDate(double date)
{
    if (!std::isfinite(date) || date == kMissingDueDate)
        return kNoDate;
    // The whole part is the day on both sides of day zero: -1.25 is
    // 29 December 1899 at 06:00.
    const double days = std::clamp(std::trunc(date), -kDayLimit, kDayLimit);
    return FromPlatformTime(kDayZero.addDays(qint64(days)));
}
