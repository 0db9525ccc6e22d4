#include "TreeFixture.h"

#include <QTest>

void TreeFixture::SetUp()
{
    Clock::SetToday(Mar(15));
    // A menu nobody answers would wait for a user.
    MenuRunner::SetScript([](const MenuDesc&) {
        ADD_FAILURE() << "a menu opened without an answer";
        return 0;
    });
    ScreenClass::Force(true);
    m_savedLastId = LastTaskId::Value();
    m_store.ResetToDefaults();
    // Business (2) before Personal (1): groups follow the display order,
    // not the index.
    CategoryList categories = m_store.Categories();
    categories.MoveUp(2);
    m_store.ReplaceCategories(categories);
    m_settings.SetGroupScheme(1);
    m_settings.SetSortComp(false);
    m_settings.SetStartWeekDay(kWeekStartsSunday);
    m_view.ViewMode = ViewState::Month;
    m_view.SelectedDate = Mar(15);
    m_view.HideCompAgenda = false;
    AddFixtureTasks();

    m_wnd = std::make_unique<CTodoTreeWnd>(m_context);
    WatchTree();
    m_wnd->resize(400, 300);
    m_wnd->SetupColumns(400, false);
    m_wnd->show();
    m_tester = std::make_unique<QAbstractItemModelTester>(&Model(),
                                                          QAbstractItemModelTester::FailureReportingMode::Fatal);
    // What the main view does with a selection change.
    QObject::connect(m_wnd.get(), &CTodoTreeWnd::SelectionChanged, m_wnd.get(), [this] {
        m_view.SelectedTask = m_wnd->CaretTask();
        if (m_view.ViewMode == ViewState::List && m_wnd->HasCaret())
            m_view.SelectedDate = m_wnd->CaretDate();
    });
}

void TreeFixture::TearDown()
{
    m_tester.reset();
    m_wnd.reset();
    MenuRunner::ClearScript();
    ScreenClass::Reset();
    Clock::SetToday(0);
    LastTaskId::Set(m_savedLastId);
}

int TreeFixture::Add(const char* title, PackedDate date, qint32 priority, qint32 category, bool completed,
                     quint32 icon, const char* note)
{
    TaskRecord record;
    record.Title = QString::fromUtf8(title);
    record.Note = QString::fromUtf8(note);
    record.Date = date;
    record.Priority = priority;
    record.Category = category;
    record.Completed = completed ? 1 : 0;
    record.Icon = icon;
    return m_store.AddTask(record, true);
}

void TreeFixture::AddFixtureTasks()
{
    Add("A", Mar(15), kPriorityNormal, 1);
    Add("B", Mar(15), kPriorityHigh, 0);
    Add("C", Mar(15), kPriorityLow, 2);
    Add("D", Mar(15), kPriorityNormal, 2, true);
    Add("E", Mar(16), kPriorityHigh, 1);
    Add("F", Mar(17), kPriorityNormal, 1, true);
    Add("G", Mar(17), kPriorityLow, 0);
    Add("H", kNoDate, kPriorityNormal, 2);
    Add("I", Mar(25), kPriorityHigh, 2);
    Add("J", Mar(14), kPriorityNormal, 1);
}

int TreeFixture::Task(const char* title) const
{
    for (int i = 0; i < m_store.TaskCount(); ++i)
        if (const TaskRecord* record = m_store.GetTask(i); record && record->Title == QString::fromUtf8(title))
            return i;
    return -1;
}

void TreeFixture::ShowDay(PackedDate day)
{
    m_view.SetViewMode(ViewState::Month);
    m_view.SelectedDate = day;
    m_wnd->Rebuild(false);
}

void TreeFixture::ShowWeek(PackedDate day)
{
    m_view.SetViewMode(ViewState::Month);
    m_view.SelectedDate = day | kWeekFlag;
    m_wnd->Rebuild(false);
}

void TreeFixture::ShowList(PackedDate from, PackedDate to, bool noDate)
{
    m_settings.SetAgendaStartDate(from);
    m_settings.SetAgendaEndDate(to);
    m_settings.SetAgendaNoDate(noDate);
    m_view.SetViewMode(ViewState::List);
    m_wnd->Rebuild(false);
}

