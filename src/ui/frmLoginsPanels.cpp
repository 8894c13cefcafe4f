// The entry editor's three panels and its buttons.
#include "ui/frmLogins.h"

#include "ui/StrengthLabel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLineEdit *makeBox(QWidget *panel, const QString &name)
{
    auto *box = new QLineEdit(panel);
    box->setObjectName(name);
    return box;
}

QLabel *makeLabel(QWidget *panel, const QString &caption, QWidget *buddy)
{
    auto *label = new QLabel(caption, panel);
    label->setBuddy(buddy);
    return label;
}
} // namespace

void frmLogins::buildPasswordPanel(QWidget *panel)
{
    m_txtLoginDesc = makeBox(panel, QStringLiteral("txtLoginDesc"));
    m_txtLogin = makeBox(panel, QStringLiteral("txtLogin"));
    m_txtPassword = makeBox(panel, QStringLiteral("txtPassword"));
    m_txtPassword->setEchoMode(QLineEdit::Password);
    m_txtPassword->setAccessibleName(QStringLiteral("Password"));
    m_Check1 = new QCheckBox(QStringLiteral("S&how password"), panel);
    m_Check1->setObjectName(QStringLiteral("Check1"));
    m_Command1 = new QPushButton(QStringLiteral("C&reate"), panel);
    m_Command1->setObjectName(QStringLiteral("Command1"));
    m_Command1->setAutoDefault(false);
    m_txtLoginID = makeBox(panel, QStringLiteral("txtLoginID"));
    m_txtLoginID->setVisible(false);

    auto *passwordRow = new QHBoxLayout;
    passwordRow->addWidget(m_txtPassword, 1);
    passwordRow->addWidget(m_Command1);

    auto *form = new QFormLayout(panel);
    form->addRow(makeLabel(panel, QStringLiteral("&Description:"), m_txtLoginDesc), m_txtLoginDesc);
    form->addRow(makeLabel(panel, QStringLiteral("&Login:"), m_txtLogin), m_txtLogin);
    form->addRow(makeLabel(panel, QStringLiteral("&Password:"), m_txtPassword), passwordRow);
    form->addRow(QString(), new StrengthLabel(m_txtPassword, QStringLiteral("lblStrength"), panel));
    form->addRow(QString(), m_Check1);
}

void frmLogins::buildExpiryPanel(QWidget *panel)
{
    m_txtExpireDays = makeBox(panel, QStringLiteral("txtExpireDays"));
    m_txtExpireStart = makeBox(panel, QStringLiteral("txtExpireStart"));
    // Its design-time text; loading an entry replaces it.
    m_lblChangeBefore = new QLabel(QStringLiteral("01/01/01"), panel);
    m_lblChangeBefore->setObjectName(QStringLiteral("lblChangeBefore"));
    m_lblChangeBefore->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *layout = new QVBoxLayout(panel);
    auto *daysLabel =
        makeLabel(panel, QStringLiteral("How many days between password &changes (0 for never):"),
                  m_txtExpireDays);
    daysLabel->setWordWrap(true);
    layout->addWidget(daysLabel);
    layout->addWidget(m_txtExpireDays);
    layout->addWidget(makeLabel(panel, QStringLiteral("&Starting on:"), m_txtExpireStart));
    layout->addWidget(m_txtExpireStart);
    auto *nextRow = new QHBoxLayout;
    auto *nextLabel =
        makeLabel(panel, QStringLiteral("Next change required before:"), m_lblChangeBefore);
    nextRow->addWidget(nextLabel);
    nextRow->addWidget(m_lblChangeBefore, 1);
    layout->addLayout(nextRow);
    layout->addStretch(1);
}

void frmLogins::buildValidationPanel(QWidget *panel)
{
    const QStringList captions{
        QStringLiteral("Case Sensi&tive"),
        QStringLiteral("Must include a &mixture of alpha AND numeric characters. eg my2345pasword"),
        QStringLiteral("Must include a &Nonstandard character(s) eg my#/?password"),
        QStringLiteral("Allow SP&ACE character"),
    };
    auto *layout = new QVBoxLayout(panel);
    for (size_t i = 0; i < m_chkValidation.size(); ++i) {
        m_chkValidation[i] = new QCheckBox(captions[qsizetype(i)], panel);
        m_chkValidation[i]->setObjectName(QStringLiteral("chkValidation%1").arg(i));
        layout->addWidget(m_chkValidation[i]);
    }
    const QStringList lengthCaptions{QStringLiteral("M&inimum length:"),
                                     QStringLiteral("Ma&ximum length:")};
    auto *lengths = new QFormLayout;
    for (size_t i = 0; i < m_txtValLength.size(); ++i) {
        m_txtValLength[i] = makeBox(panel, QStringLiteral("txtValLength%1").arg(i));
        lengths->addRow(makeLabel(panel, lengthCaptions[qsizetype(i)], m_txtValLength[i]),
                        m_txtValLength[i]);
    }
    layout->addLayout(lengths);
    layout->addStretch(1);
}

QLayout *frmLogins::buildButtons()
{
    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdCancel->setAutoDefault(false);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_cmdOK);
    row->addWidget(m_cmdCancel);
    return row;
}
