#include "controls/CImageBtn.h"
#include "controls/CImageStateBtn.h"

#include "controls/ControlTestSupport.h"

#include <QPainter>
#include <QTest>

namespace {

QPixmap Solid(QColor colour, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(colour);
    return pixmap;
}

class CImageBtnTest : public ControlTest
{
protected:
    QWidget owner;
};

TEST_F(CImageBtnTest, PictureIsCentred)
{
    CImageBtn button(1071, &owner);
    button.setGeometry(0, 0, 40, 30); // not the skin's height: white around
    button.SetImage(Solid(Qt::red, 16));
    const QImage image = button.grab().toImage();
    EXPECT_EQ(image.pixelColor(12, 7), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(27, 22), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(11, 7), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(28, 22), QColor(Qt::white));
}

TEST_F(CImageBtnTest, DoubleClickCountsOnce)
{
    CImageBtn button(1071, &owner);
    WatchClicks(&button);
    button.setGeometry(0, 0, 40, 40);
    // What a double tap delivers: press, release, press, double click, release.
    Tap(&button);
    Pen(&button, QEvent::MouseButtonPress, Centre(&button));
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(Centre(&button)), button.mapToGlobal(QPointF(Centre(&button))),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&button, &dbl);
    Pen(&button, QEvent::MouseButtonRelease, Centre(&button));
    EXPECT_FALSE(button.Pressed());
    EXPECT_EQ(log.Take(), QStringLiteral("Clicked(1071)"));
}

TEST_F(CImageBtnTest, StateButtonShowsTheSecondPictureOnlyWhileTwoStateAndChecked)
{
    CImageStateBtn button(1050, &owner);
    button.setGeometry(0, 0, 30, 30);
    button.SetImages(Solid(Qt::red, 16), Solid(Qt::blue, 16));
    auto shown = [&button] { return button.grab().toImage().pixelColor(15, 15); };
    EXPECT_EQ(shown(), QColor(Qt::red));
    button.SetChecked(true);
    EXPECT_EQ(shown(), QColor(Qt::red));
    button.SetChecked(false);
    button.SetToggle(true);
    Tap(&button);
    EXPECT_TRUE(button.Checked());
    EXPECT_EQ(shown(), QColor(Qt::blue));
    Tap(&button);
    EXPECT_EQ(shown(), QColor(Qt::red));
}

} // namespace
