#pragma once

#include <QAbstractSlider>
#include <QWidget>

class CColumnTreeCtrl;
class QHeaderView;
class QScrollBar;
class QStandardItemModel;

// A header (control 32790) over a tree (control 32791) that scroll
// sideways together. The column geometry is the header's item widths plus
// the room the tree's vertical scroll bar takes; when it is wider than the
// window, the window's horizontal scroll bar shifts header and tree left by
// the offset and widens them by as much.
//
// A rebuild resets the tree's model, which repaints once and never shows a
// half-built tree, so this window keeps one tree: there is no spare tree
// (32792) to swap to before a rebuild.
class CColumnTreeWnd : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kHeaderId = 32790;
    static constexpr int kTreeId = 32791;
    static constexpr int kLineStep = 15;

    explicit CColumnTreeWnd(QWidget* parent = nullptr);
    ~CColumnTreeWnd() override;

    CColumnTreeCtrl* Tree() const { return m_tree; }
    QHeaderView* Header() const { return m_header; }
    QScrollBar* HorizontalScrollBar() const { return m_hbar; }
    int HeaderHeight() const { return m_headerHeight; }

    // Rebuilds the tree.
    virtual void Rebuild(bool clearSelection);
    // The column layout for a client width; nothing by default.
    virtual void SetupColumns(int clientWidth, bool force);

    // Freezes the tree; -1 clears the selection; otherwise the row holding
    // value becomes the caret and is scrolled into view. Then the tree has
    // the focus.
    void SelectByData(qint64 value);
    // Removes the row holding value and each ancestor left empty; clears the
    // selection.
    void DeleteByData(quint32 value);
    void MakeCaretVisible();
    // Cached widths of columns 0..3 (others read 0 and are not stored).
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);

    // Recomputes the column geometry from the header and lays out.
    void RecalcColumns();
    // Scrolls sideways: a line is 15 pixels, a page the client width; the
    // offset stays within [0, total - client width].
    void ScrollColumns(QAbstractSlider::SliderAction action);
    int HorizontalOffset() const;

protected:
    // Makes the header and the tree (from NewTreeCtrl); false, with the
    // debug line "[ERROR] Create Column Tree Failed!", when there is no tree.
    bool CreateParts();
    // A fresh tree for the window.
    virtual CColumnTreeCtrl* NewTreeCtrl() = 0;
    // The header's items changed; returns 0 when the geometry must be
    // recomputed. By default reads the widths into the cache.
    virtual int OnColumnsChanged();
    // A divider of the header was double-clicked.
    virtual void OnDividerDoubleClicked(int section);
    // Header font and height: the header's font with the height of "A" + 4.
    void SetHeaderFont(const QFont& font);
    // Replaces the header's items: captions and widths.
    void SetHeaderItems(const QStringList& captions, const QList<int>& widths);

    void resizeEvent(QResizeEvent* event) override;

private:
    void LayoutParts();
    void HeaderChanged();

    QHeaderView* m_header = nullptr;
    QStandardItemModel* m_captions = nullptr;
    CColumnTreeCtrl* m_tree = nullptr;
    QScrollBar* m_hbar = nullptr;
    int m_headerHeight = 0;
    bool m_settingItems = false;
};
