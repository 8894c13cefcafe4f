#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>

// A file-name pattern as typed in a selection box: one or more wildcards separated by ";", where
// "*" stands for any run of characters and "?" for one. Letter case is ignored. A wildcard
// ending in ".*" also takes names without that dot, so "*.*" takes every file and "notes.*" takes
// "notes". An empty pattern takes every file.
class FilePattern
{
public:
    explicit FilePattern(const QString &typed);
    bool matches(const QString &name) const;

private:
    QList<QRegularExpression> m_wildcards;
};
