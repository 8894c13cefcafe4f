#pragma once

#include <QString>

class Ui;

// Shown by the window whenever Validation returns false. The lines are joined by line feed then
// carriage return.
inline constexpr char kMasterRulesMessage[] = "Master Passwords must be:\n\r"
                                              "1) At least 8 characters each\n\r"
                                              "2) Be different";

// True when the pair may become the masters: each longer than 7 characters, the two different
// (letter case counts), and each made only of characters a master can be stored in. A character
// windows-1252 cannot hold is refused with a message naming that master.
bool Validation(Ui &ui, const QString &master1, const QString &master2);

// The refusal for a master holding a character that cannot be stored; which is 1 or 2.
QString UnstorableMasterMessage(int which);
