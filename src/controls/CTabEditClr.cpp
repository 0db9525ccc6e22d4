#include "controls/CTabEditClr.h"

#include "controls/ControlName.h"

#include <QKeyEvent>

CTabEditClr::CTabEditClr(int controlId, Settings& settings, QWidget* parent)
    : CEditClr(controlId, settings, Kind::MultiLineEnter, parent)
{
    setObjectName(ControlName(u"CTabEditClr", controlId));
    setTabChangesFocus(false);
}

void CTabEditClr::keyPressEvent(QKeyEvent* event)
{
    CEditClr::keyPressEvent(event);
    // An arrow at the first or last line stays here too.
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        event->accept();
        break;
    default:
        break;
    }
}
