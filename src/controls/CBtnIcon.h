#pragma once

#include "controls/CBtnPopup.h"

class CIconPopup;

// An icon button: shows a task icon centred (nothing for 0) and picks it from
// the icon grid, which opens on the current icon. A chosen icon becomes the
// value and is reported with IconChanged.
class CBtnIcon : public CBtnPopup
{
    Q_OBJECT

public:
    explicit CBtnIcon(int controlId, QWidget* parent = nullptr);

    void SetIcon(int icon);
    int Icon() const { return m_icon; }

    CIconPopup* Popup() const;

signals:
    // 0x419 (control id, icon number), posted.
    void IconChanged(int controlId, int icon);

protected:
    void DrawContent(QPainter& painter) override;
    CWndPopup* CreatePopup() override;
    void HighlightValue() override;

private:
    // The grid's 0x418.
    void OnIconChosen(int icon);

    int m_icon = 0;
};
