#pragma once

#include "storage/UserPrompts.h"

// Answers the questions of a program that runs without anyone at the screen
// (taking a picture of the window): notices go to the standard error, a
// protected calendar gets the password from ORBELIN_PASSWORD once, every
// other question is declined.
class GrabPrompts : public UserPrompts
{
public:
    Button ShowMessage(const QString& text, const QString& caption, int buttons, Icon icon) override;
    bool AskPassword(const QString& prompt, QString& password) override;
    bool AskNewPassword(QString& password) override;
    bool PickFile(FileKind kind, bool forSaving, const QString& folder, const QString& name,
                  QString& chosenPath) override;

private:
    bool m_passwordGiven = false;
};
