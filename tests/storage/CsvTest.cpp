#include "storage/Csv.h"

#include "model/CalendarStore.h"
#include "model/LanguageModule.h"
#include "model/LastTaskId.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"
#include "support/TestTables.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

using testtables::PrintTo;
using testtables::RowName;

const PackedDate kMar14 = MakeDate(2009, 3, 14);
const PackedDate kMar15 = MakeDate(2009, 3, 15);

// What an exchange through CSV keeps of a task, the category by name.
struct TaskFacts
{
    QString title;
    PackedDate date = kNoDate;
    qint32 priority = kPriorityNormal;
    bool completed = false;
    QString category;
    QString note;

    bool operator==(const TaskFacts&) const = default;
};

void PrintTo(const TaskFacts& task, std::ostream* os)
{
    *os << '{' << task.title.toStdString() << " | " << YearOf(task.date) << '-' << MonthOf(task.date) << '-'
        << DayOf(task.date) << " | p" << task.priority << (task.completed ? " | done" : " | open") << " | "
        << task.category.toStdString() << " | " << QString(task.note).replace(u'\r', u'~').toStdString() << '}';
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString DataFile(const char* name)
{
    return TestDataDir() + QStringLiteral("/csv/") + QString::fromUtf8(name);
}

class CsvTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_savedLastId = LastTaskId::Value();
        m_store.ResetToDefaults();
    }

    void TearDown() override { LastTaskId::Set(m_savedLastId); }

    QString PathOf(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    QString Write(const char* name, const QByteArray& bytes) const
    {
        const QString path = PathOf(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return path;
    }

    int Add(CalendarStore& store, const TaskFacts& facts)
    {
        TaskRecord record;
        record.Title = facts.title;
        record.Date = facts.date;
        record.Priority = facts.priority;
        record.Completed = facts.completed ? 1 : 0;
        record.Note = facts.note;
        return store.AddTaskWithCategoryName(record, facts.category, true);
    }

    // Every task of a store in store order.
    static std::vector<TaskFacts> Tasks(const CalendarStore& store)
    {
        std::vector<TaskFacts> tasks;
        for (int position = 0; position < store.DayListCount(); ++position) {
            const DayList& day = store.DayListAt(position);
            for (const PriorityClass priorityClass : kPriorityClasses) {
                for (const qint32 index : day.ListOf(priorityClass)) {
                    const TaskRecord* task = store.GetTask(index);
                    const CategoryRecord* category = store.Categories().Get(task->Category);
                    tasks.push_back({task->Title, task->Date, task->Priority, task->Completed != 0,
                                     category ? category->Name : QString(), task->Note});
                }
            }
        }
        return tasks;
    }

    CsvImportResult Import(const QString& path, const QString& picture = QStringLiteral("M/d/yyyy"))
    {
        return ImportCsv(CsvColumns(), path, m_store, picture);
    }

    QTemporaryDir m_dir;
    CalendarStore m_store;
    quint32 m_savedLastId = 0;
};

} // namespace

// ---- Export

TEST_F(CsvTest, ExportWritesHeaderThenTasksInStoreOrder)
{
    Add(m_store, {u"Walk"_s, kMar15, kPriorityLow, false, GetText(251), QString()});
    Add(m_store, {u"Pay \"rent\", now"_s, kMar15, kPriorityHigh, true, GetText(250), QString()});
    Add(m_store, {u"Call Bob"_s, kMar15, kPriorityNormal, false, u"Garden, \"back\""_s, QString()});
    Add(m_store, {u"Plan trip"_s, MakeDate(2051, 1, 2), kPriorityNormal, false, GetText(249), QString()});
    Add(m_store, {u"Water plants"_s, kMar14, kPriorityNormal, false, GetText(249), QString()});
    Add(m_store, {u"Someday"_s, kNoDate, kPriorityLow, false, GetText(249),
                  u"first line\r\nsecond \u00E9\rline"_s});

    const QString path = PathOf("out.csv");
    ASSERT_TRUE(ExportCsv(path, m_store));
    const QByteArray golden = ReadBytes(DataFile("export-small.csv"));
    ASSERT_FALSE(golden.isEmpty());
    const QByteArray written = ReadBytes(path);
    EXPECT_TRUE(written == golden) << "written:\n" << written.toStdString();
}

TEST_F(CsvTest, ExportOfEmptyStoreIsTheHeaderAlone)
{
    const QString path = PathOf("out.csv");
    ASSERT_TRUE(ExportCsv(path, m_store));
    EXPECT_EQ(ReadBytes(path), QByteArray("\"Title\",\"Date\",\"Status\",\"Priority\",\"Category\",\"Note\"\n"));
}

TEST_F(CsvTest, ExportReplacesAnExistingFile)
{
    const QString path = Write("out.csv", QByteArray(4096, 'x'));
    Add(m_store, {u"Walk"_s, kNoDate, kPriorityNormal, false, QString(), QString()});
    ASSERT_TRUE(ExportCsv(path, m_store));
    EXPECT_TRUE(ReadBytes(path).endsWith("\"Walk\",,\"Not Completed\",\"Normal\",\"General\",\n"));
    EXPECT_FALSE(ReadBytes(path).contains('x'));
}

