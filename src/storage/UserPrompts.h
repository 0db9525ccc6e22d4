#pragma once

#include <QString>

// Every question the program asks and every notice it shows goes through this
// interface: the desktop program answers with dialogs, the command-line tool
// with its terminal, tests with scripted replies (no modal loop ever runs in
// a test).
class UserPrompts
{
public:
    enum Icon { NoIcon, Information, Warning, Error, Question };
    enum Button { Ok = 0x1, Cancel = 0x2, Yes = 0x4, No = 0x8 };
    static constexpr int OkOnly = Ok;
    static constexpr int OkCancel = Ok | Cancel;
    static constexpr int YesNo = Yes | No;
    static constexpr int YesNoCancel = Yes | No | Cancel;

    enum class FileKind { Data, Csv };

    virtual ~UserPrompts() = default;

    // A message box with the given buttons; returns the button chosen.
    // An empty caption means the box has no caption of its own.
    virtual Button ShowMessage(const QString& text, const QString& caption, int buttons, Icon icon) = 0;

    // The password dialog showing prompt; false when cancelled.
    virtual bool AskPassword(const QString& prompt, QString& password) = 0;

    // The change-password dialog (the new password twice, both agreeing);
    // false when cancelled. An empty password removes the protection.
    virtual bool AskNewPassword(QString& password) = 0;

    // The file picker, starting in folder with name proposed; on a choice the
    // full path goes to chosenPath. False when cancelled.
    virtual bool PickFile(FileKind kind, bool forSaving, const QString& folder, const QString& name,
                          QString& chosenPath) = 0;

    // Long work shows a wait cursor; calls nest.
    virtual void BeginWait() {}
    virtual void EndWait() {}
};

// Holds the wait cursor for a scope.
class WaitCursor
{
public:
    explicit WaitCursor(UserPrompts& prompts) : m_prompts(prompts) { m_prompts.BeginWait(); }
    ~WaitCursor() { m_prompts.EndWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UserPrompts& m_prompts;
};
