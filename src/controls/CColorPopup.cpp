#include "controls/CColorPopup.h"

#include "platform/gui/ColorRef.h"
#include "platform/gui/ScreenClass.h"

#include <QPainter>

#include <algorithm>

const std::array<quint32, CColorPopup::kCount>& CColorPopup::Palette()
{
    static constexpr std::array<quint32, kCount> kPalette{
        0x8080FF, 0x80FFFF, 0x80FF80, 0x80FF00, 0xFFFF80, 0xFF8000, 0xC080FF, 0xFF80FF,
        0x0000FF, 0x00FFFF, 0x00FF80, 0x40FF00, 0xFFFF00, 0xC08000, 0xC08080, 0xFF00FF,
        0x404080, 0x4080FF, 0x00FF00, 0x808000, 0x804000, 0xFF8080, 0x400080, 0x8000FF,
        0x000080, 0x0080FF, 0x008000, 0x408000, 0xFF0000, 0xA00000, 0x800080, 0xFF0080,
        0x000040, 0x004080, 0x004000, 0x404000, 0x800000, 0x400000, 0x400040, 0x800040,
        0x000000, 0x008080, 0x408080, 0x808080, 0x808040, 0xC0C0C0, 0x404040, 0xFFFFFF,
    };
    return kPalette;
}

int CColorPopup::PaletteIndex(quint32 color)
{
    const auto& palette = Palette();
    const auto found = std::find(palette.begin(), palette.end(), color);
    return found == palette.end() ? -1 : int(found - palette.begin());
}

CColorPopup::CColorPopup(QWidget* parent) : CWndPopup(parent)
{
    setObjectName(QStringLiteral("colorPopup"));
}

CWndPopup::Grid CColorPopup::Layout() const
{
    return {ScreenClass::Pick(18, 32), kColumns, kCount};
}

void CColorPopup::SetHighlightColor(quint32 color)
{
    m_color = color;
    CWndPopup::SetHighlightIndex(PaletteIndex(color));
}

void CColorPopup::SetHighlightIndex(int index)
{
    if (index >= 0 && index < kCount)
        m_color = Palette()[size_t(index)];
    CWndPopup::SetHighlightIndex(index);
}

QRect CColorPopup::SwatchRect(int index) const
{
    const QRect cell = Layout().CellRect(index);
    if (cell.isNull())
        return {};
    // From (x + 2, y + 3) up to, not including, (x + cell - 2, y + cell - 4).
    return QRect(QPoint(cell.left() + 2, cell.top() + 3),
                 QPoint(cell.left() + cell.width() - 3, cell.top() + cell.height() - 5));
}

void CColorPopup::PaintCell(QPainter& painter, int index, const QRect&, bool highlighted)
{
    const QRect swatch = SwatchRect(index);
    painter.fillRect(swatch, ColorFromRef(Palette()[size_t(index)]));
    painter.setPen(ColorFromRef(kSwatchFrame));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    if (highlighted) {
        painter.setPen(Qt::black);
        painter.drawRect(swatch.adjusted(-1, -1, 0, 0));
    }
}
