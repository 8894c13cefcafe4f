#include "ui/frmLogins.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "entries/EditorLogic.h"
#include "entries/LoginStore.h"
#include "entries/LoginValidation.h"
#include "log/LogEvents.h"
#include "log/WriteLog.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "platform/Ui.h"
#include "platform/VbError.h"
#include "ui/TabShortcuts.h"
#include "ui/frmHelp.h"
#include "ui/frmMain.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {
const QString kUpdateMode = QStringLiteral("UPDATE");
const QString kAddMode = QStringLiteral("ADD");

// Writes only a changed text, so an unchanged box raises no change event.
void setTextIfChanged(QLineEdit *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
}
} // namespace

frmLogins::frmLogins(frmMain &main)
    : QDialog(&main)
    , m_main(main)
{
    setObjectName(QStringLiteral("frmLogins"));
    setWindowTitle(QStringLiteral("Logins"));

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("tbsPassword"));
    m_tabs->setExpanding(false);
    m_panels = new QStackedWidget(this);
    const QStringList captions{QStringLiteral("Password"), QStringLiteral("Expiry"),
                               QStringLiteral("Validation")};
    for (int i = 0; i < 3; ++i) {
        m_tabs->addTab(captions[i]);
        auto *panel = new QWidget(m_panels);
        panel->setObjectName(QStringLiteral("picLogins%1").arg(i));
        // The help viewer finds a control's topic on its panel.
        panel->setProperty("helpTopic", kHelpTopics[size_t(i)]);
        m_panels->addWidget(panel);
    }
    buildPasswordPanel(m_panels->widget(0));
    buildExpiryPanel(m_panels->widget(1));
    buildValidationPanel(m_panels->widget(2));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_panels);
    layout->addLayout(buildButtons());
    connectEvents();
    m_txtLoginDesc->setFocus();
}

void frmLogins::connectEvents()
{
    connect(m_tabs, &QTabBar::currentChanged, this, &frmLogins::tbsPassword_Click);
    connect(m_txtLoginDesc, &QLineEdit::textChanged, this,
            [this] { applyTypingRule(m_txtLoginDesc, EditorField::Description); });
    connect(m_txtLogin, &QLineEdit::textChanged, this,
            [this] { applyTypingRule(m_txtLogin, EditorField::Login); });
    connect(m_txtPassword, &QLineEdit::textChanged, this,
            [this] { applyTypingRule(m_txtPassword, EditorField::Password); });
    connect(m_txtExpireDays, &QLineEdit::textChanged, this, &frmLogins::txtExpireDays_Change);
    connect(m_Check1, &QCheckBox::toggled, this, &frmLogins::Check1_Click);
    connect(m_Command1, &QPushButton::clicked, this, &frmLogins::Command1_Click);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmLogins::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmLogins::cmdCancel_Click);
    AddTabShortcuts(this, [this](int by) {
        const int n = m_tabs->count();
        m_tabs->setCurrentIndex((m_tabs->currentIndex() + by + n) % n);
    });
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { ShowHelpTopic(this, helpTopic()); });
}

void frmLogins::Form_Load()
{
    BusyPointer busy(m_main.context().ui);
    if (m_main.context().state.EditMode == kAddMode)
        setInput(NewEntryInput());
    m_txtPassword->setEchoMode(QLineEdit::Password);
}

void frmLogins::showEntry(qint16 loginId, const LoginEditorInput &input)
{
    m_txtLoginID->setText(QString::number(loginId));
    setInput(input);
    if (const auto next =
            NextChangeText(input.expireStart, input.expireDays, NextChangeRule::OnLoad))
        m_lblChangeBefore->setText(*next);
}

LoginEditorInput frmLogins::input() const
{
    LoginEditorInput in;
    in.description = m_txtLoginDesc->text();
    in.login = m_txtLogin->text();
    in.password = m_txtPassword->text();
    in.caseSensitive = m_chkValidation[0]->isChecked();
    in.requireMix = m_chkValidation[1]->isChecked();
    in.requireSpecial = m_chkValidation[2]->isChecked();
    in.allowSpace = m_chkValidation[3]->isChecked();
    in.minLength = m_txtValLength[0]->text();
    in.maxLength = m_txtValLength[1]->text();
    in.expireDays = m_txtExpireDays->text();
    in.expireStart = m_txtExpireStart->text();
    return in;
}

