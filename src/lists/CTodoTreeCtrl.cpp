#include "lists/CTodoTreeCtrl.h"

#include "controls/CIconPopup.h"
#include "model/CalendarStore.h"
#include "model/DateFormat.h"
#include "model/LanguageModule.h"
#include "model/ViewState.h"
#include "platform/gui/ColorRef.h"
#include "platform/gui/Images.h"
#include "platform/gui/LongPress.h"
#include "platform/gui/MenuRunner.h"
#include "platform/gui/ScreenClass.h"
#include "storage/Settings.h"
#include "storage/UserPrompts.h"

#include <QContextMenuEvent>
#include <QPainter>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace {

using Zone = TaskRowLayout::Zone;

constexpr int kRoot = TaskTreeModel::kRootNode;
constexpr quint32 kCategoryBits = ~TaskTreeModel::kCategoryGroupBit;

// Fixed colours of the rows.
const QColor kGroupBackground(240, 240, 240);
const QColor kSeparator(234, 234, 234);
const QColor kUnfocusedSelection(176, 176, 192);

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;

// The date menu's quick choices, in menu order.
struct DateChoice
{
    int id;
    TextId text;
    PackedDate (*date)();
};

const DateChoice kDateChoices[] = {
    {CTodoTreeCtrl::kDateYesterday, TextId::Yesterday, [] { return PrevDay(Today()); }},
    {CTodoTreeCtrl::kDateToday, TextId::Today, [] { return Today(); }},
    {CTodoTreeCtrl::kDateTomorrow, TextId::Tomorrow, [] { return NextDay(Today()); }},
    {CTodoTreeCtrl::kDateSaturday, TextId::NextSaturday, NextSaturday},
    {CTodoTreeCtrl::kDateSunday, TextId::NextSunday, NextSunday},
    {CTodoTreeCtrl::kDateMonday, TextId::NextMonday, NextMonday},
};

// Priority items of a menu: ids 3, 4, 5 for high, normal, low, the task's
// own priority marked.
void AppendPriorityItems(MenuDesc& menu, qint32 priority)
{
    const PriorityClass current = ClassOfPriority(priority);
    menu << MenuItemDesc::Item(GetText(TextId::HighPriority), CTodoTreeCtrl::kMenuHigh, current == PriorityClass::High)
         << MenuItemDesc::Item(GetText(TextId::NormalPriority), CTodoTreeCtrl::kMenuNormal, current == PriorityClass::Normal)
         << MenuItemDesc::Item(GetText(TextId::LowPriority), CTodoTreeCtrl::kMenuLow, current == PriorityClass::Low);
}

// The priority a priority item stands for; false for another id.
bool PriorityOfMenuId(int id, qint32& priority)
{
    switch (id) {
    case CTodoTreeCtrl::kMenuHigh:
        priority = kPriorityHigh;
        return true;
    case CTodoTreeCtrl::kMenuNormal:
        priority = kPriorityNormal;
        return true;
    case CTodoTreeCtrl::kMenuLow:
        priority = kPriorityLow;
        return true;
    default:
        return false;
    }
}

// A two-pixel frame: the rectangle's outline and the one inside it.
void DrawFrame(QPainter& painter, const QRect& rect, const QColor& color)
{
    painter.setPen(color);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.drawRect(rect.adjusted(1, 1, -2, -2));
}

void DrawVLine(QPainter& painter, int x, const QRect& row)
{
    painter.setPen(kSeparator);
    painter.drawLine(x, row.top(), x, row.bottom());
}

// Text between left and right (exclusive), vertically centred, clipped.
void DrawCellText(QPainter& painter, int left, int right, const QRect& row, const QString& text)
{
    if (right <= left || text.isEmpty())
        return;
    painter.drawText(QRect(left, row.top(), right - left, row.height()), kTextFlags, text);
}

} // namespace

