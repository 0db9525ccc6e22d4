#include "controls/CMyListCtrl.h"

#include "controls/ControlName.h"
#include "model/LanguageModule.h"
#include "platform/gui/LongPress.h"
#include "platform/gui/MenuRunner.h"
#include "storage/Settings.h"

#include <QContextMenuEvent>
#include <QHeaderView>

CMyListCtrl::CMyListCtrl(int controlId, const Settings& settings, QWidget* parent)
    : QTreeWidget(parent), m_controlId(controlId), m_settings(settings), m_style(settings.ReadListViewStyle())
{
    setObjectName(ControlName(u"CMyListCtrl", controlId));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    new LongPress(viewport(), [this](const QPoint& pos) { ShowMenu(viewport()->mapTo(this, pos)); });
    // Columns added later take the style too.
    connect(model(), &QAbstractItemModel::columnsInserted, this, &CMyListCtrl::ApplyViewStyle);
    ApplyViewStyle();
}

void CMyListCtrl::SetViewStyle(int style)
{
    m_style = style;
    ApplyViewStyle();
}

void CMyListCtrl::ApplyViewStyle()
{
    const bool list = m_style == kListStyle;
    setHeaderHidden(list);
    for (int column = 1; column < columnCount(); ++column)
        setColumnHidden(column, list);
}

MenuDesc CMyListCtrl::Menu() const
{
    return {MenuItemDesc::CheckItem(GetText(TextId::ListStyleList), kListStyle, m_style == kListStyle),
            MenuItemDesc::CheckItem(GetText(TextId::ListStyleDetails), kDetailsStyle, m_style == kDetailsStyle)};
}

void CMyListCtrl::ChooseViewStyle(int style)
{
    if (style != kListStyle && style != kDetailsStyle)
        return;
    SetViewStyle(style);
    m_settings.WriteListViewStyle(style);
}

void CMyListCtrl::ShowMenu(const QPoint& pos)
{
    const int chosen = MenuRunner::Run(Menu(), mapToGlobal(pos), this);
    if (chosen != 0)
        ChooseViewStyle(chosen);
}

void CMyListCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    ShowMenu(event->pos());
    event->accept();
}
