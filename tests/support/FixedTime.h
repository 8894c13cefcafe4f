#pragma once

#include "platform/Clock.h"

#include <QLocale>

// United States dates and times, and the clock stopped at 1 March 2024 10:00.
struct FixedTime
{
    static inline const QDateTime Now{QDate(2024, 3, 1), QTime(10, 0)};

    FixedTime()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Clock::fix(Now);
    }
    ~FixedTime()
    {
        Clock::fix(std::nullopt);
        QLocale::setDefault(QLocale::c());
    }
    FixedTime(const FixedTime &) = delete;
    FixedTime &operator=(const FixedTime &) = delete;
};