// The start goes in before the days, so the days' change event sees the start it belongs to.
void frmLogins::setInput(const LoginEditorInput &in)
{
    setTextIfChanged(m_txtLoginDesc, in.description);
    setTextIfChanged(m_txtLogin, in.login);
    setTextIfChanged(m_txtPassword, in.password);
    m_chkValidation[0]->setChecked(in.caseSensitive);
    m_chkValidation[1]->setChecked(in.requireMix);
    m_chkValidation[2]->setChecked(in.requireSpecial);
    m_chkValidation[3]->setChecked(in.allowSpace);
    setTextIfChanged(m_txtValLength[0], in.minLength);
    setTextIfChanged(m_txtValLength[1], in.maxLength);
    setTextIfChanged(m_txtExpireStart, in.expireStart);
    setTextIfChanged(m_txtExpireDays, in.expireDays);
}

int frmLogins::helpTopic() const
{
    const int index = m_tabs->currentIndex();
    return index < 0 ? kHelpTopics[0] : kHelpTopics[size_t(index)];
}

void frmLogins::cmdOK_Click()
{
    AppContext &c = m_main.context();
    LoginEditorInput in = input();
    EditorControl refusedAt = EditorControl::None;
    const bool valid = frmloginsValidation(c.ui, in, c.state.PasswordTraits, &refusedAt);
    // The check's adjustments show in the editor whether or not it passed.
    setInput(in);
    if (!valid) {
        showControl(refusedAt);
        return;
    }
    if (store(in))
        accept();
}

// Brings the user to where a refused input is put right: its tab, its control.
void frmLogins::showControl(EditorControl control)
{
    const std::pair<int, QWidget *> places[] = {
        {0, nullptr},       {0, m_txtLoginDesc},     {0, m_txtLogin},
        {0, m_txtPassword}, {2, m_chkValidation[0]}, {1, m_txtExpireStart}};
    const auto [tab, widget] = places[size_t(control)];
    if (!widget)
        return;
    m_tabs->setCurrentIndex(tab);
    widget->setFocus(Qt::OtherFocusReason);
}

// Stores the checked input; false, after a message, when the editor should stay open. A store
// that failed keeps the editor open with what was typed and logs nothing: no false "Added".
bool frmLogins::store(const LoginEditorInput &validated)
{
    AppContext &c = m_main.context();
    BusyPointer busy(c.ui);
    try {
        const bool update = c.state.EditMode == kUpdateMode;
        const qint16 id = update ? Convert::CInt(m_txtLoginID->text()) : qint16(0);
        auto record = BuildLoginRecord(c.ui, validated, c.state.entryKey());
        if (!record)
            return false;
        LoginStore entries(c.state.LoginFile, c.ui, c.state.entryKey());
        const QString user = GetLoginUserName();
        if (update) {
            record->LoginID = id;
            if (!entries.updatelogin(*record))
                return false;
            m_main.refreshCurrentRow(*record);
            if (c.state.LogPwdChanges) {
                LogRecord event = LogEvents::Updated(validated.login, user, Clock::now());
                WriteLog(c.ui, c.state.logTarget(), event);
            }
            m_main.showStatus(tr("Entry %1 updated").arg(id));
        } else {
            const qint16 added = entries.Addlogin(*record);
            if (added == 0)
                return false;
            if (c.state.LogPwdChanges) {
                LogRecord event = LogEvents::Added(validated.login, user, Clock::now());
                WriteLog(c.ui, c.state.logTarget(), event);
            }
            m_main.LoadList();
            m_main.selectEntry(added);
            m_main.showStatus(tr("Entry %1 added").arg(added));
        }
        return true;
    } catch (const VbError &e) {
        c.ui.message(QStringLiteral("An error has occurred in frmLoginsOK ") + e.text());
        return false;
    }
}

void frmLogins::cmdCancel_Click()
{
    reject();
}

void frmLogins::Command1_Click()
{
    if (const auto created = CreatePasswordText(m_main.context().ui, input()))
        m_txtPassword->setText(*created);
}

void frmLogins::Check1_Click()
{
    m_txtPassword->setEchoMode(m_Check1->isChecked() ? QLineEdit::Normal : QLineEdit::Password);
}

void frmLogins::applyTypingRule(QLineEdit *box, EditorField field)
{
    QString text = box->text();
    if (CutTypedText(m_main.context().ui, field, text))
        box->setText(text);
}

void frmLogins::txtExpireDays_Change()
{
    if (const auto next = NextChangeText(m_txtExpireStart->text(), m_txtExpireDays->text(),
                                         NextChangeRule::WhileTyping))
        m_lblChangeBefore->setText(*next);
}

void frmLogins::tbsPassword_Click(int index)
{
    m_panels->setCurrentIndex(index);
    Q_EMIT helpTopicChanged(helpTopic());
}