CTodoTreeCtrl::CTodoTreeCtrl(ViewContext& context, QWidget* parent) : CColumnTreeCtrl(parent), m_context(context)
{
    setObjectName(QStringLiteral("todoTree"));
    m_longPress = new LongPress(viewport(), [this](const QPoint& point) { OnContextGesture(point); });
    ApplyFonts();
}

CTodoTreeCtrl::~CTodoTreeCtrl() = default;

TaskTreeShape CTodoTreeCtrl::Shape() const
{
    return TaskTreeShape(m_context.planner.store, m_context.planner.view, m_context.planner.settings);
}

TaskTreeShape::Code CTodoTreeCtrl::ShapeCode() const
{
    return TaskTreeShape::ShapeCode(m_context.planner.view, m_context.planner.settings);
}

void CTodoTreeCtrl::ApplyFonts()
{
    const Settings& settings = m_context.planner.settings;
    const FontSettings& fonts = settings.Fonts();
    const int glyph = Images::GlyphSize(ScreenClass::IsLarge());
    // The row font is the title face in bold; its height, with the tree's
    // line spacing added, fixes the row height.
    const QFont font = DisplayFonts::Make(fonts.FontNameTitle, std::max(glyph, fonts.FontHTitle + settings.TreeLineSpace()),
                                          true, false);
    SetTreeFont(font, glyph);
}

// ---- Filling

void CTodoTreeCtrl::Rebuild(bool clearSelection)
{
    ViewState& view = m_context.planner.view;
    bool filled = true;
    {
        FreezeScope freeze(*this);
        ClearCaret();
        m_feedback = QRect();
        m_doubleTap = false;
        const TaskTreeShape shape = Shape();
        filled = shape.Fill(m_builder);
        Model().Reset(m_builder);
        ExpandAll(2);

        const int node = clearSelection || view.SelectedTask < 0 ? -1 : FindByData(quint32(view.SelectedTask));
        if (node >= 0) {
            SetCaret(node);
        } else {
            ClearCaret();
            view.SelectedTask = -1;
        }
        // Lay the rows out now, so the first paint only paints.
        executeDelayedItemsLayout();
        if (node >= 0)
            MakeVisible(node, false);
        else if (HasVerticalScrollBar())
            scrollToTop();
        ReportScrollBarState();
    }
    if (!filled)
        m_context.planner.prompts.ShowMessage(GetText(TextId::InvalidDateRange), QString(), UserPrompts::OkOnly,
                                              UserPrompts::Warning);
}

// ---- Caret

int CTodoTreeCtrl::TaskOfNode(int node) const
{
    if (!Model().IsLiveNode(node))
        return -1;
    const quint32 item = Model().Data(node);
    return TaskTreeModel::IsGroup(item) ? -1 : int(item);
}

int CTodoTreeCtrl::CaretTask() const
{
    return TaskOfNode(CaretNode());
}

const TaskRecord* CTodoTreeCtrl::CaretRecord() const
{
    const int task = CaretTask();
    return task >= 0 ? m_context.planner.store.GetTask(task) : nullptr;
}

PackedDate CTodoTreeCtrl::CaretDate() const
{
    int node = CaretNode();
    if (node < 0)
        return kNoDate;
    const quint32 item = Model().Data(node);
    if (TaskTreeModel::IsDateGroup(item))
        return item & kDateBits;
    if (TaskTreeModel::IsCategoryGroup(item))
        node = Model().ChildAt(node, 0);
    const int task = TaskOfNode(node);
    const TaskRecord* record = task >= 0 ? m_context.planner.store.GetTask(task) : nullptr;
    return record ? StripFlags(record->Date) : kNoDate;
}

// ---- Edits in place

void CTodoTreeCtrl::Replace(int task, bool move)
{
    ViewState& view = m_context.planner.view;
    const TaskTreeShape shape = Shape();
    FreezeScope freeze(*this);
    const int node = FindByData(quint32(task));
    if (!shape.Shows(task)) {
        const bool wasCaret = node >= 0 && node == CaretNode();
        RemoveWithEmptyAncestors(node);
        if (wasCaret || view.SelectedTask == task) {
            ClearCaret();
            view.SelectedTask = -1;
        }
    } else if (move || node < 0) {
        RemoveWithEmptyAncestors(node);
        const int inserted = shape.Insert(Model(), task);
        // The caret moves silently (the tree is frozen), so the view state
        // learns the selection here.
        SetCaret(inserted);
        view.SelectedTask = task;
        MakeVisible(inserted, true);
    }
    viewport()->update();
}

