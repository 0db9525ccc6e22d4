#pragma once

#include <QColor>
#include <QtGlobal>

// Colours are kept as 0x00BBGGRR words everywhere (settings, data file).
inline QColor ColorFromRef(quint32 ref)
{
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

inline quint32 RefFromColor(const QColor& color)
{
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

// A colour given as RGB(r, g, b).
constexpr quint32 RGBRef(int r, int g, int b)
{
    return quint32(r) | (quint32(g) << 8) | (quint32(b) << 16);
}
