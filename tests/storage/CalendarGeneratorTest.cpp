#include "model/CalendarStore.h"
#include "model/Clock.h"
#include "model/HolidayList.h"
#include "model/LastTaskId.h"
#include "model/StoreInvariants.h"
#include "model/ViewState.h"
#include "storage/CalendarGenerator.h"
#include "storage/Csv.h"
#include "storage/DataFile.h"
#include "storage/DeviceTasks.h"
#include "storage/PasswordKey.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

using namespace Qt::StringLiterals;

namespace {

class CalendarGeneratorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_lastTaskId = LastTaskId::Value();
        ASSERT_TRUE(m_dir.isValid());
    }
    void TearDown() override
    {
        LastTaskId::Set(m_lastTaskId);
        Clock::SetToday(0);
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    static QByteArray FileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    quint32 m_lastTaskId = 0;
    QTemporaryDir m_dir{TestRootDir() + u"/generator-XXXXXX"_s};
};

// Everything a store and a holiday list hold, as text, for equality checks.
std::string CalendarText(const CalendarStore& store, const HolidayList& holidays)
{
    QString text;
    for (int index = 0; index < store.TaskCount(); ++index) {
        const TaskRecord& task = *store.GetTask(index);
        text += u"%1|%2|%3|%4|%5|%6|%7|%8|%9\n"_s.arg(task.Id)
                    .arg(task.Priority)
                    .arg(task.Completed)
                    .arg(task.Category)
                    .arg(task.Date)
                    .arg(task.Icon)
                    .arg(task.Title, task.Note)
                    .arg(task.Index);
    }
    for (int position = 0; position < store.DayMarkCount(); ++position) {
        const DayMark& mark = store.DayMarkAt(position);
        text += u"mark %1 %2 %3\n"_s.arg(mark.Date).arg(mark.Flags).arg(mark.Note);
    }
    for (int position = 0; position < store.Categories().Count(); ++position) {
        const int index = store.Categories().IndexAt(position);
        const CategoryRecord& category = *store.Categories().Get(index);
        text += u"category %1 %2 %3 %4\n"_s.arg(index).arg(category.Name).arg(category.Icon).arg(category.Color);
    }
    for (int position = 0; position < holidays.Count(); ++position) {
        const HolidayRecord holiday = holidays.Get(position);
        text += u"holiday %1 %2\n"_s.arg(holiday.MonthDay).arg(holiday.Name);
    }
    text += u"current %1\n"_s.arg(store.CurrentTaskId());
    return text.toStdString() + DayIndexText(store);
}

TEST_F(CalendarGeneratorTest, TodayIsTheFixedDayInTheMiddleOfThreeYears)
{
    EXPECT_EQ(CalendarGenerator::kToday, MakeDate(2025, 6, 16));
    EXPECT_EQ(CalendarGenerator::FirstDay(), MakeDate(2023, 12, 16));
    EXPECT_EQ(CalendarGenerator::LastDay(), AddDays(CalendarGenerator::FirstDay(), 3 * 365));
}

TEST_F(CalendarGeneratorTest, SameSeedGivesTheSameCalendarAndTheSameFileBytes)
{
    CalendarStore first, second, other;
    HolidayList firstHolidays, secondHolidays, otherHolidays;
    CalendarGenerator(7).Fill(2000, first, firstHolidays);
    // Whatever the process's id counter held, the calendar is the same.
    LastTaskId::Set(123456);
    CalendarGenerator(7).Fill(2000, second, secondHolidays);
    CalendarGenerator(8).Fill(2000, other, otherHolidays);

    const std::string text = CalendarText(first, firstHolidays);
    EXPECT_EQ(text, CalendarText(second, secondHolidays));
    EXPECT_NE(text, CalendarText(other, otherHolidays));

    const PasswordKey plain;
    QString error;
    ASSERT_TRUE(WriteCalendarDataFile(first, firstHolidays, Path(u"a.vrx"_s), plain, error)) << error.toStdString();
    ASSERT_TRUE(WriteCalendarDataFile(second, secondHolidays, Path(u"b.vrx"_s), plain, error)) << error.toStdString();
    EXPECT_EQ(FileBytes(Path(u"a.vrx"_s)), FileBytes(Path(u"b.vrx"_s)));
    EXPECT_EQ(LastTaskId::Value(), 2000u);
}

