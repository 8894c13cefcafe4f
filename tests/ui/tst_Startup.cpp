// Starting the program: set-up, login, the checks before the main window, tips and identity.
#include "ModalDriver.h"
#include "UiHarness.h"
#include "app/DataFolder.h"
#include "app/ProgramFolder.h"
#include "entries/EntryStore.h"
#include "entries/PasswordStrength.h"
#include "master/MasterValidation.h"
#include "master/PreviousInstallation.h"
#include "master/ResetPasswords.h"
#include "platform/Clock.h"
#include "ui/AppIdentity.h"
#include "ui/CommandLine.h"
#include "ui/EntryListView.h"
#include "ui/MainWindow.h"
#include "ui/SingleInstance.h"
#include "ui/Startup.h"
#include "ui/TipDialog.h"

#include <future>

using namespace Qt::StringLiterals;

namespace {
// One home with a program folder holding the check file; each start gets fresh state, as a
// restart would.
struct Home
{
    UiHarness h;
    QString program = h.home.file(u"program"_s);
    AppState state;
    std::unique_ptr<Startup> startup;

    explicit Home(bool masters = true)
        : h(masters)
    {
        QDir().mkpath(program);
        QFile::copy(u"" PELLORA_BINARY_DIR "/pqchk"_s, program + u"/pqchk"_s);
        SetProgramFolder(program);
        h.settings.save(Setting::ShowTipsAtStartup, u"0"_s);
    }
    ~Home() { SetProgramFolder(QString()); }

    bool start(int splash = 10)
    {
        startup.reset();
        state = AppState();
        startup = std::make_unique<Startup>(h.ui, state, h.settings, splash);
        return startup->run();
    }
    int rows() const { return startup->mainWindow()->entryList()->rowCount(); }
};

void LogIn(const QString &first = u"first master"_s, const QString &second = u"second master"_s)
{
    WhenModal([first, second](QWidget *login) {
        Type(login, "master1", first);
        Type(login, "master2", second);
        Click(login, "okButton");
    });
}

// Draws taken in turn, the last one repeated.
TipDialog::Random Draws(QList<double> values)
{
    auto left = std::make_shared<QList<double>>(std::move(values));
    return [left] { return left->size() > 1 ? left->takeFirst() : left->constFirst(); };
}

QString WriteTips(const UiHarness &h, const QByteArray &bytes)
{
    WriteFile(h.home.file(u"PelloraTips.txt"_s), bytes);
    return h.home.file(u"PelloraTips.txt"_s);
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
        home.h.ui.answers << false << true; // asked twice before quitting: No, then Yes
        WhenModal([](QWidget *setup) {
            QTest::keyClick(setup, Qt::Key_Escape);
            QVERIFY(setup->isVisible());
            Click(setup, "cancelButton");
        });
        QVERIFY(!home.start());
        QCOMPARE(home.startup->exitCode(), 1);
        QCOMPARE(home.h.ui.askedDefaultNo.size(), 2);
        QCOMPARE(home.h.settings.get(Setting::Master1), u"480275"_s); // the next start is first

        WhenModal([&home](QWidget *setup) {
            QCOMPARE(setup->objectName(), u"setupDialog"_s);
            ShowActive(setup);
            QVERIFY(!Find<QLabel>(setup, "about")->text().isEmpty());
            auto *capsLock = Find<QLabel>(setup, "capsLockWarning");
            QVERIFY(!capsLock->isVisible());
            QTest::keyClicks(Find(setup, "master1"), u"A"_s); // a capital without Shift
            QVERIFY(capsLock->isVisible());
            QTest::keyClicks(Find(setup, "master1"), u"a"_s);
            QVERIFY(!capsLock->isVisible());
            QCOMPARE(Find<QLabel>(setup, "strength1")->text(), PasswordStrengthText(u"Aa"_s));
            QStringList strengths; // each kind of character widens the pool
            for (const char *typed :
                 {"", "abcdefgh", "Abcdefg1", "Harbour-lights-9", "\xc3\xa9t\xc3\xa9"})
                strengths << QString::number(PasswordStrengthBits(QString::fromUtf8(typed)));
            QCOMPARE(strengths.join(u' '), u"0 37 47 105 20"_s);
            QCOMPARE(PasswordStrengthText(u"abcdefgh"_s), u"Strength: about 37 bits (weak)"_s);

            auto fill = [setup](const char *m1, const char *r1, const char *m2, const char *r2) {
                Type(setup, "master1", QString::fromLatin1(m1));
                Type(setup, "repeat1", QString::fromLatin1(r1));
                Type(setup, "master2", QString::fromLatin1(m2));
                Type(setup, "repeat2", QString::fromLatin1(r2));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Enter confirms
            };
            fill("first master", "first master", "second master", "second mastr");
            QCOMPARE(home.h.lastMessage(),
                     u"Master 2 and its repeat differ. Please type master 2 again, twice."_s);
            QCOMPARE(QApplication::focusWidget()->objectName(), u"master2"_s);
            fill("short", "short", "second master", "second master");
            QCOMPARE(home.h.lastMessage(), QString::fromLatin1(kMasterRulesMessage));
            fill("first master", "first master", "second master", "second master");
        });
        QVERIFY(home.start());
        QVERIFY(!home.state.FirstRun);
        // The main window outlives the start-up steps: what it was handed must too.
        MainWindow *main = home.startup->mainWindow();
        QVERIFY(main->isVisible());
        QCOMPARE(&main->context().state, &home.state);
        home.h.state = home.state;
        home.h.addEntry("alice", "bank", "s3cret");
        main->run(MainCommand::Refresh);
        QCOMPARE(home.rows(), 1);

        WhenModal([](QWidget *login) {
            QCOMPARE(login->objectName(), u"loginDialog"_s);
            Type(login, "master1", u"second master"_s);
            Type(login, "master2", u"first master"_s);
            Click(login, "okButton");
            QVERIFY(Find<QLineEdit>(login, "master1")->text().isEmpty());
            LogIn();
        });
        QVERIFY(home.start());
        QCOMPARE(home.h.lastMessage(), u"Invalid Password(s), try again!"_s);
        QCOMPARE(home.rows(), 1);
        QCOMPARE(home.state.ActiveMaster1, home.h.settings.getBytes(Setting::Master1));
        QCOMPARE(home.h.ui.busyDepth, 0);
    }

