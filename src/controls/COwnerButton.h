#pragma once

#include "model/MenuItemDesc.h"

#include <QWidget>

class QPainter;

// The owner-drawn button every button of the program builds on. It draws the
// shared skin (normal or pressed), the focus mark and its content itself, and
// follows the pen on its own terms: the pen down takes the focus and presses
// the button; dragging across the edge lifts or presses it again at once; the
// pen up inside while pressed is a click, which flips a two-state button and
// reports Clicked. Space is a click.
//
// Every report of a button is posted: its owner connects with
// Qt::QueuedConnection, so the report runs once the pen up is over. Derived
// buttons draw their own content, and buttons that drop a menu or pop-up act
// in OnClick before the base click runs.
class COwnerButton : public QWidget
{
    Q_OBJECT

public:
    static constexpr quint32 kFocusColor = 0xFFC0C0;    // 0x00BBGGRR
    static constexpr quint32 kDisabledText = 0xA0A0A0;

    explicit COwnerButton(int controlId, QWidget* parent = nullptr);

    int ControlId() const { return m_controlId; }

    // The window text, drawn by the default content.
    void SetText(const QString& text);
    const QString& Text() const { return m_text; }

    // A two-state button: a click flips Checked.
    void SetToggle(bool toggle) { m_toggle = toggle; }
    bool Toggle() const { return m_toggle; }
    // A checked button stays drawn pressed.
    void SetChecked(bool checked);
    bool Checked() const { return m_checked; }
    // The pen is down on the button.
    bool Pressed() const { return m_pressed; }
    // Checked, else Pressed.
    virtual bool IsDrawnPressed() const;

    QSize sizeHint() const override;

    // Draws the skin the way every button does: the left 3 pixels, the middle
    // 4-pixel slice repeated and the right 3 pixels; a button whose height is
    // not the skin's, or that is narrower than it, is filled white instead.
    static void DrawSkin(QPainter& painter, const QPixmap& skin, const QSize& size);

signals:
    // WM_COMMAND (UM_COMMAND, 0x111) with the control id, posted: a click.
    void Clicked(int controlId);

protected:
    virtual void DrawNormalBackground(QPainter& painter);
    virtual void DrawPressedBackground(QPainter& painter);
    virtual void DrawFocusMark(QPainter& painter);
    // Default content: the window text centred on one line.
    virtual void DrawContent(QPainter& painter);

    // The pen came up inside while the button was pressed, before the base
    // click (focus, flip, Clicked) runs. Drop-down buttons open their menu
    // here.
    virtual void OnClick() {}

    // Forgets the pen down in progress: its pen up is no click.
    void CancelPress();

    // Black, or grey while disabled.
    QColor TextColor() const;

    // The drop-down buttons' parts: the mark at the right, the text left in
    // the rest, and their menu shown at the bottom-left corner.
    void DrawDropDownMark(QPainter& painter) const;
    QRect DropDownTextRect() const;
    void DrawDropDownText(QPainter& painter, const QString& text, const QColor& color) const;
    int RunMenu(const MenuDesc& items);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int m_controlId;
    QString m_text;
    bool m_toggle = false;
    bool m_checked = false;
    bool m_pressed = false;
    bool m_captured = false;
};
