#include "dialogs/CDlgPwChange.h"

#include "controls/ControlName.h"
#include "dialogs/PasswordField.h"
#include "model/LanguageModule.h"
#include "storage/UserPrompts.h"

#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>

CDlgPwChange::CDlgPwChange(ViewContext& context, QWidget* parent) : CDlgBase(context, Buttons::OkCancel, parent)
{
    setObjectName(QStringLiteral("CDlgPwChange"));
    setWindowTitle(QStringLiteral("Change PW"));
    SetBanner(QStringLiteral("Change Password"));

    m_firstLabel = new QLabel(QStringLiteral("New &Password:"), this);
    m_firstLabel->setObjectName(QStringLiteral("NewPasswordLabel"));
    m_first = MakePasswordField(kNewPasswordId, this);
    m_firstLabel->setBuddy(m_first);

    m_secondLabel = new QLabel(QStringLiteral("New Password &Again:"), this);
    m_secondLabel->setObjectName(QStringLiteral("AgainLabel"));
    m_second = MakePasswordField(kAgainId, this);
    m_secondLabel->setBuddy(m_second);

    for (QLineEdit* field : {m_first, m_second})
        connect(field, &QLineEdit::returnPressed, this, &CDlgPwChange::PressOk);
    m_first->setFocus();
    RaiseInputPanel();
}

CDlgPwChange::~CDlgPwChange()
{
    WipePasswordField(m_first);
    WipePasswordField(m_second);
}

void CDlgPwChange::LayoutControls(const QSize& size, bool large)
{
    const int x = large ? 12 : 6;
    const int gap = large ? 4 : 2;
    const int fieldHeight = large ? 40 : 20;
    const int width = size.width();
    int y = large ? 48 : 24;
    for (auto [label, field] : {std::pair{m_firstLabel, m_first}, std::pair{m_secondLabel, m_second}}) {
        // Each label as large as its text.
        const QSize text = label->sizeHint();
        label->setGeometry(x, y, std::min(text.width(), std::max(0, width - 2 * x)), text.height());
        y += text.height() + gap;
        field->setGeometry(x, y, std::max(0, width - 2 * x), fieldHeight);
        y += fieldHeight + 3 * gap;
    }
}

QSize CDlgPwChange::LayoutSizeHint(bool large) const
{
    const int width = large ? 480 : 240;
    const int gap = large ? 4 : 2;
    const int fieldHeight = large ? 40 : 20;
    const int labels = m_firstLabel->sizeHint().height() + m_secondLabel->sizeHint().height();
    return {width, (large ? 48 : 24) + labels + 2 * (fieldHeight + 4 * gap)};
}

void CDlgPwChange::OnOk()
{
    // Letter case counts: "Secret" and "secret" are two passwords.
    if (m_first->text() != m_second->text()) {
        Context().planner.prompts.ShowMessage(GetText(TextId::PasswordsDiffer), GetText(TextId::Password),
                                              UserPrompts::OkOnly, UserPrompts::Information);
        m_first->selectAll();
        m_first->setFocus();
        return;
    }
    m_password = m_first->text();
    accept();
}

void CDlgPwChange::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous()) {
        WipePasswordField(m_first);
        WipePasswordField(m_second);
    }
    CDlgBase::hideEvent(event);
}
