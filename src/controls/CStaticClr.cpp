#include "controls/CStaticClr.h"

#include "controls/ControlName.h"
#include "platform/gui/ColorRef.h"

CStaticClr::CStaticClr(int controlId, QWidget* parent) : QLineEdit(parent), m_controlId(controlId)
{
    setObjectName(ControlName(u"CStaticClr", controlId));
    setReadOnly(true);
    setFrame(false);
    setFocusPolicy(Qt::ClickFocus);
    setAutoFillBackground(true);
    ApplyColors();
}

void CStaticClr::SetText(const QString& text)
{
    setText(text);
    setCursorPosition(0);
}

void CStaticClr::SetTextColor(quint32 color)
{
    m_textColor = color;
    ApplyColors();
}

void CStaticClr::SetBkColor(quint32 color)
{
    m_bkColor = color;
    ApplyColors();
}

void CStaticClr::ApplyColors()
{
    QPalette colors = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colors.setColor(group, QPalette::Base, ColorFromRef(m_bkColor));
        colors.setColor(group, QPalette::Window, ColorFromRef(m_bkColor));
        colors.setColor(group, QPalette::Text, ColorFromRef(m_textColor));
    }
    setPalette(colors);
}
