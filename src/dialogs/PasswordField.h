#pragma once

class QLineEdit;
class QWidget;

// The password dialogs' fields: dots instead of the text, and never longer
// than a key can take (16 characters), so no password is ever cut or refused
// behind the user's back.
QLineEdit* MakePasswordField(int controlId, QWidget* parent);

// Empties a field together with its undo history, so the typed text does not
// outlive the dialog in the field.
void WipePasswordField(QLineEdit* field);
