#pragma once

#include "lists/CMyTreeCtrl.h"

#include <QEvent>

// A tree whose rows run across the columns of a header above it: it keeps
// the widths of the first four columns, the total width of all columns and
// the horizontal offset the column window scrolled it by. Mouse presses,
// releases, moves and double clicks pass through OnMouse first.
class CColumnTreeCtrl : public CMyTreeCtrl
{
    Q_OBJECT

public:
    static constexpr int kCachedColumns = 4;

    explicit CColumnTreeCtrl(QWidget* parent = nullptr);
    ~CColumnTreeCtrl() override;

    // Clears and refills the tree; nothing by default.
    virtual void Rebuild(bool clearSelection);

    // A mouse message at point (viewport coordinates): type is the event
    // type, button the button that changed. Returns nonzero to let the view
    // handle it as well (the default).
    virtual int OnMouse(QEvent::Type type, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                        const QPoint& point);

    // Widths of columns 0..3; other columns read 0 and are not stored.
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    int TotalWidth() const { return m_totalWidth; }
    void SetTotalWidth(int width) { m_totalWidth = width; }
    int Offset() const { return m_offset; }
    void SetOffset(int offset) { m_offset = offset; }

    // After a rebuild: when the vertical scroll bar appeared or vanished
    // since the last report, reports ScrollBarShownChanged.
    void ReportScrollBarState();
    // The room the vertical scroll bar takes now (0 when it is not shown).
    int VerticalScrollBarSpace() const;

signals:
    // UM_TREE_LAYOUT (0x423), posted to the column window: lay out again.
    void ScrollBarShownChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool PassMouse(QMouseEvent* event);

    int m_totalWidth = 0;
    int m_widths[kCachedColumns] = {};
    int m_offset = 0;
    bool m_scrollBarShown = true;
};