void CTodoTreeCtrl::ApplyCompletion(int task, bool complete)
{
    const bool sortComp = m_context.planner.settings.SortComp();
    m_context.planner.store.SetCompleted(task, complete ? 1u : 0u, sortComp);
    Replace(task, sortComp);
}

void CTodoTreeCtrl::ToggleTaskComplete(int task)
{
    const TaskRecord* record = m_context.planner.store.GetTask(task);
    if (!record)
        return;
    ApplyCompletion(task, record->Completed == 0);
    emit CalendarRepaintRequested();
}

bool CTodoTreeCtrl::SetCaretTaskComplete(bool value)
{
    const TaskRecord* record = CaretRecord();
    if (!record || (record->Completed != 0) == value)
        return false;
    const int task = CaretTask();
    ApplyCompletion(task, value);
    const int node = FindByData(quint32(task));
    if (node >= 0)
        SetCheckSubtree(node, value);
    return true;
}

void CTodoTreeCtrl::SetTaskPriority(int task, int priority)
{
    const TaskRecord* record = m_context.planner.store.GetTask(task);
    if (!record || record->Priority == priority)
        return;
    m_context.planner.store.SetPriority(task, priority);
    Replace(task, true);
}

void CTodoTreeCtrl::SetTaskDate(int task, PackedDate date)
{
    Planner& planner = m_context.planner;
    if (task == -1) {
        // Only a real date becomes the selected day: the Month and Week
        // views always show one.
        if (StripFlags(date) != kNoDate)
            planner.view.SelectedDate = date;
        if (planner.view.ViewMode != ViewState::List)
            Rebuild(true);
        return;
    }
    const TaskRecord* record = planner.store.GetTask(task);
    date = StripFlags(date);
    if (!record || StripFlags(record->Date) == date)
        return;
    planner.store.SetTaskDate(task, date);
    Replace(task, true);
}

void CTodoTreeCtrl::SetTaskCategory(int task, int category)
{
    const TaskRecord* record = m_context.planner.store.GetTask(task);
    if (!record || record->Category == category)
        return;
    m_context.planner.store.SetCategory(task, category);
    Replace(task, Shape().GroupedByCategory());
}

bool CTodoTreeCtrl::InsertTaskRow(int task)
{
    if (!m_context.planner.store.IsLive(task))
        return false;
    if (FindByData(quint32(task)) >= 0)
        return true;
    const TaskTreeShape shape = Shape();
    if (!shape.Shows(task))
        return false;
    FreezeScope freeze(*this);
    const int node = shape.Insert(Model(), task);
    const QModelIndex parent = Model().IndexOf(Model().Parent(node));
    if (parent.isValid())
        expand(parent);
    return node >= 0;
}

bool CTodoTreeCtrl::MoveCaretTask(int step)
{
    const int node = CaretNode();
    const int task = TaskOfNode(node);
    if (task < 0)
        return false;
    const int other = Model().ChildAt(Model().Parent(node), Model().Row(node) + step);
    const int otherTask = TaskOfNode(other);
    if (otherTask < 0)
        return false;
    CalendarStore& store = m_context.planner.store;
    const TaskRecord* a = store.GetTask(task);
    const TaskRecord* b = store.GetTask(otherTask);
    if (!a || !b || StripFlags(a->Date) != StripFlags(b->Date) || a->Priority != b->Priority)
        return false;
    // With Sort Complete to End a rebuild keeps open and complete rows apart
    // whatever their order in the store: a move across that border would
    // only look undone at the next rebuild, so there is none.
    if (m_context.planner.settings.SortComp() && (a->Completed != 0) != (b->Completed != 0))
        return false;
    if (!store.SwapInDay(task, otherTask))
        return false;
    FreezeScope freeze(*this);
    Model().SetData(node, quint32(otherTask));
    Model().SetData(other, quint32(task));
    SetCaret(other);
    MakeVisible(other, false);
    return true;
}

