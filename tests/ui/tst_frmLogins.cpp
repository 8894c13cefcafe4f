#include "StoreFixture.h"
#include "UiHarness.h"
#include "app/DataFolder.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "ui/EntryListView.h"
#include "ui/frmLogins.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>

namespace {
const QDateTime kOpened(QDate(2024, 3, 1), QTime(10, 0));

// The editor shown (not modally) over a main window, as New or Edit would load it.
struct Editor
{
    explicit Editor(const QString &mode = QStringLiteral("ADD"))
    {
        h.setMasters("first master", "second master");
        open(mode);
    }
    void open(const QString &mode = QStringLiteral("ADD"))
    {
        h.state.EditMode = mode;
        dialog = std::make_unique<frmLogins>(main);
        dialog->Form_Load();
        dialog->show();
    }
    QLineEdit *box(const char *name) const { return dialog->findChild<QLineEdit *>(name); }
    QCheckBox *check(const char *name) const { return dialog->findChild<QCheckBox *>(name); }
    QString label() const
    {
        return dialog->findChild<QLabel *>(QStringLiteral("lblChangeBefore"))->text();
    }
    void type(const char *name, const QString &text) const
    {
        box(name)->clear();
        QTest::keyClicks(box(name), text);
    }
    void ok() const
    {
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdOK")),
                          Qt::LeftButton);
    }
    QList<LoginRecord> records() const { return ReadRecords(h.state.LoginFile); }

    UiHarness h;
    frmMain main{h.context};
    std::unique_ptr<frmLogins> dialog;
};

