// orbelin-cli as a user runs it: the built tool in a child process on small
// data files, checked by its output, its exit status and the files it leaves.

#include "app/cli/CliCommands.h"
#include "model/CalendarStore.h"
#include "model/Clock.h"
#include "model/HolidayList.h"
#include "model/LanguageModule.h"
#include "model/LastTaskId.h"
#include "model/ViewState.h"
#include "storage/DataFile.h"
#include "storage/PasswordKey.h"
#include "support/FileBytes.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"
#include "support/TestTables.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

using testtables::PrintTo;

const PackedDate kMar15 = MakeDate(2009, 3, 15);
const PackedDate kMar16 = MakeDate(2009, 3, 16);
const PackedDate kMar20 = MakeDate(2009, 3, 20);

using Variables = QList<std::pair<QString, QString>>;

struct ToolRun
{
    int status = -1; // -1: did not start, crashed or hung
    QString out;
    QString err;
};

// Runs the built tool with the test's environment (private settings and data
// folders), without either password variable unless given, and with standard
// input a closed pipe (no terminal, so it never prompts).
ToolRun RunTool(const QStringList& args, const Variables& variables = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"ORBELIN_PASSWORD"_s);
    environment.remove(u"ORBELIN_NEW_PASSWORD"_s);
    for (const auto& [name, value] : variables)
        environment.insert(name, value);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ORBELIN_CLI_PATH), args);
    ToolRun run;
    if (!process.waitForStarted(30000)) {
        ADD_FAILURE() << "orbelin-cli did not start: " << process.errorString().toStdString();
        return run;
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "orbelin-cli hung on " << args.join(u' ').toStdString();
    } else if (process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QJsonObject ParseJson(const QString& text)
{
    QJsonParseError problem;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &problem);
    EXPECT_EQ(problem.error, QJsonParseError::NoError) << problem.errorString().toStdString();
    EXPECT_TRUE(document.isObject());
    return document.object();
}

std::string Json(const QJsonValue& value)
{
    return QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).toStdString();
}

QString Lines(const QStringList& lines)
{
    return lines.isEmpty() ? QString() : lines.join(u'\n') + u'\n';
}

class CliToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_savedLastId = LastTaskId::Value();
    }
    void TearDown() override
    {
        LastTaskId::Set(m_savedLastId);
        Clock::SetToday(0);
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    static int AddTask(CalendarStore& store, const QString& title, PackedDate date, qint32 priority,
                       qint32 category = 0, quint32 completed = 0, const QString& note = QString(), quint32 icon = 0)
    {
        TaskRecord task;
        task.Title = title;
        task.Date = date;
        task.Priority = priority;
        task.Category = category;
        task.Completed = completed;
        task.Note = note;
        task.Icon = icon;
        return store.AddTask(task, true);
    }

    // Four categories with the second deleted (so positions differ from
    // indexes), tasks of every priority on two days and undated, a Low task
    // added before the High one of its day, completed ones (1 and -1), a
    // current task, both filters, two marks and two holidays.
    static void BuildRich(CalendarStore& store, HolidayList& holidays)
    {
        store.Clear();
        holidays.Clear();
        LastTaskId::Set(10);
        store.AddCategory(CategoryRecord(u"Home"_s, 1, 0, 0x00112233));
        store.AddCategory(CategoryRecord(u"Gone"_s, 2, 0, 0));
        store.AddCategory(CategoryRecord(u"Work"_s, 3, 7, 0x008080FF));
        const int travel = store.AddCategory(CategoryRecord(u"Travel"_s, 4, 0, 0x00336699));
        AddTask(store, u"Pack"_s, kMar15, kPriorityLow, travel);
        AddTask(store, u"Call bank"_s, kMar15, kPriorityHigh, 2, 0, u"two\nlines"_s);
        const int water = AddTask(store, u"Water"_s, kMar15, kPriorityNormal, 0, 1, QString(), 5);
        AddTask(store, u"Taxes"_s, kNoDate, kPriorityNormal, travel, 0xFFFFFFFFu);
        AddTask(store, u"Dentist"_s, kMar20, kPriorityHigh, 0);
        CategoryList categories = store.Categories();
        categories.Delete(1);
        store.ReplaceCategories(categories);
        store.SetCurrent(water);
        store.SetCategorySelection(travel);
        store.SetIconFilter(CalendarStore::kIconFilterOnBit | 4);
        store.SetDayMark(DayMark{kMar15, kMarkFlight, u"Gate 12"_s});
        store.SetDayMark(DayMark{kMar16, kMarkHoliday, QString()});
        holidays.Add(HolidayRecord{0xC19, u"Christmas"_s});
        holidays.Add(HolidayRecord{0x101, u"New Year"_s});
    }

    static void Save(CalendarStore& store, const HolidayList& holidays, const QString& path,
                     const QString& password = QString())
    {
        PasswordKey key;
        ASSERT_TRUE(key.SetPassword(password));
        QString error;
        ASSERT_TRUE(SaveDataFile(store, holidays, path, true, key.KeyBytes(), key.KeyBits(), false, error))
            << error.toStdString();
    }

    QString SaveRich(const QString& name, const QString& password = QString())
    {
        CalendarStore store;
        HolidayList holidays;
        BuildRich(store, holidays);
        Save(store, holidays, Path(name), password);
        return Path(name);
    }

    // Loads a file the tool wrote; the message number on failure (0 = loaded).
    static int Load(const QString& path, CalendarStore& store, const QString& password = QString())
    {
        PasswordKey key;
        key.SetPassword(password);
        HolidayList holidays;
        ViewState view;
        QString error;
        int number = -1;
        if (LoadDataFile(store, holidays, view, path, key.KeyBytes(), key.KeyBits(), error, &number))
            return 0;
        return number;
    }

    QTemporaryDir m_dir;
    quint32 m_savedLastId = 0;
};