void CTodoTreeCtrl::ToggleItem(const QModelIndex& index)
{
    const int task = TaskOfNode(Model().NodeOf(index));
    if (task >= 0)
        ToggleTaskComplete(task);
    else if (index.isValid())
        setExpanded(index, !isExpanded(index));
}

void CTodoTreeCtrl::OpenItem(const QModelIndex& index)
{
    const int task = TaskOfNode(Model().NodeOf(index));
    if (task >= 0)
        emit EditTaskRequested(task);
    else if (index.isValid())
        setExpanded(index, !isExpanded(index));
}

// ---- Painting

TaskRowLayout CTodoTreeCtrl::RowLayout() const
{
    const Settings& settings = m_context.planner.settings;
    return TaskRowLayout::Make(ScreenClass::IsLarge(), Shape().Grouped(), settings.ShowIcon(), settings.ShowCheckBox(),
                               ColumnWidth(0), ColumnWidth(1), ColumnWidth(2));
}

QColor CTodoTreeCtrl::SelectionColor() const
{
    return hasFocus() ? ColorFromRef(m_context.planner.settings.Highlight()) : kUnfocusedSelection;
}

void CTodoTreeCtrl::paintEvent(QPaintEvent* event)
{
    m_paintLayout = RowLayout();
    CColumnTreeCtrl::paintEvent(event);
    if (m_feedback.isValid()) {
        // The press feedback inverts the pixels under its outline; the
        // next repaint takes it away.
        QPainter painter(viewport());
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(m_feedback.adjusted(0, 0, -1, -1));
        m_feedback = QRect();
    }
}

void CTodoTreeCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // Nothing is painted while the tree is frozen.
    if (IsFrozen())
        return;
    const int node = Model().NodeOf(index);
    const QRect row(0, option.rect.y(), viewport()->width(), option.rect.height());
    painter->save();
    painter->fillRect(row, Qt::white);
    const quint32 item = Model().Data(node);
    if (TaskTreeModel::IsGroup(item))
        PaintGroupRow(*painter, row, node, item, m_paintLayout);
    else
        PaintTaskRow(*painter, row, int(item), m_paintLayout);
    painter->restore();
}

void CTodoTreeCtrl::PaintGroupRow(QPainter& painter, const QRect& row, int node, quint32 item,
                                  const TaskRowLayout& layout) const
{
    const bool dateGroup = TaskTreeModel::IsDateGroup(item);
    const QRect fill(row.left(), row.top(), layout.GroupFillRight(dateGroup), row.height());
    painter.fillRect(fill, kGroupBackground);

    const QModelIndex index = Model().IndexOf(node);
    const QPixmap box = Images::Glyph(isExpanded(index) ? Images::GlyphExpanded : Images::GlyphCollapsed, layout.large);
    painter.drawPixmap(row.left() + 2, row.top() + (row.height() - box.height()) / 2, box);

    if (selectionModel()->isSelected(index))
        DrawFrame(painter, fill, SelectionColor());

    QString text;
    if (dateGroup) {
        text = FormatDateShown(item & kDateBits);
    } else {
        text = Model().Text(node);
        if (text.isEmpty()) {
            const CategoryRecord* category = m_context.planner.store.Categories().Get(int(item & kCategoryBits));
            text = category ? category->Name : QString();
        }
    }
    painter.setFont(m_context.fonts.Task(kPriorityNormal, false));
    painter.setPen(Qt::black);
    DrawCellText(painter, row.left() + layout.GroupTextLeft(), fill.right() + 1, row, text);
}

