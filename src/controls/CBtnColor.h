#pragma once

#include "controls/COwnerButton.h"

#include <QPointer>

class CColorPopup;

// A colour button: shows its colour as a rectangle inset by 3 pixels. A click
// posts UM_OPEN_POPUP (0x420) to itself, which opens the colour grid under the
// button with the current colour highlighted; a click while the grid is open
// closes it. A chosen colour becomes the value and is posted to the owner as
// 0x417 (control id, colour 0x00BBGGRR); a cancelled grid only repaints.
class CBtnColor : public COwnerButton
{
    Q_OBJECT

public:
    explicit CBtnColor(int controlId, QWidget* parent = nullptr);

    void SetColor(quint32 color);
    quint32 Color() const { return m_color; }

    // The grid, once it has been opened.
    CColorPopup* Popup() const { return m_popup; }

protected:
    void DrawContent(QPainter& painter) override;
    void OnClick() override;
    bool event(QEvent* event) override;

private:
    void OpenPopup();

    quint32 m_color = 0;
    QPointer<CColorPopup> m_popup;
};
