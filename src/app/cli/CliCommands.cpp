#include "app/cli/CliCommands.h"

#include "app/cli/CalendarJson.h"
#include "app/cli/CliDocument.h"
#include "model/Clock.h"
#include "model/LanguageModule.h"
#include "storage/CalendarGenerator.h"
#include "storage/Csv.h"
#include "storage/DeviceTasks.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTextStream>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QString kProgram = u"orbelin-cli"_s;

// The most tasks generate makes: far beyond any real calendar, still well
// within memory.
constexpr int kMaxGeneratedTasks = 1000000;

constexpr int kTextExportFailed = 241;

struct Command;

// One run of the tool: the command line taken apart, the command found and
// run on its document.
class CliRun
{
public:
    CliRun(QTextStream& out, QTextStream& err, const CliEnvironment& environment)
        : m_out(out), m_err(err), m_environment(environment), m_document(environment, err)
    {
    }

    int Run(const QStringList& args);

    int Dump();
    int List();
    int Add();
    int UpdateDue();
    int SaveAs();
    int ExportCsvFile();
    int ImportCsvFile();
    int ExportTasks();
    int ImportTasks();
    int Generate();

private:
    int Usage(const QString& problem);
    int Fail(const QString& message);
    int PrintHelp();
    int PrintCommandHelp();
    QString Synopsis(const Command& command) const;
    int CheckPositional();

    bool IsSet(const QString& option) const { return m_parser.isSet(option); }
    QString Value(const QString& option) const { return m_parser.value(option); }
    const QString& Positional(int n) const { return m_positional[n]; }
    // Reads an option's day; false (after the usage message) when it is not one.
    bool DateOption(const QString& option, PackedDate& date, int& status);
    // Loads the data file; false when it failed (reported).
    bool Load(CliDocument::WhenMissing whenMissing) { return m_document.Load(whenMissing); }
    // Prints the command's result line; the exit status of success.
    int Done(const QString& line);
    int SaveAndPrint(const QString& line);
    // Writes every task of store as CSV to target; false after reporting.
    bool WriteCsv(const QString& target, const CalendarStore& store);
    // The shared task list's folder: the argument, else the setting.
    QString TaskDir() const;
    // The key of ORBELIN_NEW_PASSWORD (none when it is unset or empty); false
    // (after the usage message) when the key cannot hold it.
    bool NewPasswordKey(PasswordKey& key, int& status);

    QTextStream& m_out;
    QTextStream& m_err;
    const CliEnvironment& m_environment;
    CliDocument m_document;
    const Command* m_command = nullptr;
    QCommandLineParser m_parser;
    QStringList m_positional;
};

using Handler = int (CliRun::*)();

// One command: its name, what follows it, its own options and its help.
struct Command
{
    QString name;
    QString arguments;
    int minPositional = 0;
    int maxPositional = 0;
    QList<QCommandLineOption> options;
    QString summary;
    QString details;
    Handler run = nullptr;
};

const QCommandLineOption& FileOption()
{
    static const QCommandLineOption option(u"file"_s, u"the data file (see orbelin-cli --help)"_s, u"PATH"_s);
    return option;
}

const QCommandLineOption& HelpOption()
{
    static const QCommandLineOption option(QStringList{u"h"_s, u"help"_s}, u"show this help"_s);
    return option;
}

QString OneLine(QString text)
{
    text.replace(u"\r\n"_s, u" "_s);
    text.replace(u'\n', u' ');
    text.replace(u'\r', u' ');
    text.replace(u'\t', u' ');
    return text;
}

QString DateText(PackedDate date)
{
    if (date == kNoDate)
        return u"--"_s;
    return u"%1-%2-%3"_s.arg(YearOf(date), 4, 10, QChar(u'0')).arg(MonthOf(date), 2, 10, QChar(u'0')).arg(DayOf(date), 2, 10, QChar(u'0'));
}

