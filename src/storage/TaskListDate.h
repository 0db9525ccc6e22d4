#pragma once

#include "model/PackedDate.h"

// Due dates of the shared task list are day counts since 30 December 1899
// as a double, the fraction being the time of day. The list's own value for
// "no due date" is 949998.0 (1 January 4501), so that day cannot be told
// apart from a missing date.
inline constexpr double kMissingDueDate = 949998.0;

// The date at 00:00; kMissingDueDate for no date. Flags are ignored and
// fields out of range read as the nearest valid value.
double DateFromPacked(PackedDate date);
// The calendar day of a date, the time ignored; no date for kMissingDueDate
// and for a value that is not a number. Days before year 1 or after 65535
// become the first or last day the packed date holds.
PackedDate PackedFromDate(double date);
