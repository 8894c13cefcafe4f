#pragma once

#include "platform/Ui.h"

#include <QQueue>
#include <QStringList>

// Records every message and answers questions, prompts and file dialogs from a script.
class FakeUi : public Ui
{
public:
    struct Shown
    {
        QString text;
        QString title;
    };

    QList<Shown> shown;         // messages, in order
    QStringList asked;          // questions, in order
    QStringList askedDefaultNo; // the questions among them whose default is No
    QQueue<bool> answers;       // Yes/No answers; No when empty
    QQueue<QString> replies;    // prompt and file dialog answers; empty when none left
    int busyDepth = 0;
    int busyPushes = 0;

    void message(const QString &text, const QString &title = {}) override
    {
        shown.append({text, title});
    }
    bool ask(const QString &text, const QString &) override
    {
        asked.append(text);
        return answers.isEmpty() ? false : answers.dequeue();
    }
    bool askDefaultNo(const QString &text, const QString &title) override
    {
        askedDefaultNo.append(text);
        return ask(text, title);
    }
    QString prompt(const QString &, const QString &) override { return reply(); }
    QString openFileName(const QString &, const QString &, const QString &) override
    {
        return reply();
    }
    QString saveFileName(const QString &, const QString &, const QString &,
                         const QString &) override
    {
        return reply();
    }
    QString reply() { return replies.isEmpty() ? QString() : replies.dequeue(); }
    void pushBusy() override { ++busyDepth, ++busyPushes; }
    void popBusy() override { --busyDepth; }

    QString lastMessage() const { return shown.isEmpty() ? QString() : shown.last().text; }
    QStringList messages() const
    {
        QStringList out;
        for (const Shown &s : shown)
            out << s.text;
        return out;
    }
};