// A day as YYYY-MM-DD; false for anything else or a day that does not exist.
bool ParseDate(const QString& text, PackedDate& date)
{
    static const QRegularExpression pattern(u"^(\\d{4})-(\\d{2})-(\\d{2})$"_s);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    const QDate day(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    if (!day.isValid() || day.year() < 1)
        return false;
    date = FromPlatformTime(day);
    return true;
}

bool ParsePriority(const QString& text, qint32& priority)
{
    const QString word = text.toLower();
    if (word == u"high"_s)
        priority = kPriorityHigh;
    else if (word == u"normal"_s)
        priority = kPriorityNormal;
    else if (word == u"low"_s)
        priority = kPriorityLow;
    else
        return false;
    return true;
}

// DATE, PRIORITY, DONE, TITLE, CATEGORY separated by tabs.
QString TaskLine(const CalendarStore& store, const TaskRecord& task)
{
    static const QString marks[] = {u"!"_s, u" "_s, u"-"_s};
    const CategoryRecord* category = store.Categories().Get(task.Category);
    return QStringList{DateText(task.Date), marks[int(ClassOfPriority(task.Priority))],
                       task.Completed != 0 ? u"[x]"_s : u"[ ]"_s, OneLine(task.Title),
                       category ? OneLine(category->Name) : QString()}
        .join(u'\t');
}

int LiveTaskCount(const CalendarStore& store)
{
    int count = 0;
    for (int day = 0; day < store.DayListCount(); ++day)
        count += store.DayListAt(day).TaskCount();
    return count;
}

bool SameFile(const QString& a, const QString& b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (first.exists() && second.exists())
        return first.canonicalFilePath() == second.canonicalFilePath();
    return QDir::cleanPath(first.absoluteFilePath()) == QDir::cleanPath(second.absoluteFilePath());
}

const QString kListDetails = uR"(Prints tasks, one a line, in calendar order: day by day (tasks without a
date first), on each day High, Normal, then Low priority. A line holds five
fields separated by tabs:
  DATE      YYYY-MM-DD, or "--" for a task without a date
  PRIORITY  "!" high, " " normal, "-" low
  DONE      "[x]" completed, "[ ]" open
  TITLE     line breaks and tabs shown as spaces
  CATEGORY  the category's name
Without --from, --to and --no-date every task is listed. --from and --to
(either or both, both days included) list the dated tasks of that range;
--no-date alone lists only the tasks without a date, and with a range adds
them in front. --category and --search narrow any of these down; a category
that does not exist is an error.)"_s;

const QString kAddDetails = uR"(Adds a task with a new Id (open, Normal priority, no date and the default
category unless told otherwise) and prints it as list does. A category that
does not exist yet is created. When the data file does not exist, a new
calendar with the default categories is started and saved there.)"_s;

