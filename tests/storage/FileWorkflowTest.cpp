#include "storage/FileWorkflow.h"

#include "model/CalendarStore.h"
#include "model/Clock.h"
#include "model/HolidayList.h"
#include "model/LanguageModule.h"
#include "model/LastTaskId.h"
#include "model/ViewState.h"
#include "storage/CCryptMemFile.h"
#include "storage/DataFile.h"
#include "storage/DesktopAssociation.h"
#include "storage/PasswordKey.h"
#include "storage/Planner.h"
#include "storage/RegistryKey.h"
#include "storage/Settings.h"
#include "support/ScriptedPrompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using Button = UserPrompts::Button;
using Icon = UserPrompts::Icon;

void ClearStore(const QString& application)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, u"Corvane Software"_s, application);
    store.clear();
    store.sync();
}

TaskRecord Task(const QString& title)
{
    TaskRecord task;
    task.Title = title;
    task.Date = MakeDate(2024, 3, 15);
    return task;
}

// Writes a calendar holding one task, protected when password is not empty.
void WriteCalendar(const QString& path, const QString& password, const QString& title)
{
    CalendarStore store;
    store.ResetToDefaults();
    HolidayList holidays;
    ASSERT_GE(store.AddTask(Task(title), true), 0);
    PasswordKey key;
    ASSERT_TRUE(key.SetPassword(password));
    QString error;
    ASSERT_TRUE(SaveDataFile(store, holidays, path, true, key.KeyBytes(), key.KeyBits(), false, error)) << error.toStdString();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Byte 3 of the file's header: 0x00 plain, 0x65 enciphered; -1 without a header.
int HeaderKind(const QString& path)
{
    const QByteArray bytes = ReadBytes(path);
    return bytes.size() >= 4 ? int(quint8(bytes.at(3))) : -1;
}

bool HasTask(const CalendarStore& store, const QString& title)
{
    for (int i = 0; i < store.TaskCount(); ++i) {
        if (store.IsLive(i) && store.GetTask(i)->Title == title)
            return true;
    }
    return false;
}

int LiveTasks(const CalendarStore& store)
{
    int count = 0;
    for (int i = 0; i < store.TaskCount(); ++i)
        count += store.IsLive(i) ? 1 : 0;
    return count;
}

// Notes whether a question came up under the wait cursor: the user is never
// asked anything while the program shows it is busy.
struct Prompts : ScriptedPrompts
{
    int waitAtQuestion = 0;
    Button ShowMessage(const QString& text, const QString& caption, int buttons, Icon icon) override
    {
        Note();
        return ScriptedPrompts::ShowMessage(text, caption, buttons, icon);
    }
    bool AskPassword(const QString& prompt, QString& password) override
    {
        Note();
        if (store)
            pathsAtPassword << store->FilePath();
        return ScriptedPrompts::AskPassword(prompt, password);
    }
    bool AskNewPassword(QString& password) override
    {
        Note();
        return ScriptedPrompts::AskNewPassword(password);
    }
    bool PickFile(FileKind kind, bool forSaving, const QString& folder, const QString& name,
                  QString& chosenPath) override
    {
        Note();
        return ScriptedPrompts::PickFile(kind, forSaving, folder, name, chosenPath);
    }
    void Note() { waitAtQuestion = std::max(waitAtQuestion, waitDepth); }
    // The document's path whenever the password is asked for: the password
    // dialog names that file.
    const CalendarStore* store = nullptr;
    QStringList pathsAtPassword;
};

// A file that exists but that the system does not let anyone read, root
// included: a socket.
bool MakeUnreadable(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (size_t(name.size()) >= sizeof(address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = socket >= 0 && ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    if (socket >= 0)
        ::close(socket);
    return bound;
}

struct CountingListener : DocumentListener
{
    int resets = 0;
    int loads = 0;
    void DocumentReset() override { ++resets; }
    void DocumentLoaded() override { ++loads; }
};

class FileWorkflowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::SetToday(MakeDate(2024, 3, 20));
        ClearStore(u"Orbelin Planner"_s);
        ClearStore(u"Orbelin Planner Classes"_s);
        QDir(FileWorkflow::ProgramFolder()).removeRecursively();
        ASSERT_TRUE(m_dir.isValid());
        // The checks compare shown texts with the numbered ones.
        ASSERT_FALSE(GetText(219).isEmpty());
        m_workflow.SetListener(&m_listener);
        m_prompts.store = &m_store;
    }

    void TearDown() override
    {
        CCryptMemFile::SetWriteLimitForTesting(-1);
        QDir(FileWorkflow::ProgramFolder()).removeRecursively();
        ClearStore(u"Orbelin Planner"_s);
        ClearStore(u"Orbelin Planner Classes"_s);
        Clock::SetToday(0);
    }

    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    QString Folder() const { return m_dir.path() + u'/'; }

    // The location as a fresh start of the program would read it.
    std::pair<QString, QString> StoredLocation() const
    {
        Settings fresh(true);
        ViewState view;
        fresh.LoadSettings(view);
        return {fresh.DataDir(), fresh.DataName()};
    }

    // A document with unsaved changes, titled at path or untitled.
    void MakeModified(const QString& path = QString())
    {
        m_store.ResetToDefaults();
        if (!path.isEmpty())
            m_store.SetFilePath(path);
        ASSERT_GE(m_store.AddTask(Task(u"Unsaved"_s), true), 0);
        ASSERT_TRUE(m_store.Modified());
    }

    void ExpectNoSurprises() const
    {
        EXPECT_TRUE(m_prompts.unexpected.isEmpty()) << m_prompts.unexpected.join(u'\n').toStdString();
        EXPECT_EQ(m_prompts.waitDepth, 0);
        EXPECT_EQ(m_prompts.waitAtQuestion, 0);
    }

    void ExpectEmptyUntitled() const
    {
        EXPECT_TRUE(m_store.Untitled());
        EXPECT_FALSE(m_store.Modified());
        EXPECT_EQ(LiveTasks(m_store), 0);
        EXPECT_EQ(m_store.Categories().Count(), 3);
        EXPECT_EQ(m_password.KeyBits(), 0);
    }

    // The file was not opened: why, then message 225.
    void ExpectNotOpened(int index, int reason) const
    {
        ASSERT_LT(index, m_prompts.messages.size());
        const ScriptedPrompts::Shown& shown = m_prompts.messages.at(index);
        const QString expected = reason ? GetText(reason) + u"\n\n"_s + GetText(225) : GetText(225);
        EXPECT_EQ(shown.text, expected);
        EXPECT_EQ(shown.caption, GetText(183));
        EXPECT_EQ(shown.icon, UserPrompts::Information);
    }

    void ExpectMessage(int index, int text, int caption, Icon icon) const
    {
        ASSERT_LT(index, m_prompts.messages.size());
        const ScriptedPrompts::Shown& shown = m_prompts.messages.at(index);
        EXPECT_EQ(shown.text, GetText(text));
        EXPECT_EQ(shown.caption, GetText(caption));
        EXPECT_EQ(shown.icon, icon);
    }

    QTemporaryDir m_dir;
    CalendarStore m_store;
    HolidayList m_holidays;
    ViewState m_view;
    Settings m_settings{true};
    PasswordKey m_password;
    Prompts m_prompts;
    Planner m_planner{m_store, m_holidays, m_view, m_settings, m_password, m_prompts};
    FileWorkflow m_workflow{m_planner};
    CountingListener m_listener;
};

// ---- Paths

TEST_F(FileWorkflowTest, PathPartsSplitAtTheLastSlash)
{
    struct Row
    {
        const char* name;
        QString path, folder, fileName;
    };
    const std::vector<Row> rows = {
        {"file in a folder", u"/home/me/cal/Work.vrx"_s, u"/home/me/cal/"_s, u"Work.vrx"_s},
        {"file in the root folder", u"/Work.vrx"_s, u"/"_s, u"Work.vrx"_s},
        {"bare file name", u"Work.vrx"_s, QString(), u"Work.vrx"_s},
        {"folder only", u"/home/me/"_s, u"/home/me/"_s, QString()},
        {"empty", QString(), QString(), QString()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(FileWorkflow::FolderPart(row.path), row.folder);
        EXPECT_EQ(FileWorkflow::NamePart(row.path), row.fileName);
        EXPECT_EQ(FileWorkflow::FolderPart(row.path) + FileWorkflow::NamePart(row.path), row.path);
    }
}

TEST_F(FileWorkflowTest, DataFilePathJoinsFolderAndNameWithDefaults)
{
    struct Row
    {
        const char* name;
        QString dir, dataName, expected;
    };
    const QString program = FileWorkflow::ProgramFolder();
    ASSERT_TRUE(program.endsWith(u'/'));
    const std::vector<Row> rows = {
        {"both empty", QString(), QString(), program + u"Orbelin.vrx"_s},
        {"name only", QString(), u"Work.vrx"_s, program + u"Work.vrx"_s},
        {"folder with slash", u"/data/"_s, u"Work.vrx"_s, u"/data/Work.vrx"_s},
        {"folder without slash", u"/data"_s, u"Work.vrx"_s, u"/data/Work.vrx"_s},
        {"root folder", u"/"_s, QString(), u"/Orbelin.vrx"_s},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_settings.SetDataDir(row.dir);
        m_settings.SetDataName(row.dataName);
        EXPECT_EQ(m_workflow.DataFilePath(), row.expected);
    }
    EXPECT_TRUE(FileWorkflow::IsProgramFolder(program));
    EXPECT_TRUE(FileWorkflow::IsProgramFolder(program.chopped(1)));
    EXPECT_FALSE(FileWorkflow::IsProgramFolder(Folder()));
    EXPECT_FALSE(FileWorkflow::IsProgramFolder(QString()));
}

// ---- Start-up

TEST_F(FileWorkflowTest, StartUpWithoutSettingsOrFileGivesEmptyUntitledDocumentAndFirstSaveAsksForName)
{
    m_settings.LoadSettings(m_view);
    m_store.SetModified(true); // whatever was there before is dropped

    EXPECT_FALSE(m_workflow.StartUp(QString()));

    ExpectEmptyUntitled();
    EXPECT_TRUE(m_prompts.messages.isEmpty()); // a missing file is not reported
    EXPECT_EQ(m_view.SelectedDate, MakeDate(2024, 3, 20));
    EXPECT_EQ(m_listener.resets, 1);
    EXPECT_EQ(m_listener.loads, 1);
    const QString program = FileWorkflow::ProgramFolder();
    EXPECT_EQ(StoredLocation(), std::make_pair(program, u"Orbelin.vrx"_s));
    ASSERT_FALSE(QFileInfo::exists(program));

    // The first Save asks for a name in the program's folder and creates it.
    ASSERT_GE(m_store.AddTask(Task(u"First"_s), true), 0);
    m_prompts.fileReplies.push_back({true, program + u"Orbelin.vrx"_s});
    EXPECT_TRUE(m_workflow.Save());

    ASSERT_EQ(m_prompts.fileRequests.size(), 1);
    EXPECT_EQ(m_prompts.fileRequests[0].kind, UserPrompts::FileKind::Data);
    EXPECT_TRUE(m_prompts.fileRequests[0].forSaving);
    EXPECT_EQ(m_prompts.fileRequests[0].folder, program);
    EXPECT_EQ(m_prompts.fileRequests[0].name, u"Orbelin.vrx"_s);
    EXPECT_TRUE(QFileInfo(program + u"Orbelin.vrx"_s).isFile());
    EXPECT_FALSE(m_store.Modified());
    EXPECT_FALSE(m_store.Untitled());
    EXPECT_EQ(m_store.FilePath(), program + u"Orbelin.vrx"_s);
    // Choosing the program's own folder stores an empty DataDir.
    EXPECT_EQ(StoredLocation(), std::make_pair(QString(), u"Orbelin.vrx"_s));
    ExpectMessage(0, 222, 288, UserPrompts::Information);
    EXPECT_GE(m_prompts.maxWaitDepth, 1);
    ExpectNoSurprises();

    // The next start-up writes the program's folder out.
    EXPECT_TRUE(m_workflow.StartUp(QString()));
    EXPECT_TRUE(HasTask(m_store, u"First"_s));
    EXPECT_EQ(StoredLocation(), std::make_pair(program, u"Orbelin.vrx"_s));
}

TEST_F(FileWorkflowTest, StartUpOpensTheCommandLineFileMadeAbsolute)
{
    WriteCalendar(PathOf(u"Work.vrx"_s), QString(), u"Plan"_s);
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    const bool loaded = m_workflow.StartUp(u"Work.vrx"_s);
    QDir::setCurrent(previous);

    EXPECT_TRUE(loaded);
    EXPECT_TRUE(HasTask(m_store, u"Plan"_s));
    EXPECT_FALSE(m_store.Untitled());
    EXPECT_FALSE(m_store.Modified());
    EXPECT_EQ(QFileInfo(m_store.FilePath()), QFileInfo(PathOf(u"Work.vrx"_s)));
    const auto [dir, name] = StoredLocation();
    EXPECT_TRUE(dir.startsWith(u'/') && dir.endsWith(u'/')) << dir.toStdString();
    EXPECT_EQ(QFileInfo(dir), QFileInfo(m_dir.path()));
    EXPECT_EQ(name, u"Work.vrx"_s);
    EXPECT_TRUE(m_prompts.passwordPrompts.isEmpty());
    ExpectNoSurprises();
}

// ---- Opening and the password prompts

TEST_F(FileWorkflowTest, FailedLoadsAskForThePasswordUntilItFitsOrTheUserCancels)
{
    enum class File { Protected, Damaged };
    struct Row
    {
        const char* name;
        File file;
        std::vector<std::pair<bool, QString>> replies;
        std::vector<int> prompts;
        bool loaded;
        int reason = 0; // why it was not opened
    };
    const std::vector<Row> rows = {
        {"right password first", File::Protected, {{true, u"secret"_s}}, {224}, true},
        {"wrong then right", File::Protected, {{true, u"wrong"_s}, {true, u"secret"_s}}, {224, 226}, true},
        {"too long then right", File::Protected, {{true, u"a password too long for a key"_s}, {true, u"secret"_s}},
         {224, 226}, true},
        {"wrong then cancel", File::Protected, {{true, u"wrong"_s}, {false, QString()}}, {224, 226}, false, 207},
        {"cancel at once", File::Protected, {{false, QString()}}, {224}, false, 207},
        {"damaged file", File::Damaged, {{true, u"secret"_s}, {false, QString()}}, {224, 226}, false, 211},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = PathOf(u"Secret.vrx"_s);
        if (row.file == File::Protected)
            WriteCalendar(path, u"secret"_s, u"Hidden"_s);
        else
            WriteBytes(path, QByteArray("ca\x0A\x00[C11_FILE]broken", 20));
        m_prompts = Prompts();
        m_prompts.store = &m_store;
        m_prompts.passwordReplies.assign(row.replies.begin(), row.replies.end());
        m_workflow.ResetDocument();

        EXPECT_EQ(m_workflow.OpenDataFile(path, true), row.loaded);

        QStringList expected;
        for (int id : row.prompts)
            expected << GetText(id);
        EXPECT_EQ(m_prompts.passwordPrompts, expected);
        if (row.loaded) {
            EXPECT_TRUE(HasTask(m_store, u"Hidden"_s));
            EXPECT_TRUE(m_password.MatchesPassword(u"secret"_s));
            EXPECT_EQ(m_store.FilePath(), path);
            EXPECT_FALSE(m_store.Untitled());
            EXPECT_TRUE(m_prompts.messages.isEmpty());
        } else {
            ExpectEmptyUntitled();
            ASSERT_EQ(m_prompts.messages.size(), 1);
            ExpectNotOpened(0, row.reason);
        }
        // The password dialog names the file it asks for.
        EXPECT_EQ(m_prompts.pathsAtPassword, QStringList(qsizetype(row.prompts.size()), path));
        ExpectNoSurprises();
    }
}

TEST_F(FileWorkflowTest, AFileTheSystemDoesNotLetBeReadIsReportedWithoutAskingForAPassword)
{
    const QString path = PathOf(u"socket.vrx"_s);
    ASSERT_TRUE(MakeUnreadable(path));

    EXPECT_FALSE(m_workflow.OpenDataFile(path, true));

    EXPECT_TRUE(m_prompts.passwordPrompts.isEmpty());
    ASSERT_EQ(m_prompts.messages.size(), 1);
    EXPECT_FALSE(m_prompts.messages[0].text.isEmpty());
    EXPECT_EQ(m_prompts.messages[0].caption, GetText(195));
    EXPECT_EQ(m_prompts.messages[0].icon, UserPrompts::Error);
    ExpectEmptyUntitled();
    ExpectNoSurprises();
}

TEST_F(FileWorkflowTest, OpenFileLoadsTheChosenFileAndRemembersItsPlace)
{
    WriteCalendar(PathOf(u"Work.vrx"_s), QString(), u"Plan"_s);
    m_settings.SetDataName(u"Old.vrx"_s);
    m_prompts.fileReplies.push_back({true, PathOf(u"Work.vrx"_s)});

    EXPECT_TRUE(m_workflow.OpenFile());

    ASSERT_EQ(m_prompts.fileRequests.size(), 1);
    EXPECT_FALSE(m_prompts.fileRequests[0].forSaving);
    EXPECT_EQ(m_prompts.fileRequests[0].kind, UserPrompts::FileKind::Data);
    EXPECT_EQ(m_prompts.fileRequests[0].folder, FileWorkflow::ProgramFolder());
    EXPECT_EQ(m_prompts.fileRequests[0].name, u"Old.vrx"_s);
    EXPECT_TRUE(HasTask(m_store, u"Plan"_s));
    EXPECT_EQ(StoredLocation(), std::make_pair(Folder(), u"Work.vrx"_s));
    EXPECT_EQ(m_listener.resets, 1);
    EXPECT_EQ(m_listener.loads, 1);
    ExpectNoSurprises();

    // A protected file asks for its password until it fits, once.
    WriteCalendar(PathOf(u"Secret.vrx"_s), u"secret"_s, u"Hidden"_s);
    m_prompts.fileReplies.push_back({true, PathOf(u"Secret.vrx"_s)});
    m_prompts.passwordReplies = {{true, u"wrong"_s}, {true, u"secret"_s}};
    EXPECT_TRUE(m_workflow.OpenFile());
    EXPECT_EQ(m_prompts.passwordPrompts, (QStringList{GetText(224), GetText(226)}));
    EXPECT_EQ(m_prompts.pathsAtPassword, QStringList(2, PathOf(u"Secret.vrx"_s)));
    EXPECT_TRUE(HasTask(m_store, u"Hidden"_s));
    EXPECT_TRUE(m_password.MatchesPassword(u"secret"_s));
    EXPECT_EQ(m_store.FilePath(), PathOf(u"Secret.vrx"_s));
    EXPECT_FALSE(m_store.Modified());
    EXPECT_EQ(StoredLocation(), std::make_pair(Folder(), u"Secret.vrx"_s));
    ExpectNoSurprises();

    // A file in the program's own folder is remembered with an empty DataDir.
    const QString program = FileWorkflow::ProgramFolder();
    ASSERT_TRUE(QDir().mkpath(program));
    WriteCalendar(program + u"Home.vrx"_s, QString(), u"Home task"_s);
    m_prompts.fileReplies.push_back({true, program + u"Home.vrx"_s});
    EXPECT_TRUE(m_workflow.OpenFile());
    EXPECT_TRUE(HasTask(m_store, u"Home task"_s));
    EXPECT_EQ(StoredLocation(), std::make_pair(QString(), u"Home.vrx"_s));
    ExpectNoSurprises();
}

TEST_F(FileWorkflowTest, OpenFileKeepsTheCalendarInPlaceWhenTheChosenFileDoesNotOpen)
{
    enum class File { Missing, Unreadable, Damaged, Foreign, Protected };
    struct Row
    {
        const char* name;
        File file;
        int passwords;  // wrong ones typed before Cancel
        int message;    // 0: the system's reason, titled 195
        int reason = 0; // before 225, titled 183
    };
    const Row rows[] = {
        {"missing", File::Missing, -1, 223},
        {"unreadable", File::Unreadable, -1, 0},
        {"damaged", File::Damaged, 0, 225, 211},
        {"not a calendar", File::Foreign, 0, 225, 209},
        {"wrong password three times", File::Protected, 3, 225, 207},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString current = PathOf(u"Current.vrx"_s);
        WriteCalendar(current, u"mine"_s, u"Mine"_s);
        m_prompts = Prompts();
        m_prompts.store = &m_store;
        m_prompts.passwordReplies = {{true, u"mine"_s}};
        ASSERT_TRUE(m_workflow.OpenDataFile(current, true));
        ASSERT_GE(m_store.AddTask(Task(u"Unsaved"_s), true), 0);
        m_store.SetFilePath(QString());
        m_store.SetUntitled(true); // a calendar never saved: nothing else holds it
        m_settings.SetDataName(u"Current.vrx"_s);
        m_settings.SaveFileLocation();
        m_listener = CountingListener();

        const QString chosen = PathOf(u"Chosen.vrx"_s);
        QFile::remove(chosen);
        switch (row.file) {
        case File::Missing:
            break;
        case File::Unreadable:
            ASSERT_TRUE(MakeUnreadable(chosen));
            break;
        case File::Damaged:
            WriteBytes(chosen, QByteArray("ca\x0A\x00[C11_FILE]broken", 20));
            break;
        case File::Foreign:
            WriteBytes(chosen, QByteArray("\x89PNG\r\n\x1A\n and more of a picture"));
            break;
        case File::Protected:
            WriteCalendar(chosen, u"theirs"_s, u"Theirs"_s);
            break;
        }
        const quint32 lastId = LastTaskId::Value();
        m_prompts = Prompts();
        m_prompts.store = &m_store;
        m_prompts.messageReplies = {UserPrompts::No}; // do not save the untitled calendar
        m_prompts.fileReplies.push_back({true, chosen});
        for (int i = 0; i < row.passwords; ++i)
            m_prompts.passwordReplies.push_back({true, u"wrong"_s});
        if (row.passwords >= 0)
            m_prompts.passwordReplies.push_back({false, QString()});

        EXPECT_FALSE(m_workflow.OpenFile());

        // The calendar in place is as it was, password and all.
        EXPECT_TRUE(HasTask(m_store, u"Mine"_s));
        EXPECT_TRUE(HasTask(m_store, u"Unsaved"_s));
        EXPECT_FALSE(HasTask(m_store, u"Theirs"_s));
        EXPECT_TRUE(m_store.Modified());
        EXPECT_TRUE(m_store.Untitled());
        EXPECT_TRUE(m_store.FilePath().isEmpty());
        EXPECT_TRUE(m_password.MatchesPassword(u"mine"_s));
        EXPECT_EQ(LastTaskId::Value(), lastId);
        EXPECT_EQ(m_listener.resets, 0);
        EXPECT_EQ(StoredLocation().second, u"Current.vrx"_s);
        EXPECT_EQ(m_prompts.passwordPrompts.size(), row.passwords + 1);
        EXPECT_EQ(m_prompts.pathsAtPassword, QStringList(row.passwords + 1, chosen));
        ASSERT_EQ(m_prompts.messages.size(), 2); // the offer to save, then why
        if (row.message == 225) {
            ExpectNotOpened(1, row.reason);
        } else if (row.message == 0) {
            EXPECT_FALSE(m_prompts.messages[1].text.isEmpty());
            EXPECT_EQ(m_prompts.messages[1].caption, GetText(195));
            EXPECT_EQ(m_prompts.messages[1].icon, UserPrompts::Error);
        } else {
            ExpectMessage(1, row.message, 195, UserPrompts::Error);
        }
        ExpectNoSurprises();
    }
}

TEST_F(FileWorkflowTest, OpenFileStopsWhenTheUserCancels)
{
    MakeModified();
    m_prompts.messageReplies = {UserPrompts::Cancel};
    EXPECT_FALSE(m_workflow.OpenFile());
    EXPECT_TRUE(m_prompts.fileRequests.isEmpty());

    m_prompts.messageReplies = {UserPrompts::No};
    m_prompts.fileReplies.push_back({false, QString()});
    EXPECT_FALSE(m_workflow.OpenFile());
    EXPECT_TRUE(HasTask(m_store, u"Unsaved"_s)); // nothing was reset
    EXPECT_EQ(m_listener.resets, 0);
    ExpectNoSurprises();
}

// ---- Offer to save (Exit, New, Open)

TEST_F(FileWorkflowTest, QuerySaveAsksOnlyForModifiedUntitledDocuments)
{
    enum class Doc { Unmodified, ModifiedTitled, ModifiedUntitled };
    struct Row
    {
        const char* name;
        Doc doc;
        bool ask;
        std::vector<Button> replies;
        bool pickFile;
        bool result;
        bool questionAsked;
        bool saved;
    };
    const std::vector<Row> rows = {
        {"unmodified", Doc::Unmodified, true, {}, false, true, false, false},
        {"modified titled saves silently", Doc::ModifiedTitled, true, {}, false, true, false, true},
        {"modified untitled without asking", Doc::ModifiedUntitled, false, {}, false, true, false, false},
        {"modified untitled, Cancel", Doc::ModifiedUntitled, true, {UserPrompts::Cancel}, false, false, true, false},
        {"modified untitled, No", Doc::ModifiedUntitled, true, {UserPrompts::No}, false, true, true, false},
        {"modified untitled, Yes", Doc::ModifiedUntitled, true, {UserPrompts::Yes}, true, true, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = PathOf(u"Exit.vrx"_s);
        QFile::remove(path);
        m_prompts = Prompts();
        m_prompts.messageReplies.assign(row.replies.begin(), row.replies.end());
        if (row.pickFile)
            m_prompts.fileReplies.push_back({true, path});
        if (row.doc == Doc::Unmodified)
            m_store.ResetToDefaults();
        else
            MakeModified(row.doc == Doc::ModifiedTitled ? path : QString());

        EXPECT_EQ(m_workflow.QuerySave(row.ask), row.result);

        const bool asked = !m_prompts.messages.isEmpty() && m_prompts.messages[0].text == GetText(219);
        EXPECT_EQ(asked, row.questionAsked);
        if (asked) {
            EXPECT_EQ(m_prompts.messages[0].buttons, UserPrompts::YesNoCancel);
        }
        EXPECT_EQ(QFileInfo::exists(path), row.saved);
        EXPECT_EQ(m_store.Modified(), row.doc != Doc::Unmodified && !row.saved);
        EXPECT_EQ(m_prompts.fileRequests.size(), row.pickFile ? 1 : 0);
        ExpectNoSurprises();
    }
}

// ---- Save As

TEST_F(FileWorkflowTest, SaveAsOverAnExistingFileAsksBeforeReplacingIt)
{
    const QString path = PathOf(u"Taken.vrx"_s);
    WriteBytes(path, "keep me");
    MakeModified();

    m_prompts.fileReplies.push_back({true, path});
    m_prompts.messageReplies = {UserPrompts::No};
    EXPECT_FALSE(m_workflow.SaveAs());
    ASSERT_EQ(m_prompts.messages.size(), 1);
    ExpectMessage(0, 220, 221, UserPrompts::Warning);
    EXPECT_EQ(m_prompts.messages[0].buttons, UserPrompts::YesNo);
    EXPECT_EQ(ReadBytes(path), QByteArray("keep me"));
    EXPECT_TRUE(m_store.Untitled());
    EXPECT_TRUE(m_store.Modified());

    m_prompts.fileReplies.push_back({true, path});
    m_prompts.messageReplies = {UserPrompts::Yes};
    EXPECT_TRUE(m_workflow.SaveAs());
    EXPECT_NE(ReadBytes(path), QByteArray("keep me"));
    EXPECT_EQ(m_store.FilePath(), path);
    EXPECT_FALSE(m_store.Modified());
    ExpectNoSurprises();
}

TEST_F(FileWorkflowTest, SaveAsWritesTheFileAndRemembersItsPlace)
{
    MakeModified();
    m_settings.SetDataDir(Folder());
    m_settings.SetDataName(u"Proposed.vrx"_s);
    const QString path = m_dir.path() + u"/new folder/Mine.vrx"_s;
    m_prompts.fileReplies.push_back({true, path});

    EXPECT_TRUE(m_workflow.SaveAs());

    EXPECT_EQ(m_prompts.fileRequests[0].folder, Folder());
    EXPECT_EQ(m_prompts.fileRequests[0].name, u"Proposed.vrx"_s);
    ASSERT_EQ(m_prompts.messages.size(), 1);
    ExpectMessage(0, 222, 288, UserPrompts::Information);
    EXPECT_EQ(StoredLocation(), std::make_pair(m_dir.path() + u"/new folder/"_s, u"Mine.vrx"_s));
    EXPECT_EQ(m_store.FilePath(), path);
    EXPECT_FALSE(m_store.Untitled());

    // It opens again with what was saved.
    m_workflow.ResetDocument();
    EXPECT_TRUE(m_workflow.OpenDataFile(path, true));
    EXPECT_TRUE(HasTask(m_store, u"Unsaved"_s));
    ExpectNoSurprises();
}

TEST_F(FileWorkflowTest, CancelledSaveAsChangesNothing)
{
    MakeModified();
    m_prompts.fileReplies.push_back({false, QString()});
    EXPECT_FALSE(m_workflow.SaveAs());
    EXPECT_TRUE(m_store.Untitled());
    EXPECT_TRUE(m_store.Modified());
    EXPECT_TRUE(m_prompts.messages.isEmpty());
    ExpectNoSurprises();
}

// ---- Save failures

TEST_F(FileWorkflowTest, FailedSaveShowsTheErrorAndLeavesTheDocumentModified)
{
    const QString path = PathOf(u"Full.vrx"_s);
    MakeModified(path);
    CCryptMemFile::SetWriteLimitForTesting(10);

    EXPECT_FALSE(m_workflow.SaveCurrent());

    ASSERT_EQ(m_prompts.messages.size(), 1);
    EXPECT_FALSE(m_prompts.messages[0].text.isEmpty());
    EXPECT_EQ(m_prompts.messages[0].caption, GetText(195));
    EXPECT_EQ(m_prompts.messages[0].icon, UserPrompts::Error);
    EXPECT_TRUE(m_store.Modified());
    EXPECT_EQ(m_store.FilePath(), path);

    // Exit cannot go on past a calendar that could not be saved.
    EXPECT_FALSE(m_workflow.QuerySave(true));
    ExpectNoSurprises();
}

TEST_F(FileWorkflowTest, FailedSaveAsKeepsThePreviousFileAndLocation)
{
    const QString before = PathOf(u"Before.vrx"_s);
    WriteCalendar(before, QString(), u"Old"_s);
    m_settings.SetDataDir(Folder());
    m_settings.SetDataName(u"Before.vrx"_s);
    m_settings.SaveFileLocation();
    ASSERT_TRUE(m_workflow.OpenDataFile(before, true));
    ASSERT_GE(m_store.AddTask(Task(u"New"_s), true), 0);
    // A folder cannot be made below a plain file.
    WriteBytes(PathOf(u"plain"_s), "x");
    m_prompts.fileReplies.push_back({true, PathOf(u"plain/After.vrx"_s)});

    EXPECT_FALSE(m_workflow.SaveAs());

    ASSERT_EQ(m_prompts.messages.size(), 1);
    EXPECT_EQ(m_prompts.messages[0].caption, GetText(195));
    EXPECT_EQ(m_prompts.messages[0].icon, UserPrompts::Error);
    EXPECT_TRUE(m_store.Modified());
    EXPECT_FALSE(m_store.Untitled());
    EXPECT_EQ(m_store.FilePath(), before);
    EXPECT_EQ(StoredLocation(), std::make_pair(Folder(), u"Before.vrx"_s));
    ExpectNoSurprises();
}

// ---- Password

TEST_F(FileWorkflowTest, ChangePasswordChecksTheCurrentOneFirst)
{
    ASSERT_TRUE(m_password.SetPassword(u"old"_s));
    m_store.ResetToDefaults();

    // Wrong current password.
    m_prompts.passwordReplies.push_back({true, u"guess"_s});
    EXPECT_FALSE(m_workflow.ChangePassword());
    EXPECT_EQ(m_prompts.passwordPrompts, QStringList{GetText(236)});
    ASSERT_EQ(m_prompts.messages.size(), 1);
    ExpectMessage(0, 237, 183, UserPrompts::Information);
    EXPECT_EQ(m_prompts.newPasswordDialogs, 0);
    EXPECT_TRUE(m_password.MatchesPassword(u"old"_s));
    EXPECT_FALSE(m_store.Modified());

    // Cancelled at the current password.
    m_prompts.passwordReplies.push_back({false, QString()});
    EXPECT_FALSE(m_workflow.ChangePassword());
    EXPECT_EQ(m_prompts.newPasswordDialogs, 0);

    // Right current password, then a new one (a too long one is asked again).
    m_prompts.passwordReplies.push_back({true, u"old"_s});
    m_prompts.newPasswordReplies.push_back({true, u"seventeen letters"_s});
    m_prompts.newPasswordReplies.push_back({true, u"new"_s});
    EXPECT_TRUE(m_workflow.ChangePassword());
    EXPECT_EQ(m_prompts.newPasswordDialogs, 2);
    EXPECT_TRUE(m_password.MatchesPassword(u"new"_s));
    EXPECT_TRUE(m_store.Modified());
    ExpectNoSurprises();
}

TEST_F(FileWorkflowTest, PasswordDecidesWhetherTheSavedFileIsEnciphered)
{
    const QString path = PathOf(u"Pw.vrx"_s);
    MakeModified(path);

    // No password yet: no question about the current one.
    m_prompts.newPasswordReplies.push_back({true, u"key"_s});
    ASSERT_TRUE(m_workflow.ChangePassword());
    EXPECT_TRUE(m_prompts.passwordPrompts.isEmpty());
    ASSERT_TRUE(m_workflow.SaveCurrent());
    EXPECT_EQ(HeaderKind(path), 0x65);

    // An empty new password removes the protection.
    m_prompts.passwordReplies.push_back({true, u"key"_s});
    m_prompts.newPasswordReplies.push_back({true, QString()});
    ASSERT_TRUE(m_workflow.ChangePassword());
    EXPECT_EQ(m_password.KeyBits(), 0);
    ASSERT_TRUE(m_workflow.SaveCurrent());
    EXPECT_EQ(HeaderKind(path), 0x00);

    m_workflow.ResetDocument();
    EXPECT_TRUE(m_workflow.OpenDataFile(path, true));
    EXPECT_EQ(m_prompts.passwordPrompts.size(), 1); // only the check of "key"
    ExpectNoSurprises();
}

TEST_F(FileWorkflowTest, NewFileStartsEmptyWithTheChosenPassword)
{
    const QString path = PathOf(u"Titled.vrx"_s);
    MakeModified(path);
    m_prompts.passwordReplies.push_back({true, u"fresh"_s});

    EXPECT_TRUE(m_workflow.NewFile());

    EXPECT_TRUE(QFileInfo::exists(path)); // the titled calendar was saved first
    EXPECT_EQ(m_prompts.passwordPrompts, QStringList{GetText(234)});
    EXPECT_TRUE(m_password.MatchesPassword(u"fresh"_s));
    EXPECT_TRUE(m_store.Untitled());
    EXPECT_EQ(LiveTasks(m_store), 0);
    EXPECT_TRUE(m_store.FilePath().isEmpty());
    EXPECT_EQ(m_listener.resets, 1);
    EXPECT_EQ(m_listener.loads, 1);

    // The new calendar is written enciphered.
    ASSERT_GE(m_store.AddTask(Task(u"Secret plan"_s), true), 0);
    m_prompts.fileReplies.push_back({true, PathOf(u"Fresh.vrx"_s)});
    ASSERT_TRUE(m_workflow.SaveCurrent());
    EXPECT_EQ(HeaderKind(PathOf(u"Fresh.vrx"_s)), 0x65);

    // Cancelling the password dialog means no password.
    m_prompts.passwordReplies.push_back({false, u"ignored"_s});
    EXPECT_TRUE(m_workflow.NewFile());
    EXPECT_EQ(m_password.KeyBits(), 0);
    ExpectNoSurprises();
}

TEST_F(FileWorkflowTest, NewFileStopsWhenTheOfferToSaveIsCancelled)
{
    MakeModified();
    m_prompts.messageReplies = {UserPrompts::Cancel};
    EXPECT_FALSE(m_workflow.NewFile());
    EXPECT_TRUE(HasTask(m_store, u"Unsaved"_s));
    EXPECT_TRUE(m_prompts.passwordPrompts.isEmpty());
    EXPECT_EQ(m_listener.resets, 0);
    ExpectNoSurprises();
}

// ---- File association

class FileAssociationTest : public FileWorkflowTest
{
protected:
    void SetUp() override
    {
        FileWorkflowTest::SetUp();
        m_oldDataHome = qgetenv("XDG_DATA_HOME");
        ASSERT_TRUE(m_dataHome.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
    }
    void TearDown() override
    {
        qputenv("XDG_DATA_HOME", m_oldDataHome);
        FileWorkflowTest::TearDown();
    }

    QString DataFile(const QString& relative) const { return m_dataHome.path() + u'/' + relative; }

    static QString ClassValue(const QString& key)
    {
        RegistryKey entry(RegistryKey::HKEY_CLASSES_ROOT, key, RegistryKey::KeyRead);
        return entry.ReadText(QString(), u"<missing>"_s);
    }

    QByteArray m_oldDataHome;
    QTemporaryDir m_dataHome;
};

TEST_F(FileAssociationTest, RestoreWritesTheClassesRootAndTheDesktopFiles)
{
    const QString exe = u"/opt/My Apps/orbelin"_s;
    const QByteArray appIcon = "<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"app\"/>";
    const QByteArray fileIcon = "<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"file\"/>";

    EXPECT_TRUE(m_workflow.RestoreFileAssociation(exe, appIcon, fileIcon));

    EXPECT_EQ(ClassValue(u".vrx"_s), u"VemrixData"_s);
    EXPECT_EQ(ClassValue(u"VemrixData"_s), u"Vemrix Data File"_s);
    EXPECT_EQ(ClassValue(u"VemrixData\\DefaultIcon"_s), u"\"/opt/My Apps/orbelin\", 1"_s);
    EXPECT_EQ(ClassValue(u"VemrixData\\Shell"_s), u"Open"_s);
    EXPECT_EQ(ClassValue(u"VemrixData\\Shell\\Open\\Command"_s), u"\"/opt/My Apps/orbelin\" %1"_s);

    const QByteArray mime = ReadBytes(DataFile(u"mime/packages/orbelin-planner.xml"_s));
    EXPECT_TRUE(mime.contains("<mime-type type=\"application/x-vemrix-data\">")) << mime.constData();
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.vrx\"/>"));
    EXPECT_TRUE(mime.contains("<comment>Vemrix Data File</comment>"));

    const QList<QByteArray> lines = ReadBytes(DataFile(u"applications/orbelin.desktop"_s)).split('\n');
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines[0], "[Desktop Entry]");
    for (const char* line : {"Type=Application", "Name=Orbelin Planner", "Exec=\"/opt/My Apps/orbelin\" %f",
                             "MimeType=application/x-vemrix-data;", "Icon=orbelin", "Terminal=false"})
        EXPECT_TRUE(lines.contains(QByteArray(line))) << line;

    EXPECT_EQ(ReadBytes(DataFile(u"icons/hicolor/scalable/apps/orbelin.svg"_s)), appIcon);
    EXPECT_EQ(ReadBytes(DataFile(u"icons/hicolor/scalable/mimetypes/application-x-vemrix-data.svg"_s)), fileIcon);

    // Where the desktop's own tools are installed: the databases were rebuilt
    // with the new type and its handler, and the entry passes validation.
    if (!QStandardPaths::findExecutable(u"update-mime-database"_s).isEmpty()) {
        EXPECT_TRUE(QFileInfo::exists(DataFile(u"mime/application/x-vemrix-data.xml"_s)));
    }
    if (!QStandardPaths::findExecutable(u"update-desktop-database"_s).isEmpty()) {
        EXPECT_TRUE(ReadBytes(DataFile(u"applications/mimeinfo.cache"_s))
                        .contains("application/x-vemrix-data=orbelin.desktop;"));
    }
    const QString validator = QStandardPaths::findExecutable(u"desktop-file-validate"_s);
    if (!validator.isEmpty()) {
        QProcess validate;
        validate.setProcessChannelMode(QProcess::MergedChannels);
        validate.start(validator, {DataFile(u"applications/orbelin.desktop"_s)});
        ASSERT_TRUE(validate.waitForFinished(30000));
        EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().constData();
    }
}

TEST_F(FileAssociationTest, RestoreWithoutIconsInstallsNoImages)
{
    EXPECT_TRUE(m_workflow.RestoreFileAssociation(u"/usr/bin/orbelin"_s));
    EXPECT_TRUE(QFileInfo::exists(DataFile(u"applications/orbelin.desktop"_s)));
    EXPECT_FALSE(QFileInfo::exists(DataFile(u"icons"_s)));
}

TEST_F(FileAssociationTest, RestoreFailsWhenTheDesktopEntryCannotBeWritten)
{
    WriteBytes(DataFile(u"applications"_s), "not a folder");
    EXPECT_FALSE(m_workflow.RestoreFileAssociation(u"/usr/bin/orbelin"_s));
}

} // namespace
