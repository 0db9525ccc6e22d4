#pragma once

#include "controls/CBtnPopup.h"

class CColorPopup;

// A colour button: shows its colour as a rectangle inset by 3 pixels and
// picks it from the colour grid, which opens on the current colour. A chosen
// colour becomes the value and is reported with ColorChanged.
class CBtnColor : public CBtnPopup
{
    Q_OBJECT

public:
    explicit CBtnColor(int controlId, QWidget* parent = nullptr);

    void SetColor(quint32 color);
    quint32 Color() const { return m_color; }

    // The grid, once it has been opened.
    CColorPopup* Popup() const;

signals:
    // 0x417 (control id, colour 0x00BBGGRR), posted.
    void ColorChanged(int controlId, quint32 color);

protected:
    void DrawContent(QPainter& painter) override;
    CWndPopup* CreatePopup() override;
    void HighlightValue() override;

private:
    // The grid's 0x416.
    void OnColorChosen(quint32 color);

    quint32 m_color = 0;
};
