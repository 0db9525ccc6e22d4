#include "lists/CMyTreeCtrl.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

// Gives every row the same height; the rows themselves are painted by the
// trees built on this one.
class RowHeightDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    int height = 16;

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return QSize(1, height); }
};

struct Accelerator
{
    int key;
    int command;
};

constexpr Accelerator kAccelerators[] = {
    {Qt::Key_Return, CMyTreeCtrl::kCommandOpenItem},
    {Qt::Key_Enter, CMyTreeCtrl::kCommandOpenItem},
    {Qt::Key_Space, CMyTreeCtrl::kCommandToggleItem},
};

constexpr int kRoot = TaskTreeModel::kRootNode;

} // namespace

CMyTreeCtrl::CMyTreeCtrl(QWidget* parent)
    : QTreeView(parent), m_model(new TaskTreeModel(this)), m_rowHeight(new RowHeightDelegate(this))
{
    setModel(m_model);
    setItemDelegate(m_rowHeight);
    // No native header, buttons, lines or indentation: the trees built on
    // this one paint whole rows themselves.
    setHeaderHidden(true);
    header()->setStretchLastSection(true);
    setRootIsDecorated(false);
    setIndentation(0);
    setItemsExpandable(true);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    setAnimated(false);
    setAutoScroll(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    setPalette(colours);

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!IsFrozen())
            emit CaretChanged();
    });
}

CMyTreeCtrl::~CMyTreeCtrl() = default;

void CMyTreeCtrl::keyPressEvent(QKeyEvent* event)
{
    // The accelerators come before the view's own keys (Space would select,
    // Enter would activate).
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier) {
        for (const Accelerator& accelerator : kAccelerators) {
            if (event->key() == accelerator.key) {
                OnCommand(accelerator.command);
                event->accept();
                return;
            }
        }
    }
    // The view scrolls to a new caret only with auto-scroll, which is off
    // (a tap must not scroll the row it lands on): a key that moves the
    // caret brings it into view here, whichever way it went.
    const QModelIndex before = currentIndex();
    QTreeView::keyPressEvent(event);
    const QModelIndex caret = currentIndex();
    if (caret.isValid() && caret != before)
        scrollTo(caret);
}

void CMyTreeCtrl::OnCommand(int command)
{
    const QModelIndex caret = currentIndex();
    if (!caret.isValid())
        return;
    if (command == kCommandOpenItem)
        OpenItem(caret);
    else if (command == kCommandToggleItem)
        ToggleItem(caret);
}

void CMyTreeCtrl::ToggleItem(const QModelIndex&)
{
}

void CMyTreeCtrl::OpenItem(const QModelIndex&)
{
}

void CMyTreeCtrl::Freeze(bool on)
{
    // Updates switched off stand for the hidden native tree: nothing is
    // painted in between, and the focus stays where it is.
    if (on) {
        if (m_frozen++ == 0)
            setUpdatesEnabled(false);
    } else if (m_frozen > 0 && --m_frozen == 0) {
        setUpdatesEnabled(true);
        viewport()->update();
    }
}

int CMyTreeCtrl::CaretNode() const
{
    return m_model->NodeOf(currentIndex());
}

