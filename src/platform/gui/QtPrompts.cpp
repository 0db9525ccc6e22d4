#include "platform/gui/QtPrompts.h"

#include "model/LanguageModule.h"
#include "storage/PasswordKey.h"
#include "storage/UserNotice.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QThread>

namespace {

QMessageBox::Icon BoxIcon(UserPrompts::Icon icon)
{
    switch (icon) {
    case UserPrompts::Information:
        return QMessageBox::Information;
    case UserPrompts::Warning:
        return QMessageBox::Warning;
    case UserPrompts::Error:
        return QMessageBox::Critical;
    case UserPrompts::Question:
        return QMessageBox::Question;
    case UserPrompts::NoIcon:
        break;
    }
    return QMessageBox::NoIcon;
}

UserPrompts::Button ButtonOf(int standardButton)
{
    switch (standardButton) {
    case QMessageBox::Yes:
        return UserPrompts::Yes;
    case QMessageBox::No:
        return UserPrompts::No;
    case QMessageBox::Ok:
        return UserPrompts::Ok;
    default:
        return UserPrompts::Cancel;
    }
}

QLineEdit* PasswordField(QWidget* parent, const QString& objectName)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(objectName);
    field->setEchoMode(QLineEdit::Password);
    // A longer password cannot become a key.
    field->setMaxLength(PasswordKey::kMaxPasswordLength);
    return field;
}

// Runs f on the user-interface thread and waits for it: a notice may come
// from the search worker.
template <class F>
void OnGuiThread(F f)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        f();
    else
        QMetaObject::invokeMethod(app, f, Qt::BlockingQueuedConnection);
}

} // namespace

QtPrompts::QtPrompts(QWidget* parent) : m_parent(parent)
{
}

QtPrompts::~QtPrompts()
{
    RemoveHandlers();
    while (m_waitDepth > 0)
        EndWait();
}

std::unique_ptr<QMessageBox> QtPrompts::BuildMessageBox(const QString& text, const QString& caption, int buttons,
                                                        Icon icon, QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setObjectName(QStringLiteral("messageBox"));
    box->setWindowTitle(caption.isEmpty() ? QApplication::applicationName() : caption);
    box->setText(text);
    box->setIcon(BoxIcon(icon));
    QMessageBox::StandardButtons standard;
    if (buttons & Yes)
        standard |= QMessageBox::Yes;
    if (buttons & No)
        standard |= QMessageBox::No;
    if (buttons & Ok)
        standard |= QMessageBox::Ok;
    if (buttons & Cancel)
        standard |= QMessageBox::Cancel;
    if (!standard)
        standard = QMessageBox::Ok;
    box->setStandardButtons(standard);
    return box;
}

UserPrompts::Button QtPrompts::ShowMessage(const QString& text, const QString& caption, int buttons, Icon icon)
{
    auto box = BuildMessageBox(text, caption, buttons, icon, m_parent);
    // A box asked for while the wait cursor shows needs the arrow.
    if (m_waitDepth > 0)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int chosen = box->exec();
    if (m_waitDepth > 0)
        QApplication::restoreOverrideCursor();
    const Button button = ButtonOf(chosen);
    // Closing a box without a Cancel button counts as its No (or OK).
    if (button == Cancel && !(buttons & Cancel))
        return (buttons & No) ? No : Ok;
    return button;
}

std::unique_ptr<QInputDialog> QtPrompts::BuildPasswordDialog(const QString& prompt, QWidget* parent)
{
    auto dialog = std::make_unique<QInputDialog>(parent);
    dialog->setObjectName(QStringLiteral("passwordDialog"));
    dialog->setWindowTitle(QStringLiteral("Password"));
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setTextEchoMode(QLineEdit::Password);
    dialog->setLabelText(prompt);
    if (auto* field = dialog->findChild<QLineEdit*>()) {
        field->setObjectName(QStringLiteral("password"));
        field->setMaxLength(PasswordKey::kMaxPasswordLength);
    }
    return dialog;
}

