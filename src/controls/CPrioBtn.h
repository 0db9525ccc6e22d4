#pragma once

#include "controls/CImageBtn.h"

// The priority button of the task editor: the priority picture of its value
// (1 high, 0 normal, -1 low) and a drop-down mark. A click drops the menu
// High (3), Normal (2), Low (1) with the current one marked; a choice
// becomes the value (id - 2) and the button repaints. Then the click is
// reported like any other (Clicked).
class CPrioBtn : public CImageBtn
{
    Q_OBJECT

public:

    explicit CPrioBtn(int controlId, QWidget* parent = nullptr);

    // Any value above 0 is taken as high, below 0 as low.
    void SetPriority(int priority);
    int Priority() const { return m_priority; }

    MenuDesc Menu() const;

protected:
    void DrawContent(QPainter& painter) override;
    void OnClick() override;

private:
    int m_priority = 0;
};
