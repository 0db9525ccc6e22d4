#pragma once

#include <QEvent>
#include <QObject>
#include <QtGlobal>

// The program's own window messages (WM_USER + n). Children report user
// actions to the main view with them; a posted message runs after the
// current event, a sent one at once.
enum UserMessage : int {
    // A control's command to its owner (a click), wParam = the control id.
    UM_COMMAND = 0x111,
    UM_REFRESH = 0x401,
    UM_REPAINT_CALENDAR = 0x402,
    UM_SET_VIEW_MODE = 0x403,
    UM_SET_COMPLETE = 0x404,
    UM_STARTUP = 0x405,
    UM_SET_PRIORITY = 0x406,
    UM_SET_TASK_DATE = 0x407,
    UM_SET_CATEGORY = 0x408,
    UM_REPAINT_TREE = 0x409,
    UM_NEW_TASK = 0x40A,
    UM_SELECT_CATEGORY = 0x40D,
    UM_DELETE_SELECTED = 0x410,
    UM_MOVE_UP = 0x411,
    UM_MOVE_DOWN = 0x412,
    UM_CATEGORY_CHOSEN = 0x413,       // category picker -> its owner
    UM_CATEGORY_LIST_EDITED = 0x414,  // category picker -> its owner
    UM_MENU_BUTTON_CHOSEN = 0x415,    // menu button -> its owner
    UM_COLOR_CHOSEN = 0x416,          // colour pop-up -> its button
    UM_COLOR_CHANGED = 0x417,         // colour button -> its owner
    UM_ICON_CHOSEN = 0x418,           // icon pop-up -> its owner
    UM_ICON_CHANGED = 0x419,          // icon button -> its owner
    UM_EDIT_TASK = 0x41A,
    UM_DAY_NOTE = 0x41B,
    UM_SET_ICON = 0x41C,
    UM_DUPLICATE_TASK = 0x41D,
    UM_DELETE_TASK = 0x41E,
    UM_NAVIGATE = 0x41F,
    UM_OPEN_POPUP = 0x420,            // a picker button opens its pop-up
    UM_POPUP_CANCELLED = 0x421,       // pop-up -> its owner
    UM_EXPAND_LEVEL = 0x422,
    UM_TREE_LAYOUT = 0x423,           // inside the column tree
    UM_DATE_RANGE_CHANGED = 0x424,    // date-range picker -> its owner
    UM_RESCHEDULE = 0x425,
    UM_RANGE_CHANGED = 0x426,
    UM_DATE_CHOSEN = 0x427,           // date button -> its owner
    UM_MONTH_CHOSEN = 0x428,          // month picker -> title bar
    UM_YEAR_CHOSEN = 0x429,           // year picker -> title bar
    UM_SEARCH_MATCH = 0x42A,
    UM_SEARCH_PROGRESS = 0x42B,
    UM_SEARCH_DONE = 0x42C,
    UM_PAGE_SIZE = 0x42D,             // preference page -> its container
    UM_FRAME_REPAINT = 0x42E,         // frame: repaint the main view
};

// One user message as a Qt event. Receivers handle it in event() and may set
// a result for the sender of a sent message.
class UserMessageEvent : public QEvent
{
public:
    UserMessageEvent(int message, qintptr wParam, qintptr lParam);

    static QEvent::Type EventType();

    int message;
    qintptr wParam;
    qintptr lParam;
    qintptr result = 0;
};

// Queues the message for target; it runs after the current event.
void PostUserMessage(QObject* target, int message, qintptr wParam = 0, qintptr lParam = 0);
// Delivers the message to target at once and returns its result.
qintptr SendUserMessage(QObject* target, int message, qintptr wParam = 0, qintptr lParam = 0);
