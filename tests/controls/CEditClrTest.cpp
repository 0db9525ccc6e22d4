#include "controls/CEditClr.h"
#include "controls/CTabEditClr.h"

#include "model/LanguageModule.h"
#include "storage/Settings.h"
#include "controls/ControlTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

namespace {

class CEditClrTest : public ControlTest
{
protected:
    CEditClr* Make(CEditClr::Kind kind)
    {
        auto* edit = new CEditClr(1001, settings, kind, &owner);
        edit->setGeometry(0, 0, 200, kind == CEditClr::Kind::SingleLine ? 24 : 100);
        return edit;
    }

    static QList<int> Commands(const MenuDesc& menu)
    {
        QList<int> commands;
        for (const MenuItemDesc& item : menu)
            commands.append(item.commandId);
        return commands;
    }

    Settings settings{true};
    QWidget owner;
};

TEST_F(CEditClrTest, MenuOffersWordWrapOnlyInFieldsThatTakeEnter)
{
    const QList<int> common{32814, 0, 57635, 57634, 57637, 0, 32818};
    EXPECT_EQ(Commands(Make(CEditClr::Kind::SingleLine)->Menu()), common);
    EXPECT_EQ(Commands(Make(CEditClr::Kind::MultiLine)->Menu()), common);
    const MenuDesc notes = Make(CEditClr::Kind::MultiLineEnter)->Menu();
    EXPECT_EQ(Commands(notes), common + QList<int>({0, 32830}));
    EXPECT_EQ(notes[0].label, GetText(110));
    EXPECT_EQ(notes[8].label, GetText(115));
    EXPECT_TRUE(notes[8].checked); // word wrap is on by default
}

TEST_F(CEditClrTest, MenuItemsFollowTheTextAndSelection)
{
    CEditClr* edit = Make(CEditClr::Kind::SingleLine);
    MenuDesc menu = edit->Menu();
    EXPECT_FALSE(menu[0].enabled); // nothing to clear
    EXPECT_FALSE(menu[2].enabled); // nothing to cut
    EXPECT_FALSE(menu[6].enabled);
    edit->SetText(QStringLiteral("abc"));
    edit->RunCommand(CEditClr::SelectAllCommand);
    menu = edit->Menu();
    EXPECT_TRUE(menu[0].enabled);
    EXPECT_TRUE(menu[2].enabled);
    EXPECT_TRUE(menu[3].enabled);
    edit->setReadOnly(true);
    menu = edit->Menu();
    EXPECT_FALSE(menu[0].enabled);
    EXPECT_FALSE(menu[2].enabled);
    EXPECT_TRUE(menu[3].enabled); // copying is still fine
}

TEST_F(CEditClrTest, WordWrapFlipsAndIsRemembered)
{
    CEditClr* notes = Make(CEditClr::Kind::MultiLineEnter);
    ASSERT_TRUE(notes->WordWrap());
    QTest::keyClick(notes, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(notes->WordWrap());
    EXPECT_FALSE(settings.WordWrap());
    EXPECT_FALSE(Make(CEditClr::Kind::MultiLineEnter)->WordWrap()); // a new notes field starts so

    CEditClr* title = Make(CEditClr::Kind::MultiLine);
    QTest::keyClick(title, Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(title->WordWrap());
    EXPECT_FALSE(settings.WordWrap());
}

TEST_F(CEditClrTest, TapAndHoldMenuRunsTheChosenCommand)
{
    CEditClr* edit = Make(CEditClr::Kind::MultiLineEnter);
    edit->SetText(QStringLiteral("some text"));
    ChooseFromMenu(CEditClr::ClearAllCommand);
    QContextMenuEvent gesture(QContextMenuEvent::Mouse, QPoint(10, 10), edit->viewport()->mapToGlobal(QPoint(10, 10)));
    QCoreApplication::sendEvent(edit->viewport(), &gesture);
    EXPECT_EQ(menusShown, 1);
    EXPECT_EQ(edit->Text(), QString());
    edit->undo();
    EXPECT_EQ(edit->Text(), QStringLiteral("some text")); // clearing can be undone
}

TEST_F(CEditClrTest, KeysClearSelectCutAndPaste)
{
    CEditClr* edit = Make(CEditClr::Kind::MultiLine);
    edit->SetText(QStringLiteral("hello"));
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edit->textCursor().selectedText(), QStringLiteral("hello"));
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), QString());
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), QStringLiteral("hellohello"));
    QTest::keyClick(edit, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), QString());
}

TEST_F(CEditClrTest, SingleLineFieldKeepsToOneLine)
{
    CEditClr* edit = Make(CEditClr::Kind::SingleLine);
    edit->SetText(QStringLiteral("one\ntwo\r\nthree"));
    EXPECT_EQ(edit->Text(), QStringLiteral("one two three"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->LineCount(), 1);
    QApplication::clipboard()->setText(QStringLiteral("a\nb"));
    edit->moveCursor(QTextCursor::End);
    edit->RunCommand(CEditClr::PasteCommand);
    EXPECT_FALSE(edit->Text().contains(QLatin1Char('\n')));
    EXPECT_TRUE(edit->Text().endsWith(QStringLiteral("a b")));
}

TEST_F(CEditClrTest, EnterGoesIntoNotesButNotIntoTheTitleAndCtrlEnterNeverDoes)
{
    CEditClr* title = Make(CEditClr::Kind::MultiLine);
    QTest::keyClick(title, Qt::Key_Return);
    EXPECT_EQ(title->Text(), QString());
    CEditClr* notes = Make(CEditClr::Kind::MultiLineEnter);
    QTest::keyClick(notes, Qt::Key_Return);
    EXPECT_EQ(notes->Text(), QStringLiteral("\n"));
    QTest::keyClick(notes, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(notes->Text(), QStringLiteral("\n"));
}

TEST_F(CEditClrTest, TabStopsFollowTabSize)
{
    settings.SetTabSize(8);
    CEditClr* edit = Make(CEditClr::Kind::MultiLineEnter);
    EXPECT_DOUBLE_EQ(edit->tabStopDistance(), 8.0 * edit->fontMetrics().averageCharWidth());
}

TEST_F(CEditClrTest, NotesFieldKeepsTabForItselfOtherFieldsPassIt)
{
    CTabEditClr notes(1002, settings, &owner);
    QTest::keyClick(&notes, Qt::Key_Tab);
    EXPECT_EQ(notes.Text(), QStringLiteral("\t"));
    CEditClr* title = Make(CEditClr::Kind::MultiLine);
    QTest::keyClick(title, Qt::Key_Tab);
    EXPECT_EQ(title->Text(), QString());
}

} // namespace
