#pragma once

#include "controls/CWndPopup.h"

// The icon grid of the icon buttons: every task icon of the shared icon list
// (number 0, "no icon", first), five to a row, each cell the icon plus a
// padding of 10 (large) or 5 pixels. A chosen icon is reported with
// IconChosen.
class CIconPopup : public CWndPopup
{
    Q_OBJECT

public:
    static constexpr int kColumns = 5;

    explicit CIconPopup(QWidget* parent);

    void SetHighlightIcon(int icon);
    int HighlightIcon() const { return m_icon; }

    Grid Layout() const override;

signals:
    // 0x418 (icon number), posted.
    void IconChosen(int icon);

protected:
    void PaintCell(QPainter& painter, int index, const QRect& cell, bool highlighted) override;
    void ReportChosen() override { emit IconChosen(m_icon); }
    void SetHighlightIndex(int index) override;

private:
    int m_icon = 0;
};
