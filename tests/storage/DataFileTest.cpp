#include "storage/DataFile.h"

#include "model/CalendarStore.h"
#include "model/Clock.h"
#include "model/HolidayList.h"
#include "model/LanguageModule.h"
#include "model/LastTaskId.h"
#include "model/ViewState.h"
#include "storage/CCryptMemFile.h"
#include "storage/PasswordKey.h"
#include "support/FileBytes.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const PackedDate kFeb1 = MakeDate(2009, 2, 1);
const PackedDate kMar15 = MakeDate(2009, 3, 15);
const PackedDate kMar16 = MakeDate(2009, 3, 16);
const PackedDate kMar20 = MakeDate(2009, 3, 20);
const PackedDate kMar21 = MakeDate(2009, 3, 21);

// The small plain file of one category Work and one High task Call, row by row.
const char kWorkedExampleHex[] =
    "63610A00"                                                 // header, plain
    "140000005B004300310031005F00460049004C0045005D00"         // "[C11_FILE]"
    "0C0000005B004D00410052004B005D00"                         // "[MARK]"
    "00000000"                                                 // no day marks
    "140000005B00430041005400450047004F00520059005D00"         // "[CATEGORY]"
    "01000000"                                                 // one category
    "0800000057006F0072006B00"                                 // name Work
    "0100000000000000FF808000"                                 // icon 1, reserved 0, colour
    "100000005B004100470045004E00440041005D00"                 // "[AGENDA]"
    "01000000"                                                 // one day group
    "05000000"                                                 // last unique id 5
    "0F937D0001000000"                                         // group date, one task
    "05000000010000000000000000000000000000000F937D00"         // id, High, open, category 0, icon 0, date
    "08000000430061006C006C0000000000"                         // title Call, empty note
    "FFFFFFFF"                                                 // no current task
    "120000005B0048004F004C0049004400410059005D00"             // "[HOLIDAY]"
    "00000000"                                                 // no holidays
    "120000005B004300310031005F0045004E0044005D00"             // "[C11_END]"
    "FFFFFF7F00000000";                                        // all categories, icon filter off

QByteArray Word(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A string as the file holds it: byte length, then UTF-16LE.
QByteArray Text(const QString& text)
{
    QByteArray bytes = Word(quint32(text.size() * 2));
    for (const QChar unit : text) {
        bytes.append(char(unit.unicode() & 0xFF));
        bytes.append(char(unit.unicode() >> 8));
    }
    return bytes;
}

QString Utf8(const char* text)
{
    return QString::fromUtf8(text);
}

std::string Hex(quint32 value)
{
    std::ostringstream out;
    out << std::hex << value;
    return out.str();
}

// Everything a store and holiday list hold, without store indexes, so a store
// can be compared with the one its file loads into.
std::string Describe(const CalendarStore& store, const HolidayList& holidays)
{
    std::ostringstream out;
    const CategoryList& categories = store.Categories();
    const auto categoryName = [&categories](qint32 index) {
        const CategoryRecord* category = categories.Get(index);
        return category ? category->Name.toStdString() : "<none " + std::to_string(index) + ">";
    };
    for (const qint32 index : categories.Order()) {
        const CategoryRecord& category = categories.Slot(index);
        out << "category " << category.Name.toStdString() << " icon " << category.Icon << " reserved "
            << category.Reserved << " colour " << Hex(category.Color) << '\n';
    }
    std::string current = "none";
    for (int index = 0; index < store.TaskCount(); ++index) {
        const TaskRecord* task = store.GetTask(index);
        if (task && qint32(task->Id) == store.CurrentTaskId())
            current = task->Title.toStdString();
    }
    for (int position = 0; position < store.DayListCount(); ++position) {
        const DayList& day = store.DayListAt(position);
        out << "day " << Hex(day.Date) << '\n';
        for (const PriorityClass priorityClass : kPriorityClasses) {
            for (const qint32 index : day.ListOf(priorityClass)) {
                const TaskRecord* task = store.GetTask(index);
                if (!task) {
                    out << "  <missing task " << index << ">\n";
                    continue;
                }
                out << "  " << task->Title.toStdString() << " | " << task->Note.toStdString() << " | id "
                    << task->Id << " priority " << task->Priority << " completed " << Hex(task->Completed)
                    << " category " << categoryName(task->Category) << " icon " << task->Icon << " date "
                    << Hex(task->Date) << '\n';
            }
        }
    }
    for (int position = 0; position < store.DayMarkCount(); ++position) {
        const DayMark& mark = store.DayMarkAt(position);
        out << "mark " << Hex(mark.Date) << " flags " << mark.Flags << " | " << mark.Note.toStdString() << '\n';
    }
    for (int position = 0; position < holidays.Count(); ++position) {
        const HolidayRecord holiday = holidays.Get(position);
        out << "holiday " << Hex(holiday.MonthDay) << ' ' << holiday.Name.toStdString() << '\n';
    }
    out << "current " << current << '\n';
    out << "selection "
        << (store.CategorySelection() == CalendarStore::kAllCategories ? std::string("all")
                                                                         : categoryName(store.CategorySelection()))
        << '\n';
    out << "icon filter " << Hex(store.IconFilter()) << '\n';
    out << "last task id " << LastTaskId::Value() << '\n';
    return out.str();
}

struct Outcome
{
    bool ok = false;
    QString error;
    int number = -1;
};

} // namespace

class DataFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedLastId = LastTaskId::Value();
        LastTaskId::Set(0);
        Clock::SetToday(MakeDate(2009, 3, 10));
        ASSERT_TRUE(m_dir.isValid());
    }

    void TearDown() override
    {
        CCryptMemFile::SetWriteLimitForTesting(-1);
        LastTaskId::Set(m_savedLastId);
        Clock::SetToday(0);
    }

    QString PathOf(const QString& name) const { return m_dir.filePath(name); }

    static QString GoldenPath(const char* name)
    {
        return TestDataDir() + u"/datafile/"_s + QString::fromLatin1(name);
    }

    static Outcome Save(CalendarStore& store, const HolidayList& holidays, const QString& path,
                        const PasswordKey* key = nullptr, bool force = true, bool backup = false)
    {
        Outcome outcome;
        outcome.ok = SaveDataFile(store, holidays, path, force, key ? key->KeyBytes() : nullptr,
                                  key ? key->KeyBits() : 0, backup, outcome.error, &outcome.number);
        return outcome;
    }

    Outcome Load(CalendarStore& store, HolidayList& holidays, const QString& path, const PasswordKey* key = nullptr)
    {
        Outcome outcome;
        outcome.ok = LoadDataFile(store, holidays, m_view, path, key ? key->KeyBytes() : nullptr,
                                  key ? key->KeyBits() : 0, outcome.error, &outcome.number);
        return outcome;
    }

    // Saves to a file of that name and hands back its bytes.
    QByteArray SavedBytes(CalendarStore& store, const HolidayList& holidays, const QString& name,
                          const PasswordKey* key = nullptr)
    {
        const QString path = PathOf(name);
        const Outcome outcome = Save(store, holidays, path, key);
        EXPECT_TRUE(outcome.ok) << outcome.error.toStdString();
        return ReadFileBytes(path);
    }

    // The loader's outcome for these file bytes.
    Outcome LoadBytes(const QByteArray& bytes, const PasswordKey* key = nullptr)
    {
        const QString path = PathOf(u"Loaded.vrx"_s);
        WriteFileBytes(path, bytes);
        CalendarStore store;
        HolidayList holidays;
        return Load(store, holidays, path, key);
    }

    // Loads the file cut to every length from whole down to nothing and lists
    // the lengths whose outcome is not expected(length) (0 = loads, for the
    // whole file only). The file is shortened in place: far quicker than
    // writing each cut anew.
    template <typename Expected>
    std::string LoadEveryCut(const QByteArray& bytes, const PasswordKey* key, Expected expected)
    {
        const QString path = PathOf(u"Cut.vrx"_s);
        WriteFileBytes(path, bytes);
        std::string wrong;
        int wrongCount = 0;
        CalendarStore store;
        HolidayList holidays;
        for (qsizetype length = bytes.size(); length >= 0; --length) {
            if (!QFile::resize(path, length))
                return "cannot shorten the file";
            const int number = length == bytes.size() ? 0 : expected(length);
            const Outcome outcome = Load(store, holidays, path, key);
            if (outcome.ok == (number == 0 && length == bytes.size()) && outcome.number == number
                && outcome.error == (number ? GetText(number) : QString()))
                continue;
            if (++wrongCount <= 10)
                wrong += "length " + std::to_string(length) + ": got " + std::to_string(outcome.number)
                         + ", expected " + std::to_string(number) + "\n";
        }
        if (wrongCount > 10)
            wrong += std::to_string(wrongCount - 10) + " more\n";
        return wrong;
    }

    static int AddTask(CalendarStore& store, const char* title, PackedDate date, qint32 priority,
                       qint32 category = 0, quint32 completed = 0, quint32 icon = 0, const char* note = "")
    {
        TaskRecord task;
        task.Title = Utf8(title);
        task.Note = Utf8(note);
        task.Date = date;
        task.Priority = priority;
        task.Category = category;
        task.Completed = completed;
        task.Icon = icon;
        return store.AddTask(task, true);
    }

    // One category Work and one High task Call with Id 5 on 15 March 2009.
    static void BuildWorkedExample(CalendarStore& store)
    {
        store.Clear();
        store.AddCategory(CategoryRecord(u"Work"_s, 1, 0, 0x008080FF));
        LastTaskId::Set(4);
        AddTask(store, "Call", kMar15, kPriorityHigh);
    }

    // Marks with notes (several lines, text beyond the basic plane), two
    // holidays on one day, the defaults plus Travel with Personal deleted in
    // between (so positions differ from indexes), tasks of every priority on
    // several days and undated, completed ones, a deleted slot, a current task
    // and both filters.
    static void BuildRich(CalendarStore& store, HolidayList& holidays)
    {
        store.ResetToDefaults();
        holidays.Clear();
        const int travel = store.AddCategory(CategoryRecord(u"Travel"_s, 7, 3, 0x00336699));
        AddTask(store, "Call the bank", kMar15, kPriorityHigh, 2, 0, 0, "Ask about the\nstatement\r\nand the card");
        AddTask(store, "Book train", kMar15, kPriorityNormal, travel, 0, 4);
        const int water = AddTask(store, "Water plants", kMar15, kPriorityLow, 0, 1);
        AddTask(store, "Pack bags", kMar15, kPriorityHigh, 1);
        AddTask(store, "Dentist", kMar20, kPriorityNormal, 2);
        AddTask(store, "Taxes", kNoDate, kPriorityLow, 0, 0xFFFFFFFFu);
        AddTask(store, "Read \xF0\x9F\x93\x96 book", kNoDate, kPriorityNormal, travel, 0, 9,
                "Chapter \xF0\x9F\x8E\x82 two");
        const int gone = AddTask(store, "Gone", kMar16, kPriorityNormal);
        AddTask(store, "Old meeting", kFeb1, kPriorityHigh, 0, 1);
        store.DeleteTask(gone);
        CategoryList categories = store.Categories();
        categories.Delete(1);
        store.ReplaceCategories(categories);
        store.SetCurrent(water);

        store.SetDayMark(DayMark{kMar15, kMarkFlight, u"Gate 12\nBoarding 7:40"_s});
        store.SetDayMark(DayMark{kMar16, kMarkHoliday, QString()});
        store.SetDayMark(DayMark{kMar20, 0, Utf8("Party \xF0\x9F\x8E\x89")});
        store.SetDayMark(DayMark{kMar21, kMarkThird, QString()});

        holidays.Add(HolidayRecord{0xC19, u"Christmas Day"_s});
        holidays.Add(HolidayRecord{0xA1F, u"Halloween"_s});
        holidays.Add(HolidayRecord{0xC19, u"Family dinner"_s});
        holidays.Add(HolidayRecord{0x101, u"New Year"_s});

        store.SetCategorySelection(travel);
        store.SetIconFilter(CalendarStore::kIconFilterOnBit | 4);
    }

    // The rich store saved to a file of that name: its bytes.
    QByteArray SavedRich(const QString& name, const PasswordKey* key = nullptr)
    {
        CalendarStore store;
        HolidayList holidays;
        BuildRich(store, holidays);
        return SavedBytes(store, holidays, name, key);
    }

    QTemporaryDir m_dir;
    ViewState m_view;
    quint32 m_savedLastId = 0;
};

