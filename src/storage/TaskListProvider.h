#pragma once

#include <memory>

class TaskListSession;

// Where the user's shared task list lives: the only way in is a session.
class TaskListProvider
{
public:
    virtual ~TaskListProvider() = default;

    // Opens a session; false (and no session) when the list cannot be reached.
    virtual bool Logon(std::unique_ptr<TaskListSession>& session) = 0;
};
