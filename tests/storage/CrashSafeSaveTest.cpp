// Saving when the program dies in the middle (killed at random moments) or
// the disk fills up: what was saved before is never lost.

#include "storage/DataFile.h"

#include "model/CalendarStore.h"
#include "model/Clock.h"
#include "model/DayMark.h"
#include "model/HolidayList.h"
#include "model/LanguageModule.h"
#include "model/LastTaskId.h"
#include "model/TaskRecord.h"
#include "model/ViewState.h"
#include "storage/CCryptMemFile.h"
#include "storage/CalendarGenerator.h"
#include "storage/Csv.h"
#include "storage/DeviceTasks.h"
#include "storage/PasswordKey.h"
#include "support/FileBytes.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <map>
#include <random>

#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const PackedDate kGenerationDay = MakeDate(2030, 1, 1);
const QString kPassword = u"s3cret!"_s;

// Generation g of the calendar: the day note of one day names it, and the
// note's length changes with it, so files of neighbouring generations
// differ in size as well as in content. Odd generations are saved under a
// password, even ones plain.
void SetGeneration(CalendarStore& store, int generation)
{
    store.SetDayMark({kGenerationDay, 0, u"Generation %1 "_s.arg(generation) + QString(generation % 61, u'x')});
}

PasswordKey KeyOf(int generation)
{
    PasswordKey key;
    key.SetPassword(generation % 2 != 0 ? kPassword : QString());
    return key;
}

// The generation a loaded calendar holds, or -1.
int GenerationOf(const CalendarStore& store)
{
    DayMark mark;
    if (!store.GetDayMark(kGenerationDay, mark) || !mark.Note.startsWith(u"Generation "_s))
        return -1;
    bool ok = false;
    const int generation = mark.Note.section(u' ', 1, 1).toInt(&ok);
    return ok ? generation : -1;
}

// Ignores SIGXFSZ and limits the size of every file the process writes, so
// a write past the limit fails as on a full disk; undone at the end of scope.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_set = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool IsSet() const { return m_set; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_set = false;
};

} // namespace

class CrashSafeSaveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedLastId = LastTaskId::Value();
        Clock::SetToday(MakeDate(2024, 5, 17));
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(u"Orbelin.vrx"_s);
        // A few years of use: 1500 tasks, day marks and holidays.
        CalendarGenerator().Fill(1500, m_store, m_holidays);
    }

    void TearDown() override
    {
        LastTaskId::Set(m_savedLastId);
        Clock::SetToday(0);
    }

    bool Save(CalendarStore& store, const QString& path, const PasswordKey& key, bool backup, int* number = nullptr)
    {
        QString error;
        return SaveDataFile(store, m_holidays, path, true, key.KeyBytes(), key.KeyBits(), backup, error, number);
    }

    // A digest of the bytes the program writes for generation g.
    QByteArray GenerationDigest(int generation)
    {
        QByteArray& digest = m_digests[generation];
        if (digest.isEmpty()) {
            const QString path = m_dir.filePath(u"reference.vrx"_s);
            SetGeneration(m_store, generation);
            EXPECT_TRUE(Save(m_store, path, KeyOf(generation), false));
            const QByteArray bytes = ReadFileBytes(path);
            m_fileSize = bytes.size();
            digest = Digest(bytes);
        }
        return digest;
    }

    static QByteArray Digest(const QByteArray& bytes)
    {
        return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    }

    // Loads the file (trying both keys, as the program asks for the password
    // of a protected file) and checks that it holds one whole generation,
    // byte for byte; returns it, or -1 after reporting why not.
    int CheckWholeGeneration(const QString& path)
    {
        CalendarStore loaded;
        HolidayList holidays;
        ViewState view;
        QString error;
        bool ok = false;
        for (const QString& password : {QString(), kPassword}) {
            PasswordKey key;
            key.SetPassword(password);
            if ((ok = LoadDataFile(loaded, holidays, view, path, key.KeyBytes(), key.KeyBits(), error)))
                break;
        }
        if (!ok) {
            ADD_FAILURE() << path.toStdString() << " does not load: " << error.toStdString();
            return -1;
        }
        const int generation = GenerationOf(loaded);
        if (generation < 0 || Digest(ReadFileBytes(path)) != GenerationDigest(generation)) {
            ADD_FAILURE() << path.toStdString() << " is not a whole save (generation " << generation << ")";
            return -1;
        }
        return generation;
    }

    QTemporaryDir m_dir;
    QString m_path;
    CalendarStore m_store;
    HolidayList m_holidays;
    quint32 m_savedLastId = 0;
    std::map<int, QByteArray> m_digests;
    qsizetype m_fileSize = 0;
};

