#include "ModalDriver.h"
#include "UiHarness.h"
#include "app/ProgramFolder.h"
#include "entries/LoginStore.h"
#include "master/PreviousInstallation.h"
#include "master/ResetPasswords.h"
#include "ui/EntryListView.h"
#include "ui/Startup.h"
#include "ui/frmMain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

// Each run of the program gets fresh state but the same home, as a restart would.
class tst_Startup : public QObject
{
    Q_OBJECT

private:
    static QString programWith(UiHarness &h, const QByteArray &lgn = {})
    {
        const QString folder = h.home.file(QStringLiteral("program"));
        QDir().mkpath(folder);
        QFile::copy(QStringLiteral(PELLORA_BINARY_DIR "/pqchk"), folder + QStringLiteral("/pqchk"));
        if (!lgn.isNull())
            WriteFile(folder + QStringLiteral("/old.lgn"), lgn);
        SetProgramFolder(folder);
        h.settings.save(Setting::ShowTipsAtStartup, QStringLiteral("0"));
        return folder;
    }

    static void logIn(const QString &first, const QString &second)
    {
        WhenModal([first, second](QWidget *login) {
            Type(login, "txtMaster1", first);
            Type(login, "txtMaster2", second);
            Click(login, "cmdOK");
        });
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void firstRunSetsTheMastersThenARestartLogsIn()
    {
        UiHarness h;
        programWith(h);
        {
            AppState state;
            Startup first(h.ui, state, h.settings, 10);
            WhenModal([](QWidget *options) {
                QCOMPARE(options->objectName(), QStringLiteral("frmOptions"));
                Type(options, "txtMaster1", QStringLiteral("first master"));
                Type(options, "txtMaster2", QStringLiteral("second master"));
                Click(options, "cmdOK");
            });
            QVERIFY(first.run());
            QVERIFY(!state.FirstRun);
            QVERIFY(first.mainWindow()->isVisible());
            QCOMPARE(first.mainWindow()->windowTitle(), QStringLiteral("Pellora"));
            h.state = state;
            h.addEntry("alice", "bank", "s3cret");
        }
        AppState state;
        Startup second(h.ui, state, h.settings, 10);
        WhenModal([](QWidget *login) {
            QCOMPARE(login->objectName(), QStringLiteral("frmLogin"));
            Type(login, "txtMaster1", QStringLiteral("second master"));
            Type(login, "txtMaster2", QStringLiteral("first master"));
            Click(login, "cmdOK");
            QCOMPARE(login->findChild<QLineEdit *>(QStringLiteral("txtMaster1"))->text(),
                     QString());
            QCOMPARE(login->findChild<QLineEdit *>(QStringLiteral("txtMaster2"))->text(),
                     QString());
            logIn(QStringLiteral("first master"), QStringLiteral("second master"));
        });
        QVERIFY(second.run());
        QCOMPARE(h.ui.shown.last().text, QStringLiteral("Invalid Password(s), try again!"));
        QCOMPARE(h.ui.shown.last().title, QStringLiteral("Login"));
        QCOMPARE(second.mainWindow()->ListView1()->topLevelItemCount(), 1);
        QCOMPARE(state.ActiveMaster1, h.settings.getBytes(Setting::Master1));
        QCOMPARE(h.ui.busyDepth, 0);
    }

    void aTipFollowsTheListAfterALogin()
    {
        UiHarness h;
        programWith(h);
        h.settings.save(Setting::ShowTipsAtStartup, QStringLiteral("1"));
        h.setMasters("first master", "second master");
        AppState state;
        Startup startup(h.ui, state, h.settings, 10);
        logIn(QStringLiteral("first master"), QStringLiteral("second master"));
        QString shown;
        WhenModal(
            [&shown](QWidget *tip) {
                shown = tip->objectName();
                tip->close();
            },
            QStringLiteral("frmTip"));
        QVERIFY(startup.run());
        QCOMPARE(shown, QStringLiteral("frmTip"));
    }

    void theMainWindowsCommandsWorkAfterStartUpReturns()
    {
        UiHarness h;
        programWith(h);
        h.setMasters("first master", "second master");
        AppState state;
        Startup startup(h.ui, state, h.settings, 10);
        logIn(QStringLiteral("first master"), QStringLiteral("second master"));
        QVERIFY(startup.run());
        // The main window outlives the start-up steps: what it was handed must too.
        frmMain *main = startup.mainWindow();
        QCOMPARE(&main->context(), &startup.context());
        QCOMPARE(&main->context().state, &state);
        h.state = state;
        h.addEntry("alice", "bank", "s3cret");
        main->run(MainCommand::Refresh);
        QCOMPARE(main->ListView1()->topLevelItemCount(), 1);
    }

    void theMainWindowWaitsForTheSplash()
    {
        UiHarness h;
        programWith(h);
        h.setMasters("first master", "second master");
        AppState state;
        Startup startup(h.ui, state, h.settings, 400);
        logIn(QStringLiteral("first master"), QStringLiteral("second master"));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(startup.run());
        QVERIFY2(clock.elapsed() >= 400, qPrintable(QString::number(clock.elapsed())));
    }

    void cancelledLoginEndsTheRunAndLogsOnlyWhenAsked()
    {
        for (const bool logFailures : {false, true}) {
            UiHarness h;
            programWith(h);
            h.setMasters("first master", "second master");
            h.settings.save(Setting::LogMasterFailure,
                            logFailures ? QStringLiteral("1") : QStringLiteral("0"));
            AppState state;
            Startup startup(h.ui, state, h.settings, 10);
            WhenModal([](QWidget *login) { Click(login, "cmdCancel"); });
            QVERIFY(!startup.run());
            QVERIFY(!startup.mainWindow());
            const QByteArray log = ReadFile(h.state.LogFile);
            QCOMPARE(log.contains("Master Login Failure "), logFailures);
        }
    }

    void successfulStartupIsLoggedWhenAsked()
    {
        UiHarness h;
        programWith(h);
        h.setMasters("first master", "second master");
        h.settings.save(Setting::LogStartup, QStringLiteral("1"));
        AppState state;
        Startup startup(h.ui, state, h.settings, 10);
        logIn(QStringLiteral("first master"), QStringLiteral("second master"));
        QVERIFY(startup.run());
        QVERIFY(ReadFile(h.state.LogFile).contains("Successful Startup, "));
    }

    void resetDeletesStoreAndLogAndEndsTheRun()
    {
        UiHarness h;
        programWith(h);
        h.setMasters("first master", "second master");
        h.addEntry("alice", "bank", "s3cret");
        WriteFile(h.state.LogFile, "old log\n");
        {
            AppState state;
            Startup startup(h.ui, state, h.settings, 10);
            WhenModal([](QWidget *login) { Click(login, "cmdClearMaster"); });
            h.ui.answers << false;
            WhenModal([](QWidget *login) { Click(login, "cmdCancel"); });
            QVERIFY(!startup.run());
            QVERIFY(QFile::exists(h.state.LoginFile));
        }
        AppState state;
        Startup startup(h.ui, state, h.settings, 10);
        h.ui.answers << true;
        WhenModal([](QWidget *login) { Click(login, "cmdClearMaster"); });
        QVERIFY(!startup.run());
        QCOMPARE(h.ui.asked.last(), QString::fromLatin1(kResetPasswordsQuestion));
        QVERIFY(!QFile::exists(h.state.LoginFile));
        QVERIFY(!QFile::exists(h.state.LogFile));
        QCOMPARE(h.settings.get(Setting::Master1), QStringLiteral("480275"));
    }

    void previousInstallationIsMovedWhateverTheAnswer()
    {
        for (const bool yes : {true, false}) {
            UiHarness h;
            h.setMasters("first master", "second master");
            h.addEntry("old entry", "from before", "oldpass");
            const QByteArray oldStore = ReadFile(h.state.LoginFile);
            QFile::remove(h.state.LoginFile);
            const QString program = programWith(h, oldStore);
            AppState state;
            Startup startup(h.ui, state, h.settings, 10);
            h.ui.answers << yes;
            logIn(QStringLiteral("first master"), QStringLiteral("second master"));
            QVERIFY(startup.run());
            QCOMPARE(h.ui.asked.value(0), QString::fromLatin1(kPreviousInstallationQuestion));
            QVERIFY(!QFile::exists(program + QStringLiteral("/old.lgn")));
            QCOMPARE(ReadFile(h.state.DataFolder + QStringLiteral("Pelloralgn.old")), oldStore);
            QCOMPARE(startup.mainWindow()->ListView1()->topLevelItemCount(), yes ? 1 : 0);
            QVERIFY(h.ui.messages().contains(QStringLiteral("File moved to: ") +
                                             h.state.DataFolder +
                                             QStringLiteral("Pelloralgn.old")));
        }
    }

    void failingSelfTestEndsWithItsMessage()
    {
        UiHarness h;
        const QString program = programWith(h);
        WriteFile(program + QStringLiteral("/pqchk"), "damaged");
        AppState state;
        Startup startup(h.ui, state, h.settings, 10);
        QVERIFY(!startup.run());
        QVERIFY(h.ui.shown.last().text.startsWith(
            QStringLiteral("Either there is a file missing, or the base")));
    }

    void foreignSettingEndsWithTheLoadingMessage()
    {
        UiHarness h;
        programWith(h);
        h.settings.save(Setting::LogExports, QStringLiteral("yes"));
        AppState state;
        Startup startup(h.ui, state, h.settings, 10);
        QVERIFY(!startup.run());
        QCOMPARE(
            h.ui.shown.last().text,
            QStringLiteral("An error has occurred in Loading the application 13 Type mismatch "));
    }

    void aSecondCopyIsRefused()
    {
        UiHarness h;
        programWith(h);
        h.setMasters("first master", "second master");
        AppState state;
        Startup running(h.ui, state, h.settings, 10);
        logIn(QStringLiteral("first master"), QStringLiteral("second master"));
        QVERIFY(running.run());
        AppState other;
        Startup second(h.ui, other, h.settings, 10);
        QVERIFY(!second.run());
        QCOMPARE(h.ui.shown.last().text,
                 QStringLiteral(
                     "Pellora is already running. Only one copy can use the vault at a time."));
    }

    void firstRunCancelEndsAndTheNextStartIsFirstAgain()
    {
        UiHarness h;
        programWith(h);
        AppState state;
        Startup startup(h.ui, state, h.settings, 10);
        WhenModal([](QWidget *options) { Click(options, "cmdCancel"); });
        QVERIFY(!startup.run());
        QCOMPARE(h.settings.get(Setting::Master1), QStringLiteral("480275"));
    }

    void cleanup() { SetProgramFolder(QString()); }
};

QTEST_MAIN(tst_Startup)
#include "tst_Startup.moc"