    // A cancelled login is logged only when asked, as a start is; a reset deletes the store.
    void cancelResetAndBrokenStartsEndTheRun()
    {
        Home home;
        home.h.addEntry("alice", "bank", "s3cret");
        for (const bool logging : {false, true}) {
            home.h.settings.save(Setting::LogMasterFailure, logging ? u"1"_s : u"0"_s);
            home.h.settings.save(Setting::LogStartup, logging ? u"1"_s : u"0"_s);
            home.h.ui.answers << false; // no reset after all
            WhenModal([](QWidget *login) {
                Click(login, "resetMastersButton");
                Click(login, "cancelButton");
            });
            QVERIFY(!home.start());
            QVERIFY(!home.startup->mainWindow() && QFile::exists(home.h.state.LoginFile));
            QCOMPARE(ReadFile(home.h.state.LogFile).contains("Master Login Failure "), logging);
            LogIn();
            QVERIFY(home.start());
            QCOMPARE(ReadFile(home.h.state.LogFile).contains("Successful Startup, "), logging);
        }
        home.h.ui.answers << true;
        WhenModal([](QWidget *login) { Click(login, "resetMastersButton"); });
        QVERIFY(!home.start());
        QCOMPARE(home.h.ui.askedDefaultNo.last(), QString::fromLatin1(kResetPasswordsQuestion));
        QCOMPARE(home.startup->exitCode(), 0); // the user's choice, not a failure
        QVERIFY(!QFile::exists(home.h.state.LoginFile));

        home.h.settings.save(Setting::LogExports, u"yes"_s);
        QVERIFY(!home.start());
        QCOMPARE(home.h.lastMessage(),
                 u"An error has occurred in Loading the application 13 Type mismatch "_s);
        home.h.settings.save(Setting::LogExports, u"0"_s);
        WriteFile(home.program + u"/pqchk"_s, "damaged");
        QVERIFY(!home.start());
        QVERIFY(home.h.lastMessage().startsWith(u"Either there is a file missing, or the base"_s));
    }

