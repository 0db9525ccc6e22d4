#include "platform/core/VdirTaskList.h"

#include "storage/TaskListDate.h"
#include "storage/TaskListItem.h"
#include "storage/TaskListSession.h"
#include "support/TestTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>

#include <libical/ical.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct ComponentFree
{
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentFree>;

const QString kCrlf = QStringLiteral("\r\n");

// A calendar file holding one VTODO with these content lines.
QByteArray TodoFile(const QStringList& lines)
{
    QStringList all{QStringLiteral("BEGIN:VCALENDAR"), QStringLiteral("VERSION:2.0"),
                    QStringLiteral("PRODID:-//Test//Test//EN"), QStringLiteral("BEGIN:VTODO")};
    all += lines;
    all += {QStringLiteral("END:VTODO"), QStringLiteral("END:VCALENDAR")};
    return (all.join(kCrlf) + kCrlf).toUtf8();
}

double DayCount(int year, int month, int day)
{
    return DateFromPacked(MakeDate(year, month, day));
}

class VdirTaskListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.filePath(QStringLiteral("tasks"));
        ASSERT_TRUE(QDir().mkpath(m_folder));
    }

    void WriteFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(QDir(m_folder).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    // A session with its task folder open.
    std::unique_ptr<TaskListSession> Open()
    {
        VdirTaskList list(m_folder);
        std::unique_ptr<TaskListSession> session;
        EXPECT_TRUE(list.Logon(session));
        EXPECT_TRUE(session && session->OpenTaskFolder());
        return session;
    }

    int Count()
    {
        int count = -1;
        auto session = Open();
        EXPECT_TRUE(session->GetCount(count));
        return count;
    }

    std::unique_ptr<TaskListItem> ItemAt(TaskListSession& session, int position)
    {
        std::unique_ptr<TaskListItem> item;
        EXPECT_TRUE(session.Item(position, item));
        return item;
    }

    QString Subject(const TaskListItem& item)
    {
        QString subject;
        EXPECT_TRUE(item.GetSubject(subject));
        return subject;
    }

    QStringList IcsFiles() const
    {
        return QDir(m_folder).entryList({QStringLiteral("*.ics")}, QDir::Files, QDir::Name);
    }

    QByteArray ReadFile(const QString& name) const
    {
        QFile file(QDir(m_folder).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    ComponentPtr ParseFile(const QString& name) const
    {
        return ComponentPtr(icalparser_parse_string(ReadFile(name).constData()));
    }

    // A new task with every field set, saved; the name of its file.
    QString SaveNewTask(const QString& subject)
    {
        auto session = Open();
        std::unique_ptr<TaskListItem> item;
        EXPECT_TRUE(session->Add(item));
        EXPECT_TRUE(item->PutSubject(subject));
        EXPECT_TRUE(item->PutBody(QStringLiteral("Bring the list, the keys; and\nthe second line")));
        EXPECT_TRUE(item->PutCategories(QStringLiteral("Home")));
        EXPECT_TRUE(item->PutComplete(1));
        EXPECT_TRUE(item->PutImportance(kImportanceHigh));
        EXPECT_TRUE(item->PutDueDate(DayCount(2024, 3, 5)));
        const QStringList before = IcsFiles();
        EXPECT_TRUE(item->Save());
        QStringList after = IcsFiles();
        for (const QString& name : before)
            after.removeOne(name);
        EXPECT_EQ(after.size(), 1);
        return after.value(0);
    }

    QTemporaryDir m_dir;
    QString m_folder;
};

TEST_F(VdirTaskListTest, LogonCreatesTheMissingFolderWithAnEmptyCollection)
{
    const QString folder = m_dir.filePath(QStringLiteral("deep/new/tasks"));
    VdirTaskList list(folder);
    std::unique_ptr<TaskListSession> session;
    ASSERT_TRUE(list.Logon(session));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    ASSERT_TRUE(session->OpenTaskFolder());
    int count = -1;
    EXPECT_TRUE(session->GetCount(count));
    EXPECT_EQ(count, 0);
}

TEST_F(VdirTaskListTest, LogonFailsWithoutAFolderToUse)
{
    WriteFile(QStringLiteral("plain"), "not a folder");
    for (const QString& folder : {QString(), QDir(m_folder).filePath(QStringLiteral("plain/tasks"))}) {
        VdirTaskList list(folder);
        std::unique_ptr<TaskListSession> session;
        EXPECT_FALSE(list.Logon(session)) << folder.toStdString();
        EXPECT_EQ(session, nullptr);
    }
}

TEST_F(VdirTaskListTest, CollectionNeedsAnOpenFolder)
{
    VdirTaskList list(m_folder);
    std::unique_ptr<TaskListSession> session;
    ASSERT_TRUE(list.Logon(session));
    int count = 0;
    std::unique_ptr<TaskListItem> item;
    EXPECT_FALSE(session->GetCount(count));
    EXPECT_FALSE(session->Add(item));
    ASSERT_TRUE(session->OpenTaskFolder());
    EXPECT_TRUE(session->Add(item));
    session->Logoff();
    EXPECT_FALSE(session->GetCount(count));
    EXPECT_FALSE(session->Item(1, item));
}

TEST_F(VdirTaskListTest, SavedTaskIsOneValidCalendarFileNamedByItsUid)
{
    const QString name = SaveNewTask(QStringLiteral("Call Anna"));
    ASSERT_TRUE(name.endsWith(QStringLiteral(".ics")));
    ComponentPtr calendar = ParseFile(name);
    ASSERT_NE(calendar, nullptr);
    ASSERT_EQ(icalcomponent_isa(calendar.get()), ICAL_VCALENDAR_COMPONENT);
    icalproperty* version = icalcomponent_get_first_property(calendar.get(), ICAL_VERSION_PROPERTY);
    ASSERT_NE(version, nullptr);
    EXPECT_STREQ(icalproperty_get_version(version), "2.0");
    icalproperty* prodid = icalcomponent_get_first_property(calendar.get(), ICAL_PRODID_PROPERTY);
    ASSERT_NE(prodid, nullptr);
    EXPECT_STREQ(icalproperty_get_prodid(prodid), "-//Corvane Software//Orbelin Planner//EN");
    EXPECT_EQ(icalcomponent_count_components(calendar.get(), ICAL_ANY_COMPONENT), 1);

    icalcomponent* todo = icalcomponent_get_first_component(calendar.get(), ICAL_VTODO_COMPONENT);
    ASSERT_NE(todo, nullptr);
    EXPECT_EQ(QString::fromUtf8(icalcomponent_get_uid(todo)) + QStringLiteral(".ics"), name);
    EXPECT_FALSE(QUuid::fromString(QString::fromUtf8(icalcomponent_get_uid(todo))).isNull());
    const icaltimetype stamp = icalcomponent_get_dtstamp(todo);
    EXPECT_FALSE(icaltime_is_null_time(stamp));
    EXPECT_TRUE(icaltime_is_utc(stamp));
    EXPECT_STREQ(icalcomponent_get_summary(todo), "Call Anna");
    EXPECT_STREQ(icalcomponent_get_description(todo), "Bring the list, the keys; and\nthe second line");
    icalproperty* categories = icalcomponent_get_first_property(todo, ICAL_CATEGORIES_PROPERTY);
    ASSERT_NE(categories, nullptr);
    EXPECT_STREQ(icalproperty_get_categories(categories), "Home");
    EXPECT_EQ(icalcomponent_get_status(todo), ICAL_STATUS_COMPLETED);
    icalproperty* priority = icalcomponent_get_first_property(todo, ICAL_PRIORITY_PROPERTY);
    ASSERT_NE(priority, nullptr);
    EXPECT_EQ(icalproperty_get_priority(priority), 1);
    const icaltimetype due = icalcomponent_get_due(todo);
    EXPECT_TRUE(due.is_date);
    EXPECT_EQ(due.year, 2024);
    EXPECT_EQ(due.month, 3);
    EXPECT_EQ(due.day, 5);

    // The text as other programs read it: escaped, the due date a DATE value.
    const QByteArray text = ReadFile(name);
    EXPECT_TRUE(text.contains("DESCRIPTION:Bring the list\\, the keys\\; and\\nthe second line"));
    EXPECT_TRUE(text.contains("DUE;VALUE=DATE:20240305\r\n"));
}

TEST_F(VdirTaskListTest, SavedTaskReadsBackWithTheSameValues)
{
    SaveNewTask(QStringLiteral("Call Anna"));
    auto session = Open();
    auto item = ItemAt(*session, 1);
    QString body, categories;
    qint16 complete = 0;
    int importance = -1;
    double due = 0;
    EXPECT_EQ(Subject(*item), QStringLiteral("Call Anna"));
    EXPECT_TRUE(item->GetBody(body));
    EXPECT_EQ(body, QStringLiteral("Bring the list, the keys; and\nthe second line"));
    EXPECT_TRUE(item->GetCategories(categories));
    EXPECT_EQ(categories, QStringLiteral("Home"));
    EXPECT_TRUE(item->GetComplete(complete));
    EXPECT_EQ(complete, kCompleteTrue);
    EXPECT_TRUE(item->GetImportance(importance));
    EXPECT_EQ(importance, kImportanceHigh);
    EXPECT_TRUE(item->GetDueDate(due));
    EXPECT_EQ(due, DayCount(2024, 3, 5));
}

TEST_F(VdirTaskListTest, EmptyValuesLeaveTheirPropertiesOut)
{
    auto session = Open();
    std::unique_ptr<TaskListItem> item;
    ASSERT_TRUE(session->Add(item));
    ASSERT_TRUE(item->PutSubject(QStringLiteral("Plain")));
    ASSERT_TRUE(item->PutBody(QStringLiteral("gone again")));
    ASSERT_TRUE(item->PutCategories(QStringLiteral("gone again")));
    ASSERT_TRUE(item->PutDueDate(DayCount(2024, 3, 5)));
    ASSERT_TRUE(item->PutBody(QString()));
    ASSERT_TRUE(item->PutCategories(QString()));
    ASSERT_TRUE(item->PutDueDate(kMissingDueDate));
    ASSERT_TRUE(item->PutComplete(0));
    ASSERT_TRUE(item->Save());

    ComponentPtr calendar = ParseFile(IcsFiles().value(0));
    ASSERT_NE(calendar, nullptr);
    icalcomponent* todo = icalcomponent_get_first_component(calendar.get(), ICAL_VTODO_COMPONENT);
    ASSERT_NE(todo, nullptr);
    EXPECT_EQ(icalcomponent_count_properties(todo, ICAL_DESCRIPTION_PROPERTY), 0);
    EXPECT_EQ(icalcomponent_count_properties(todo, ICAL_CATEGORIES_PROPERTY), 0);
    EXPECT_EQ(icalcomponent_count_properties(todo, ICAL_DUE_PROPERTY), 0);
    EXPECT_EQ(icalcomponent_count_properties(todo, ICAL_SUMMARY_PROPERTY), 1);
    EXPECT_EQ(icalcomponent_get_status(todo), ICAL_STATUS_NEEDSACTION);
}

TEST_F(VdirTaskListTest, ImportanceIsWrittenAsPriorityOneFiveNine)
{
    const std::vector<std::pair<int, int>> cases{
        {kImportanceHigh, 1}, {kImportanceNormal, 5}, {kImportanceLow, 9}};
    for (const auto& [importance, priority] : cases) {
        auto session = Open();
        std::unique_ptr<TaskListItem> item;
        ASSERT_TRUE(session->Add(item));
        ASSERT_TRUE(item->PutSubject(QStringLiteral("Task")));
        ASSERT_TRUE(item->PutImportance(importance));
        ASSERT_TRUE(item->Save());
    }
    std::vector<int> written;
    for (const QString& name : IcsFiles()) {
        ComponentPtr calendar = ParseFile(name);
        icalcomponent* todo = icalcomponent_get_first_component(calendar.get(), ICAL_VTODO_COMPONENT);
        written.push_back(icalproperty_get_priority(icalcomponent_get_first_property(todo, ICAL_PRIORITY_PROPERTY)));
    }
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<int>{1, 5, 9}));
}

