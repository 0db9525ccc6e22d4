#pragma once

#include "controls/COwnerButton.h"

#include <QPointer>

class CIconPopup;

// An icon button: shows a task icon centred (nothing for 0). A click posts
// UM_OPEN_POPUP (0x420) to itself, which opens the icon grid under the
// button; a click while the grid is open closes it. A chosen icon becomes the
// value and is posted to the owner as 0x419 (control id, icon number).
class CBtnIcon : public COwnerButton
{
    Q_OBJECT

public:
    explicit CBtnIcon(int controlId, QWidget* parent = nullptr);

    void SetIcon(int icon);
    int Icon() const { return m_icon; }

    CIconPopup* Popup() const { return m_popup; }

protected:
    void DrawContent(QPainter& painter) override;
    void OnClick() override;
    bool event(QEvent* event) override;

private:
    void OpenPopup();

    int m_icon = 0;
    QPointer<CIconPopup> m_popup;
};