std::vector<Command> MakeCommands()
{
    using Option = QCommandLineOption;
    return {
        {u"dump"_s, QString(), 0, 0, {}, u"print the whole calendar as one JSON object"_s,
         uR"(Prints the calendar as one JSON object with the keys last_id, current_id
(-1 for none), category_filter (2147483647 for all), icon_filter,
categories [{name, icon, reserved, color}] in display order,
tasks [{id, priority, completed, category, icon, date, title, note}] in the
data file's order (category = the position in categories), marks [{date,
flags, note}] and holidays [{monthday, name}]. Dates are packed integers:
year * 4096 + month * 256 + day.)"_s,
         &CliRun::Dump},
        {u"list"_s, u"[--from YYYY-MM-DD] [--to YYYY-MM-DD] [--no-date] [--category NAME] [--search TEXT]"_s, 0, 0,
         {Option(u"from"_s, u"only tasks on or after this day"_s, u"YYYY-MM-DD"_s),
          Option(u"to"_s, u"only tasks on or before this day"_s, u"YYYY-MM-DD"_s),
          Option(u"no-date"_s, u"tasks without a date (see above)"_s),
          Option(u"category"_s, u"only tasks of this category"_s, u"NAME"_s),
          Option(u"search"_s, u"only tasks whose title or note holds TEXT, ignoring case"_s, u"TEXT"_s)},
         u"print tasks, one a line"_s, kListDetails, &CliRun::List},
        {u"add"_s, u"TITLE [--date YYYY-MM-DD] [--priority high|normal|low] [--category NAME] [--note TEXT]"_s, 1, 1,
         {Option(u"date"_s, u"the task's day (default: none)"_s, u"YYYY-MM-DD"_s),
          Option(u"priority"_s, u"high, normal (default) or low"_s, u"PRIORITY"_s),
          Option(u"category"_s, u"the category's name (default: the default category)"_s, u"NAME"_s),
          Option(u"note"_s, u"the task's note"_s, u"TEXT"_s)},
         u"add a task"_s, kAddDetails, &CliRun::Add},
        {u"update-due"_s, QString(), 0, 0, {}, u"move open overdue tasks to today"_s,
         uR"(Moves every open task dated before today to today, behind the tasks
already there, and prints "moved N". Tasks without a date and completed
tasks stay where they are.)"_s,
         &CliRun::UpdateDue},
        {u"save-as"_s, u"OUT"_s, 1, 1, {}, u"write the calendar to another file"_s,
         uR"(Writes the calendar to OUT (replacing it; with backups on, the old OUT is
first copied to OUT + "BAK") and prints "saved OUT". The password is
ORBELIN_NEW_PASSWORD when that variable is set (empty: no password), else
the password the data file was loaded with.)"_s,
         &CliRun::SaveAs},
        {u"export-csv"_s, u"FILE"_s, 1, 1, {}, u"write every task to a CSV file"_s,
         uR"(Writes every task to FILE as comma-separated text (a header line, then
title, date, status, priority, category and note; replacing FILE) and
prints "exported N".)"_s,
         &CliRun::ExportCsvFile},
        {u"import-csv"_s, u"FILE"_s, 1, 1, {}, u"add the tasks of a CSV file"_s,
         uR"(Adds the tasks of a CSV file laid out as export-csv writes it (categories
are created by name as needed), saves the calendar and prints
"imported N". When the data file does not exist, a new calendar is started.)"_s,
         &CliRun::ImportCsvFile},
        {u"export-tasks"_s, u"[DIR]"_s, 0, 1, {}, u"add every task to the shared task list"_s,
         uR"(Adds every task to the shared task list, a folder of iCalendar files
(default: the folder the settings name), and prints "exported N". Tasks
exported before are not looked for: each run adds them again.)"_s,
         &CliRun::ExportTasks},
        {u"import-tasks"_s, u"[DIR]"_s, 0, 1, {}, u"add the tasks of the shared task list"_s,
         uR"(Adds every task of the shared task list folder (default: the folder the
settings name) to the calendar, saves it and prints "imported N". When the
data file does not exist, a new calendar is started.)"_s,
         &CliRun::ImportTasks},
        {u"generate"_s, u"N OUT [--seed NUMBER] [--force]"_s, 2, 2,
         {Option(u"seed"_s, u"the random seed (default: %1)"_s.arg(CalendarGenerator::kDefaultSeed), u"NUMBER"_s),
          Option(u"force"_s, u"replace an existing OUT (add to an existing folder)"_s)},
         u"write a made-up calendar of N tasks"_s,
         uR"(Makes up a realistic calendar of N tasks (1 to 1000000): 8 categories,
titles of 3 to 8 words, about 30 % with a note, mixed priorities, dates
over three years around 16 June 2025 with about 10 % undated, about 40 %
completed, day marks and holidays. The same N and seed always give the same
calendar. OUT ending in .vrx gets a data file (under ORBELIN_NEW_PASSWORD
when that is set), .csv a CSV file, anything else a shared task list
folder. The data file named by --file is neither read nor changed. An
existing OUT is left alone unless --force is given. Prints "generated N".)"_s,
         &CliRun::Generate},
    };
}

const std::vector<Command>& Commands()
{
    static const std::vector<Command> commands = MakeCommands();
    return commands;
}

