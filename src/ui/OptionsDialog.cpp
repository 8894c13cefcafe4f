#include "ui/OptionsDialog.h"

#include "app/AppState.h"
#include "app/Settings.h"
#include "entries/RecordFile.h"
#include "master/MasterChange.h"
#include "master/MasterValidation.h"
#include "platform/ClassicError.h"
#include "platform/Convert.h"
#include "platform/Ui.h"
#include "ui/CurrentMastersDialog.h"
#include "ui/MainWindow.h"
#include "ui/StrengthLabel.h"
#include "ui/TabShortcuts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const char *const kOrderCaptions[] = {"&ID", "&Description", "&Login", "&Expiry"};
const SettingKey kOrderKeys[] = {Setting::OrderByID, Setting::OrderByDescription,
                                 Setting::OrderByLogin, Setting::OrderByExpiry};
const char *const kLoggingCaptions[] = {"Application &Startup",
                                        "&Failed Master Logins",
                                        "&Master password changes",
                                        "&Password changes",
                                        "&Export of Passwords",
                                        "File En&cryption/Decryption",
                                        "Use &NT Event Log (only for NT systems)"};
} // namespace

OptionsDialog::OptionsDialog(AppContext &context, MainWindow &main, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_main(main)
{
    setObjectName(QStringLiteral("optionsDialog"));
    setWindowTitle(QStringLiteral("Options"));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("optionTabs"));
    m_tabs->addTab(buildOptionsPage(), QStringLiteral("Options"));
    m_tabs->addTab(buildLoggingPage(), QStringLiteral("Logging"));
    connect(m_tabs, &QTabWidget::currentChanged, this, &OptionsDialog::showTab);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    QPushButton *cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    QPushButton *apply = buttons->addButton(QStringLiteral("Apply"), QDialogButtonBox::ApplyRole);
    apply->setObjectName(QStringLiteral("applyButton"));
    connect(ok, &QPushButton::clicked, this, &OptionsDialog::applyAndClose);
    connect(cancel, &QPushButton::clicked, this, &OptionsDialog::cancel);
    connect(apply, &QPushButton::clicked, this, &OptionsDialog::apply);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);

    AddTabShortcuts(this, [this](int by) {
        const int n = m_tabs->count();
        m_tabs->setCurrentIndex((m_tabs->currentIndex() + by + n) % n);
    });

    loadFromSettings();
    showTab(0);
    m_order[0]->setFocus();
}

