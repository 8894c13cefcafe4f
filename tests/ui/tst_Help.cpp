#include "UiHarness.h"
#include "ui/HelpCommands.h"
#include "ui/LogViewer.h"
#include "ui/frmHelp.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>

class tst_Help : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void noHelpFileGivesTheMessageTitledWithTheMainCaption()
    {
        UiHarness h;
        frmMain w(h.context);
        w.setWindowTitle(QStringLiteral("Pellora - work"));
        InstallHelpCommands(w);
        w.Toolbar1_ButtonClick(QStringLiteral("Help"));
        w.action(MainCommand::HelpSearch)->trigger();
        QDialog editor(&w);
        QVERIFY(!ShowHelpTopic(&editor, 1008));
        QCOMPARE(h.ui.shown.size(), 3);
        for (const FakeUi::Shown &s : h.ui.shown) {
            QCOMPARE(s.text, QStringLiteral("Unable to display Help Contents. There is no Help "
                                            "associated with this project."));
            QCOMPARE(s.title, QStringLiteral("Pellora - work"));
        }
        QVERIFY(w.findChildren<frmHelp *>().isEmpty());
    }

    void editorTopicOpensAtItsTab()
    {
        UiHarness h;
        frmMain w(h.context);
        h.state.HelpFile = QStringLiteral(PELLORA_BINARY_DIR "/Pellora.hlp");
        QDialog editor(&w);
        frmHelp *help = ShowHelpTopic(&editor, 1008);
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QTest::qWait(20);
        const int top = help->topicAtTop();
        QVERIFY(top >= 0);
        QCOMPARE(help->topics().at(top).anchor, QStringLiteral("1008"));
    }

    void searchFindsTopicsAndMarksTheWord()
    {
        UiHarness h;
        frmMain w(h.context);
        h.state.HelpFile = QStringLiteral(PELLORA_BINARY_DIR "/Pellora.hlp");
        frmHelp *help = ShowHelp(w, HelpCommand::Search);
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowActive(help));
        auto *box = help->findChild<QLineEdit *>(QStringLiteral("txtSearch"));
        QVERIFY(box->hasFocus());
        QTest::keyClicks(box, QStringLiteral("CLIPBOARD"));
        QVERIFY(help->matchingTopics().contains(QStringLiteral("Copying a password")));
        QTest::keyClick(box, Qt::Key_Return);
        auto *browser = help->findChild<QTextBrowser *>(QStringLiteral("txtHelp"));
        QCOMPARE(browser->textCursor().selectedText().toLower(), QStringLiteral("clipboard"));
        box->setText(QStringLiteral("clipboard xyzzy"));
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
                 QStringList{QStringLiteral("Nothing has been logged yet: the activity log ") +
                             h.state.LogFile +
                             QStringLiteral(" does not exist. Choose the events to log on the "
                                            "Logging tab of View > Options...")});
        WriteFile(h.state.LogFile, "2024-03-01 10:00:00\tAdded alice, user\n");
        ShowLogViewer(h.context, opener);
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(h.state.LogFile)});
        QCOMPARE(h.ui.shown.size(), 1);
    }
};

QTEST_MAIN(tst_Help)
#include "tst_Help.moc"
