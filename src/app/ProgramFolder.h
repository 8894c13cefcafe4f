#pragma once

#include <QString>

// The folder of the shipped files (pqchk, PelloraTips.txt, Pellora.hlp): the executable's own
// folder in a build tree, <prefix>/share/pellora once installed.
QString ProgramFolder();
// Lets tests and tools point the program at another folder.
void SetProgramFolder(const QString &folder);
