#include "ui/LoginDialog.h"

#include "app/AppState.h"
#include "app/Settings.h"
#include "master/MasterPasswords.h"
#include "master/ResetPasswords.h"
#include "platform/ClassicError.h"
#include "platform/Ui.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

LoginDialog::LoginDialog(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("loginDialog"));
    setWindowTitle(QStringLiteral("Login"));
    auto *form = new QFormLayout;
    m_master1 = new QLineEdit(this);
    m_master1->setObjectName(QStringLiteral("master1"));
    m_master1->setAccessibleName(QStringLiteral("First Master Password"));
    m_master2 = new QLineEdit(this);
    m_master2->setObjectName(QStringLiteral("master2"));
    m_master2->setAccessibleName(QStringLiteral("Second Master Password"));
    auto *label1 = new QLabel(QStringLiteral("&First Master Password:"), this);
    auto *label2 = new QLabel(QStringLiteral("&Second Master Password"), this);
    label1->setBuddy(m_master1);
    label2->setBuddy(m_master2);
    form->addRow(label1, m_master1);
    form->addRow(label2, m_master2);
    m_show = new QCheckBox(QStringLiteral("Sh&ow Passwords"), this);
    m_show->setObjectName(QStringLiteral("showPassword"));
    form->addRow(QString(), m_show);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    QPushButton *cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    QPushButton *reset =
        buttons->addButton(QStringLiteral("&Reset Passwords"), QDialogButtonBox::DestructiveRole);
    reset->setObjectName(QStringLiteral("resetMastersButton"));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(ok, &QPushButton::clicked, this, &LoginDialog::logIn);
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_loginOK = false;
        done(Cancelled);
    });
    connect(reset, &QPushButton::clicked, this, &LoginDialog::resetMasters);
    connect(m_show, &QCheckBox::toggled, this, [this](bool shown) {
        const auto mode = shown ? QLineEdit::Normal : QLineEdit::Password;
        m_master1->setEchoMode(mode);
        m_master2->setEchoMode(mode);
    });

    BusyPointer busy(m_context.ui);
    m_master1->setEchoMode(QLineEdit::Password);
    m_master2->setEchoMode(QLineEdit::Password);
    try {
        m_stored1 = m_context.settings.getBytes(Setting::Master1);
        m_stored2 = m_context.settings.getBytes(Setting::Master2);
    } catch (const ClassicError &e) {
        m_context.ui.message(QStringLiteral("An error has occurred loading the login form ") +
                             e.text());
    }
    m_context.state.FirstRun = !MastersExist(m_stored1);
    m_master1->setFocus();
}

void LoginDialog::logIn()
{
    BusyPointer busy(m_context.ui);
    if (LoginMatches(m_master1->text(), m_master2->text(), m_stored1, m_stored2)) {
        m_loginOK = true;
        done(LoggedIn);
        return;
    }
    m_context.ui.message(QStringLiteral("Invalid Password(s), try again!"),
                         QStringLiteral("Login"));
    m_master1->clear();
    m_master2->clear();
    m_master1->setFocus();
}

void LoginDialog::resetMasters()
{
    if (!m_context.ui.askDefaultNo(QString::fromLatin1(kResetPasswordsQuestion)))
        return;
    ResetPasswords(m_context.settings, m_context.state.LoginFile, m_context.state.LogFile);
    m_loginOK = false;
    done(ProgramEnds);
}
