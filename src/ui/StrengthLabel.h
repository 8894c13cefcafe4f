#pragma once

#include <QLabel>

class QLineEdit;

// The strength estimate of what a password box holds, kept up to date as one types.
class StrengthLabel : public QLabel
{
    Q_OBJECT

public:
    StrengthLabel(QLineEdit *box, const QString &objectName, QWidget *parent);
};
