#pragma once

#include "storage/UserPrompts.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QDialog;
class QFileDialog;
class QInputDialog;
class QMessageBox;

// The desktop's answer to the program's questions: message boxes, the
// password prompts, the file picker and the wait cursor, all modal and owned
// by the main window.
class QtPrompts : public UserPrompts
{
public:
    explicit QtPrompts(QWidget* parent = nullptr);
    ~QtPrompts() override;

    // The window the dialogs belong to (the main window once it exists).
    void SetParentWidget(QWidget* parent) { m_parent = parent; }
    QWidget* ParentWidget() const { return m_parent; }

    Button ShowMessage(const QString& text, const QString& caption, int buttons, Icon icon) override;
    bool AskPassword(const QString& prompt, QString& password) override;
    bool AskNewPassword(QString& password) override;
    bool PickFile(FileKind kind, bool forSaving, const QString& folder, const QString& name,
                  QString& chosenPath) override;
    void BeginWait() override;
    void EndWait() override;

    // Shows the language module's missing-module report and the core's
    // notices in message boxes (until RemoveHandlers or destruction).
    void InstallHandlers();
    void RemoveHandlers();

    // The dialogs, built but not shown.
    // An empty caption gives the box the program's name.
    static std::unique_ptr<QMessageBox> BuildMessageBox(const QString& text, const QString& caption,
                                                        int buttons, Icon icon, QWidget* parent);
    static std::unique_ptr<QInputDialog> BuildPasswordDialog(const QString& prompt, QWidget* parent);
    // Two password fields, "newPassword" and "newPasswordAgain".
    static std::unique_ptr<QDialog> BuildNewPasswordDialog(QWidget* parent);
    static std::unique_ptr<QFileDialog> BuildFileDialog(FileKind kind, bool forSaving, const QString& folder,
                                                        const QString& name, QWidget* parent);

private:
    QPointer<QWidget> m_parent;
    int m_waitDepth = 0;
    bool m_handlersInstalled = false;
};
