#pragma once

#include "dialogs/CDlgBase.h"

class QLabel;
class QLineEdit;

// "Change PW" (dialog 162): the new password twice. OK takes it only when
// both entries are exactly the same, letter case included; two empty
// entries mean no password. Like the password dialog, it keeps the typed
// text no longer than it lives.
class CDlgPwChange : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr int kNewPasswordId = 1114;
    static constexpr int kAgainId = 1115;

    explicit CDlgPwChange(ViewContext& context, QWidget* parent = nullptr);
    ~CDlgPwChange() override;

    // The new password taken by OK (empty before, after Cancel, and for no
    // password).
    const QString& Password() const { return m_password; }

    QLineEdit* NewPasswordField() const { return m_first; }
    QLineEdit* AgainField() const { return m_second; }
    QLabel* NewPasswordLabel() const { return m_firstLabel; }
    QLabel* AgainLabel() const { return m_secondLabel; }

protected:
    void LayoutControls(const QSize& size, bool large) override;
    QSize LayoutSizeHint(bool large) const override;
    void OnOk() override;
    void hideEvent(QHideEvent* event) override;

private:
    QString m_password;
    QLabel* m_firstLabel;
    QLineEdit* m_first;
    QLabel* m_secondLabel;
    QLineEdit* m_second;
};