// ---- dump

TEST_F(CliToolTest, DumpOfTheWorkedExamplePrintsEveryKey)
{
    const ToolRun run = RunTool({u"--file"_s, TestDataDir() + u"/datafile/worked-example.vrx"_s, u"dump"_s});
    ASSERT_EQ(run.status, kExitOk) << run.err.toStdString();
    EXPECT_EQ(run.err, QString());
    const QJsonObject expected = ParseJson(uR"({
        "last_id": 5, "current_id": -1, "category_filter": 2147483647, "icon_filter": 0,
        "categories": [{"name": "Work", "icon": 1, "reserved": 0, "color": 8421631}],
        "tasks": [{"id": 5, "priority": 1, "completed": 0, "category": 0, "icon": 0,
                   "date": 8229647, "title": "Call", "note": ""}],
        "marks": [], "holidays": []})"_s);
    EXPECT_EQ(ParseJson(run.out), expected) << run.out.toStdString();
}

TEST_F(CliToolTest, DumpListsTheCalendarInFileOrderWithCategoryPositions)
{
    const QString file = SaveRich(u"rich.vrx"_s);
    const ToolRun run = RunTool({u"dump"_s, u"--file"_s, file});
    ASSERT_EQ(run.status, kExitOk) << run.err.toStdString();
    const QJsonObject dump = ParseJson(run.out);

    EXPECT_EQ(dump[u"last_id"_s].toInteger(), 15);
    EXPECT_EQ(dump[u"current_id"_s].toInteger(), 13); // Water
    EXPECT_EQ(dump[u"category_filter"_s].toInteger(), 2); // Travel, third after the deletion
    EXPECT_EQ(dump[u"icon_filter"_s].toInteger(), 0x80000004LL);
    EXPECT_EQ(Json(dump[u"categories"_s]), Json(ParseJson(uR"({"a": [
        {"name": "Home", "icon": 1, "reserved": 0, "color": 1122867},
        {"name": "Work", "icon": 3, "reserved": 7, "color": 8421631},
        {"name": "Travel", "icon": 4, "reserved": 0, "color": 3368601}]})"_s)[u"a"_s]));
    // Undated first, then day by day, each day High, Normal, Low.
    EXPECT_EQ(Json(dump[u"tasks"_s]), Json(ParseJson(uR"({"a": [
        {"id": 14, "priority": 0, "completed": -1, "category": 2, "icon": 0, "date": 0, "title": "Taxes", "note": ""},
        {"id": 12, "priority": 1, "completed": 0, "category": 1, "icon": 0, "date": 8229647, "title": "Call bank",
         "note": "two\nlines"},
        {"id": 13, "priority": 0, "completed": 1, "category": 0, "icon": 5, "date": 8229647, "title": "Water",
         "note": ""},
        {"id": 11, "priority": -1, "completed": 0, "category": 2, "icon": 0, "date": 8229647, "title": "Pack",
         "note": ""},
        {"id": 15, "priority": 1, "completed": 0, "category": 0, "icon": 0, "date": 8229652, "title": "Dentist",
         "note": ""}]})"_s)[u"a"_s]));
    EXPECT_EQ(Json(dump[u"marks"_s]), Json(ParseJson(uR"({"a": [
        {"date": 8229647, "flags": 2, "note": "Gate 12"},
        {"date": 8229648, "flags": 8, "note": ""}]})"_s)[u"a"_s]));
    EXPECT_EQ(Json(dump[u"holidays"_s]), Json(ParseJson(uR"({"a": [
        {"monthday": 257, "name": "New Year"}, {"monthday": 3097, "name": "Christmas"}]})"_s)[u"a"_s]));
}

// ---- load failures

struct LoadFailureCase
{
    const char* name;
    // The file's bytes: the worked example cut to this length, or with byte 3
    // replaced; a protected copy; nothing at all; a folder.
    enum Kind { Cut, Byte3, Protected, Missing, Folder } kind;
    int value;
    const char* password; // ORBELIN_PASSWORD, nullptr = unset
    const char* command;
    // "error NNN: " followed by message NNN, or this prefix for the system's text.
    int message;
};

class CliLoadFailureTest : public CliToolTest, public ::testing::WithParamInterface<LoadFailureCase>
{
};

