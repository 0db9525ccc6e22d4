// The file commands as a user runs them: from the main window's menu, with the
// real password dialogs and file picker filled in key by key, message boxes
// answered from a script, and the data file checked with the built
// command-line tool in a child process.

#include "ViewFixture.h"

#include "dialogs/CDlgPw.h"
#include "dialogs/CDlgPwChange.h"
#include "dialogs/CDlgSelFile.h"
#include "dialogs/DialogPrompts.h"
#include "dialogs/DialogRunner.h"
#include "model/LastTaskId.h"
#include "storage/Csv.h"
#include "storage/DataFile.h"
#include "support/FileBytes.h"
#include "views/CMainFrame.h"
#include "views/MenuCommands.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// The planner's objects with the program's dialogs answering the password
// and file questions, and a script answering the message boxes.
struct DialogPlanner
{
    explicit DialogPlanner(bool large) : settings(large) { prompts.SetContext(&context); }

    CalendarStore store;
    HolidayList holidays;
    ViewState view;
    Settings settings;
    PasswordKey password;
    ScriptedPrompts scripted;
    DialogPrompts prompts{scripted};
    Planner planner{store, holidays, view, settings, password, prompts};
    DisplayFonts fonts{settings.Fonts()};
    ViewContext context{planner, fonts};
};

using Answer = std::function<int(QDialog&)>;

// Types the password and presses Enter; checks the prompt first.
Answer Password(const QString& typed, int expectedPrompt)
{
    return [=](QDialog& shown) {
        auto* dialog = dynamic_cast<CDlgPw*>(&shown);
        if (!dialog) {
            ADD_FAILURE() << "not the password dialog: " << shown.objectName().toStdString();
            return int(QDialog::Rejected);
        }
        EXPECT_EQ(dialog->PromptLabel()->text(), GetText(expectedPrompt));
        QTest::keyClicks(dialog->PasswordField(), typed);
        QTest::keyClick(dialog->PasswordField(), Qt::Key_Return);
        return dialog->result();
    };
}

// The new password twice; OK.
Answer NewPassword(const QString& first, const QString& again)
{
    return [=](QDialog& shown) {
        auto* dialog = dynamic_cast<CDlgPwChange*>(&shown);
        if (!dialog) {
            ADD_FAILURE() << "not the change-password dialog: " << shown.objectName().toStdString();
            return int(QDialog::Rejected);
        }
        QTest::keyClicks(dialog->NewPasswordField(), first);
        QTest::keyClicks(dialog->AgainField(), again);
        QTest::keyClick(dialog->AgainField(), Qt::Key_Return);
        if (dialog->isVisible()) {
            // Refused: the second entry typed again, as the first.
            dialog->AgainField()->setText(QString());
            QTest::keyClicks(dialog->AgainField(), first);
            QTest::keyClick(dialog->AgainField(), Qt::Key_Return);
        }
        return dialog->result();
    };
}

// In the file picker: the folder typed as the name (which opens it), then the
// file's name, each confirmed with Enter.
Answer Pick(const QString& folder, const QString& name)
{
    return [=](QDialog& shown) {
        auto* dialog = dynamic_cast<CDlgSelFile*>(&shown);
        if (!dialog) {
            ADD_FAILURE() << "not the file picker: " << shown.objectName().toStdString();
            return int(QDialog::Rejected);
        }
        QLineEdit* field = dialog->NameField();
        field->selectAll();
        QTest::keyClicks(field, folder);
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(dialog->Folder(), folder.endsWith(u'/') ? folder : folder + u'/');
        QTest::keyClicks(field, name);
        QTest::keyClick(field, Qt::Key_Return);
        return dialog->result();
    };
}

struct ToolRun
{
    int status = -1;
    QString out;
};

// orbelin-cli dump of a file, with the password in the environment when given.
ToolRun Dump(const QString& path, const QString& password = QString())
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"ORBELIN_PASSWORD"_s);
    if (!password.isNull())
        environment.insert(u"ORBELIN_PASSWORD"_s, password);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ORBELIN_CLI_PATH), {u"--file"_s, path, u"dump"_s});
    ToolRun run;
    if (!process.waitForStarted(30000))
        return run;
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    return run;
}

void WriteCalendar(const QString& path, const QString& password, const QString& title)
{
    CalendarStore store;
    store.ResetToDefaults();
    TaskRecord task;
    task.Title = title;
    ASSERT_GE(store.AddTask(task, true), 0);
    PasswordKey key;
    ASSERT_TRUE(key.SetPassword(password));
    QString error;
    ASSERT_TRUE(SaveDataFile(store, HolidayList(), path, true, key.KeyBytes(), key.KeyBits(), false, error));
}

