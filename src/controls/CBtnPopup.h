#pragma once

#include "controls/COwnerButton.h"

#include <QPointer>

class CWndPopup;

// The base of the buttons that pick their value from a pop-up grid (colour,
// icon). A click posts UM_OPEN_POPUP (0x420) to itself, which opens the grid
// under the button with the button's value highlighted; a click while the
// grid is open closes it. The grid's chosen notice makes its value the
// button's, which is posted to the owner as (control id, value); a cancelled
// grid only repaints.
class CBtnPopup : public COwnerButton
{
    Q_OBJECT

public:
    // chosenMessage is the grid's notice, changedMessage the owner's.
    CBtnPopup(int controlId, int chosenMessage, int changedMessage, QWidget* parent = nullptr);

protected:
    // The grid, once it has been opened.
    CWndPopup* PopupWindow() const { return m_popup; }

    // Makes the grid, owned by the button and reporting to it.
    virtual CWndPopup* CreatePopup() = 0;
    // Highlights the button's value in PopupWindow() before it shows.
    virtual void HighlightValue() = 0;
    // Makes the chosen notice's value the button's; returns the value for the owner.
    virtual qintptr TakeChosen(qintptr value) = 0;

    void OnClick() override;
    bool event(QEvent* event) override;

private:
    void OpenPopup();

    int m_chosenMessage;
    int m_changedMessage;
    QPointer<CWndPopup> m_popup;
};
