#pragma once

#include "controls/CBtnPopup.h"

class CIconPopup;

// An icon button: shows a task icon centred (nothing for 0) and picks it from
// the icon grid, which opens on the current icon. A chosen icon is posted to
// the owner as 0x419 (control id, icon number).
class CBtnIcon : public CBtnPopup
{
    Q_OBJECT

public:
    explicit CBtnIcon(int controlId, QWidget* parent = nullptr);

    void SetIcon(int icon);
    int Icon() const { return m_icon; }

    CIconPopup* Popup() const;

protected:
    void DrawContent(QPainter& painter) override;
    CWndPopup* CreatePopup() override;
    void HighlightValue() override;
    qintptr TakeChosen(qintptr value) override;

private:
    int m_icon = 0;
};
