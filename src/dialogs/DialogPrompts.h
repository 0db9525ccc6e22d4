#pragma once

#include "storage/UserPrompts.h"

#include <QPointer>
#include <QWidget>

struct ViewContext;

// The program's answers to its password and file questions: the password
// dialog, the change-password dialog and the program's own file picker,
// each run through DialogRunner. Message boxes and the wait cursor, and the
// desktop's own file dialog for users who chose it (NativeFileDialog), come
// from the prompts it is put in front of. Until it has a context it leaves
// every question to those.
class DialogPrompts : public UserPrompts
{
public:
    explicit DialogPrompts(UserPrompts& base) : m_base(base) {}

    // The context the dialogs work with; the planner given there asks its
    // questions through this object.
    void SetContext(ViewContext* context) { m_context = context; }
    // The window the dialogs belong to (the main window once it exists).
    void SetParentWidget(QWidget* parent) { m_parent = parent; }

    Button ShowMessage(const QString& text, const QString& caption, int buttons, Icon icon) override;
    bool AskPassword(const QString& prompt, QString& password) override;
    bool AskNewPassword(QString& password) override;
    bool PickFile(FileKind kind, bool forSaving, const QString& folder, const QString& name,
                  QString& chosenPath) override;
    void BeginWait() override;
    void EndWait() override;

private:
    UserPrompts& m_base;
    ViewContext* m_context = nullptr;
    QPointer<QWidget> m_parent;
};