TEST_F(CsvTest, ExportToAPlaceThatCannotBeWrittenFails)
{
    EXPECT_FALSE(ExportCsv(PathOf("missing-folder/out.csv"), m_store));
    EXPECT_FALSE(ExportCsv(m_dir.path(), m_store));
    EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files).isEmpty());
}

// ---- Import

TEST_F(CsvTest, ExportThenImportGivesTheSameTasks)
{
    CalendarStore source;
    source.ResetToDefaults();
    const std::vector<TaskFacts> tasks = {
        {u"Someday"_s, kNoDate, kPriorityHigh, false, u"Garden"_s, u"two\r\nlines"_s},
        {u"Say \"hello\", twice"_s, kNoDate, kPriorityNormal, true, GetText(249), QString()},
        {u"Water plants"_s, kMar14, kPriorityLow, true, u"Garden"_s, u"lone\rreturn \"quoted\""_s},
        {u"Pay rent"_s, kMar15, kPriorityHigh, false, GetText(250), u"a,b\r\n\r\nc"_s},
        {u"Long ago"_s, MakeDate(1901, 12, 31), kPriorityNormal, false, u"\u65E5\u672C"_s, QString()},
        {u"Far ahead"_s, MakeDate(2150, 2, 28), kPriorityLow, false, GetText(251), QString()},
    };
    for (const TaskFacts& task : tasks)
        ASSERT_GE(Add(source, task), 0);
    const QString path = PathOf("round.csv");
    ASSERT_TRUE(ExportCsv(path, source));

    const int categoriesBefore = m_store.Categories().Count();
    const CsvImportResult result = ImportCsv(CsvColumns(), path, m_store);
    EXPECT_EQ(result.ErrorText, 0);
    EXPECT_EQ(result.Count, int(tasks.size()));
    EXPECT_EQ(Tasks(m_store), Tasks(source));
    EXPECT_EQ(m_store.Categories().Count(), categoriesBefore + 2); // Garden and the kanji one
    EXPECT_TRUE(m_store.Modified());
}

TEST_F(CsvTest, ImportReadsEveryKindOfRecord)
{
    const int categoriesBefore = m_store.Categories().Count();
    const CsvImportResult result = Import(DataFile("mixed-records.csv"));
    EXPECT_EQ(result.ErrorText, 0);
    const std::vector<TaskFacts> expected = {
        {GetText(196), kNoDate, kPriorityHigh, false, GetText(249), u"title was empty"_s},
        {u"No date"_s, kNoDate, kPriorityNormal, false, u"Garden"_s, QString()},
        {u"Unreadable date"_s, kNoDate, kPriorityNormal, false, u"Garden"_s, QString()},
        {u"Low wins"_s, kNoDate, kPriorityLow, false, GetText(249), QString()},
        {u"Full year"_s, kMar15, kPriorityHigh, true, u"Garden"_s, u"line one\r\nline two"_s},
        {u"Short year"_s, kMar15, kPriorityNormal, false, GetText(250), QString()},
        {u"Completed is exact"_s, kMar15, kPriorityNormal, false, GetText(250), QString()},
    };
    EXPECT_EQ(result.Count, int(expected.size()));
    EXPECT_EQ(Tasks(m_store), expected);
    EXPECT_EQ(m_store.Categories().Count(), categoriesBefore + 1);
    EXPECT_GE(m_store.FindCategory(u"Garden"_s), 0);
}

TEST_F(CsvTest, ImportReadsAFileFromAnotherProgram)
{
    const CsvImportResult result = Import(DataFile("other-program.csv"));
    const std::vector<TaskFacts> expected = {
        {u"Buy milk, eggs"_s, kNoDate, kPriorityNormal, false, u"Errands"_s, u"the \"good\" milk"_s},
        {u"Send \"final\" report"_s, kMar14, kPriorityHigh, true, GetText(250), u"to: boss\r\ncc: team"_s},
        {u"Dentist"_s, kMar15, kPriorityLow, false, u"Health, \"teeth\""_s, QString()},
    };
    EXPECT_EQ(result.ErrorText, 0);
    EXPECT_EQ(result.Count, int(expected.size()));
    EXPECT_EQ(Tasks(m_store), expected);
}

TEST_F(CsvTest, ByteOrderMarkChangesNothing)
{
    const QByteArray bytes = ReadBytes(DataFile("other-program.csv"));
    ASSERT_FALSE(bytes.isEmpty());
    ASSERT_EQ(Import(Write("plain.csv", bytes)).Count, 3);
    const std::vector<TaskFacts> plain = Tasks(m_store);

    CalendarStore marked;
    marked.ResetToDefaults();
    const CsvImportResult result = ImportCsv(CsvColumns(), Write("marked.csv", "\xEF\xBB\xBF" + bytes), marked,
                                             QStringLiteral("M/d/yyyy"));
    EXPECT_EQ(result.Count, 3);
    EXPECT_EQ(Tasks(marked), plain);
}

