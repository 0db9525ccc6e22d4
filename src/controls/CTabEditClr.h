#pragma once

#include "controls/CEditClr.h"

// A multi-line text field that takes Enter and keeps Tab and the arrow keys
// for itself instead of moving between the dialog's fields (notes).
class CTabEditClr : public CEditClr
{
    Q_OBJECT

public:
    CTabEditClr(int controlId, Settings& settings, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
