#pragma once

#include <QString>

class CalendarStore;
class TaskListProvider;

// Copying tasks between the calendar and the user's shared task list. Neither
// direction looks for copies made before: running one twice adds everything
// twice. A failure ends the copy quietly; the result is the number of tasks
// copied until then (0 when the list could not be opened).

// Adds every task of the store to the list as a new task (an undated one
// due today); returns how many were saved. A task the list cannot add is
// passed over; a value it refuses or a save that fails ends the export.
int ExportDeviceTasks(const CalendarStore& store, TaskListProvider& provider);
// Adds every task of the list to the store with a new Id, in the list's
// order, making the categories it names; returns how many were added. A task
// the list cannot hand out is passed over; a value it cannot read keeps the
// new task's default.
int ImportDeviceTasks(CalendarStore& store, TaskListProvider& provider);

// The same on the iCalendar task folder at taskDir (the DeviceTaskDir
// setting), created when missing.
int ExportDeviceTasks(const CalendarStore& store, const QString& taskDir);
int ImportDeviceTasks(CalendarStore& store, const QString& taskDir);