const Command* FindCommand(const QString& name)
{
    for (const Command& command : Commands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

// The arguments a command needs: "TITLE", "N OUT", "" for none.
QString NeededArguments(const Command& command)
{
    QStringList words;
    for (const QString& word : command.arguments.split(u' ', Qt::SkipEmptyParts)) {
        if (word.startsWith(u'['))
            break;
        words << word;
    }
    return words.join(u' ');
}

QString OptionLines(const QList<QCommandLineOption>& options)
{
    QString text;
    for (const QCommandLineOption& option : options) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? u"-"_s : u"--"_s) + name;
        QString left = u"  "_s + names.join(u", "_s);
        if (!option.valueName().isEmpty())
            left += u' ' + option.valueName();
        text += left.leftJustified(26) + u' ' + option.description() + u'\n';
    }
    return text;
}

} // namespace

int CliRun::Run(const QStringList& args)
{
    // Options before the command: --file and --help.
    QString fileOption;
    bool fileGiven = false;
    bool help = false;
    qsizetype next = 0;
    for (; next < args.size(); ++next) {
        const QString& arg = args[next];
        if (arg == u"--help"_s || arg == u"-h"_s) {
            help = true;
        } else if (arg == u"--file"_s) {
            if (++next == args.size())
                return Usage(u"Missing value after '--file'."_s);
            fileOption = args[next];
            fileGiven = true;
        } else if (arg.startsWith(u"--file="_s)) {
            fileOption = arg.mid(7);
            fileGiven = true;
        } else if (arg == u"--"_s) {
            ++next;
            break;
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            return Usage(u"Unknown option '%1'."_s.arg(arg));
        } else {
            break;
        }
    }
    if (next == args.size())
        return help ? PrintHelp() : Usage(u"No command given."_s);
    m_command = FindCommand(args[next]);
    if (!m_command)
        return Usage(u"Unknown command '%1'."_s.arg(args[next]));
    if (help)
        return PrintCommandHelp();

    m_parser.addOptions(m_command->options);
    m_parser.addOption(FileOption());
    m_parser.addOption(HelpOption());
    if (!m_parser.parse(QStringList{kProgram} + args.mid(next + 1)))
        return Usage(m_parser.errorText());
    if (m_parser.isSet(HelpOption()))
        return PrintCommandHelp();
    if (m_parser.isSet(FileOption())) {
        fileOption = m_parser.value(FileOption());
        fileGiven = true;
    }
    if (fileGiven && fileOption.isEmpty())
        return Usage(u"The path after '--file' is empty."_s);
    m_positional = m_parser.positionalArguments();
    if (const int status = CheckPositional(); status != kExitOk)
        return status;

    m_document.SetPath(fileOption);
    return (this->*m_command->run)();
}

int CliRun::CheckPositional()
{
    const Command& command = *m_command;
    const qsizetype count = m_positional.size();
    if (count < command.minPositional)
        return Usage(u"'%1' needs %2."_s.arg(command.name, NeededArguments(command)));
    if (count > command.maxPositional) {
        const QString extra = m_positional.at(command.maxPositional);
        return Usage(u"Unexpected argument '%1'."_s.arg(extra));
    }
    return kExitOk;
}

QString CliRun::Synopsis(const Command& command) const
{
    QString line = kProgram + u" [--file PATH] "_s + command.name;
    if (!command.arguments.isEmpty())
        line += u' ' + command.arguments;
    return line;
}

int CliRun::Usage(const QString& problem)
{
    m_err << kProgram << u": "_s << problem << u'\n';
    if (m_command) {
        m_err << u"Usage: "_s << Synopsis(*m_command) << u'\n'
              << u"Try '"_s << kProgram << u' ' << m_command->name << u" --help'."_s << u'\n';
    } else {
        m_err << u"Usage: "_s << kProgram << u" [--file PATH] COMMAND [ARGUMENTS]\n"_s
              << u"Try '"_s << kProgram << u" --help'."_s << u'\n';
    }
    m_err.flush();
    return kExitUsage;
}

int CliRun::Fail(const QString& message)
{
    m_err << u"error: "_s << message << u'\n';
    m_err.flush();
    return kExitFailed;
}