TEST_F(VdirTaskListTest, ValuesTheFileCannotHoldAreRefused)
{
    auto session = Open();
    std::unique_ptr<TaskListItem> item;
    ASSERT_TRUE(session->Add(item));
    EXPECT_FALSE(item->PutImportance(3));
    EXPECT_FALSE(item->PutImportance(-1));
    EXPECT_FALSE(item->PutDueDate(std::nan("")));
    EXPECT_FALSE(item->PutDueDate(HUGE_VAL));
    EXPECT_FALSE(item->PutDueDate(DayCount(10000, 1, 1)));
    EXPECT_TRUE(item->PutDueDate(DayCount(9999, 12, 31)));
}

TEST_F(VdirTaskListTest, ReopenedTaskLosesItsCompletionMarks)
{
    WriteFile(QStringLiteral("done.ics"), TodoFile({QStringLiteral("UID:done"), QStringLiteral("SUMMARY:Done"),
                                                    QStringLiteral("STATUS:COMPLETED"),
                                                    QStringLiteral("COMPLETED:20240301T100000Z"),
                                                    QStringLiteral("PERCENT-COMPLETE:100")}));
    auto session = Open();
    auto item = ItemAt(*session, 1);
    ASSERT_TRUE(item->PutComplete(0));
    ASSERT_TRUE(item->Save());

    auto again = ItemAt(*Open(), 1);
    qint16 complete = kCompleteTrue;
    EXPECT_TRUE(again->GetComplete(complete));
    EXPECT_EQ(complete, kCompleteFalse);
    const QByteArray text = ReadFile(QStringLiteral("done.ics"));
    EXPECT_FALSE(text.contains("PERCENT-COMPLETE"));
    EXPECT_TRUE(text.contains("STATUS:NEEDS-ACTION"));
}

