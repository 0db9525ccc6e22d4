#include "model/Clock.h"

#include <atomic>

namespace {
std::atomic<PackedDate> g_fixedToday{0};
}

PackedDate Clock::Today()
{
    const PackedDate fixed = g_fixedToday.load(std::memory_order_relaxed);
    if (fixed != 0)
        return fixed;
    const QDate now = QDate::currentDate();
    return MakeDate(now.year(), now.month(), now.day());
}

void Clock::SetToday(PackedDate date)
{
    g_fixedToday.store(StripFlags(date), std::memory_order_relaxed);
}

bool Clock::IsFixed()
{
    return g_fixedToday.load(std::memory_order_relaxed) != 0;
}
