#pragma once

#include "cli/CommandLine.h"

#include <span>

// Every command of the program, in the order the help lists them.
std::span<const CommandSpec> Commands();
const CommandSpec *FindCommand(const QString &name);
