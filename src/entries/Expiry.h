#pragma once

#include "entries/LoginRecord.h"

#include <QString>

// "Never", or the moment the password should be changed in the general date text.
QString ExpiryText(const LoginRecord &record);
// "yyyyMMdd" of that moment; "25000101" for a password that never expires.
QString ExpirySortKey(const LoginRecord &record);
