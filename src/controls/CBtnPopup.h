#pragma once

#include "controls/COwnerButton.h"

#include <QPointer>

class CWndPopup;

// The base of the buttons that pick their value from a pop-up grid (colour,
// icon). A click posts the opening of the grid to itself (UM_OPEN_POPUP,
// 0x420), which opens it under the button with the button's value
// highlighted; a click while the grid is open closes it. The grid's chosen
// notice makes its value the button's, which the derived button reports to
// its owner; a cancelled grid only repaints.
class CBtnPopup : public COwnerButton
{
    Q_OBJECT

public:
    explicit CBtnPopup(int controlId, QWidget* parent = nullptr);

protected:
    // The grid, once it has been opened.
    CWndPopup* PopupWindow() const { return m_popup; }

    // Makes the grid, owned by the button, with its chosen notice connected
    // (queued) to the button.
    virtual CWndPopup* CreatePopup() = 0;
    // Highlights the button's value in PopupWindow() before it shows.
    virtual void HighlightValue() = 0;

    void OnClick() override;

private:
    void OpenPopup();

    QPointer<CWndPopup> m_popup;
};
