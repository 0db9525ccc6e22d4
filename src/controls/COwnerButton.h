#pragma once

#include "model/MenuItemDesc.h"

#include <QPointer>
#include <QWidget>

class CWndPopup;
class QPainter;

// The owner-drawn button every button of the program builds on. It draws the
// shared skin (normal or pressed), the focus mark and its content itself, and
// follows the pen on its own terms: the pen down takes the focus and presses
// the button; dragging across the edge lifts or presses it again at once; the
// pen up inside while pressed is a click, which flips a two-state button and
// posts UM_COMMAND (wParam = the control id) to the owner. Space is a click.
//
// A button reports to its owner, the parent window unless SetOwner names
// another. Derived buttons draw their own content, and buttons that drop a
// menu or pop-up act in OnClick before the base click runs.
class COwnerButton : public QWidget
{
    Q_OBJECT

public:
    static constexpr quint32 kFocusColor = 0xFFC0C0;    // 0x00BBGGRR
    static constexpr quint32 kDisabledText = 0xA0A0A0;

    explicit COwnerButton(int controlId, QWidget* parent = nullptr);

    int ControlId() const { return m_controlId; }

    // Where the button's messages go (the parent when not set).
    void SetOwner(QObject* owner) { m_owner = owner; }
    QObject* Owner() const;

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

protected:
    virtual void DrawNormalBackground(QPainter& painter);
    virtual void DrawPressedBackground(QPainter& painter);
    virtual void DrawFocusMark(QPainter& painter);
    // Default content: the window text centred on one line.
    virtual void DrawContent(QPainter& painter);

    // The pen came up inside while the button was pressed, before the base
    // click (focus, flip, UM_COMMAND) runs. Drop-down buttons open their menu
    // here.
    virtual void OnClick() {}

    // The click of a button that opens a pop-up: closes it when it is open,
    // else posts UM_OPEN_POPUP to itself, so it opens once the click is over.
    void ClosePopupOrAskToOpen(CWndPopup* popup);

    // Forgets the pen down in progress: its pen up is no click.
    void CancelPress();

    // Black, or grey while disabled.
    QColor TextColor() const;
    void PostToOwner(int message, qintptr wParam, qintptr lParam) const;

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
    QPointer<QObject> m_owner;
    QString m_text;
    bool m_toggle = false;
    bool m_checked = false;
    bool m_pressed = false;
    bool m_captured = false;
};