QWidget *OptionsDialog::buildOptionsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("pageOptions"));
    auto *sort = new QGroupBox(QStringLiteral("Default Sort Options"), page);
    auto *sortLayout = new QVBoxLayout(sort);
    sortLayout->addWidget(new QLabel(QStringLiteral("Order List By:"), sort));
    for (int i = 0; i < 4; ++i) {
        m_order[i] = new QRadioButton(QString::fromLatin1(kOrderCaptions[i]), sort);
        m_order[i]->setObjectName(QStringLiteral("sortField%1").arg(i));
        sortLayout->addWidget(m_order[i]);
    }
    m_descending = new QCheckBox(QStringLiteral("Descendin&g"), sort);
    m_descending->setObjectName(QStringLiteral("descending"));
    sortLayout->addWidget(m_descending);

    auto *masters = new QGroupBox(QStringLiteral("Master Passwords"), page);
    m_masterFields = new QWidget(masters);
    m_masterFields->setObjectName(QStringLiteral("masterFields"));
    auto *form = new QFormLayout(m_masterFields);
    form->setContentsMargins(0, 0, 0, 0);
    m_master1 = new QLineEdit(m_masterFields);
    m_master1->setObjectName(QStringLiteral("master1"));
    m_master1->setAccessibleName(QStringLiteral("Master 1"));
    m_master2 = new QLineEdit(m_masterFields);
    m_master2->setObjectName(QStringLiteral("master2"));
    m_master2->setAccessibleName(QStringLiteral("Master 2"));
    auto *label1 = new QLabel(QStringLiteral("Master &1"), m_masterFields);
    auto *label2 = new QLabel(QStringLiteral("Master &2"), m_masterFields);
    label1->setBuddy(m_master1);
    label2->setBuddy(m_master2);
    form->addRow(label1, m_master1);
    form->addRow(QString(),
                 new StrengthLabel(m_master1, QStringLiteral("strength1"), m_masterFields));
    form->addRow(label2, m_master2);
    form->addRow(QString(),
                 new StrengthLabel(m_master2, QStringLiteral("strength2"), m_masterFields));
    m_show = new QCheckBox(QStringLiteral("Show Pass&word"), m_masterFields);
    m_show->setObjectName(QStringLiteral("showPassword"));
    form->addRow(QString(), m_show);
    // Nothing of the masters shows until the current ones are typed.
    m_masterFields->setEnabled(false);
    m_changeMasters = new QPushButton(QStringLiteral("C&hange Master Passwords..."), masters);
    m_changeMasters->setObjectName(QStringLiteral("changeMastersButton"));
    m_changeMasters->setAutoDefault(false);
    connect(m_changeMasters, &QPushButton::clicked, this, &OptionsDialog::unlockMasters);
    auto *mastersLayout = new QVBoxLayout(masters);
    mastersLayout->addWidget(m_masterFields);
    mastersLayout->addWidget(m_changeMasters, 0, Qt::AlignLeft);
    connect(m_master1, &QLineEdit::textEdited, this, [this] { m_changed = true; });
    connect(m_master2, &QLineEdit::textEdited, this, [this] { m_changed = true; });
    connect(m_show, &QCheckBox::toggled, this, [this](bool shown) {
        const auto mode = shown ? QLineEdit::Normal : QLineEdit::Password;
        m_master1->setEchoMode(mode);
        m_master2->setEchoMode(mode);
    });

    auto *clipboard = new QGroupBox(QStringLiteral("Clipboard"), page);
    auto *clipboardForm = new QFormLayout(clipboard);
    m_clearClipboard = new QSpinBox(clipboard);
    m_clearClipboard->setObjectName(QStringLiteral("clearClipboard"));
    m_clearClipboard->setRange(0, 3600);
    m_clearClipboard->setSuffix(QStringLiteral(" s"));
    m_clearClipboard->setSpecialValueText(QStringLiteral("never"));
    auto *clipboardLabel =
        new QLabel(QStringLiteral("&Clear a copied password or login after:"), clipboard);
    clipboardLabel->setBuddy(m_clearClipboard);
    clipboardForm->addRow(clipboardLabel, m_clearClipboard);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(sort);
    layout->addWidget(masters);
    layout->addWidget(clipboard);
    return page;
}

QWidget *OptionsDialog::buildLoggingPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("pageLogging"));
    auto *frame = new QGroupBox(QStringLiteral("Logging"), page);
    auto *frameLayout = new QVBoxLayout(frame);
    for (int i = 0; i < 7; ++i) {
        m_logging[i] = new QCheckBox(QString::fromLatin1(kLoggingCaptions[i]), frame);
        m_logging[i]->setObjectName(QStringLiteral("logEvent%1").arg(i));
        frameLayout->addWidget(m_logging[i]);
    }
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(frame);
    return page;
}

void OptionsDialog::showTab(int index)
{
    for (int i = 0; i < m_tabs->count(); ++i)
        m_tabs->widget(i)->setEnabled(i == index);
}