    void previousInstallationIsMovedWhateverTheAnswer()
    {
        for (const bool yes : {true, false}) {
            Home home;
            home.h.addEntry("old entry", "from before", "oldpass");
            const QByteArray oldStore = ReadFile(home.h.state.LoginFile);
            QFile::rename(home.h.state.LoginFile, home.program + u"/old.lgn"_s);
            home.h.ui.answers << yes;
            LogIn();
            QVERIFY(home.start());
            QCOMPARE(home.h.ui.asked.value(0), QString::fromLatin1(kPreviousInstallationQuestion));
            QVERIFY(!QFile::exists(home.program + u"/old.lgn"_s));
            const QString moved = home.state.DataFolder + u"Pelloralgn.old"_s;
            QCOMPARE(ReadFile(moved), oldStore);
            QCOMPARE(home.rows(), yes ? 1 : 0);
            QVERIFY(home.h.ui.messages().contains(u"File moved to: "_s + moved));
        }
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
            QCOMPARE(dialog->objectName(), u"storeMastersDialog"_s);
            QVERIFY(dialog->findChild<QLabel *>()->text().contains(u"found 2 entries"_s));
            Type(dialog, "master1", u"first master"_s);
            Type(dialog, "master2", u"wrong master"_s);
            Click(dialog, "okButton");
            Type(dialog, "master2", u"second master"_s);
            Click(dialog, "okButton");
        });
        QVERIFY(home.start());
        QCOMPARE(home.h.ui.messages().first(),
                 u"These master passwords do not open the entries in "_s + store + u'.');
        QVERIFY(!home.state.FirstRun);
        QCOMPARE(ReadFile(store), before);
        QCOMPARE(home.rows(), 2);

        // A user who lost them sets the store aside and starts afresh; Escape would change nothing.
        home.h.settings.saveBytes(Setting::Master1, "480275");
        home.h.ui.answers << true << true; // set it aside; then quit the set-up
        WhenModal([](QWidget *dialog) { Click(dialog, "setAsideButton"); });
        WhenModal([](QWidget *setup) { Click(setup, "cancelButton"); }, u"setupDialog"_s);
        QVERIFY(!home.start());
        const QString aside =
            store + u".unreadable-"_s + Clock::now().date().toString(u"yyyyMMdd"_s);
        QCOMPARE(ReadFile(aside), before);
        QVERIFY(home.h.ui.messages().contains(u"The store is now "_s + aside +
                                              u". Pellora starts with an empty vault."_s));
    }

    void aReadOnlyVaultStillListsAndSaysSo()
    {
        Home home;
        const QString folder = GetDataFolder();
        auto mount = [&](const QStringList &args) {
            return QProcess::execute(u"mount"_s, args) == 0;
        };
        if (!mount({u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=1m"_s, u"tmpfs"_s, folder}))
            QSKIP("needs root to mount a read-only file system");
        home.h.addEntry("alice", "bank", "pw-alice");
        QVERIFY(mount({u"-o"_s, u"remount,ro"_s, folder}));
        LogIn();
        const bool listedButKept = home.start() && home.rows() == 1 &&
                                   !EntryStore(home.state.LoginFile, home.h.ui).remove(1000);
        const QStringList messages = home.h.ui.messages();
        home.startup.reset(); // lets go of the vault, so it can be unmounted
        QDir::setCurrent(QDir::rootPath());
        QProcess::execute(u"umount"_s, {folder});
        QVERIFY(listedButKept);
        QCOMPARE(messages, (QStringList{u"The vault in "_s + folder +
                                            u" is read-only: you can list the entries and copy "
                                            u"passwords, but no change can be saved."_s,
                                        u"An error has occurred in deletelogin 70 Permission "
                                        u"denied"_s}));
    }

    // Tips switched off show no window, and unchecking switches them off at once; lines end in any
    // way and may be empty, and any draw hits a line.
    void tipsFollowTheSwitchAndEveryLineCanCome()
    {
        UiHarness h;
        auto tipText = [](const TipDialog &tip) { return Find<QLabel>(&tip, "tipText")->text(); };
        h.settings.save(Setting::ShowTipsAtStartup, u"0"_s);
        QVERIFY(!TipDialog(h.context).openTips(WriteTips(h, "a\r\n")));
        h.settings.save(Setting::ShowTipsAtStartup, u"1"_s);
        TipDialog one(h.context, nullptr, Draws({0.0, 0.999999, 1.0}));
        QVERIFY(one.openTips(WriteTips(h, "Press Clip to copy.\r\n")));
        for (int i = 0; i < 3; ++i, one.nextTip())
            QCOMPARE(tipText(one), u"Press Clip to copy."_s);
        auto *box = Find<QCheckBox>(&one, "showTipsAtStartup");
        QVERIFY(box->isChecked());
        one.show();
        for (const QString &expected : {u"0"_s, u"1"_s}) {
            QTest::mouseClick(box, Qt::LeftButton);
            QCOMPARE(h.settings.get(Setting::ShowTipsAtStartup), expected);
        }
        QVERIFY(!one.LoadTips(h.home.path())); // a folder is no tips file
        QVERIFY(one.openTips(h.home.file(u"absent.txt"_s)));
        QVERIFY(tipText(one).startsWith(u"That the PelloraTips.txt file was not found? "_s));

        TipDialog tip(h.context, nullptr, Draws({0.0, 0.3, 0.5, 0.9}));
        QVERIFY(tip.LoadTips(WriteTips(h, "Caf\xe9 \x80\r\n\r\nthird\rfourth\nlast without end")));
        QCOMPARE(tip.tips().size(), 5);
        QStringList shown;
        for (int i = 0; i < 4; ++i, tip.nextTip())
            shown << tipText(tip);
        QCOMPARE(shown,
                 (QStringList{u"Caf\u00e9 \u20ac"_s, {}, u"third"_s, u"last without end"_s}));
    }

    // A crashed run's socket is replaced; a second start, another process in truth, is answered
    // while this one's loop runs, and the minimized main window comes back.
    void aSecondStartBringsTheRunningWindowForward()
    {
        TempHome home;
        const QString path = InstanceSocketPath(home.dataFolder());
        WriteFile(path, "left by a crash");
        QWidget main;
        main.setObjectName(u"mainWindow"_s);
        main.showMinimized();
        int shown = 0;
        InstanceServer server(path, [&shown] { ++shown, RaiseFrontWindow(); });
        QVERIFY(server.isListening());
        auto asked = std::async(std::launch::async, [path] { return ShowRunningInstance(path); });
        QTRY_VERIFY(asked.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QVERIFY(asked.get() && shown == 1 && !main.isMinimized());
        QVERIFY(!ShowRunningInstance(home.file(u"nobody"_s)));
        // Before any of that, the command line may answer alone.
        QVERIFY(CommandLineAnswer({u"pellora"_s, u"--version"_s})->startsWith(u"pellora 1."_s));
        QVERIFY(CommandLineAnswer({u"pellora"_s, u"-h"_s})->startsWith(u"Usage: pellora"_s));
        QVERIFY(!CommandLineAnswer({u"--help"_s}) && !CommandLineAnswer({u"pellora"_s, u"x"_s}));
    }

    // The program and its desktop entry go by one id, so the desktop can match a running window
    // to its menu entry and icon, which needs no theme.
    void theProgramCarriesItsNameIdAndIcon()
    {
        SetApplicationIdentity();
        QCOMPARE(QApplication::organizationName() + u'/' + QApplication::applicationName(),
                 u"Brantwick/Pellora"_s);
        QCOMPARE(QGuiApplication::desktopFileName(), QLatin1String(kDesktopFileId));
        // A display name would be appended to every window title ("Options - Pellora").
        QCOMPARE(QGuiApplication::applicationDisplayName(), u"Pellora"_s);
        QIcon::setThemeName(QString());
        const QIcon icon = ApplicationIcon();
        for (const int size : {16, 48, 256})
            QCOMPARE(icon.pixmap(size, size).size(), QSize(size, size));
        const QImage image = icon.pixmap(64, 64).toImage(); // not a grey square
        QVERIFY(image.pixelColor(32, 32) != image.pixelColor(1, 1));
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_Startup.moc"
