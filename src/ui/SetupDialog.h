#pragma once

#include "ui/AppContext.h"

#include <QDialog>

class QLineEdit;
class MainWindow;

// The first run's set-up: the two master passwords, each typed twice. exec() ends with Saved
// once they are stored, or ProgramEnds when the user chose to quit.
class SetupDialog : public QDialog
{
    Q_OBJECT

public:
    enum Outcome { ProgramEnds = 0, Saved = 1 };

    SetupDialog(AppContext &context, MainWindow &main, QWidget *parent = nullptr);

    // Checks the four boxes and stores the masters; false, after a message, when refused.
    bool save();
    // Escape and the close box ask before quitting.
    void reject() override;

private:
    QLineEdit *addMasterBox(const QString &name, const QString &accessibleName);

    AppContext &m_context;
    MainWindow &m_main;
    QLineEdit *m_master1 = nullptr;
    QLineEdit *m_repeat1 = nullptr;
    QLineEdit *m_master2 = nullptr;
    QLineEdit *m_repeat2 = nullptr;
};

inline constexpr char kQuitSetupQuestion[] =
    "Quit Pellora without setting the master passwords?\r\n\r\nNothing is saved; Pellora asks "
    "for them again at the next start.";
