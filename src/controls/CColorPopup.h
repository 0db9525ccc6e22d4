#pragma once

#include "controls/CWndPopup.h"

#include <array>

// The colour grid of the colour buttons: 48 colours in 6 rows of 8. The
// highlight starts at the button's colour (which need not be one of them);
// a chosen colour is reported with ColorChosen.
class CColorPopup : public CWndPopup
{
    Q_OBJECT

public:
    static constexpr int kColumns = 8;
    static constexpr int kRows = 6;
    static constexpr int kCount = kColumns * kRows;
    static constexpr quint32 kSwatchFrame = 0x969696;
    static const std::array<quint32, kCount>& Palette();
    // The index of a colour in the palette, -1 when it is not there.
    static int PaletteIndex(quint32 color);

    explicit CColorPopup(QWidget* parent);

    void SetHighlightColor(quint32 color);
    quint32 HighlightColor() const { return m_color; }

    Grid Layout() const override;
    // The swatch of a cell, inside the cell's margins.
    QRect SwatchRect(int index) const;

signals:
    // 0x416 (colour 0x00BBGGRR), posted.
    void ColorChosen(quint32 color);

protected:
    void PaintCell(QPainter& painter, int index, const QRect& cell, bool highlighted) override;
    void ReportChosen() override { emit ColorChosen(m_color); }
    void SetHighlightIndex(int index) override;

private:
    quint32 m_color = 0;
};