int CliRun::PrintHelp()
{
    m_out << u"Usage: "_s << kProgram << u" [--file PATH] COMMAND [ARGUMENTS]\n\n"_s
          << u"Works on the calendar's data file without a window.\n\nCommands:\n"_s;
    for (const Command& command : Commands()) {
        // The name and its positional arguments: "add TITLE", "export-tasks [DIR]".
        QString left = u"  "_s + command.name;
        for (const QString& word : command.arguments.split(u' ', Qt::SkipEmptyParts)) {
            if (word.startsWith(u"[-"_s))
                break;
            left += u' ' + word;
        }
        m_out << left.leftJustified(22) << u' ' << command.summary << u'\n';
    }
    m_out << u"\nOptions:\n"_s << OptionLines({FileOption(), HelpOption()})
          << uR"(
The data file is, unless --file names one, the desktop program's:
  )"_s << m_document.DefaultPath()
          << uR"(
--file may stand before or after the command. 'COMMAND --help' shows a
command's arguments and output.

A protected data file's password comes from the environment variable
ORBELIN_PASSWORD or, when standard input is a terminal, from a prompt. A
command that changes the calendar saves it under the password it was loaded
with (with backups on, the old file is first copied to its name + "BAK").
add, import-csv and import-tasks start a new calendar with the default
categories when the data file does not exist; the other commands need it.

Errors go to standard error: "error NNN: TEXT" for a numbered message (a
step of loading or saving the data file, a CSV export or import), "error
file: PATH: TEXT" when a file cannot be opened, "error: TEXT" otherwise.

Exit status: 0 done, 1 the command failed, 2 the data file could not be
loaded, 64 wrong arguments.
)"_s;
    m_out.flush();
    return kExitOk;
}

int CliRun::PrintCommandHelp()
{
    const Command& command = *m_command;
    m_out << u"Usage: "_s << Synopsis(command) << u"\n\n"_s << command.details << u"\n\nOptions:\n"_s
          << OptionLines(command.options + QList<QCommandLineOption>{FileOption(), HelpOption()});
    m_out.flush();
    return kExitOk;
}

bool CliRun::DateOption(const QString& option, PackedDate& date, int& status)
{
    if (!IsSet(option))
        return true;
    if (ParseDate(Value(option), date))
        return true;
    status = Usage(u"'--%1' wants a day as YYYY-MM-DD, not '%2'."_s.arg(option, Value(option)));
    return false;
}

int CliRun::Done(const QString& line)
{
    m_out << line << u'\n';
    m_out.flush();
    return kExitOk;
}

int CliRun::SaveAndPrint(const QString& line)
{
    return m_document.SaveChanges() ? Done(line) : kExitFailed;
}

bool CliRun::WriteCsv(const QString& target, const CalendarStore& store)
{
    if (ExportCsv(target, store))
        return true;
    ReportFileError(m_err, target, GetText(kTextExportFailed), kTextExportFailed);
    return false;
}

QString CliRun::TaskDir() const
{
    return m_positional.isEmpty() ? m_document.GetSettings().DeviceTaskDir() : Positional(0);
}

int CliRun::Dump()
{
    if (!Load(CliDocument::WhenMissing::Fail))
        return kExitLoadFailed;
    const QJsonObject json = CalendarToJson(m_document.Store(), m_document.Holidays());
    m_out << QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented));
    m_out.flush();
    return kExitOk;
}