TEST_F(CalendarGeneratorTest, ProportionsAreThoseOfTheDescription)
{
    constexpr int kCount = 20000;
    CalendarStore store;
    HolidayList holidays;
    CalendarGenerator().Fill(kCount, store, holidays);

    ASSERT_EQ(store.TaskCount(), kCount);
    EXPECT_EQ(CheckStoreInvariants(store), "");
    EXPECT_TRUE(store.Modified());
    EXPECT_TRUE(store.Untitled());

    int undated = 0, completed = 0, withNote = 0, high = 0, low = 0, withIcon = 0, rare = 0, nonAscii = 0;
    std::set<qint32> categories;
    std::set<quint32> ids;
    const QString rareWord = CalendarGenerator::RareWord();
    const QString absentWord = CalendarGenerator::AbsentWord();
    for (int index = 0; index < kCount; ++index) {
        const TaskRecord& task = *store.GetTask(index);
        const int words = int(task.Title.count(u' ')) + 1;
        EXPECT_TRUE(words >= 3 && words <= 8) << task.Title.toStdString();
        if (task.Date == kNoDate)
            ++undated;
        else
            EXPECT_TRUE(task.Date >= CalendarGenerator::FirstDay() && task.Date <= CalendarGenerator::LastDay());
        completed += task.Completed != 0 ? 1 : 0;
        if (!task.Note.isEmpty()) {
            ++withNote;
            const auto lines = task.Note.split(u"\r\n"_s);
            EXPECT_TRUE(lines.size() >= 1 && lines.size() <= 3);
            EXPECT_FALSE(task.Note.contains(rareWord, Qt::CaseInsensitive));
        }
        high += task.Priority == kPriorityHigh ? 1 : 0;
        low += task.Priority == kPriorityLow ? 1 : 0;
        withIcon += task.Icon != 0 ? 1 : 0;
        EXPECT_LE(task.Icon, quint32(CalendarGenerator::kTaskIconLimit));
        rare += task.Title.contains(rareWord, Qt::CaseInsensitive) ? 1 : 0;
        EXPECT_FALSE(task.Title.contains(absentWord, Qt::CaseInsensitive) || task.Note.contains(absentWord, Qt::CaseInsensitive));
        for (const QChar c : task.Title)
            nonAscii += c.unicode() > 0x7F ? 1 : 0;
        categories.insert(task.Category);
        ids.insert(task.Id);
    }
    const auto share = [](int part) { return double(part) / kCount; };
    EXPECT_NEAR(share(undated), 0.10, 0.015);
    EXPECT_NEAR(share(completed), 0.40, 0.03);
    EXPECT_NEAR(share(withNote), 0.30, 0.02);
    EXPECT_NEAR(share(high), 0.15, 0.02);
    EXPECT_NEAR(share(low), 0.20, 0.02);
    EXPECT_NEAR(share(withIcon), 0.15, 0.02);
    EXPECT_NEAR(share(rare), 0.01, 0.003);
    EXPECT_GT(nonAscii, 0);
    EXPECT_EQ(int(categories.size()), CalendarGenerator::kCategoryCount);
    EXPECT_EQ(store.Categories().Count(), CalendarGenerator::kCategoryCount);
    EXPECT_EQ(int(ids.size()), kCount);
    EXPECT_EQ(*ids.rbegin(), quint32(kCount));

    EXPECT_EQ(store.DayMarkCount(), CalendarGenerator::kDayMarkCount);
    EXPECT_EQ(holidays.Count(), CalendarGenerator::kHolidayCount);
    EXPECT_GE(store.CurrentTaskId(), 1);
    // Dates spread over the whole span: about 780 weekdays and some weekend days.
    EXPECT_GT(store.DayListCount(), 900);
}

TEST_F(CalendarGeneratorTest, BelowStaysInRangeAndReachesEveryValue)
{
    CalendarGenerator generator(1);
    std::set<quint32> seen;
    for (int n = 0; n < 2000; ++n) {
        const quint32 value = generator.Below(7);
        ASSERT_LT(value, 7u);
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 7u);
    EXPECT_EQ(generator.Below(0), 0u);
    EXPECT_EQ(generator.Below(1), 0u);
}

