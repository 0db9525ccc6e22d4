#pragma once

#include "lists/CColumnTreeCtrl.h"
#include "lists/TaskRowLayout.h"
#include "lists/TaskTreeShape.h"
#include "model/MenuItemDesc.h"
#include "model/PackedDate.h"
#include "platform/gui/ViewContext.h"

#include <QPointer>
#include <QRect>

#include <functional>

class CIconPopup;
class LongPress;
class TaskRecord;

// The task tree: fills itself from the store for the view state and the
// settings, paints every row from the store at paint time, routes taps by
// zones of the row, edits completion in place and reports everything else to
// the main view with its signals. Posted reports are connected with
// Qt::QueuedConnection, sent ones directly.
class CTodoTreeCtrl : public CColumnTreeCtrl
{
    Q_OBJECT

public:
    // Context menu of a task row.
    enum TaskMenuId : int {
        kMenuComplete = 2,
        kMenuHigh = 3,
        kMenuNormal = 4,
        kMenuLow = 5,
        kMenuDelete = 6,
        kMenuEdit = 7,
        kMenuDuplicate = 8,
        kMenuSetCurrent = 10,
    };
    // Context menu of a group row.
    static constexpr int kMenuReschedule = 1;
    // Date menu.
    enum DateMenuId : int {
        kDateSelect = 101,
        kDateNone = 102,
        kDateYesterday = 103,
        kDateToday = 104,
        kDateTomorrow = 105,
        kDateSaturday = 106,
        kDateSunday = 107,
        kDateMonday = 108,
    };

    // Asks for a date starting at initial; false when cancelled.
    using DatePicker = std::function<bool(PackedDate initial, PackedDate& chosen)>;

    explicit CTodoTreeCtrl(ViewContext& context, QWidget* parent = nullptr);
    ~CTodoTreeCtrl() override;

    TaskTreeShape Shape() const;
    TaskTreeShape::Code ShapeCode() const;

    void Rebuild(bool clearSelection) override;
    // The tree font and row height from the font settings.
    void ApplyFonts();

    // ---- Caret
    int CaretTask() const;
    PackedDate CaretDate() const;
    // Store index of a row, -1 for a group row or no row.
    int TaskOfNode(int node) const;

    // ---- Edits in place
    bool SetCaretTaskComplete(bool value);
    void ToggleTaskComplete(int task);
    void SetTaskPriority(int task, int priority);
    void SetTaskDate(int task, PackedDate date);
    void SetTaskCategory(int task, int category);
    bool InsertTaskRow(int task);
    bool MoveCaretTask(int step);

    void ToggleItem(const QModelIndex& index) override;
    void OpenItem(const QModelIndex& index) override;

    // ---- Taps
    struct Hit
    {
        int node = -1;
        bool group = false;
        TaskRowLayout::Zone zone = TaskRowLayout::Zone::None;
        bool indent = false; // a task row's indent in a grouped tree
        QRect row;
    };
    TaskRowLayout RowLayout() const;
    Hit HitTest(const QPoint& point) const;
    int OnMouse(QEvent::Type type, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                const QPoint& point) override;
    // The tap-and-hold gesture at a point (viewport coordinates).
    void OnContextGesture(const QPoint& point);
    // The pen lifted on a row: the zone's action on the caret task row,
    // expansion on a group row, selection of another row.
    void TapUp(const Hit& hit, const QPoint& point);
    // The outline of the last zone hit, until the next repaint.
    QRect PressFeedback() const { return m_feedback; }

    // ---- Menus (the items shown, for the row's task or group)
    MenuDesc TaskMenu(int task) const;
    MenuDesc GroupMenu(int node) const;
    MenuDesc PriorityMenu(int task) const;
    MenuDesc DateMenu(int task) const;

    // The Select Date dialog behind the date menu's last item; without one
    // the item is shown disabled.
    void SetDatePicker(DatePicker picker) { m_datePicker = std::move(picker); }
    // The icon grid of the icon zone, once it has been opened.
    CIconPopup* IconPopup() const;

signals:
    // UM_REPAINT_CALENDAR (0x402), sent: a completion changed in place.
    void CalendarRepaintRequested();
    // UM_SET_PRIORITY (0x406) (task index, priority 1, 0 or -1), posted.
    void PriorityChangeRequested(int task, int priority);
    // UM_SET_TASK_DATE (0x407) (task index, date), posted.
    void DateChangeRequested(int task, PackedDate date);
    // UM_SET_CATEGORY (0x408) (task index, category index), posted.
    void CategoryChangeRequested(int task, int category);
    // UM_EDIT_TASK (0x41A) (task index), posted.
    void EditTaskRequested(int task);
    // UM_SET_ICON (0x41C) (task index, icon), sent.
    void IconChangeRequested(int task, int icon);
    // UM_DUPLICATE_TASK (0x41D) (task index), posted.
    void DuplicateTaskRequested(int task);
    // UM_DELETE_TASK (0x41E) (task index), posted.
    void DeleteTaskRequested(int task);
    // UM_RESCHEDULE (0x425) (category index or all categories, date), posted.
    void RescheduleRequested(qint32 category, PackedDate date);
    // The command Set as Current (WM_COMMAND 32898), posted.
    void SetCurrentRequested();
    // The command Categories... (WM_COMMAND 32795), posted.
    void EditCategoriesRequested();

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    const TaskRecord* CaretRecord() const;
    // The task's row after a change: removed when the tree no longer shows
    // it, else moved to its sorted place (when asked) and made the caret.
    void Replace(int task, bool move);
    void ApplyCompletion(int task, bool complete);

    void PaintGroupRow(QPainter& painter, const QRect& row, int node, quint32 item,
                       const TaskRowLayout& layout) const;
    void PaintTaskRow(QPainter& painter, const QRect& row, int task, const TaskRowLayout& layout) const;
    QColor SelectionColor() const;

    void RunTaskMenu(int task, const QPoint& globalPos);
    void RunGroupMenu(int node, const QPoint& globalPos);
    void RunPriorityMenu(int task, const QPoint& globalPos);
    void RunCategoryMenu(int task, const QPoint& globalPos);
    void RunDateMenu(int task, const QPoint& globalPos);
    // Opens the icon grid for the caret task; its choice (0x418, posted)
    // goes to OnIconChosen, a cancel (0x421, posted) to OnIconCancelled.
    void OpenIconPopup(const QPoint& globalPos, quint32 icon);
    void OnIconChosen(int icon);
    void OnIconCancelled();

    ViewContext& m_context;
    TaskTreeModel::Builder m_builder;
    LongPress* m_longPress;
    DatePicker m_datePicker;
    QPointer<CIconPopup> m_iconPopup;
    QRect m_feedback;
    TaskRowLayout m_paintLayout; // for the rows of the paint under way
    Hit m_press;
    bool m_doubleTap = false;
};