TEST_P(CliLoadFailureTest, ExitsWithStatusTwoAndTheNumberedMessage)
{
    const LoadFailureCase& c = GetParam();
    const QByteArray example = ReadFileBytes(TestDataDir() + u"/datafile/worked-example.vrx"_s);
    ASSERT_FALSE(example.isEmpty());
    QString file = Path(u"calendar.vrx"_s);
    switch (c.kind) {
    case LoadFailureCase::Cut:
        WriteFileBytes(file, example.left(c.value));
        break;
    case LoadFailureCase::Byte3: {
        QByteArray bytes = example;
        bytes[2] = char(c.value >> 8);
        bytes[3] = char(c.value & 0xFF);
        WriteFileBytes(file, bytes);
        break;
    }
    case LoadFailureCase::Protected:
        SaveRich(u"calendar.vrx"_s, u"s3cret"_s);
        break;
    case LoadFailureCase::Missing:
        break;
    case LoadFailureCase::Folder:
        file = m_dir.path();
        break;
    }
    const QByteArray before = ReadFileBytes(file);
    Variables variables;
    if (c.password)
        variables.append({u"ORBELIN_PASSWORD"_s, QString::fromUtf8(c.password)});
    QStringList args = QString::fromUtf8(c.command).split(u' ');
    args << u"--file"_s << file;

    const ToolRun run = RunTool(args, variables);
    EXPECT_EQ(run.status, kExitLoadFailed);
    EXPECT_EQ(run.out, QString());
    if (c.message != 0)
        EXPECT_EQ(run.err, u"error %1: %2\n"_s.arg(c.message).arg(GetText(c.message)));
    else
        EXPECT_TRUE(run.err.startsWith(u"error file: "_s + file + u": "_s)) << run.err.toStdString();
    // Nothing was written over the damaged file, and no backup taken.
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_FALSE(QFileInfo::exists(file + u"BAK"_s));
}

// The worked example: 4 header bytes, "[C11_FILE]" up to 28, "[MARK]" and
// its count up to 48, "[CATEGORY]" up to 72 and its count up to 76.
INSTANTIATE_TEST_SUITE_P(
    Files, CliLoadFailureTest,
    ::testing::Values(LoadFailureCase{"HeaderCutShort", LoadFailureCase::Cut, 2, nullptr, "dump", 206},
                      LoadFailureCase{"EmptyPayload", LoadFailureCase::Cut, 4, nullptr, "dump", 206},
                      LoadFailureCase{"FirstMarkerCut", LoadFailureCase::Cut, 10, nullptr, "dump", 211},
                      LoadFailureCase{"NoMarkSection", LoadFailureCase::Cut, 28, nullptr, "list", 212},
                      LoadFailureCase{"CategoryCountCut", LoadFailureCase::Cut, 74, nullptr, "add Saved?", 213},
                      LoadFailureCase{"NoEndMarker", LoadFailureCase::Cut, 210, nullptr, "update-due", 216},
                      LoadFailureCase{"IconFilterCut", LoadFailureCase::Cut, 234, nullptr, "dump", 218},
                      LoadFailureCase{"VersionB", LoadFailureCase::Byte3, 0x0B00, nullptr, "dump", 210},
                      LoadFailureCase{"KindByte1", LoadFailureCase::Byte3, 0x0A01, nullptr, "add Saved?", 209},
                      LoadFailureCase{"NoPassword", LoadFailureCase::Protected, 0, nullptr, "dump", 207},
                      LoadFailureCase{"WrongPassword", LoadFailureCase::Protected, 0, "secret", "add Saved?", 207},
                      LoadFailureCase{"MissingFile", LoadFailureCase::Missing, 0, nullptr, "dump", 0},
                      LoadFailureCase{"MissingFileForSaveAs", LoadFailureCase::Missing, 0, nullptr,
                                      "save-as elsewhere.vrx", 0},
                      LoadFailureCase{"Folder", LoadFailureCase::Folder, 0, nullptr, "list", 0}),
    testtables::RowName<LoadFailureCase>);

// ---- usage and help

struct UsageCase
{
    const char* name;
    QStringList args; // the data file is put in front as --file PATH
    const char* problem;
    bool withFile = true;
};

class CliUsageTest : public CliToolTest, public ::testing::WithParamInterface<UsageCase>
{
};

