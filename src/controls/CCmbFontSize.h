#pragma once

#include <QComboBox>

// The font-size picker of the font page: the sizes 8 .. 20 in points, and
// any other number typed in. It speaks pixel heights: reading clamps the
// number to 6..24 and doubles it on a large screen; setting from a height
// halves it there first.
class CCmbFontSize : public QComboBox
{
    Q_OBJECT

public:
    static constexpr int kMinSize = 6;
    static constexpr int kMaxSize = 24;

    explicit CCmbFontSize(int controlId, QWidget* parent = nullptr);

    int ControlId() const { return m_controlId; }

    // The font height in pixels for the selected entry or the typed text.
    int Height() const;
    // Selects the entry of a height, or shows its number with no entry selected.
    void SetHeight(int pixelHeight);

    // The number at the start of a text as the field reads it: leading blanks,
    // an optional sign and the digits up to the first other character (0 for
    // none).
    static int LeadingNumber(const QString& text);

private:
    int m_controlId;
};
