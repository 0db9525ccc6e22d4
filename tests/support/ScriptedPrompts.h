#pragma once

#include "storage/UserPrompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>

// Answers the program's questions from a script and records what was asked.
// An unscripted question fails the test (it returns Cancel or false and is
// recorded in Unexpected).
class ScriptedPrompts : public UserPrompts
{
public:
    struct Shown
    {
        QString text;
        QString caption;
        int buttons = 0;
        Icon icon = NoIcon;
    };

    // Replies, consumed in order by the matching call.
    std::deque<Button> messageReplies;
    std::deque<std::pair<bool, QString>> passwordReplies;    // confirmed?, text
    std::deque<std::pair<bool, QString>> newPasswordReplies; // confirmed?, text
    std::deque<std::pair<bool, QString>> fileReplies;        // confirmed?, path

    // What happened.
    QList<Shown> messages;
    QStringList passwordPrompts;
    int newPasswordDialogs = 0;
    struct FileRequest
    {
        FileKind kind;
        bool forSaving;
        QString folder;
        QString name;
    };
    QList<FileRequest> fileRequests;
    QStringList unexpected;
    int waitDepth = 0;
    int maxWaitDepth = 0;

    Button ShowMessage(const QString& text, const QString& caption, int buttons, Icon icon) override
    {
        messages.append({text, caption, buttons, icon});
        if (buttons == OkOnly) {
            if (!messageReplies.empty() && messageReplies.front() == Ok)
                messageReplies.pop_front();
            return Ok;
        }
        if (messageReplies.empty()) {
            unexpected << QStringLiteral("message: ") + text;
            return Cancel;
        }
        const Button reply = messageReplies.front();
        messageReplies.pop_front();
        return reply;
    }

    bool AskPassword(const QString& prompt, QString& password) override
    {
        passwordPrompts << prompt;
        if (passwordReplies.empty()) {
            unexpected << QStringLiteral("password: ") + prompt;
            return false;
        }
        auto [ok, text] = passwordReplies.front();
        passwordReplies.pop_front();
        if (ok)
            password = text;
        return ok;
    }

    bool AskNewPassword(QString& password) override
    {
        ++newPasswordDialogs;
        if (newPasswordReplies.empty()) {
            unexpected << QStringLiteral("new password");
            return false;
        }
        auto [ok, text] = newPasswordReplies.front();
        newPasswordReplies.pop_front();
        if (ok)
            password = text;
        return ok;
    }

    bool PickFile(FileKind kind, bool forSaving, const QString& folder, const QString& name,
                  QString& chosenPath) override
    {
        fileRequests.append({kind, forSaving, folder, name});
        if (fileReplies.empty()) {
            unexpected << QStringLiteral("file picker");
            return false;
        }
        auto [ok, path] = fileReplies.front();
        fileReplies.pop_front();
        if (ok)
            chosenPath = path;
        return ok;
    }

    void BeginWait() override
    {
        ++waitDepth;
        maxWaitDepth = std::max(maxWaitDepth, waitDepth);
    }
    void EndWait() override { --waitDepth; }
};
