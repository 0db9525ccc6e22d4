#include "controls/CImageBtn.h"

#include "controls/ControlName.h"

#include "platform/gui/Images.h"
#include "platform/gui/ScreenClass.h"

#include <QMouseEvent>
#include <QPainter>

CImageBtn::CImageBtn(int controlId, QWidget* parent) : COwnerButton(controlId, parent)
{
    setObjectName(ControlName(u"CImageBtn", controlId));
}

void CImageBtn::SetImage(const QPixmap& image)
{
    m_image = image;
    update();
}

QSize CImageBtn::sizeHint() const
{
    const QSize skin = Images::SkinSize(ScreenClass::IsLarge());
    return {std::max(skin.width(), m_image.width() + 2 * ScreenClass::Pick(4, 8)), skin.height()};
}

void CImageBtn::DrawImageCentred(QPainter& painter, const QPixmap& image, const QRect& area) const
{
    if (image.isNull())
        return;
    const QSize imageSize = image.deviceIndependentSize().toSize();
    const QPoint topLeft(area.left() + (area.width() - imageSize.width()) / 2,
                         area.top() + (area.height() - imageSize.height()) / 2);
    painter.save();
    if (!isEnabled())
        painter.setOpacity(0.35);
    painter.drawPixmap(topLeft, image);
    painter.restore();
}

void CImageBtn::DrawContent(QPainter& painter)
{
    DrawImageCentred(painter, m_image, rect());
}

void CImageBtn::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second pen down of a double tap arrives as a press followed by
    // this event; the tap was counted already, so its pen up is no click.
    event->accept();
    CancelPress();
}
