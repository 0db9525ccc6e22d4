#pragma once

#include "model/PackedDate.h"

#include <string>

class CalendarStore;

// Checks the rules of the day index: every live task's index in exactly one
// list, of the DayList of its date, in the list of its priority's sign;
// deleted slots nowhere; no empty DayList; DayLists strictly ascending by the
// whole Date (so the no-date list is first); each slot's Index its own;
// day marks strictly ascending by date and none empty.
// Returns one line per broken rule, or "" when all hold.
std::string CheckStoreInvariants(const CalendarStore& store);

// The tasks of one day as "H:1,2 N:3 L:" (store indexes per list, in order),
// or "none" when the date has no DayList.
std::string DayText(const CalendarStore& store, PackedDate date);

// Every DayList as "date[H:.. N:.. L:..]" in order, for before/after checks.
std::string DayIndexText(const CalendarStore& store);
