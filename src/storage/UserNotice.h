#pragma once

#include <QString>

#include <functional>

// A message the core library has to show the user outside the numbered-error
// flow (a cipher called with an impossible key length). The core cannot open
// a message box itself: the desktop program installs a handler that shows one,
// the command-line tool and the tests print or record the text.
class UserNotice
{
public:
    using Handler = std::function<void(const QString& text)>;

    // Hands the text to the installed handler; without one it goes to stderr.
    static void Show(const QString& text);
    // Replaces the handler; an empty handler restores printing to stderr.
    // Returns the previous handler, so a test can put it back.
    static Handler SetHandler(Handler handler);
};