QString TreeFixture::TreeText() const
{
    const TaskTreeModel& model = Model();
    auto label = [&](int node) {
        const quint32 data = model.Data(node);
        if (TaskTreeModel::IsCategoryGroup(data))
            return QStringLiteral("C%1").arg(data & ~TaskTreeModel::kCategoryGroupBit);
        if (TaskTreeModel::IsDateGroup(data)) {
            const PackedDate date = data & kDateBits;
            return date == kNoDate ? QStringLiteral("D0")
                                   : u'D' + ToPlatformTime(date).toString(QStringLiteral("yyyyMMdd"));
        }
        const TaskRecord* record = m_store.GetTask(int(data));
        return record ? record->Title : QStringLiteral("?%1").arg(data);
    };
    QStringList top;
    for (int row = 0; row < model.RowCount(TaskTreeModel::kRootNode); ++row) {
        const int node = model.ChildAt(TaskTreeModel::kRootNode, row);
        QString text = label(node);
        if (TaskTreeModel::IsGroup(model.Data(node))) {
            QStringList rows;
            for (int r = 0; r < model.RowCount(node); ++r)
                rows << label(model.ChildAt(node, r));
            text += u'[' + rows.join(u',') + u']';
        }
        top << text;
    }
    return top.join(u' ');
}

QPoint TreeFixture::ZonePoint(int node, TaskRowLayout::Zone zone) const
{
    const TaskRowLayout layout = Tree().RowLayout();
    int first = 0;
    int last = 0;
    layout.ZoneSpan(zone, first, last);
    const QRect rect = Tree().visualRect(Model().IndexOf(node));
    return QPoint((first + last) / 2, rect.center().y());
}

QPoint TreeFixture::TitlePoint(int node) const
{
    const TaskRowLayout layout = Tree().RowLayout();
    const QRect rect = Tree().visualRect(Model().IndexOf(node));
    const bool group = TaskTreeModel::IsGroup(Model().Data(node));
    return QPoint((group ? layout.GroupTextLeft() : layout.titleLeft) + 5, rect.center().y());
}

void TreeFixture::Tap(const QPoint& point)
{
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

void TreeFixture::DoubleTap(const QPoint& point)
{
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseDClick(Tree().viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseRelease(Tree().viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

void TreeFixture::WatchTree()
{
    const CTodoTreeCtrl* tree = &Tree();
    constexpr auto now = Qt::DirectConnection;
    m_log.Watch(tree, &CTodoTreeCtrl::CalendarRepaintRequested, QStringLiteral("CalendarRepaintRequested"), now);
    m_log.Watch(tree, &CTodoTreeCtrl::PriorityChangeRequested, QStringLiteral("PriorityChangeRequested"), now);
    m_log.Watch(tree, &CTodoTreeCtrl::DateChangeRequested, QStringLiteral("DateChangeRequested"), now);
    m_log.Watch(tree, &CTodoTreeCtrl::CategoryChangeRequested, QStringLiteral("CategoryChangeRequested"), now);
    m_log.Watch(tree, &CTodoTreeCtrl::EditTaskRequested, QStringLiteral("EditTaskRequested"), now);
    m_log.Watch(tree, &CTodoTreeCtrl::IconChangeRequested, QStringLiteral("IconChangeRequested"), now);
    m_log.Watch(tree, &CTodoTreeCtrl::DuplicateTaskRequested, QStringLiteral("DuplicateTaskRequested"), now);
    m_log.Watch(tree, &CTodoTreeCtrl::DeleteTaskRequested, QStringLiteral("DeleteTaskRequested"), now);
    m_log.Watch(tree, &CTodoTreeCtrl::RescheduleRequested, QStringLiteral("RescheduleRequested"), now);
    m_log.Watch(tree, &CTodoTreeCtrl::SetCurrentRequested, QStringLiteral("SetCurrentRequested"), now);
    m_log.Watch(tree, &CTodoTreeCtrl::EditCategoriesRequested, QStringLiteral("EditCategoriesRequested"), now);
}
