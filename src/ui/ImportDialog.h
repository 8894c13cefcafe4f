#pragma once

#include "ui/AppContext.h"

#include <QDialog>
#include <functional>

class QLineEdit;

// Asks for the master passwords a transfer file was exported under and the file's path, then
// imports its entries. Closes after a successful import or on Cancel.
class ImportDialog : public QDialog
{
    Q_OBJECT

public:
    // reloadList refills the entry list once entries were appended.
    ImportDialog(AppContext &context, std::function<void()> reloadList, QWidget *parent = nullptr);

private:
    void importFile();
    void browse();

    AppContext &m_context;
    std::function<void()> m_reloadList;
    QLineEdit *m_master1 = nullptr;
    QLineEdit *m_master2 = nullptr;
    QLineEdit *m_path = nullptr;
};