void CTodoTreeCtrl::PaintTaskRow(QPainter& painter, const QRect& row, int task, const TaskRowLayout& layout) const
{
    const Planner& planner = m_context.planner;
    const TaskRecord* record = planner.store.GetTask(task);
    if (!record)
        return;
    const Settings& settings = planner.settings;
    const bool complete = record->Completed != 0;
    const int indent = layout.indent;

    if (planner.store.CurrentTaskId() != -1 && record->Id == quint32(planner.store.CurrentTaskId()))
        painter.fillRect(QRect(indent, row.top(), std::max(0, row.right() + 1 - indent), row.height()),
                         ColorFromRef(settings.Current()));

    auto centred = [&](int height) { return row.top() + (row.height() - height) / 2; };

    if (record->Priority != kPriorityNormal) {
        const QPixmap mark =
            Images::PriorityMark(record->Priority > 0 ? Images::PriorityMarkHigh : Images::PriorityMarkLow, layout.large);
        painter.drawPixmap(layout.markX, centred(mark.height()), mark);
    }
    DrawVLine(painter, layout.markSep, row);
    if (layout.showIcon) {
        if (record->Icon != 0 && record->Icon < quint32(Images::TaskIconCount())) {
            const QPixmap icon = Images::TaskIcon(int(record->Icon), layout.large);
            painter.drawPixmap(layout.iconX, centred(icon.height()), icon);
        }
        DrawVLine(painter, layout.iconSep, row);
    }
    if (layout.showCheckBox) {
        const QPixmap box = Images::Glyph(complete ? Images::GlyphChecked : Images::GlyphUnchecked, layout.large);
        painter.drawPixmap(layout.checkX, centred(box.height()), box);
        DrawVLine(painter, layout.checkSep, row);
    }

    const CategoryRecord* category = planner.store.Categories().Get(record->Category);
    const QColor textColor = settings.ColorComp() && complete ? ColorFromRef(settings.AgendaComp())
                             : category                        ? ColorFromRef(category->Color)
                                                               : QColor(Qt::black);
    painter.setPen(textColor);
    painter.setFont(m_context.fonts.Task(record->Priority, complete));
    int right = layout.titleRight;
    if (!record->Note.isEmpty() && right - layout.titleLeft > layout.noteWidth + 2) {
        right -= layout.noteWidth + 2;
        DrawCellText(painter, layout.titleLeft, right, row, record->Title);
        painter.drawPixmap(right + 1, row.top() + 3, Images::NoteMark(layout.large));
    } else {
        DrawCellText(painter, layout.titleLeft, right, row, record->Title);
    }
    DrawVLine(painter, layout.w0, row);

    painter.setFont(m_context.fonts.Task(kPriorityNormal, settings.ColorComp() && complete));
    painter.setPen(textColor);
    if (layout.w1 > 0) {
        DrawCellText(painter, layout.w0 + 2, layout.w0 + layout.w1 - 1, row, category ? category->Name : QString());
        DrawVLine(painter, layout.w0 + layout.w1, row);
        painter.setPen(textColor);
    }
    if (layout.w2 > 0) {
        const QString date = record->Date != kNoDate ? FormatDateShown(record->Date) : QString();
        DrawCellText(painter, layout.w0 + layout.w1 + 2, layout.ColumnsRight() - 1, row, date);
    }

    const int end = layout.ColumnsRight();
    if (task != planner.view.SelectedTask) {
        painter.setPen(kSeparator);
        painter.drawLine(indent, row.bottom(), end, row.bottom());
        painter.drawLine(indent, row.top(), indent, row.bottom());
        painter.drawLine(end, row.top(), end, row.bottom());
    } else {
        DrawFrame(painter, QRect(QPoint(indent, row.top()), QPoint(end, row.bottom())), SelectionColor());
    }
}

void CTodoTreeCtrl::focusInEvent(QFocusEvent* event)
{
    CColumnTreeCtrl::focusInEvent(event);
    viewport()->update();
}

void CTodoTreeCtrl::focusOutEvent(QFocusEvent* event)
{
    CColumnTreeCtrl::focusOutEvent(event);
    viewport()->update();
}

// ---- Taps

