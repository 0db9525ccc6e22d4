#pragma once

#include "model/MenuItemDesc.h"

#include <QTreeWidget>

class Settings;

// A flat list in one of two view styles, kept in the settings value
// ListViewStyle and shared by every such list: Details (1, columns with a
// header; also what any other stored value shows) and List (3, the first
// column only). Tap and hold switches the style.
class CMyListCtrl : public QTreeWidget
{
    Q_OBJECT

public:
    static constexpr int kDetailsStyle = 1;
    static constexpr int kListStyle = 3;

    // Takes its style from the settings.
    CMyListCtrl(int controlId, const Settings& settings, QWidget* parent = nullptr);

    int ControlId() const { return m_controlId; }

    int ViewStyle() const { return m_style; }
    // Shows the list in a style (without storing it).
    void SetViewStyle(int style);

    // The tap-and-hold menu: List (3), Details (1), the current one checked.
    MenuDesc Menu() const;
    // Takes a style from the menu and stores it in the settings.
    void ChooseViewStyle(int style);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void ShowMenu(const QPoint& pos);
    void ApplyViewStyle();

    int m_controlId;
    const Settings& m_settings;
    int m_style;
};