// ---- the bytes

TEST_F(DataFileTest, WorkedExampleIsWrittenByteForByte)
{
    CalendarStore store;
    HolidayList holidays;
    BuildWorkedExample(store);
    const QByteArray bytes = SavedBytes(store, holidays, u"Work.vrx"_s);
    EXPECT_EQ(bytes.toHex().toUpper(), QByteArray(kWorkedExampleHex));
    EXPECT_EQ(bytes, ReadFileBytes(GoldenPath("worked-example.vrx")));
}

TEST_F(DataFileTest, EmptyStoreIsWrittenByteForByte)
{
    CalendarStore store;
    HolidayList holidays;
    store.Clear();
    const QByteArray expected = QByteArray("ca\x0A\x00", 4) + Text(u"[C11_FILE]"_s) + Text(u"[MARK]"_s) + Word(0)
                                + Text(u"[CATEGORY]"_s) + Word(0) + Text(u"[AGENDA]"_s) + Word(0) + Word(0)
                                + Word(0xFFFFFFFFu) + Text(u"[HOLIDAY]"_s) + Word(0) + Text(u"[C11_END]"_s)
                                + Word(0x7FFFFFFF) + Word(0);
    const QByteArray bytes = SavedBytes(store, holidays, u"Empty.vrx"_s);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes, ReadFileBytes(GoldenPath("empty-store.vrx")));
}

TEST_F(DataFileTest, StringsAreByteLengthThenUtf16)
{
    CalendarStore store;
    HolidayList holidays;
    store.Clear();
    holidays.Add(HolidayRecord{0x101, QString()});
    holidays.Add(HolidayRecord{0x102, Utf8("\xF0\x9F\x8E\x89!")}); // a surrogate pair and one more unit
    const QByteArray bytes = SavedBytes(store, holidays, u"Strings.vrx"_s);
    const QByteArray expected = Text(u"[HOLIDAY]"_s) + Word(2) + Word(0x101) + Word(0) + Word(0x102) + Word(6)
                                + QByteArray::fromHex("3CD889DF2100");
    EXPECT_TRUE(bytes.contains(expected)) << bytes.toHex().toStdString();
}

