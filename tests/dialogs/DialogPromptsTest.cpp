#include "dialogs/DialogPrompts.h"

#include "dialogs/CDlgPw.h"
#include "dialogs/CDlgPwChange.h"
#include "dialogs/CDlgSelFile.h"
#include "dialogs/DialogRunner.h"
#include "model/LanguageModule.h"
#include "platform/gui/ScreenClass.h"
#include "support/PlannerObjects.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The dialogs answer through a script: each records the dialog it got and
// fills it in as the test says.
class DialogPromptsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ScreenClass::Force(true);
        prompts.SetContext(&objects.context);
        DialogRunner::SetScript([this](QDialog& dialog) {
            shown << dialog.objectName();
            return answer ? answer(dialog) : int(QDialog::Rejected);
        });
    }
    void TearDown() override
    {
        DialogRunner::ClearScript();
        ScreenClass::Reset();
    }

    PlannerObjects objects{true};
    // The program's dialogs in front of the scripted message boxes.
    DialogPrompts prompts{objects.prompts};
    DialogRunner::Script answer;
    QStringList shown;
};

TEST_F(DialogPromptsTest, PasswordsComeFromTheProgramsDialogs)
{
    answer = [](QDialog& dialog) {
        auto& pw = dynamic_cast<CDlgPw&>(dialog);
        QTest::keyClicks(pw.PasswordField(), u"typed"_s);
        pw.PressOk();
        return pw.result();
    };
    QString password;
    EXPECT_TRUE(prompts.AskPassword(GetText(224), password));
    EXPECT_EQ(password, u"typed"_s);

    answer = [](QDialog& dialog) {
        auto& change = dynamic_cast<CDlgPwChange&>(dialog);
        QTest::keyClicks(change.NewPasswordField(), u"Two"_s);
        QTest::keyClicks(change.AgainField(), u"Two"_s);
        change.PressOk();
        return change.result();
    };
    EXPECT_TRUE(prompts.AskNewPassword(password));
    EXPECT_EQ(password, u"Two"_s);

    answer = nullptr;
    password = u"kept"_s;
    EXPECT_FALSE(prompts.AskPassword(GetText(224), password));
    EXPECT_FALSE(prompts.AskNewPassword(password));
    EXPECT_EQ(password, u"kept"_s);
    EXPECT_EQ(shown, (QStringList{u"CDlgPw"_s, u"CDlgPwChange"_s, u"CDlgPw"_s, u"CDlgPwChange"_s}));
    EXPECT_EQ(objects.prompts.passwordPrompts.size(), 0);
}

TEST_F(DialogPromptsTest, FilesComeFromTheProgramsPickerUnlessTheDesktopsDialogIsChosen)
{
    QTemporaryDir folder;
    answer = [](QDialog& dialog) {
        auto& picker = dynamic_cast<CDlgSelFile&>(dialog);
        EXPECT_FALSE(picker.CurrentExtension().isEmpty());
        QTest::keyClicks(picker.NameField(), u"Plan"_s);
        picker.PressOk();
        return picker.result();
    };
    QString chosen;
    ASSERT_TRUE(prompts.PickFile(UserPrompts::FileKind::Csv, true, folder.path(), QString(), chosen));
    EXPECT_EQ(chosen, folder.path() + u"/Plan.csv"_s);
    EXPECT_TRUE(objects.prompts.fileRequests.isEmpty());

    objects.settings.SetNativeFileDialog(true);
    objects.prompts.fileReplies.push_back({true, u"/elsewhere/x.vrx"_s});
    ASSERT_TRUE(prompts.PickFile(UserPrompts::FileKind::Data, false, folder.path(), u"x.vrx"_s, chosen));
    EXPECT_EQ(chosen, u"/elsewhere/x.vrx"_s);
    ASSERT_EQ(objects.prompts.fileRequests.size(), 1);
    EXPECT_EQ(objects.prompts.fileRequests[0].name, u"x.vrx"_s);
    EXPECT_EQ(shown, QStringList{u"CDlgSelFile"_s});
}

TEST_F(DialogPromptsTest, MessagesAndTheWaitCursorGoToThePromptsBehind)
{
    objects.prompts.messageReplies = {UserPrompts::No};
    EXPECT_EQ(prompts.ShowMessage(u"Sure?"_s, u"Caption"_s, UserPrompts::YesNo, UserPrompts::Question),
              UserPrompts::No);
    ASSERT_EQ(objects.prompts.messages.size(), 1);
    EXPECT_EQ(objects.prompts.messages[0].caption, u"Caption"_s);
    {
        WaitCursor wait(prompts);
        EXPECT_EQ(objects.prompts.waitDepth, 1);
    }
    EXPECT_EQ(objects.prompts.waitDepth, 0);
}

} // namespace