bool HasTask(const CalendarStore& store, const QString& title)
{
    for (int i = 0; i < store.TaskCount(); ++i)
        if (store.IsLive(i) && store.GetTask(i)->Title == title)
            return true;
    return false;
}

class FileCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::SetToday(kTestToday);
        ScreenClass::Force(true);
        m_lastId = LastTaskId::Value();
        ViewTestBase_Forget();
        objects = std::make_unique<DialogPlanner>(true);
        frame = std::make_unique<CMainFrame>(objects->context, QString());
        frame->show();
        RunPostedMessages();
        DialogRunner::SetScript([this](QDialog& dialog) {
            shown << dialog.objectName();
            if (answers.empty()) {
                ADD_FAILURE() << "unexpected dialog " << dialog.objectName().toStdString();
                return int(QDialog::Rejected);
            }
            const Answer answer = answers.front();
            answers.pop_front();
            return answer(dialog);
        });
    }
    void TearDown() override
    {
        DialogRunner::ClearScript();
        EXPECT_TRUE(answers.empty()) << answers.size() << " dialogs did not come";
        EXPECT_TRUE(Scripted().unexpected.isEmpty()) << Scripted().unexpected.join(u'\n').toStdString();
        frame->SetPersistent(false);
        frame.reset();
        objects.reset();
        LastTaskId::Set(m_lastId);
        ScreenClass::Reset();
        Clock::SetToday(0);
    }

    static void ViewTestBase_Forget()
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Corvane Software"_s, u"Orbelin Planner"_s).clear();
        QFile::remove(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u"/Orbelin.vrx"_s);
    }

    void Run(int command)
    {
        frame->UpdateCommandStates();
        QAction* action = frame->Action(command);
        ASSERT_TRUE(action);
        ASSERT_TRUE(action->isEnabled());
        action->trigger();
        RunPostedMessages();
    }

    int AddTask(const QString& title)
    {
        TaskRecord task;
        task.Title = title;
        task.Date = kTestToday;
        return Store().AddTask(task, true);
    }

    QString Folder() const { return m_dir.path() + u'/'; }
    QString Path(const QString& name) const { return Folder() + name; }
    CalendarStore& Store() { return objects->store; }
    ScriptedPrompts& Scripted() { return objects->scripted; }
    const ScriptedPrompts::Shown& Message(int index) { return Scripted().messages.at(index); }

    QTemporaryDir m_dir;
    std::unique_ptr<DialogPlanner> objects;
    std::unique_ptr<CMainFrame> frame;
    std::deque<Answer> answers;
    QStringList shown;
    quint32 m_lastId = 0;
};

TEST_F(FileCommandsTest, OpenAProtectedFileWithAWrongThenTheRightPassword)
{
    WriteCalendar(Path(u"Secret.vrx"_s), u"Open Sesame"_s, u"Hidden plan"_s);
    answers = {Pick(Folder(), u"Secret.vrx"_s), Password(u"open sesame"_s, 224), Password(u"Open Sesame"_s, 226)};

    Run(ID_OPEN_FILE);

    EXPECT_EQ(shown, (QStringList{u"CDlgSelFile"_s, u"CDlgPw"_s, u"CDlgPw"_s}));
    EXPECT_TRUE(HasTask(Store(), u"Hidden plan"_s));
    EXPECT_EQ(Store().FilePath(), Path(u"Secret.vrx"_s));
    EXPECT_TRUE(objects->password.MatchesPassword(u"Open Sesame"_s));
    EXPECT_TRUE(Scripted().messages.isEmpty());
    EXPECT_EQ(objects->settings.DataName(), u"Secret.vrx"_s);
}

TEST_F(FileCommandsTest, SaveAsOverAnExistingFileAsks220AndOnNoWritesNothing)
{
    WriteFileBytes(Path(u"Taken.vrx"_s), "someone else's file");
    AddTask(u"Mine"_s);
    Scripted().messageReplies = {UserPrompts::No};
    answers = {Pick(Folder(), u"Taken"_s)};

    Run(ID_SAVE_AS);

    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Message(0).text, GetText(220));
    EXPECT_EQ(Message(0).caption, GetText(221));
    EXPECT_EQ(Message(0).buttons, UserPrompts::YesNo);
    EXPECT_EQ(Message(0).icon, UserPrompts::Warning);
    EXPECT_EQ(ReadFileBytes(Path(u"Taken.vrx"_s)), QByteArray("someone else's file"));
    EXPECT_TRUE(Store().Untitled());
    EXPECT_TRUE(Store().Modified());

    // Yes replaces it.
    Scripted().messages.clear();
    Scripted().messageReplies = {UserPrompts::Yes};
    answers = {Pick(Folder(), u"Taken"_s)};
    Run(ID_SAVE_AS);
    ASSERT_EQ(Scripted().messages.size(), 2);
    EXPECT_EQ(Message(1).text, GetText(222));
    EXPECT_EQ(Message(1).caption, GetText(288));
    EXPECT_EQ(Store().FilePath(), Path(u"Taken.vrx"_s));
    EXPECT_FALSE(Store().Modified());
    EXPECT_EQ(Dump(Path(u"Taken.vrx"_s)).status, 0);
}

