#pragma once

#include "entries/LoginRecord.h"

#include <optional>

struct CommandContext;

// The live entry with that LoginID, read as the window program reads an entry. nullopt after a
// message when there is none or the store cannot be read.
std::optional<LoginRecord> FindLiveEntry(CommandContext &c, qint16 loginId);
