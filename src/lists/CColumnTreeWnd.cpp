#include "lists/CColumnTreeWnd.h"

#include "lists/CColumnTreeCtrl.h"

#include <QDebug>
#include <QFontMetrics>
#include <QHeaderView>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardItemModel>

#include <algorithm>

CColumnTreeWnd::CColumnTreeWnd(QWidget* parent) : QWidget(parent)
{
}

CColumnTreeWnd::~CColumnTreeWnd() = default;

bool CColumnTreeWnd::CreateParts()
{
    m_header = new QHeaderView(Qt::Horizontal, this);
    m_header->setObjectName(QStringLiteral("columnHeader"));
    m_captions = new QStandardItemModel(m_header);
    m_header->setModel(m_captions);
    m_header->setSectionsClickable(false);
    m_header->setSectionsMovable(false);
    m_header->setHighlightSections(false);
    m_header->setStretchLastSection(false);
    m_header->setMinimumSectionSize(0);
    m_header->setSectionResizeMode(QHeaderView::Interactive);
    m_header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(m_header, &QHeaderView::sectionResized, this, &CColumnTreeWnd::HeaderChanged);
    connect(m_header, &QHeaderView::sectionHandleDoubleClicked, this, &CColumnTreeWnd::OnDividerDoubleClicked);

    m_tree = NewTreeCtrl();
    if (!m_tree) {
        qDebug("[ERROR] Create Column Tree Failed!");
        return false;
    }
    m_tree->setParent(this);
    if (m_tree->objectName().isEmpty())
        m_tree->setObjectName(QStringLiteral("columnTree"));
    setFocusProxy(m_tree);
    connect(m_tree, &CColumnTreeCtrl::ScrollBarShownChanged, this, &CColumnTreeWnd::RecalcColumns,
            Qt::QueuedConnection);

    m_hbar = new QScrollBar(Qt::Horizontal, this);
    m_hbar->setObjectName(QStringLiteral("columnScrollBar"));
    m_hbar->setSingleStep(kLineStep);
    m_hbar->hide();
    connect(m_hbar, &QScrollBar::valueChanged, this, [this](int offset) {
        if (offset == m_tree->Offset())
            return;
        m_tree->SetOffset(offset);
        LayoutParts();
    });

    m_tree->SetOffset(0);
    SetHeaderFont(m_header->font());
    return true;
}

void CColumnTreeWnd::Rebuild(bool clearSelection)
{
    if (m_tree)
        m_tree->Rebuild(clearSelection);
}

void CColumnTreeWnd::SetupColumns(int, bool)
{
}

void CColumnTreeWnd::SelectByData(qint64 value)
{
    if (!m_tree)
        return;
    {
        CMyTreeCtrl::FreezeScope freeze(*m_tree);
        if (value == -1) {
            m_tree->ClearCaret();
        } else {
            const int node = m_tree->FindByData(quint32(value));
            if (node >= 0) {
                m_tree->SetCaret(node);
                m_tree->MakeVisible(node, false);
            }
        }
    }
    m_tree->setFocus();
}

void CColumnTreeWnd::DeleteByData(quint32 value)
{
    if (!m_tree)
        return;
    CMyTreeCtrl::FreezeScope freeze(*m_tree);
    const int node = m_tree->FindByData(value);
    if (node >= 0)
        m_tree->RemoveWithEmptyAncestors(node);
    m_tree->ClearCaret();
}

void CColumnTreeWnd::MakeCaretVisible()
{
    if (!m_tree)
        return;
    const int node = m_tree->CaretNode();
    if (node >= 0)
        m_tree->MakeVisible(node, true);
}

int CColumnTreeWnd::ColumnWidth(int column) const
{
    return m_tree ? m_tree->ColumnWidth(column) : 0;
}

void CColumnTreeWnd::SetColumnWidth(int column, int width)
{
    if (m_tree)
        m_tree->SetColumnWidth(column, width);
}

int CColumnTreeWnd::HorizontalOffset() const
{
    return m_tree ? m_tree->Offset() : 0;
}

void CColumnTreeWnd::RecalcColumns()
{
    if (!m_tree)
        return;
    int total = m_tree->VerticalScrollBarSpace();
    for (int section = 0; section < m_header->count(); ++section) {
        const int width = m_header->sectionSize(section);
        total += width;
        m_tree->SetColumnWidth(section, width);
    }
    m_tree->SetTotalWidth(total);

    const int client = width();
    const int maxOffset = std::max(0, total - client);
    m_tree->SetOffset(std::clamp(m_tree->Offset(), 0, maxOffset));
    {
        const QSignalBlocker blocker(m_hbar);
        m_hbar->setRange(0, maxOffset);
        m_hbar->setPageStep(std::max(1, client));
        m_hbar->setValue(m_tree->Offset());
    }
    m_hbar->setVisible(total > client);
    LayoutParts();
    m_tree->viewport()->update();
}

void CColumnTreeWnd::LayoutParts()
{
    if (!m_tree)
        return;
    const int client = width();
    const int barHeight = m_hbar->isHidden() ? 0 : m_hbar->sizeHint().height();
    const int clientHeight = std::max(0, height() - barHeight);
    const int offset = client < m_tree->TotalWidth() ? m_tree->Offset() : 0;
    const int wide = client + offset;
    m_header->setGeometry(-offset, 0, wide, m_headerHeight);
    m_tree->setGeometry(-offset, m_headerHeight, wide, std::max(0, clientHeight - m_headerHeight));
    m_hbar->setGeometry(0, clientHeight, client, barHeight);
    m_hbar->raise();
}

void CColumnTreeWnd::ScrollColumns(QAbstractSlider::SliderAction action)
{
    if (m_hbar)
        m_hbar->triggerAction(action);
}

int CColumnTreeWnd::OnColumnsChanged()
{
    for (int section = 0; section < m_header->count(); ++section)
        m_tree->SetColumnWidth(section, m_header->sectionSize(section));
    return 0;
}

void CColumnTreeWnd::OnDividerDoubleClicked(int)
{
}

void CColumnTreeWnd::HeaderChanged()
{
    if (m_settingItems || !m_tree)
        return;
    if (OnColumnsChanged() == 0)
        RecalcColumns();
    m_tree->viewport()->update();
}

void CColumnTreeWnd::SetHeaderFont(const QFont& font)
{
    m_header->setFont(font);
    m_headerHeight = QFontMetrics(font).height() + 4;
    RecalcColumns();
}

void CColumnTreeWnd::SetHeaderItems(const QStringList& captions, const QList<int>& widths)
{
    // Items put in place by the program are no change of the user's.
    m_settingItems = true;
    m_captions->setColumnCount(0);
    m_captions->setColumnCount(int(captions.size()));
    m_captions->setHorizontalHeaderLabels(captions);
    for (int section = 0; section < captions.size() && section < widths.size(); ++section)
        m_header->resizeSection(section, widths[section]);
    m_settingItems = false;
    RecalcColumns();
}

void CColumnTreeWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    RecalcColumns();
    if (m_tree)
        m_tree->ReportScrollBarState();
}
