#include "ModalDriver.h"
#include "UiHarness.h"
#include "entries/LoginStore.h"
#include "entries/PasswordField.h"
#include "ui/EntryListView.h"
#include "ui/frmCurrentMasters.h"
#include "ui/frmMain.h"
#include "ui/frmOptions.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace {
// The dialog opened over a main window, with masters set and the entries a test adds first.
struct Options
{
    UiHarness h;
    frmMain main{h.context};
    std::unique_ptr<frmOptions> w;

    Options() { h.setMasters("first master", "second master"); }
    frmOptions &open()
    {
        main.LoadList();
        w = std::make_unique<frmOptions>(h.context, main);
        return *w;
    }
    template <typename T> T *get(const QString &name) { return w->findChild<T *>(name); }
    QLineEdit *master(int n) { return get<QLineEdit>(QStringLiteral("txtMaster%1").arg(n)); }
    QString lastMessage() const
    {
        return h.ui.shown.isEmpty() ? QString() : h.ui.shown.last().text;
    }
    // Change...: the current masters typed (a wrong pair first when asked), then the warning
    // answered.
    bool unlock(bool wrongFirst = false, bool acceptWarning = true)
    {
        WhenModal(
            [wrongFirst](QWidget *d) {
                for (bool wrong : {wrongFirst, false}) {
                    Type(d, "txtCurrent1", wrong ? "second master" : "first master");
                    Type(d, "txtCurrent2", wrong ? "first master" : "second master");
                    Click(d, "cmdOK");
                }
            },
            QStringLiteral("frmCurrentMasters"));
        h.ui.answers << acceptWarning;
        return w->unlockMasters();
    }
};
} // namespace

