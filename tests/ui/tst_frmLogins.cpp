#include "StoreFixture.h"
#include "UiHarness.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "ui/EntryListView.h"
#include "ui/frmLogins.h"
#include "ui/frmMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>

namespace {
const QDateTime kOpened(QDate(2024, 3, 1), QTime(10, 0));

// The editor shown (not modally) over a main window, as New loads it.
struct Editor
{
    Editor()
    {
        h.setMasters("first master", "second master");
        h.state.EditMode = QStringLiteral("ADD");
        dialog = std::make_unique<frmLogins>(main);
        dialog->Form_Load();
        dialog->show();
    }
    QLineEdit *box(const char *name) const { return dialog->findChild<QLineEdit *>(name); }
    QString label() const { return dialog->findChild<QLabel *>("lblChangeBefore")->text(); }
    void type(const char *name, const QString &text) const
    {
        box(name)->clear();
        QTest::keyClicks(box(name), text);
    }
    void fill(const QString &password) const
    {
        type("txtLoginDesc", QStringLiteral("Bank"));
        type("txtLogin", QStringLiteral("jsmith"));
        type("txtPassword", password);
    }
    void ok() const { dialog->findChild<QPushButton *>("cmdOK")->click(); }

    UiHarness h;
    frmMain main{h.context};
    std::unique_ptr<frmLogins> dialog;
};
} // namespace

class tst_frmLogins : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { Clock::fix(kOpened); }
    void cleanup() { Clock::fix(std::nullopt); }

    void aNewEntryWithTheDefaultsIsStoredListedAndLogged()
    {
        Editor e;
        e.h.state.LogPwdChanges = true;
        QStringList defaults{e.label()};
        for (const char *name :
             {"txtExpireDays", "txtExpireStart", "txtValLength0", "txtValLength1"})
            defaults << e.box(name)->text();
        QCOMPARE(defaults, (QStringList{"Never", "0", "3/1/2024 10:00:00 AM", "6", "15"}));
        QCOMPARE(e.dialog->focusWidget(), e.box("txtLoginDesc"));

        e.fill(QStringLiteral("ABCDEF")); // stored lower case: Case Sensitive is off
        e.h.ui.answers << true;           // and the user agreed to that
        Clock::fix(kOpened.addSecs(300));
        QTest::keyClick(e.box("txtPassword"), Qt::Key_Return); // OK is the default button
        QVERIFY(!e.dialog->isVisible());
        QVERIFY(e.h.ui.shown.isEmpty());
        const QList<LoginRecord> stored = ReadRecords(e.h.state.LoginFile);
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored[0].ExpireStart, Convert::ToOleDate(kOpened)); // when the editor opened
        QCOMPARE(e.h.passwordOf(1000), QByteArray("abcdef"));
        QVERIFY(e.main.ListView1()->findRow(QStringLiteral("PQ1000")) >= 0);
        QVERIFY(ReadFile(e.h.state.LogFile).contains("\tAdded jsmith, "));
    }

    void refusalsAndAFailedStoreKeepTheEditorOpenWithTheInput()
    {
        Editor e;
        auto refused = [&e](const QString &message) {
            e.ok();
            QCOMPARE(e.h.ui.messages().last(), message);
            QVERIFY(e.dialog->isVisible());
            QVERIFY(!QFile::exists(e.h.state.LoginFile));
        };
        refused(QStringLiteral("Please enter a description."));
        e.fill(QStringLiteral("abc def1"));
        e.type("txtValLength0", QStringLiteral("six"));
        refused(QStringLiteral("The password has a space; this entry allows none (Validation "
                               "tab, \"Allow SPACE character\")."));
        // The input as the check left it.
        QCOMPARE(e.box("txtPassword")->text(), QStringLiteral("abc def1"));
        QCOMPARE(e.box("txtValLength0")->text(), QStringLiteral("0"));

        e.h.state.LogPwdChanges = true;
        e.h.state.LoginFile = e.h.home.dataFolder(); // a folder cannot take records
        e.type("txtPassword", QStringLiteral("abcdefg1"));
        e.ok();
        QVERIFY(e.dialog->isVisible());
        QCOMPARE(e.box("txtPassword")->text(), QStringLiteral("abcdefg1"));
        QVERIFY(e.h.ui.messages().last().startsWith("An error has occurred in Addlogin "));
        QVERIFY(!QFile::exists(e.h.state.LogFile));
    }

    void typingRulesTheLabelAndCtrlTab()
    {
        Editor e;
        for (const auto &[name, field] : {std::pair{"txtLoginDesc", "description"},
                                          {"txtLogin", "login"},
                                          {"txtPassword", "password"}}) {
            e.h.ui.shown.clear();
            QTest::keyClicks(e.box(name), QString(64, QLatin1Char('k')));
            QVERIFY(e.h.ui.shown.isEmpty());
            QTest::keyClick(e.box(name), Qt::Key_Z);
            QCOMPARE(e.h.ui.messages(),
                     QStringList{
                         QStringLiteral("Only 64 characters can be stored for a %1.").arg(field)});
            QCOMPARE(e.box(name)->text(), QString(64, QLatin1Char('k')));
        }
        e.box("txtLoginDesc")->clear();
        e.box("txtLoginDesc")->insert(QString(10000, QLatin1Char('p'))); // as a paste does
        QCOMPARE(e.box("txtLoginDesc")->text(), QString(64, QLatin1Char('p')));

        e.type("txtExpireStart", QStringLiteral("3/1/2024"));
        e.type("txtExpireDays", QStringLiteral("30"));
        QCOMPARE(e.label(), QStringLiteral("3/31/2024"));
        e.type("txtExpireDays", QStringLiteral("thirty"));
        QCOMPARE(e.label(), QStringLiteral("3/31/2024")); // no number: the label keeps its text
        e.type("txtExpireDays", QStringLiteral("0"));
        QCOMPARE(e.label(), QStringLiteral("Never"));

        QVERIFY(QTest::qWaitForWindowActive(e.dialog.get()));
        auto *tabs = e.dialog->findChild<QTabBar *>(QStringLiteral("tbsPassword"));
        auto *panels = e.dialog->findChild<QStackedWidget *>();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("Validation"));
        QTest::keyClick(e.dialog->focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(panels->currentWidget()->objectName(), QStringLiteral("picLogins0"));
        QTest::keyClick(e.dialog.get(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(tabs->currentIndex(), 2); // back, from the first to the last

        // The help topic follows the tab: Password, Expiry, Validation.
        QList<int> topics;
        for (int tab = 0; tab < 3; ++tab) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
            topics << e.dialog->property("helpTopic").toInt();
        }
        QCOMPARE(topics, (QList<int>{1001, 1008, 1009}));
    }
};

QTEST_MAIN(tst_frmLogins)
#include "tst_frmLogins.moc"
