#pragma once

#include "lists/CColumnTreeWnd.h"
#include "lists/TaskTreeShape.h"
#include "model/PackedDate.h"
#include "model/TextId.h"
#include "platform/gui/ViewContext.h"

#include <QPoint>
#include <QWidget>

#include <functional>

class CTodoTreeCtrl;

// The task tree of the main view (control 1011): a header with the title,
// category and date columns over a tree of task rows and group rows. Rows
// carry only their 32-bit item data (a task's store index, a date group's
// date | 0x40000000, a category group's index | 0x80000000); everything is
// painted from the store. The tree itself (TodoTree()) reports edits to the
// main view with its signals; this window reports selection changes.
class CTodoTreeWnd : public CColumnTreeWnd
{
    Q_OBJECT

public:
    static constexpr int kControlId = 1011;
    static constexpr quint32 kDateGroupBit = 0x40000000u;
    static constexpr quint32 kCategoryGroupBit = 0x80000000u;
    // Header captions: title, category, date.
    static constexpr TextId kTextCaptions[3] = {TextId::ColumnTitle, TextId::ColumnCategory, TextId::ColumnDate};

    explicit CTodoTreeWnd(ViewContext& context, QWidget* parent = nullptr);
    ~CTodoTreeWnd() override;

    // Clears and refills the tree for the current view state and settings.
    void Rebuild(bool clearSelection) override;
    // The column layout for the client width; with force off it does nothing
    // once the header has its columns.
    void SetupColumns(int clientWidth, bool force) override;
    // The fonts or settings changed.
    void ApplySettings();

    // The caret row: its item data, whether there is one, whether it is a task.
    bool HasCaret() const;
    quint32 CaretData() const;
    int CaretTask() const; // store index, or -1 for a group row or no caret
    // The date the List view takes for the caret row (a task's date, a date
    // group's date, a category group's first task's date), 0 when none.
    PackedDate CaretDate() const;
    // The tree's shape code for the current view state and settings.
    TaskTreeShape::Code ShapeCode() const;

    bool IsFrozen() const;
    void SelectByData(qint64 data); // -1 clears the selection
    void DeleteByData(quint32 data);
    void ClearSelection();
    void ExpandAll(int mode);
    void MakeCaretVisible();

    // Edits in place, after the main view's own handling of the message.
    bool SetCaretTaskComplete(bool value);
    void SetTaskPriority(int task, int priority);
    void SetTaskDate(int task, PackedDate date);
    void SetTaskCategory(int task, int category);
    bool InsertTaskRow(int task);
    bool MoveCaretTaskUp();
    bool MoveCaretTaskDown();

    // The tree itself (rows, painting, taps).
    CTodoTreeCtrl* TodoTree() const;
    // The Select Date dialog the date menu's last item opens: it gets the
    // task's date and gives the chosen one (false = cancelled). Without one
    // the item is shown disabled.
    void SetDatePicker(std::function<bool(PackedDate initial, PackedDate& chosen)> picker);

signals:
    // The caret row changed (not sent while the tree is frozen).
    void SelectionChanged();

protected:
    CColumnTreeCtrl* NewTreeCtrl() override;
    int OnColumnsChanged() override;
    void OnDividerDoubleClicked(int section) override;

private:
    ViewContext& m_context;
};
