#pragma once

#include <QString>
#include <QStringView>

// The object name a control takes when it is made: its class and control id
// ("CBtnMonth1068"), so tests and tools find it; windows that hold several
// controls of a kind may give them names of their own.
inline QString ControlName(QStringView kind, int controlId)
{
    return kind.toString() + QString::number(controlId);
}
