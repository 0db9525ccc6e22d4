#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QStringList>

#include <type_traits>

// Records the reports a test watches, in the order they arrive, as text:
// "MonthChosen(2,1068) Clicked(1068)". A watch connects like the owner it
// stands for: queued for a posted report, directly for a sent one.
class SignalLog : public QObject
{
public:
    template <class Sender, class Base, class... Args>
    void Watch(const Sender* sender, void (Base::*signal)(Args...), const QString& name,
               Qt::ConnectionType type = Qt::QueuedConnection)
    {
        connect(
            sender, signal, this,
            [this, name](Args... args) {
                QStringList values;
                (values.append(Text(args)), ...);
                entries << name + u'(' + values.join(u',') + u')';
            },
            type);
    }

    // Delivers the posted reports (and those they post in turn) and hands
    // over everything recorded, oldest first, separated by blanks.
    QString Take()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
        const QString all = entries.join(u' ');
        entries.clear();
        return all;
    }

    QStringList entries;

private:
    template <class T>
    static QString Text(const T& value)
    {
        if constexpr (std::is_enum_v<T>)
            return QString::number(qint64(value));
        else if constexpr (std::is_same_v<T, bool>)
            return value ? QStringLiteral("true") : QStringLiteral("false");
        else if constexpr (std::is_integral_v<T>)
            return QString::number(value);
        else
            return value;
    }
};
