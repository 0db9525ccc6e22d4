#include "controls/CCmbFont.h"

#include "controls/ControlName.h"

#include <QFontDatabase>

CCmbFont::CCmbFont(int controlId, QWidget* parent) : QComboBox(parent), m_controlId(controlId)
{
    setObjectName(ControlName(u"CCmbFont", controlId));
    setEditable(false);
    Fill();
}

void CCmbFont::Fill()
{
    clear();
    QStringList families;
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family) && !families.contains(family))
            families.append(family);
    }
    addItems(families);
}

bool CCmbFont::SelectFace(const QString& face)
{
    const int index = findText(face, Qt::MatchExactly | Qt::MatchCaseSensitive);
    setCurrentIndex(index >= 0 ? index : (count() > 0 ? 0 : -1));
    return index >= 0;
}
