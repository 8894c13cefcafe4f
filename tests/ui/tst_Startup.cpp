#include "ModalDriver.h"
#include "UiHarness.h"
#include "app/DataFolder.h"
#include "app/ProgramFolder.h"
#include "entries/LoginStore.h"
#include "master/PreviousInstallation.h"
#include "master/ResetPasswords.h"
#include "platform/Clock.h"
#include "ui/EntryListView.h"
#include "ui/Startup.h"
#include "ui/frmMain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTest>

namespace {
// One home with a program folder holding the check file; each start gets fresh state, as a
// restart would.
struct Home
{
    UiHarness h;
    QString program = h.home.file(QStringLiteral("program"));
    AppState state;
    std::unique_ptr<Startup> startup;

    explicit Home(bool masters = true)
    {
        QDir().mkpath(program);
        QFile::copy(QStringLiteral(PELLORA_BINARY_DIR "/pqchk"),
                    program + QStringLiteral("/pqchk"));
        SetProgramFolder(program);
        h.settings.save(Setting::ShowTipsAtStartup, QStringLiteral("0"));
        if (masters)
            h.setMasters("first master", "second master");
    }
    ~Home() { SetProgramFolder(QString()); }

    bool start(int splash = 10)
    {
        startup.reset();
        state = AppState();
        startup = std::make_unique<Startup>(h.ui, state, h.settings, splash);
        return startup->run();
    }
    QString lastMessage() const
    {
        return h.ui.shown.isEmpty() ? QString() : h.ui.shown.last().text;
    }
};

void logIn(const QString &first = QStringLiteral("first master"),
           const QString &second = QStringLiteral("second master"))
{
    WhenModal([first, second](QWidget *login) {
        Type(login, "txtMaster1", first);
        Type(login, "txtMaster2", second);
        Click(login, "cmdOK");
    });
}
} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void firstRunSetsTheMastersThenARestartLogsIn()
    {
        Home home(false);
        WhenModal([](QWidget *setup) {
            QCOMPARE(setup->objectName(), QStringLiteral("frmSetup"));
            Type(setup, "txtMaster1", QStringLiteral("first master"));
            Type(setup, "txtRepeat1", QStringLiteral("first master"));
            Type(setup, "txtMaster2", QStringLiteral("second master"));
            Type(setup, "txtRepeat2", QStringLiteral("second master"));
            Click(setup, "cmdOK");
        });
        QVERIFY(home.start());
        QVERIFY(!home.state.FirstRun);
        // The main window outlives the start-up steps: what it was handed must too.
        frmMain *main = home.startup->mainWindow();
        QVERIFY(main->isVisible());
        QCOMPARE(&main->context().state, &home.state);
        home.h.state = home.state;
        home.h.addEntry("alice", "bank", "s3cret");
        main->run(MainCommand::Refresh);
        QCOMPARE(main->ListView1()->rowCount(), 1);

        WhenModal([](QWidget *login) {
            QCOMPARE(login->objectName(), QStringLiteral("frmLogin"));
            Type(login, "txtMaster1", QStringLiteral("second master"));
            Type(login, "txtMaster2", QStringLiteral("first master"));
            Click(login, "cmdOK");
            QVERIFY(login->findChild<QLineEdit *>(QStringLiteral("txtMaster1"))->text().isEmpty());
            logIn();
        });
        QVERIFY(home.start());
        QCOMPARE(home.lastMessage(), QStringLiteral("Invalid Password(s), try again!"));
        QCOMPARE(home.startup->mainWindow()->ListView1()->rowCount(), 1);
        QCOMPARE(home.state.ActiveMaster1, home.h.settings.getBytes(Setting::Master1));
        QCOMPARE(home.h.ui.busyDepth, 0);
    }

    void theMainWindowWaitsForTheSplashAndATipFollows()
    {
        Home home;
        home.h.settings.save(Setting::ShowTipsAtStartup, QStringLiteral("1"));
        logIn();
        QString tip;
        WhenModal(
            [&tip](QWidget *w) {
                tip = w->objectName();
                w->close();
            },
            QStringLiteral("frmTip"));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(home.start(400));
        QVERIFY(clock.elapsed() >= 400);
        QCOMPARE(tip, QStringLiteral("frmTip"));
    }

    void loginOutcomesAreLoggedOnlyWhenAsked()
    {
        for (const bool logging : {false, true}) {
            Home home;
            const QString flag = logging ? QStringLiteral("1") : QStringLiteral("0");
            home.h.settings.save(Setting::LogMasterFailure, flag);
            home.h.settings.save(Setting::LogStartup, flag);
            WhenModal([](QWidget *login) { Click(login, "cmdCancel"); });
            QVERIFY(!home.start());
            QVERIFY(!home.startup->mainWindow());
            QCOMPARE(ReadFile(home.h.state.LogFile).contains("Master Login Failure "), logging);
            logIn();
            QVERIFY(home.start());
            QCOMPARE(ReadFile(home.h.state.LogFile).contains("Successful Startup, "), logging);
        }
    }

    void resetDeletesTheStoreAndEndsTheRun()
    {
        Home home;
        home.h.addEntry("alice", "bank", "s3cret");
        home.h.ui.answers << false;
        WhenModal([](QWidget *login) {
            Click(login, "cmdClearMaster");
            Click(login, "cmdCancel");
        });
        QVERIFY(!home.start());
        QVERIFY(QFile::exists(home.h.state.LoginFile));

        home.h.ui.answers << true;
        WhenModal([](QWidget *login) { Click(login, "cmdClearMaster"); });
        QVERIFY(!home.start());
        QCOMPARE(home.h.ui.askedDefaultNo.last(), QString::fromLatin1(kResetPasswordsQuestion));
        QCOMPARE(home.startup->exitCode(), 0); // the user's choice, not a failure
        QVERIFY(!QFile::exists(home.h.state.LoginFile));
    }

    void previousInstallationIsMovedWhateverTheAnswer()
    {
        for (const bool yes : {true, false}) {
            Home home;
            home.h.addEntry("old entry", "from before", "oldpass");
            const QByteArray oldStore = ReadFile(home.h.state.LoginFile);
            QFile::rename(home.h.state.LoginFile, home.program + QStringLiteral("/old.lgn"));
            home.h.ui.answers << yes;
            logIn();
            QVERIFY(home.start());
            QCOMPARE(home.h.ui.asked.value(0), QString::fromLatin1(kPreviousInstallationQuestion));
            QVERIFY(!QFile::exists(home.program + QStringLiteral("/old.lgn")));
            const QString moved = home.state.DataFolder + QStringLiteral("Pelloralgn.old");
            QCOMPARE(ReadFile(moved), oldStore);
            QCOMPARE(home.startup->mainWindow()->ListView1()->rowCount(), yes ? 1 : 0);
            QVERIFY(home.h.ui.messages().contains(QStringLiteral("File moved to: ") + moved));
        }
    }

    void startupFailuresEndTheRunWithTheirMessages()
    {
        Home home;
        home.h.settings.save(Setting::LogExports, QStringLiteral("yes"));
        QVERIFY(!home.start());
        QCOMPARE(
            home.lastMessage(),
            QStringLiteral("An error has occurred in Loading the application 13 Type mismatch "));

        home.h.settings.save(Setting::LogExports, QStringLiteral("0"));
        WriteFile(home.program + QStringLiteral("/pqchk"), "damaged");
        QVERIFY(!home.start());
        QVERIFY(home.lastMessage().startsWith(
            QStringLiteral("Either there is a file missing, or the base")));
    }

    void aSecondStartBringsTheRunningWindowForwardAndEndsWithAFailure()
    {
        Home home;
        logIn();
        QVERIFY(home.start());
        frmMain *main = home.startup->mainWindow();
        main->showMinimized();
        // Another process, as a second start from the desktop is; it shares this home.
        QProcess second;
        second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        second.setProcessEnvironment(environment);
        second.start(QStringLiteral(PELLORA_BINARY_DIR "/pellora"), {});
        QVERIFY(second.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 20000);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 1);
        QVERIFY(!main->isMinimized());
        QCOMPARE(second.readAllStandardOutput(), QByteArray());
    }

    void aStoreWithoutMastersAsksForItsOwnAndIsNeverReencrypted()
    {
        Home home;
        home.h.addEntry("alice", "bank", "pw-alice");
        home.h.addEntry("bob", "mail", "pw-bob");
        const QString store = home.h.state.LoginFile;
        const QByteArray before = ReadFile(store);
        home.h.settings.saveBytes(Setting::Master1, "480275"); // lost masters, kept store

        WhenModal([](QWidget *dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("storeMastersDialog"));
            QVERIFY(
                dialog->findChild<QLabel *>()->text().contains(QStringLiteral("found 2 entries")));
            Type(dialog, "master1", QStringLiteral("first master"));
            Type(dialog, "master2", QStringLiteral("wrong master"));
            Click(dialog, "okButton");
            Type(dialog, "master2", QStringLiteral("second master"));
            Click(dialog, "okButton");
        });
        QVERIFY(home.start());
        QCOMPARE(home.h.ui.messages().first(),
                 QStringLiteral("These master passwords do not open the entries in ") + store +
                     QLatin1Char('.'));
        QVERIFY(!home.state.FirstRun);
        QCOMPARE(ReadFile(store), before);
        QCOMPARE(home.startup->mainWindow()->ListView1()->rowCount(), 2);

        // A user who lost them sets the store aside and starts afresh; Escape would change nothing.
        home.h.settings.saveBytes(Setting::Master1, "480275");
        home.h.ui.answers << true << true; // set it aside; then quit the set-up
        WhenModal([](QWidget *dialog) { Click(dialog, "setAsideButton"); });
        WhenModal([](QWidget *setup) { Click(setup, "cmdCancel"); }, QStringLiteral("frmSetup"));
        QVERIFY(!home.start());
        const QString aside = store + QStringLiteral(".unreadable-") +
                              Clock::now().date().toString(QStringLiteral("yyyyMMdd"));
        QCOMPARE(ReadFile(aside), before);
        QVERIFY(
            home.h.ui.messages().contains(QStringLiteral("The store is now ") + aside +
                                          QStringLiteral(". Pellora starts with an empty vault.")));
    }

    void aReadOnlyVaultStillListsAndSaysSo()
    {
        Home home;
        const QString folder = GetDataFolder();
        auto mount = [&](const QStringList &args) {
            return QProcess::execute(QStringLiteral("mount"), args) == 0;
        };
        if (!mount({QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                    QStringLiteral("size=1m"), QStringLiteral("tmpfs"), folder}))
            QSKIP("needs root to mount a read-only file system");
        home.h.addEntry("alice", "bank", "pw-alice");
        QVERIFY(mount({QStringLiteral("-o"), QStringLiteral("remount,ro"), folder}));
        logIn();
        const bool started = home.start();
        const int rows = started ? home.startup->mainWindow()->ListView1()->rowCount() : -1;
        const bool deleted = LoginStore(home.state.LoginFile, home.h.ui).deletelogin(1000);
        const QStringList messages = home.h.ui.messages();
        QProcess::execute(QStringLiteral("umount"), {folder});
        QVERIFY(!deleted);
        QVERIFY(started);
        QCOMPARE(rows, 1);
        const QStringList expected{
            QStringLiteral("The vault in ") + folder +
                QStringLiteral(" is read-only: you can list the entries and copy passwords, but "
                               "no change can be saved."),
            QStringLiteral("An error has occurred in deletelogin 70 Permission denied")};
        QCOMPARE(messages, expected);
    }

    void firstRunCancelEndsAndTheNextStartIsFirstAgain()
    {
        Home home(false);
        home.h.ui.answers << false << true; // asked twice before quitting: No, then Yes
        WhenModal([](QWidget *setup) {
            QTest::keyClick(setup, Qt::Key_Escape);
            QVERIFY(setup->isVisible());
            Click(setup, "cmdCancel");
        });
        QVERIFY(!home.start());
        QCOMPARE(home.startup->exitCode(), 1);
        QCOMPARE(home.h.ui.askedDefaultNo.size(), 2);
        QCOMPARE(home.h.settings.get(Setting::Master1), QStringLiteral("480275"));
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_Startup.moc"