CTodoTreeCtrl::Hit CTodoTreeCtrl::HitTest(const QPoint& point) const
{
    Hit hit;
    // Right of the columns lies no row.
    if (point.x() > TotalWidth() || point.x() < 0)
        return hit;
    const QModelIndex index = indexAt(QPoint(0, point.y()));
    if (!index.isValid())
        return hit;
    const TaskRowLayout layout = RowLayout();
    const QRect rect = visualRect(index);
    hit.node = Model().NodeOf(index);
    hit.row = QRect(0, rect.top(), viewport()->width(), rect.height());
    hit.group = TaskTreeModel::IsGroup(Model().Data(hit.node));
    if (hit.group) {
        hit.zone = layout.GroupZone(point.x());
    } else {
        hit.indent = layout.InIndent(point.x());
        hit.zone = layout.TaskZone(point.x());
    }
    return hit;
}

int CTodoTreeCtrl::OnMouse(QEvent::Type type, Qt::MouseButton button, Qt::KeyboardModifiers, const QPoint& point)
{
    switch (type) {
    case QEvent::MouseButtonPress: {
        if (button != Qt::LeftButton && button != Qt::RightButton)
            return 0;
        m_doubleTap = false;
        m_press = HitTest(point);
        if (m_press.node < 0 || m_press.indent) {
            ClearCaret();
            return 0;
        }
        if (CaretNode() != m_press.node)
            SetCaret(m_press.node);
        setFocus(Qt::MouseFocusReason);
        if (m_press.zone != Zone::None) {
            m_feedback = RowLayout().FeedbackRect(m_press.zone, m_press.row);
            viewport()->update(m_feedback);
        }
        return 0;
    }
    case QEvent::MouseButtonDblClick: {
        if (button != Qt::LeftButton)
            return 0;
        const Hit hit = HitTest(point);
        if (hit.node >= 0) {
            if (hit.group)
                SetCaret(hit.node);
            m_doubleTap = true;
        }
        return 0;
    }
    case QEvent::MouseButtonRelease:
        if (button == Qt::LeftButton)
            TapUp(HitTest(point), point);
        return 0;
    case QEvent::MouseMove:
        // Dragging does not move the caret.
        return 0;
    default:
        return 1;
    }
}

void CTodoTreeCtrl::TapUp(const Hit& hit, const QPoint& point)
{
    // A tap in the indent leaves the row unselected.
    if (hit.node < 0 || hit.indent)
        return;
    if (hit.group) {
        if (hit.zone == Zone::ExpandBox || m_doubleTap) {
            const QModelIndex index = Model().IndexOf(hit.node);
            setExpanded(index, !isExpanded(index));
        }
        viewport()->update();
        return;
    }
    if (hit.node != CaretNode()) {
        SetCaret(hit.node);
        return;
    }
    const int task = TaskOfNode(hit.node);
    const QPoint global = viewport()->mapToGlobal(point);
    switch (hit.zone) {
    case Zone::Priority:
        RunPriorityMenu(task, global);
        break;
    case Zone::Icon:
        if (const TaskRecord* record = m_context.planner.store.GetTask(task))
            OpenIconPopup(global, record->Icon);
        break;
    case Zone::CheckBox:
        ToggleTaskComplete(task);
        break;
    case Zone::Category:
        RunCategoryMenu(task, global);
        break;
    case Zone::Date:
        RunDateMenu(task, global);
        break;
    default:
        if (m_doubleTap)
            emit EditTaskRequested(task);
        viewport()->update();
        break;
    }
}

void CTodoTreeCtrl::OnContextGesture(const QPoint& point)
{
    const Hit hit = HitTest(point);
    if (hit.node < 0 || hit.indent || hit.node != CaretNode())
        return;
    if (hit.zone != Zone::None) {
        // A pen held on a zone still acts on it when lifted; the hold takes
        // that release, so the zone acts now.
        if (m_longPress->Fired())
            TapUp(hit, point);
        return;
    }
    const QPoint global = viewport()->mapToGlobal(point);
    if (hit.group)
        RunGroupMenu(hit.node, global);
    else
        RunTaskMenu(TaskOfNode(hit.node), global);
}

void CTodoTreeCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    // The menu key opens the caret row's menu beside the row.
    const int node = CaretNode();
    if (event->reason() != QContextMenuEvent::Keyboard || node < 0) {
        CColumnTreeCtrl::contextMenuEvent(event);
        return;
    }
    const QPoint global = viewport()->mapToGlobal(visualRect(Model().IndexOf(node)).center());
    if (TaskOfNode(node) >= 0)
        RunTaskMenu(TaskOfNode(node), global);
    else
        RunGroupMenu(node, global);
    event->accept();
}

// ---- Menus

MenuDesc CTodoTreeCtrl::TaskMenu(int task) const
{
    MenuDesc menu;
    const TaskRecord* record = m_context.planner.store.GetTask(task);
    if (!record)
        return menu;
    menu << MenuItemDesc::CheckItem(GetText(TextId::Completed), kMenuComplete, record->Completed != 0)
         << MenuItemDesc::Separator();
    AppendPriorityItems(menu, record->Priority);
    menu << MenuItemDesc::Separator() << MenuItemDesc::Item(GetText(TextId::EditTaskMenu), kMenuEdit)
         << MenuItemDesc::Item(GetText(TextId::DuplicateTaskMenu), kMenuDuplicate)
         << MenuItemDesc::Item(GetText(TextId::DeleteTaskMenu), kMenuDelete) << MenuItemDesc::Separator()
         << MenuItemDesc::Item(GetText(TextId::SetAsCurrentMenu), kMenuSetCurrent);
    return menu;
}

MenuDesc CTodoTreeCtrl::GroupMenu(int node) const
{
    MenuDesc menu;
    const quint32 item = Model().Data(node);
    // Category groups of the range shapes mix days, so they offer nothing.
    if (TaskTreeModel::IsDateGroup(item) || (TaskTreeModel::IsCategoryGroup(item) && ShapeCode() == TaskTreeShape::DayByCategory))
        menu << MenuItemDesc::Item(GetText(TextId::RescheduleTasksMenu), kMenuReschedule);
    return menu;
}

MenuDesc CTodoTreeCtrl::PriorityMenu(int task) const
{
    MenuDesc menu;
    if (const TaskRecord* record = m_context.planner.store.GetTask(task))
        AppendPriorityItems(menu, record->Priority);
    return menu;
}

MenuDesc CTodoTreeCtrl::DateMenu(int task) const
{
    MenuDesc menu;
    const TaskRecord* record = m_context.planner.store.GetTask(task);
    if (!record)
        return menu;
    const PackedDate date = StripFlags(record->Date);
    for (const DateChoice& choice : kDateChoices)
        menu << MenuItemDesc::CheckItem(GetText(choice.text), choice.id, date != kNoDate && choice.date() == date);
    menu << MenuItemDesc::Separator() << MenuItemDesc::CheckItem(GetText(TextId::NoDate), kDateNone, date == kNoDate)
         << MenuItemDesc::Separator();
    MenuItemDesc select = MenuItemDesc::Item(GetText(TextId::SelectDate), kDateSelect);
    select.enabled = bool(m_datePicker);
    menu << select;
    return menu;
}

void CTodoTreeCtrl::RunTaskMenu(int task, const QPoint& globalPos)
{
    const MenuDesc menu = TaskMenu(task);
    if (menu.isEmpty())
        return;
    const int chosen = MenuRunner::Run(menu, globalPos, this);
    qint32 priority = 0;
    if (PriorityOfMenuId(chosen, priority)) {
        emit PriorityChangeRequested(task, priority);
    } else {
        switch (chosen) {
        case kMenuComplete:
            ToggleTaskComplete(task);
            break;
        case kMenuEdit:
            emit EditTaskRequested(task);
            break;
        case kMenuDuplicate:
            emit DuplicateTaskRequested(task);
            break;
        case kMenuDelete:
            emit DeleteTaskRequested(task);
            break;
        case kMenuSetCurrent:
            emit SetCurrentRequested();
            break;
        default:
            break;
        }
    }
    viewport()->update();
}

