#include "dialogs/CDlgPw.h"

#include "controls/ControlName.h"
#include "dialogs/PasswordField.h"
#include "model/CalendarStore.h"
#include "model/LanguageModule.h"

#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

// A path has no spaces to wrap at: let it break after each folder.
QString WrappablePath(QString path)
{
    return path.replace(u'/', QStringLiteral("/\u200B"));
}

// The text height of a label whose text wraps within width.
int WrappedHeight(const QLabel* label, int width)
{
    const QRect bounds = label->fontMetrics().boundingRect(QRect(0, 0, std::max(1, width), 100000),
                                                           Qt::TextWordWrap, label->text());
    return std::max(bounds.height(), label->fontMetrics().height());
}

} // namespace

CDlgPw::CDlgPw(ViewContext& context, const QString& prompt, QWidget* parent)
    : CDlgBase(context, Buttons::OkCancel, parent)
{
    setObjectName(QStringLiteral("CDlgPw"));
    setWindowTitle(QStringLiteral("Password"));
    SetBanner(QStringLiteral("Password"));

    m_prompt = new QLabel(prompt, this);
    m_prompt->setObjectName(ControlName(u"Static", kPromptId));
    m_prompt->setWordWrap(true);
    m_prompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_field = MakePasswordField(kPasswordId, this);
    m_prompt->setBuddy(m_field);
    connect(m_field, &QLineEdit::returnPressed, this, &CDlgPw::PressOk);

    // The calendar the password is for: the open path has already named it.
    const QString& path = context.planner.store.FilePath();
    const QString info = path.isEmpty() ? GetText(TextId::NotSavedYet)
                                        : GetText(TextId::FileNamed).arg(WrappablePath(path));
    m_info = new QLabel(info, this);
    m_info->setObjectName(ControlName(u"Static", kInfoId));
    m_info->setWordWrap(true);
    m_info->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_field->setFocus();
    RaiseInputPanel();
}

CDlgPw::~CDlgPw()
{
    WipePasswordField(m_field);
}

int CDlgPw::PromptHeight(int width) const
{
    return WrappedHeight(m_prompt, width);
}

void CDlgPw::LayoutControls(const QSize& size, bool large)
{
    const int w = size.width();
    const int h = size.height();
    if (large) {
        const int t = PromptHeight(w - 24);
        m_prompt->setGeometry(12, 48, w - 24, t);
        m_field->setGeometry(12, t + 52, w - 24, 40);
        m_info->setGeometry(12, t + 100, w - 24, std::max(0, h - t - 104));
    } else {
        const int t = PromptHeight(w - 12);
        m_prompt->setGeometry(6, 24, w - 12, t);
        m_field->setGeometry(6, t + 26, w - 12, 20);
        m_info->setGeometry(6, t + 50, w - 12, std::max(0, h - t - 53));
    }
}

QSize CDlgPw::LayoutSizeHint(bool large) const
{
    // As wide as a handheld's screen, as high as the texts need.
    const int w = large ? 480 : 240;
    const int margin = large ? 24 : 12;
    const int t = PromptHeight(w - margin);
    const int info = WrappedHeight(m_info, w - margin);
    return large ? QSize(w, t + 100 + info + 24) : QSize(w, t + 50 + info + 12);
}

void CDlgPw::OnOk()
{
    m_password = m_field->text();
    accept();
}

void CDlgPw::hideEvent(QHideEvent* event)
{
    // Closed (not just minimised): the typed text goes.
    if (!event->spontaneous())
        WipePasswordField(m_field);
    CDlgBase::hideEvent(event);
}