QString logFileText(const UiHarness &h)
{
    return QString::fromUtf8(ReadFile(h.state.LogFile));
}
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
        QCOMPARE(e.dialog->windowTitle(), QStringLiteral("Logins"));
        QCOMPARE(e.box("txtExpireDays")->text(), QStringLiteral("0"));
        QCOMPARE(e.box("txtExpireStart")->text(), QStringLiteral("3/1/2024 10:00:00 AM"));
        QCOMPARE(e.box("txtValLength0")->text(), QStringLiteral("6"));
        QCOMPARE(e.box("txtValLength1")->text(), QStringLiteral("15"));
        QCOMPARE(e.label(), QStringLiteral("Never"));
        for (int i = 0; i < 4; ++i)
            QVERIFY(!e.check(qPrintable(QStringLiteral("chkValidation%1").arg(i)))->isChecked());
        QCOMPARE(e.box("txtPassword")->echoMode(), QLineEdit::Password);
        QVERIFY(e.box("txtLoginID")->isHidden());
        QCOMPARE(e.dialog->focusWidget(), e.box("txtLoginDesc"));
        QCOMPARE(e.dialog->helpTopic(), 1001);

        e.type("txtLoginDesc", QStringLiteral("Bank"));
        e.type("txtLogin", QStringLiteral("jsmith"));
        e.type("txtPassword", QStringLiteral("abcdef"));
        Clock::fix(kOpened.addSecs(300));
        QTest::keyClick(e.box("txtPassword"), Qt::Key_Return); // OK is the default button

        QVERIFY(!e.dialog->isVisible());
        QCOMPARE(e.dialog->result(), int(QDialog::Accepted));
        QVERIFY(e.h.ui.shown.isEmpty());
        const QList<LoginRecord> stored = e.records();
        QCOMPARE(stored.size(), 1);
        const LoginRecord &r = stored[0];
        QCOMPARE(r.LoginID, qint16(1000));
        QCOMPARE(r.Description, FitText("Bank"));
        QCOMPARE(r.Login, FitText("jsmith"));
        QCOMPARE(e.h.passwordOf(1000), QByteArray("abcdef"));
        QVERIFY(!r.Deleted);
        QCOMPARE(r.ExpireDays, qint16(0));
        QCOMPARE(r.ExpireStart, Convert::ToOleDate(kOpened)); // when the editor opened
        QVERIFY(!r.CaseSensitive && !r.AllowSpace && !r.RequireMix && !r.RequireSpecial);
        QCOMPARE(r.MinLength, qint16(6));
        QCOMPARE(r.MaxLength, qint16(15));
        QVERIFY(e.main.ListView1()->findRow(QStringLiteral("PQ1000")));
        const QString event = (QStringLiteral("Added jsmith, ") + GetLoginUserName() +
                               QStringLiteral("3/1/2024 10:05:00 AM"))
                                  .leftJustified(45, QLatin1Char(' '), true);
        QVERIFY(logFileText(e.h).contains(QLatin1Char('\t') + event + QLatin1Char('\n')));
    }

    void theCaseRuleDecidesWhetherThePasswordIsStoredLowerCase()
    {
        Editor e;
        for (const bool caseSensitive : {false, true}) {
            e.open();
            e.type("txtLoginDesc", QStringLiteral("Mail"));
            e.type("txtLogin", QStringLiteral("me"));
            e.type("txtPassword", QStringLiteral("ABCDEFG"));
            e.check("chkValidation0")->setChecked(caseSensitive);
            e.ok();
        }
        QCOMPARE(e.h.passwordOf(1000), QByteArray("abcdefg"));
        QCOMPARE(e.h.passwordOf(1001), QByteArray("ABCDEFG"));
        QVERIFY(!e.h.state.LogPwdChanges && !QFile::exists(e.h.state.LogFile));
    }

    void ruleFailuresAreReportedOneAtATimeAndKeepTheInput()
    {
        Editor e;
        auto expectRefusal = [&e](const QString &message) {
            e.ok();
            QCOMPARE(e.h.ui.messages().last(), message);
            QVERIFY(e.dialog->isVisible());
            QVERIFY(!QFile::exists(e.h.state.LoginFile) || e.records().isEmpty());
        };
        expectRefusal(QStringLiteral("Please enter a description."));
        e.type("txtLoginDesc", QStringLiteral("Bank"));
        expectRefusal(QStringLiteral("Please enter a login or userid."));
        e.type("txtLogin", QStringLiteral("jsmith"));
        e.type("txtPassword", QStringLiteral("abc"));
        expectRefusal(QStringLiteral("The password is not long enough for this validation."));
        QCOMPARE(e.box("txtPassword")->text(), QStringLiteral("abc"));
        e.type("txtPassword", QStringLiteral("ABC DEF1"));
        expectRefusal(QStringLiteral("Spaces are not allowed for this validation."));
        QCOMPARE(e.box("txtPassword")->text(), QStringLiteral("abc def1")); // as the check left it
        e.check("chkValidation3")->setChecked(true);
        e.check("chkValidation1")->setChecked(true);
        e.type("txtPassword", QStringLiteral("abcdefg"));
        e.type("txtValLength0", QStringLiteral("six"));
        expectRefusal(QStringLiteral(
            "A mix of alpha and numeric character(s) is required for this validation."));
        QCOMPARE(e.box("txtValLength0")->text(), QStringLiteral("0"));
        e.type("txtValLength1", QString());
        e.type("txtPassword", QString(63, QLatin1Char('a')) + QLatin1Char('1'));
        expectRefusal(QStringLiteral("Only 62 characters can be stored for a password, not "
                                     "counting spaces at either end."));
        e.type("txtPassword", QString(62, QLatin1Char('a')).replace(0, 1, QLatin1Char('1')));
        e.box("txtLoginDesc")->setText(QStringLiteral("Bank \u65E5")); // no key types it
        e.ok();
        QVERIFY(e.h.ui.messages().last().startsWith(
            QStringLiteral("The description contains a character that cannot be stored")));
        QVERIFY(e.dialog->isVisible());
        e.box("txtLoginDesc")->setText(QStringLiteral("Bank \u20AC")); // the euro has a byte
        e.ok();
        QVERIFY(!e.dialog->isVisible());
        QCOMPARE(e.records().size(), 1);
        QCOMPARE(e.records()[0].MaxLength, qint16(128));
        QCOMPARE(e.h.passwordOf(1000).size(), 62);
    }

    void theSixtyFifthTypedCharacterIsRefusedInEachTextBox()
    {
        Editor e;
        const QList<std::pair<const char *, QString>> boxes{
            {"txtLoginDesc", QStringLiteral("Only 64 characters can be stored for a description.")},
            {"txtLogin", QStringLiteral("Only 64 characters can be stored for a login.")},
            {"txtPassword", QStringLiteral("Only 64 characters can be stored for a password.")},
        };
        for (const auto &[name, message] : boxes) {
            e.h.ui.shown.clear();
            QTest::keyClicks(e.box(name), QString(64, QLatin1Char('k')));
            QVERIFY(e.h.ui.shown.isEmpty());
            QTest::keyClick(e.box(name), Qt::Key_Z);
            QCOMPARE(e.h.ui.messages(), QStringList{message});
            QCOMPARE(e.box(name)->text(), QString(64, QLatin1Char('k')));
        }
    }

    void aPastedTenThousandCharacterTextIsCutToSixtyFour()
    {
        Editor e;
        const QString pasted = QStringLiteral("0123456789").repeated(1000);
        QApplication::clipboard()->setText(pasted);
        e.box("txtLogin")->setFocus();
        e.box("txtLogin")->paste();
        QCOMPARE(e.h.ui.messages(),
                 QStringList{QStringLiteral("Only 64 characters can be stored for a login.")});
        QCOMPARE(e.box("txtLogin")->text(), pasted.left(64));
        QApplication::clipboard()->clear();
    }

    void theDaysBoxDrivesTheNextChangeLabel()
    {
        Editor e;
        e.type("txtExpireStart", QStringLiteral("3/1/2024"));
        QCOMPARE(e.label(), QStringLiteral("Never")); // the start alone changes nothing
        e.type("txtExpireDays", QStringLiteral("30"));
        QCOMPARE(e.label(), QStringLiteral("3/31/2024"));
        e.type("txtExpireDays", QStringLiteral("thirty"));
        QCOMPARE(e.label(), QStringLiteral("3/31/2024")); // no number: the label keeps its text
        e.type("txtExpireDays", QStringLiteral("0"));
        QCOMPARE(e.label(), QStringLiteral("Never"));
        e.type("txtExpireStart", QStringLiteral("3/1/2024 10:00:00 AM"));
        e.type("txtExpireDays", QStringLiteral("-5"));
        QCOMPARE(e.label(), QStringLiteral("2/25/2024 10:00:00 AM")); // typing: only 0 is never
    }

    void ctrlTabWrapsAndTheHelpTopicFollowsTheTab()
    {
        Editor e;
        QVERIFY(QTest::qWaitForWindowActive(e.dialog.get()));
        auto *tabs = e.dialog->findChild<QTabBar *>(QStringLiteral("tbsPassword"));
        auto *panels = e.dialog->findChild<QStackedWidget *>();
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->tabText(2), QStringLiteral("Validation"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        QCOMPARE(panels->currentWidget()->objectName(), QStringLiteral("picLogins2"));
        QCOMPARE(e.dialog->helpTopic(), 1009);
        QCOMPARE(e.dialog->property("helpTopic").toInt(), 1009);
        QTest::keyClick(e.dialog->focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(panels->currentWidget()->objectName(), QStringLiteral("picLogins0"));
        QCOMPARE(e.dialog->helpTopic(), 1001);
        e.box("txtLoginDesc")->setFocus();
        QTest::keyClick(e.box("txtLoginDesc"), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(e.dialog->helpTopic(), 1008);
        QVERIFY(e.box("txtExpireDays")->isVisible() && !e.box("txtLoginDesc")->isVisible());
        QTest::keyClick(e.dialog.get(), Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(tabs->currentIndex(), 1); // only Ctrl counts
    }

    void escapeAndCancelCloseWithoutStoring()
    {
        Editor e;
        e.type("txtLoginDesc", QStringLiteral("Bank"));
        QTest::keyClick(e.box("txtLoginDesc"), Qt::Key_Escape);
        QVERIFY(!e.dialog->isVisible());
        QCOMPARE(e.dialog->result(), int(QDialog::Rejected));
        e.open();
        e.type("txtLoginDesc", QStringLiteral("Bank"));
        QTest::mouseClick(e.dialog->findChild<QPushButton *>(QStringLiteral("cmdCancel")),
                          Qt::LeftButton);
        QVERIFY(!e.dialog->isVisible());
        QVERIFY(!QFile::exists(e.h.state.LoginFile));
    }

    void showPasswordUnmasksAndCreateFollowsTheRules()
    {
        Editor e;
        QLineEdit *password = e.box("txtPassword");
        QCOMPARE(password->accessibleName(), QStringLiteral("Password"));
        e.check("Check1")->click();
        QCOMPARE(password->echoMode(), QLineEdit::Normal);
        e.check("Check1")->click();
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        auto *create = e.dialog->findChild<QPushButton *>(QStringLiteral("Command1"));
        QCOMPARE(create->text().remove(QLatin1Char('&')), QStringLiteral("Create"));
        create->click();
        const QString made = password->text();
        QVERIFY(made.size() >= 6 && made.size() <= 15);
        QCOMPARE(made, made.toLower());
        QVERIFY(!made.contains(QRegularExpression(QStringLiteral("[^a-z]"))));
        e.type("txtValLength1", QStringLiteral("lots"));
        create->click();
        QCOMPARE(e.h.ui.shown.size(), 1);
        QCOMPARE(password->text(), made); // no lengths, no new password
    }

    void aFailedAddIsReportedLogsNothingAndKeepsTheInput()
    {
        Editor e;
        e.h.state.LogPwdChanges = true;
        e.h.state.LoginFile = e.h.home.dataFolder(); // a folder cannot take records
        e.type("txtLoginDesc", QStringLiteral("Bank"));
        e.type("txtLogin", QStringLiteral("jsmith"));
        e.type("txtPassword", QStringLiteral("abcdef"));
        e.ok();
        QVERIFY(e.dialog->isVisible());
        QCOMPARE(e.dialog->findChild<QLineEdit *>(QStringLiteral("txtPassword"))->text(),
                 QStringLiteral("abcdef"));
        bool reported = false;
        for (const QString &m : e.h.ui.messages())
            reported =
                reported || m.startsWith(QStringLiteral("An error has occurred in Addlogin "));
        QVERIFY(reported);
        QVERIFY(!logFileText(e.h).contains(QStringLiteral("Added jsmith, ")));
    }
};

QTEST_MAIN(tst_frmLogins)
#include "tst_frmLogins.moc"
