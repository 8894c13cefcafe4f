// The entry editor's three panels and its buttons.
#include "ui/EntryEditor.h"

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

void EntryEditor::buildPasswordPanel(QWidget *panel)
{
    m_description = makeBox(panel, QStringLiteral("description"));
    m_login = makeBox(panel, QStringLiteral("login"));
    m_password = makeBox(panel, QStringLiteral("password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setAccessibleName(QStringLiteral("Password"));
    m_showPassword = new QCheckBox(QStringLiteral("S&how password"), panel);
    m_showPassword->setObjectName(QStringLiteral("showPassword"));
    m_createButton = new QPushButton(QStringLiteral("C&reate"), panel);
    m_createButton->setObjectName(QStringLiteral("createButton"));
    m_createButton->setAutoDefault(false);
    m_loginId = makeBox(panel, QStringLiteral("loginId"));
    m_loginId->setVisible(false);

    auto *passwordRow = new QHBoxLayout;
    passwordRow->addWidget(m_password, 1);
    passwordRow->addWidget(m_createButton);

    auto *form = new QFormLayout(panel);
    form->addRow(makeLabel(panel, QStringLiteral("&Description:"), m_description), m_description);
    form->addRow(makeLabel(panel, QStringLiteral("&Login:"), m_login), m_login);
    form->addRow(makeLabel(panel, QStringLiteral("&Password:"), m_password), passwordRow);
    form->addRow(QString(), new StrengthLabel(m_password, QStringLiteral("strength"), panel));
    form->addRow(QString(), m_showPassword);
}

void EntryEditor::buildExpiryPanel(QWidget *panel)
{
    m_expireDays = makeBox(panel, QStringLiteral("expireDays"));
    m_expireStart = makeBox(panel, QStringLiteral("expireStart"));
    // Its design-time text; loading an entry replaces it.
    m_changeBefore = new QLabel(QStringLiteral("01/01/01"), panel);
    m_changeBefore->setObjectName(QStringLiteral("changeBefore"));
    m_changeBefore->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *layout = new QVBoxLayout(panel);
    auto *daysLabel =
        makeLabel(panel, QStringLiteral("How many days between password &changes (0 for never):"),
                  m_expireDays);
    daysLabel->setWordWrap(true);
    layout->addWidget(daysLabel);
    layout->addWidget(m_expireDays);
    layout->addWidget(makeLabel(panel, QStringLiteral("&Starting on:"), m_expireStart));
    layout->addWidget(m_expireStart);
    auto *nextRow = new QHBoxLayout;
    auto *nextLabel =
        makeLabel(panel, QStringLiteral("Next change required before:"), m_changeBefore);
    nextRow->addWidget(nextLabel);
    nextRow->addWidget(m_changeBefore, 1);
    layout->addLayout(nextRow);
    layout->addStretch(1);
}

void EntryEditor::buildValidationPanel(QWidget *panel)
{
    const QStringList captions{
        QStringLiteral("Case Sensi&tive"),
        QStringLiteral("Must include a &mixture of alpha AND numeric characters. eg my2345pasword"),
        QStringLiteral("Must include a &Nonstandard character(s) eg my#/?password"),
        QStringLiteral("Allow SP&ACE character"),
    };
    auto *layout = new QVBoxLayout(panel);
    for (size_t i = 0; i < m_rules.size(); ++i) {
        m_rules[i] = new QCheckBox(captions[qsizetype(i)], panel);
        m_rules[i]->setObjectName(QStringLiteral("rule%1").arg(i));
        layout->addWidget(m_rules[i]);
    }
    const QStringList lengthCaptions{QStringLiteral("M&inimum length:"),
                                     QStringLiteral("Ma&ximum length:")};
    auto *lengths = new QFormLayout;
    for (size_t i = 0; i < m_lengthLimits.size(); ++i) {
        m_lengthLimits[i] = makeBox(panel, QStringLiteral("lengthLimit%1").arg(i));
        lengths->addRow(makeLabel(panel, lengthCaptions[qsizetype(i)], m_lengthLimits[i]),
                        m_lengthLimits[i]);
    }
    layout->addLayout(lengths);
    layout->addStretch(1);
}

QLayout *EntryEditor::buildButtons()
{
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setAutoDefault(false);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_okButton);
    row->addWidget(m_cancelButton);
    return row;
}
