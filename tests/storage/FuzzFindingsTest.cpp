// Inputs with which the fuzz targets found a fault, kept as they were found
// (tests/data/fuzz/<target>/) and checked the way the target checks them.

#include "storage/DataFile.h"

#include "model/CalendarStore.h"
#include "model/HolidayList.h"
#include "model/LastTaskId.h"
#include "model/ViewState.h"
#include "storage/CCryptMemFile.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QStringList FindingsOf(const QString& target)
{
    const QDir dir(TestDataDir() + u"/fuzz/"_s + target);
    QStringList paths;
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
        paths.append(dir.filePath(name));
    return paths;
}

} // namespace

class FuzzFindingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedLastId = LastTaskId::Value();
        ASSERT_TRUE(m_dir.isValid());
    }
    void TearDown() override { LastTaskId::Set(m_savedLastId); }

    QByteArray Saved(CalendarStore& store, const HolidayList& holidays)
    {
        const QString path = m_dir.filePath(u"saved.vrx"_s);
        QString error;
        EXPECT_TRUE(SaveDataFile(store, holidays, path, true, nullptr, 0, false, error)) << error.toStdString();
        return ReadFileBytes(path);
    }

    QTemporaryDir m_dir;
    quint32 m_savedLastId = 0;
};

// A plain payload that loads is saved; the saved file loads and saves again
// to the same bytes. Found: a file whose Id counter stood at its end and
// which held a task without an Id (the counter wrapped to 1 while handing
// one out, and the save wrote a counter below Ids in use).
TEST_F(FuzzFindingsTest, PlainPayloadsThatLoadSaveAndReadBackTheSame)
{
    const QStringList findings = FindingsOf(u"datafile_plain"_s);
    ASSERT_FALSE(findings.isEmpty());
    for (const QString& path : findings) {
        SCOPED_TRACE(path.toStdString());
        CCryptMemFile payload;
        payload.SetPayload(ReadFileBytes(path));
        CalendarStore store;
        HolidayList holidays;
        ViewState view;
        QString error;
        if (!LoadDataPayload(payload, store, holidays, view, error))
            continue;
        const QByteArray first = Saved(store, holidays);

        CCryptMemFile again;
        again.SetPayload(first.mid(CCryptMemFile::kHeaderSize));
        CalendarStore reloaded;
        HolidayList reloadedHolidays;
        ASSERT_TRUE(LoadDataPayload(again, reloaded, reloadedHolidays, view, error)) << error.toStdString();
        EXPECT_EQ(Saved(reloaded, reloadedHolidays), first);
    }
}