void CMyTreeCtrl::SetCaret(int node)
{
    const QModelIndex index = m_model->IndexOf(node);
    if (!index.isValid()) {
        ClearCaret();
        return;
    }
    // A caret inside a collapsed group opens the group, as selecting one did
    // in the native tree.
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        if (!isExpanded(parent))
            expand(parent);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void CMyTreeCtrl::ClearCaret()
{
    if (currentIndex().isValid() || selectionModel()->hasSelection())
        selectionModel()->clear();
}

int CMyTreeCtrl::FindByData(quint32 value) const
{
    const int caret = CaretNode();
    if (caret >= 0 && m_model->Data(caret) == value)
        return caret;
    return m_model->Find(value);
}

void CMyTreeCtrl::SetCheckSubtree(int node, bool on)
{
    if (!m_model->IsLiveNode(node))
        return;
    const int state = on ? TaskTreeModel::Checked : TaskTreeModel::Unchecked;
    std::vector<int> pending{node};
    while (!pending.empty()) {
        const int n = pending.back();
        pending.pop_back();
        m_model->SetCheckState(n, state);
        for (int row = 0; row < m_model->RowCount(n); ++row)
            pending.push_back(m_model->ChildAt(n, row));
    }
    for (int parent = m_model->Parent(node); parent != kRoot; parent = m_model->Parent(parent)) {
        const int count = m_model->RowCount(parent);
        int common = count > 0 ? m_model->CheckState(m_model->ChildAt(parent, 0)) : state;
        for (int row = 1; row < count; ++row) {
            if (m_model->CheckState(m_model->ChildAt(parent, row)) != common) {
                common = TaskTreeModel::Mixed;
                break;
            }
        }
        m_model->SetCheckState(parent, common);
    }
}

void CMyTreeCtrl::ExpandAll(int mode)
{
    // With a full layout pending, expanding and collapsing only note the
    // state; the rows are laid out once afterwards.
    scheduleDelayedItemsLayout();
    const bool roots = mode == 1 || mode == 2;
    const bool children = mode == 2;
    for (int row = 0; row < m_model->RowCount(kRoot); ++row) {
        const int root = m_model->ChildAt(kRoot, row);
        if (!TaskTreeModel::IsGroup(m_model->Data(root)))
            continue;
        setExpanded(m_model->IndexOf(root), roots);
        for (int r = 0; r < m_model->RowCount(root); ++r) {
            const int child = m_model->ChildAt(root, r);
            if (TaskTreeModel::IsGroup(m_model->Data(child)))
                setExpanded(m_model->IndexOf(child), children);
        }
    }
}

void CMyTreeCtrl::DeleteAll()
{
    m_model->Clear();
}

void CMyTreeCtrl::RemoveWithEmptyAncestors(int node)
{
    if (!m_model->IsLiveNode(node))
        return;
    int parent = m_model->Parent(node);
    m_model->Remove(node);
    while (parent != kRoot && m_model->RowCount(parent) == 0) {
        const int next = m_model->Parent(parent);
        m_model->Remove(parent);
        parent = next;
    }
}

bool CMyTreeCtrl::IsRowVisible(const QModelIndex& index) const
{
    if (!index.isValid())
        return false;
    const QRect rect = visualRect(index);
    return rect.height() > 0 && rect.top() >= 0 && rect.bottom() < viewport()->height();
}

bool CMyTreeCtrl::HasVerticalScrollBar() const
{
    return verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff
        && verticalScrollBar()->maximum() > verticalScrollBar()->minimum();
}

int CMyTreeCtrl::ScrollBarExtent() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
}

void CMyTreeCtrl::MakeVisible(int node, bool withParent)
{
    executeDelayedItemsLayout();
    if (!HasVerticalScrollBar())
        return;
    const QModelIndex index = m_model->IndexOf(node);
    if (!index.isValid())
        return;
    const QModelIndex parent = index.parent();
    if (IsRowVisible(index) && (!withParent || !parent.isValid() || IsRowVisible(parent)))
        return;
    FreezeScope freeze(*this);
    if (parent.isValid()) {
        scrollTo(parent, EnsureVisible);
        if (IsRowVisible(index))
            return;
    }
    const QModelIndex previous = index.sibling(index.row() - 1, 0);
    if (previous.isValid() && !IsRowVisible(previous))
        scrollTo(previous, EnsureVisible);
    if (!IsRowVisible(index))
        scrollTo(index, EnsureVisible);
}

void CMyTreeCtrl::SetTreeFont(const QFont& font, int minRowHeight)
{
    m_font = font;
    setFont(font);
    static_cast<RowHeightDelegate*>(m_rowHeight)->height = std::max(minRowHeight, QFontMetrics(font).height());
    scheduleDelayedItemsLayout();
}

int CMyTreeCtrl::RowHeight() const
{
    return static_cast<RowHeightDelegate*>(m_rowHeight)->height;
}
