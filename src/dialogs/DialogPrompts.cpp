#include "dialogs/DialogPrompts.h"

#include "dialogs/CDlgPw.h"
#include "dialogs/CDlgPwChange.h"
#include "dialogs/CDlgSelFile.h"
#include "dialogs/DialogRunner.h"
#include "platform/gui/InputPanel.h"
#include "storage/Settings.h"

UserPrompts::Button DialogPrompts::ShowMessage(const QString& text, const QString& caption, int buttons, Icon icon)
{
    return m_base.ShowMessage(text, caption, buttons, icon);
}

void DialogPrompts::BeginWait()
{
    m_base.BeginWait();
}

void DialogPrompts::EndWait()
{
    m_base.EndWait();
}

bool DialogPrompts::AskPassword(const QString& prompt, QString& password)
{
    if (!m_context)
        return m_base.AskPassword(prompt, password);
    CDlgPw dialog(*m_context, prompt, m_parent);
    if (DialogRunner::Run(dialog) != QDialog::Accepted)
        return false;
    password = dialog.Password();
    return true;
}

bool DialogPrompts::AskNewPassword(QString& password)
{
    if (!m_context)
        return m_base.AskNewPassword(password);
    CDlgPwChange dialog(*m_context, m_parent);
    if (DialogRunner::Run(dialog) != QDialog::Accepted)
        return false;
    password = dialog.Password();
    return true;
}

bool DialogPrompts::PickFile(FileKind kind, bool forSaving, const QString& folder, const QString& name,
                             QString& chosenPath)
{
    if (!m_context || m_context->planner.settings.NativeFileDialog())
        return m_base.PickFile(kind, forSaving, folder, name, chosenPath);
    const auto types = kind == FileKind::Data ? CDlgSelFile::FileTypes::Data : CDlgSelFile::FileTypes::Csv;
    CDlgSelFile dialog(*m_context, !forSaving, types, folder, name, m_parent);
    if (DialogRunner::Run(dialog) != QDialog::Accepted)
        return false;
    InputPanel::Lower();
    chosenPath = dialog.ChosenPath();
    return true;
}
