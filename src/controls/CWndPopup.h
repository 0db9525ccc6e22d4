#pragma once

#include <QPointer>
#include <QWidget>

// The base of the program's pop-up grids (colours, icons): a borderless
// pop-up window, placed below or above an anchor window or at a point and
// kept inside the desktop. While it is open it holds the pointer and the
// keyboard: the pen highlights the cell under it and chooses it when it comes
// up there (elsewhere it cancels); the arrow keys move the highlight, Enter
// or Space choose it, Escape cancels. The owner learns the outcome from a
// posted notice (it connects with Qt::QueuedConnection): the derived pop-up's
// chosen signal, or Cancelled. A pop-up the system closes (another window
// activated) counts as cancelled.
class CWndPopup : public QWidget
{
    Q_OBJECT

public:
    // The grid: square cells, row by row from the top left.
    struct Grid
    {
        int cell = 1;
        int columns = 1;
        int count = 0;

        int Rows() const { return columns > 0 ? (count + columns - 1) / columns : 0; }
        QSize Size() const { return {columns * cell, Rows() * cell}; }
        QRect CellRect(int index) const;
        // The index under pos, or -1 outside the window or past the last cell.
        int HitTest(const QPoint& pos) const;
    };

    // The pop-up belongs to parent (and goes with it).
    explicit CWndPopup(QWidget* parent);

    virtual Grid Layout() const = 0;
    int HitTest(const QPoint& pos) const { return Layout().HitTest(pos); }

    // The highlighted cell, -1 for none.
    int HighlightIndex() const { return m_highlight; }

    // Shows the pop-up under the anchor (its left edge moved so that the
    // whole pop-up stays within the desktop's width), or above it when it
    // would run past the desktop's bottom. It follows the anchor when the
    // anchor moves.
    void ShowBelow(QWidget* anchor);
    // Bottom at the anchor's top (never above the desktop's top).
    void ShowAbove(QWidget* anchor);
    // At a point on the desktop, moved back inside it.
    void ShowAt(const QPoint& globalPos);
    bool IsOpen() const { return m_open; }
    // Hides the pop-up and reports Cancelled.
    void Cancel();

    // Where each placement puts a pop-up of size within the desktop (global coordinates).
    static QPoint PlaceBelow(const QRect& anchor, const QSize& size, const QRect& desktop);
    static QPoint PlaceAbove(const QRect& anchor, const QSize& size, const QRect& desktop);
    static QPoint PlaceAt(const QPoint& point, const QSize& size, const QRect& desktop);

    QSize sizeHint() const override { return Layout().Size(); }

signals:
    // 0x421, posted: closed without a choice.
    void Cancelled();

protected:
    virtual void PaintCell(QPainter& painter, int index, const QRect& cell, bool highlighted) = 0;
    // Emits the derived pop-up's chosen signal with the highlighted value.
    virtual void ReportChosen() = 0;
    // The highlight moved to index (a pen or a key).
    virtual void SetHighlightIndex(int index);

    // Closes and reports the choice.
    void Choose();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    enum class Placement { Below, Above };

    void Open(const QPoint& topLeft);
    void Close();
    void PlaceAtAnchor();
    void SetAnchor(QWidget* anchor, Placement placement);
    static QRect Desktop(const QWidget* near);

    QPointer<QWidget> m_anchor;
    Placement m_placement = Placement::Below;
    int m_highlight = -1;
    bool m_open = false;
};