int CliRun::List()
{
    PackedDate from = kNoDate;
    PackedDate to = kNoDate;
    int status = kExitOk;
    if (!DateOption(u"from"_s, from, status) || !DateOption(u"to"_s, to, status))
        return status;
    if (from != kNoDate && to != kNoDate && from > to)
        return Usage(u"'--from' is after '--to'."_s);
    const bool range = IsSet(u"from"_s) || IsSet(u"to"_s);
    const bool noDate = IsSet(u"no-date"_s);
    if (!Load(CliDocument::WhenMissing::Fail))
        return kExitLoadFailed;

    const CalendarStore& store = m_document.Store();
    qint32 category = -1;
    if (IsSet(u"category"_s)) {
        category = store.FindCategory(Value(u"category"_s));
        if (category < 0)
            return Fail(u"There is no category named \"%1\"."_s.arg(Value(u"category"_s)));
    }
    const QString search = Value(u"search"_s);
    const auto printDay = [&](const DayList& day) {
        for (const PriorityClass priorityClass : kPriorityClasses) {
            for (const qint32 index : day.ListOf(priorityClass)) {
                const TaskRecord* task = store.GetTask(index);
                if (!task || (category >= 0 && task->Category != category))
                    continue;
                if (!search.isEmpty() && !task->Title.contains(search, Qt::CaseInsensitive)
                    && !task->Note.contains(search, Qt::CaseInsensitive))
                    continue;
                m_out << TaskLine(store, *task) << u'\n';
            }
        }
    };
    if (!range || noDate) {
        if (const DayList* undated = store.GetDayList(kNoDate))
            printDay(*undated);
    }
    if (range || !noDate) {
        const int end = store.EndDayAfter(to);
        for (int position = store.FirstDayFrom(from, false); position < end; ++position)
            printDay(store.DayListAt(position));
    }
    m_out.flush();
    return kExitOk;
}

int CliRun::Add()
{
    TaskRecord task;
    task.Title = Positional(0);
    if (task.Title.isEmpty())
        return Usage(u"The title is empty."_s);
    int status = kExitOk;
    if (!DateOption(u"date"_s, task.Date, status))
        return status;
    if (IsSet(u"priority"_s) && !ParsePriority(Value(u"priority"_s), task.Priority))
        return Usage(u"'--priority' wants high, normal or low, not '%1'."_s.arg(Value(u"priority"_s)));
    task.Note = Value(u"note"_s);
    if (!Load(CliDocument::WhenMissing::StartNew))
        return kExitLoadFailed;

    CalendarStore& store = m_document.Store();
    const int index = IsSet(u"category"_s) ? store.AddTaskWithCategoryName(task, Value(u"category"_s), true)
                                           : store.AddTask(task, true);
    return SaveAndPrint(TaskLine(store, *store.GetTask(index)));
}

int CliRun::UpdateDue()
{
    if (!Load(CliDocument::WhenMissing::Fail))
        return kExitLoadFailed;
    const int moved = m_document.Store().UpdateDueTasks(Today());
    return SaveAndPrint(u"moved %1"_s.arg(moved));
}

int CliRun::SaveAs()
{
    const QString target = Positional(0);
    PasswordKey newKey;
    int status = kExitOk;
    if (!NewPasswordKey(newKey, status))
        return status;
    if (!Load(CliDocument::WhenMissing::Fail))
        return kExitLoadFailed;
    if (!m_document.SaveTo(target, m_environment.newPassword ? newKey : m_document.Password()))
        return kExitFailed;
    return Done(u"saved "_s + target);
}

int CliRun::ExportCsvFile()
{
    const QString target = Positional(0);
    if (SameFile(target, m_document.Path()))
        return Usage(u"'%1' is the data file itself."_s.arg(target));
    if (!Load(CliDocument::WhenMissing::Fail))
        return kExitLoadFailed;
    const CalendarStore& store = m_document.Store();
    if (!WriteCsv(target, store))
        return kExitFailed;
    return Done(u"exported %1"_s.arg(LiveTaskCount(store)));
}

int CliRun::ImportCsvFile()
{
    const QString source = Positional(0);
    if (SameFile(source, m_document.Path()))
        return Usage(u"'%1' is the data file itself."_s.arg(source));
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        ReportFileError(m_err, source, file.errorString(), 0);
        return kExitFailed;
    }
    file.close();
    if (!Load(CliDocument::WhenMissing::StartNew))
        return kExitLoadFailed;
    const CsvImportResult result = ImportCsv(CsvColumns{}, source, m_document.Store());
    if (result.ErrorText != 0) {
        ReportFileError(m_err, source, GetText(result.ErrorText), result.ErrorText);
        return kExitFailed;
    }
    return SaveAndPrint(u"imported %1"_s.arg(result.Count));
}

