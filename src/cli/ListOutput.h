#pragma once

#include <vector>

// The listing commands' output for the store records given, in list order: one line per entry
// (LoginID, description, login and expiry text, separated by tabs, without the pad blanks), or
// a JSON array of objects with the keys id, description, login and expires.
void WriteListLines(const std::vector<const char *> &rows);
void WriteListJson(const std::vector<const char *> &rows);
