#include "dialogs/PasswordField.h"

#include "controls/ControlName.h"
#include "storage/PasswordKey.h"

#include <QLineEdit>

QLineEdit* MakePasswordField(int controlId, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(ControlName(u"Edit", controlId));
    field->setEchoMode(QLineEdit::Password);
    field->setMaxLength(PasswordKey::kMaxPasswordLength);
    return field;
}

void WipePasswordField(QLineEdit* field)
{
    // setText, unlike clear, starts a new history instead of recording an
    // undoable change.
    field->setText(QString());
}
