#include "controls/CTabMode.h"

#include "controls/ControlName.h"
#include "model/LanguageModule.h"
#include "platform/gui/Images.h"
#include "platform/gui/ScreenClass.h"

#include <QProxyStyle>

namespace {
// The desktop styles pad tabs for a mouse on a wide screen; four tabs with
// pictures must fit a narrow window, so the padding shrinks to the control
// font's scale.
class CompactTabStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        switch (metric) {
        case PM_TabBarTabHSpace:
            return ScreenClass::Pick(6, 12);
        case PM_TabBarTabVSpace:
            return ScreenClass::Pick(6, 12);
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }
};
} // namespace

CTabMode::CTabMode(int controlId, QWidget* parent) : QTabBar(parent), m_controlId(controlId)
{
    setObjectName(ControlName(u"CTabMode", controlId));
    setExpanding(true);
    setDrawBase(true);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideRight);
    auto* style = new CompactTabStyle;
    style->setParent(this);
    setStyle(style);
    connect(this, &QTabBar::currentChanged, this, &CTabMode::TabChanged);
}

void CTabMode::Fill(const QFont& controlFont)
{
    const bool large = ScreenClass::IsLarge();
    const int keep = currentIndex();
    m_setting = true;
    while (count() > 0)
        removeTab(count() - 1);
    setFont(controlFont);
    const int imageSize = Images::TabImageSize(large);
    setIconSize(QSize(imageSize, imageSize));
    for (int mode = 0; mode < ViewState::kModeCount; ++mode)
        addTab(QIcon(Images::TabImage(mode, large)), GetText(kTabTexts[mode]));
    if (keep >= 0 && keep < ViewState::kModeCount)
        setCurrentIndex(keep);
    m_setting = false;
}

void CTabMode::SetMode(int mode)
{
    if (mode < 0 || mode >= count() || mode == currentIndex())
        return;
    m_setting = true;
    setCurrentIndex(mode);
    m_setting = false;
}

void CTabMode::TabChanged(int index)
{
    if (m_setting || index < 0)
        return;
    emit ViewModeChosen(index);
}
