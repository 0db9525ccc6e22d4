#pragma once

#include <QAbstractItemModel>
#include <QHash>
#include <QString>

#include <vector>

// The item storage of the column trees: rows that carry nothing but their
// 32-bit item data. In the task tree that is a task's store index, a date
// group's date | 0x40000000 or a category group's index | 0x80000000; the
// view paints everything else from the store at paint time.
//
// Rows live in flat arrays: one node per row (its data, parent, position
// under the parent and, for a group, its list of children) addressed by a
// node number, which is also the internal id of its QModelIndex. A whole
// tree is built in a Builder and taken over with one model reset, so a
// rebuild costs no per-row signals or allocations; edits in place insert,
// remove or change single rows with the usual row signals. Node numbers
// stay valid until the next reset; a removed node is never handed out again
// before it.
//
// Besides the item data a row may have a text of its own (a group's native
// text) and a check state; both are rare and kept aside by node number.
class TaskTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    static constexpr quint32 kDateGroupBit = 0x40000000u;
    static constexpr quint32 kCategoryGroupBit = 0x80000000u;
    // The invisible root: parent of the top-level rows.
    static constexpr int kRootNode = -1;
    // The row's item data as an unsigned number.
    static constexpr int ItemDataRole = Qt::UserRole;

    // Bit 31 makes a category group, else bit 30 a date group, else a task.
    static constexpr bool IsCategoryGroup(quint32 data) { return (data & kCategoryGroupBit) != 0; }
    static constexpr bool IsDateGroup(quint32 data) { return !IsCategoryGroup(data) && (data & kDateGroupBit) != 0; }
    static constexpr bool IsGroup(quint32 data) { return (data & (kCategoryGroupBit | kDateGroupBit)) != 0; }

    // Check states of the state image: 1 unchecked, 2 checked, 3 mixed; 0 none.
    enum CheckImage : int { NoCheck = 0, Unchecked = 1, Checked = 2, Mixed = 3 };

    // Rows of a whole tree, in the model's own layout, appended in display
    // order; TaskTreeModel::Reset takes them over.
    class Builder
    {
    public:
        Builder();
        void Clear();
        void Reserve(size_t rows);

        // Appends a row under parent (kRootNode for the top level); returns its node.
        int Add(int parent, quint32 data);
        int ChildCount(int node) const;
        void SetText(int node, const QString& text);
        // Drops the top-level groups that got no rows.
        void DropEmptyGroups();
        // Drops the last top-level row when it is a group that got no rows.
        void DropLastEmptyGroup();

    private:
        friend class TaskTreeModel;
        struct Node
        {
            quint32 data;
            qint32 parent;
            qint32 row;
            qint32 kids; // index of the child list, -1 for a row without one
        };
        std::vector<Node> m_nodes;
        std::vector<std::vector<qint32>> m_kids; // m_kids[0]: the top-level rows
        QHash<qint32, QString> m_texts;

        std::vector<qint32>& KidsOf(int node);
        const std::vector<qint32>* FindKids(int node) const;
    };

    explicit TaskTreeModel(QObject* parent = nullptr);
    ~TaskTreeModel() override;

    // ---- The item model
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    QModelIndex sibling(int row, int column, const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    // ---- Whole trees
    // Takes the builder's rows in one reset; the builder is left empty.
    void Reset(Builder& builder);
    void Clear();

    // ---- Rows by node number
    int RowCount(int node) const;
    int ChildAt(int node, int row) const;
    int Parent(int node) const;
    int Row(int node) const;
    quint32 Data(int node) const;
    bool IsLiveNode(int node) const;
    QString Text(int node) const;
    int CheckState(int node) const;
    // -1 for an invalid index.
    int NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(int node) const;
    // The first row whose data equals value, depth first from the first
    // top-level row; -1 when none.
    int Find(quint32 value) const;

    // ---- Single-row edits
    // Inserts a row under parent at row (clamped to the end); returns its node.
    int Insert(int parent, int row, quint32 data, const QString& text = QString());
    // Removes the row and its children.
    void Remove(int node);
    void SetData(int node, quint32 data);
    void SetCheckState(int node, int state);

private:
    using Node = Builder::Node;
    static constexpr qint32 kDeadParent = -2;

    const std::vector<qint32>* KidsOf(int node) const;
    std::vector<qint32>& MakeKids(int node);
    void Renumber(std::vector<qint32>& kids, size_t from);
    void Bury(int node);

    std::vector<Node> m_nodes;
    std::vector<std::vector<qint32>> m_kids;
    QHash<qint32, QString> m_texts;
    QHash<qint32, int> m_checks;
};
