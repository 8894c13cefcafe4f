#include "UiHarness.h"
#include "ui/HelpCommands.h"
#include "ui/LogViewer.h"
#include "ui/frmHelp.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

class tst_Help : public QObject
{
    Q_OBJECT

private:
    // The help file as the build places it beside the program.
    static QString builtHelpFile() { return QStringLiteral(PELLORA_BINARY_DIR "/Pellora.hlp"); }
    // The anchor of the topic at the top of the shown help; empty when none is.
    static QString anchorAtTop(frmHelp &help)
    {
        if (!QTest::qWaitForWindowExposed(&help))
            return {};
        QTest::qWait(20);
        const int at = help.topicAtTop();
        return at < 0 ? QString() : help.topics().at(at).anchor;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(QFileInfo::exists(builtHelpFile()));
    }

    void noHelpFileGivesTheMessageTitledWithTheMainCaption()
    {
        UiHarness h;
        frmMain w(h.context);
        w.setWindowTitle(QStringLiteral("Pellora - work"));
        const QString text = QStringLiteral(
            "Unable to display Help Contents. There is no Help associated with this project.");
        QVERIFY(!ShowHelp(w, HelpCommand::Contents));
        QVERIFY(!ShowHelp(w, HelpCommand::Search));
        QDialog editor(&w);
        QVERIFY(!ShowHelpTopic(&editor, 1008));
        QCOMPARE(h.ui.shown.size(), 3);
        for (const FakeUi::Shown &s : h.ui.shown) {
            QCOMPARE(s.text, text);
            QCOMPARE(s.title, QStringLiteral("Pellora - work"));
        }
        QVERIFY(w.findChildren<frmHelp *>().isEmpty());
    }

    void aMissingHelpFileIsNamedInTheViewersMessage()
    {
        UiHarness h;
        frmMain w(h.context);
        h.state.HelpFile = h.home.file(QStringLiteral("gone/Pellora.hlp"));
        QVERIFY(!ShowHelp(w, HelpCommand::Contents));
        QCOMPARE(h.ui.shown.size(), 1);
        QVERIFY(h.ui.shown[0].text.contains(h.state.HelpFile));
        QVERIFY(h.ui.shown[0].text.contains(QStringLiteral("does not exist")));
        QCOMPARE(h.ui.shown[0].title, QStringLiteral("Pellora Help"));
        QVERIFY(w.findChildren<frmHelp *>().isEmpty());
    }

    void editorTopicsOpenAtTheirTabs()
    {
        UiHarness h;
        frmMain w(h.context);
        h.state.HelpFile = builtHelpFile();
        QDialog editor(&w);
        const QList<std::pair<int, QString>> tabs{
            {1001, "Password"}, {1008, "Expiry"}, {1009, "Validation"}};
        for (const auto &[topic, tab] : tabs) {
            frmHelp *help = ShowHelpTopic(&editor, topic);
            QVERIFY(help);
            QCOMPARE(help->parentWidget(), &editor);
            QCOMPARE(anchorAtTop(*help), QString::number(topic));
            const int at = help->topicAtTop();
            QVERIFY(help->topics().at(at).title.contains(tab));
        }
        QCOMPARE(editor.findChildren<frmHelp *>().size(), 1); // one window, reused
        QVERIFY(h.ui.shown.isEmpty());

        frmHelp *unknown = ShowHelpTopic(&w, 4242);
        QVERIFY(unknown);
        QCOMPARE(anchorAtTop(*unknown), QStringLiteral("top"));
    }