void OptionsDialog::loadFromSettings()
{
    BusyPointer busy(m_context.ui);
    const Settings &s = m_context.settings;
    try {
        for (int i = 0; i < 4; ++i) {
            if (s.getBool(kOrderKeys[i]))
                m_order[i]->setChecked(true);
        }
        m_descending->setChecked(s.getLong(Setting::OrderDirection) != 0);
        for (int i = 0; i < 7; ++i)
            m_logging[i]->setChecked(s.getLong(Setting::LogFlags[i]) != 0);
        m_clearClipboard->setValue(s.getLong(Setting::ClearClipboardSeconds));
    } catch (const ClassicError &e) {
        m_context.ui.message(QStringLiteral("An error has occurred in frmOptionsLoad ") + e.text());
    }
    m_master1->setEchoMode(QLineEdit::Password);
    m_master2->setEchoMode(QLineEdit::Password);
}

bool OptionsDialog::unlockMasters()
{
    const AppState &state = m_context.state;
    CurrentMastersDialog current(m_context.ui, state.ActiveMaster1, state.ActiveMaster2, this);
    if (current.exec() != QDialog::Accepted)
        return false;
    if (!m_context.ui.ask(QString::fromLatin1(kMasterChangeWarning)))
        return false;
    m_master1->setText(current.master1());
    m_master2->setText(current.master2());
    m_masterFields->setEnabled(true);
    m_changeMasters->setEnabled(false);
    m_unlocked = true;
    m_master1->setFocus();
    m_master1->selectAll();
    return true;
}

bool OptionsDialog::apply()
{
    BusyPointer busy(m_context.ui);
    if (m_unlocked && !Validation(m_context.ui, m_master1->text(), m_master2->text())) {
        m_context.ui.message(QString::fromLatin1(kMasterRulesMessage));
        return false;
    }
    return Apply();
}

bool OptionsDialog::Apply()
{
    AppState &state = m_context.state;
    // Locked boxes hold nothing to apply: the masters stay as they are.
    const bool changing = m_unlocked && m_changed;
    if (m_unlocked && !ApplyMasters(m_context.ui, state, m_context.settings, m_master1->text(),
                                    m_master2->text(), m_changed))
        return false;
    try {
        Settings &s = m_context.settings;
        s.save(Setting::OrderByID, Convert::BoolText(m_order[0]->isChecked()));
        s.save(Setting::OrderByDescription, Convert::BoolText(m_order[1]->isChecked()));
        s.save(Setting::OrderByLogin, Convert::BoolText(m_order[2]->isChecked()));
        s.save(Setting::OrderDirection,
               m_descending->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        s.save(Setting::OrderByExpiry, Convert::BoolText(m_order[3]->isChecked()));
        for (int i = 0; i < 7; ++i)
            s.save(Setting::LogFlags[i],
                   m_logging[i]->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        s.save(Setting::ClearClipboardSeconds, QString::number(m_clearClipboard->value()));
    } catch (const ClassicError &e) {
        m_context.ui.message(QStringLiteral("An error has occurred in frmOptionsApply ") +
                             e.text());
        return false;
    }
    bool *flags[] = {&state.LogStartup,    &state.LogMasterFailure, &state.LogMasterChange,
                     &state.LogPwdChanges, &state.LogExports,       &state.LogFileEncryption,
                     &state.UseNTEventLog};
    for (int i = 0; i < 7; ++i)
        *flags[i] = m_logging[i]->isChecked();
    m_main.loadList();
    if (changing)
        reportMasterChange();
    else
        m_main.showStatus(QStringLiteral("Options saved"));
    return true;
}

void OptionsDialog::reportMasterChange()
{
    qint64 records = 0;
    try {
        records = RecordFile(m_context.state.LoginFile, RecordFile::Mode::Read).count();
    } catch (const ClassicError &) {
    }
    m_main.showStatus(tr("Masters changed; %n entries re-encrypted", nullptr, int(records)));
}

void OptionsDialog::applyAndClose()
{
    BusyPointer busy(m_context.ui);
    // Saving again would change nothing, so a valid Apply is the second check passing.
    if (apply())
        done(Saved);
}

void OptionsDialog::cancel()
{
    done(Closed);
}

void OptionsDialog::reject()
{
    cancel();
}
