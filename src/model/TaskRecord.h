#pragma once

#include "model/PackedDate.h"

#include <QString>
#include <QtGlobal>

inline constexpr qint32 kPriorityHigh = 1;
inline constexpr qint32 kPriorityNormal = 0;
inline constexpr qint32 kPriorityLow = -1;

// One task, held by value in the store's task table. Index is its slot in
// that table while the program runs; Id survives saving and loading. An empty
// Title marks a deleted slot.
class TaskRecord
{
public:
    qint32 Index = -1;
    // 1 High, 0 Normal, -1 Low; the day index files by the sign only.
    qint32 Priority = kPriorityNormal;
    // 0 open, anything else completed (1 written, -1 from the device list).
    quint32 Completed = 0;
    // Index into the store's category table; may name a deleted or missing one.
    qint32 Category = 0;
    // Without flag bits; 0 = no date.
    PackedDate Date = kNoDate;
    // 0 = show and filter by the category's icon.
    quint32 Icon = 0;
    QString Title;
    QString Note;
    quint32 Id = 0;

    // Back to the blank record: Index -1, numbers 0, texts empty.
    void Reset();
    // All nine fields equal, texts compared exactly (case-sensitive).
    bool Equals(const TaskRecord& other) const;
    // A slot holds a task as long as its title is not empty.
    bool IsLive() const { return !Title.isEmpty(); }
};

// The list of a day that a priority files into: > 0 High, 0 Normal, < 0 Low.
enum class PriorityClass : int { High = 0, Normal = 1, Low = 2 };

constexpr PriorityClass ClassOfPriority(qint32 priority)
{
    return priority > 0 ? PriorityClass::High : priority < 0 ? PriorityClass::Low : PriorityClass::Normal;
}
