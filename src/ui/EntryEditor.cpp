#include "ui/EntryEditor.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "entries/EditorLogic.h"
#include "entries/EntryStore.h"
#include "entries/LoginValidation.h"
#include "log/LogEvents.h"
#include "log/WriteLog.h"
#include "platform/ClassicError.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "platform/Ui.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/TabShortcuts.h"

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

EntryEditor::EntryEditor(MainWindow &main)
    : QDialog(&main)
    , m_main(main)
{
    setObjectName(QStringLiteral("entryEditor"));
    setWindowTitle(QStringLiteral("Logins"));

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("editorTabs"));
    m_tabs->setExpanding(false);
    m_panels = new QStackedWidget(this);
    const QStringList captions{QStringLiteral("Password"), QStringLiteral("Expiry"),
                               QStringLiteral("Validation")};
    for (int i = 0; i < 3; ++i) {
        m_tabs->addTab(captions[i]);
        auto *panel = new QWidget(m_panels);
        panel->setObjectName(QStringLiteral("editorPanel%1").arg(i));
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
    m_description->setFocus();
}

void EntryEditor::connectEvents()
{
    connect(m_tabs, &QTabBar::currentChanged, this, &EntryEditor::showPanel);
    connect(m_description, &QLineEdit::textChanged, this,
            [this] { applyTypingRule(m_description, EditorField::Description); });
    connect(m_login, &QLineEdit::textChanged, this,
            [this] { applyTypingRule(m_login, EditorField::Login); });
    connect(m_password, &QLineEdit::textChanged, this,
            [this] { applyTypingRule(m_password, EditorField::Password); });
    connect(m_expireDays, &QLineEdit::textChanged, this, &EntryEditor::expireDaysChanged);
    connect(m_showPassword, &QCheckBox::toggled, this, &EntryEditor::showPasswordToggled);
    connect(m_createButton, &QPushButton::clicked, this, &EntryEditor::generatePassword);
    connect(m_okButton, &QPushButton::clicked, this, &EntryEditor::saveEntry);
    connect(m_cancelButton, &QPushButton::clicked, this, &EntryEditor::cancelEdit);
    AddTabShortcuts(this, [this](int by) {
        const int n = m_tabs->count();
        m_tabs->setCurrentIndex((m_tabs->currentIndex() + by + n) % n);
    });
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { ShowHelpTopic(this, helpTopic()); });
}

void EntryEditor::prepare()
{
    BusyPointer busy(m_main.context().ui);
    if (m_main.context().state.EditMode == kAddMode)
        setInput(NewEntryInput());
    m_password->setEchoMode(QLineEdit::Password);
}

void EntryEditor::showEntry(qint16 loginId, const LoginEditorInput &input)
{
    m_loginId->setText(QString::number(loginId));
    setInput(input);
    if (const auto next =
            NextChangeText(input.expireStart, input.expireDays, NextChangeRule::OnLoad))
        m_changeBefore->setText(*next);
}

LoginEditorInput EntryEditor::input() const
{
    LoginEditorInput in;
    in.description = m_description->text();
    in.login = m_login->text();
    in.password = m_password->text();
    in.caseSensitive = m_rules[0]->isChecked();
    in.requireMix = m_rules[1]->isChecked();
    in.requireSpecial = m_rules[2]->isChecked();
    in.allowSpace = m_rules[3]->isChecked();
    in.minLength = m_lengthLimits[0]->text();
    in.maxLength = m_lengthLimits[1]->text();
    in.expireDays = m_expireDays->text();
    in.expireStart = m_expireStart->text();
    return in;
}

// The start goes in before the days, so the days' change event sees the start it belongs to.
void EntryEditor::setInput(const LoginEditorInput &in)
{
    setTextIfChanged(m_description, in.description);
    setTextIfChanged(m_login, in.login);
    setTextIfChanged(m_password, in.password);
    m_rules[0]->setChecked(in.caseSensitive);
    m_rules[1]->setChecked(in.requireMix);
    m_rules[2]->setChecked(in.requireSpecial);
    m_rules[3]->setChecked(in.allowSpace);
    setTextIfChanged(m_lengthLimits[0], in.minLength);
    setTextIfChanged(m_lengthLimits[1], in.maxLength);
    setTextIfChanged(m_expireStart, in.expireStart);
    setTextIfChanged(m_expireDays, in.expireDays);
}