TEST_F(CsvTest, ImportAddsToTheTasksThereAre)
{
    Add(m_store, {u"Already here"_s, kMar15, kPriorityHigh, false, GetText(249), QString()});
    const QString path = Write("in.csv", "header\n\"New\",\"3/15/2009\",,\"High\",,\n");
    EXPECT_EQ(Import(path).Count, 1);
    ASSERT_EQ(Tasks(m_store).size(), 2u);
    EXPECT_EQ(Tasks(m_store)[0].title, u"Already here"_s);
    EXPECT_EQ(Tasks(m_store)[1].title, u"New"_s);
}

namespace {

struct CountRow
{
    std::string name;
    const char* content;
    int count;
};

const CountRow kCountRows[] = {
    {"EmptyFile", "", 0},
    {"HeaderOnly", "Title,Date,Status,Priority,Category,Note\n", 0},
    {"HeaderWithoutLineEnd", "Title,Date,Status,Priority,Category,Note", 0},
    {"LastRecordWithoutLineEnd", "h\nA,,,Normal,,\nB,,,Normal,,", 2},
    {"LastRecordAfterCrWithoutLf", "h\rA,,,Normal,,\rB,,,Normal,,\r", 2},
    {"FiveFieldsSkipped", "h\nA,,,Normal,\nB,,,Normal,,\n", 1},
    {"SevenFieldsSkipped", "h\nA,,,Normal,,,\nB,,,Normal,,\n", 1},
    {"NoPriorityWordSkipped", "h\nA,,,Urgent,,\nB,,,normal,,\nC,,,Normal,,\n", 1},
    {"BlankLinesSkipped", "h\n\nA,,,Normal,,\n\r\n\nB,,,Low,,\n\n", 2},
    {"FirstRecordIsAlwaysTheHeader", "A,,,Normal,,\nB,,,Normal,,\n", 1},
    {"UnclosedQuoteTakesTheRest", "h\n\"A,,,Normal,,\nB,,,Normal,,\n", 0},
    {"NulOutsideQuotesEndsRecord", "h\nA,,,Normal,,\0B,,,Normal,,\n", 1},
};

class CsvImportCountTest : public CsvTest, public testing::WithParamInterface<CountRow>
{
};

TEST_P(CsvImportCountTest, CountsTheTasksAdded)
{
    const CountRow& row = GetParam();
    const QString path = Write("in.csv", QByteArray(row.content, qsizetype(std::char_traits<char>::length(row.content))));
    const CsvImportResult result = Import(path);
    EXPECT_EQ(result.ErrorText, 0);
    EXPECT_EQ(result.Count, row.count);
    EXPECT_EQ(int(Tasks(m_store).size()), row.count);
    EXPECT_EQ(m_store.Modified(), row.count > 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, CsvImportCountTest, testing::ValuesIn(kCountRows), RowName<CountRow>);

} // namespace

TEST_F(CsvTest, PictureWithoutYearMonthOrDayImportsNothing)
{
    const QString path = Write("in.csv", "h\n\"A\",\"3/15/2009\",,\"High\",\"Garden\",\n");
    const int categories = m_store.Categories().Count();
    for (const auto& [picture, text] : {std::pair{u"M/d"_s, 270}, {u"d/yyyy"_s, 271}, {u"M/yyyy"_s, 272}}) {
        const CsvImportResult result = Import(path, picture);
        EXPECT_EQ(result.ErrorText, text) << picture.toStdString();
        EXPECT_EQ(result.Count, 0);
    }
    EXPECT_TRUE(Tasks(m_store).empty());
    EXPECT_EQ(m_store.Categories().Count(), categories);
    EXPECT_FALSE(m_store.Modified());
}

TEST_F(CsvTest, FileThatCannotBeReadIsReported)
{
    const CsvImportResult result = Import(PathOf("none.csv"));
    EXPECT_EQ(result.ErrorText, 206);
    EXPECT_EQ(result.Count, 0);
    EXPECT_FALSE(m_store.Modified());
}

TEST_F(CsvTest, FileThatIsNotUtf8ImportsWithReplacementCharacters)
{
    const QString path = Write("in.csv", "h\n\"Caf\xE9\",\"3/15/2009\",,\"Low\",\"\xFF\xFE\",\"\x80\"\n");
    EXPECT_EQ(Import(path).Count, 1);
    const std::vector<TaskFacts> expected = {
        {u"Caf\uFFFD"_s, kMar15, kPriorityLow, false, u"\uFFFD\uFFFD"_s, u"\uFFFD"_s}};
    EXPECT_EQ(Tasks(m_store), expected);
}

// The locale's own picture (M/d/yy in the tests) reads what the export wrote.
TEST_F(CsvTest, ImportWithTheLocalePictureReadsFullAndShortYears)
{
    const QString path = Write("in.csv", "h\n\"A\",\"3/15/2009\",,\"High\",,\n\"B\",\"3/15/09\",,\"High\",,\n");
    EXPECT_EQ(ImportCsv(CsvColumns(), path, m_store).Count, 2);
    ASSERT_EQ(Tasks(m_store).size(), 2u);
    EXPECT_EQ(Tasks(m_store)[0].date, kMar15);
    EXPECT_EQ(Tasks(m_store)[1].date, kMar15);
}