TEST_F(DataFileTest, GoldenFilesLoadIntoTheStatedStore)
{
    CalendarStore store;
    HolidayList holidays;
    holidays.Add(HolidayRecord{0x101, u"Left over"_s});
    store.SetFilePath(u"/somewhere/Work.vrx"_s);
    store.SetModified(true);
    m_view.SelectedDate = kMar20;
    m_view.SelectedTask = 4;

    const Outcome outcome = Load(store, holidays, GoldenPath("worked-example.vrx"));
    ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
    EXPECT_EQ(outcome.number, 0);
    EXPECT_TRUE(outcome.error.isEmpty());
    EXPECT_EQ(Describe(store, holidays), "category Work icon 1 reserved 0 colour 8080ff\n"
                                         "day 7d930f\n"
                                         "  Call |  | id 5 priority 1 completed 0 category Work icon 0 date 7d930f\n"
                                         "current none\n"
                                         "selection all\n"
                                         "icon filter 0\n"
                                         "last task id 5\n");
    EXPECT_EQ(store.CurrentTaskId(), -1);
    EXPECT_FALSE(store.Modified());
    EXPECT_FALSE(store.Untitled());
    EXPECT_EQ(store.FilePath(), u"/somewhere/Work.vrx"_s);
    EXPECT_EQ(m_view.SelectedDate, Clock::Today());
    EXPECT_EQ(m_view.SelectedTask, -1);

    LastTaskId::Set(30);
    ASSERT_TRUE(Load(store, holidays, GoldenPath("empty-store.vrx")).ok);
    EXPECT_EQ(Describe(store, holidays), "current none\nselection all\nicon filter 0\nlast task id 0\n");
    EXPECT_EQ(store.Categories().TableSize(), 0);
}

// ---- saving

TEST_F(DataFileTest, UnmodifiedStoreWithoutForceWritesNothing)
{
    CalendarStore store;
    HolidayList holidays;
    BuildWorkedExample(store);
    store.SetModified(false);
    const QString path = PathOf(u"Old.vrx"_s);
    WriteFileBytes(path, "old content");

    const Outcome outcome = Save(store, holidays, path, nullptr, false, true);
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.error, u"No modification. No need to save file.\n"_s);
    EXPECT_EQ(ReadFileBytes(path), QByteArray("old content"));
    EXPECT_FALSE(QFile::exists(path + u"BAK"_s));
    EXPECT_FALSE(store.BackupDone());

    EXPECT_TRUE(Save(store, holidays, PathOf(u"New.vrx"_s), nullptr, false).ok);
    EXPECT_FALSE(QFile::exists(PathOf(u"New.vrx"_s)));
}

TEST_F(DataFileTest, SuccessfulSaveClearsModifiedAndUntitled)
{
    CalendarStore store;
    HolidayList holidays;
    BuildWorkedExample(store);
    ASSERT_TRUE(store.Modified());
    ASSERT_TRUE(store.Untitled());
    const Outcome outcome = Save(store, holidays, PathOf(u"Flags.vrx"_s), nullptr, false);
    EXPECT_TRUE(outcome.ok);
    EXPECT_TRUE(outcome.error.isEmpty());
    EXPECT_EQ(outcome.number, 0);
    EXPECT_FALSE(store.Modified());
    EXPECT_FALSE(store.Untitled());
}

TEST_F(DataFileTest, BackupIsTakenOncePerDocumentAndReplacesAnOlderOne)
{
    CalendarStore store;
    HolidayList holidays;
    const QString path = PathOf(u"Orbelin.vrx"_s);
    const QString backupPath = PathOf(u"Orbelin.vrxBAK"_s);
    WriteFileBytes(path, "first version");
    WriteFileBytes(backupPath, "ancient backup");

    BuildWorkedExample(store);
    ASSERT_TRUE(Save(store, holidays, path, nullptr, false, true).ok);
    EXPECT_EQ(ReadFileBytes(backupPath), QByteArray("first version"));
    EXPECT_TRUE(store.BackupDone());
    const QByteArray secondVersion = ReadFileBytes(path);

    AddTask(store, "More", kMar16, kPriorityNormal);
    ASSERT_TRUE(Save(store, holidays, path, nullptr, false, true).ok);
    EXPECT_EQ(ReadFileBytes(backupPath), QByteArray("first version")) << "one backup per document";
    const QByteArray thirdVersion = ReadFileBytes(path);
    EXPECT_NE(thirdVersion, secondVersion);

    // Loading starts a new document: its first save takes a backup again.
    ASSERT_TRUE(Load(store, holidays, path).ok);
    EXPECT_FALSE(store.BackupDone());
    AddTask(store, "Even more", kMar16, kPriorityNormal);
    ASSERT_TRUE(Save(store, holidays, path, nullptr, false, true).ok);
    EXPECT_EQ(ReadFileBytes(backupPath), thirdVersion);
}

