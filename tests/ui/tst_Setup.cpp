// The first run's set-up window and the strength estimates.
#include "ModalDriver.h"
#include "UiHarness.h"
#include "entries/PasswordStrength.h"
#include "master/MasterValidation.h"
#include "ui/frmMain.h"
#include "ui/frmSetup.h"

#include <QLabel>
#include <QTest>

class tst_Setup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void theFieldsComeInPairsAndARepeatMustMatch()
    {
        UiHarness h;
        frmMain main(h.context);
        frmSetup setup(h.context, main);
        setup.show();
        QApplication::setActiveWindow(&setup);
        QVERIFY(QTest::qWaitForWindowActive(&setup));
        QStringList order;
        for (int i = 0; i < 4; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, (QStringList{"txtMaster1", "txtRepeat1", "txtMaster2", "txtRepeat2"}));
        QVERIFY(!setup.findChild<QLabel *>(QStringLiteral("lblAbout"))->text().isEmpty());

        auto fill = [&setup](const char *m1, const char *r1, const char *m2, const char *r2) {
            Type(&setup, "txtMaster1", QString::fromLatin1(m1));
            Type(&setup, "txtRepeat1", QString::fromLatin1(r1));
            Type(&setup, "txtMaster2", QString::fromLatin1(m2));
            Type(&setup, "txtRepeat2", QString::fromLatin1(r2));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Enter confirms
        };
        fill("first master", "first master", "second master", "second mastr");
        QCOMPARE(
            h.ui.messages().last(),
            QStringLiteral("Master 2 and its repeat differ. Please type master 2 again, twice."));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtMaster2"));
        fill("short", "short", "second master", "second master");
        QCOMPARE(h.ui.messages().last(), QString::fromLatin1(kMasterRulesMessage));
        QVERIFY(h.state.FirstRun);
        fill("first master", "first master", "second master", "second master");
        QCOMPARE(setup.result(), int(frmSetup::Saved));
        QVERIFY(!h.state.FirstRun);
        QCOMPARE(h.settings.getBytes(Setting::Master1), h.state.ActiveMaster1);
    }

    void capsLockAndStrengthShowUnderTheMasters()
    {
        UiHarness h;
        frmMain main(h.context);
        frmSetup setup(h.context, main);
        setup.show();
        QVERIFY(QTest::qWaitForWindowExposed(&setup));
        auto *capsLock = setup.findChild<QLabel *>(QStringLiteral("lblCapsLock"));
        auto *box = setup.findChild<QLineEdit *>(QStringLiteral("txtMaster1"));
        QVERIFY(!capsLock->isVisible());
        QTest::keyClicks(box, QStringLiteral("A")); // a capital without Shift: the lock is on
        QVERIFY(capsLock->isVisible());
        QTest::keyClicks(box, QStringLiteral("a"));
        QVERIFY(!capsLock->isVisible());
        QCOMPARE(setup.findChild<QLabel *>(QStringLiteral("lblStrength1"))->text(),
                 PasswordStrengthText(QStringLiteral("Aa")));

        const QList<std::pair<QString, int>> rows = {
            {"", 0}, {"abcdefgh", 37}, {"Abcdefg1", 47}, {"Harbour-lights-9", 105}};
        for (const auto &[password, bits] : rows)
            QCOMPARE(PasswordStrengthBits(password), bits);
        QCOMPARE(PasswordStrengthText(QStringLiteral("abcdefgh")),
                 QStringLiteral("Strength: about 37 bits (weak)"));
    }
};

QTEST_MAIN(tst_Setup)
#include "tst_Setup.moc"
