#pragma once

#include "model/PackedDate.h"

// The one place the program learns today's date. Tests and benchmarks set a
// fixed day; nothing else reads the wall clock for the calendar.
class Clock
{
public:
    static PackedDate Today();
    // Fixes today to a date; 0 returns to the system clock.
    static void SetToday(PackedDate date);
    static bool IsFixed();
};
