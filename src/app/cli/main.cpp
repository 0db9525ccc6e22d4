#include "app/cli/CliCommands.h"
#include "app/cli/TerminalPrompts.h"
#include "model/LanguageModule.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The desktop program's names, so the data file and settings are its own.
    QCoreApplication::setOrganizationName(u"Corvane Software"_s);
    QCoreApplication::setApplicationName(u"Orbelin Planner"_s);
    // Without the module the numbered texts are empty; the report goes to
    // standard error and the tool still runs.
    LanguageModule::Instance().Load();

    QTextStream out(stdout);
    QTextStream err(stderr);
    TerminalPrompts terminal(TerminalPrompts::StandardInputIsTerminal());
    CliEnvironment environment = CliEnvironment::FromProcess();
    if (TerminalPrompts::StandardInputIsTerminal())
        environment.prompts = &terminal;
    return RunCli(QCoreApplication::arguments().mid(1), out, err, environment);
}
