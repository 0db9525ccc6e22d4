#pragma once

#include <memory>

class TaskListItem;

// An open session on the user's shared task list. The task folder is opened
// once; its collection is then read by position, 1 .. count, in a fixed
// order, and new tasks are added to it. Items live on their own: they may be
// kept after the session ends.
class TaskListSession
{
public:
    virtual ~TaskListSession() = default;

    // Opens the task folder and its collection of tasks.
    virtual bool OpenTaskFolder() = 0;
    // Tasks in the collection as it stood when the folder was opened.
    virtual bool GetCount(int& count) = 0;
    // The task at a position 1 .. count.
    virtual bool Item(int position, std::unique_ptr<TaskListItem>& item) = 0;
    // A new, empty task; it joins the list when it is saved.
    virtual bool Add(std::unique_ptr<TaskListItem>& item) = 0;
    // Ends the session; nothing the caller could act on can fail here.
    virtual void Logoff() = 0;
};