// ---- Reading the properties other programs write.

struct ItemValues
{
    QString subject = QStringLiteral("Task");
    QString body;
    QString categories;
    qint16 complete = kCompleteFalse;
    int importance = kImportanceNormal;
    double due = kMissingDueDate;

    bool operator==(const ItemValues&) const = default;
};

void PrintTo(const ItemValues& v, std::ostream* os)
{
    *os << "{subject \"" << v.subject.toStdString() << "\", body \"" << v.body.toStdString() << "\", categories \""
        << v.categories.toStdString() << "\", complete " << v.complete << ", importance " << v.importance
        << ", due " << v.due << "}";
}

ItemValues ReadValues(const TaskListItem& item)
{
    ItemValues v{.subject = QStringLiteral("unread"), .complete = 7, .importance = 7, .due = -7};
    EXPECT_TRUE(item.GetSubject(v.subject));
    EXPECT_TRUE(item.GetBody(v.body));
    EXPECT_TRUE(item.GetCategories(v.categories));
    EXPECT_TRUE(item.GetComplete(v.complete));
    EXPECT_TRUE(item.GetImportance(v.importance));
    EXPECT_TRUE(item.GetDueDate(v.due));
    return v;
}

struct ReadRow
{
    std::string name;
    QStringList lines; // besides UID
    ItemValues expected;
};
using testtables::PrintTo;

