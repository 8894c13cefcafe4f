#pragma once

#include <QList>
#include <QPair>
#include <QString>

// What the file vault window hands the engine for one run.
struct VaultRun
{
    QString folder;
    // The file list in list order: name without folder, and whether it is selected.
    QList<QPair<QString, bool>> files;
    // The password box exactly as typed; not read when useMasterPasswords.
    QString password;
    bool useMasterPasswords = false;
    bool addPassword = false;
};

// What the engine drives in the file vault window while it runs.
class VaultView
{
public:
    virtual ~VaultView() = default;
    virtual void setStatus(const QString &text) = 0;
    // 0 to 100.
    virtual void setProgress(int value) = 0;
    // The encrypt, decrypt and close buttons together.
    virtual void setButtonsEnabled(bool enabled) = 0;
};
