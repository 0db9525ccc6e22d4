#include "GrabPrompts.h"

#include <cstdio>

UserPrompts::Button GrabPrompts::ShowMessage(const QString& text, const QString& caption, int buttons, Icon)
{
    const QString line = caption.isEmpty() ? text.trimmed() : caption + QStringLiteral(": ") + text.trimmed();
    std::fprintf(stderr, "orbelin: %s\n", line.toLocal8Bit().constData());
    if (buttons & No)
        return No;
    if (buttons & Cancel)
        return Cancel;
    return Ok;
}

bool GrabPrompts::AskPassword(const QString&, QString& password)
{
    // Once only: a wrong password must not loop.
    if (m_passwordGiven || !qEnvironmentVariableIsSet("ORBELIN_PASSWORD"))
        return false;
    m_passwordGiven = true;
    password = qEnvironmentVariable("ORBELIN_PASSWORD");
    return true;
}

bool GrabPrompts::AskNewPassword(QString&)
{
    return false;
}

bool GrabPrompts::PickFile(FileKind, bool, const QString&, const QString&, QString&)
{
    return false;
}