TEST_P(CliUsageTest, ExitsWith64AndAUsageMessageWithoutTouchingTheFile)
{
    const UsageCase& c = GetParam();
    const QString file = SaveRich(u"calendar.vrx"_s);
    const QByteArray before = ReadFileBytes(file);
    QStringList args = c.args;
    for (QString& arg : args)
        arg.replace(u"$FILE"_s, file);
    if (c.withFile)
        args = QStringList{u"--file"_s, file} + args;

    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.out, QString());
    const QString problem = QString::fromUtf8(c.problem).replace(u"$FILE"_s, file);
    EXPECT_TRUE(run.err.startsWith(u"orbelin-cli: "_s + problem + u'\n'))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(u"\nUsage: orbelin-cli [--file PATH] "_s)) << run.err.toStdString();
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_FALSE(QFileInfo::exists(file + u"BAK"_s));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CliUsageTest,
    ::testing::Values(
        UsageCase{"NoCommand", {}, "No command given."},
        UsageCase{"UnknownCommand", {u"frobnicate"_s}, "Unknown command 'frobnicate'."},
        UsageCase{"UnknownToolOption", {u"--verbose"_s, u"dump"_s}, "Unknown option '--verbose'."},
        UsageCase{"UnknownCommandOption", {u"list"_s, u"--colour"_s}, "Unknown option 'colour'."},
        UsageCase{"MissingTitle", {u"add"_s}, "'add' needs TITLE."},
        UsageCase{"EmptyTitle", {u"add"_s, QString()}, "The title is empty."},
        UsageCase{"MissingTarget", {u"save-as"_s}, "'save-as' needs OUT."},
        UsageCase{"ExtraArgument", {u"dump"_s, u"extra"_s}, "Unexpected argument 'extra'."},
        UsageCase{"SecondFolder", {u"export-tasks"_s, u"a"_s, u"b"_s}, "Unexpected argument 'b'."},
        UsageCase{"MonthThirteen", {u"list"_s, u"--from"_s, u"2009-13-01"_s},
                  "'--from' wants a day as YYYY-MM-DD, not '2009-13-01'."},
        UsageCase{"February30", {u"add"_s, u"x"_s, u"--date"_s, u"2009-02-30"_s},
                  "'--date' wants a day as YYYY-MM-DD, not '2009-02-30'."},
        UsageCase{"RangeBackwards", {u"list"_s, u"--from"_s, u"2009-03-20"_s, u"--to"_s, u"2009-03-15"_s},
                  "'--from' is after '--to'."},
        UsageCase{"UnknownPriority", {u"add"_s, u"x"_s, u"--priority"_s, u"urgent"_s},
                  "'--priority' wants high, normal or low, not 'urgent'."},
        UsageCase{"OptionWithoutValue", {u"add"_s, u"x"_s, u"--date"_s}, "Missing value after '--date'."},
        UsageCase{"FileWithoutValue", {u"--file"_s}, "Missing value after '--file'.", false},
        UsageCase{"EmptyFile", {u"--file="_s, u"dump"_s}, "The path after '--file' is empty.", false},
        UsageCase{"GenerateNothing", {u"generate"_s, u"0"_s, u"out.vrx"_s},
                  "'generate' wants a task count from 1 to 1000000, not '0'."},
        UsageCase{"GenerateTooMany", {u"generate"_s, u"1000001"_s, u"out.vrx"_s},
                  "'generate' wants a task count from 1 to 1000000, not '1000001'."},
        UsageCase{"GenerateWords", {u"generate"_s, u"many"_s, u"out.vrx"_s},
                  "'generate' wants a task count from 1 to 1000000, not 'many'."},
        UsageCase{"GenerateWithoutTarget", {u"generate"_s, u"10"_s}, "'generate' needs N OUT."},
        UsageCase{"GenerateBadSeed", {u"generate"_s, u"10"_s, u"out.vrx"_s, u"--seed"_s, u"-1"_s},
                  "'--seed' wants a number from 0 to 4294967295, not '-1'."},
        UsageCase{"CsvOverTheDataFile", {u"export-csv"_s, u"$FILE"_s}, "'$FILE' is the data file itself."}),
    testtables::RowName<UsageCase>);

TEST_F(CliToolTest, UsageMessageNamesTheCommandItWasFor)
{
    const ToolRun run = RunTool({u"--file"_s, Path(u"none.vrx"_s), u"add"_s});
    EXPECT_EQ(run.err, uR"(orbelin-cli: 'add' needs TITLE.
Usage: orbelin-cli [--file PATH] add TITLE [--date YYYY-MM-DD] [--priority high|normal|low] [--category NAME] [--note TEXT]
Try 'orbelin-cli add --help'.
)"_s);
}

TEST_F(CliToolTest, HelpListsEveryCommandAndEachCommandHasItsOwn)
{
    const QStringList commands{u"dump"_s,       u"list"_s,       u"add"_s,          u"update-due"_s,
                               u"save-as"_s,    u"export-csv"_s, u"import-csv"_s,   u"export-tasks"_s,
                               u"import-tasks"_s, u"generate"_s};
    const ToolRun help = RunTool({u"--help"_s});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_EQ(help.err, QString());
    EXPECT_TRUE(help.out.startsWith(u"Usage: orbelin-cli [--file PATH] COMMAND [ARGUMENTS]\n"_s));
    for (const QString& command : commands) {
        SCOPED_TRACE(command.toStdString());
        EXPECT_TRUE(help.out.contains(u"\n  "_s + command + u' ')) << help.out.toStdString();
        // Either order; the data file is not needed for help.
        for (const QStringList& args : {QStringList{command, u"--help"_s}, QStringList{u"--help"_s, command},
                                        QStringList{command, u"-h"_s}}) {
            const ToolRun run = RunTool(QStringList{u"--file"_s, Path(u"none.vrx"_s)} + args);
            EXPECT_EQ(run.status, kExitOk);
            EXPECT_EQ(run.err, QString());
            EXPECT_TRUE(run.out.startsWith(u"Usage: orbelin-cli [--file PATH] "_s + command)) << run.out.toStdString();
            EXPECT_TRUE(run.out.contains(u"--file PATH"_s));
        }
    }
    EXPECT_FALSE(QFileInfo::exists(Path(u"none.vrx"_s)));
}