bool QtPrompts::AskPassword(const QString& prompt, QString& password)
{
    auto dialog = BuildPasswordDialog(prompt, m_parent);
    if (dialog->exec() != QDialog::Accepted)
        return false;
    password = dialog->textValue();
    return true;
}

std::unique_ptr<QDialog> QtPrompts::BuildNewPasswordDialog(QWidget* parent)
{
    auto dialog = std::make_unique<QDialog>(parent);
    dialog->setObjectName(QStringLiteral("newPasswordDialog"));
    dialog->setWindowTitle(QStringLiteral("Change Password"));
    auto* form = new QFormLayout(dialog.get());
    QLineEdit* first = PasswordField(dialog.get(), QStringLiteral("newPassword"));
    QLineEdit* second = PasswordField(dialog.get(), QStringLiteral("newPasswordAgain"));
    form->addRow(QStringLiteral("New &Password:"), first);
    form->addRow(QStringLiteral("New Password &Again:"), second);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog.get());
    buttons->setObjectName(QStringLiteral("buttons"));
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog.get(), &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog.get(), &QDialog::reject);
    return dialog;
}

bool QtPrompts::AskNewPassword(QString& password)
{
    auto dialog = BuildNewPasswordDialog(m_parent);
    auto* first = dialog->findChild<QLineEdit*>(QStringLiteral("newPassword"));
    auto* second = dialog->findChild<QLineEdit*>(QStringLiteral("newPasswordAgain"));
    for (;;) {
        if (dialog->exec() != QDialog::Accepted)
            return false;
        // Letter case counts: the two entries must be exactly the same.
        if (first->text() == second->text()) {
            password = first->text();
            return true;
        }
        ShowMessage(GetText(TextId::PasswordsDiffer), GetText(TextId::Password), OkOnly, Information);
        second->clear();
        first->selectAll();
        first->setFocus();
    }
}

std::unique_ptr<QFileDialog> QtPrompts::BuildFileDialog(FileKind kind, bool forSaving, const QString& folder,
                                                        const QString& name, QWidget* parent)
{
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setObjectName(QStringLiteral("fileDialog"));
    dialog->setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Replacing a file is asked by the program itself.
    dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
    if (kind == FileKind::Data) {
        dialog->setNameFilters({GetText(TextId::CalendarFilesFilter), GetText(TextId::AllFilesFilter)});
        dialog->setDefaultSuffix(QStringLiteral("vrx"));
    } else {
        dialog->setNameFilters({GetText(TextId::CsvFilesFilter)});
        dialog->setDefaultSuffix(QStringLiteral("csv"));
    }
    if (!folder.isEmpty())
        dialog->setDirectory(folder);
    if (!name.isEmpty())
        dialog->selectFile(name);
    return dialog;
}

bool QtPrompts::PickFile(FileKind kind, bool forSaving, const QString& folder, const QString& name,
                         QString& chosenPath)
{
    auto dialog = BuildFileDialog(kind, forSaving, folder, name, m_parent);
    if (dialog->exec() != QDialog::Accepted)
        return false;
    const QStringList files = dialog->selectedFiles();
    if (files.isEmpty())
        return false;
    chosenPath = files.first();
    return true;
}

void QtPrompts::BeginWait()
{
    ++m_waitDepth;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtPrompts::EndWait()
{
    if (m_waitDepth == 0)
        return;
    --m_waitDepth;
    QApplication::restoreOverrideCursor();
}

void QtPrompts::InstallHandlers()
{
    m_handlersInstalled = true;
    LanguageModule::SetMissingHandler([this](const QString& message) {
        // Without the module there is no numbered caption to take.
        OnGuiThread([&] { ShowMessage(message.trimmed(), QString(), OkOnly, Error); });
    });
    UserNotice::SetHandler([this](const QString& text) {
        OnGuiThread([&] { ShowMessage(text.trimmed(), QString(), OkOnly, Warning); });
    });
}

void QtPrompts::RemoveHandlers()
{
    if (!m_handlersInstalled)
        return;
    m_handlersInstalled = false;
    LanguageModule::SetMissingHandler(nullptr);
    UserNotice::SetHandler(nullptr);
}
