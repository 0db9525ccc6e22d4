#pragma once

#include "storage/UserPrompts.h"

// The program's questions on the terminal: texts go to standard error, the
// password is read from standard input without echo, and only when standard
// input is a terminal (interactive).
class TerminalPrompts : public UserPrompts
{
public:
    explicit TerminalPrompts(bool interactive) : m_interactive(interactive) {}

    // Whether standard input is a terminal.
    static bool StandardInputIsTerminal();

    // Prints the text; a question gets its cautious answer (Cancel, else No):
    // the tool asks nothing but passwords.
    Button ShowMessage(const QString& text, const QString& caption, int buttons, Icon icon) override;
    // Reads the password without echo. Without a terminal, or for an empty
    // entry or the end of input: cancelled.
    bool AskPassword(const QString& prompt, QString& password) override;
    // Cancelled: the tool takes a new password from ORBELIN_NEW_PASSWORD.
    bool AskNewPassword(QString& password) override;
    // Cancelled: the tool takes paths as arguments.
    bool PickFile(FileKind kind, bool forSaving, const QString& folder, const QString& name,
                  QString& chosenPath) override;

private:
    bool m_interactive;
};