class VdirReadTest : public VdirTaskListTest, public ::testing::WithParamInterface<ReadRow>
{
};

TEST_P(VdirReadTest, ReadsTheTaskAsWritten)
{
    QStringList lines{QStringLiteral("UID:row")};
    lines += GetParam().lines;
    WriteFile(QStringLiteral("row.ics"), TodoFile(lines));
    auto session = Open();
    auto item = ItemAt(*session, 1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(ReadValues(*item), GetParam().expected);
}

QStringList Lines(std::initializer_list<const char*> lines)
{
    QStringList out;
    for (const char* line : lines)
        out.append(QString::fromUtf8(line));
    return out;
}

ReadRow Priority(const char* name, const char* line, int importance)
{
    QStringList lines{QStringLiteral("SUMMARY:Task")};
    if (*line)
        lines.append(QString::fromUtf8(line));
    return {name, lines, {.importance = importance}};
}

ReadRow Due(const char* name, const char* line, double due)
{
    return {name, Lines({"SUMMARY:Task", line}), {.due = due}};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, VdirReadTest,
    ::testing::Values(
        ReadRow{"EveryField",
                Lines({"SUMMARY:Call Anna\\, then Ben", "DESCRIPTION:First line\\nsecond\\, with comma\\; semicolon",
                       "CATEGORIES:Work", "STATUS:NEEDS-ACTION", "PRIORITY:2", "DUE;VALUE=DATE:20240315"}),
                {QStringLiteral("Call Anna, then Ben"), QStringLiteral("First line\nsecond, with comma; semicolon"),
                 QStringLiteral("Work"), kCompleteFalse, kImportanceHigh, DayCount(2024, 3, 15)}},
        ReadRow{"NoSummary", {}, {.subject = QString()}},
        ReadRow{"CategoriesListOnOneLine", Lines({"SUMMARY:Task", "CATEGORIES:Home,Garden"}),
                {.categories = QStringLiteral("Home,Garden")}},
        ReadRow{"CategoriesOnSeveralLines", Lines({"SUMMARY:Task", "CATEGORIES:Home", "CATEGORIES:Garden,Shed"}),
                {.categories = QStringLiteral("Home,Garden,Shed")}},
        ReadRow{"StatusCompleted", Lines({"SUMMARY:Task", "STATUS:COMPLETED"}), {.complete = kCompleteTrue}},
        ReadRow{"CompletedTimeOnly", Lines({"SUMMARY:Task", "COMPLETED:20240301T100000Z"}),
                {.complete = kCompleteTrue}},
        ReadRow{"StatusInProcess", Lines({"SUMMARY:Task", "STATUS:IN-PROCESS"}), {.complete = kCompleteFalse}},
        Priority("PriorityMissing", "", kImportanceNormal), Priority("PriorityZero", "PRIORITY:0", kImportanceNormal),
        Priority("PriorityOne", "PRIORITY:1", kImportanceHigh), Priority("PriorityFour", "PRIORITY:4", kImportanceHigh),
        Priority("PriorityFive", "PRIORITY:5", kImportanceNormal), Priority("PrioritySix", "PRIORITY:6", kImportanceLow),
        Priority("PriorityNine", "PRIORITY:9", kImportanceLow),
        Due("DueDateTimeWithTimeZone", "DUE;TZID=Europe/Berlin:20240315T233000", DayCount(2024, 3, 15)),
        Due("DueDateTimeUtc", "DUE:20240315T233000Z", DayCount(2024, 3, 15)),
        Due("DueDateTimeFloating", "DUE:20240229T000000", DayCount(2024, 2, 29)),
        ReadRow{"NoDue", Lines({"SUMMARY:Task", "DTSTART;VALUE=DATE:20240301"}), {}}),
    testtables::RowName<ReadRow>);

TEST_F(VdirTaskListTest, CollectionHoldsTheFirstTaskOfEachCalendarFileInNameOrder)
{
    WriteFile(QStringLiteral("b.ics"), TodoFile({QStringLiteral("UID:b"), QStringLiteral("SUMMARY:Second")}));
    WriteFile(QStringLiteral("a.ics"), TodoFile({QStringLiteral("UID:a"), QStringLiteral("SUMMARY:First")}));
    WriteFile(QStringLiteral("c.ics"), "this is not a calendar\r\n\x01\x02");
    WriteFile(QStringLiteral("d.ics"), "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VEVENT\r\nUID:e\r\n"
                                       "SUMMARY:Meeting\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    WriteFile(QStringLiteral("e.ics"), TodoFile({QStringLiteral("UID:e"), QStringLiteral("SUMMARY:Broken")})
                                           .chopped(30));
    WriteFile(QStringLiteral("f.ics"), QByteArray());
    WriteFile(QStringLiteral("g.txt"), TodoFile({QStringLiteral("UID:g"), QStringLiteral("SUMMARY:Text file")}));
    ASSERT_TRUE(QDir(m_folder).mkdir(QStringLiteral("h.ics")));
    WriteFile(QStringLiteral("i.ics"), "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VTODO\r\nUID:i1\r\n"
                                       "SUMMARY:Third\r\nEND:VTODO\r\nBEGIN:VTODO\r\nUID:i2\r\nSUMMARY:Not read\r\n"
                                       "END:VTODO\r\nEND:VCALENDAR\r\n");
    // The suffix in any case counts; hidden files do not.
    WriteFile(QStringLiteral("j.ICS"), TodoFile({QStringLiteral("UID:j"), QStringLiteral("SUMMARY:Fourth")}));
    WriteFile(QStringLiteral(".k.ics"), TodoFile({QStringLiteral("UID:k"), QStringLiteral("SUMMARY:Hidden")}));

    auto session = Open();
    int count = 0;
    ASSERT_TRUE(session->GetCount(count));
    ASSERT_EQ(count, 4);
    EXPECT_EQ(Subject(*ItemAt(*session, 1)), QStringLiteral("First"));
    EXPECT_EQ(Subject(*ItemAt(*session, 2)), QStringLiteral("Second"));
    EXPECT_EQ(Subject(*ItemAt(*session, 3)), QStringLiteral("Third"));
    EXPECT_EQ(Subject(*ItemAt(*session, 4)), QStringLiteral("Fourth"));
    std::unique_ptr<TaskListItem> item;
    EXPECT_FALSE(session->Item(0, item));
    EXPECT_FALSE(session->Item(5, item));
    EXPECT_EQ(item, nullptr);
}

TEST_F(VdirTaskListTest, SavingATaskReadFromAFileRewritesThatFileKeepingWhatItDoesNotKnow)
{
    WriteFile(QStringLiteral("from-elsewhere.ics"),
              "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\n"
              "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
              "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
              "BEGIN:VTODO\r\nUID:kept-uid\r\nSUMMARY:Old\r\nX-OTHER-APP:kept\r\n"
              "DUE;TZID=Europe/Berlin:20240315T100000\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
    auto item = ItemAt(*Open(), 1);
    ASSERT_TRUE(item->PutSubject(QStringLiteral("New")));
    ASSERT_TRUE(item->Save());

    EXPECT_EQ(IcsFiles(), QStringList{QStringLiteral("from-elsewhere.ics")});
    ComponentPtr calendar = ParseFile(QStringLiteral("from-elsewhere.ics"));
    ASSERT_NE(calendar, nullptr);
    EXPECT_NE(icalcomponent_get_first_component(calendar.get(), ICAL_VTIMEZONE_COMPONENT), nullptr);
    icalcomponent* todo = icalcomponent_get_first_component(calendar.get(), ICAL_VTODO_COMPONENT);
    ASSERT_NE(todo, nullptr);
    EXPECT_STREQ(icalcomponent_get_uid(todo), "kept-uid");
    EXPECT_STREQ(icalcomponent_get_summary(todo), "New");
    EXPECT_TRUE(ReadFile(QStringLiteral("from-elsewhere.ics")).contains("X-OTHER-APP:kept"));
    EXPECT_FALSE(icaltime_is_null_time(icalcomponent_get_dtstamp(todo)));
}

TEST_F(VdirTaskListTest, BareTaskIsReadAndSavedInsideACalendar)
{
    WriteFile(QStringLiteral("bare.ics"), "BEGIN:VTODO\r\nSUMMARY:Bare\r\nEND:VTODO\r\n");
    auto session = Open();
    auto item = ItemAt(*session, 1);
    EXPECT_EQ(Subject(*item), QStringLiteral("Bare"));
    ASSERT_TRUE(item->Save());

    ComponentPtr calendar = ParseFile(QStringLiteral("bare.ics"));
    ASSERT_NE(calendar, nullptr);
    ASSERT_EQ(icalcomponent_isa(calendar.get()), ICAL_VCALENDAR_COMPONENT);
    EXPECT_NE(icalcomponent_get_first_property(calendar.get(), ICAL_PRODID_PROPERTY), nullptr);
    icalcomponent* todo = icalcomponent_get_first_component(calendar.get(), ICAL_VTODO_COMPONENT);
    ASSERT_NE(todo, nullptr);
    EXPECT_NE(icalcomponent_get_uid(todo), nullptr);
}

TEST_F(VdirTaskListTest, SaveFailsWhenTheFolderIsGone)
{
    auto session = Open();
    std::unique_ptr<TaskListItem> item;
    ASSERT_TRUE(session->Add(item));
    ASSERT_TRUE(item->PutSubject(QStringLiteral("Lost")));
    ASSERT_TRUE(QDir(m_folder).removeRecursively());
    EXPECT_FALSE(item->Save());
}

} // namespace