int CliRun::ExportTasks()
{
    const QString folder = TaskDir();
    if (!Load(CliDocument::WhenMissing::Fail))
        return kExitLoadFailed;
    if (!QDir().mkpath(folder))
        return Fail(u"The folder '%1' cannot be made."_s.arg(folder));
    const CalendarStore& store = m_document.Store();
    const int exported = ExportDeviceTasks(store, folder);
    Done(u"exported %1"_s.arg(exported));
    const int total = LiveTaskCount(store);
    if (exported < total)
        return Fail(u"Only %1 of %2 tasks were written to '%3'."_s.arg(exported).arg(total).arg(folder));
    return kExitOk;
}

int CliRun::ImportTasks()
{
    const QString folder = TaskDir();
    if (!QFileInfo(folder).isDir())
        return Fail(u"There is no folder '%1'."_s.arg(folder));
    if (!Load(CliDocument::WhenMissing::StartNew))
        return kExitLoadFailed;
    const int imported = ImportDeviceTasks(m_document.Store(), folder);
    return SaveAndPrint(u"imported %1"_s.arg(imported));
}

bool CliRun::NewPasswordKey(PasswordKey& key, int& status)
{
    if (!m_environment.newPassword || key.SetPassword(*m_environment.newPassword))
        return true;
    status = Usage(u"ORBELIN_NEW_PASSWORD is longer than %1 characters."_s.arg(PasswordKey::kMaxPasswordLength));
    return false;
}

int CliRun::Generate()
{
    bool ok = false;
    const int count = Positional(0).toInt(&ok);
    if (!ok || count < 1 || count > kMaxGeneratedTasks)
        return Usage(u"'generate' wants a task count from 1 to %1, not '%2'."_s.arg(kMaxGeneratedTasks)
                         .arg(Positional(0)));
    quint32 seed = CalendarGenerator::kDefaultSeed;
    if (IsSet(u"seed"_s)) {
        seed = Value(u"seed"_s).toUInt(&ok);
        if (!ok)
            return Usage(u"'--seed' wants a number from 0 to 4294967295, not '%1'."_s.arg(Value(u"seed"_s)));
    }
    PasswordKey key;
    int status = kExitOk;
    if (!NewPasswordKey(key, status))
        return status;
    const QString target = Positional(1);
    const CalendarOutput form = CalendarOutputFor(target);
    const QFileInfo existing(target);
    // A made-up calendar must never take the place of a real one by mistake.
    const bool taken = existing.isDir() ? !QDir(target).isEmpty() : existing.exists();
    if (taken && !IsSet(u"force"_s))
        return Fail(u"'%1' exists already; --force replaces it."_s.arg(target));
    if (existing.isDir() && form != CalendarOutput::TaskFolder)
        return Fail(u"'%1' is a folder."_s.arg(target));

    CalendarStore store;
    HolidayList holidays;
    CalendarGenerator(seed).Fill(count, store, holidays);
    switch (form) {
    case CalendarOutput::DataFile:
        if (!WriteDataFile(store, holidays, target, key, false, m_err))
            return kExitFailed;
        break;
    case CalendarOutput::Csv:
        QDir().mkpath(existing.absolutePath());
        if (!WriteCsv(target, store))
            return kExitFailed;
        break;
    case CalendarOutput::TaskFolder: {
        QString error;
        if (!QDir().mkpath(target))
            return Fail(u"The folder '%1' cannot be made."_s.arg(target));
        if (!WriteCalendarTaskFolder(store, target, error))
            return Fail(u"Not every task could be written to '%1' (%2)."_s.arg(target, error));
        break;
    }
    }
    return Done(u"generated %1"_s.arg(count));
}

CliEnvironment CliEnvironment::FromProcess()
{
    CliEnvironment environment;
    if (qEnvironmentVariableIsSet("ORBELIN_PASSWORD"))
        environment.password = qEnvironmentVariable("ORBELIN_PASSWORD");
    if (qEnvironmentVariableIsSet("ORBELIN_NEW_PASSWORD"))
        environment.newPassword = qEnvironmentVariable("ORBELIN_NEW_PASSWORD");
    return environment;
}

int RunCli(const QStringList& args, QTextStream& out, QTextStream& err, const CliEnvironment& environment)
{
    CliRun run(out, err, environment);
    return run.Run(args);
}
