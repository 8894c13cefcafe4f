#pragma once

#include "ui/AppContext.h"

#include <QDialog>

class QLineEdit;

// Shown instead of the first-run set-up when the store holds entries but no master passwords
// are stored: asks for the masters the store was made with, or sets the store aside. exec()
// ends with one of the Outcome values; the program ends on ProgramEnds and nothing changed.
class StoreMastersDialog : public QDialog
{
    Q_OBJECT

public:
    enum Outcome { ProgramEnds = 0, MastersStored = 1, StoreSetAside = 2 };

    StoreMastersDialog(AppContext &context, int entries, QWidget *parent = nullptr);

private:
    void confirm();
    void setAside();

    AppContext &m_context;
    QLineEdit *m_master1 = nullptr;
    QLineEdit *m_master2 = nullptr;
};
