#include "ui/SetupDialog.h"

#include "app/AppState.h"
#include "master/MasterChange.h"
#include "master/MasterValidation.h"
#include "platform/Ui.h"
#include "ui/CapsLockWatch.h"
#include "ui/MainWindow.h"
#include "ui/StrengthLabel.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SetupDialog::SetupDialog(AppContext &context, MainWindow &main, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_main(main)
{
    setObjectName(QStringLiteral("setupDialog"));
    setWindowTitle(tr("Set Up Pellora"));

    auto *title = new QLabel(tr("Choose your two master passwords"), this);
    title->setObjectName(QStringLiteral("title"));
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    title->setFont(big);
    auto *about = new QLabel(
        tr("Together they unlock Pellora at every start and make the key your stored passwords "
           "are enciphered with. Pellora cannot recover them for you: forget either one and "
           "your entries are lost."),
        this);
    about->setObjectName(QStringLiteral("about"));
    about->setWordWrap(true);

    auto *form = new QFormLayout;
    m_master1 = addMasterBox(QStringLiteral("master1"), tr("Master 1"));
    m_repeat1 = addMasterBox(QStringLiteral("repeat1"), tr("Repeat master 1"));
    m_master2 = addMasterBox(QStringLiteral("master2"), tr("Master 2"));
    m_repeat2 = addMasterBox(QStringLiteral("repeat2"), tr("Repeat master 2"));
    const std::pair<QLineEdit *, QString> rows[] = {{m_master1, tr("Master &1:")},
                                                    {m_repeat1, tr("&Repeat master 1:")},
                                                    {m_master2, tr("Master &2:")},
                                                    {m_repeat2, tr("R&epeat master 2:")}};
    for (const auto &[box, caption] : rows) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(box);
        form->addRow(label, box);
        if (box == m_master1 || box == m_master2) {
            const QString name =
                box == m_master1 ? QStringLiteral("strength1") : QStringLiteral("strength2");
            form->addRow(QString(), new StrengthLabel(box, name, this));
        }
    }
    auto *show = new QCheckBox(tr("&Show passwords"), this);
    show->setObjectName(QStringLiteral("showPassword"));
    form->addRow(QString(), show);
    auto *capsLock = new QLabel(this);
    auto *watch = new CapsLockWatch(capsLock);
    for (QLineEdit *box : {m_master1, m_repeat1, m_master2, m_repeat2})
        watch->watch(box);
    auto *rules = new QLabel(tr("Each at least 8 characters, and the two different."), this);
    rules->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    QPushButton *quit = buttons->addButton(tr("&Quit"), QDialogButtonBox::RejectRole);
    quit->setObjectName(QStringLiteral("cancelButton"));
    connect(ok, &QPushButton::clicked, this, [this] {
        if (save())
            done(Saved);
    });
    connect(quit, &QPushButton::clicked, this, &SetupDialog::reject);
    connect(show, &QCheckBox::toggled, this, [this](bool shown) {
        for (QLineEdit *box : {m_master1, m_repeat1, m_master2, m_repeat2})
            box->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(about);
    layout->addLayout(form);
    layout->addWidget(rules);
    layout->addWidget(capsLock);
    layout->addWidget(buttons);
    setTabOrder(m_master1, m_repeat1);
    setTabOrder(m_repeat1, m_master2);
    setTabOrder(m_master2, m_repeat2);
    m_master1->setFocus();
}

QLineEdit *SetupDialog::addMasterBox(const QString &name, const QString &accessibleName)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(name);
    box->setAccessibleName(accessibleName);
    box->setEchoMode(QLineEdit::Password);
    return box;
}

bool SetupDialog::save()
{
    Ui &ui = m_context.ui;
    const std::pair<QLineEdit *, QLineEdit *> pairs[] = {{m_master1, m_repeat1},
                                                         {m_master2, m_repeat2}};
    for (int i = 0; i < 2; ++i) {
        const auto [box, repeat] = pairs[i];
        if (box->text() == repeat->text())
            continue;
        ui.message(
            tr("Master %1 and its repeat differ. Please type master %1 again, twice.").arg(i + 1));
        box->clear();
        repeat->clear();
        box->setFocus();
        return false;
    }
    {
        BusyPointer busy(ui);
        if (!Validation(ui, m_master1->text(), m_master2->text())) {
            ui.message(QString::fromLatin1(kMasterRulesMessage));
            m_master1->setFocus();
            return false;
        }
        // Nothing is held yet, so the store (empty or absent) is enciphered under the new key.
        bool changed = true;
        if (!ApplyMasters(ui, m_context.state, m_context.settings, m_master1->text(),
                          m_master2->text(), changed))
            return false;
    }
    m_main.loadList();
    m_main.showStatus(tr("Master passwords set"));
    return true;
}

void SetupDialog::reject()
{
    if (m_context.ui.askDefaultNo(QString::fromLatin1(kQuitSetupQuestion)))
        done(ProgramEnds);
}