// A child process saves generation after generation, each first save of its
// document taking the backup, and is killed at a random moment; 200 times.
TEST_F(CrashSafeSaveTest, KilledSavesLeaveTheOldOrTheNewFileAndALoadableBackup)
{
    SetGeneration(m_store, 0);
    ASSERT_TRUE(Save(m_store, m_path, KeyOf(0), false));

    // Kills fall anywhere from before the first save (which also copies the
    // backup) to a few saves later: the delays are random fractions (fixed
    // seed) of a span that starts at six saves and grows while kills keep
    // coming before a save could finish (a busy machine) and shrinks while
    // they come late.
    QElapsedTimer timer;
    timer.start();
    for (int n = 1; n <= 3; ++n)
        GenerationDigest(n);
    double span = 6.0 * double(std::max<qint64>(timer.nsecsElapsed() / 3000, 100));
    std::mt19937 random(20261210);
    std::uniform_real_distribution<double> fraction(0.0, 1.0);

    const int kKills = 200;
    int generation = 0;
    int newerFiles = 0;
    int backups = 0;
    QByteArray checkedBackup;
    for (int kill = 0; kill < kKills; ++kill) {
        const int first = generation + 1;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            // A new session with the document: its first save takes the backup.
            m_store.SetBackupDone(false);
            for (int g = first;; ++g) {
                SetGeneration(m_store, g);
                if (!Save(m_store, m_path, KeyOf(g), true))
                    _exit(3);
            }
        }
        usleep(useconds_t(fraction(random) * span));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child ended by itself, status " << status;

        const int found = CheckWholeGeneration(m_path);
        ASSERT_GE(found, generation) << "kill " << kill << ": the file went back to an older save";
        newerFiles += found > generation ? 1 : 0;
        span = std::clamp(found > generation ? span * 0.8 : span * 1.25, 100.0, 2e6);
        generation = found;
        const QString backup = m_path + u"BAK"_s;
        // A backup seen whole before needs no second look.
        const QByteArray backupDigest = Digest(ReadFileBytes(backup));
        if (QFile::exists(backup) && backupDigest != checkedBackup) {
            ++backups;
            const int backupGeneration = CheckWholeGeneration(backup);
            ASSERT_GE(backupGeneration, 0) << "kill " << kill;
            EXPECT_LE(backupGeneration, generation);
            checkedBackup = backupDigest;
        }
    }
    // Some kills came before a save was through, others after.
    EXPECT_GT(newerFiles, 0);
    EXPECT_LT(newerFiles, kKills);
    EXPECT_GT(backups, 0);
    RecordProperty("newer_files", newerFiles);
    RecordProperty("backups_checked", backups);
    RecordProperty("file_bytes", int(m_fileSize));
}

