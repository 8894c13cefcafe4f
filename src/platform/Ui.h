#pragma once

#include <QString>

// What the core asks of the user interface. Windows get a Qt implementation; tests a fake that
// records every message and answers from a script.
class Ui
{
public:
    virtual ~Ui() = default;

    // A message box with only an OK button; an empty title means the application title.
    virtual void message(const QString &text, const QString &title = {}) = 0;
    // A Yes/No question; true for Yes.
    virtual bool ask(const QString &text, const QString &title = {}) = 0;
    // The same for a question whose Yes cannot be undone: No is what Enter answers.
    virtual bool askDefaultNo(const QString &text, const QString &title = {})
    {
        return ask(text, title);
    }
    // A modal text prompt; empty when cancelled.
    virtual QString prompt(const QString &text, const QString &title = {}) = 0;
    // File dialogs; the filter is "Label (*.ext)|*.ext". Empty when cancelled.
    virtual QString openFileName(const QString &title, const QString &filter,
                                 const QString &initialName) = 0;
    virtual QString saveFileName(const QString &title, const QString &filter,
                                 const QString &initialName, const QString &defaultSuffix = {}) = 0;
    // Busy pointer; calls nest, and each push is matched by one pop.
    virtual void pushBusy() = 0;
    virtual void popBusy() = 0;
};

// Shows the busy pointer for its lifetime, so every return path restores the normal one.
class BusyPointer
{
public:
    explicit BusyPointer(Ui &ui)
        : m_ui(ui)
    {
        m_ui.pushBusy();
    }
    ~BusyPointer() { m_ui.popBusy(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;

private:
    Ui &m_ui;
};
