#pragma once

#include "model/TextId.h"
#include "model/ViewState.h"

#include <QTabBar>

// The view-mode tabs under the title bar: Month, Week, List and No Date, tab
// index = view mode. A tab the user picks is reported with ViewModeChosen;
// selecting a tab with SetMode reports nothing.
class CTabMode : public QTabBar
{
    Q_OBJECT

public:
    static constexpr TextId kTabTexts[ViewState::kModeCount] = {TextId::TabMonth, TextId::TabWeek, TextId::TabList,
                                                                TextId::NoDate};

    explicit CTabMode(int controlId, QWidget* parent = nullptr);

    int ControlId() const { return m_controlId; }

    // Adds the four tabs with their texts and pictures, in the given font
    // (the control font); again after a font change.
    void Fill(const QFont& controlFont);
    void SetMode(int mode);
    int Mode() const { return currentIndex(); }

signals:
    // UM_SET_VIEW_MODE (0x403) with the new tab index, posted.
    void ViewModeChosen(int mode);

private:
    void TabChanged(int index);

    int m_controlId;
    bool m_setting = false;
};