// A write the file system refuses (the file size limit of the process
// stands in for a full disk): the save reports its message, the document
// stays modified, the file on disk and the older backup stay as they were,
// and no temporary file is left behind. Once there is room, saving works.
TEST_F(CrashSafeSaveTest, FullDiskKeepsTheOldFileAndTheDocumentModified)
{
    const QString scratch = m_dir.filePath(u"scratch.vrx"_s);
    ASSERT_TRUE(Save(m_store, scratch, PasswordKey(), false));
    const rlim_t half = rlim_t(ReadFileBytes(scratch).size() / 2);
    struct Row
    {
        const char* name;
        rlim_t limit;
        bool password;
        bool backup;
    };
    const Row rows[] = {
        {"nothing_fits", 0, false, false},
        {"header_only", 4, false, false},
        {"plain_cut_halfway", half, false, false},
        {"enciphered_cut_halfway", half, true, false},
        {"backup_copy_does_not_fit", 1024, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString folder = m_dir.filePath(QString::fromLatin1(row.name));
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString path = folder + u"/Orbelin.vrx"_s;
        const QString backupPath = path + u"BAK"_s;
        // The file (larger than the backup row's limit) and an older backup,
        // both far smaller than the new save.
        CalendarStore older;
        older.ResetToDefaults();
        for (int n = 0; n < 100; ++n)
            older.SetDayMark({AddDays(kGenerationDay, n), 0, QString(50, u'n')});
        ASSERT_TRUE(Save(older, path, PasswordKey(), false));
        WriteFileBytes(backupPath, QByteArray("an older backup"));
        const QByteArray old = ReadFileBytes(path);
        ASSERT_GT(old.size(), 1024);
        const QByteArray oldBackup = ReadFileBytes(backupPath);

        PasswordKey key;
        ASSERT_TRUE(key.SetPassword(row.password ? kPassword : QString()));
        m_store.SetBackupDone(false);
        m_store.SetModified(true);
        bool saved = true;
        int number = -1;
        {
            FileSizeLimit limit(row.limit);
            ASSERT_TRUE(limit.IsSet());
            saved = Save(m_store, path, key, row.backup, &number);
        }
        EXPECT_FALSE(saved);
        EXPECT_EQ(number, 205);
        EXPECT_TRUE(m_store.Modified());
        EXPECT_EQ(ReadFileBytes(path), old);
        EXPECT_EQ(ReadFileBytes(backupPath), oldBackup);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                  (QStringList{u"Orbelin.vrx"_s, u"Orbelin.vrxBAK"_s}));

        EXPECT_TRUE(Save(m_store, path, key, row.backup, &number));
        EXPECT_FALSE(m_store.Modified());
    }
}

TEST_F(CrashSafeSaveTest, BackupReplacesAnOlderOneAndKeepsTheFilesPermissions)
{
    WriteFileBytes(m_path, QByteArray("the file before"));
    WriteFileBytes(m_path + u"BAK"_s, QByteArray("an older backup, longer than the file"));
    const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(m_path, ownerOnly));

    m_store.SetBackupDone(false);
    ASSERT_TRUE(Save(m_store, m_path, PasswordKey(), true));
    EXPECT_EQ(ReadFileBytes(m_path + u"BAK"_s), QByteArray("the file before"));
    // Owner, group and others (the "user" bits only repeat the owner's for us).
    const QFile::Permissions mask(0x7077);
    EXPECT_EQ(QFile::permissions(m_path + u"BAK"_s) & mask, ownerOnly);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), (QStringList{u"Orbelin.vrx"_s, u"Orbelin.vrxBAK"_s}));
}

// The other files the program writes whole: on a full disk the export fails
// and leaves no cut-off file (the CSV file that was there stays as it was;
// the shared task list gets no damaged task file).
TEST_F(CrashSafeSaveTest, ExportsOnAFullDiskLeaveNoCutOffFile)
{
    const QString csvPath = m_dir.filePath(u"tasks.csv"_s);
    WriteFileBytes(csvPath, QByteArray("the export before\n"));
    const QString taskDir = m_dir.filePath(u"tasks"_s);
    ASSERT_TRUE(QDir().mkpath(taskDir));
    CalendarStore one;
    one.ResetToDefaults();
    TaskRecord task;
    task.Title = u"A task with a long note"_s;
    task.Note = QString(4000, u'n');
    one.AddTask(task, true);

    bool csvExported = true;
    int tasksExported = -1;
    {
        FileSizeLimit limit(1024);
        ASSERT_TRUE(limit.IsSet());
        csvExported = ExportCsv(csvPath, m_store, u"M/d/yyyy"_s);
        tasksExported = ExportDeviceTasks(one, taskDir);
    }
    EXPECT_FALSE(csvExported);
    EXPECT_EQ(ReadFileBytes(csvPath), QByteArray("the export before\n"));
    EXPECT_EQ(QDir(m_dir.path()).entryList({u"tasks.csv*"_s}, QDir::Files), QStringList{u"tasks.csv"_s});
    EXPECT_EQ(tasksExported, 0);
    EXPECT_EQ(QDir(taskDir).entryList(QDir::Files), QStringList());
}