// ---- list and add

struct ListCase
{
    const char* name;
    QStringList options;
    QStringList lines;
};

class CliListTest : public CliToolTest, public ::testing::WithParamInterface<ListCase>
{
};

const QString kTaxes = u"--\t \t[x]\tTaxes\tTravel"_s;
const QString kCallBank = u"2009-03-15\t!\t[ ]\tCall bank\tWork"_s;
const QString kWater = u"2009-03-15\t \t[x]\tWater\tHome"_s;
const QString kPack = u"2009-03-15\t-\t[ ]\tPack\tTravel"_s;
const QString kDentist = u"2009-03-20\t!\t[ ]\tDentist\tHome"_s;

TEST_P(CliListTest, PrintsTheChosenTasksInCalendarOrder)
{
    const ListCase& c = GetParam();
    const QString file = SaveRich(u"rich.vrx"_s);
    const ToolRun run = RunTool(QStringList{u"--file"_s, file, u"list"_s} + c.options);
    EXPECT_EQ(run.status, kExitOk) << run.err.toStdString();
    EXPECT_EQ(run.out, Lines(c.lines));
}

INSTANTIATE_TEST_SUITE_P(
    Filters, CliListTest,
    ::testing::Values(
        ListCase{"Everything", {}, {kTaxes, kCallBank, kWater, kPack, kDentist}},
        ListCase{"From", {u"--from"_s, u"2009-03-16"_s}, {kDentist}},
        ListCase{"To", {u"--to"_s, u"2009-03-15"_s}, {kCallBank, kWater, kPack}},
        ListCase{"OneDay", {u"--from"_s, u"2009-03-20"_s, u"--to"_s, u"2009-03-20"_s}, {kDentist}},
        ListCase{"EmptyRange", {u"--from"_s, u"2009-03-16"_s, u"--to"_s, u"2009-03-19"_s}, {}},
        ListCase{"NoDateOnly", {u"--no-date"_s}, {kTaxes}},
        ListCase{"NoDateAndRange", {u"--no-date"_s, u"--to"_s, u"2009-03-15"_s}, {kTaxes, kCallBank, kWater, kPack}},
        ListCase{"Category", {u"--category"_s, u"Travel"_s}, {kTaxes, kPack}},
        ListCase{"SearchInNoteIgnoringCase", {u"--search"_s, u"LINES"_s}, {kCallBank}},
        ListCase{"SearchInTitle", {u"--search"_s, u"ent"_s}, {kDentist}},
        ListCase{"CategoryAndRange", {u"--category"_s, u"Home"_s, u"--from"_s, u"2009-03-16"_s}, {kDentist}}),
    testtables::RowName<ListCase>);

TEST_F(CliToolTest, ListOfACategoryThatDoesNotExistFails)
{
    const QString file = SaveRich(u"rich.vrx"_s);
    const ToolRun run = RunTool({u"--file"_s, file, u"list"_s, u"--category"_s, u"Garden"_s});
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(run.err, u"error: There is no category named \"Garden\".\n"_s);
}

TEST_F(CliToolTest, AddStartsAMissingCalendarThenListShowsTheTaskOnItsDate)
{
    const QString file = Path(u"sub/new.vrx"_s);
    const ToolRun add = RunTool({u"add"_s, u"Buy\tmilk"_s, u"--file"_s, file, u"--date"_s, u"2009-03-15"_s,
                                 u"--priority"_s, u"LOW"_s, u"--category"_s, u"Errands"_s, u"--note"_s,
                                 u"2 litres\nskimmed"_s});
    ASSERT_EQ(add.status, kExitOk) << add.err.toStdString();
    EXPECT_EQ(add.out, u"2009-03-15\t-\t[ ]\tBuy milk\tErrands\n"_s);
    EXPECT_EQ(add.err, u"note: created the data file "_s + file + u'\n');

    const ToolRun second = RunTool({u"--file"_s, file, u"add"_s, u"Plan trip"_s});
    ASSERT_EQ(second.status, kExitOk) << second.err.toStdString();
    EXPECT_EQ(second.err, QString());
    CalendarStore defaults;
    defaults.ResetToDefaults();
    EXPECT_EQ(RunTool({u"--file"_s, file, u"list"_s}).out,
              Lines({u"--\t \t[ ]\tPlan trip\t"_s + defaults.Categories().Get(0)->Name,
                     u"2009-03-15\t-\t[ ]\tBuy milk\tErrands"_s}));

    CalendarStore store;
    ASSERT_EQ(Load(file, store), 0);
    const int index = store.GetDayList(kMar15)->ListOf(PriorityClass::Low).front();
    EXPECT_EQ(store.GetTask(index)->Title, u"Buy\tmilk"_s);
    EXPECT_EQ(store.GetTask(index)->Note, u"2 litres\nskimmed"_s);
    // A new calendar has the default categories, the new one after them.
    EXPECT_EQ(store.Categories().Count(), 4);
    EXPECT_EQ(store.FindCategory(u"Errands"_s), 3);
    // The tool reads the settings but leaves them to the desktop program.
    EXPECT_FALSE(QFileInfo::exists(TestRootDir() + u"/config/Corvane Software/Orbelin Planner.conf"_s));
}

