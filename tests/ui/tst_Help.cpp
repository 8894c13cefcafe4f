// The Help menu: the shipped help file, its window and search, the log viewer and About.
#include "UiHarness.h"
#include "ui/HelpCommands.h"
#include "ui/LogViewer.h"
#include "ui/frmAbout.h"
#include "ui/frmHelp.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
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

class tst_Help : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void theShippedFilesAreInPlaceAndEveryLinkHasItsAnchor()
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

    void noHelpFileGivesTheMessageTitledWithTheMainCaption()
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
    }

    void anEditorTopicOpensAtItsTab()
    {
        UiHarness h;
        frmMain w(h.context);
        h.state.HelpFile = kHelpFile;
        QDialog editor(&w);
        frmHelp *topic = ShowHelpTopic(&editor, 1008);
        QVERIFY(topic);
        QVERIFY(QTest::qWaitForWindowExposed(topic));
        QTest::qWait(20);
        QVERIFY(topic->topicAtTop() >= 0);
        QCOMPARE(topic->topics().at(topic->topicAtTop()).anchor, u"1008"_s);
    }

    void searchFindsTopicsAndMarksTheWord()
    {
        UiHarness h;
        frmMain w(h.context);
        h.state.HelpFile = kHelpFile;
        frmHelp *help = ShowHelp(w, HelpCommand::Search);
        QVERIFY(help && QTest::qWaitForWindowActive(help));
        auto *box = help->findChild<QLineEdit *>(u"txtSearch"_s);
        QVERIFY(box->hasFocus());
        QTest::keyClicks(box, u"CLIPBOARD"_s);
        QVERIFY(help->matchingTopics().contains(u"Copying a password"_s));
        QTest::keyClick(box, Qt::Key_Return);
        auto *browser = help->findChild<QTextBrowser *>(u"txtHelp"_s);
        QCOMPARE(browser->textCursor().selectedText().toLower(), u"clipboard"_s);
        box->setText(u"clipboard xyzzy"_s);
        QVERIFY(help->matchingTopics().isEmpty());
    }

    void logViewerOpensTheLogFileOrReportsItMissing()
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
        QCOMPARE(h.ui.shown.size(), 1);
    }

    void systemInfoStartsTheFirstInstalledProgramOrIsUnavailable()
    {
        UiHarness h;
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
        QTest::mouseClick(about.findChild<QPushButton *>(u"cmdSysInfo"_s), Qt::LeftButton);
        starts = false; // found but refusing to start is just as unavailable
        StartSystemInfo(h.ui, Installed({"kinfocenter"}), start);
        QCOMPARE(started.size(), 2);
        QCOMPARE(h.ui.messages(),
                 QStringList(2, u"System Information Is Unavailable At This Time"_s));
    }
};

QTEST_MAIN(tst_Help)
#include "tst_Help.moc"
