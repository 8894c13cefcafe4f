// The File menu's moving of entries in and out, and the Help menu: the help file, its window and
// search, the log viewer and About.
#include "ModalDriver.h"
#include "UiHarness.h"
#include "entries/LoginStore.h"
#include "ui/EntryListView.h"
#include "ui/HelpCommands.h"
#include "ui/LogViewer.h"
#include "ui/TransferCommands.h"
#include "ui/frmAbout.h"
#include "ui/frmExportTextDialog.h"
#include "ui/frmHelp.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextBrowser>

using namespace Qt::StringLiterals;

namespace {
const QString kHelpFile = u"" PELLORA_BINARY_DIR "/Pellora.hlp"_s;

ExecutableFinder Installed(const QStringList &names)
{
    return [names](const QString &name) {
        return names.contains(name) ? u"/usr/bin/"_s + name : QString();
    };
}
} // namespace

class tst_MenuCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void exportCommandThenImportDialogUnderOtherMasters()
    {
        UiHarness a;
        a.setMasters("exporter one", "exporter two");
        a.addEntry("alice", "mail", "pw-1");
        a.addEntry("gone", "old", "pw-x");
        a.addEntry("bob", "bank", "p w,2");
        LoginStore(a.state.LoginFile, a.ui).deletelogin(1001);
        const QString path = a.home.file(u"list.pqx"_s);
        {
            frmMain main(a.context);
            InstallTransferCommands(main);
            a.ui.replies << path;
            main.run(MainCommand::Export);
        }
        QCOMPARE(QFileInfo(path).size(), qint64(3 * LoginRecord::Size));

        UiHarness b;
        b.setMasters("importer 1", "importer 2");
        b.addEntry("own", "entry", "mine");
        frmMain main(b.context);
        InstallTransferCommands(main);
        main.LoadList();
        bool openAfterRefusals = false;
        WhenModal(
            [&, path](QWidget *dialog) {
                const std::pair<const char *, QString> steps[] = {
                    {nullptr, {}},
                    {"Text3", path},
                    {"Text1", u"exporter one"_s},
                    {"Text2", u"Exporter two"_s}, // case counts
                };
                for (const auto &[field, text] : steps) {
                    if (field)
                        Type(dialog, field, text);
                    Click(dialog, "Command1");
                }
                openAfterRefusals = dialog->isVisible();
                Type(dialog, "Text2", u"exporter two"_s);
                Click(dialog, "Command1");
            },
            u"frmImportFile"_s);
        main.run(MainCommand::Import);
        QCOMPARE(b.ui.messages(),
                 (QStringList{"Please enter a valid filename", "Please enter the Master password",
                              "Please enter the Master password",
                              "The passwords do not match the passwords used for exporting this "
                              "list."}));
        QVERIFY(openAfterRefusals);
        QVERIFY(a.ui.shown.isEmpty());
        QCOMPARE(b.passwordOf(1001), QByteArray("pw-1"));
        QCOMPARE(b.passwordOf(1002), QByteArray("p w,2"));
        QCOMPARE(main.ListView1()->rowCount(), 3);
        QCOMPARE(b.ui.busyDepth, 0);
    }

    // A bare name goes to the home folder, not beside the store; the program's own files are
    // refused by name and left as they were.
    void textExportFormatsDelimitersOverwritingAndWhereItWrites()
    {
        UiHarness h(true);
        h.addEntry("alice", "Mail box", "p w1");
        h.addEntry("bob", "bank", "pw2");
        QDir::setCurrent(h.state.DataFolder);
        frmExportTextDialog dialog(h.context);
        dialog.show();
        auto *combo = Find<QComboBox>(&dialog, "Combo1");
        auto *finished = Find<QLabel>(&dialog, "lblFinished");
        QVERIFY(combo->isVisible() && !finished->isVisible());
        Click(&dialog, "OKButton");
        QCOMPARE(h.ui.messages(), QStringList{"Please enter a valid path and filename, or press "
                                              "the browse button to locate a file."});
        Type(&dialog, "Text1", u"bare.txt"_s);
        Click(&dialog, "OKButton");
        const QString path = QDir::home().filePath(u"bare.txt"_s);
        QCOMPARE(ReadFile(path), QByteArray("alice\r\nbob\r\n"));
        QVERIFY(!QFile::exists(h.state.DataFolder + u"bare.txt"_s));
        QCOMPARE(Find<QLineEdit>(&dialog, "Text1")->text(), path);
        QVERIFY(finished->isVisible());
        QVERIFY(!Find<QProgressBar>(&dialog, "ProgressBar1")->isVisible());
        QVERIFY(dialog.isVisible()); // stays open until Done

        Find<QRadioButton>(&dialog, "Option10")->click();
        QVERIFY(!combo->isVisible() && !Find<QLabel>(&dialog, "lblDelimit")->isVisible());
        h.ui.answers << true << false << true;
        Click(&dialog, "OKButton"); // Yes: replaced
        const QByteArray vertical = "Login: alice\r\nLogin: bob\r\n";
        QCOMPARE(ReadFile(path), vertical);
        Find<QRadioButton>(&dialog, "Option11")->click();
        QVERIFY(combo->isVisible() && Find<QCheckBox>(&dialog, "chkHeadings")->isVisible());
        Find<QCheckBox>(&dialog, "Check12")->click();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), u"|"_s);
        Click(&dialog, "OKButton"); // No: appended
        QCOMPARE(ReadFile(path), vertical + "alice|p w1\r\nbob|pw2\r\n");
        combo->setEditText(u"comma"_s);
        Click(&dialog, "OKButton");
        QCOMPARE(ReadFile(path), QByteArray("alicecommap w1\r\nbobcommapw2\r\n"));
        QCOMPARE(h.ui.asked, QStringList(3, "File exists. Do you wish to overwrite?"));

        const QByteArray store = ReadFile(h.state.LoginFile);
        Type(&dialog, "Text1", h.state.LoginFile);
        Click(&dialog, "OKButton");
        QCOMPARE(ReadFile(h.state.LoginFile), store);
        QCOMPARE(h.ui.messages().last(), h.state.LoginFile + " is one of Pellora's own files, "
                                                             "which an export never writes. "
                                                             "Please choose another file.");
        Click(&dialog, "CancelButton");
        QVERIFY(!dialog.isVisible());
    }

    void theShippedHelpFileHasAnAnchorForEveryLink()
    {
        for (const char *name : {"Pellora.hlp", "PelloraTips.txt"}) // the build places both
            QCOMPARE(ReadFile(u"" PELLORA_BINARY_DIR "/"_s + QLatin1String(name)),
                     ReadFile(u"" PELLORA_SOURCE_DIR "/resources/"_s + QLatin1String(name)));
        const QString help = QString::fromUtf8(ReadFile(kHelpFile));
        QStringList targets{u"1001"_s, u"1008"_s, u"1009"_s}; // the editor's tabs
        auto links = QRegularExpression(u"href=\"#([^\"]+)\""_s).globalMatch(help);
        while (links.hasNext())
            targets << links.next().captured(1);
        QVERIFY(targets.size() > 3);
        for (const QString &target : targets)
            QVERIFY2(help.contains(u" id=\"%1\""_s.arg(target)), qPrintable(target));
    }

    // Without a help file each door says so under the main caption; with one, an editor's topic
    // opens at its tab and the search marks the word.
    void helpOpensAtTheTopicAndSearchMarksTheWord()
    {
        UiHarness h;
        frmMain w(h.context);
        w.setWindowTitle(u"Pellora - work"_s);
        InstallHelpCommands(w);
        w.Toolbar1_ButtonClick(u"Help"_s);
        w.action(MainCommand::HelpSearch)->trigger();
        QDialog editor(&w);
        QVERIFY(!ShowHelpTopic(&editor, 1008));
        QCOMPARE(h.ui.shown.size(), 3);
        for (const FakeUi::Shown &s : h.ui.shown) {
            QCOMPARE(s.text, u"Unable to display Help Contents. There is no Help associated with "
                             u"this project."_s);
            QCOMPARE(s.title, u"Pellora - work"_s);
        }
        QVERIFY(w.findChildren<frmHelp *>().isEmpty());

        h.state.HelpFile = kHelpFile;
        frmHelp *topic = ShowHelpTopic(&editor, 1008);
        QVERIFY(topic && QTest::qWaitForWindowExposed(topic));
        QTest::qWait(20);
        QVERIFY(topic->topicAtTop() >= 0);
        QCOMPARE(topic->topics().at(topic->topicAtTop()).anchor, u"1008"_s);
        topic->close();
        frmHelp *help = ShowHelp(w, HelpCommand::Search);
        QVERIFY(help && QTest::qWaitForWindowActive(help));
        auto *box = Find<QLineEdit>(help, "txtSearch");
        QVERIFY(box->hasFocus());
        QTest::keyClicks(box, u"CLIPBOARD"_s);
        QVERIFY(help->matchingTopics().contains(u"Copying a password"_s));
        QTest::keyClick(box, Qt::Key_Return);
        auto *browser = Find<QTextBrowser>(help, "txtHelp");
        QCOMPARE(browser->textCursor().selectedText().toLower(), u"clipboard"_s);
        box->setText(u"clipboard xyzzy"_s);
        QVERIFY(help->matchingTopics().isEmpty());
    }

    void logViewerAndSystemInfoOpenWhatIsThereOrSaySo()
    {
        UiHarness h;
        QList<QUrl> opened;
        const UrlOpener opener = [&opened](const QUrl &url) {
            opened << url;
            return true;
        };
        ShowLogViewer(h.context, opener);
        QVERIFY(opened.isEmpty());
        QCOMPARE(h.ui.messages(),
                 QStringList{u"Nothing has been logged yet: the activity log "_s + h.state.LogFile +
                             u" does not exist. Choose the events to log on the Logging tab of "
                             u"View > Options..."_s});
        WriteFile(h.state.LogFile, "2024-03-01 10:00:00\tAdded alice, user\n");
        ShowLogViewer(h.context, opener);
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(h.state.LogFile)});

        h.ui.shown.clear();
        QStringList started;
        bool starts = true;
        const ProcessStarter start = [&](const QString &p) {
            started << p;
            return starts;
        };
        StartSystemInfo(h.ui, Installed({"gnome-system-monitor", "kinfocenter"}), start);
        QCOMPARE(started, QStringList{"/usr/bin/kinfocenter"});
        QVERIFY(h.ui.shown.isEmpty());
        frmAbout about(h.context, nullptr, Installed({}), start);
        about.show();
        QTest::mouseClick(Find<QPushButton>(&about, "cmdSysInfo"), Qt::LeftButton);
        starts = false; // found but refusing to start is just as unavailable
        StartSystemInfo(h.ui, Installed({"kinfocenter"}), start);
        QCOMPARE(started.size(), 2);
        QCOMPARE(h.ui.messages(),
                 QStringList(2, u"System Information Is Unavailable At This Time"_s));
    }
};

QTEST_MAIN(tst_MenuCommands)
#include "tst_MenuCommands.moc"
