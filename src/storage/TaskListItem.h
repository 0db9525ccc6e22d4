#pragma once

#include <QString>
#include <QtGlobal>

// Importance of a shared-list task, in the list's own numbering.
inline constexpr int kImportanceLow = 0;
inline constexpr int kImportanceNormal = 1;
inline constexpr int kImportanceHigh = 2;

// The complete flag as the list hands it out: a 16-bit truth value, -1 for
// true. Any value other than 0 given to PutComplete means complete.
inline constexpr qint16 kCompleteTrue = -1;
inline constexpr qint16 kCompleteFalse = 0;

// One task of the user's shared task list, read from its collection or newly
// added to it. Every call reports whether it worked; a failed get leaves its
// argument as it was. Changes reach the list only through Save.
//
// The due date is a day count since 30 December 1899 (see TaskListDate.h);
// kMissingDueDate stands for a task without one.
class TaskListItem
{
public:
    virtual ~TaskListItem() = default;

    virtual bool GetSubject(QString& subject) const = 0;
    virtual bool GetBody(QString& body) const = 0;
    virtual bool GetCategories(QString& categories) const = 0;
    virtual bool GetComplete(qint16& complete) const = 0;
    virtual bool GetImportance(int& importance) const = 0;
    virtual bool GetDueDate(double& dueDate) const = 0;

    virtual bool PutSubject(const QString& subject) = 0;
    // An empty body or categories text removes it from the task.
    virtual bool PutBody(const QString& body) = 0;
    virtual bool PutCategories(const QString& categories) = 0;
    virtual bool PutComplete(qint16 complete) = 0;
    // kImportanceLow, kImportanceNormal or kImportanceHigh; others fail.
    virtual bool PutImportance(int importance) = 0;
    // kMissingDueDate removes the due date.
    virtual bool PutDueDate(double dueDate) = 0;

    // Stores the task in the list.
    virtual bool Save() = 0;
};
