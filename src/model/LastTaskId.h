#pragma once

#include <QtGlobal>

// The last Id handed to a task, one counter for the process. It is saved and
// loaded with the data file and survives clearing the store, so a new
// document keeps counting from the last one loaded.
class LastTaskId
{
public:
    static quint32 Value();
    static void Set(quint32 value);
    // Advances the counter and returns the new Id. Id 0 is the blank record's,
    // so the counter steps over it when it wraps.
    static quint32 Next();
    // Makes sure a later Next() cannot hand out an Id already in use.
    static void RaiseTo(quint32 id);
};