TEST_F(DataFileTest, BackupNeedsTheSettingAndAnExistingFile)
{
    CalendarStore store;
    HolidayList holidays;
    BuildWorkedExample(store);
    const QString path = PathOf(u"Orbelin.vrx"_s);
    ASSERT_TRUE(Save(store, holidays, path, nullptr, true, true).ok);
    EXPECT_FALSE(QFile::exists(path + u"BAK"_s)) << "nothing to copy yet";
    EXPECT_TRUE(store.BackupDone()) << "set even though nothing was copied";

    store.Clear();
    BuildWorkedExample(store);
    ASSERT_TRUE(Save(store, holidays, path, nullptr, true, false).ok);
    EXPECT_FALSE(QFile::exists(path + u"BAK"_s));
    EXPECT_FALSE(store.BackupDone());
}

TEST_F(DataFileTest, FailedWriteKeepsTheOldFileAndTheStoreModified)
{
    struct Row
    {
        const char* name;
        qint64 limit;
        const char* password;
    };
    const Row rows[] = {
        {"nothing_written", 0, ""},
        {"plain_cut_in_payload", 40, ""},
        {"enciphered_cut_in_verifier", 20, "secret"},
        {"enciphered_cut_in_payload", 100, "secret"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CalendarStore store;
        HolidayList holidays;
        BuildWorkedExample(store);
        const QString path = PathOf(QString::fromLatin1(row.name));
        ASSERT_TRUE(Save(store, holidays, path).ok);
        const QByteArray old = ReadFileBytes(path);

        AddTask(store, "Unsaved", kMar16, kPriorityLow);
        PasswordKey key;
        ASSERT_TRUE(key.SetPassword(QString::fromLatin1(row.password)));
        CCryptMemFile::SetWriteLimitForTesting(row.limit);
        const Outcome outcome = Save(store, holidays, path, &key);
        CCryptMemFile::SetWriteLimitForTesting(-1);

        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.number, 205);
        EXPECT_EQ(outcome.error, GetText(205));
        EXPECT_TRUE(store.Modified());
        EXPECT_EQ(ReadFileBytes(path), old);
    }
}

TEST_F(DataFileTest, OpenFailureGivesThePlatformText)
{
    CalendarStore store;
    HolidayList holidays;
    BuildWorkedExample(store);
    const Outcome outcome = Save(store, holidays, PathOf(u"no/such/folder/File.vrx"_s));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.number, 0);
    EXPECT_FALSE(outcome.error.isEmpty());
    EXPECT_TRUE(store.Modified());
}

// ---- order and numbering

TEST_F(DataFileTest, LowTaskFollowsHighAndNormalAndCurrentTaskSurvivesById)
{
    CalendarStore store;
    HolidayList holidays;
    store.ResetToDefaults();
    const int low = AddTask(store, "Low one", kMar15, kPriorityLow);
    AddTask(store, "Normal one", kMar15, kPriorityNormal);
    AddTask(store, "High one", kMar15, kPriorityHigh);
    store.SetCurrent(low);
    const quint32 lowId = store.GetTask(low)->Id;

    const QByteArray bytes = SavedBytes(store, holidays, u"Order.vrx"_s);
    const qsizetype high = bytes.indexOf(Text(u"High one"_s));
    const qsizetype normal = bytes.indexOf(Text(u"Normal one"_s));
    const qsizetype lowAt = bytes.indexOf(Text(u"Low one"_s));
    EXPECT_LT(high, normal);
    EXPECT_LT(normal, lowAt);

    CalendarStore loaded;
    ASSERT_TRUE(Load(loaded, holidays, PathOf(u"Order.vrx"_s)).ok);
    const DayList* day = loaded.GetDayList(kMar15);
    ASSERT_NE(day, nullptr);
    EXPECT_EQ(day->High, std::vector<qint32>{0});
    EXPECT_EQ(day->Normal, std::vector<qint32>{1});
    EXPECT_EQ(day->Low, std::vector<qint32>{2});
    EXPECT_EQ(loaded.GetTask(2)->Title, u"Low one"_s);
    EXPECT_EQ(loaded.GetTask(2)->Id, lowId);
    EXPECT_EQ(loaded.CurrentTaskId(), qint32(lowId));
}