class tst_frmOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void opensWithDefaultsAndTheCurrentMastersMasked()
    {
        Options o;
        o.open();
        QVERIFY(o.get<QRadioButton>(QStringLiteral("optOrderField0"))->isChecked());
        QVERIFY(!o.get<QCheckBox>(QStringLiteral("chkDescending"))->isChecked());
        for (int i = 0; i < 7; ++i)
            QVERIFY(!o.get<QCheckBox>(QStringLiteral("chkLogging%1").arg(i))->isChecked());
        QCOMPARE(o.master(1)->text(), QString()); // nothing shows before the current masters
        QVERIFY(!o.master(1)->isEnabled() && !o.master(2)->isEnabled());
        QVERIFY(o.unlock(true));
        QCOMPARE(o.h.ui.shown.first().text, QStringLiteral("Invalid Password(s), try again!"));
        QCOMPARE(o.h.ui.asked.last(), QString::fromLatin1(kMasterChangeWarning));
        QCOMPARE(o.master(1)->text(), QStringLiteral("first master"));
        QCOMPARE(o.master(1)->echoMode(), QLineEdit::Password);
        o.get<QCheckBox>(QStringLiteral("Check1"))->setChecked(true);
        QCOMPARE(o.master(2)->echoMode(), QLineEdit::Normal);
        QVERIFY(!o.w->changeFlag());

        // A refused warning keeps them closed.
        Options again;
        again.open();
        QVERIFY(!again.unlock(false, false));
        QVERIFY(!again.master(1)->isEnabled());
    }

    void applyStoresTheOrderAndSwitchesAndResortsAtOnce()
    {
        Options o;
        o.h.addEntry("b", "d", "p", 3, QDateTime(QDate(2024, 6, 1), QTime(9, 0)));
        o.h.addEntry("a", "d", "p", 3, QDateTime(QDate(2024, 1, 1), QTime(9, 0)));
        o.open();
        o.get<QRadioButton>(QStringLiteral("optOrderField3"))->setChecked(true);
        o.get<QCheckBox>(QStringLiteral("chkDescending"))->setChecked(true);
        o.get<QCheckBox>(QStringLiteral("chkLogging3"))->setChecked(true);
        o.get<QSpinBox>(QStringLiteral("spnClearClipboard"))->setValue(25);
        QVERIFY(o.w->cmdApply_Click());
        QCOMPARE(o.h.settings.get(Setting::ClearClipboardSeconds), QStringLiteral("25"));
        QCOMPARE(o.h.settings.getBytes(Setting::Master1), o.h.state.ActiveMaster1);
        const Settings &s = o.h.settings;
        const QStringList order{s.get(Setting::OrderByID),      s.get(Setting::OrderByDescription),
                                s.get(Setting::OrderByLogin),   s.get(Setting::OrderByExpiry),
                                s.get(Setting::OrderDirection), s.get(Setting::LogPwdChanges)};
        QCOMPARE(order, (QStringList{"False", "False", "False", "True", "1", "1"}));
        QVERIFY(o.h.state.LogPwdChanges);
        QCOMPARE(o.main.ListView1()->text(0, EntryListView::ColLogin).trimmed(),
                 QStringLiteral("b"));
    }

    void cancelLeavesEverySettingAsItWas()
    {
        Options o;
        o.open();
        o.get<QRadioButton>(QStringLiteral("optOrderField2"))->setChecked(true);
        o.get<QCheckBox>(QStringLiteral("chkLogging0"))->setChecked(true);
        QVERIFY(o.unlock());
        QTest::keyClicks(o.master(1), QStringLiteral("xyz"));
        QTest::keyClick(o.w.get(), Qt::Key_Escape);
        QCOMPARE(o.w->result(), int(frmOptions::Closed));
        QCOMPARE(o.h.settings.get(Setting::OrderByLogin), QStringLiteral("False"));
        QCOMPARE(o.h.settings.get(Setting::LogStartup), QStringLiteral("0"));
        QCOMPARE(o.h.settings.getBytes(Setting::Master1), o.h.state.ActiveMaster1);
    }

    void invalidMastersShowTheRulesAndSaveNothing()
    {
        Options o;
        o.open();
        QVERIFY(o.unlock());
        o.master(1)->setText(QStringLiteral("1234567"));
        o.master(2)->setText(QStringLiteral("abcdefgh"));
        QVERIFY(!o.w->cmdApply_Click());
        QVERIFY(o.lastMessage().startsWith(QStringLiteral("Master Passwords must be:")));
        QCOMPARE(o.h.settings.getBytes(Setting::Master1), o.h.state.ActiveMaster1);
    }

    void onlyAnEditReencryptsAndEveryPasswordSurvivesTheChange()
    {
        Options o;
        o.h.addEntry("a", "d", "alpha-1");
        o.h.addEntry("b", "d", "beta-22");
        LoginStore(o.h.state.LoginFile, o.h.ui).deletelogin(1001);
        o.h.settings.save(Setting::LogMasterChange, QStringLiteral("1"));
        const quint64 written = FileInode(o.h.state.LoginFile);
        o.open();
        QVERIFY(o.w->cmdApply_Click());
        QVERIFY(o.unlock());
        QVERIFY(o.w->cmdApply_Click());
        QCOMPARE(FileInode(o.h.state.LoginFile), written);
        QVERIFY(!ReadFile(o.h.state.LogFile).contains("Master Password Change"));
        QCOMPARE(o.main.statusText(), QStringLiteral("Options saved"));

        o.master(1)->selectAll();
        QTest::keyClicks(o.master(1), QStringLiteral("a brand new master"));
        QVERIFY(o.w->changeFlag());
        QVERIFY(o.w->cmdApply_Click());
        QCOMPARE(o.h.settings.getBytes(Setting::Master1), o.h.state.ActiveMaster1);
        QCOMPARE(o.h.passwordOf(1000), QByteArray("alpha-1"));
        QVERIFY(ReadFile(o.h.state.LogFile).contains("Successful Master Password Change"));
        QCOMPARE(o.main.statusText(), QStringLiteral("Masters changed; 2 entries re-encrypted"));
    }

    void ctrlTabCyclesThePagesBothWays()
    {
        Options o;
        o.open().show();
        QVERIFY(QTest::qWaitForWindowExposed(o.w.get()));
        auto *tabs = o.get<QTabWidget>(QStringLiteral("tbsOptions"));
        QTest::keyClick(o.w.get(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 1);
        QVERIFY(!tabs->widget(0)->isEnabled());
        QTest::keyClick(o.w.get(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 0);
        QTest::keyClick(o.w.get(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(tabs->currentIndex(), 1);
    }

    void foreignSettingReportsTheLoadFailure()
    {
        Options o;
        o.h.settings.save(Setting::OrderByLogin, QStringLiteral("maybe"));
        o.open();
        QCOMPARE(o.lastMessage(),
                 QStringLiteral("An error has occurred in frmOptionsLoad 13 Type mismatch"));
    }
};

QTEST_MAIN(tst_frmOptions)
#include "tst_frmOptions.moc"
