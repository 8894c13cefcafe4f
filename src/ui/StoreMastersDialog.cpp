#include "ui/StoreMastersDialog.h"

#include "app/AppState.h"
#include "app/Settings.h"
#include "master/StoreMasters.h"
#include "platform/ClassicError.h"
#include "platform/Clock.h"
#include "platform/Ui.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

StoreMastersDialog::StoreMastersDialog(AppContext &context, int entries, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("storeMastersDialog"));
    setWindowTitle(QStringLiteral("Pellora"));
    auto *intro = new QLabel(
        QStringLiteral("Pellora found %1 entries in %2, but no master passwords. Type the two "
                       "master passwords this store was made with; nothing in it is changed.")
            .arg(entries)
            .arg(m_context.state.LoginFile),
        this);
    intro->setWordWrap(true);
    m_master1 = new QLineEdit(this);
    m_master1->setObjectName(QStringLiteral("master1"));
    m_master1->setEchoMode(QLineEdit::Password);
    m_master2 = new QLineEdit(this);
    m_master2->setObjectName(QStringLiteral("master2"));
    m_master2->setEchoMode(QLineEdit::Password);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Master &1:"), m_master1);
    form->addRow(QStringLiteral("Master &2:"), m_master2);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    QPushButton *aside = buttons->addButton(QStringLiteral("&Set the Store Aside"),
                                            QDialogButtonBox::DestructiveRole);
    aside->setObjectName(QStringLiteral("setAsideButton"));
    aside->setAutoDefault(false);
    QPushButton *quit = buttons->addButton(QStringLiteral("Quit"), QDialogButtonBox::RejectRole);
    quit->setObjectName(QStringLiteral("quitButton"));
    quit->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, &StoreMastersDialog::confirm);
    connect(aside, &QPushButton::clicked, this, &StoreMastersDialog::setAside);
    connect(quit, &QPushButton::clicked, this, [this] { done(ProgramEnds); });
    m_master1->setFocus();
}

void StoreMastersDialog::confirm()
{
    AppState &state = m_context.state;
    const auto masters = MastersOpeningStore(state.LoginFile, m_master1->text(), m_master2->text());
    if (!masters) {
        m_context.ui.message(QStringLiteral("These master passwords do not open the entries in ") +
                             state.LoginFile + QLatin1Char('.'));
        m_master1->selectAll();
        m_master1->setFocus();
        return;
    }
    try {
        m_context.settings.saveAll(
            {{Setting::Master1, masters->value1}, {Setting::Master2, masters->value2}});
    } catch (const ClassicError &e) {
        m_context.ui.message(QStringLiteral("An error has occurred in frmOptionsApply ") +
                             e.text());
        return;
    }
    state.ActiveMaster1 = masters->value1;
    state.ActiveMaster2 = masters->value2;
    state.FirstRun = false;
    done(MastersStored);
}

void StoreMastersDialog::setAside()
{
    if (!m_context.ui.ask(QStringLiteral("Set the store aside and start an empty vault? The "
                                         "store is renamed, not deleted.")))
        return;
    try {
        const QString aside = SetStoreAside(m_context.state.LoginFile, Clock::now().date());
        m_context.ui.message(QStringLiteral("The store is now ") + aside +
                             QStringLiteral(". Pellora starts with an empty vault."));
    } catch (const ClassicError &e) {
        m_context.ui.message(QStringLiteral("Pellora could not set the store aside: ") + e.text());
        return;
    }
    done(StoreSetAside);
}