TEST_F(DataFileTest, DeletingACategoryRenumbersAndTasksFollow)
{
    CalendarStore store;
    HolidayList holidays;
    store.ResetToDefaults();
    const int travel = store.AddCategory(CategoryRecord(u"Travel"_s, 7, 0, 0x123456));
    AddTask(store, "Business task", kMar15, kPriorityNormal, 2);
    AddTask(store, "Travel task", kMar15, kPriorityNormal, travel);
    CategoryList categories = store.Categories();
    categories.Delete(1);
    store.ReplaceCategories(categories);
    store.SetCategorySelection(travel);

    const QByteArray bytes = SavedBytes(store, holidays, u"Renumber.vrx"_s);
    EXPECT_TRUE(bytes.contains(Text(u"[CATEGORY]"_s) + Word(3)));
    // In the file Travel is the third category and the selection follows it.
    EXPECT_TRUE(bytes.endsWith(Text(u"[C11_END]"_s) + Word(2) + Word(0)));

    CalendarStore loaded;
    ASSERT_TRUE(Load(loaded, holidays, PathOf(u"Renumber.vrx"_s)).ok);
    EXPECT_EQ(loaded.Categories().TableSize(), 3);
    EXPECT_EQ(loaded.Categories().Order(), (std::vector<qint32>{0, 1, 2}));
    EXPECT_EQ(loaded.Categories().Slot(1).Name, GetText(TextId::PersonalCategoryName));
    EXPECT_EQ(loaded.Categories().Slot(2).Name, u"Travel"_s);
    EXPECT_EQ(loaded.GetTask(0)->Category, 1);
    EXPECT_EQ(loaded.GetTask(1)->Category, 2);
    EXPECT_EQ(loaded.CategorySelection(), 2);
    EXPECT_EQ(Describe(loaded, holidays), Describe(store, holidays));
}

TEST_F(DataFileTest, TaskInADeadCategoryIsFiledUnderTheFirstCategory)
{
    CalendarStore store;
    HolidayList holidays;
    store.ResetToDefaults();
    const int deletedCategory = AddTask(store, "Deleted category", kMar15, kPriorityNormal);
    const int outside = AddTask(store, "Outside the table", kMar15, kPriorityNormal);
    const int negative = AddTask(store, "Negative category", kMar15, kPriorityNormal);
    CategoryList categories = store.Categories();
    categories.Delete(1);
    store.ReplaceCategories(categories);
    // Numbers the editor would never leave behind; the save must still work.
    store.SetCategory(deletedCategory, 1);
    store.SetCategory(outside, 99);
    store.SetCategory(negative, -5);
    store.SetCategorySelection(1);

    const Outcome outcome = Save(store, holidays, PathOf(u"Dead.vrx"_s));
    ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
    // Written as position 0: category, icon and date words before the title.
    const QByteArray bytes = ReadFileBytes(PathOf(u"Dead.vrx"_s));
    for (const QString& title : {u"Deleted category"_s, u"Outside the table"_s, u"Negative category"_s})
        EXPECT_TRUE(bytes.contains(Word(0) + Word(0) + Word(kMar15) + Text(title))) << title.toStdString();

    CalendarStore loaded;
    ASSERT_TRUE(Load(loaded, holidays, PathOf(u"Dead.vrx"_s)).ok);
    ASSERT_EQ(loaded.TaskCount(), 3);
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(loaded.GetTask(index)->Title.toStdString());
        EXPECT_EQ(loaded.GetTask(index)->Category, 0);
        EXPECT_TRUE(loaded.Categories().IsLive(loaded.GetTask(index)->Category));
    }
    EXPECT_EQ(loaded.CategorySelection(), CalendarStore::kAllCategories) << "selected category was gone";
}

TEST_F(DataFileTest, RefusedCategoryRecordsKeepTheirTasksInTheRightCategory)
{
    // A file from elsewhere: Work twice and an empty name before Home; tasks
    // name the second Work, the empty one, Home and a position past the end.
    const auto task = [](quint32 id, qint32 category, const QString& title) {
        return Word(id) + Word(0) + Word(0) + Word(quint32(category)) + Word(0) + Word(kMar15) + Text(title)
               + Word(0);
    };
    const QByteArray bytes = QByteArray("ca\x0A\x00", 4) + Text(u"[C11_FILE]"_s) + Text(u"[MARK]"_s) + Word(0)
                             + Text(u"[CATEGORY]"_s) + Word(4) + Text(u"Work"_s) + Word(1) + Word(0) + Word(0)
                             + Text(u"Work"_s) + Word(2) + Word(0) + Word(0) + Text(QString()) + Word(3) + Word(0)
                             + Word(0) + Text(u"Home"_s) + Word(4) + Word(0) + Word(0) + Text(u"[AGENDA]"_s)
                             + Word(1) + Word(4) + Word(kMar15) + Word(4) + task(1, 1, u"Second Work"_s)
                             + task(2, 2, u"Empty name"_s) + task(3, 3, u"Home task"_s)
                             + task(4, 7, u"Past the end"_s) + Word(0xFFFFFFFFu) + Text(u"[HOLIDAY]"_s) + Word(0)
                             + Text(u"[C11_END]"_s) + Word(0x7FFFFFFF) + Word(0);
    const QString path = PathOf(u"Foreign.vrx"_s);
    WriteFileBytes(path, bytes);
    CalendarStore store;
    HolidayList holidays;
    ASSERT_TRUE(Load(store, holidays, path).ok);
    EXPECT_EQ(store.Categories().Order(), (std::vector<qint32>{0, 1}));
    EXPECT_EQ(store.Categories().Slot(1).Name, u"Home"_s);
    EXPECT_EQ(store.GetTask(0)->Category, 0);
    EXPECT_EQ(store.GetTask(1)->Category, 0);
    EXPECT_EQ(store.GetTask(2)->Category, 1);
    EXPECT_EQ(store.GetTask(3)->Category, 0);
}