void CTodoTreeCtrl::RunGroupMenu(int node, const QPoint& globalPos)
{
    const MenuDesc menu = GroupMenu(node);
    if (menu.isEmpty())
        return;
    if (MenuRunner::Run(menu, globalPos, this) == kMenuReschedule) {
        const quint32 item = Model().Data(node);
        if (TaskTreeModel::IsDateGroup(item)) {
            emit RescheduleRequested(CalendarStore::kAllCategories, item & kDateBits);
        } else {
            const int first = TaskOfNode(Model().ChildAt(node, 0));
            const TaskRecord* record = first >= 0 ? m_context.planner.store.GetTask(first) : nullptr;
            emit RescheduleRequested(qint32(item & kCategoryBits), record ? StripFlags(record->Date) : kNoDate);
        }
    }
    viewport()->update();
}

void CTodoTreeCtrl::RunPriorityMenu(int task, const QPoint& globalPos)
{
    const MenuDesc menu = PriorityMenu(task);
    qint32 priority = 0;
    if (!menu.isEmpty() && PriorityOfMenuId(MenuRunner::Run(menu, globalPos, this), priority))
        emit PriorityChangeRequested(task, priority);
    viewport()->update();
}

void CTodoTreeCtrl::RunCategoryMenu(int task, const QPoint& globalPos)
{
    const TaskRecord* record = m_context.planner.store.GetTask(task);
    if (!record)
        return;
    const int chosen = MenuRunner::Run(m_context.planner.store.CategoryMenu(record->Category, false), globalPos, this);
    if (chosen == CalendarStore::kEditCategoriesCommand)
        emit EditCategoriesRequested();
    else if (chosen >= CalendarStore::kCategoryCommandBase)
        emit CategoryChangeRequested(task, chosen - CalendarStore::kCategoryCommandBase);
    viewport()->update();
}

void CTodoTreeCtrl::RunDateMenu(int task, const QPoint& globalPos)
{
    const MenuDesc menu = DateMenu(task);
    if (menu.isEmpty())
        return;
    const int chosen = MenuRunner::Run(menu, globalPos, this);
    viewport()->update();
    if (chosen == kDateNone) {
        emit DateChangeRequested(task, kNoDate);
    } else if (chosen == kDateSelect) {
        const TaskRecord* record = m_context.planner.store.GetTask(task);
        PackedDate date = kNoDate;
        if (record && m_datePicker && m_datePicker(StripFlags(record->Date), date))
            emit DateChangeRequested(task, StripFlags(date));
    } else {
        for (const DateChoice& choice : kDateChoices)
            if (choice.id == chosen)
                emit DateChangeRequested(task, choice.date());
    }
}

CIconPopup* CTodoTreeCtrl::IconPopup() const
{
    return m_iconPopup;
}

void CTodoTreeCtrl::OpenIconPopup(const QPoint& globalPos, quint32 icon)
{
    viewport()->update();
    if (!m_iconPopup) {
        m_iconPopup = new CIconPopup(this);
        m_iconPopup->setObjectName(QStringLiteral("treeIconPopup"));
        connect(m_iconPopup, &CIconPopup::IconChosen, this, &CTodoTreeCtrl::OnIconChosen, Qt::QueuedConnection);
        connect(m_iconPopup, &CWndPopup::Cancelled, this, &CTodoTreeCtrl::OnIconCancelled, Qt::QueuedConnection);
    }
    m_iconPopup->SetHighlightIcon(int(icon));
    m_iconPopup->ShowAt(globalPos);
}

void CTodoTreeCtrl::OnIconChosen(int icon)
{
    const int task = CaretTask();
    if (task >= 0)
        emit IconChangeRequested(task, icon);
    OnIconCancelled();
}

void CTodoTreeCtrl::OnIconCancelled()
{
    viewport()->update();
    setFocus();
}
