#include "dialogs/CDlgBase.h"

#include "controls/CStaticClr.h"
#include "platform/gui/InputPanel.h"
#include "platform/gui/ScreenClass.h"
#include "storage/Settings.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>

CDlgBase::CDlgBase(ViewContext& context, Buttons buttons, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setModal(true);
    setFont(context.fonts.Ctrl());

    m_banner = new CStaticClr(kBannerId, this);
    m_banner->setObjectName(QStringLiteral("banner"));
    m_banner->setFont(context.fonts.CtrlBold());
    m_banner->setFocusPolicy(Qt::NoFocus);

    m_buttonBox = new QDialogButtonBox(this);
    m_buttonBox->setObjectName(QStringLiteral("buttonRow"));
    m_buttonBox->setContentsMargins(4, 4, 4, 4);
    m_buttonBox->addButton(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    if (buttons == Buttons::OkCancel)
        m_buttonBox->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    // The buttons are pressed with the pen; Enter belongs to each dialog.
    for (QAbstractButton* button : m_buttonBox->buttons()) {
        if (auto* push = qobject_cast<QPushButton*>(button)) {
            push->setAutoDefault(false);
            push->setDefault(false);
        }
    }
    connect(m_buttonBox, &QDialogButtonBox::accepted, this, &CDlgBase::PressOk);
    connect(m_buttonBox, &QDialogButtonBox::rejected, this, &CDlgBase::PressCancel);

    // Control+Enter presses OK from every field, multi-line ones included.
    for (const QKeyCombination key : {Qt::CTRL | Qt::Key_Return, Qt::CTRL | Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, &CDlgBase::PressOk);
    }
}

CDlgBase::~CDlgBase() = default;

void CDlgBase::SetBanner(const QString& text)
{
    m_banner->SetText(text);
}

QPushButton* CDlgBase::OkButton() const
{
    return m_buttonBox->button(QDialogButtonBox::Ok);
}

QPushButton* CDlgBase::CancelButton() const
{
    return m_buttonBox->button(QDialogButtonBox::Cancel);
}

QSize CDlgBase::LayoutSize() const
{
    return {width(), std::max(0, height() - m_buttonBox->sizeHint().height())};
}

QSize CDlgBase::LayoutSizeHint(bool large) const
{
    // A handheld's dialog filled the screen below the title bar.
    return large ? QSize(480, 536) : QSize(240, 268);
}

QSize CDlgBase::sizeHint() const
{
    const QSize layout = LayoutSizeHint(ScreenClass::IsLarge());
    return {layout.width(), layout.height() + m_buttonBox->sizeHint().height()};
}

void CDlgBase::PressOk()
{
    OnOk();
}

void CDlgBase::PressCancel()
{
    OnCancel();
}

void CDlgBase::reject()
{
    PressCancel();
}

void CDlgBase::OnOk()
{
    accept();
}

void CDlgBase::OnCancel()
{
    QDialog::reject();
}

void CDlgBase::Relayout()
{
    const bool large = ScreenClass::IsLarge();
    const QSize size = LayoutSize();
    m_banner->setGeometry(0, 0, size.width(), BannerHeight(large));
    const int rowHeight = m_buttonBox->sizeHint().height();
    m_buttonBox->setGeometry(0, size.height(), width(), rowHeight);
    LayoutControls(size, large);
}

void CDlgBase::RaiseInputPanel()
{
    if (m_context.planner.settings.AutoSIPUp())
        InputPanel::Raise();
}

void CDlgBase::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Relayout();
}

void CDlgBase::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The button row makes its OK the default button as it shows, which
    // would press OK on every Enter a field leaves alone; Enter stays the
    // dialog's.
    for (QAbstractButton* button : m_buttonBox->buttons()) {
        if (auto* push = qobject_cast<QPushButton*>(button))
            push->setDefault(false);
    }
    Relayout();
}
