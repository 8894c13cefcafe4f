#include "ModalDriver.h"
#include "UiHarness.h"
#include "entries/LoginStore.h"
#include "entries/PasswordField.h"
#include "master/MasterValidation.h"
#include "ui/EntryListView.h"
#include "ui/frmMain.h"
#include "ui/frmOptions.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <sys/stat.h>

class tst_frmOptions : public QObject
{
    Q_OBJECT

private:
    template <typename T> static T *child(QWidget *w, const QString &name)
    {
        return w->findChild<T *>(name);
    }

    static ino_t inodeOf(const QString &path)
    {
        struct stat st
        {
        };
        stat(path.toLocal8Bit().constData(), &st);
        return st.st_ino;
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void opensWithDefaultsAndTheCurrentMasters()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        frmMain main(h.context);
        frmOptions w(h.context, main);
        QVERIFY(child<QRadioButton>(&w, QStringLiteral("optOrderField0"))->isChecked());
        QVERIFY(!child<QCheckBox>(&w, QStringLiteral("chkDescending"))->isChecked());
        for (int i = 0; i < 7; ++i)
            QVERIFY(!child<QCheckBox>(&w, QStringLiteral("chkLogging%1").arg(i))->isChecked());
        auto *m1 = child<QLineEdit>(&w, QStringLiteral("txtMaster1"));
        QCOMPARE(m1->text(), QStringLiteral("first master"));
        QCOMPARE(m1->echoMode(), QLineEdit::Password);
        child<QCheckBox>(&w, QStringLiteral("Check1"))->setChecked(true);
        QCOMPARE(m1->echoMode(), QLineEdit::Normal);
        QVERIFY(!w.changeFlag());
        QCOMPARE(w.windowTitle(), QStringLiteral("Options"));
    }

