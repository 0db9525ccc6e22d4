#include "model/TaskRecord.h"

void TaskRecord::Reset()
{
    *this = TaskRecord();
}

bool TaskRecord::Equals(const TaskRecord& other) const
{
    return Index == other.Index && Priority == other.Priority && Completed == other.Completed
        && Category == other.Category && Date == other.Date && Icon == other.Icon
        && Id == other.Id && Title == other.Title && Note == other.Note;
}
