#include "lists/CMyTreeCtrl.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kRoot = TaskTreeModel::kRootNode;
constexpr quint32 kGroup = TaskTreeModel::kCategoryGroupBit;

// A tree that records the keyboard commands it runs.
class RecordingTree : public CMyTreeCtrl
{
public:
    QList<QString> runs;
    void ToggleItem(const QModelIndex& index) override { runs << QStringLiteral("toggle %1").arg(Model().Data(Model().NodeOf(index))); }
    void OpenItem(const QModelIndex& index) override { runs << QStringLiteral("open %1").arg(Model().Data(Model().NodeOf(index))); }
};

} // namespace

// Groups 100 (tasks 1, 2 and the subgroup 101 with tasks 3, 4) and 200
// (task 5), and the top-level task 6.
class MyTreeCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TaskTreeModel::Builder rows;
        const int g1 = rows.Add(kRoot, kGroup | 100);
        rows.Add(g1, 1);
        rows.Add(g1, 2);
        const int sub = rows.Add(g1, kGroup | 101);
        rows.Add(sub, 3);
        rows.Add(sub, 4);
        const int g2 = rows.Add(kRoot, kGroup | 200);
        rows.Add(g2, 5);
        rows.Add(kRoot, 6);
        tree.Model().Reset(rows);
        tree.resize(200, 300);
        tree.show();
    }

    int Node(quint32 data) const { return tree.Model().Find(data); }
    bool Expanded(quint32 data) const { return tree.isExpanded(tree.Model().IndexOf(Node(data))); }
    int Check(quint32 data) const { return tree.Model().CheckState(Node(data)); }

    RecordingTree tree;
};

TEST_F(MyTreeCtrlTest, CheckingASubtreeGivesAncestorsTheirChildrensCommonState)
{
    tree.SetCheckSubtree(Node(kGroup | 100), false);
    EXPECT_EQ(Check(3), TaskTreeModel::Unchecked);
    tree.SetCheckSubtree(Node(3), true);
    EXPECT_EQ(Check(3), TaskTreeModel::Checked);
    EXPECT_EQ(Check(kGroup | 101), TaskTreeModel::Mixed);
    EXPECT_EQ(Check(kGroup | 100), TaskTreeModel::Mixed);
    tree.SetCheckSubtree(Node(4), true);
    EXPECT_EQ(Check(kGroup | 101), TaskTreeModel::Checked);
    EXPECT_EQ(Check(kGroup | 100), TaskTreeModel::Mixed) << "1 and 2 are unchecked";
    tree.SetCheckSubtree(Node(kGroup | 100), true);
    EXPECT_EQ(Check(1), TaskTreeModel::Checked);
    EXPECT_EQ(Check(kGroup | 100), TaskTreeModel::Checked);
    EXPECT_EQ(Check(5), TaskTreeModel::NoCheck) << "other groups untouched";
}

TEST_F(MyTreeCtrlTest, ExpandAllModes)
{
    struct Mode
    {
        int mode;
        bool roots;
        bool children;
    };
    for (const Mode m : {Mode{2, true, true}, Mode{1, true, false}, Mode{0, false, false}, Mode{7, false, false}}) {
        tree.ExpandAll(m.mode);
        EXPECT_EQ(Expanded(kGroup | 100), m.roots) << m.mode;
        EXPECT_EQ(Expanded(kGroup | 200), m.roots) << m.mode;
        EXPECT_EQ(Expanded(kGroup | 101), m.children) << m.mode;
    }
}

TEST_F(MyTreeCtrlTest, RemovingTheLastRowsRemovesTheAncestorsLeftEmpty)
{
    tree.RemoveWithEmptyAncestors(Node(3));
    EXPECT_GE(Node(kGroup | 101), 0);
    tree.RemoveWithEmptyAncestors(Node(4));
    EXPECT_LT(Node(kGroup | 101), 0);
    EXPECT_GE(Node(kGroup | 100), 0) << "1 and 2 are left";
    tree.RemoveWithEmptyAncestors(Node(5));
    EXPECT_LT(Node(kGroup | 200), 0);
    EXPECT_EQ(tree.Model().RowCount(kRoot), 2);
    tree.DeleteAll();
    EXPECT_EQ(tree.Model().RowCount(kRoot), 0);
}

