#include "lists/CTodoTreeWnd.h"

#include "lists/CTodoTreeCtrl.h"
#include "model/LanguageModule.h"
#include "storage/Settings.h"

#include <QHeaderView>

CTodoTreeWnd::CTodoTreeWnd(ViewContext& context, QWidget* parent) : CColumnTreeWnd(parent), m_context(context)
{
    setObjectName(QStringLiteral("todoTreeWnd"));
    // The task window always makes its tree, so the parts below exist.
    CreateParts();
    connect(TodoTree(), &CMyTreeCtrl::CaretChanged, this, &CTodoTreeWnd::SelectionChanged);
    ApplySettings();
}

CTodoTreeWnd::~CTodoTreeWnd() = default;

CColumnTreeCtrl* CTodoTreeWnd::NewTreeCtrl()
{
    return new CTodoTreeCtrl(m_context, this);
}

CTodoTreeCtrl* CTodoTreeWnd::TodoTree() const
{
    return static_cast<CTodoTreeCtrl*>(Tree());
}

void CTodoTreeWnd::SetDatePicker(std::function<bool(PackedDate initial, PackedDate& chosen)> picker)
{
    TodoTree()->SetDatePicker(std::move(picker));
}

void CTodoTreeWnd::Rebuild(bool clearSelection)
{
    CColumnTreeWnd::Rebuild(clearSelection);
}

void CTodoTreeWnd::SetupColumns(int clientWidth, bool force)
{
    if (!force && Header()->count() > 0)
        return;
    Settings& settings = m_context.planner.settings;
    if (settings.ColTitleWidth() == 0 && settings.ColCategoryWidth() == 0 && settings.ColDateWidth() == 0) {
        settings.SetColTitleWidth(clientWidth >> 1);
        settings.SetColCategoryWidth(clientWidth >> 2);
        settings.SetColDateWidth((clientWidth >> 2) - Tree()->ScrollBarExtent() - 4);
    }
    // A column narrower than 6 pixels is shown 5 wide, so it can still be
    // dragged open.
    auto shown = [](int width) { return width < 6 ? 5 : width; };
    SetHeaderItems({GetText(kTextCaptions[0]), GetText(kTextCaptions[1]), GetText(kTextCaptions[2])},
                   {shown(settings.ColTitleWidth()), shown(settings.ColCategoryWidth()), shown(settings.ColDateWidth())});
}

int CTodoTreeWnd::OnColumnsChanged()
{
    CColumnTreeWnd::OnColumnsChanged();
    if (Header()->count() >= 3) {
        Settings& settings = m_context.planner.settings;
        settings.SetColTitleWidth(Header()->sectionSize(0));
        settings.SetColCategoryWidth(Header()->sectionSize(1));
        settings.SetColDateWidth(Header()->sectionSize(2));
    }
    return 0;
}

void CTodoTreeWnd::OnDividerDoubleClicked(int)
{
    Settings& settings = m_context.planner.settings;
    if (!settings.ColAutoFit() || width() >= Tree()->TotalWidth())
        return;
    // Fitting starts from the default split: with the stored widths kept,
    // the columns would come back exactly as wide as they were.
    settings.SetColTitleWidth(0);
    settings.SetColCategoryWidth(0);
    settings.SetColDateWidth(0);
    SetupColumns(width(), true);
}

void CTodoTreeWnd::ApplySettings()
{
    TodoTree()->ApplyFonts();
    SetHeaderFont(m_context.fonts.Ctrl());
    TodoTree()->viewport()->update();
}

bool CTodoTreeWnd::HasCaret() const
{
    return TodoTree()->CaretNode() >= 0;
}

quint32 CTodoTreeWnd::CaretData() const
{
    return TodoTree()->Model().Data(TodoTree()->CaretNode());
}

int CTodoTreeWnd::CaretTask() const
{
    return TodoTree()->CaretTask();
}

PackedDate CTodoTreeWnd::CaretDate() const
{
    return TodoTree()->CaretDate();
}

TaskTreeShape::Code CTodoTreeWnd::ShapeCode() const
{
    return TodoTree()->ShapeCode();
}

bool CTodoTreeWnd::IsFrozen() const
{
    return TodoTree()->IsFrozen();
}

void CTodoTreeWnd::SelectByData(qint64 value)
{
    CColumnTreeWnd::SelectByData(value);
}

void CTodoTreeWnd::DeleteByData(quint32 value)
{
    CColumnTreeWnd::DeleteByData(value);
}

void CTodoTreeWnd::ClearSelection()
{
    TodoTree()->ClearCaret();
}

void CTodoTreeWnd::ExpandAll(int mode)
{
    TodoTree()->ExpandAll(mode);
}

void CTodoTreeWnd::MakeCaretVisible()
{
    CColumnTreeWnd::MakeCaretVisible();
}

bool CTodoTreeWnd::SetCaretTaskComplete(bool value)
{
    return TodoTree()->SetCaretTaskComplete(value);
}

void CTodoTreeWnd::SetTaskPriority(int task, int priority)
{
    TodoTree()->SetTaskPriority(task, priority);
}

void CTodoTreeWnd::SetTaskDate(int task, PackedDate date)
{
    TodoTree()->SetTaskDate(task, date);
}

void CTodoTreeWnd::SetTaskCategory(int task, int category)
{
    TodoTree()->SetTaskCategory(task, category);
}

bool CTodoTreeWnd::InsertTaskRow(int task)
{
    return TodoTree()->InsertTaskRow(task);
}

bool CTodoTreeWnd::MoveCaretTaskUp()
{
    return TodoTree()->MoveCaretTask(-1);
}

bool CTodoTreeWnd::MoveCaretTaskDown()
{
    return TodoTree()->MoveCaretTask(1);
}
