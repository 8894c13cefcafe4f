#pragma once

#include "ui/AppContext.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

// The master login. exec() ends with one of the Outcome values.
class LoginDialog : public QDialog
{
    Q_OBJECT

public:
    enum Outcome { Cancelled = 0, LoggedIn = 1, ProgramEnds = 2 };

    explicit LoginDialog(AppContext &context, QWidget *parent = nullptr);

    bool LoginOK() const { return m_loginOK; }

private:
    void logIn();
    void resetMasters();

    AppContext &m_context;
    QLineEdit *m_master1 = nullptr;
    QLineEdit *m_master2 = nullptr;
    QCheckBox *m_show = nullptr;
    QByteArray m_stored1;
    QByteArray m_stored2;
    bool m_loginOK = false;
};
