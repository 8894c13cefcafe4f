#include "platform/Clock.h"

namespace {
std::optional<QDateTime> &fixedNow()
{
    static std::optional<QDateTime> value;
    return value;
}
} // namespace

namespace Clock {

QDateTime now()
{
    if (fixedNow())
        return *fixedNow();
    return QDateTime::currentDateTime();
}

void fix(std::optional<QDateTime> when)
{
    fixedNow() = std::move(when);
}

} // namespace Clock
