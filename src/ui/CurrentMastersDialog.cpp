#include "ui/CurrentMastersDialog.h"

#include "master/MasterPasswords.h"
#include "platform/Ui.h"
#include "ui/CapsLockWatch.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CurrentMastersDialog::CurrentMastersDialog(Ui &ui, const QByteArray &held1, const QByteArray &held2,
                                           QWidget *parent)
    : QDialog(parent)
    , m_ui(ui)
    , m_held1(held1)
    , m_held2(held2)
{
    setObjectName(QStringLiteral("currentMastersDialog"));
    setWindowTitle(tr("Current Master Passwords"));
    auto *intro = new QLabel(tr("Type your current master passwords first."), this);
    auto *form = new QFormLayout;
    auto *capsLock = new QLabel(this);
    auto *watch = new CapsLockWatch(capsLock);
    const std::pair<QLineEdit **, const char *> boxes[] = {{&m_master1, "current1"},
                                                           {&m_master2, "current2"}};
    for (int i = 0; i < 2; ++i) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(boxes[i].second));
        box->setEchoMode(QLineEdit::Password);
        box->setAccessibleName(tr("Current master %1").arg(i + 1));
        auto *label = new QLabel(tr("Current master &%1:").arg(i + 1), this);
        label->setBuddy(box);
        form->addRow(label, box);
        watch->watch(box);
        *boxes[i].first = box;
    }
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(ok, &QPushButton::clicked, this, &CurrentMastersDialog::check);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(capsLock);
    layout->addWidget(buttons);
    m_master1->setFocus();
}

QString CurrentMastersDialog::master1() const
{
    return m_master1->text();
}

QString CurrentMastersDialog::master2() const
{
    return m_master2->text();
}

void CurrentMastersDialog::check()
{
    if (LoginMatches(m_master1->text(), m_master2->text(), m_held1, m_held2)) {
        accept();
        return;
    }
    m_ui.message(QStringLiteral("Invalid Password(s), try again!"), windowTitle());
    m_master1->clear();
    m_master2->clear();
    m_master1->setFocus();
}