int EntryEditor::helpTopic() const
{
    const int index = m_tabs->currentIndex();
    return index < 0 ? kHelpTopics[0] : kHelpTopics[size_t(index)];
}

void EntryEditor::saveEntry()
{
    AppContext &c = m_main.context();
    LoginEditorInput in = input();
    EditorControl refusedAt = EditorControl::None;
    const bool valid = validateEntryInput(c.ui, in, c.state.PasswordTraits, &refusedAt);
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
void EntryEditor::showControl(EditorControl control)
{
    const std::pair<int, QWidget *> places[] = {{0, nullptr},    {0, m_description},
                                                {0, m_login},    {0, m_password},
                                                {2, m_rules[0]}, {1, m_expireStart}};
    const auto [tab, widget] = places[size_t(control)];
    if (!widget)
        return;
    m_tabs->setCurrentIndex(tab);
    widget->setFocus(Qt::OtherFocusReason);
}

// Stores the checked input; false, after a message, when the editor should stay open. A store
// that failed keeps the editor open with what was typed and logs nothing: no false "Added".
bool EntryEditor::store(const LoginEditorInput &validated)
{
    AppContext &c = m_main.context();
    BusyPointer busy(c.ui);
    try {
        const bool update = c.state.EditMode == kUpdateMode;
        const qint16 id = update ? Convert::CInt(m_loginId->text()) : qint16(0);
        auto record = BuildLoginRecord(c.ui, validated, c.state.entryKey());
        if (!record)
            return false;
        EntryStore entries(c.state.LoginFile, c.ui, c.state.entryKey());
        const QString user = GetLoginUserName();
        if (update) {
            record->LoginID = id;
            if (!entries.update(*record))
                return false;
            m_main.refreshCurrentRow(*record);
            if (c.state.LogPwdChanges) {
                LogRecord event = LogEvents::Updated(validated.login, user, Clock::now());
                WriteLog(c.ui, c.state.logTarget(), event);
            }
            m_main.showStatus(tr("Entry %1 updated").arg(id));
        } else {
            const qint16 added = entries.add(*record);
            if (added == 0)
                return false;
            if (c.state.LogPwdChanges) {
                LogRecord event = LogEvents::Added(validated.login, user, Clock::now());
                WriteLog(c.ui, c.state.logTarget(), event);
            }
            m_main.loadList();
            m_main.selectEntry(added);
            m_main.showStatus(tr("Entry %1 added").arg(added));
        }
        return true;
    } catch (const ClassicError &e) {
        c.ui.message(QStringLiteral("An error has occurred in frmLoginsOK ") + e.text());
        return false;
    }
}

void EntryEditor::cancelEdit()
{
    reject();
}

void EntryEditor::generatePassword()
{
    if (const auto created = CreatePasswordText(m_main.context().ui, input()))
        m_password->setText(*created);
}

void EntryEditor::showPasswordToggled()
{
    m_password->setEchoMode(m_showPassword->isChecked() ? QLineEdit::Normal : QLineEdit::Password);
}

void EntryEditor::applyTypingRule(QLineEdit *box, EditorField field)
{
    QString text = box->text();
    if (CutTypedText(m_main.context().ui, field, text))
        box->setText(text);
}

void EntryEditor::expireDaysChanged()
{
    if (const auto next = NextChangeText(m_expireStart->text(), m_expireDays->text(),
                                         NextChangeRule::WhileTyping))
        m_changeBefore->setText(*next);
}

void EntryEditor::showPanel(int index)
{
    m_panels->setCurrentIndex(index);
    Q_EMIT helpTopicChanged(helpTopic());
}
