#pragma once

#include "controls/CImageBtn.h"

// An image button with two pictures: the second while it is a two-state
// button and checked (the task editor's completion check), else the first.
class CImageStateBtn : public CImageBtn
{
    Q_OBJECT

public:
    explicit CImageStateBtn(int controlId, QWidget* parent = nullptr);

    void SetImages(const QPixmap& first, const QPixmap& second);
    const QPixmap& SecondImage() const { return m_second; }

protected:
    void DrawContent(QPainter& painter) override;

private:
    QPixmap m_second;
};
