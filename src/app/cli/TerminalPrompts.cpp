#include "app/cli/TerminalPrompts.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

#include <termios.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

void PrintToTerminal(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

bool ReadLine(QString& line)
{
    std::string text;
    if (!std::getline(std::cin, text))
        return false;
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    line = QString::fromLocal8Bit(text);
    return true;
}

// The terminal's settings while echo is off, put back if the user breaks off
// with Ctrl+C, so the shell does not go on without echo.
termios g_savedTerminal;

extern "C" void RestoreTerminalAndStop(int signalNumber)
{
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_savedTerminal);
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

// Switches echo off for its lifetime (the line end is still echoed).
class EchoOff
{
public:
    EchoOff()
    {
        if (::tcgetattr(STDIN_FILENO, &g_savedTerminal) != 0)
            return;
        m_active = true;
        m_oldInterrupt = std::signal(SIGINT, RestoreTerminalAndStop);
        m_oldTerminate = std::signal(SIGTERM, RestoreTerminalAndStop);
        termios quiet = g_savedTerminal;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        quiet.c_lflag |= ECHONL;
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    ~EchoOff()
    {
        if (!m_active)
            return;
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_savedTerminal);
        std::signal(SIGINT, m_oldInterrupt);
        std::signal(SIGTERM, m_oldTerminate);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    bool m_active = false;
    void (*m_oldInterrupt)(int) = SIG_DFL;
    void (*m_oldTerminate)(int) = SIG_DFL;
};

} // namespace

bool TerminalPrompts::StandardInputIsTerminal()
{
    return ::isatty(STDIN_FILENO) == 1;
}

UserPrompts::Button TerminalPrompts::ShowMessage(const QString& text, const QString& caption, int buttons,
                                                 Icon)
{
    PrintToTerminal((caption.isEmpty() ? text : caption + u": "_s + text) + u'\n');
    if (buttons & Cancel)
        return Cancel;
    return (buttons & No) ? No : Ok;
}

bool TerminalPrompts::AskPassword(const QString& prompt, QString& password)
{
    if (!m_interactive)
        return false;
    PrintToTerminal(prompt + u' ');
    QString entry;
    {
        EchoOff echoOff;
        if (!ReadLine(entry))
            return false;
    }
    if (entry.isEmpty())
        return false;
    password = entry;
    return true;
}

bool TerminalPrompts::AskNewPassword(QString&)
{
    return false;
}

bool TerminalPrompts::PickFile(FileKind, bool, const QString&, const QString&, QString&)
{
    return false;
}