    void applyStoresTheOrderAndResortsAtOnce()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        h.addEntry("b", "d", "p", 3, QDateTime(QDate(2024, 6, 1), QTime(9, 0)));
        h.addEntry("a", "d", "p", 3, QDateTime(QDate(2024, 1, 1), QTime(9, 0)));
        frmMain main(h.context);
        main.LoadList();
        frmOptions w(h.context, main);
        child<QRadioButton>(&w, QStringLiteral("optOrderField3"))->setChecked(true);
        child<QCheckBox>(&w, QStringLiteral("chkDescending"))->setChecked(true);
        child<QCheckBox>(&w, QStringLiteral("chkLogging3"))->setChecked(true);
        QVERIFY(w.cmdApply_Click());
        QCOMPARE(h.settings.get(Setting::OrderByID), QStringLiteral("False"));
        QCOMPARE(h.settings.get(Setting::OrderByDescription), QStringLiteral("False"));
        QCOMPARE(h.settings.get(Setting::OrderByLogin), QStringLiteral("False"));
        QCOMPARE(h.settings.get(Setting::OrderByExpiry), QStringLiteral("True"));
        QCOMPARE(h.settings.get(Setting::OrderDirection), QStringLiteral("1"));
        QCOMPARE(h.settings.get(Setting::LogPwdChanges), QStringLiteral("1"));
        QVERIFY(h.state.LogPwdChanges);
        QCOMPARE(main.ListView1()->topLevelItem(0)->text(EntryListView::ColLogin).trimmed(),
                 QStringLiteral("b"));
    }

    void cancelLeavesEverySettingAsItWas()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        frmMain main(h.context);
        frmOptions w(h.context, main);
        child<QRadioButton>(&w, QStringLiteral("optOrderField2"))->setChecked(true);
        child<QCheckBox>(&w, QStringLiteral("chkLogging0"))->setChecked(true);
        QTest::keyClicks(child<QLineEdit>(&w, QStringLiteral("txtMaster1")), QStringLiteral("xyz"));
        QTest::keyClick(&w, Qt::Key_Escape);
        QCOMPARE(w.result(), int(frmOptions::Closed));
        QCOMPARE(h.settings.get(Setting::OrderByLogin), QStringLiteral("False"));
        QCOMPARE(h.settings.get(Setting::LogStartup), QStringLiteral("0"));
        QCOMPARE(h.settings.getBytes(Setting::Master1), h.state.ActiveMaster1);
    }

    void invalidMastersShowTheRulesAndSaveNothing()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        frmMain main(h.context);
        frmOptions w(h.context, main);
        auto *m1 = child<QLineEdit>(&w, QStringLiteral("txtMaster1"));
        auto *m2 = child<QLineEdit>(&w, QStringLiteral("txtMaster2"));
        m1->setText(QStringLiteral("1234567"));
        m2->setText(QStringLiteral("abcdefg"));
        QVERIFY(!w.cmdApply_Click());
        QCOMPARE(
            h.ui.shown.last().text,
            QStringLiteral(
                "Master Passwords must be:\n\r1) At least 8 characters each\n\r2) Be different"));
        m1->setText(QStringLiteral("same pass"));
        m2->setText(QStringLiteral("same pass"));
        QVERIFY(!w.cmdApply_Click());
        m2->setText(QStringLiteral("SAME PASS"));
        QVERIFY(w.cmdApply_Click());
    }

    void untouchedApplyReencryptsNothing()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        h.addEntry("a", "d", "secret1");
        const ino_t before = inodeOf(h.state.LoginFile);
        frmMain main(h.context);
        frmOptions w(h.context, main);
        QVERIFY(w.cmdApply_Click());
        QCOMPARE(inodeOf(h.state.LoginFile), before);

        QTest::keyClick(child<QLineEdit>(&w, QStringLiteral("txtMaster1")), Qt::Key_X);
        QTest::keyClick(child<QLineEdit>(&w, QStringLiteral("txtMaster1")), Qt::Key_Backspace);
        QVERIFY(w.changeFlag());
        QVERIFY(w.cmdApply_Click());
        QVERIFY(inodeOf(h.state.LoginFile) != before);
        QCOMPARE(h.passwordOf(1000), QByteArray("secret1"));
    }

    void masterChangeKeepsEveryPasswordAndLogsOnce()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        h.addEntry("a", "d", "alpha-1");
        h.addEntry("b", "d", "beta-22");
        h.addEntry("c", "d", "gamma-333");
        LoginStore(h.state.LoginFile, h.ui).deletelogin(1001);
        h.state.LogMasterChange = true;
        frmMain main(h.context);
        frmOptions w(h.context, main);
        auto *m1 = child<QLineEdit>(&w, QStringLiteral("txtMaster1"));
        m1->selectAll();
        QTest::keyClicks(m1, QStringLiteral("a brand new master"));
        QVERIFY(w.cmdApply_Click());
        QCOMPARE(h.settings.getBytes(Setting::Master1), h.state.ActiveMaster1);
        QCOMPARE(h.passwordOf(1000), QByteArray("alpha-1"));
        QCOMPARE(h.passwordOf(1002), QByteArray("gamma-333"));
        const LoginRecord deleted = LoginRecord::decode(ReadFile(h.state.LoginFile).mid(218, 218));
        QVERIFY(deleted.Deleted);
        QCOMPARE(DecodePasswordField(deleted.Password, h.state.entryKey()),
                 std::optional<QByteArray>("beta-22"));
        QCOMPARE(ReadFile(h.state.LogFile).count("Successful Master Password Change"), 1);
    }

    void ctrlTabCyclesThePagesBothWays()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        frmMain main(h.context);
        frmOptions w(h.context, main);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *tabs = child<QTabWidget>(&w, QStringLiteral("tbsOptions"));
        QTest::keyClick(&w, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 1);
        QVERIFY(!tabs->widget(0)->isEnabled());
        QTest::keyClick(&w, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 0);
        QTest::keyClick(&w, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(tabs->currentIndex(), 1);
    }

    void foreignSettingReportsTheLoadFailure()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        h.settings.save(Setting::OrderByLogin, QStringLiteral("maybe"));
        frmMain main(h.context);
        frmOptions w(h.context, main);
        QCOMPARE(h.ui.shown.last().text,
                 QStringLiteral("An error has occurred in frmOptionsLoad 13 Type mismatch"));
    }
};

QTEST_MAIN(tst_frmOptions)
#include "tst_frmOptions.moc"