TEST_F(MyTreeCtrlTest, EnterOpensAndSpaceTogglesTheCaretRowOnly)
{
    QTest::keyClick(&tree, Qt::Key_Space);
    EXPECT_TRUE(tree.runs.isEmpty()) << "no caret";
    tree.SetCaret(Node(5));
    QTest::keyClick(&tree, Qt::Key_Space);
    QTest::keyClick(&tree, Qt::Key_Return);
    QTest::keyClick(&tree, Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(tree.runs, (QList<QString>{QStringLiteral("toggle 5"), QStringLiteral("open 5")}));
}

TEST_F(MyTreeCtrlTest, FreezingHoldsBackCaretReportsAndNests)
{
    QSignalSpy caret(&tree, &CMyTreeCtrl::CaretChanged);
    tree.Freeze(true);
    tree.Freeze(true);
    tree.SetCaret(Node(1));
    tree.Freeze(false);
    EXPECT_TRUE(tree.IsFrozen());
    tree.SetCaret(Node(2));
    tree.Freeze(false);
    EXPECT_FALSE(tree.IsFrozen());
    EXPECT_EQ(caret.count(), 0);
    tree.SetCaret(Node(5));
    EXPECT_EQ(caret.count(), 1);
}

TEST_F(MyTreeCtrlTest, MakeVisibleScrollsTheRowAndItsParentIntoView)
{
    TaskTreeModel::Builder rows;
    const int group = rows.Add(kRoot, kGroup | 1);
    for (quint32 task = 0; task < 200; ++task)
        rows.Add(group, task);
    tree.Model().Reset(rows);
    tree.ExpandAll(2);
    tree.resize(200, 100);
    ASSERT_TRUE(tree.HasVerticalScrollBar());
    const QModelIndex row = tree.Model().IndexOf(Node(150));
    tree.MakeVisible(Node(150), false);
    EXPECT_TRUE(tree.IsRowVisible(row));
    // The group row cannot be shown together with row 150; the row wins.
    tree.MakeVisible(Node(150), true);
    EXPECT_TRUE(tree.IsRowVisible(row));
    tree.MakeVisible(Node(2), true);
    EXPECT_TRUE(tree.IsRowVisible(tree.Model().IndexOf(Node(kGroup | 1)))) << "near the top the parent shows too";
    EXPECT_TRUE(tree.IsRowVisible(tree.Model().IndexOf(Node(2))));
}

TEST_F(MyTreeCtrlTest, EveryKeyThatMovesTheCaretBringsItIntoView)
{
    TaskTreeModel::Builder rows;
    const int group = rows.Add(kRoot, kGroup | 1);
    for (quint32 task = 0; task < 200; ++task)
        rows.Add(group, task);
    tree.Model().Reset(rows);
    tree.ExpandAll(2);
    tree.resize(200, 100);
    ASSERT_TRUE(tree.HasVerticalScrollBar());
    tree.SetCaret(Node(kGroup | 1));
    tree.setFocus();
    const auto caretShown = [&] { return tree.IsRowVisible(tree.currentIndex()); };

    for (int i = 0; i < 12; ++i)
        QTest::keyClick(&tree, Qt::Key_Down);
    EXPECT_EQ(tree.Model().Data(tree.Model().NodeOf(tree.currentIndex())), 11u);
    EXPECT_TRUE(caretShown()) << "down";
    QTest::keyClick(&tree, Qt::Key_PageDown);
    EXPECT_TRUE(caretShown()) << "page down";
    QTest::keyClick(&tree, Qt::Key_End);
    EXPECT_EQ(tree.Model().Data(tree.Model().NodeOf(tree.currentIndex())), 199u);
    EXPECT_TRUE(caretShown()) << "end";
    QTest::keyClick(&tree, Qt::Key_PageUp);
    EXPECT_TRUE(caretShown()) << "page up";
    QTest::keyClick(&tree, Qt::Key_Home);
    EXPECT_TRUE(caretShown()) << "home";
    QTest::keyClick(&tree, Qt::Key_End);
    tree.scrollToTop(); // the caret out of sight, then a step up from it
    QTest::keyClick(&tree, Qt::Key_Up);
    EXPECT_TRUE(caretShown()) << "up";
}
