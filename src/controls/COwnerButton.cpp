#include "controls/COwnerButton.h"

#include "controls/ControlName.h"

#include "platform/gui/ColorRef.h"
#include "platform/gui/Images.h"
#include "platform/gui/MenuRunner.h"
#include "platform/gui/ScreenClass.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {
constexpr int kSkinEdge = 3;  // left and right parts of the skin
constexpr int kSkinSlice = 4; // the middle slice that repeats
} // namespace

COwnerButton::COwnerButton(int controlId, QWidget* parent) : QWidget(parent), m_controlId(controlId)
{
    setObjectName(ControlName(u"COwnerButton", controlId));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover, false);
}

void COwnerButton::SetText(const QString& text)
{
    if (m_text == text)
        return;
    m_text = text;
    update();
}

void COwnerButton::SetChecked(bool checked)
{
    m_checked = checked;
    update();
}

bool COwnerButton::IsDrawnPressed() const
{
    return m_checked || m_pressed;
}

QSize COwnerButton::sizeHint() const
{
    const QSize skin = Images::SkinSize(ScreenClass::IsLarge());
    const int textWidth = fontMetrics().horizontalAdvance(m_text);
    return {std::max(skin.width(), textWidth + 2 * ScreenClass::Pick(6, 12)), skin.height()};
}

void COwnerButton::DrawSkin(QPainter& painter, const QPixmap& skin, const QSize& size)
{
    const int width = size.width();
    const int height = size.height();
    if (skin.isNull() || width < skin.width() || height != skin.height()) {
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        return;
    }
    const int skinWidth = skin.width();
    painter.drawPixmap(0, 0, skin, 0, 0, kSkinEdge, height);
    int x = kSkinEdge;
    for (; x <= width - 7; x += kSkinSlice)
        painter.drawPixmap(x, 0, skin, kSkinEdge, 0, kSkinSlice, height);
    // The gap left before the right edge takes a part of the middle slice.
    if (x < width - kSkinEdge)
        painter.drawPixmap(x, 0, skin, kSkinEdge, 0, width - kSkinEdge - x, height);
    painter.drawPixmap(width - kSkinEdge, 0, skin, skinWidth - kSkinEdge, 0, kSkinEdge, height);
}

void COwnerButton::DrawNormalBackground(QPainter& painter)
{
    DrawSkin(painter, Images::Skin(false, ScreenClass::IsLarge()), size());
}

void COwnerButton::DrawPressedBackground(QPainter& painter)
{
    DrawSkin(painter, Images::Skin(true, ScreenClass::IsLarge()), size());
}

void COwnerButton::DrawFocusMark(QPainter& painter)
{
    const int right = width() - 3;
    const int bottom = height() - 3;
    painter.save();
    painter.setPen(QPen(ColorFromRef(kFocusColor), 1));
    painter.drawLine(2, 2, right, 2);
    painter.drawLine(2, bottom, right, bottom);
    painter.drawLine(2, 2, 2, bottom);
    painter.drawLine(right, 2, right, bottom);
    painter.restore();
}

QColor COwnerButton::TextColor() const
{
    return isEnabled() ? QColor(Qt::black) : ColorFromRef(kDisabledText);
}

void COwnerButton::DrawContent(QPainter& painter)
{
    painter.save();
    painter.setPen(TextColor());
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, m_text);
    painter.restore();
}

void COwnerButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (IsDrawnPressed())
        DrawPressedBackground(painter);
    else
        DrawNormalBackground(painter);
    if (hasFocus())
        DrawFocusMark(painter);
    DrawContent(painter);
}

void COwnerButton::DrawDropDownMark(QPainter& painter) const
{
    // A small solid triangle pointing down, 5 or 9 pixels wide.
    const int markWidth = ScreenClass::Pick(5, 9);
    const int right = width() - ScreenClass::Pick(4, 6);
    const int left = right - markWidth;
    const int markHeight = (markWidth + 1) / 2;
    const int top = (height() - markHeight) / 2;
    painter.save();
    painter.setPen(Qt::NoPen);
    for (int row = 0; row < markHeight; ++row)
        painter.fillRect(left + row, top + row, markWidth - 2 * row, 1, TextColor());
    painter.restore();
}

QRect COwnerButton::DropDownTextRect() const
{
    const QRect client = rect();
    return QRect(QPoint(client.left() + ScreenClass::Pick(4, 6), client.top()),
                 QPoint(client.right() - ScreenClass::Pick(9, 15), client.bottom()));
}

void COwnerButton::DrawDropDownText(QPainter& painter, const QString& text, const QColor& color) const
{
    const QRect area = DropDownTextRect();
    painter.save();
    painter.setPen(color);
    painter.setFont(font());
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, area.width());
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    painter.restore();
}

int COwnerButton::RunMenu(const MenuDesc& items)
{
    setFocus(Qt::MouseFocusReason);
    // The menu runs its own event loop, in which the button may go away:
    // then nothing was chosen for it.
    const QPointer<COwnerButton> alive(this);
    const int chosen = MenuRunner::Run(items, mapToGlobal(QPoint(0, height())), this);
    return alive ? chosen : 0;
}

void COwnerButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_captured = true;
    setFocus(Qt::MouseFocusReason);
    m_pressed = true;
    update();
}

void COwnerButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_captured)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != m_pressed) {
        m_pressed = inside;
        repaint();
    }
}

void COwnerButton::CancelPress()
{
    m_captured = false;
    m_pressed = false;
    update();
}

void COwnerButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_captured) {
        event->ignore();
        return;
    }
    m_captured = false;
    if (m_pressed) {
        const bool inside = rect().contains(event->position().toPoint());
        if (inside) {
            // A menu or dialog opened here runs its own event loop, in which
            // the window holding the button may go away.
            const QPointer<COwnerButton> alive(this);
            OnClick();
            if (!alive)
                return;
        }
        setFocus(Qt::MouseFocusReason);
        m_pressed = false;
        if (inside) {
            if (m_toggle)
                m_checked = !m_checked;
            emit Clicked(m_controlId);
        }
    }
    update();
}

void COwnerButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->isAutoRepeat())
        return;
    // A click: the pen goes down and up in the middle of the button.
    const QPointF centre = QRectF(rect()).center();
    const QPointF global = mapToGlobal(centre);
    QCoreApplication::postEvent(this, new QMouseEvent(QEvent::MouseButtonPress, centre, global, Qt::LeftButton,
                                                      Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(this, new QMouseEvent(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton,
                                                      Qt::NoButton, Qt::NoModifier));
}

void COwnerButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void COwnerButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void COwnerButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        update();
}