// ---- round trips

TEST_F(DataFileTest, RichStoreSurvivesSaveLoadSavePlainAndWithEveryKeyLength)
{
    struct Row
    {
        const char* name;
        const char* password;
        int keyBits;
    };
    const Row rows[] = {
        {"plain", "", 0},
        {"one_character", "x", 128},
        {"eight_characters", "eightchr", 128},
        {"nine_characters", "ninechars", 192},
        {"twelve_characters", "twelve chars", 192},
        {"thirteen_characters", "thirteen char", 256},
        {"sixteen_characters", "sixteen chars!!!", 256},
    };
    CalendarStore store;
    HolidayList holidays;
    BuildRich(store, holidays);
    const std::string original = Describe(store, holidays);
    ASSERT_NE(original.find("current Water plants"), std::string::npos);
    ASSERT_NE(original.find("selection Travel"), std::string::npos);

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PasswordKey key;
        ASSERT_TRUE(key.SetPassword(QString::fromLatin1(row.password)));
        ASSERT_EQ(key.KeyBits(), row.keyBits);
        const QByteArray first = SavedBytes(store, holidays, u"First.vrx"_s, &key);
        EXPECT_EQ(first.at(3), char(row.keyBits ? 0x65 : 0x00));

        CalendarStore loaded;
        HolidayList loadedHolidays;
        const Outcome outcome = Load(loaded, loadedHolidays, PathOf(u"First.vrx"_s), &key);
        ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
        EXPECT_EQ(Describe(loaded, loadedHolidays), original);
        EXPECT_FALSE(loaded.Modified());

        EXPECT_EQ(SavedBytes(loaded, loadedHolidays, u"Second.vrx"_s, &key), first);
    }
}

TEST_F(DataFileTest, WrongPasswordLeavesTheStoreAsItWas)
{
    CalendarStore store;
    HolidayList holidays;
    BuildRich(store, holidays);
    PasswordKey right;
    ASSERT_TRUE(right.SetPassword(u"right"_s));
    const QString path = PathOf(u"Locked.vrx"_s);
    ASSERT_TRUE(Save(store, holidays, path, &right).ok);

    CalendarStore other;
    HolidayList otherHolidays;
    BuildWorkedExample(other);
    const std::string before = Describe(other, otherHolidays);
    for (const char* password : {"wrong", ""}) {
        SCOPED_TRACE(password);
        PasswordKey wrong;
        ASSERT_TRUE(wrong.SetPassword(QString::fromLatin1(password)));
        const Outcome outcome = Load(other, otherHolidays, path, &wrong);
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.number, 207);
        EXPECT_EQ(outcome.error, GetText(207));
        EXPECT_EQ(Describe(other, otherHolidays), before);
    }
}

// ---- damaged and hostile files

TEST_F(DataFileTest, HeaderAndMarkerDamageGivesItsNumber)
{
    const QByteArray good = QByteArray::fromHex(kWorkedExampleHex);
    const auto patched = [&good](qsizetype offset, char value) {
        QByteArray bytes = good;
        bytes[offset] = value;
        return bytes;
    };
    struct Row
    {
        const char* name;
        QByteArray bytes;
        int number; // 0 = loads
    };
    const Row rows[] = {
        {"version_0x0B", patched(2, 0x0B), 210},
        {"byte3_0x01", patched(3, 0x01), 209},
        {"bad_magic", patched(0, 'C'), 209},
        {"bad_magic_and_version", patched(1, 'b').replace(2, 1, "\x0B"), 209},
        {"file_marker_misspelt", patched(8, 'D'), 211},
        {"end_marker_misspelt", patched(good.size() - 10, 'X'), 216},
        {"bytes_after_the_filter_words", good + QByteArray(13, 'z'), 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome outcome = LoadBytes(row.bytes);
        EXPECT_EQ(outcome.ok, row.number == 0);
        EXPECT_EQ(outcome.number, row.number);
        EXPECT_EQ(outcome.error, row.number ? GetText(row.number) : QString());
    }
}

TEST_F(DataFileTest, MissingOrHeaderlessFileFailsWithoutANumber)
{
    CalendarStore store;
    HolidayList holidays;
    BuildWorkedExample(store);
    const std::string before = Describe(store, holidays);

    Outcome outcome = Load(store, holidays, PathOf(u"Missing.vrx"_s));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.number, 0);
    EXPECT_FALSE(outcome.error.isEmpty()) << "the platform's text";

    WriteFileBytes(PathOf(u"Short.vrx"_s), "ca\x0A");
    outcome = Load(store, holidays, PathOf(u"Short.vrx"_s));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.number, 0);
    EXPECT_TRUE(outcome.error.isEmpty());
    EXPECT_EQ(Describe(store, holidays), before) << "nothing read, nothing cleared";
}