TEST_F(CliToolTest, ChangingCommandsTakeTheBackupAndKeepThePassword)
{
    const QString file = SaveRich(u"rich.vrx"_s, u"s3cret"_s);
    const QByteArray before = ReadFileBytes(file);
    const ToolRun run =
        RunTool({u"--file"_s, file, u"add"_s, u"Renew passport"_s}, {{u"ORBELIN_PASSWORD"_s, u"s3cret"_s}});
    ASSERT_EQ(run.status, kExitOk) << run.err.toStdString();
    EXPECT_EQ(ReadFileBytes(file + u"BAK"_s), before);

    CalendarStore store;
    EXPECT_EQ(Load(file, store), 207);
    ASSERT_EQ(Load(file, store, u"s3cret"_s), 0);
    ASSERT_NE(store.GetDayList(kNoDate), nullptr);
    EXPECT_EQ(store.GetDayList(kNoDate)->TaskCount(), 2);
    EXPECT_EQ(store.CurrentTaskId(), 13);
}

// ---- update-due

TEST_F(CliToolTest, UpdateDueMovesOverdueOpenTasksToTodayOnly)
{
    const PackedDate jan1 = MakeDate(2000, 1, 1);
    const PackedDate jan2 = MakeDate(2000, 1, 2);
    const PackedDate future = MakeDate(2100, 1, 1);
    CalendarStore store;
    HolidayList holidays;
    store.ResetToDefaults();
    const int late = AddTask(store, u"Late"_s, jan1, kPriorityNormal);
    const int done = AddTask(store, u"Done late"_s, jan2, kPriorityHigh, 0, 1);
    const int someday = AddTask(store, u"Someday"_s, kNoDate, kPriorityNormal);
    const int later = AddTask(store, u"Later"_s, future, kPriorityLow);
    const QString file = Path(u"due.vrx"_s);
    Save(store, holidays, file);

    const ToolRun run = RunTool({u"--file"_s, file, u"update-due"_s});
    ASSERT_EQ(run.status, kExitOk) << run.err.toStdString();
    EXPECT_EQ(run.out, u"moved 1\n"_s);
    // The tool and this test read the same clock.
    const PackedDate today = Clock::Today();

    CalendarStore loaded;
    ASSERT_EQ(Load(file, loaded), 0);
    const auto dateOf = [&](int index) {
        for (int n = 0; n < loaded.TaskCount(); ++n) {
            if (loaded.GetTask(n) && loaded.GetTask(n)->Id == store.GetTask(index)->Id)
                return loaded.GetTask(n)->Date;
        }
        return PackedDate(0xFFFFFFFFu);
    };
    EXPECT_EQ(dateOf(late), today);
    EXPECT_EQ(dateOf(done), jan2);
    EXPECT_EQ(dateOf(someday), kNoDate);
    EXPECT_EQ(dateOf(later), future);

    const QByteArray after = ReadFileBytes(file);
    const ToolRun again = RunTool({u"--file"_s, file, u"update-due"_s});
    EXPECT_EQ(again.out, u"moved 0\n"_s);
    EXPECT_EQ(ReadFileBytes(file), after);
}

// ---- save-as

TEST_F(CliToolTest, SaveAsWritesTheSameBytesAndChangesThePasswordOnRequest)
{
    const QString example = TestDataDir() + u"/datafile/worked-example.vrx"_s;
    const QString copy = Path(u"copy.vrx"_s);
    const ToolRun plain = RunTool({u"--file"_s, example, u"save-as"_s, copy});
    ASSERT_EQ(plain.status, kExitOk) << plain.err.toStdString();
    EXPECT_EQ(plain.out, u"saved "_s + copy + u'\n');
    EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(example));

    // Protect it, then keep that password by default, then drop it again.
    const QString locked = Path(u"locked.vrx"_s);
    ASSERT_EQ(RunTool({u"--file"_s, copy, u"save-as"_s, locked}, {{u"ORBELIN_NEW_PASSWORD"_s, u"twelve-chars"_s}})
                  .status,
              kExitOk);
    CalendarStore store;
    EXPECT_EQ(Load(locked, store), 207);
    EXPECT_EQ(Load(locked, store, u"twelve-chars"_s), 0);

    const QString lockedToo = Path(u"locked2.vrx"_s);
    ASSERT_EQ(RunTool({u"--file"_s, locked, u"save-as"_s, lockedToo}, {{u"ORBELIN_PASSWORD"_s, u"twelve-chars"_s}})
                  .status,
              kExitOk);
    EXPECT_EQ(Load(lockedToo, store), 207);
    EXPECT_EQ(Load(lockedToo, store, u"twelve-chars"_s), 0);

    const QString open = Path(u"open.vrx"_s);
    ASSERT_EQ(RunTool({u"--file"_s, lockedToo, u"save-as"_s, open},
                      {{u"ORBELIN_PASSWORD"_s, u"twelve-chars"_s}, {u"ORBELIN_NEW_PASSWORD"_s, QString()}})
                  .status,
              kExitOk);
    EXPECT_EQ(ReadFileBytes(open), ReadFileBytes(example));
}

