#pragma once

#include "controls/COwnerButton.h"

#include <QPixmap>

// A button showing a picture centred over the skin (the title bar's today,
// back and forward buttons). The picture is loaded at the size the layout
// wants. The second press of a double click only repaints, so a quick double
// tap counts once.
class CImageBtn : public COwnerButton
{
    Q_OBJECT

public:
    explicit CImageBtn(int controlId, QWidget* parent = nullptr);

    void SetImage(const QPixmap& image);
    const QPixmap& Image() const { return m_image; }

    QSize sizeHint() const override;

protected:
    void DrawContent(QPainter& painter) override;
    // Draws a picture centred in area, faded while the button is disabled.
    void DrawImageCentred(QPainter& painter, const QPixmap& image, const QRect& area) const;

    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPixmap m_image;
};
