#pragma once

#include "lists/TaskTreeModel.h"

#include <QFont>
#include <QTreeView>

class QStyledItemDelegate;

// A tree over a TaskTreeModel (rows carry only their item data) with the
// program's keyboard commands, a freeze flag for bulk changes, check states
// with mixed parents, and the expand, delete and make-visible operations.
//
// The caret is the view's current row; it is always the one selected row.
// CaretChanged reports every change of it except while the tree is frozen.
class CMyTreeCtrl : public QTreeView
{
    Q_OBJECT

public:
    // The accelerator commands: Enter opens the caret row, Space toggles it.
    static constexpr int kCommandOpenItem = 32907;
    static constexpr int kCommandToggleItem = 32914;

    explicit CMyTreeCtrl(QWidget* parent = nullptr);
    ~CMyTreeCtrl() override;

    TaskTreeModel& Model() { return *m_model; }
    const TaskTreeModel& Model() const { return *m_model; }

    // Runs a command on the caret row; nothing without one.
    void OnCommand(int command);
    // What Space and Enter do to a row; nothing by default.
    virtual void ToggleItem(const QModelIndex& index);
    virtual void OpenItem(const QModelIndex& index);

    // While frozen the tree is not painted and reports no caret changes.
    // Freezes nest; the last Freeze(false) repaints.
    void Freeze(bool on);
    bool IsFrozen() const { return m_frozen > 0; }

    // Holds the tree frozen for a scope.
    class FreezeScope
    {
    public:
        explicit FreezeScope(CMyTreeCtrl& tree) : m_tree(tree) { m_tree.Freeze(true); }
        ~FreezeScope() { m_tree.Freeze(false); }
        FreezeScope(const FreezeScope&) = delete;
        FreezeScope& operator=(const FreezeScope&) = delete;

    private:
        CMyTreeCtrl& m_tree;
    };

    // ---- The caret (node numbers of the model; -1 = none)
    int CaretNode() const;
    void SetCaret(int node);
    void ClearCaret();
    // The row holding value: the caret row first, then depth first from
    // the first top-level row; -1 when none.
    int FindByData(quint32 value) const;

    // ---- Check states (TaskTreeModel::CheckImage)
    // Writes checked or unchecked into the row and all rows below it; then
    // every ancestor, nearest first, takes its children's common state, or
    // mixed when they differ.
    void SetCheckSubtree(int node, bool on);

    // Mode 2 expands the top-level rows and their children, mode 1 expands
    // the top-level rows and collapses their children, any other mode
    // collapses both.
    void ExpandAll(int mode);
    void DeleteAll();
    // Removes a row and then each ancestor left without rows.
    void RemoveWithEmptyAncestors(int node);

    // Scrolls a row into view, its parent too when asked and there is room,
    // but only when the tree has a vertical scroll bar.
    void MakeVisible(int node, bool withParent);
    // The row lies wholly inside the visible area.
    bool IsRowVisible(const QModelIndex& index) const;
    bool HasVerticalScrollBar() const;
    // Width of a vertical scroll bar of this tree.
    int ScrollBarExtent() const;

    // The control's own font, which also fixes the row height (never below
    // minRowHeight).
    void SetTreeFont(const QFont& font, int minRowHeight);
    const QFont& TreeFont() const { return m_font; }
    int RowHeight() const;

signals:
    void CaretChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TaskTreeModel* m_model;
    QStyledItemDelegate* m_rowHeight;
    int m_frozen = 0;
    QFont m_font;
};
