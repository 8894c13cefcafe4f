#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Asks on the controlling terminal without echoing what is typed, the way passwords are asked
// for. The terminal's settings come back however the read ends, an interrupt included.
// nullopt when there is no terminal or it ends before a line.
std::optional<QByteArray> ReadHiddenLine(const QString &prompt);