    void contentsListTheHeadingsAndLeadToThem()
    {
        UiHarness h;
        frmMain w(h.context);
        h.state.HelpFile = builtHelpFile();
        frmHelp *help = ShowHelp(w, HelpCommand::Contents);
        QVERIFY(help);
        QCOMPARE(ShowHelp(w, HelpCommand::Contents), help);
        auto *tree = help->findChild<QTreeWidget *>(QStringLiteral("tvwContents"));
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem *root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("Pellora Help"));
        QStringList chapters;
        for (int i = 0; i < root->childCount(); ++i)
            chapters << root->child(i)->text(0);
        QVERIFY(chapters.contains(QStringLiteral("Getting started")));
        QVERIFY(chapters.contains(QStringLiteral("Backing up and restoring")));
        QTreeWidgetItem *vault =
            tree->findItems(QStringLiteral("Nothing marks a file as encrypted"),
                            Qt::MatchExactly | Qt::MatchRecursive)
                .value(0);
        QVERIFY(vault);
        QCOMPARE(vault->parent()->text(0), QStringLiteral("The file vault: encrypting files"));
        tree->scrollToItem(vault);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(vault).center());
        QCOMPARE(anchorAtTop(*help), QStringLiteral("vault-caution"));

        auto *back = help->findChild<QPushButton *>(QStringLiteral("cmdBack"));
        QVERIFY(back->isEnabled());
    }

    void searchOpensFocusedAndEmptyAndListsMatchingTopics()
    {
        UiHarness h;
        frmMain w(h.context);
        h.state.HelpFile = builtHelpFile();
        frmHelp *help = ShowHelp(w, HelpCommand::Search);
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowActive(help));
        auto *box = help->findChild<QLineEdit *>(QStringLiteral("txtSearch"));
        QVERIFY(box->hasFocus());
        QCOMPARE(box->text(), QString());

        QTest::keyClicks(box, QStringLiteral("CLIPBOARD"));
        QVERIFY(help->matchingTopics().contains(QStringLiteral("Copying a password")));
        QTest::keyClicks(box, QStringLiteral(" remembers"));
        const QStringList both = help->matchingTopics();
        QVERIFY(both.contains(QStringLiteral("Closing Pellora")));
        QVERIFY(!both.contains(QStringLiteral("Copying a password")));
        QTest::keyClick(box, Qt::Key_Return);
        auto *browser = help->findChild<QTextBrowser *>(QStringLiteral("txtHelp"));
        QCOMPARE(browser->textCursor().selectedText().toLower(), QStringLiteral("clipboard"));

        box->setText(QStringLiteral("xyzzy"));
        QVERIFY(help->matchingTopics().isEmpty());
        QCOMPARE(help->findChild<QLabel *>(QStringLiteral("lblMatches"))->text(),
                 QStringLiteral("No topic holds these words."));
    }

    void helpWindowsCloseWithTheMainWindow()
    {
        UiHarness h;
        frmMain w(h.context);
        h.state.HelpFile = builtHelpFile();
        QPointer<frmHelp> help = ShowHelp(w, HelpCommand::Contents);
        QVERIFY(help);
        w.close();
        QTRY_VERIFY(help.isNull());
    }

    void installedCommandsReachHelpAndTheLog()
    {
        UiHarness h;
        frmMain w(h.context);
        for (MainCommand c : {MainCommand::HelpContents, MainCommand::HelpSearch,
                              MainCommand::About, MainCommand::ViewLogs})
            QVERIFY(!w.action(c)->isEnabled());
        InstallHelpCommands(w);
        for (MainCommand c : {MainCommand::HelpContents, MainCommand::HelpSearch,
                              MainCommand::About, MainCommand::ViewLogs})
            QVERIFY(w.action(c)->isEnabled());
        w.Toolbar1_ButtonClick(QStringLiteral("Help"));
        QCOMPARE(h.ui.shown.size(), 1);
        QVERIFY(h.ui.shown[0].text.startsWith(QStringLiteral("Unable to display Help")));
        h.state.HelpFile = builtHelpFile();
        w.action(MainCommand::HelpSearch)->trigger();
        QCOMPARE(w.findChildren<frmHelp *>().size(), 1);
        w.Toolbar1_ButtonClick(QStringLiteral("LogViewer")); // no log yet: a message
        QCOMPARE(h.ui.shown.size(), 2);
        QVERIFY(h.ui.shown[1].text.contains(h.state.LogFile));
    }

    void logViewerOpensTheLogFileOrSaysWhyNot()
    {
        UiHarness h;
        QList<QUrl> opened;
        bool opens = true;
        const UrlOpener opener = [&](const QUrl &url) {
            opened << url;
            return opens;
        };
        ShowLogViewer(h.context, opener);
        QVERIFY(opened.isEmpty());
        QCOMPARE(h.ui.shown.size(), 1);
        QCOMPARE(h.ui.shown[0].text,
                 QStringLiteral("Nothing has been logged yet: the activity log ") +
                     h.state.LogFile +
                     QStringLiteral(" does not exist. Choose the events to log on the Logging "
                                    "tab of View > Options..."));
        h.state.UseNTEventLog = true;
        ShowLogViewer(h.context, opener);
        QVERIFY(h.ui.shown[1].text.contains(QStringLiteral("journalctl -t Pellora")));

        WriteFile(h.state.LogFile, "2024-03-01 10:00:00\tAdded alice, user\n");
        ShowLogViewer(h.context, opener);
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(h.state.LogFile)});
        QCOMPARE(h.ui.shown.size(), 2);

        opens = false;
        ShowLogViewer(h.context, opener);
        QCOMPARE(h.ui.shown.size(), 3);
        QCOMPARE(h.ui.shown[2].text,
                 QStringLiteral("No program could be found to show the activity log ") +
                     h.state.LogFile + QStringLiteral("."));
    }

    void topicsAndSearchWorkOnAnyDocument()
    {
        QTextDocument doc;
        doc.setHtml(QStringLiteral("<p>before</p><h1 id=\"a\">Alpha</h1><p>red fox</p>"
                                   "<h2>Beta</h2><p>Red wine</p><table><tr><td>blue fox</td></tr>"
                                   "</table><h2 id=\"g\">Gamma</h2>"));
        const QList<HelpTopic> topics = HelpTopicsOf(doc);
        QCOMPARE(topics.size(), 3);
        QCOMPARE(topics[0].anchor, QStringLiteral("a"));
        QCOMPARE(topics[1].anchor, QString());
        QCOMPARE(topics[1].level, 2);
        QVERIFY(!topics[0].text.contains(QStringLiteral("before")));
        QCOMPARE(SearchHelpTopics(topics, QStringLiteral("red")), (QList<int>{0, 1}));
        QCOMPARE(SearchHelpTopics(topics, QStringLiteral("  FOX   red ")), (QList<int>{0, 1}));
        QCOMPARE(SearchHelpTopics(topics, QStringLiteral("blue fox")), QList<int>{1});
        QCOMPARE(SearchHelpTopics(topics, QStringLiteral("gamma")), QList<int>{2});
        QVERIFY(SearchHelpTopics(topics, QStringLiteral("   ")).isEmpty());
    }
};

QTEST_MAIN(tst_Help)
#include "tst_Help.moc"