TEST_F(CliToolTest, SaveAsRefusesAPasswordTheKeyCannotHold)
{
    const QString example = TestDataDir() + u"/datafile/worked-example.vrx"_s;
    const ToolRun run = RunTool({u"--file"_s, example, u"save-as"_s, Path(u"out.vrx"_s)},
                                {{u"ORBELIN_NEW_PASSWORD"_s, u"seventeen-chars!!"_s}});
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_TRUE(run.err.startsWith(u"orbelin-cli: ORBELIN_NEW_PASSWORD is longer than 16 characters.\n"_s))
        << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path(u"out.vrx"_s)));
}

TEST_F(CliToolTest, SaveAsIntoAFolderThatCannotBeWrittenFails)
{
    const QString example = TestDataDir() + u"/datafile/worked-example.vrx"_s;
    // A plain file where the folder would have to be.
    WriteFileBytes(Path(u"blocker"_s), "x");
    const QString target = Path(u"blocker/out.vrx"_s);
    const ToolRun run = RunTool({u"--file"_s, example, u"save-as"_s, target});
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.out, QString());
    EXPECT_TRUE(run.err.startsWith(u"error file: "_s + target + u": "_s)) << run.err.toStdString();
}

// ---- CSV and the shared task list

// Title, note (line ends as LF), date, completed, priority and category name
// of each task the dump lists, in its order.
QStringList TaskSummaries(const QJsonObject& dump)
{
    const QJsonArray categories = dump[u"categories"_s].toArray();
    QStringList summaries;
    for (const QJsonValue& value : dump[u"tasks"_s].toArray()) {
        const QJsonObject task = value.toObject();
        summaries << u"%1|%2|%3|%4|%5|%6"_s.arg(task[u"title"_s].toString(),
                                                task[u"note"_s].toString().replace(u"\r\n"_s, u"\n"_s))
                         .arg(task[u"date"_s].toInteger())
                         .arg(task[u"completed"_s].toInteger() != 0)
                         .arg(task[u"priority"_s].toInteger())
                         .arg(categories[task[u"category"_s].toInt()].toObject()[u"name"_s].toString());
    }
    return summaries;
}

TEST_F(CliToolTest, CsvExportThenImportGivesTheSameTasks)
{
    const QString file = SaveRich(u"rich.vrx"_s);
    const QString csv = Path(u"tasks.csv"_s);
    const ToolRun exported = RunTool({u"--file"_s, file, u"export-csv"_s, csv});
    ASSERT_EQ(exported.status, kExitOk) << exported.err.toStdString();
    EXPECT_EQ(exported.out, u"exported 5\n"_s);

    const QString copy = Path(u"copy.vrx"_s);
    const ToolRun imported = RunTool({u"--file"_s, copy, u"import-csv"_s, csv});
    ASSERT_EQ(imported.status, kExitOk) << imported.err.toStdString();
    EXPECT_EQ(imported.out, u"imported 5\n"_s);

    const QStringList original = TaskSummaries(ParseJson(RunTool({u"--file"_s, file, u"dump"_s}).out));
    EXPECT_EQ(original.size(), 5);
    EXPECT_EQ(TaskSummaries(ParseJson(RunTool({u"--file"_s, copy, u"dump"_s}).out)), original);
}

TEST_F(CliToolTest, CsvImportOfAFileThatCannotBeReadFailsWithoutSaving)
{
    const QString file = SaveRich(u"rich.vrx"_s);
    const QByteArray before = ReadFileBytes(file);
    const QString csv = Path(u"missing.csv"_s);
    const ToolRun run = RunTool({u"--file"_s, file, u"import-csv"_s, csv});
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.out, QString());
    EXPECT_TRUE(run.err.startsWith(u"error file: "_s + csv + u": "_s)) << run.err.toStdString();
    EXPECT_EQ(ReadFileBytes(file), before);

    // An empty file is read and holds no tasks: nothing changes, nothing is saved.
    WriteFileBytes(Path(u"empty.csv"_s), QByteArray());
    const ToolRun empty = RunTool({u"--file"_s, file, u"import-csv"_s, Path(u"empty.csv"_s)});
    EXPECT_EQ(empty.status, kExitOk) << empty.err.toStdString();
    EXPECT_EQ(empty.out, u"imported 0\n"_s);
    EXPECT_FALSE(QFileInfo::exists(file + u"BAK"_s));
}

TEST_F(CliToolTest, CsvExportIntoAFolderThatCannotBeWrittenFails)
{
    const QString file = SaveRich(u"rich.vrx"_s);
    const ToolRun run = RunTool({u"--file"_s, file, u"export-csv"_s, m_dir.path()});
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(run.err, u"error 241: "_s + GetText(241) + u'\n');
}

