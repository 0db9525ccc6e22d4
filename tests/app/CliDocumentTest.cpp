// The tool's password questions need a terminal, which a child process does
// not have: these run the commands in-process and answer through the prompt
// interface.

#include "app/cli/CliDocument.h"

#include "app/cli/CliCommands.h"
#include "model/CalendarStore.h"
#include "model/HolidayList.h"
#include "model/LanguageModule.h"
#include "model/LastTaskId.h"
#include "model/ViewState.h"
#include "storage/DataFile.h"
#include "storage/PasswordKey.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompts.h"

#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class CliDocumentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_savedLastId = LastTaskId::Value();
        m_file = m_dir.filePath(u"locked.vrx"_s);
        CalendarStore store;
        HolidayList holidays;
        store.ResetToDefaults();
        TaskRecord task;
        task.Title = u"Secret plan"_s;
        store.AddTask(task, true);
        PasswordKey key;
        ASSERT_TRUE(key.SetPassword(u"s3cret"_s));
        QString error;
        ASSERT_TRUE(SaveDataFile(store, holidays, m_file, true, key.KeyBytes(), key.KeyBits(), false, error));
    }
    void TearDown() override { LastTaskId::Set(m_savedLastId); }

    int Run(const QStringList& args)
    {
        m_out.clear();
        m_err.clear();
        QTextStream out(&m_out);
        QTextStream err(&m_err);
        const int status = RunCli(QStringList{u"--file"_s, m_file} + args, out, err, m_environment);
        out.flush();
        err.flush();
        return status;
    }

    QTemporaryDir m_dir;
    quint32 m_savedLastId = 0;
    QString m_file;
    ScriptedPrompts m_prompts;
    CliEnvironment m_environment;
    QString m_out;
    QString m_err;
};

TEST_F(CliDocumentTest, TerminalAsksAgainAfterAWrongPasswordAndSavesUnderTheRightOne)
{
    m_environment.prompts = &m_prompts;
    m_prompts.passwordReplies = {{true, u"guess"_s}, {true, u"s3cret"_s}};
    ASSERT_EQ(Run({u"add"_s, u"Second plan"_s}), kExitOk) << m_err.toStdString();
    EXPECT_EQ(m_prompts.passwordPrompts, (QStringList{GetText(224), GetText(226)}));
    EXPECT_TRUE(m_prompts.unexpected.isEmpty());

    CalendarStore store;
    HolidayList holidays;
    ViewState view;
    PasswordKey key;
    key.SetPassword(u"s3cret"_s);
    QString error;
    ASSERT_TRUE(LoadDataFile(store, holidays, view, m_file, key.KeyBytes(), key.KeyBits(), error));
    EXPECT_EQ(store.GetDayList(kNoDate)->TaskCount(), 2);
}

TEST_F(CliDocumentTest, CancellingThePromptReportsTheWrongPassword)
{
    m_environment.prompts = &m_prompts;
    m_prompts.passwordReplies = {{true, u"guess"_s}, {false, QString()}};
    EXPECT_EQ(Run({u"dump"_s}), kExitLoadFailed);
    EXPECT_EQ(m_prompts.passwordPrompts.size(), 2);
    EXPECT_EQ(m_out, QString());
    EXPECT_EQ(m_err, u"error 207: "_s + GetText(207) + u'\n');
}

TEST_F(CliDocumentTest, TerminalGivesUpAfterThreeWrongPasswords)
{
    m_environment.prompts = &m_prompts;
    m_prompts.passwordReplies = {{true, u"a"_s}, {true, u"b"_s}, {true, u"c"_s}, {true, u"s3cret"_s}};
    EXPECT_EQ(Run({u"list"_s}), kExitLoadFailed);
    EXPECT_EQ(m_prompts.passwordPrompts.size(), 3);
    EXPECT_EQ(m_err, u"error 207: "_s + GetText(207) + u'\n');
}

TEST_F(CliDocumentTest, EnvironmentPasswordComesBeforeTheTerminal)
{
    m_environment.prompts = &m_prompts;
    m_environment.password = u"s3cret"_s;
    ASSERT_EQ(Run({u"list"_s}), kExitOk) << m_err.toStdString();
    EXPECT_TRUE(m_out.contains(u"Secret plan"_s));
    EXPECT_TRUE(m_prompts.passwordPrompts.isEmpty());

    // A wrong one in the environment is final: no question follows.
    m_environment.password = u"guess"_s;
    EXPECT_EQ(Run({u"list"_s}), kExitLoadFailed);
    EXPECT_TRUE(m_prompts.passwordPrompts.isEmpty());
}

TEST_F(CliDocumentTest, DamagedFileIsReportedWithoutAskingForAPassword)
{
    m_environment.prompts = &m_prompts;
    const QString damaged = m_dir.filePath(u"damaged.vrx"_s);
    {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromHex("63610A00140000005B00"));
    }
    m_file = damaged;
    EXPECT_EQ(Run({u"dump"_s}), kExitLoadFailed);
    EXPECT_TRUE(m_prompts.passwordPrompts.isEmpty());
    EXPECT_EQ(m_err, u"error 211: "_s + GetText(211) + u'\n');
}

} // namespace
