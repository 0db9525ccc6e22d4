#include "lists/TaskTreeModel.h"

#include <algorithm>

namespace {

// The builder and the model keep rows alike: node records that name their
// list of children, and the lists, the first of which holds the top-level
// rows.
using KidLists = std::vector<std::vector<qint32>>;

template <typename Node>
const std::vector<qint32>* FindKidList(const std::vector<Node>& nodes, const KidLists& kids, int node)
{
    if (node == TaskTreeModel::kRootNode)
        return &kids[0];
    if (node < 0 || size_t(node) >= nodes.size())
        return nullptr;
    const qint32 k = nodes[size_t(node)].kids;
    return k < 0 ? nullptr : &kids[size_t(k)];
}

// The node's list of children, made empty when it has none yet.
template <typename Node>
std::vector<qint32>& MakeKidList(std::vector<Node>& nodes, KidLists& kids, int node)
{
    if (node == TaskTreeModel::kRootNode)
        return kids[0];
    Node& n = nodes[size_t(node)];
    if (n.kids < 0) {
        n.kids = qint32(kids.size());
        kids.emplace_back();
    }
    return kids[size_t(n.kids)];
}

} // namespace

// ---- Builder

TaskTreeModel::Builder::Builder()
{
    m_kids.emplace_back();
}

void TaskTreeModel::Builder::Clear()
{
    m_nodes.clear();
    m_kids.resize(1);
    m_kids[0].clear();
    m_texts.clear();
}

void TaskTreeModel::Builder::Reserve(size_t rows)
{
    m_nodes.reserve(rows);
}

std::vector<qint32>& TaskTreeModel::Builder::KidsOf(int node)
{
    return MakeKidList(m_nodes, m_kids, node);
}

const std::vector<qint32>* TaskTreeModel::Builder::FindKids(int node) const
{
    return FindKidList(m_nodes, m_kids, node);
}

int TaskTreeModel::Builder::Add(int parent, quint32 data)
{
    const int node = int(m_nodes.size());
    std::vector<qint32>& kids = KidsOf(parent);
    // Groups get their child list at once, so an empty group still counts
    // as one that may have rows.
    m_nodes.push_back(Node{data, parent, qint32(kids.size()), -1});
    kids.push_back(node);
    if (IsGroup(data))
        KidsOf(node);
    return node;
}

int TaskTreeModel::Builder::ChildCount(int node) const
{
    const std::vector<qint32>* kids = FindKids(node);
    return kids ? int(kids->size()) : 0;
}

void TaskTreeModel::Builder::SetText(int node, const QString& text)
{
    m_texts.insert(node, text);
}

void TaskTreeModel::Builder::DropEmptyGroups()
{
    std::vector<qint32>& roots = m_kids[0];
    size_t kept = 0;
    for (const qint32 node : roots) {
        Node& n = m_nodes[size_t(node)];
        if (IsGroup(n.data) && ChildCount(node) == 0) {
            n.parent = kDeadParent;
            m_texts.remove(node);
            continue;
        }
        n.row = qint32(kept);
        roots[kept++] = node;
    }
    roots.resize(kept);
}

void TaskTreeModel::Builder::DropLastEmptyGroup()
{
    std::vector<qint32>& roots = m_kids[0];
    if (roots.empty())
        return;
    const qint32 node = roots.back();
    Node& n = m_nodes[size_t(node)];
    if (!IsGroup(n.data) || ChildCount(node) != 0)
        return;
    roots.pop_back();
    m_texts.remove(node);
    // The group was the last row added: take it back whole.
    if (size_t(node) + 1 == m_nodes.size()) {
        if (n.kids >= 0 && size_t(n.kids) + 1 == m_kids.size())
            m_kids.pop_back();
        m_nodes.pop_back();
    } else {
        n.parent = kDeadParent;
    }
}

// ---- Model

TaskTreeModel::TaskTreeModel(QObject* parent) : QAbstractItemModel(parent)
{
    m_kids.emplace_back();
}

TaskTreeModel::~TaskTreeModel() = default;

const std::vector<qint32>* TaskTreeModel::KidsOf(int node) const
{
    return FindKidList(m_nodes, m_kids, node);
}

