#pragma once

#include "platform/Ui.h"

// The core's messages on standard error, in the window program's own words. Questions are
// answered with the command's chosen answer (No unless a command says otherwise) and shown
// with that answer; text prompts and file dialogs are answered as if cancelled; there is no
// busy pointer.
class CliUi : public Ui
{
public:
    void message(const QString &text, const QString &title = {}) override;
    bool ask(const QString &text, const QString &title = {}) override;
    QString prompt(const QString &text, const QString &title = {}) override;
    QString openFileName(const QString &title, const QString &filter,
                         const QString &initialName) override;
    QString saveFileName(const QString &title, const QString &filter, const QString &initialName,
                         const QString &defaultSuffix = {}) override;
    void pushBusy() override {}
    void popBusy() override {}

    void setAnswer(bool yes) { m_answer = yes; }
    // How many messages have been shown so far; a command compares counts to learn whether a
    // core function it called reported a failure.
    int messageCount() const { return m_messages; }

private:
    bool m_answer = false;
    int m_messages = 0;
};
