#pragma once

#include "platform/Ui.h"

class QWidget;

// Message boxes, prompts and file dialogs over the active window, titled "Pellora".
class QtUi : public Ui
{
public:
    void message(const QString &text, const QString &title = {}) override;
    bool ask(const QString &text, const QString &title = {}) override;
    bool askDefaultNo(const QString &text, const QString &title = {}) override;
    QString prompt(const QString &text, const QString &title = {}) override;
    QString openFileName(const QString &title, const QString &filter,
                         const QString &initialName) override;
    QString saveFileName(const QString &title, const QString &filter, const QString &initialName,
                         const QString &defaultSuffix = {}) override;
    void pushBusy() override;
    void popBusy() override;

    // "Label (*.ext)|*.ext|..." to Qt's "Label (*.ext);;...".
    static QString qtFilter(const QString &filter);
    // Where a file dialog opens for a given initial name: the start folder for a pattern or no
    // name, the name in the start folder for a bare name or one in the program's own folders.
    static QString startName(const QString &initialName);
};

inline constexpr char kAppTitle[] = "Pellora";