std::vector<qint32>& TaskTreeModel::MakeKids(int node)
{
    return MakeKidList(m_nodes, m_kids, node);
}

bool TaskTreeModel::IsLiveNode(int node) const
{
    return node >= 0 && size_t(node) < m_nodes.size() && m_nodes[size_t(node)].parent != kDeadParent;
}

int TaskTreeModel::NodeOf(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return -1;
    return int(index.internalId());
}

QModelIndex TaskTreeModel::IndexOf(int node) const
{
    if (!IsLiveNode(node))
        return QModelIndex();
    return createIndex(m_nodes[size_t(node)].row, 0, quintptr(node));
}

QModelIndex TaskTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return QModelIndex();
    const int parentNode = parent.isValid() ? NodeOf(parent) : kRootNode;
    if (parent.isValid() && parent.column() != 0)
        return QModelIndex();
    const std::vector<qint32>* kids = KidsOf(parentNode);
    if (!kids || size_t(row) >= kids->size())
        return QModelIndex();
    return createIndex(row, 0, quintptr((*kids)[size_t(row)]));
}

QModelIndex TaskTreeModel::parent(const QModelIndex& child) const
{
    const int node = NodeOf(child);
    if (!IsLiveNode(node))
        return QModelIndex();
    return IndexOf(m_nodes[size_t(node)].parent);
}

QModelIndex TaskTreeModel::sibling(int row, int column, const QModelIndex& index) const
{
    const int node = NodeOf(index);
    if (!IsLiveNode(node))
        return QModelIndex();
    if (row == index.row() && column == index.column())
        return index;
    return this->index(row, column, IndexOf(m_nodes[size_t(node)].parent));
}

int TaskTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    return RowCount(parent.isValid() ? NodeOf(parent) : kRootNode);
}

int TaskTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool TaskTreeModel::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

QVariant TaskTreeModel::data(const QModelIndex& index, int role) const
{
    const int node = NodeOf(index);
    if (!IsLiveNode(node))
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return Text(node);
    case ItemDataRole:
        return QVariant::fromValue(uint(m_nodes[size_t(node)].data));
    case Qt::CheckStateRole: {
        switch (CheckState(node)) {
        case Unchecked:
            return int(Qt::Unchecked);
        case Checked:
            return int(Qt::Checked);
        case Mixed:
            return int(Qt::PartiallyChecked);
        default:
            return QVariant();
        }
    }
    default:
        return QVariant();
    }
}

bool TaskTreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const int node = NodeOf(index);
    if (!IsLiveNode(node))
        return false;
    if (role == ItemDataRole) {
        SetData(node, quint32(value.toUInt()));
        return true;
    }
    if (role == Qt::CheckStateRole) {
        const int state = value.toInt();
        SetCheckState(node, state == Qt::Checked ? Checked : state == Qt::PartiallyChecked ? Mixed : Unchecked);
        return true;
    }
    return false;
}

Qt::ItemFlags TaskTreeModel::flags(const QModelIndex& index) const
{
    const int node = NodeOf(index);
    if (!IsLiveNode(node))
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // Task rows never get rows of their own, which lets the view skip them
    // when it looks for expanded rows.
    if (!IsGroup(m_nodes[size_t(node)].data))
        result |= Qt::ItemNeverHasChildren;
    return result;
}

bool TaskTreeModel::removeRows(int row, int count, const QModelIndex& parent)
{
    const int parentNode = parent.isValid() ? NodeOf(parent) : kRootNode;
    const std::vector<qint32>* found = KidsOf(parentNode);
    if (!found || row < 0 || count <= 0 || size_t(row) + size_t(count) > found->size())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    std::vector<qint32>& kids = MakeKids(parentNode);
    for (int i = row; i < row + count; ++i)
        Bury(kids[size_t(i)]);
    kids.erase(kids.begin() + row, kids.begin() + row + count);
    Renumber(kids, size_t(row));
    endRemoveRows();
    return true;
}

void TaskTreeModel::Reset(Builder& builder)
{
    beginResetModel();
    m_nodes.swap(builder.m_nodes);
    m_kids.swap(builder.m_kids);
    m_texts.swap(builder.m_texts);
    m_checks.clear();
    endResetModel();
    builder.Clear();
}

