#include "lists/TaskTreeModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

constexpr int kRoot = TaskTreeModel::kRootNode;
constexpr quint32 kDate = TaskTreeModel::kDateGroupBit;
constexpr quint32 kCategory = TaskTreeModel::kCategoryGroupBit;

// The rows as text: numbers for tasks, "d" / "c" + the rest for groups,
// a group's rows in brackets.
QString Text(const TaskTreeModel& model, int node = kRoot)
{
    QStringList parts;
    for (int row = 0; row < model.RowCount(node); ++row) {
        const int child = model.ChildAt(node, row);
        EXPECT_EQ(model.Row(child), row);
        EXPECT_EQ(model.Parent(child), node);
        const quint32 data = model.Data(child);
        QString part = TaskTreeModel::IsCategoryGroup(data) ? QStringLiteral("c%1").arg(data & ~kCategory)
                       : TaskTreeModel::IsDateGroup(data)   ? QStringLiteral("d%1").arg(data & ~kDate)
                                                            : QString::number(data);
        if (TaskTreeModel::IsGroup(data))
            part += u'[' + Text(model, child) + u']';
        parts << part;
    }
    return parts.join(u',');
}

class TaskTreeModelTest : public ::testing::Test
{
protected:
    // Two date groups with tasks and a task at the top level.
    void BuildSample()
    {
        TaskTreeModel::Builder builder;
        const int first = builder.Add(kRoot, kDate | 5);
        builder.Add(first, 1);
        builder.Add(first, 2);
        const int empty = builder.Add(kRoot, kDate | 6);
        Q_UNUSED(empty);
        const int second = builder.Add(kRoot, kDate | 7);
        builder.Add(second, 3);
        builder.Add(kRoot, 4);
        builder.DropEmptyGroups();
        model.Reset(builder);
        EXPECT_EQ(builder.ChildCount(kRoot), 0) << "the builder is left empty";
    }

    TaskTreeModel model;
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

} // namespace

TEST_F(TaskTreeModelTest, BuilderRowsArriveInOneResetWithoutEmptyGroups)
{
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
    BuildSample();
    EXPECT_EQ(Text(model), QStringLiteral("d5[1,2],d7[3],4"));
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(inserts.count(), 0);
    EXPECT_EQ(model.rowCount(), 3);
    const QModelIndex group = model.index(0, 0);
    EXPECT_EQ(model.rowCount(group), 2);
    EXPECT_EQ(model.data(model.index(1, 0, group), TaskTreeModel::ItemDataRole).toUInt(), 2u);
    EXPECT_TRUE(model.flags(model.index(1, 0, group)) & Qt::ItemNeverHasChildren);
    EXPECT_FALSE(model.flags(group) & Qt::ItemNeverHasChildren);
}

TEST_F(TaskTreeModelTest, DropLastEmptyGroupTakesBackOnlyAnEmptyLastGroup)
{
    TaskTreeModel::Builder builder;
    const int kept = builder.Add(kRoot, kDate | 1);
    builder.Add(kept, 10);
    builder.DropLastEmptyGroup(); // the last group has a row: stays
    builder.Add(kRoot, kDate | 2);
    builder.DropLastEmptyGroup();
    const int next = builder.Add(kRoot, kDate | 3);
    builder.Add(next, 11);
    model.Reset(builder);
    EXPECT_EQ(Text(model), QStringLiteral("d1[10],d3[11]"));
}

TEST_F(TaskTreeModelTest, SingleRowEditsKeepPositionsAndSignalOneRow)
{
    BuildSample();
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    const int group = model.ChildAt(kRoot, 0);
    const int added = model.Insert(group, 1, 9);
    EXPECT_EQ(Text(model), QStringLiteral("d5[1,9,2],d7[3],4"));
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted.at(0).at(1).toInt(), 1);

    const int newGroup = model.Insert(kRoot, 1, kCategory | 3, QStringLiteral("Work"));
    model.Insert(newGroup, 99, 8); // past the end: appended
    EXPECT_EQ(Text(model), QStringLiteral("d5[1,9,2],c3[8],d7[3],4"));
    EXPECT_EQ(model.data(model.IndexOf(newGroup)).toString(), QStringLiteral("Work"));

    model.Remove(model.Find(1));
    EXPECT_EQ(Text(model), QStringLiteral("d5[9,2],c3[8],d7[3],4"));
    model.Remove(newGroup); // with its rows
    EXPECT_EQ(Text(model), QStringLiteral("d5[9,2],d7[3],4"));
    EXPECT_EQ(removed.count(), 2);
    EXPECT_FALSE(model.IsLiveNode(newGroup));
    EXPECT_EQ(model.Find(8), -1);

    model.SetData(added, 7);
    EXPECT_EQ(Text(model), QStringLiteral("d5[7,2],d7[3],4"));
    EXPECT_EQ(changed.count(), 1);
    model.SetData(added, 7); // unchanged: no signal
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(TaskTreeModelTest, FindSearchesDepthFirstFromTheFirstRow)
{
    BuildSample();
    EXPECT_EQ(model.Data(model.Find(3)), 3u);
    EXPECT_EQ(model.Parent(model.Find(3)), model.ChildAt(kRoot, 1));
    EXPECT_EQ(model.Find(kDate | 7), model.ChildAt(kRoot, 1));
    EXPECT_EQ(model.Find(42), -1);
}

TEST_F(TaskTreeModelTest, RemoveRowsTakesARangeAndClearEmpties)
{
    BuildSample();
    EXPECT_TRUE(model.removeRows(0, 2));
    EXPECT_EQ(Text(model), QStringLiteral("4"));
    EXPECT_FALSE(model.removeRows(0, 2)) << "past the end";
    model.Clear();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(TaskTreeModelTest, CheckStatesAreKeptPerRowAndForgottenByAReset)
{
    BuildSample();
    const int task = model.Find(2);
    EXPECT_FALSE(model.data(model.IndexOf(task), Qt::CheckStateRole).isValid());
    model.SetCheckState(task, TaskTreeModel::Mixed);
    EXPECT_EQ(model.data(model.IndexOf(task), Qt::CheckStateRole).toInt(), int(Qt::PartiallyChecked));
    EXPECT_TRUE(model.setData(model.IndexOf(task), int(Qt::Checked), Qt::CheckStateRole));
    EXPECT_EQ(model.CheckState(task), TaskTreeModel::Checked);
    BuildSample();
    EXPECT_EQ(model.CheckState(model.Find(2)), TaskTreeModel::NoCheck);
}
