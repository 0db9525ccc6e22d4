#pragma once

#include "storage/TaskListProvider.h"

#include <QString>

// The user's shared task list as an iCalendar folder (a "vdir", as other
// desktop task programs and sync tools keep it): one .ics file per task,
// each a VCALENDAR with one VTODO, a new task named "<UID>.ics".
//
// Logging on creates the folder when it is missing. Opening the task folder
// reads every *.ics file in file-name order; a file that does not parse or
// holds no VTODO is not part of the collection, and position i is the first
// VTODO of the i-th file that remains. Saving writes the task's whole file
// at once, so an interrupted save leaves the old file as it was.
//
//   Subject     SUMMARY
//   Body        DESCRIPTION (none when empty)
//   Categories  CATEGORIES, one text; on reading, every value of every
//               CATEGORIES line joined with ","
//   Complete    STATUS:COMPLETED, else STATUS:NEEDS-ACTION; a COMPLETED
//               time also reads as complete
//   Importance  PRIORITY 1 / 5 / 9 for high / normal / low; on reading
//               1-4 high, 6-9 low, anything else normal
//   DueDate     DUE;VALUE=DATE; a DATE-TIME reads as the day written there,
//               whatever its time zone; no DUE is the missing date
class VdirTaskList : public TaskListProvider
{
public:
    static constexpr const char* kProductId = "-//Corvane Software//Orbelin Planner//EN";

    explicit VdirTaskList(const QString& folder);

    const QString& Folder() const { return m_folder; }

    // False when the folder is not given or cannot be made.
    bool Logon(std::unique_ptr<TaskListSession>& session) override;

private:
    QString m_folder;
};
