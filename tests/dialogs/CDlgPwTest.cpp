#include "dialogs/CDlgPw.h"

#include "model/LanguageModule.h"
#include "platform/gui/ScreenClass.h"
#include "support/PlannerObjects.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CDlgPwTest : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override { ScreenClass::Force(GetParam()); }
    void TearDown() override { ScreenClass::Reset(); }

    static QString Shown(const QLabel* label) { return QString(label->text()).remove(QChar(0x200B)); }

    PlannerObjects objects{GetParam()};
};

TEST_P(CDlgPwTest, ShowsThePromptAndNamesTheCalendarsFile)
{
    {
        CDlgPw dialog(objects.context, GetText(TextId::EnterPassword));
        EXPECT_EQ(dialog.PromptLabel()->text(), GetText(TextId::EnterPassword));
        EXPECT_EQ(Shown(dialog.InfoLabel()), GetText(TextId::NotSavedYet));
        EXPECT_EQ(dialog.PasswordField()->echoMode(), QLineEdit::Password);
    }
    objects.store.SetFilePath(QStringLiteral("/home/ann/calendars/Work.vrx"));
    CDlgPw dialog(objects.context, GetText(TextId::PasswordWrongTryAgain));
    EXPECT_EQ(Shown(dialog.InfoLabel()), GetText(TextId::FileNamed).arg(QStringLiteral("/home/ann/calendars/Work.vrx")));
}

TEST_P(CDlgPwTest, EnterTakesAnyTextTheEmptyOneTooAndTheFieldIsEmptiedOnClosing)
{
    for (const QString& typed : {QStringLiteral("S3cr et!"), QString()}) {
        CDlgPw dialog(objects.context, GetText(TextId::EnterPassword));
        dialog.show();
        QTest::keyClicks(dialog.PasswordField(), typed);
        QTest::keyClick(dialog.PasswordField(), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.Password(), typed);
        EXPECT_TRUE(dialog.PasswordField()->text().isEmpty());
        EXPECT_FALSE(dialog.PasswordField()->isUndoAvailable());
    }
}

TEST_P(CDlgPwTest, CancelGivesNoPasswordAndEmptiesTheField)
{
    CDlgPw dialog(objects.context, GetText(TextId::EnterPassword));
    dialog.show();
    QTest::keyClicks(dialog.PasswordField(), QStringLiteral("typed"));
    QTest::keyClick(dialog.PasswordField(), Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.Password().isEmpty());
    EXPECT_TRUE(dialog.PasswordField()->text().isEmpty());
}

TEST_P(CDlgPwTest, PromptOnTopThenTheFieldThenTheInformationBelow)
{
    const bool large = GetParam();
    CDlgPw dialog(objects.context, GetText(TextId::EnterPassword));
    dialog.resize(large ? 480 : 240, large ? 400 : 200);
    dialog.show();
    const QSize size = dialog.LayoutSize();
    const QRect prompt = dialog.PromptLabel()->geometry();
    const int t = prompt.height();
    EXPECT_GE(t, dialog.PromptLabel()->fontMetrics().height());
    if (large) {
        EXPECT_EQ(prompt, QRect(12, 48, size.width() - 24, t));
        EXPECT_EQ(dialog.InfoLabel()->geometry(), QRect(12, t + 100, size.width() - 24, size.height() - t - 104));
    } else {
        EXPECT_EQ(prompt, QRect(6, 24, size.width() - 12, t));
        EXPECT_EQ(dialog.InfoLabel()->geometry(), QRect(6, t + 50, size.width() - 12, size.height() - t - 53));
    }
    const QRect field = dialog.PasswordField()->geometry();
    EXPECT_GT(field.top(), prompt.bottom());
    EXPECT_LT(field.bottom(), dialog.InfoLabel()->geometry().top());
    // The first size holds the whole of both texts.
    EXPECT_GE(dialog.sizeHint().height(), t + (large ? 100 : 50));
}

INSTANTIATE_TEST_SUITE_P(Screens, CDlgPwTest, ::testing::Bool(),
                         [](const testing::TestParamInfo<bool>& row) { return row.param ? "Large" : "Small"; });

} // namespace
