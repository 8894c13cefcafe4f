#pragma once

#include <QDateTime>
#include <QString>

// One activity event: a text of exactly 45 characters and the moment it happened.
struct LogRecord
{
    static constexpr int TextWidth = 45;

    QString Text;
    QDateTime When;

    // Cuts a longer text to its first 45 characters and pads a shorter one with blanks.
    static QString fit(const QString &text);
    static LogRecord make(const QString &text, const QDateTime &when);
};
