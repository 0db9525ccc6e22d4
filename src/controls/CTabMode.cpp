#include "controls/CTabMode.h"

#include "controls/ControlName.h"
#include "model/LanguageModule.h"
#include "platform/gui/Images.h"
#include "platform/gui/ScreenClass.h"
#include "views/UserMessageEvent.h"

CTabMode::CTabMode(int controlId, QWidget* parent) : QTabBar(parent), m_controlId(controlId)
{
    setObjectName(ControlName(u"CTabMode", controlId));
    setExpanding(true);
    setDrawBase(true);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideRight);
    connect(this, &QTabBar::currentChanged, this, &CTabMode::TabChanged);
}

QObject* CTabMode::Owner() const
{
    if (m_owner)
        return m_owner;
    return parent();
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
    for (int mode = 0; mode < kModeCount; ++mode)
        addTab(QIcon(Images::TabImage(mode, large)), GetText(kTabTexts[mode]));
    if (keep >= 0 && keep < kModeCount)
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
    PostUserMessage(Owner(), UM_SET_VIEW_MODE, index);
}
