#pragma once

#include <QDateTime>
#include <optional>

// The one place the program reads the time, so tests can fix "now".
namespace Clock {
QDateTime now();
void fix(std::optional<QDateTime> when);
} // namespace Clock
