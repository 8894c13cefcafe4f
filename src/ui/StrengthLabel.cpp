#include "ui/StrengthLabel.h"

#include "entries/PasswordStrength.h"

#include <QLineEdit>

StrengthLabel::StrengthLabel(QLineEdit *box, const QString &objectName, QWidget *parent)
    : QLabel(parent)
{
    setObjectName(objectName);
    setTextFormat(Qt::PlainText);
    const auto follow = [this](const QString &text) { setText(PasswordStrengthText(text)); };
    connect(box, &QLineEdit::textChanged, this, follow);
    follow(box->text());
}
