#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks for before any window: the version or the usage, printed on
// standard output. nullopt when the program should start as usual (Qt's own options, such as
// -platform, are left to Qt).
std::optional<QString> CommandLineAnswer(const QStringList &arguments);
