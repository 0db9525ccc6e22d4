#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QTextStream;
class UserPrompts;

// Exit statuses of orbelin-cli.
inline constexpr int kExitOk = 0;
// The command could not do its work (saving, exporting, importing, a
// category or folder that is not there).
inline constexpr int kExitFailed = 1;
// The data file could not be loaded.
inline constexpr int kExitLoadFailed = 2;
// Wrong arguments (EX_USAGE).
inline constexpr int kExitUsage = 64;

// What the tool takes from its surroundings besides its arguments.
struct CliEnvironment
{
    // ORBELIN_PASSWORD: the password of a protected data file.
    std::optional<QString> password;
    // ORBELIN_NEW_PASSWORD: the password save-as writes with (empty = plain).
    std::optional<QString> newPassword;
    // Asks for the password of a protected file when ORBELIN_PASSWORD is not
    // set; nullptr when nobody can be asked (standard input is no terminal).
    UserPrompts* prompts = nullptr;

    // The two variables of this process; prompts stays for the caller.
    static CliEnvironment FromProcess();
};

// Runs one command line of orbelin-cli (args without the program name):
// results go to out, errors, notes and usage messages to err. Returns the
// exit status. The settings are read, never written.
int RunCli(const QStringList& args, QTextStream& out, QTextStream& err, const CliEnvironment& environment);
