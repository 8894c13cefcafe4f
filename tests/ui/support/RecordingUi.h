#pragma once

#include "FakeUi.h"

// A FakeUi that also remembers how each file dialog was asked for.
class RecordingUi : public FakeUi
{
public:
    struct FileDialog
    {
        QString kind; // "open" or "save"
        QString title;
        QString filter;
        QString initialName;
        QString defaultSuffix;
    };
    QList<FileDialog> fileDialogs;

    QString openFileName(const QString &title, const QString &filter,
                         const QString &initialName) override
    {
        fileDialogs.append({QStringLiteral("open"), title, filter, initialName, {}});
        return FakeUi::openFileName(title, filter, initialName);
    }
    QString saveFileName(const QString &title, const QString &filter, const QString &initialName,
                         const QString &defaultSuffix) override
    {
        fileDialogs.append({QStringLiteral("save"), title, filter, initialName, defaultSuffix});
        return FakeUi::saveFileName(title, filter, initialName, defaultSuffix);
    }
};
