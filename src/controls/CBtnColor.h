#pragma once

#include "controls/CBtnPopup.h"

class CColorPopup;

// A colour button: shows its colour as a rectangle inset by 3 pixels and
// picks it from the colour grid, which opens on the current colour. A chosen
// colour is posted to the owner as 0x417 (control id, colour 0x00BBGGRR).
class CBtnColor : public CBtnPopup
{
    Q_OBJECT

public:
    explicit CBtnColor(int controlId, QWidget* parent = nullptr);

    void SetColor(quint32 color);
    quint32 Color() const { return m_color; }

    // The grid, once it has been opened.
    CColorPopup* Popup() const;

protected:
    void DrawContent(QPainter& painter) override;
    CWndPopup* CreatePopup() override;
    void HighlightValue() override;
    qintptr TakeChosen(qintptr value) override;

private:
    quint32 m_color = 0;
};
