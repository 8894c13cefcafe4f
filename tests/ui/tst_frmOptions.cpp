#include "ModalDriver.h"
#include "UiHarness.h"
#include "entries/LoginStore.h"
#include "ui/EntryListView.h"
#include "ui/frmCurrentMasters.h"
#include "ui/frmMain.h"
#include "ui/frmOptions.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace {
// The dialog opened over a main window, with masters set and the entries a test adds first.
struct Options
{
    UiHarness h{true};
    frmMain main{h.context};
    std::unique_ptr<frmOptions> w;

    frmOptions &open()
    {
        main.LoadList();
        w = std::make_unique<frmOptions>(h.context, main);
        return *w;
    }
    template <typename T = QCheckBox> T *get(const char *name) { return Find<T>(w.get(), name); }
    QLineEdit *master(int n) { return get<QLineEdit>(n == 1 ? "txtMaster1" : "txtMaster2"); }
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
            u"frmCurrentMasters"_s);
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

    void opensMaskedAndCancelOrBadMastersSaveNothing()
    {
        Options o;
        o.open().show();
        QVERIFY(QTest::qWaitForWindowExposed(o.w.get()));
        QVERIFY(o.get<QRadioButton>("optOrderField0")->isChecked());
        QVERIFY(!o.get("chkDescending")->isChecked());
        for (int i = 0; i < 7; ++i)
            QVERIFY(!o.w->findChild<QCheckBox *>(u"chkLogging%1"_s.arg(i))->isChecked());
        QCOMPARE(o.master(1)->text(), QString()); // nothing shows before the current masters
        QVERIFY(!o.master(1)->isEnabled() && !o.master(2)->isEnabled());
        auto *tabs = o.get<QTabWidget>("tbsOptions");
        QTest::keyClick(o.w.get(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 1);
        QVERIFY(!tabs->widget(0)->isEnabled());
        QTest::keyClick(o.w.get(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 0);
        QTest::keyClick(o.w.get(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(tabs->currentIndex(), 1);

        QVERIFY(o.unlock(true));
        QCOMPARE(o.h.ui.shown.first().text, u"Invalid Password(s), try again!"_s);
        QCOMPARE(o.h.ui.asked.last(), QString::fromLatin1(kMasterChangeWarning));
        QCOMPARE(o.master(1)->text(), u"first master"_s);
        QCOMPARE(o.master(1)->echoMode(), QLineEdit::Password);
        o.get("Check1")->setChecked(true);
        QCOMPARE(o.master(2)->echoMode(), QLineEdit::Normal);
        QVERIFY(!o.w->changeFlag());
        o.master(1)->setText(u"1234567"_s);
        o.master(2)->setText(u"abcdefgh"_s);
        QVERIFY(!o.w->cmdApply_Click());
        QVERIFY(o.h.lastMessage().startsWith(u"Master Passwords must be:"_s));

        o.get<QRadioButton>("optOrderField2")->setChecked(true);
        o.get("chkLogging0")->setChecked(true);
        QTest::keyClicks(o.master(1), u"xyz"_s);
        QTest::keyClick(o.w.get(), Qt::Key_Escape);
        QCOMPARE(o.w->result(), int(frmOptions::Closed));
        QCOMPARE(o.h.settings.get(Setting::OrderByLogin), u"False"_s);
        QCOMPARE(o.h.settings.get(Setting::LogStartup), u"0"_s);
        QCOMPARE(o.h.settings.getBytes(Setting::Master1), o.h.state.ActiveMaster1);

        o.open();
        QVERIFY(!o.unlock(false, false)); // a refused warning keeps them closed
        QVERIFY(!o.master(1)->isEnabled());
    }

    void applyResortsAndOnlyAnEditReencrypts()
    {
        Options o;
        o.h.addEntry("a", "d", "alpha-1", 3, QDateTime(QDate(2024, 1, 1), QTime(9, 0)));
        o.h.addEntry("gone", "d", "beta-22");
        o.h.addEntry("b", "d", "gamma", 3, QDateTime(QDate(2024, 6, 1), QTime(9, 0)));
        LoginStore(o.h.state.LoginFile, o.h.ui).deletelogin(1001);
        o.h.settings.save(Setting::LogMasterChange, u"1"_s);
        const quint64 written = FileInode(o.h.state.LoginFile);
        o.open();
        o.get<QRadioButton>("optOrderField3")->setChecked(true);
        o.get("chkDescending")->setChecked(true);
        o.get("chkLogging3")->setChecked(true);
        o.get<QSpinBox>("spnClearClipboard")->setValue(25);
        QVERIFY(o.w->cmdApply_Click());
        QCOMPARE(o.h.settings.get(Setting::ClearClipboardSeconds), u"25"_s);
        const Settings &s = o.h.settings;
        const QStringList order{s.get(Setting::OrderByID),      s.get(Setting::OrderByDescription),
                                s.get(Setting::OrderByLogin),   s.get(Setting::OrderByExpiry),
                                s.get(Setting::OrderDirection), s.get(Setting::LogPwdChanges)};
        QCOMPARE(order, (QStringList{"False", "False", "False", "True", "1", "1"}));
        QVERIFY(o.h.state.LogPwdChanges);
        QCOMPARE(o.main.ListView1()->text(0, EntryListView::ColLogin).trimmed(), u"b"_s);
        QVERIFY(o.unlock());
        QVERIFY(o.w->cmdApply_Click());
        QCOMPARE(FileInode(o.h.state.LoginFile), written);
        QVERIFY(!ReadFile(o.h.state.LogFile).contains("Master Password Change"));
        QCOMPARE(o.main.statusText(), u"Options saved"_s);

        o.master(1)->selectAll();
        QTest::keyClicks(o.master(1), u"a brand new master"_s);
        QVERIFY(o.w->changeFlag());
        QVERIFY(o.w->cmdApply_Click());
        QCOMPARE(o.h.settings.getBytes(Setting::Master1), o.h.state.ActiveMaster1);
        QCOMPARE(o.h.passwordOf(1000), QByteArray("alpha-1"));
        QVERIFY(ReadFile(o.h.state.LogFile).contains("Successful Master Password Change"));
        QCOMPARE(o.main.statusText(), u"Masters changed; 3 entries re-encrypted"_s);

        o.h.settings.save(Setting::OrderByLogin, u"maybe"_s);
        o.open();
        QCOMPARE(o.h.lastMessage(), u"An error has occurred in frmOptionsLoad 13 Type mismatch"_s);
    }
};

QTEST_MAIN(tst_frmOptions)
#include "tst_frmOptions.moc"
