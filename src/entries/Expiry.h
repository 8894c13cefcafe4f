#pragma once

#include "entries/LoginRecord.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <utility>

// Start plus days, as a date and a time of day apart: no time-zone work, which a list of
// thousands of entries would feel. An invalid date for a start no calendar holds.
std::pair<QDate, QTime> ExpiryMoment(const LoginRecord &record);
// "Never", or the moment the password should be changed in the general date text.
QString ExpiryText(const LoginRecord &record);
// "yyyyMMdd" of that moment; "25000101" for a password that never expires.
QString ExpirySortKey(const LoginRecord &record);
