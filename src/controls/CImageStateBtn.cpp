#include "controls/CImageStateBtn.h"

#include "controls/ControlName.h"

CImageStateBtn::CImageStateBtn(int controlId, QWidget* parent) : CImageBtn(controlId, parent)
{
    setObjectName(ControlName(u"CImageStateBtn", controlId));
}

void CImageStateBtn::SetImages(const QPixmap& first, const QPixmap& second)
{
    m_second = second;
    SetImage(first);
}

void CImageStateBtn::DrawContent(QPainter& painter)
{
    DrawImageCentred(painter, Toggle() && Checked() ? m_second : Image(), rect());
}