void TaskTreeModel::Clear()
{
    Builder empty;
    Reset(empty);
}

int TaskTreeModel::RowCount(int node) const
{
    const std::vector<qint32>* kids = KidsOf(node);
    return kids ? int(kids->size()) : 0;
}

int TaskTreeModel::ChildAt(int node, int row) const
{
    const std::vector<qint32>* kids = KidsOf(node);
    if (!kids || row < 0 || size_t(row) >= kids->size())
        return -1;
    return (*kids)[size_t(row)];
}

int TaskTreeModel::Parent(int node) const
{
    return IsLiveNode(node) ? m_nodes[size_t(node)].parent : kRootNode;
}

int TaskTreeModel::Row(int node) const
{
    return IsLiveNode(node) ? m_nodes[size_t(node)].row : -1;
}

quint32 TaskTreeModel::Data(int node) const
{
    return IsLiveNode(node) ? m_nodes[size_t(node)].data : 0;
}

QString TaskTreeModel::Text(int node) const
{
    return m_texts.value(node);
}

int TaskTreeModel::CheckState(int node) const
{
    return m_checks.value(node, NoCheck);
}

int TaskTreeModel::Find(quint32 value) const
{
    // Depth first without recursion: a stack of (child list, next position).
    std::vector<std::pair<const std::vector<qint32>*, size_t>> stack;
    stack.emplace_back(&m_kids[0], 0);
    while (!stack.empty()) {
        auto& [kids, next] = stack.back();
        if (next >= kids->size()) {
            stack.pop_back();
            continue;
        }
        const int node = (*kids)[next++];
        const Node& n = m_nodes[size_t(node)];
        if (n.data == value)
            return node;
        if (n.kids >= 0 && !m_kids[size_t(n.kids)].empty())
            stack.emplace_back(&m_kids[size_t(n.kids)], 0);
    }
    return -1;
}

void TaskTreeModel::Renumber(std::vector<qint32>& kids, size_t from)
{
    for (size_t i = from; i < kids.size(); ++i)
        m_nodes[size_t(kids[i])].row = qint32(i);
}

void TaskTreeModel::Bury(int node)
{
    Node& n = m_nodes[size_t(node)];
    n.parent = kDeadParent;
    m_texts.remove(node);
    m_checks.remove(node);
    if (n.kids >= 0) {
        std::vector<qint32>& kids = m_kids[size_t(n.kids)];
        for (const qint32 kid : kids)
            Bury(kid);
        kids.clear();
        kids.shrink_to_fit();
    }
}

int TaskTreeModel::Insert(int parent, int row, quint32 data, const QString& text)
{
    if (parent != kRootNode && !IsLiveNode(parent))
        return -1;
    const int count = RowCount(parent);
    row = std::clamp(row, 0, count);
    const int node = int(m_nodes.size());
    beginInsertRows(IndexOf(parent), row, row);
    m_nodes.push_back(Node{data, parent, qint32(row), -1});
    std::vector<qint32>& kids = MakeKids(parent);
    kids.insert(kids.begin() + row, node);
    Renumber(kids, size_t(row) + 1);
    if (IsGroup(data))
        MakeKids(node);
    if (!text.isEmpty())
        m_texts.insert(node, text);
    endInsertRows();
    return node;
}

void TaskTreeModel::Remove(int node)
{
    if (!IsLiveNode(node))
        return;
    const Node& n = m_nodes[size_t(node)];
    removeRows(n.row, 1, IndexOf(n.parent));
}

void TaskTreeModel::SetData(int node, quint32 data)
{
    if (!IsLiveNode(node) || m_nodes[size_t(node)].data == data)
        return;
    m_nodes[size_t(node)].data = data;
    const QModelIndex index = IndexOf(node);
    emit dataChanged(index, index);
}

void TaskTreeModel::SetCheckState(int node, int state)
{
    if (!IsLiveNode(node) || CheckState(node) == state)
        return;
    if (state == NoCheck)
        m_checks.remove(node);
    else
        m_checks.insert(node, state);
    const QModelIndex index = IndexOf(node);
    emit dataChanged(index, index, {Qt::CheckStateRole});
}