TEST_F(FileCommandsTest, ImportCsvReportsTheCountAndShowsTheTasks)
{
    {
        CalendarStore source;
        source.ResetToDefaults();
        for (const QString& title : {u"One"_s, u"Two"_s, u"Three"_s}) {
            TaskRecord task;
            task.Title = title;
            task.Date = kTestToday;
            ASSERT_GE(source.AddTask(task, true), 0);
        }
        ASSERT_TRUE(ExportCsv(Path(u"tasks.csv"_s), source));
    }
    answers = {Pick(Folder(), u"tasks.csv"_s)};

    Run(ID_IMPORT_CSV);

    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Message(0).text, GetText(238).arg(3));
    EXPECT_EQ(Message(0).caption, GetText(239));
    EXPECT_EQ(Message(0).icon, UserPrompts::Information);
    EXPECT_GE(Scripted().maxWaitDepth, 1);
    EXPECT_TRUE(HasTask(Store(), u"Two"_s));
    EXPECT_TRUE(Store().Modified());
}

TEST_F(FileCommandsTest, NewFileWithAPasswordThenSaveWritesAFileOnlyThatPasswordOpens)
{
    answers = {Password(u"Tr0ub4dor"_s, 234)};
    Run(ID_NEW_FILE);
    EXPECT_TRUE(Store().Untitled());
    AddTask(u"Protected task"_s);

    answers = {Pick(Folder(), u"Mine"_s)};
    Run(ID_SAVE);

    const QString path = Path(u"Mine.vrx"_s);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Message(0).text, GetText(222));
    const QByteArray bytes = ReadFileBytes(path);
    ASSERT_GE(bytes.size(), 36);
    EXPECT_EQ(quint8(bytes.at(3)), 0x65); // enciphered
    EXPECT_FALSE(bytes.contains("Protected task"));

    EXPECT_EQ(Dump(path).status, 2);
    EXPECT_EQ(Dump(path, u"tr0ub4dor"_s).status, 2);
    const ToolRun right = Dump(path, u"Tr0ub4dor"_s);
    EXPECT_EQ(right.status, 0);
    EXPECT_TRUE(right.out.contains(u"Protected task"_s)) << right.out.toStdString();
}

TEST_F(FileCommandsTest, PasswordAsksForTheCurrentOneThenTakesTheNewOneTypedTwice)
{
    objects->password.SetPassword(u"Old"_s);
    answers = {Password(u"old"_s, 236)};
    Run(ID_PASSWORD);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Message(0).text, GetText(237));
    EXPECT_EQ(Message(0).caption, GetText(183));
    EXPECT_TRUE(objects->password.MatchesPassword(u"Old"_s));
    EXPECT_FALSE(Store().Modified());

    // The second entry differs in letter case first: refused, typed again.
    Scripted().messages.clear();
    answers = {Password(u"Old"_s, 236), NewPassword(u"New one"_s, u"new one"_s)};
    Run(ID_PASSWORD);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Message(0).text, GetText(182));
    EXPECT_TRUE(objects->password.MatchesPassword(u"New one"_s));
    EXPECT_TRUE(Store().Modified());
}

TEST_F(FileCommandsTest, AFolderThatCannotBeWrittenFailsSaveAsAndExportAndLosesNothing)
{
    // Not even the superuser writes there.
    const QString folder = u"/proc/"_s;
    AddTask(u"Keep me"_s);
    answers = {Pick(folder, u"Cal"_s)};
    Run(ID_SAVE_AS);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_FALSE(Message(0).text.isEmpty());
    EXPECT_EQ(Message(0).caption, GetText(195));
    EXPECT_EQ(Message(0).icon, UserPrompts::Error);
    EXPECT_TRUE(Store().Untitled());
    EXPECT_TRUE(Store().Modified());
    EXPECT_TRUE(HasTask(Store(), u"Keep me"_s));
    EXPECT_NE(objects->settings.DataDir(), folder);

    Scripted().messages.clear();
    answers = {Pick(folder, u"tasks"_s)};
    Run(ID_EXPORT_CSV);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Message(0).text, GetText(241));
    EXPECT_EQ(Message(0).caption, GetText(240));
    EXPECT_TRUE(HasTask(Store(), u"Keep me"_s));
}

} // namespace