TEST_F(CalendarGeneratorTest, OutputFormIsChosenByTheName)
{
    EXPECT_EQ(CalendarOutputFor(u"/tmp/a.vrx"_s), CalendarOutput::DataFile);
    EXPECT_EQ(CalendarOutputFor(u"/tmp/A.VRX"_s), CalendarOutput::DataFile);
    EXPECT_EQ(CalendarOutputFor(u"/tmp/a.csv"_s), CalendarOutput::Csv);
    EXPECT_EQ(CalendarOutputFor(u"/tmp/tasks"_s), CalendarOutput::TaskFolder);
}

// Each form reads back with every task: the data file whole, the CSV and the
// task folder as many tasks as were written.
TEST_F(CalendarGeneratorTest, EveryFormReadsBack)
{
    constexpr int kCount = 150;
    Clock::SetToday(MakeDate(2030, 1, 1));
    PasswordKey key;
    ASSERT_TRUE(key.SetPassword(u"sixteen-chars-pw"_s));
    QString error;
    ASSERT_TRUE(GenerateCalendar(kCount, 3, Path(u"c.vrx"_s), key, error)) << error.toStdString();
    ASSERT_TRUE(GenerateCalendar(kCount, 3, Path(u"c.csv"_s), key, error)) << error.toStdString();
    ASSERT_TRUE(GenerateCalendar(kCount, 3, Path(u"tasks"_s), key, error)) << error.toStdString();
    // The folder helper leaves the program's clock as it found it.
    EXPECT_EQ(Clock::Today(), MakeDate(2030, 1, 1));

    CalendarStore expected;
    HolidayList expectedHolidays;
    CalendarGenerator(3).Fill(kCount, expected, expectedHolidays);

    CalendarStore loaded;
    HolidayList loadedHolidays;
    ViewState view;
    ASSERT_TRUE(LoadDataFile(loaded, loadedHolidays, view, Path(u"c.vrx"_s), key.KeyBytes(), key.KeyBits(), error))
        << error.toStdString();
    EXPECT_EQ(loaded.TaskCount(), kCount);
    EXPECT_EQ(loadedHolidays.Count(), CalendarGenerator::kHolidayCount);
    EXPECT_EQ(loaded.DayMarkCount(), CalendarGenerator::kDayMarkCount);
    EXPECT_EQ(loaded.CurrentTaskId(), expected.CurrentTaskId());
    EXPECT_EQ(CheckStoreInvariants(loaded), "");

    CalendarStore fromCsv;
    fromCsv.ResetToDefaults();
    EXPECT_EQ(ImportCsv(CsvColumns(), Path(u"c.csv"_s), fromCsv).Count, kCount);

    CalendarStore fromFolder;
    EXPECT_EQ(QDir(Path(u"tasks"_s)).entryList({u"*.ics"_s}, QDir::Files).size(), kCount);
    EXPECT_EQ(ImportDeviceTasks(fromFolder, Path(u"tasks"_s)), kCount);
    // Undated tasks went out due on the calendar's today.
    int expectedOnToday = 0;
    for (int index = 0; index < expected.TaskCount(); ++index) {
        const PackedDate date = expected.GetDate(index);
        expectedOnToday += date == kNoDate || date == CalendarGenerator::kToday ? 1 : 0;
    }
    int onToday = 0;
    for (int index = 0; index < fromFolder.TaskCount(); ++index)
        onToday += fromFolder.GetDate(index) == CalendarGenerator::kToday ? 1 : 0;
    EXPECT_GT(expectedOnToday, 0);
    EXPECT_EQ(onToday, expectedOnToday);
}

TEST_F(CalendarGeneratorTest, NoTasksGivesCategoriesMarksAndHolidaysOnly)
{
    CalendarStore store;
    HolidayList holidays;
    CalendarGenerator().Fill(0, store, holidays);
    EXPECT_EQ(store.TaskCount(), 0);
    EXPECT_EQ(store.CurrentTaskId(), -1);
    EXPECT_EQ(store.Categories().Count(), CalendarGenerator::kCategoryCount);
    EXPECT_EQ(store.DayMarkCount(), CalendarGenerator::kDayMarkCount);
    EXPECT_EQ(CheckStoreInvariants(store), "");
}

} // namespace
