#pragma once

#include "dialogs/CDlgBase.h"

class QLabel;
class QLineEdit;

// "Password" (dialog 161): asks for the password of a protected calendar.
// The prompt says why; the information line names the calendar's file (or
// says it has none yet). Any text is taken, the empty one too. The typed
// password lives only as long as the dialog: the field is emptied as it
// closes, and Password() is gone with the dialog.
class CDlgPw : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr int kPromptId = 1105;
    static constexpr int kPasswordId = 1113;
    static constexpr int kInfoId = 1190;

    CDlgPw(ViewContext& context, const QString& prompt, QWidget* parent = nullptr);
    ~CDlgPw() override;

    // The password taken by OK (empty before, and after Cancel).
    const QString& Password() const { return m_password; }

    QLabel* PromptLabel() const { return m_prompt; }
    QLabel* InfoLabel() const { return m_info; }
    QLineEdit* PasswordField() const { return m_field; }

protected:
    void LayoutControls(const QSize& size, bool large) override;
    QSize LayoutSizeHint(bool large) const override;
    void OnOk() override;
    void hideEvent(QHideEvent* event) override;

private:
    // The prompt's height when it wraps within width.
    int PromptHeight(int width) const;

    QString m_password;
    QLabel* m_prompt;
    QLineEdit* m_field;
    QLabel* m_info;
};
