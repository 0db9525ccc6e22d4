#include "dialogs/CDlgPwChange.h"

#include "model/LanguageModule.h"
#include "platform/gui/ScreenClass.h"
#include "support/PlannerObjects.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CDlgPwChangeTest : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override { ScreenClass::Force(GetParam()); }
    void TearDown() override { ScreenClass::Reset(); }

    PlannerObjects objects{GetParam()};
};

TEST_P(CDlgPwChangeTest, TakesTheNewPasswordOnlyWhenBothEntriesAreExactlyTheSame)
{
    struct Row
    {
        const char* name;
        QString first;
        QString second;
        bool taken;
    };
    const Row rows[] = {
        {"the same", QStringLiteral("Secret"), QStringLiteral("Secret"), true},
        {"letter case differs", QStringLiteral("Secret"), QStringLiteral("secret"), false},
        {"second one missing", QStringLiteral("Secret"), QString(), false},
        {"both empty: no password", QString(), QString(), true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        objects.prompts.messages.clear();
        CDlgPwChange dialog(objects.context);
        dialog.show();
        QTest::keyClicks(dialog.NewPasswordField(), row.first);
        QTest::keyClicks(dialog.AgainField(), row.second);
        QTest::keyClick(dialog.AgainField(), Qt::Key_Return);
        if (row.taken) {
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(dialog.Password(), row.first);
            EXPECT_TRUE(objects.prompts.messages.isEmpty());
            EXPECT_TRUE(dialog.NewPasswordField()->text().isEmpty());
            EXPECT_TRUE(dialog.AgainField()->text().isEmpty());
        } else {
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_TRUE(dialog.Password().isEmpty());
            ASSERT_EQ(objects.prompts.messages.size(), 1);
            EXPECT_EQ(objects.prompts.messages[0].text, GetText(TextId::PasswordsDiffer));
            EXPECT_EQ(objects.prompts.messages[0].caption, GetText(TextId::Password));
            EXPECT_EQ(objects.prompts.messages[0].icon, UserPrompts::Information);
            EXPECT_EQ(dialog.NewPasswordField()->text(), row.first);
        }
    }
}

TEST_P(CDlgPwChangeTest, CancelTakesNothingAndEmptiesBothFields)
{
    CDlgPwChange dialog(objects.context);
    dialog.show();
    QTest::keyClicks(dialog.NewPasswordField(), QStringLiteral("abc"));
    QTest::keyClicks(dialog.AgainField(), QStringLiteral("abc"));
    dialog.PressCancel();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.Password().isEmpty());
    EXPECT_TRUE(dialog.NewPasswordField()->text().isEmpty());
    EXPECT_TRUE(dialog.AgainField()->text().isEmpty());
}

TEST_P(CDlgPwChangeTest, LabelsAsLargeAsTheirTextStackedFromTheTopLeft)
{
    const bool large = GetParam();
    CDlgPwChange dialog(objects.context);
    dialog.show();
    const QRect first = dialog.NewPasswordLabel()->geometry();
    EXPECT_EQ(first.topLeft(), large ? QPoint(12, 48) : QPoint(6, 24));
    EXPECT_EQ(first.size(), dialog.NewPasswordLabel()->sizeHint());
    EXPECT_EQ(dialog.AgainLabel()->size(), dialog.AgainLabel()->sizeHint());
    const QWidget* order[] = {dialog.NewPasswordLabel(), dialog.NewPasswordField(), dialog.AgainLabel(),
                              dialog.AgainField()};
    for (int i = 1; i < 4; ++i)
        EXPECT_GT(order[i]->geometry().top(), order[i - 1]->geometry().bottom()) << i;
    EXPECT_LE(dialog.AgainField()->geometry().bottom(), dialog.LayoutSize().height());
}

INSTANTIATE_TEST_SUITE_P(Screens, CDlgPwChangeTest, ::testing::Bool(),
                         [](const testing::TestParamInfo<bool>& row) { return row.param ? "Large" : "Small"; });

} // namespace
