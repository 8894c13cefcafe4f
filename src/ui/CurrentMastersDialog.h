#pragma once

#include <QDialog>

class QLineEdit;
class Ui;

// Asks for the current master passwords before Options shows or changes them. Accepted only
// when both match the held values.
class CurrentMastersDialog : public QDialog
{
    Q_OBJECT

public:
    CurrentMastersDialog(Ui &ui, const QByteArray &held1, const QByteArray &held2,
                         QWidget *parent = nullptr);

    QString master1() const;
    QString master2() const;

private:
    void check();

    Ui &m_ui;
    QByteArray m_held1;
    QByteArray m_held2;
    QLineEdit *m_master1 = nullptr;
    QLineEdit *m_master2 = nullptr;
};

// Shown before the boxes open for a change.
inline constexpr char kMasterChangeWarning[] =
    "After a change, two kinds of file still need the old master passwords: files you encrypted "
    "in the file vault with \"Use master passwords\", and transfer files (.pqx) you exported "
    "before. Decrypt such files first, and note the old masters for the transfer files."
    "\r\n\r\nChange the master passwords?";
