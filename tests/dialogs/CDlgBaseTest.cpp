#include "dialogs/CDlgBase.h"
#include "dialogs/DialogRunner.h"

#include "controls/CStaticClr.h"
#include "platform/gui/ScreenClass.h"
#include "support/PlannerObjects.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The smallest dialog: one note field under the banner, and a record of
// what the frame asked of it.
class NoteDialog : public CDlgBase
{
public:
    NoteDialog(ViewContext& context, Buttons buttons) : CDlgBase(context, buttons)
    {
        note = new QPlainTextEdit(this);
    }

    void LayoutControls(const QSize& size, bool large) override
    {
        laidOut = size;
        const int top = BannerHeight(large) + 4;
        note->setGeometry(4, top, size.width() - 8, size.height() - top - 4);
    }
    void OnOk() override
    {
        ++oks;
        if (acceptOk)
            CDlgBase::OnOk();
    }
    void OnCancel() override
    {
        ++cancels;
        CDlgBase::OnCancel();
    }

    QPlainTextEdit* note;
    QSize laidOut;
    int oks = 0;
    int cancels = 0;
    bool acceptOk = true;
};

class CDlgBaseTest : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override { ScreenClass::Force(GetParam()); }
    void TearDown() override { ScreenClass::Reset(); }

    PlannerObjects objects{GetParam()};
};

TEST_P(CDlgBaseTest, BannerInTheBoldControlFontAcrossTheTopAndTheButtonRowBelowTheLayout)
{
    NoteDialog dialog(objects.context, CDlgBase::Buttons::OkCancel);
    dialog.SetBanner(QStringLiteral("Daily Note"));
    dialog.resize(300, 400);
    dialog.show();
    const int banner = GetParam() ? 44 : 22;
    EXPECT_EQ(dialog.Banner()->geometry(), QRect(0, 0, 300, banner));
    EXPECT_TRUE(dialog.Banner()->font().bold());
    EXPECT_EQ(dialog.Banner()->Text(), QStringLiteral("Daily Note"));
    EXPECT_TRUE(dialog.Banner()->isReadOnly());
    EXPECT_EQ(dialog.laidOut, dialog.LayoutSize());
    EXPECT_LT(dialog.laidOut.height(), 400);
    EXPECT_GE(dialog.OkButton()->mapTo(&dialog, QPoint(0, 0)).y(), dialog.laidOut.height());

    // Every size change lays the dialog out again.
    dialog.resize(260, 320);
    EXPECT_EQ(dialog.laidOut.width(), 260);
    EXPECT_EQ(dialog.Banner()->width(), 260);
}

TEST_P(CDlgBaseTest, OkAloneOrOkAndCancel)
{
    NoteDialog both(objects.context, CDlgBase::Buttons::OkCancel);
    NoteDialog okOnly(objects.context, CDlgBase::Buttons::OkOnly);
    ASSERT_NE(both.CancelButton(), nullptr);
    EXPECT_EQ(okOnly.CancelButton(), nullptr);
    EXPECT_NE(okOnly.OkButton(), nullptr);
}

TEST_P(CDlgBaseTest, ControlEnterPressesOkEvenInAMultiLineField)
{
    NoteDialog dialog(objects.context, CDlgBase::Buttons::OkCancel);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.note->setFocus();
    QTest::keyClick(dialog.note, Qt::Key_Return);
    EXPECT_EQ(dialog.oks, 0) << "Enter alone is the field's";
    EXPECT_EQ(dialog.note->blockCount(), 2);

    dialog.acceptOk = false; // a check that fails keeps it open
    QTest::keyClick(dialog.note, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(dialog.oks, 1);
    EXPECT_TRUE(dialog.isVisible());

    dialog.acceptOk = true;
    QTest::keyClick(dialog.note, Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(dialog.oks, 2);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_P(CDlgBaseTest, EnterInAOneLineFieldIsNotOk)
{
    NoteDialog dialog(objects.context, CDlgBase::Buttons::OkCancel);
    auto* field = new QLineEdit(&dialog);
    dialog.show();
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(dialog.oks, 0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.OkButton()->isDefault());
}

TEST_P(CDlgBaseTest, EscapeAndTheCancelButtonGoThroughTheDialogsCancel)
{
    NoteDialog dialog(objects.context, CDlgBase::Buttons::OkCancel);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.cancels, 1);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    dialog.show();
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.cancels, 2);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.oks, 1);
}

TEST_P(CDlgBaseTest, FirstSizeIsTheLayoutsOwnPlusTheButtonRow)
{
    NoteDialog dialog(objects.context, CDlgBase::Buttons::OkOnly);
    const QSize hint = dialog.sizeHint();
    EXPECT_EQ(hint.width(), GetParam() ? 480 : 240);
    EXPECT_GT(hint.height(), GetParam() ? 536 : 268);
}

INSTANTIATE_TEST_SUITE_P(Screens, CDlgBaseTest, ::testing::Bool(),
                         [](const testing::TestParamInfo<bool>& row) { return row.param ? "Large" : "Small"; });

} // namespace

namespace {

TEST(DialogRunnerTest, AScriptDrivesTheShownDialogInPlaceOfTheModalLoop)
{
    PlannerObjects objects(true);
    NoteDialog dialog(objects.context, CDlgBase::Buttons::OkCancel);
    DialogRunner::SetScript([](QDialog& shown) {
        EXPECT_TRUE(shown.isVisible());
        auto& note = static_cast<NoteDialog&>(shown);
        QTest::keyClicks(note.note, QStringLiteral("buy milk"));
        note.PressOk();
        return note.result();
    });
    EXPECT_EQ(DialogRunner::Run(dialog), QDialog::Accepted);
    DialogRunner::ClearScript();
    EXPECT_EQ(dialog.note->toPlainText(), QStringLiteral("buy milk"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(DialogRunner::HasScript());
}

} // namespace