TEST_F(CliToolTest, SharedTaskListExportAddsEveryTaskEachTimeAndImportsBack)
{
    const QString file = SaveRich(u"rich.vrx"_s);
    const QString folder = Path(u"tasks"_s);
    for (int run = 1; run <= 2; ++run) {
        const ToolRun exported = RunTool({u"--file"_s, file, u"export-tasks"_s, folder});
        ASSERT_EQ(exported.status, kExitOk) << exported.err.toStdString();
        EXPECT_EQ(exported.out, u"exported 5\n"_s);
        EXPECT_EQ(QDir(folder).entryList({u"*.ics"_s}, QDir::Files).size(), 5 * run);
    }

    const QString copy = Path(u"copy.vrx"_s);
    const ToolRun imported = RunTool({u"--file"_s, copy, u"import-tasks"_s, folder});
    ASSERT_EQ(imported.status, kExitOk) << imported.err.toStdString();
    EXPECT_EQ(imported.out, u"imported 10\n"_s);
    const QJsonObject dump = ParseJson(RunTool({u"--file"_s, copy, u"dump"_s}).out);
    QStringList titles;
    for (const QJsonValue& task : dump[u"tasks"_s].toArray())
        titles << task.toObject()[u"title"_s].toString();
    titles.sort();
    EXPECT_EQ(titles.join(u','), u"Call bank,Call bank,Dentist,Dentist,Pack,Pack,Taxes,Taxes,Water,Water"_s);
}

TEST_F(CliToolTest, SharedTaskListImportFromAMissingFolderFails)
{
    const QString file = SaveRich(u"rich.vrx"_s);
    const QString folder = Path(u"nowhere"_s);
    const ToolRun run = RunTool({u"--file"_s, file, u"import-tasks"_s, folder});
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.err, u"error: There is no folder '"_s + folder + u"'.\n"_s);
    EXPECT_FALSE(QFileInfo::exists(file + u"BAK"_s));
}

// ---- generate

TEST_F(CliToolTest, GenerateWritesTheSameCalendarForTheSameSeedInEachForm)
{
    const QString first = Path(u"first.vrx"_s);
    const ToolRun run = RunTool({u"generate"_s, u"200"_s, first});
    ASSERT_EQ(run.status, kExitOk) << run.err.toStdString();
    EXPECT_EQ(run.out, u"generated 200\n"_s);
    const QJsonObject dump = ParseJson(RunTool({u"--file"_s, first, u"dump"_s}).out);
    EXPECT_EQ(dump[u"tasks"_s].toArray().size(), 200);
    EXPECT_EQ(dump[u"categories"_s].toArray().size(), 8);
    EXPECT_FALSE(dump[u"marks"_s].toArray().isEmpty());
    EXPECT_FALSE(dump[u"holidays"_s].toArray().isEmpty());

    const QString second = Path(u"second.vrx"_s);
    ASSERT_EQ(RunTool({u"generate"_s, u"200"_s, second, u"--seed"_s, u"20250616"_s}).status, kExitOk);
    EXPECT_EQ(ReadFileBytes(second), ReadFileBytes(first));
    const QString other = Path(u"other.vrx"_s);
    ASSERT_EQ(RunTool({u"generate"_s, u"200"_s, other, u"--seed"_s, u"7"_s}).status, kExitOk);
    EXPECT_NE(ReadFileBytes(other), ReadFileBytes(first));

    const QString csv = Path(u"tasks.csv"_s);
    ASSERT_EQ(RunTool({u"generate"_s, u"200"_s, csv}).status, kExitOk);
    EXPECT_EQ(RunTool({u"--file"_s, Path(u"fromcsv.vrx"_s), u"import-csv"_s, csv}).out, u"imported 200\n"_s);

    const QString folder = Path(u"tasks"_s);
    ASSERT_EQ(RunTool({u"generate"_s, u"30"_s, folder}).status, kExitOk);
    EXPECT_EQ(QDir(folder).entryList({u"*.ics"_s}, QDir::Files).size(), 30);
}

TEST_F(CliToolTest, GenerateProtectsADataFileWithTheNewPassword)
{
    const QString file = Path(u"locked.vrx"_s);
    ASSERT_EQ(RunTool({u"generate"_s, u"50"_s, file}, {{u"ORBELIN_NEW_PASSWORD"_s, u"sixteen-letters!"_s}}).status,
              kExitOk);
    CalendarStore store;
    EXPECT_EQ(Load(file, store), 207);
    EXPECT_EQ(Load(file, store, u"sixteen-letters!"_s), 0);
}

TEST_F(CliToolTest, GenerateLeavesAnExistingFileAloneUnlessForced)
{
    const QString file = SaveRich(u"rich.vrx"_s);
    const QByteArray before = ReadFileBytes(file);
    const ToolRun refused = RunTool({u"generate"_s, u"10"_s, file});
    EXPECT_EQ(refused.status, kExitFailed);
    EXPECT_EQ(refused.out, QString());
    EXPECT_EQ(refused.err, u"error: '"_s + file + u"' exists already; --force replaces it.\n"_s);
    EXPECT_EQ(ReadFileBytes(file), before);

    const ToolRun forced = RunTool({u"generate"_s, u"10"_s, file, u"--force"_s});
    EXPECT_EQ(forced.status, kExitOk) << forced.err.toStdString();
    CalendarStore store;
    ASSERT_EQ(Load(file, store), 0);
    EXPECT_EQ(store.TaskCount(), 10);
}

} // namespace