TEST_F(DataFileTest, HostileCountsFailTheirSectionAtOnce)
{
    const QByteArray good = QByteArray::fromHex(kWorkedExampleHex);
    // The word `words` words after the end of a marker string.
    const auto patched = [&good](const QString& marker, int words, quint32 value) {
        QByteArray bytes = good;
        const QByteArray text = Text(marker);
        const qsizetype at = bytes.indexOf(text) + text.size() + 4 * words;
        bytes.replace(at, 4, Word(value));
        return bytes;
    };
    struct Row
    {
        const char* name;
        QByteArray bytes;
        int number;
    };
    const Row rows[] = {
        {"marks", patched(u"[MARK]"_s, 0, 0x7FFFFFFF), 212},
        {"categories", patched(u"[CATEGORY]"_s, 0, 0xFFFFFFFFu), 213},
        {"groups", patched(u"[AGENDA]"_s, 0, 0x7FFFFFFF), 214},
        {"tasks_in_a_group", patched(u"[AGENDA]"_s, 3, 0x7FFFFFFF), 214},
        {"title_length", patched(u"[AGENDA]"_s, 10, 0x7FFFFFF0), 214},
        {"holidays", patched(u"[HOLIDAY]"_s, 0, 0xFFFFFFFFu), 215},
        {"category_name_length", patched(u"[CATEGORY]"_s, 1, 0xFFFFFFF0u), 213},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome outcome = LoadBytes(row.bytes);
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.number, row.number);
    }
}

// Where each part of a payload starts, found from the markers the writer put
// there, and the message a payload cut at a given length must give.
class PayloadCuts
{
public:
    explicit PayloadCuts(const QByteArray& payload)
        : m_size(payload.size())
    {
        qsizetype from = 0;
        for (const QString& marker :
             {u"[MARK]"_s, u"[CATEGORY]"_s, u"[AGENDA]"_s, u"[HOLIDAY]"_s, u"[C11_END]"_s}) {
            from = payload.indexOf(Text(marker), from);
            m_starts.push_back(from);
        }
    }

    bool Valid() const
    {
        for (size_t i = 0; i < m_starts.size(); ++i) {
            if (m_starts[i] < 0 || (i > 0 && m_starts[i] <= m_starts[i - 1]))
                return false;
        }
        return m_starts.front() == Text(u"[C11_FILE]"_s).size() && End() + 8 == m_size;
    }

    // The number for a payload of length cut (0 = it loads).
    int Expected(qsizetype cut) const
    {
        const int sectionNumbers[] = {212, 213, 214, 215};
        if (cut < m_starts[0])
            return 211;
        for (size_t i = 0; i + 1 < m_starts.size(); ++i) {
            if (cut < m_starts[i + 1])
                return sectionNumbers[i];
        }
        if (cut < End())
            return 216;
        if (cut < End() + 4)
            return 217;
        if (cut < End() + 8)
            return 218;
        return 0;
    }

private:
    qsizetype End() const { return m_starts.back() + Text(u"[C11_END]"_s).size(); }

    qsizetype m_size;
    std::vector<qsizetype> m_starts;
};

TEST_F(DataFileTest, PlainFileCutAtEveryOffsetFailsInTheSectionOfTheCut)
{
    const QByteArray bytes = SavedRich(u"Rich.vrx"_s);
    const PayloadCuts cuts(bytes.mid(4));
    ASSERT_TRUE(cuts.Valid());

    const std::string wrong = LoadEveryCut(bytes, nullptr, [&cuts](qsizetype length) {
        if (length < 4)
            return 0; // no header, no text
        if (length == 4)
            return 206; // nothing after the header
        return cuts.Expected(length - 4);
    });
    EXPECT_EQ(wrong, "");
}

TEST_F(DataFileTest, EncipheredFileCutAtEveryOffsetFails)
{
    const PayloadCuts cuts(SavedRich(u"Plain.vrx"_s).mid(4));
    ASSERT_TRUE(cuts.Valid());
    PasswordKey key;
    ASSERT_TRUE(key.SetPassword(u"cut me"_s));
    const QByteArray bytes = SavedRich(u"Locked.vrx"_s, &key);

    int sectionFailures = 0;
    const std::string wrong = LoadEveryCut(bytes, &key, [&](qsizetype length) {
        if (length < 4)
            return 0; // no header, no text
        if (length < 36 || (length - 4) % 16 != 0)
            return 206; // not the verifier and whole blocks
        // Whole blocks decipher; the payload they give is cut short.
        ++sectionFailures;
        return cuts.Expected(length - 36);
    });
    EXPECT_EQ(wrong, "");
    EXPECT_GT(sectionFailures, 10);
}
